#include "widgets/PageExtControl.h"

#include <QPointer>

namespace vorn {

TPageExtControl::TPageExtControl(QWidget* parent)
    : QTabWidget(parent), m_bar(new TPageExtTabBar(this)) {
    setTabBar(m_bar);
    setAccessibleName(QStringLiteral("Pages"));
}

void TPageExtControl::SetCloseBtn(bool on) {
    m_closeBtn = on;
    syncAllTabs();
}

void TPageExtControl::SetSmallCloseBtn(bool on) {
    m_smallCloseBtn = on;
    m_bar->update();
}

void TPageExtControl::SetOwnerDraw(bool on) {
    m_ownerDraw = on;
    m_bar->update();
}

void TPageExtControl::SetTabFillGradient(bool on) {
    m_fillGradient = on;
    m_bar->update();
}

void TPageExtControl::SetHotTrack(bool on) {
    m_hotTrack = on;
    m_bar->update();
}

QString TPageExtControl::TabCaption(const QString& caption) const {
    QString text = caption.trimmed();
    if (m_closeBtn)
        text += QStringLiteral("     ");
    return text;
}

int TPageExtControl::AttachPage(TTabExtSheet* page) {
    if (!page)
        return -1;
    if (TPageExtControl* other = page->PageControl()) {
        if (other == this)
            return indexOf(page);
        other->DetachPage(page);
    }
    page->m_control = this;
    const int index = addTab(page, QString());
    syncTab(page);
    return index;
}

void TPageExtControl::DetachPage(QWidget* page) {
    const int index = indexOf(page);
    if (index < 0)
        return;
    const int total = count();
    QWidget* next = total > 1 ? widget((index + 1) % total) : nullptr;
    // The tab widget would pick the left neighbour after the last tab; wrap to the first
    // before removing so only one change is reported.
    if (next && index == total - 1)
        setCurrentWidget(next);
    removeTab(index);
    if (next)
        setCurrentWidget(next);
    if (auto* sheet = qobject_cast<TTabExtSheet*>(page))
        sheet->m_control = nullptr;
}

void TPageExtControl::SetActivePage(QWidget* page) {
    if (indexOf(page) >= 0)
        setCurrentWidget(page);
}

TTabExtSheet* TPageExtControl::ActivePage() const {
    return qobject_cast<TTabExtSheet*>(currentWidget());
}

TTabExtSheet* TPageExtControl::Page(int index) const {
    return qobject_cast<TTabExtSheet*>(widget(index));
}

void TPageExtControl::syncTab(TTabExtSheet* page) {
    const int index = indexOf(page);
    if (index < 0)
        return;
    const QString text = TabCaption(page->m_caption);
    // Stored back so that the blanks are replaced, never added to, on the next change.
    if (m_closeBtn)
        page->m_caption = text;
    setTabText(index, text);
    setTabIcon(index, page->m_image);
    setTabVisible(index, page->m_tabVisible);
    m_bar->update();
}

void TPageExtControl::syncAllTabs() {
    for (int i = 0; i < count(); ++i) {
        if (TTabExtSheet* sheet = Page(i))
            syncTab(sheet);
        else
            setTabText(i, TabCaption(tabText(i)));
    }
    m_bar->update();
}

void TPageExtControl::repaintTab(TTabExtSheet* page) {
    const int index = indexOf(page);
    if (index >= 0)
        m_bar->update(m_bar->tabRect(index));
}

void TPageExtControl::closeByGlyph(int index) {
    QPointer<QWidget> page = widget(index);
    bool canClose = true;
    if (OnTabClose)
        OnTabClose(index, canClose);
    // The handler may have rearranged the pages: detach the page that was asked about.
    if (canClose && page)
        DetachPage(page);
}

void TPageExtControl::reportClick(int index, Qt::MouseButton button) {
    if (OnTabClick)
        OnTabClick(index, button);
}

void TPageExtControl::moveActiveTo(int index) {
    const int from = currentIndex();
    if (from < 0 || index < 0 || index == from)
        return;
    m_bar->moveTab(from, index);
}

} // namespace vorn
