// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One row of the fret chart: the fret number, the main position (choice marker, note,
// distance, play button) and the alternative position, coloured by their choices, Mi above Fa.

#include <QFrame>

#include "frets/FretFrorm.h"

class QAbstractButton;
class QLabel;
class QToolButton;

namespace vorn {

class TNotePanel;

// Column geometry shared by the rows and the chart's header, in pixels.
namespace FretChartLayout {
inline constexpr int NumberWidth = 40;
inline constexpr int MarkerWidth = 32;
inline constexpr int NoteWidth = 44;
inline constexpr int DistanceWidth = 92;
inline constexpr int PlayWidth = 28;
inline constexpr int PartWidth = MarkerWidth + NoteWidth + DistanceWidth + PlayWidth;
inline constexpr int MainX = NumberWidth;
inline constexpr int AltX = MainX + PartWidth + 8;
inline constexpr int RowWidth = AltX + PartWidth + 4;
inline constexpr int PartHeight = 22;
inline constexpr int RowHeight = 2 * PartHeight + 5;
inline constexpr int FixedTop = 3; // a fixed fret's part sits just below the row's top
} // namespace FretChartLayout

// The main or the alternative part of a row.
class TFretPartView : public QFrame {
    Q_OBJECT
public:
    explicit TFretPartView(QWidget* parent);

    void Show(const FretPartView& part, bool markerActive);
    QToolButton* Marker() const { return marker_; }
    TNotePanel* Note() const { return note_; }
    QLabel* Distance() const { return distance_; }
    QToolButton* Play() const { return play_; }
    int PlayHertz() const { return hertz_; }
    const NoteValue& PlayNote() const { return shown_; }

private:
    QToolButton* marker_;
    TNotePanel* note_;
    QLabel* distance_;
    QToolButton* play_;
    int hertz_ = 0;
    NoteValue shown_;
};

class TFretPositionView : public QWidget {
    Q_OBJECT
public:
    explicit TFretPositionView(int fret, QWidget* parent);

    // ShowFret: the row as the model computed it; markers look like buttons when active.
    void ShowFret(const FretRowView& row, bool markerActive, bool showAlternative);
    int Fret() const { return fret_; }
    TFretPartView* MainPart() const { return main_; }
    TFretPartView* AltPart() const { return alt_; }

    QSize sizeHint() const override;

signals:
    void markerPressed(int fret);
    void playToggled(int frequency, const vorn::NoteValue& note, QAbstractButton* button,
                     bool down);

protected:
    // A rule under each row keeps its Mi and Fa parts together for the eye.
    void paintEvent(QPaintEvent* event) override;

private:
    void place(TFretPartView* part, const FretPartView& view, int x);

    int fret_;
    QLabel* number_;
    TFretPartView* main_;
    TFretPartView* alt_;
};

} // namespace vorn
