// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/SpinButton.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOptionButton>

namespace vorn {

namespace {
constexpr int FirstRepeatMs = 400;
constexpr int RepeatMs = 100;
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
    // Every entry cell has a pair, and each repaints with its cell whenever a figure changes:
    // the drawing is made once per look and copied.
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    QStyleOption look;
    look.initFrom(this);
    const QString key = QStringLiteral("vorn-spin-%1x%2-%3-%4-%5-%6-%7-%8")
                            .arg(width())
                            .arg(height())
                            .arg(pressed_)
                            .arg(uint(look.state))
                            .arg(int(look.direction))
                            .arg(look.palette.cacheKey())
                            .arg(reinterpret_cast<quintptr>(style()))
                            .arg(ratio);
    QPixmap face;
    if (!QPixmapCache::find(key, &face)) {
        face = QPixmap(size() * ratio);
        face.setDevicePixelRatio(ratio);
        face.fill(Qt::transparent);
        QPainter on(&face);
        drawFace(on);
        on.end();
        QPixmapCache::insert(key, face);
    }
    painter.drawPixmap(0, 0, face);
}

void TSpinButton::drawFace(QPainter& painter) const {
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
