#include "widgets/TabExtSheet.h"

#include <QApplication>

#include "widgets/PageExtControl.h"

namespace vorn {

TTabColors TTabColors::FromPalette(const QPalette& palette) {
    TTabColors c;
    c.Color = palette.color(QPalette::Button);
    c.ActiveFontColor = palette.color(QPalette::HighlightedText);
    c.InActiveFontColor = palette.color(QPalette::ButtonText);
    c.ActiveFill1 = palette.color(QPalette::Highlight);
    c.ActiveFill2 = palette.color(QPalette::Highlight).lighter(150);
    c.InActivefill1 = palette.color(QPalette::Button);
    c.InActivefill2 = palette.color(QPalette::Button).lighter(115);
    return c;
}

TTabExtSheet::TTabExtSheet(QWidget* parent)
    : QWidget(parent), m_colors(TTabColors::FromPalette(QApplication::palette())) {
    applyBackground();
}

void TTabExtSheet::SetCaption(const QString& caption) {
    m_caption = caption;
    if (TPageExtControl* control = PageControl())
        control->syncTab(this);
}

void TTabExtSheet::SetColors(const TTabColors& colors) {
    if (m_colors == colors)
        return;
    m_colors = colors;
    applyBackground();
    if (TPageExtControl* control = PageControl())
        control->repaintTab(this);
}

void TTabExtSheet::SetImage(const QIcon& image) {
    m_image = image;
    if (TPageExtControl* control = PageControl())
        control->syncTab(this);
}

void TTabExtSheet::SetTabVisible(bool visible) {
    m_tabVisible = visible;
    if (TPageExtControl* control = PageControl())
        control->syncTab(this);
}

TPageExtControl* TTabExtSheet::PageControl() const {
    return m_control && m_control->indexOf(this) >= 0 ? m_control.data() : nullptr;
}

int TTabExtSheet::PageIndex() const {
    TPageExtControl* control = PageControl();
    return control ? control->indexOf(this) : -1;
}

void TTabExtSheet::applyBackground() {
    QPalette p = palette();
    p.setColor(QPalette::Window, m_colors.Color);
    setPalette(p);
    setAutoFillBackground(true);
}

} // namespace vorn
