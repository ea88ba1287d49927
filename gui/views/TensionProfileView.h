// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The tension profile under the string chart: a bar per string (octave strings thinner,
// beside their bass), the gut range as a band, out-of-range bars red, a scale in the display
// unit at the left and a legend below; hovering names a bar.

#include <QWidget>

#include "chart/TensionProfile.h"

namespace vorn {

class TTensionProfileView : public QWidget {
    Q_OBJECT
public:
    explicit TTensionProfileView(const TStrFrame& chart, QWidget* parent = nullptr);

    // Bar rectangles of the last paint, in widget coordinates, in TensionProfile order.
    const std::vector<QRectF>& BarRects() const { return rects_; }
    QSize sizeHint() const override { return {400, 150}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRectF plotArea(const std::vector<ProfileTick>& ticks) const;
    void layoutBars(const std::vector<ProfileBar>& bars, const QRectF& area);
    const TStrFrame& chart_;
    std::vector<QRectF> rects_;
    std::vector<std::string> labels_;
};

} // namespace vorn
