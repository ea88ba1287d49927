// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/TensionProfileView.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "views/ChartLayout.h"
#include "widgets/LocalNumbers.h"

namespace vorn {

namespace {

constexpr double Margin = 6;
constexpr double Gap = 4;       // between courses
constexpr double Swatch = 10;   // a legend entry's colour sample
constexpr double CapHeight = 4; // the near-breaking mark above a bar
constexpr double CapGap = 1;

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
    setMinimumHeight(130);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
}

QRectF TTensionProfileView::plotArea(const std::vector<ProfileTick>& ticks) const {
    // Room for the scale's numbers at the left, its title above, the legend below.
    const QFontMetricsF metrics(font());
    double numbers = 0;
    for (const ProfileTick& t : ticks)
        numbers = std::max(numbers,
                           metrics.horizontalAdvance(LocalNumbers(QString::fromStdString(t.Text))));
    const double line = metrics.height();
    const double left = Margin + numbers + 6;
    const double top = Margin + line + 2;
    const double bottom = height() - Margin - std::max(line, Swatch) - 4;
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
        labels_.push_back(b.Label);
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
    const QRectF area = plotArea(ticks);
    layoutBars(bars, area);
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
    const QColor red = RowColours().LimitText;
    for (size_t i = 0; i < bars.size(); ++i) {
        painter.fillRect(rects_[i], bars[i].OutOfRange ? red : barColour());
        // A cap above the bar, coloured as the string's cells warn of breaking.
        if (bars[i].Breaking != bw_none) {
            const QRectF& r = rects_[i];
            painter.fillRect(QRectF(r.left(), std::max(area.top(), r.top() - CapGap - CapHeight),
                                    r.width(), CapHeight),
                             bars[i].Breaking == bw_close ? red : RowColours().NearBreakText);
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

    // What the band and the colours mean.
    double x = area.left();
    const double baseline = height() - Margin -
                            (std::max(metrics.height(), Swatch) - metrics.ascent()) / 2 -
                            metrics.descent() / 2;
    for (const ProfileLegendEntry& e : ProfileLegend(bars, chart_.Settings.TensionUnit)) {
        const QColor colour = e.Key == pk_band     ? bandColour()
                              : e.Key == pk_within ? barColour()
                              : e.Key == pk_beyond ? red
                                                   : RowColours().NearBreakText;
        painter.fillRect(QRectF(x, baseline - Swatch + 1, Swatch, Swatch), colour);
        const QString text = LocalNumbers(QString::fromStdString(e.Text));
        painter.drawText(QPointF(x + Swatch + 4, baseline), text);
        x += Swatch + 4 + metrics.horizontalAdvance(text) + 14;
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
