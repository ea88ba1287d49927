// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/OneCrsPanelView.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolButton>

#include <algorithm>
#include <utility>

#include "chart/StrFrame.h"

namespace vorn {

TCourseNumberCell::TCourseNumberCell(QWidget* parent) : QLabel(parent) {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setFocusPolicy(Qt::ClickFocus);
    setToolTip(QStringLiteral("Course number"));
    setAccessibleName(QStringLiteral("Course number"));
}

void TCourseNumberCell::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    emit pressed();
}

void TCourseNumberCell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The number stands beside the first string, also in a two-line course.
    const QRect line(0, 0, width(), std::min(height(), ChartLayout::StringHeight - 1));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(line, Qt::AlignCenter, text());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = line.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

TOneCrsPanelView::TOneCrsPanelView(TStrFrame& chart, TRowResources& resources, int course,
                                   QWidget* parent)
    : QWidget(parent), chart_(chart), resources_(resources), course_(course) {
    // Coloured before the cells exist, which then take the colours as they are made.
    paintRow(live() && chart_.Course(course_).IsCurrent());
    number_ = new TCourseNumberCell(this);
    number_->installEventFilter(this);
    connect(number_, &TCourseNumberCell::pressed, this, [this] {
        if (live())
            chart_.Course(course_).SelectCourse();
    });
    strings_[0] = new TOneStringPanelView(chart_, resources_, course_, 0, this);
    watch(strings_[0]);
    Refresh();
}

void TOneCrsPanelView::watch(TOneStringPanelView* string) {
    for (int slot = 0; slot < cs_count; ++slot)
        string->Cell(slot)->installEventFilter(this);
    // Pressing the play button, or tabbing onto it, makes the course current.
    string->PlayButton()->installEventFilter(this);
}

bool TOneCrsPanelView::live() const {
    return !detached_ && course_ < chart_.CourseCount();
}

void TOneCrsPanelView::Detach() {
    detached_ = true;
    number_->blockSignals(true);
    for (TOneStringPanelView* s : {strings_[0], strings_[1], spareOctave_})
        if (s)
            s->Detach();
}

void TOneCrsPanelView::Refresh() {
    if (!live())
        return;
    const TOneCrsPanel& c = chart_.Course(course_);
    number_->setText(QString::number(c.Number));
    // Qt tells the accessibility layer of every name set, changed or not.
    const QString name = QStringLiteral("Course number %1").arg(c.Number);
    if (number_->accessibleName() != name)
        number_->setAccessibleName(name);
    if (c.HasSecond() && !strings_[1]) {
        if (spareOctave_) {
            strings_[1] = std::exchange(spareOctave_, nullptr);
        } else {
            strings_[1] = new TOneStringPanelView(chart_, resources_, course_, 1, this);
            watch(strings_[1]);
            if (OnCellCreated)
                for (int slot = 0; slot < cs_count; ++slot)
                    OnCellCreated(strings_[1]->Cell(slot));
        }
        strings_[1]->show();
    } else if (!c.HasSecond() && strings_[1]) {
        // Kept hidden for the next octave string: a course type changed back and forth, or
        // all of them at once, costs no new cells. It takes no edits while the course has no
        // octave string, and it may be the sender of the change that hid it.
        strings_[1]->hide();
        spareOctave_ = std::exchange(strings_[1], nullptr);
    }
    setFixedHeight((c.HasSecond() ? 2 : 1) * ChartLayout::StringHeight);
    paintRow(c.IsCurrent());
    // Cells repaint themselves when their text or colour changes, and the row's own background
    // follows its palette and size: the whole row is not invalidated for a new figure.
    for (TOneStringPanelView* s : strings_)
        if (s)
            s->Refresh();
    place();
}

void TOneCrsPanelView::paintRow(bool current) {
    // Only the current row has colours of its own. The others inherit the chart's, and as
    // they then share one palette the style draws each kind of list and button once for all.
    if (testAttribute(Qt::WA_SetPalette) == current)
        return;
    setPalette(current ? RowPalette(true) : QPalette());
}

QWidget* TOneCrsPanelView::CellAt(int column) const {
    if (column == 1)
        return number_;
    if (column < 2 || column > 15)
        return nullptr;
    const TOneStringPanelView* s = strings_[column % 2 == 0 ? 0 : 1];
    return s ? s->Cell((column - 2) / 2) : nullptr;
}

int TOneCrsPanelView::ColumnOf(const QObject* widget) const {
    if (widget == number_)
        return 1;
    for (int which = 0; which < 2; ++which) {
        if (!strings_[which])
            continue;
        for (int slot = 0; slot < cs_count; ++slot)
            if (strings_[which]->Cell(slot) == widget)
                return 2 + 2 * slot + which;
    }
    return 0;
}

bool TOneCrsPanelView::eventFilter(QObject* watched, QEvent* event) {
    // Scrolling the chart over a list must not change a course: the wheel only turns a list
    // the user has entered, and otherwise scrolls the rows.
    if (event->type() == QEvent::Wheel) {
        auto* box = qobject_cast<QComboBox*>(watched);
        if (box && !box->hasFocus()) {
            for (QWidget* w = parentWidget(); w; w = w->parentWidget())
                if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
                    QCoreApplication::sendEvent(area->viewport(), event);
                    break;
                }
            return true;
        }
    }
    // Entering a cell or pressing on one (a list about to drop, a play button) makes the course
    // current.
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) && live()) {
        TOneCrsPanel& c = chart_.Course(course_);
        if (!c.IsCurrent())
            c.SelectCourse();
    }
    return QWidget::eventFilter(watched, event);
}

void TOneCrsPanelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

void TOneCrsPanelView::place() {
    using namespace ChartLayout;
    number_->setGeometry(0, 0, NumberWidth, height());
    const int w = std::max(0, width() - NumberWidth);
    for (int which = 0; which < 2; ++which)
        if (strings_[which])
            strings_[which]->setGeometry(NumberWidth, which * StringHeight, w, StringHeight);
}

void TOneCrsPanelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const TRowColours& colours = RowColours();
    const bool current = live() && chart_.Course(course_).IsCurrent();
    painter.fillRect(rect(), current ? colours.CurrentBackground : colours.NormalBackground);
    // Grid lines: under every course, and between the number and the cells.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, height() - 1, width(), height() - 1);
    painter.drawLine(ChartLayout::NumberWidth - 1, 0, ChartLayout::NumberWidth - 1, height() - 1);
}

} // namespace vorn
