// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/SpinButton.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include <array>

namespace vorn {

namespace {

constexpr int FirstRepeatMs = 400;
constexpr int RepeatMs = 100;

// Everything the style's drawing of the two halves depends on.
struct ButtonLook {
    quintptr Style;
    int Width;
    int Height;
    qreal Ratio;
    int State;
    int Pressed;
    int Direction;
    std::array<QRgb, QPalette::NColorRoles> Colors;
    bool operator==(const ButtonLook&) const = default;
};

size_t qHash(const ButtonLook& look, size_t seed = 0) {
    const size_t h = qHashMulti(seed, look.Style, look.Width, look.Height, look.Ratio, look.State,
                                look.Pressed, look.Direction);
    return qHashRange(look.Colors.begin(), look.Colors.end(), h);
}

// Images, not pixmaps: they may outlive the application object.
QHash<ButtonLook, QImage>& keptLooks() {
    static QHash<ButtonLook, QImage> kept;
    return kept;
}

} // namespace

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent) {
    setMaximumSize(ButtonWidth, ButtonHeight);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(RepeatMs);
        fire();
    });
}

void TSpinButton::paintEvent(QPaintEvent*) {
    // A chart holds hundreds of these, nearly all alike: each look is drawn once and copied.
    QStyleOption option;
    option.initFrom(this);
    ButtonLook look{quintptr(style()),
                    width(),
                    height(),
                    devicePixelRatioF(),
                    int(option.state & ~(QStyle::State_HasFocus | QStyle::State_MouseOver)),
                    pressed_,
                    int(option.direction),
                    {}};
    const QPalette::ColorGroup group = option.palette.currentColorGroup();
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        look.Colors[role] = option.palette.color(group, QPalette::ColorRole(role)).rgba();
    QHash<ButtonLook, QImage>& kept = keptLooks();
    auto found = kept.constFind(look);
    if (found == kept.cend()) {
        // Plenty for the colours a window uses; a long run of others starts afresh.
        if (kept.size() >= 64)
            kept.clear();
        QImage drawn(size() * look.Ratio, QImage::Format_ARGB32_Premultiplied);
        drawn.setDevicePixelRatio(look.Ratio);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        drawButtons(painter);
        painter.end();
        found = kept.insert(look, drawn);
    }
    QPainter(this).drawImage(0, 0, *found);
}

void TSpinButton::drawButtons(QPainter& painter) {
    const int upperHeight = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), upperHeight),
                             QRect(0, upperHeight, width(), height() - upperHeight)};
    for (int i = 0; i < 2; ++i) {
        const bool sunken = pressed_ == (i == 0 ? 1 : -1);
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        button.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        button.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &painter, this);

        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(3, 1, -3, -1).translated(sunken ? 1 : 0, sunken ? 1 : 0);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                               &arrow, &painter, this);
    }
}

void TSpinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pressed_ = event->position().y() < height() / 2 ? 1 : -1;
    update();
    fire();
    repeat_.start(FirstRepeatMs);
}

void TSpinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        stop();
}

void TSpinButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        stop();
    QWidget::changeEvent(event);
}

void TSpinButton::fire() {
    if (pressed_ > 0)
        emit upClick();
    else if (pressed_ < 0)
        emit downClick();
}

void TSpinButton::stop() {
    repeat_.stop();
    if (pressed_ != 0) {
        pressed_ = 0;
        update();
    }
}

int EntryMinimumHeight(const QWidget* control) {
    const int own = QFontMetrics(control->font()).height();
    const int system = QFontMetrics(QApplication::font()).height();
    return own + qMin(own, system) / 4 + 4 + 2;
}

} // namespace vorn
