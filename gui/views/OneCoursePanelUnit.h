#pragma once
// One course row of the string chart on screen: the bold course number and one line of cells
// per string. Every cell edit is handed to the course model in one call; the cells then show
// what the model holds.

#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "widgets/FloatSpinEdit.h"
#include "widgets/TensionSpinEdit.h"

class QComboBox;
class QToolButton;

namespace vorn {

class TStrFrame;
class TOneCrsPanel;
class TOneStringPanel;
class TNoteSpinEdit;
class TVornFloatEdit;

// An entry cell whose spin button and Up/Down keys can be handed to the course model, which
// steps the value by its own rule.
template <class Base> class TChartCell : public Base {
public:
    explicit TChartCell(QWidget* parent = nullptr) : Base(parent) {}
    // Replaces the control's own step when set; +1 up, -1 down.
    std::function<void(int direction)> OnStep;

protected:
    void Step(int direction) override {
        if (OnStep)
            OnStep(direction);
        else
            Base::Step(direction);
    }
};
using TChartFloatEdit = TChartCell<TFloatEdit>;
using TChartTensionEdit = TChartCell<TTensionEdit>;

// Geometry shared by the rows and the chart's header, in row coordinates.
namespace ChartLayout {
inline constexpr int SectionCount = 8;
// "Course", "Type", "Tuning - Frequency", "Length", "Tension", "Gut Diam.", "Alt. Material",
// "Alt. Diameter"; the last one stretches.
inline constexpr std::array<int, SectionCount> SectionWidths{52, 103, 115, 60, 80, 60, 100, 120};
inline constexpr int NumberWidth = 27; // the course number shares "Course" with the play button
inline constexpr int PlayWidth = 25;
inline constexpr int StringHeight = 25;
inline constexpr int MinAltDiameterWidth = 90;
// Cell widths of slots 0..5 (type .. alternative choice), kept inside their header sections
// less a pixel of grid; the alternative diameter takes the rest of the row.
inline constexpr std::array<int, 6> CellWidths{100, 116, 60, 80, 60, 100};
int SectionLeft(int section);
int FixedWidth(); // everything left of the alternative diameter
} // namespace ChartLayout

// Current and normal rows: background and text.
struct TRowColours {
    QColor CurrentBackground;
    QColor NormalBackground;
    QColor CurrentText;
    QColor NormalText;
    QColor LimitText; // out-of-limit values, on either background
};
const TRowColours& RowColours();
// The row colours as a palette for the cells (active and inactive groups).
QPalette RowPalette(bool current);

// What every row of one chart shows alike, made once for all of them rather than per row.
class TRowResources {
public:
    const QIcon& PlayIcon();

private:
    QIcon playIcon_;
};

// Cell slots of one string, left to right; the column numbers of the keyboard navigation are
// 2 + 2 * slot for a first string and 3 + 2 * slot for an octave string.
enum TCellSlot {
    cs_type = 0,
    cs_note,
    cs_length,
    cs_tension,
    cs_gut,
    cs_alt_choice,
    cs_alt_diameter,
    cs_count
};

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

class TOneStringPanelView : public QWidget {
    Q_OBJECT
public:
    // which: 0 the first string, 1 the octave string of course index `course`.
    TOneStringPanelView(TStrFrame& chart, TRowResources& resources, int course, int which,
                        QWidget* parent);

    int Which() const { return which_; }
    // Cells again from the model.
    void Refresh();
    // Cuts the panel off from the model before it goes: no more edits reach the course.
    void Detach();
    QWidget* Cell(int slot) const;

    QToolButton* PlayButton() const { return play_; }
    QComboBox* TypeBox() const { return type_; }
    TNoteSpinEdit* NoteCell() const { return note_; }
    TChartFloatEdit* LengthCell() const { return length_; }
    TChartTensionEdit* TensionCell() const { return tension_; }
    TChartFloatEdit* GutDiameterCell() const { return gut_; }
    QComboBox* AltChoiceBox() const { return alt_; }
    TVornFloatEdit* AltDiameterCell() const { return altDiameter_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TOneCrsPanel& course() const;
    const TOneStringPanel& string() const;
    void place();
    void paintCells();
    // A typed value is handed over only when it differs from what the model shows.
    void commitLength();
    void commitTension();
    void commitGut();
    void commitAltDiameter();
    QString shown(const std::string& modelText) const;
    bool live() const;

    TStrFrame& chart_;
    TRowResources& resources_;
    int course_;
    int which_;
    bool detached_ = false;
    QToolButton* play_;
    QComboBox* type_;
    TNoteSpinEdit* note_;
    TChartFloatEdit* length_;
    TChartTensionEdit* tension_;
    TChartFloatEdit* gut_;
    QComboBox* alt_;
    TVornFloatEdit* altDiameter_;
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
};

} // namespace vorn
