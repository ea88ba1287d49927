// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Copies of the documents with unsaved changes, so that a crash loses none of them: a changed
// document is copied into this run's recovery folder within a second or two of the change, and
// its copy goes once it is saved, closed or changed back. At start the copies of runs that ended
// without saving are offered back, one question per document.

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "files/RecoveryStore.h"

namespace vorn {

class TDocumentManager;
class TGlobalData;
class TVornFrame;

class TRecoveryKeeper : public QObject {
    Q_OBJECT
public:
    enum Answer { ra_recover, ra_discard };

    // Keeps copies of the manager's documents in a folder of this run's own under folder;
    // questions open over window.
    TRecoveryKeeper(TDocumentManager& documents, TGlobalData& settings, QWidget* window,
                    const QString& folder);
    ~TRecoveryKeeper() override;

    // Answers "Recover the unsaved changes to ...?" instead of asking.
    std::function<Answer(const QString& text)> AskRecover;

    // Asks about each copy a run that ended without saving left: Recover opens it as a changed
    // tab under its own file's name and path, Discard removes it. A copy that cannot be read is
    // reported and set aside. How many were recovered.
    int OfferLeftovers();
    // Every document's copy brought up to date now, as the timer does after a change.
    void Sweep();
    // The user has answered for every document at quit: no copy is wanted any more.
    void EndSession();
    // The file holding a document's copy; empty when it has none.
    QString CopyOf(const TVornFrame* frame) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Copy {
        int Id = 0;
        std::optional<RecoveryRecord> Written; // what its file holds; none without a file
    };
    void watch(TVornFrame* frame);
    void closed(TVornFrame* frame);
    void changeSeen();
    void keep(TVornFrame* frame, Copy& copy);
    Answer ask(const QString& name);
    bool offer(const std::string& path);
    void reportUnreadable(const std::string& path, const std::string& why);

    TDocumentManager& documents_;
    TGlobalData& settings_;
    QWidget* window_;
    RecoveryStore store_;
    std::map<const QObject*, Copy> copies_;
    int nextId_ = 0;
    QTimer timer_;
    bool ended_ = false;
    bool failureTold_ = false;
};

} // namespace vorn
