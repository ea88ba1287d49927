// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The string chart page: the instrument and maker names, the column header and one row per
// course over the chart model. Ctrl+arrow keys move between the cells of the rows.

#include <QWidget>

#include <utility>
#include <vector>

#include "pitch/NoteValue.h"
#include "views/ChartScrollArea.h"
#include "views/OneCrsPanelView.h"

class QHeaderView;
class QLineEdit;
class QVBoxLayout;

class QAbstractButton;

namespace vorn {

class TStrFrame;
class TTensionProfileView;

class TStrFrameView : public QWidget {
    Q_OBJECT
public:
    explicit TStrFrameView(TStrFrame& chart, QWidget* parent = nullptr);

    // What the model's row notification asks for: -1 shows every course again, an index
    // refreshes that row. Rows are kept and refreshed in place; only a change of the number of
    // courses adds or removes rows at the end.
    void RowsChanged(int index);
    // While a document is read the model tells of its rows several times over: between
    // HoldRows and the matching ReleaseRows the notifications are only noted, and the rows
    // are brought up to date once at the end.
    void HoldRows();
    void ReleaseRows();
    // The name boxes again from the document.
    void ShowNames();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    TOneCrsPanelView* Row(int index) const;
    QLineEdit* InstrumentNameBox() const { return instrumentName_; }
    QLineEdit* MakerNameBox() const { return makerName_; }
    QHeaderView* Header() const { return scroll_->Header(); }
    TChartScrollArea* ScrollArea() const { return scroll_; }
    // The tension profile under the rows and the button that shows or hides it.
    TTensionProfileView* Profile() const { return profile_; }
    QAbstractButton* ProfileButton() const;

    // The focused cell: its course (0-based) and column 1..15; course -1 when no cell of the
    // rows has the focus. FocusCell puts it back after the rows were rebuilt.
    std::pair<int, int> FocusedCell() const;
    void FocusCell(int course, int column) { focusCell(course, column); }

    // Ctrl+arrow navigation from a cell: the cell column 1..15 in course `course`, the arrow
    // key. Callers that move the focus themselves can use it too.
    void Navigate(int course, int column, int key);

signals:
    // The user typed into one of the name boxes.
    void instrumentNameEdited(const QString& text);
    void makerNameEdited(const QString& text);
    // A string's play toggle was pressed (its whole-hertz tone) or released.
    void playRequested(int frequency, const vorn::NoteValue& note, QAbstractButton* button);
    void stopRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Every row from the model; adds or removes rows to match the number of courses.
    void showRows();
    void watchCell(QWidget* cell);
    // Focuses a cell of course `course` at `column`; the course becomes current even when
    // the cell cannot take the focus.
    void focusCell(int course, int column);
    bool hasOctave(int course) const;
    void navigateDown(int course, int column);
    void navigateUp(int course, int column);
    void navigateAcross(int course, int column, int step);

    TStrFrame& chart_;
    TRowResources rowResources_;
    int holds_ = 0;
    bool pendingRebuild_ = false;
    std::vector<int> pendingRows_;
    QLineEdit* instrumentName_;
    QLineEdit* makerName_;
    TChartScrollArea* scroll_;
    QWidget* rowsHost_;
    QVBoxLayout* rowsLayout_;
    std::vector<TOneCrsPanelView*> rows_;
    TTensionProfileView* profile_;
    QAbstractButton* profileButton_;
};

// Holds a view's rows while it lives.
class TRowHold {
public:
    explicit TRowHold(TStrFrameView& view) : view_(view) { view_.HoldRows(); }
    ~TRowHold() { view_.ReleaseRows(); }
    TRowHold(const TRowHold&) = delete;
    TRowHold& operator=(const TRowHold&) = delete;

private:
    TStrFrameView& view_;
};

} // namespace vorn
