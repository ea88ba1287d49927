#include "views/TensionProfileView.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "views/ChartLayout.h"
#include "widgets/LocalNumbers.h"

namespace vorn {

namespace {

constexpr double Margin = 6;
constexpr double Gap = 4;       // between courses
constexpr double CapHeight = 4; // the near-breaking mark above a bar
constexpr double CapGap = 1;

} // namespace

TTensionProfileView::TTensionProfileView(const TStrFrame& chart, QWidget* parent)
    : QWidget(parent), chart_(chart) {
    setObjectName(QStringLiteral("TensionProfile"));
    setAccessibleName(QStringLiteral("Tension profile"));
    setMinimumHeight(90);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
}

void TTensionProfileView::layoutBars(const std::vector<ProfileBar>& bars) {
    rects_.clear();
    labels_.clear();
    if (bars.empty())
        return;
    const double top = ProfileTop(bars);
    const double h = height() - 2 * Margin;
    const int courses = bars.back().Course;
    const double slot = (width() - 2 * Margin) / std::max(1, courses);
    for (const ProfileBar& b : bars) {
        const double x0 = Margin + (b.Course - 1) * slot;
        const double wide = std::max(2.0, slot - Gap);
        const double barHeight = std::clamp(b.Tension / top, 0.0, 1.0) * h;
        // A bass takes two thirds of its slot, its octave string the rest.
        const QRectF r =
            b.Octave ? QRectF(x0 + wide * 0.7, Margin + h - barHeight, wide * 0.3, barHeight)
                     : QRectF(x0, Margin + h - barHeight, wide * 0.65, barHeight);
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
    layoutBars(bars);
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    if (bars.empty())
        return;
    const double top = ProfileTop(bars);
    const double h = height() - 2 * Margin;
    const auto yOf = [&](double t) { return Margin + h - std::clamp(t / top, 0.0, 1.0) * h; };
    // The gut range: the same for every string, one band across.
    const ProfileBar& any = bars.front();
    painter.fillRect(
        QRectF(Margin, yOf(any.Max), width() - 2 * Margin, yOf(any.Min) - yOf(any.Max)),
        QColor(200, 228, 200));
    const QColor normal(70, 110, 160);
    const QColor red = RowColours().LimitText;
    for (size_t i = 0; i < bars.size(); ++i) {
        painter.fillRect(rects_[i], bars[i].OutOfRange ? red : normal);
        // A cap above the bar, coloured as the string's cells warn of breaking.
        if (bars[i].Breaking != bw_none) {
            const QRectF& r = rects_[i];
            painter.fillRect(
                QRectF(r.left(), std::max(0.0, r.top() - CapGap - CapHeight), r.width(), CapHeight),
                bars[i].Breaking == bw_close ? red : RowColours().NearBreakText);
        }
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(QPointF(Margin, Margin + h), QPointF(width() - Margin, Margin + h));
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
