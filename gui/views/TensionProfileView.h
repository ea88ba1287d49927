// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The tension profile under the string chart: a bar per string (octave strings thinner,
// beside their bass), the gut range as a band, out-of-range bars red, a scale in the display
// unit at the left and a legend below, wrapped to the width; hovering names a bar.

#include <QWidget>

#include "chart/TensionProfile.h"

namespace vorn {

class TTensionProfileView : public QWidget {
    Q_OBJECT
public:
    explicit TTensionProfileView(const TStrFrame& chart, QWidget* parent = nullptr);

    // Bar rectangles of the last paint, in widget coordinates, in TensionProfile order.
    const std::vector<QRectF>& BarRects() const { return rects_; }
    // Legend entries of the last paint, in widget coordinates: swatch and text together.
    const std::vector<QRectF>& LegendRects() const { return legendRects_; }
    // The colour of a key's swatch, bar or cap.
    static QColor KeyColour(ProfileKey key);
    // A picture for a page that sets the legend as text of its own.
    void SetLegendShown(bool shown);
    // The legend wraps into as many lines as the width needs, and the height follows.
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override { return {400, heightForWidth(400)}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRectF plotArea(const std::vector<ProfileTick>& ticks, double legendHeight) const;
    // Where each legend entry goes at a width: its top left, relative to the legend's top.
    std::vector<QPointF> legendPlaces(const std::vector<ProfileLegendEntry>& legend, double width,
                                      double* height) const;
    void layoutBars(const std::vector<ProfileBar>& bars, const QRectF& area);
    const TStrFrame& chart_;
    std::vector<QRectF> rects_;
    std::vector<std::string> labels_;
    std::vector<QRectF> legendRects_;
    bool legendShown_ = true;
    size_t legendEntries_ = 0; // as last drawn, to see when the height may change
};

} // namespace vorn
