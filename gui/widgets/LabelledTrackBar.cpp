// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/LabelledTrackBar.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace vorn {

// Exposes the style option so that labels line up with the handle's centre.
class TTrackSlider : public QSlider {
public:
    explicit TTrackSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {}

    int HandleCentre(int value) const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect groove =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
        const QRect handle =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        const int span = groove.height() - handle.height();
        return groove.top() + handle.height() / 2 +
               QStyle::sliderPositionFromValue(minimum(), maximum(), value, span,
                                               option.upsideDown);
    }
};

TLabelledTrackBar::TLabelledTrackBar(QWidget* parent)
    : QWidget(parent), slider_(new TTrackSlider(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(slider_);
    layout->addStretch(1);
    // Smallest at the top; Down moves the handle down, to larger values.
    slider_->setInvertedAppearance(true);
    slider_->setInvertedControls(true);
    slider_->setTickPosition(QSlider::TicksRight);
    slider_->setTickInterval(2);
    slider_->setSingleStep(1);
    slider_->setPageStep(4);
    connect(slider_, &QSlider::valueChanged, this, &TLabelledTrackBar::positionChanged);
}

void TLabelledTrackBar::SetRange(int minimum, int maximum) {
    const QSignalBlocker block(slider_);
    slider_->setRange(minimum, maximum);
    update();
}

void TLabelledTrackBar::SetLabels(std::vector<std::pair<int, QString>> labels) {
    labels_ = std::move(labels);
    updateGeometry();
    update();
}

int TLabelledTrackBar::Position() const {
    return slider_->value();
}

void TLabelledTrackBar::SetPosition(int position) {
    const QSignalBlocker block(slider_);
    slider_->setValue(position);
}

QSlider* TLabelledTrackBar::Slider() const {
    return slider_;
}

int TLabelledTrackBar::LabelCentre(int position) const {
    return slider_->y() + slider_->HandleCentre(position);
}

QSize TLabelledTrackBar::sizeHint() const {
    int widest = 0;
    for (const auto& [position, text] : labels_)
        widest = std::max(widest, fontMetrics().horizontalAdvance(text));
    return {slider_->sizeHint().width() + widest + 6, 240};
}

void TLabelledTrackBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int x = slider_->geometry().right() + 4;
    const int half = fontMetrics().height() / 2;
    for (const auto& [position, text] : labels_) {
        const int y = LabelCentre(position);
        painter.drawText(QRect(x, y - half, width() - x, 2 * half),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

} // namespace vorn
