// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/FretFrameView.h"

#include <QPainter>

namespace vorn {

namespace {

const QColor Background(192, 220, 192);
const QColor Wood(92, 58, 32);
const QColor Body(150, 102, 58);
const QColor Ivory(244, 238, 220);
const QColor FretWire(214, 214, 206);
const QColor StringColour(235, 225, 190);
const QColor EqualMark(200, 30, 30);

constexpr int LabelBand = 14; // fret numbers above the neck
constexpr int NeckBottomMargin = 6;

} // namespace

TFretFrameView::TFretFrameView(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(GraphicHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Fret graphic"));
}

void TFretFrameView::Draw(const FretChoices& choices, double commaFraction,
                          const std::optional<FretScale>& fretScale) {
    choices_ = choices;
    fraction_ = commaFraction;
    scale_ = fretScale;
    update();
}

void TFretFrameView::SetEqualMarks(bool shown) {
    equal_ = shown;
    update();
}

FretGraphicLayout TFretFrameView::Layout() {
    return frame_.Layout(width(), choices_, fraction_, scale_);
}

void TFretFrameView::paintEvent(QPaintEvent*) {
    const FretGraphicLayout g = Layout();
    QPainter painter(this);
    painter.fillRect(rect(), Background);

    const int top = LabelBand;
    const int bottom = height() - NeckBottomMargin;
    const int neckHeight = bottom - top;

    painter.fillRect(QRect(g.BodyX, top - 6, width() - g.BodyX, neckHeight + 12), Body);
    painter.fillRect(QRect(g.NeckX, top, g.NeckWidth, neckHeight), Wood);
    painter.fillRect(QRect(g.NutX, top, g.NeckX - g.NutX, neckHeight), Ivory);

    painter.setPen(QPen(StringColour, 1));
    constexpr int Strings = 6;
    for (int s = 0; s < Strings; ++s) {
        const int y = top + 4 + s * (neckHeight - 8) / (Strings - 1);
        painter.drawLine(g.NutX, y, g.BodyX + 8, y);
    }

    painter.setPen(QPen(FretWire, 2));
    for (int x : g.FretX)
        painter.drawLine(x, top, x, bottom - 1);
    painter.drawLine(g.Fret12X, top, g.Fret12X, bottom - 1);

    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.75));
    painter.setFont(small);
    painter.setPen(Qt::black);
    for (int k = 0; k < GraphicFretCount; ++k)
        painter.drawText(QPoint(g.LabelX[k], top - 3), QString::number(k + 1));
    painter.drawText(QPoint(g.Fret12X - 3, top - 3), QStringLiteral("12"));

    if (equal_) {
        painter.setPen(QPen(EqualMark, 2));
        for (int x : g.EqualX)
            painter.drawLine(x, bottom - 8, x, bottom + 3);
    }
}

} // namespace vorn
