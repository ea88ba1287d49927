// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/PageExtControl.h"

#include <QPointer>

namespace vorn {

TPageExtControl::TPageExtControl(QWidget* parent)
    : QTabWidget(parent), bar_(new TPageExtTabBar(this)) {
    setTabBar(bar_);
    setAccessibleName(QStringLiteral("Pages"));
}

void TPageExtControl::SetCloseBtn(bool on) {
    closeBtn_ = on;
    syncAllTabs();
}

void TPageExtControl::SetSmallCloseBtn(bool on) {
    smallCloseBtn_ = on;
    bar_->update();
}

void TPageExtControl::SetOwnerDraw(bool on) {
    ownerDraw_ = on;
    bar_->update();
}

void TPageExtControl::SetTabFillGradient(bool on) {
    fillGradient_ = on;
    bar_->update();
}

void TPageExtControl::SetHotTrack(bool on) {
    hotTrack_ = on;
    bar_->update();
}

QString TPageExtControl::TabCaption(const QString& caption) const {
    QString text = caption.trimmed();
    if (closeBtn_)
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
    page->control_ = this;
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
        sheet->control_ = nullptr;
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
    const QString text = TabCaption(page->caption_);
    // Stored back so that the blanks are replaced, never added to, on the next change.
    if (closeBtn_)
        page->caption_ = text;
    setTabText(index, text);
    setTabIcon(index, page->image_);
    setTabVisible(index, page->tabVisible_);
    bar_->update();
}

void TPageExtControl::syncAllTabs() {
    for (int i = 0; i < count(); ++i) {
        if (TTabExtSheet* sheet = Page(i))
            syncTab(sheet);
        else
            setTabText(i, TabCaption(tabText(i)));
    }
    bar_->update();
}

void TPageExtControl::repaintTab(TTabExtSheet* page) {
    const int index = indexOf(page);
    if (index >= 0)
        bar_->update(bar_->tabRect(index));
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
    bar_->moveTab(from, index);
}

} // namespace vorn
