// SPDX-License-Identifier: GPL-3.0-or-later

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
    : QWidget(parent), colors_(TTabColors::FromPalette(QApplication::palette())) {
    applyBackground();
}

void TTabExtSheet::SetCaption(const QString& caption) {
    caption_ = caption;
    if (TPageExtControl* control = PageControl())
        control->syncTab(this);
}

void TTabExtSheet::SetColors(const TTabColors& colors) {
    if (colors_ == colors)
        return;
    colors_ = colors;
    applyBackground();
    if (TPageExtControl* control = PageControl())
        control->repaintTab(this);
}

void TTabExtSheet::SetImage(const QIcon& image) {
    image_ = image;
    if (TPageExtControl* control = PageControl())
        control->syncTab(this);
}

void TTabExtSheet::SetTabVisible(bool visible) {
    tabVisible_ = visible;
    if (TPageExtControl* control = PageControl())
        control->syncTab(this);
}

TPageExtControl* TTabExtSheet::PageControl() const {
    return control_ && control_->indexOf(this) >= 0 ? control_.data() : nullptr;
}

int TTabExtSheet::PageIndex() const {
    TPageExtControl* control = PageControl();
    return control ? control->indexOf(this) : -1;
}

void TTabExtSheet::applyBackground() {
    QPalette p = palette();
    p.setColor(QPalette::Window, colors_.Color);
    setPalette(p);
    setAutoFillBackground(true);
}

} // namespace vorn
