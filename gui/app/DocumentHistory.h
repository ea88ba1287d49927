// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Undo and redo of every change to a document, one history per tab. A step holds the whole
// body a save would write and the figures the rows showed, before and after the change,
// recorded when the window goes idle after it: an undone change is what Save writes and
// what the chart showed.

#include <QObject>
#include <QUndoGroup>

#include <string>
#include <unordered_map>

class QAction;
class QUndoStack;

namespace vorn {

class TDocumentManager;
class TDocumentStack;
class TVornFrame;

class TDocumentHistory : public QObject {
    Q_OBJECT
public:
    // Steps each document keeps; the oldest go first.
    static constexpr int Depth = 200;
    // Changes of one name closer than this (a dragged slider, a spun tension) are one step.
    static constexpr int MergeMilliseconds = 1000;

    // undo and redo follow the active tab's history: their texts, whether they are enabled
    // and what they do. Frames get their history as their tabs are made.
    TDocumentHistory(TDocumentManager& documents, QAction* undo, QAction* redo, QObject* parent);

    // What the idle handler runs on the active document: the body a save would write, a
    // change since the last one recorded as a step (a document gets its history once it has
    // course rows: a new one's File Setup changes are its first step), and whether the
    // document differs from its saved state.
    bool Follow(TVornFrame& frame);
    // The frame's history; null for a frame that has none.
    QUndoStack* Stack(const TVornFrame* frame) const;
    QUndoGroup& Group() { return group_; }

protected:
    // Ctrl+Z in a cell of the document first takes back typing the chart has not taken yet
    // (Return or leaving the cell hands it over); otherwise it belongs to the document: the
    // cell's own typing undo would only put back text the chart has taken already.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void attach(TVornFrame* frame);
    void activeChanged();
    TDocumentStack* stackOf(const TVornFrame* frame) const;

    TDocumentManager& documents_;
    QAction* undo_;
    QAction* redo_;
    QUndoGroup group_;
    std::unordered_map<const TVornFrame*, TDocumentStack*> stacks_;
};

} // namespace vorn
