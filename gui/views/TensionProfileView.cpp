// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/TensionProfileView.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

#include "views/ChartLayout.h"
#include "widgets/LocalNumbers.h"

namespace vorn {

namespace {

constexpr double Margin = 6;
constexpr double Gap = 4;       // between courses
constexpr double Swatch = 10;   // a legend entry's colour sample
constexpr double CapHeight = 4; // the near-breaking mark above a bar
constexpr double CapGap = 1;
constexpr double PlotHeight = 130; // the picture above its legend
constexpr double EntryGap = 14;    // between legend entries on a line

QColor bandColour() {
    return {200, 228, 200};
}
QColor barColour() {
    return {70, 110, 160};
}

} // namespace

TTensionProfileView::TTensionProfileView(const TStrFrame& chart, QWidget* parent)
    : QWidget(parent), chart_(chart) {
    setObjectName(QStringLiteral("TensionProfile"));
    setAccessibleName(QStringLiteral("Tension profile"));
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMouseTracking(true);
}

QColor TTensionProfileView::KeyColour(ProfileKey key) {
    switch (key) {
    case pk_band:
        return bandColour();
    case pk_within:
        return barColour();
    case pk_breaking:
        return RowColours().NearBreakText;
    default: // a bar out of range, a cap at or near breaking
        return RowColours().LimitText;
    }
}

void TTensionProfileView::SetLegendShown(bool shown) {
    legendShown_ = shown;
    updateGeometry();
    update();
}

std::vector<QPointF>
TTensionProfileView::legendPlaces(const std::vector<ProfileLegendEntry>& legend, double width,
                                  double* height) const {
    const QFontMetricsF metrics(font());
    const double line = std::max(metrics.height(), Swatch) + 2;
    std::vector<QPointF> places;
    double x = 0;
    double y = 0;
    for (const ProfileLegendEntry& e : legend) {
        const double wide =
            Swatch + 4 + metrics.horizontalAdvance(LocalNumbers(QString::fromStdString(e.Text)));
        // A new line where the entry would run past the right edge, unless it begins one.
        if (x > 0 && x + wide > width) {
            x = 0;
            y += line;
        }
        places.emplace_back(x, y);
        x += wide + EntryGap;
    }
    *height = legend.empty() ? 0 : y + line;
    return places;
}

int TTensionProfileView::heightForWidth(int width) const {
    double legend = 0;
    if (legendShown_)
        legendPlaces(ProfileLegend(TensionProfile(chart_), chart_.Settings.TensionUnit),
                     width - 2 * Margin, &legend);
    return static_cast<int>(std::ceil(PlotHeight + legend));
}

QRectF TTensionProfileView::plotArea(const std::vector<ProfileTick>& ticks,
                                     double legendHeight) const {
    // Room for the scale's numbers at the left, its title above, the legend below.
    const QFontMetricsF metrics(font());
    double numbers = 0;
    for (const ProfileTick& t : ticks)
        numbers = std::max(numbers,
                           metrics.horizontalAdvance(LocalNumbers(QString::fromStdString(t.Text))));
    const double line = metrics.height();
    const double left = Margin + numbers + 6;
    const double top = Margin + line + 2;
    const double bottom = height() - Margin - legendHeight - 4;
    return QRectF(QPointF(left, top),
                  QPointF(std::max(left + 1, width() - Margin), std::max(top + 1, bottom)));
}

void TTensionProfileView::layoutBars(const std::vector<ProfileBar>& bars, const QRectF& area) {
    rects_.clear();
    labels_.clear();
    if (bars.empty())
        return;
    const double top = ProfileTop(bars);
    const double h = area.height();
    const int courses = bars.back().Course;
    const double slot = area.width() / std::max(1, courses);
    for (const ProfileBar& b : bars) {
        const double x0 = area.left() + (b.Course - 1) * slot;
        const double wide = std::max(2.0, slot - Gap);
        const double barHeight = std::clamp(b.Tension / top, 0.0, 1.0) * h;
        // A bass takes two thirds of its slot, its octave string the rest.
        const QRectF r =
            b.Octave ? QRectF(x0 + wide * 0.7, area.bottom() - barHeight, wide * 0.3, barHeight)
                     : QRectF(x0, area.bottom() - barHeight, wide * 0.65, barHeight);
        rects_.push_back(r);
        labels_.push_back(b.Hint);
    }
    // Courses without an octave string take the whole slot.
    for (size_t i = 0; i < bars.size(); ++i) {
        const bool hasOctave = i + 1 < bars.size() && bars[i + 1].Octave;
        if (!bars[i].Octave && !hasOctave)
            rects_[i].setWidth(std::max(2.0, slot - Gap));
    }
}

void TTensionProfileView::paintEvent(QPaintEvent*) {
    const std::vector<ProfileBar> bars = TensionProfile(chart_);
    const double top = ProfileTop(bars);
    const std::vector<ProfileTick> ticks =
        bars.empty() ? std::vector<ProfileTick>() : ProfileTicks(top);
    const std::vector<ProfileLegendEntry> legend =
        legendShown_ ? ProfileLegend(bars, chart_.Settings.TensionUnit)
                     : std::vector<ProfileLegendEntry>();
    double legendHeight = 0;
    const std::vector<QPointF> places = legendPlaces(legend, width() - 2 * Margin, &legendHeight);
    const QRectF area = plotArea(ticks, legendHeight);
    layoutBars(bars, area);
    legendRects_.clear();
    // A cap drawn or gone changes the legend, which may take a line more or less.
    if (legend.size() != legendEntries_) {
        legendEntries_ = legend.size();
        updateGeometry();
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (bars.empty())
        return;
    const auto yOf = [&](double t) {
        return area.bottom() - std::clamp(t / top, 0.0, 1.0) * area.height();
    };
    // The gut range: the same for every string, one band across.
    const ProfileBar& any = bars.front();
    painter.fillRect(
        QRectF(QPointF(area.left(), yOf(any.Max)), QPointF(area.right(), yOf(any.Min))),
        bandColour());
    for (size_t i = 0; i < bars.size(); ++i) {
        painter.fillRect(rects_[i], KeyColour(bars[i].OutOfRange ? pk_beyond : pk_within));
        // A cap above the bar, coloured as the string's cells warn of breaking.
        if (bars[i].Breaking != bw_none) {
            const QRectF& r = rects_[i];
            painter.fillRect(
                QRectF(r.left(), std::max(area.top(), r.top() - CapGap - CapHeight), r.width(),
                       CapHeight),
                KeyColour(bars[i].Breaking == bw_close ? pk_close_breaking : pk_breaking));
        }
    }

    // The scale in the display unit.
    const QFontMetricsF metrics(font());
    const QColor ink = palette().color(QPalette::Text);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.bottomLeft(), area.topLeft());
    painter.setPen(ink);
    for (const ProfileTick& t : ticks) {
        const double y = yOf(t.Value);
        painter.drawLine(QPointF(area.left() - 4, y), QPointF(area.left(), y));
        const QString number = LocalNumbers(QString::fromStdString(t.Text));
        painter.drawText(QPointF(area.left() - 6 - metrics.horizontalAdvance(number),
                                 y + metrics.ascent() / 2 - 1),
                         number);
    }
    painter.drawText(QPointF(Margin, Margin + metrics.ascent()),
                     QString::fromStdString(ProfileAxisTitle(chart_.Settings.TensionUnit)));

    // What the band and the colours mean, below the plot, wrapped to the width.
    const double legendTop = height() - Margin - legendHeight;
    for (size_t i = 0; i < legend.size(); ++i) {
        const QString text = LocalNumbers(QString::fromStdString(legend[i].Text));
        const double x = Margin + places[i].x();
        const double y = legendTop + places[i].y();
        const double line = std::max(metrics.height(), Swatch);
        painter.fillRect(QRectF(x, y + (line - Swatch) / 2, Swatch, Swatch),
                         KeyColour(legend[i].Key));
        painter.drawText(
            QPointF(x + Swatch + 4, y + (line - metrics.height()) / 2 + metrics.ascent()), text);
        legendRects_.emplace_back(x, y, Swatch + 4 + metrics.horizontalAdvance(text), line);
    }
}

bool TTensionProfileView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        for (size_t i = 0; i < rects_.size(); ++i) {
            // The whole column above a bar counts, so short bars are easy to point at.
            const QRectF column(rects_[i].left(), 0, rects_[i].width(), height());
            if (column.contains(help->pos())) {
                QToolTip::showText(help->globalPos(),
                                   LocalNumbers(QString::fromStdString(labels_[i])), this);
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

} // namespace vorn
