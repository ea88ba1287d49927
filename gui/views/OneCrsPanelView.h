// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One course row of the string chart on screen: the bold course number and one line of cells
// per string (see OneStringPanelView).

#include <QLabel>
#include <QWidget>

#include <array>
#include <functional>

#include "views/OneStringPanelView.h"

namespace vorn {

class TStrFrame;

// The course number: bold, takes focus so that the keyboard can move through it.
class TCourseNumberCell : public QLabel {
    Q_OBJECT
public:
    explicit TCourseNumberCell(QWidget* parent = nullptr);

signals:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

class TOneCrsPanelView : public QWidget {
    Q_OBJECT
public:
    TOneCrsPanelView(TStrFrame& chart, TRowResources& resources, int course, QWidget* parent);

    int CourseIndex() const { return course_; }
    // Cells, colours and the octave line again from the model; the height follows it.
    void Refresh();
    // Cuts the row off from the model before it goes (the model's rows were replaced).
    void Detach();

    TCourseNumberCell* NumberCell() const { return number_; }
    TOneStringPanelView* FirstString() const { return strings_[0]; }
    // Null without an octave string.
    TOneStringPanelView* OctaveString() const { return strings_[1]; }
    // Navigation column 1..15 to its cell; null when the course has no such cell.
    QWidget* CellAt(int column) const;
    // The column of a cell of this row, 0 when the widget is none of them.
    int ColumnOf(const QObject* widget) const;

    // Told of each cell an octave string brings later, so that the chart can watch it too.
    std::function<void(QWidget*)> OnCellCreated;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void place();
    void watch(TOneStringPanelView* string);
    bool live() const;
    void paintRow(bool current);

    TStrFrame& chart_;
    TRowResources& resources_;
    int course_;
    bool detached_ = false;
    TCourseNumberCell* number_ = nullptr;
    std::array<TOneStringPanelView*, 2> strings_{};
    TOneStringPanelView* spareOctave_ = nullptr; // hidden while the course has none
};

} // namespace vorn
