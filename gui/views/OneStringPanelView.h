// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One string's line of cells in a course row: play button, type box, note, length, tension,
// gut diameter, alternative choice and diameter. Every edit goes to the course model in one
// call; the cells then show what the model holds.

#include <QWidget>

#include <functional>
#include <string>

#include "views/ChartLayout.h"
#include "widgets/FloatEdit.h"
#include "widgets/TensionEdit.h"

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

class TOneStringPanelView : public QWidget {
    Q_OBJECT
public:
    // which: 0 the first string, 1 the octave string of course index `course`. Its cells are
    // empty until the row's Refresh fills them.
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
    // The gut diameter's hint is written when it is asked for, not at every repaint.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TOneCrsPanel& course() const;
    // The model of the string this line shows.
    const TOneStringPanel& model() const;
    void setupPlayButton();
    void describeCells();
    void setupOctaveString();
    void connectFirstString();
    void connectEdits();
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

} // namespace vorn
