// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DocumentHistory.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUndoCommand>
#include <QUndoStack>

#include <chrono>
#include <utility>

#include "app/DocumentManager.h"
#include "files/ChangeNames.h"
#include "views/VornFrame.h"
#include "widgets/PendingTyping.h"

namespace vorn {

// One document's history and the body it ends at, which the next change is measured against.
class TDocumentStack : public QUndoStack {
public:
    explicit TDocumentStack(TVornFrame* frame) : QUndoStack(frame), Frame(*frame) {
        setObjectName(QStringLiteral("UndoStack"));
        setUndoLimit(TDocumentHistory::Depth);
    }

    TVornFrame& Frame;
    // What the document was at the last step; empty for a read document until it is seen.
    DocumentSnapshot Recorded;
    // The window's idle check may run while the pages follow a restore: it must not record
    // the half-shown document as a step, nor push while the stack is undoing.
    bool Restoring = false;

    // Puts the document back to a snapshot of the history.
    void Restore(const DocumentSnapshot& snapshot) {
        Restoring = true;
        Frame.RestoreData(snapshot);
        Restoring = false;
        // Measured again rather than taken as given: a snapshot that did not read back byte
        // for byte must not come back as a change of its own.
        Recorded = Frame.SnapshotData();
        Frame.Model().Chart.LastEdit = {};
    }
};

namespace {

using Clock = std::chrono::steady_clock;

// A change as two whole snapshots. It is made after the change happened: the first redo,
// which the stack runs on push, has nothing to do.
class TSnapshotStep : public QUndoCommand {
public:
    TSnapshotStep(TDocumentStack& stack, DocumentSnapshot before, DocumentSnapshot after,
                  const QString& name)
        : QUndoCommand(name), stack_(stack), before_(std::move(before)), after_(std::move(after)),
          at_(Clock::now()) {}

    void undo() override { stack_.Restore(before_); }
    void redo() override {
        if (done_)
            stack_.Restore(after_);
        done_ = true;
    }
    int id() const override { return 1; }

    bool mergeWith(const QUndoCommand* command) override {
        const auto* next = static_cast<const TSnapshotStep*>(command);
        const auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(next->at_ - at_);
        // The saved state stays a step of its own, so that undo can come back to it.
        if (next->text() != text() || gap.count() > TDocumentHistory::MergeMilliseconds ||
            after_.Body == stack_.Frame.Model().SavedBytes())
            return false;
        after_ = next->after_;
        at_ = next->at_;
        setObsolete(after_ == before_);
        return true;
    }

private:
    TDocumentStack& stack_;
    DocumentSnapshot before_;
    DocumentSnapshot after_;
    Clock::time_point at_; // of the latest change merged in
    bool done_ = false;
};

QString actionText(const QString& command, const QString& step) {
    return step.isEmpty() ? command : command + u' ' + step;
}

} // namespace

TDocumentHistory::TDocumentHistory(TDocumentManager& documents, QAction* undo, QAction* redo,
                                   QObject* parent)
    : QObject(parent), documents_(documents), undo_(undo), redo_(redo) {
    connect(&documents, &TDocumentManager::frameAttached, this, &TDocumentHistory::attach);
    connect(&documents, &TDocumentManager::activeChanged, this, &TDocumentHistory::activeChanged);
    connect(&group_, &QUndoGroup::canUndoChanged, undo, &QAction::setEnabled);
    connect(&group_, &QUndoGroup::canRedoChanged, redo, &QAction::setEnabled);
    connect(&group_, &QUndoGroup::undoTextChanged, undo, [undo](const QString& step) {
        undo->setText(actionText(QStringLiteral("Undo"), step));
    });
    connect(&group_, &QUndoGroup::redoTextChanged, redo, [redo](const QString& step) {
        redo->setText(actionText(QStringLiteral("Redo"), step));
    });
    connect(undo, &QAction::triggered, &group_, &QUndoGroup::undo);
    connect(redo, &QAction::triggered, &group_, &QUndoGroup::redo);
    qApp->installEventFilter(this);
}

void TDocumentHistory::attach(TVornFrame* frame) {
    auto* stack = new TDocumentStack(frame);
    // A new document starts from what its tab made: the File Setup changes become a step of
    // their own once the document has rows to undo them on.
    if (!frame->HasCourseRows())
        stack->Recorded = frame->SnapshotData();
    stacks_[frame] = stack;
    group_.addStack(stack);
    connect(frame, &QObject::destroyed, this, [this, frame] { stacks_.erase(frame); });
}

void TDocumentHistory::activeChanged() {
    group_.setActiveStack(stackOf(documents_.ActiveDocument()));
}

TDocumentStack* TDocumentHistory::stackOf(const TVornFrame* frame) const {
    const auto found = stacks_.find(frame);
    return found == stacks_.end() ? nullptr : found->second;
}

QUndoStack* TDocumentHistory::Stack(const TVornFrame* frame) const {
    return stackOf(frame);
}

bool TDocumentHistory::Follow(TVornFrame& frame) {
    const DocumentSnapshot now = frame.SnapshotData();
    TFileFrame& model = frame.Model();
    ChartEdit& edit = model.Chart.LastEdit;
    TDocumentStack* stack = stackOf(&frame);
    if (stack && !stack->Restoring && model.HasCourseRows()) {
        // A document read from a file starts its history as it was read.
        if (stack->Recorded.Body.empty()) {
            stack->Recorded = now;
        } else if (now != stack->Recorded) {
            const QString name =
                QString::fromStdString(DescribeChange(stack->Recorded.Body, now.Body, edit));
            stack->push(new TSnapshotStep(*stack, std::exchange(stack->Recorded, now), now, name));
        }
    }
    // A note that changed nothing must not name the next change.
    edit = {};
    return model.ChangedFrom(now.Body);
}

bool TDocumentHistory::eventFilter(QObject* watched, QEvent* event) {
    const bool override = event->type() == QEvent::ShortcutOverride;
    if (!override && event->type() != QEvent::KeyPress)
        return false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const TVornFrame* frame = documents_.ActiveDocument();
    if (!edit || !frame || !frame->isAncestorOf(edit))
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    // Typing the document has not taken yet goes first, and alone: the next Ctrl+Z undoes
    // the document.
    if (undo_->shortcuts().contains(pressed) && HasPendingTyping(edit)) {
        if (override) {
            event->accept(); // the key comes to the cell as a key press, not to the shortcut
            return true;
        }
        TakeBackTyping(edit);
        return true;
    }
    if (!override)
        return false;
    for (QAction* action : {undo_, redo_})
        if (action->isEnabled() && action->shortcuts().contains(pressed))
            return true; // left unaccepted: the shortcut runs
    return false;
}

} // namespace vorn
