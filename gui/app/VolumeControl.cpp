// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/VolumeControl.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>

#include <cmath>

#include "sound/ToneImage.h"

namespace vorn {

TVolumeControl::TVolumeControl(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("VolControl"));
    setFixedSize(347, 35);
    frame_ = new QFrame(this);
    frame_->setFrameShape(QFrame::Panel);
    frame_->setFrameShadow(QFrame::Raised);
    frame_->setMouseTracking(true);
    frame_->installEventFilter(this);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame_);
    auto* inner = new QHBoxLayout(frame_);
    inner->setContentsMargins(8, 8, 8, 8);
    slider_ = new QScrollBar(Qt::Horizontal, frame_);
    slider_->setObjectName(QStringLiteral("ScrollBar1"));
    slider_->setRange(0, MaxToneVolume);
    slider_->setPageStep(0);
    slider_->setValue(DefaultToneVolume);
    label_ = new QLabel(QStringLiteral("Volume"), frame_);
    label_->setObjectName(QStringLiteral("Panel2"));
    label_->setFixedWidth(106);
    label_->setFrameShape(QFrame::Panel);
    label_->setFrameShadow(QFrame::Sunken);
    label_->setAlignment(Qt::AlignCenter);
    inner->addWidget(slider_, 1);
    inner->addWidget(label_);
    connect(slider_, &QScrollBar::valueChanged, this, [this] { updateLabel(); });
}

int TVolumeControl::Volume() const {
    return slider_->value();
}

void TVolumeControl::SetVolume(int v) {
    slider_->setValue(v);
}

QString TVolumeControl::LabelText() const {
    return label_->text();
}

void TVolumeControl::updateLabel() {
    const double percent = static_cast<double>(slider_->value()) / MaxToneVolume * 100.0;
    label_->setText(QStringLiteral("Volume: %1%").arg(static_cast<int>(std::nearbyint(percent))));
}

void TVolumeControl::ShowAtPointer(bool show, const QPoint& globalPointer) {
    entered_ = false;
    visited_ = false;
    move(globalPointer.x() + 10, globalPointer.y() - 10);
    if (show) {
        updateLabel();
        this->show();
        raise();
    } else {
        hide();
    }
}

bool TVolumeControl::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        updateLabel();
    // Not before the pointer was over it: a click on the side bar's Volume toggle takes the
    // activation first, and the toggle must then close the window rather than open it again.
    if (e->type() == QEvent::WindowDeactivate && visited_)
        hide();
    return QWidget::event(e);
}

void TVolumeControl::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    visited_ = false;
    emit hidden();
}

void TVolumeControl::enterEvent(QEnterEvent* e) {
    visited_ = true;
    QWidget::enterEvent(e);
}

// A quick pointer skips the band below; leaving is seen whatever the speed.
void TVolumeControl::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    if (visited_)
        hide();
}

// The window goes once the pointer, having been inside, crosses its outer 2-pixel band.
bool TVolumeControl::eventFilter(QObject* watched, QEvent* e) {
    if (watched == frame_ && e->type() == QEvent::MouseMove) {
        const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
        const int w = width();
        const int h = height();
        if (p.x() > 5 && p.x() < w && p.y() > 1 && p.y() < h)
            entered_ = true;
        if (entered_ && (p.x() < 2 || p.x() > w - 2 || p.y() < 1 || p.y() > h - 2)) {
            entered_ = false;
            hide();
        }
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace vorn
