// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/RecoveryKeeper.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPushButton>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "app/DocumentManager.h"
#include "files/DocumentFile.h"
#include "files/FileFrame.h"
#include "files/RecoveryFile.h"
#include "views/StringFileTab.h"
#include "views/VornFrame.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/StdText.h"

namespace vorn {

namespace {

// A copy follows a change by at most this much (ms), and a burst of typing costs one write.
constexpr int CopyDelay = 1000;

QString shownPath(const std::string& path) {
    return QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path)));
}

} // namespace

TRecoveryKeeper::TRecoveryKeeper(TDocumentManager& documents, TGlobalData& settings,
                                 QWidget* window, const QString& folder)
    : QObject(&documents), documents_(documents), settings_(settings), window_(window),
      store_(QFile::encodeName(folder).toStdString()) {
    timer_.setSingleShot(true);
    timer_.setInterval(CopyDelay);
    connect(&timer_, &QTimer::timeout, this, &TRecoveryKeeper::Sweep);
    for (int i = 0; i < documents_.TabCount(); ++i)
        watch(documents_.Document(i));
    connect(&documents_, &TDocumentManager::frameAttached, this, &TRecoveryKeeper::watch);
    connect(&documents_, &TDocumentManager::documentClosing, this, &TRecoveryKeeper::closed);
    // Discarded at quit: its copy goes as a closed tab's does, and none is made again.
    connect(&documents_, &TDocumentManager::changesDiscarded, this, &TRecoveryKeeper::closed);
    // A save or a new document: the copies follow at once.
    connect(&documents_, &TDocumentManager::documentsChanged, this, &TRecoveryKeeper::Sweep);
    // Edits come from the keyboard and the mouse; watching them is cheaper than asking every
    // document for its bytes whenever the program is idle.
    QCoreApplication::instance()->installEventFilter(this);
}

TRecoveryKeeper::~TRecoveryKeeper() {
    // Left without the user's answers: whatever was copied stays for the next start.
    if (!store_.HoldsCopies())
        store_.End();
}

void TRecoveryKeeper::watch(TVornFrame* frame) {
    if (!frame || copies_.count(frame))
        return;
    copies_[frame].Id = ++nextId_;
    connect(frame, &QObject::destroyed, this, [this](QObject* gone) { copies_.erase(gone); });
    connect(frame, &TVornFrame::bridgeChanged, this, &TRecoveryKeeper::changeSeen);
    connect(frame, &TVornFrame::documentChanged, this, &TRecoveryKeeper::changeSeen);
    changeSeen();
}

void TRecoveryKeeper::closed(TVornFrame* frame) {
    // Closed after Save or Discard, or unchanged: either way nothing is left to recover.
    const auto it = copies_.find(frame);
    if (it == copies_.end())
        return;
    if (it->second.Written)
        store_.Remove(it->second.Id);
    copies_.erase(it);
}

bool TRecoveryKeeper::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::Drop:
    case QEvent::InputMethod:
        changeSeen();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TRecoveryKeeper::changeSeen() {
    // Not restarted by later changes, so that steady typing still gets copied.
    if (!ended_ && !timer_.isActive())
        timer_.start();
}

void TRecoveryKeeper::Sweep() {
    timer_.stop();
    if (ended_)
        return;
    for (int i = 0; i < documents_.TabCount(); ++i) {
        TVornFrame* frame = documents_.Document(i);
        const auto it = copies_.find(frame);
        if (it != copies_.end())
            keep(frame, it->second);
    }
}

void TRecoveryKeeper::keep(TVornFrame* frame, Copy& copy) {
    // One body serves both questions: is it changed, and what the copy holds.
    DocumentSnapshot now = frame->SnapshotData();
    if (!frame->Model().ChangedFrom(now.Body)) {
        if (copy.Written)
            store_.Remove(copy.Id);
        copy.Written.reset();
        return;
    }
    RecoveryRecord record = RecordOf(frame->Model(), std::move(now.Body), std::move(now.Figures));
    if (copy.Written == record)
        return;
    std::string error;
    if (store_.Write(copy.Id, record, &error)) {
        copy.Written = std::move(record);
        return;
    }
    // Told once: the user can go on working, only without the safety net.
    if (failureTold_ || !documents_.Message)
        return;
    failureTold_ = true;
    documents_.Message(QMessageBox::Warning, qs(MessageCaption),
                       QStringLiteral("Unable to keep a recovery copy of \"%1\"\n\n%2\n\nUnsaved "
                                      "changes will be lost if Vorn ends unexpectedly.")
                           .arg(frame->DisplayName(), qs(error)));
}

void TRecoveryKeeper::EndSession() {
    ended_ = true;
    timer_.stop();
    store_.End();
    for (auto& [frame, copy] : copies_)
        copy.Written.reset();
}

QString TRecoveryKeeper::CopyOf(const TVornFrame* frame) const {
    const auto it = copies_.find(frame);
    if (it == copies_.end() || !it->second.Written)
        return {};
    return QFile::decodeName(QByteArray::fromStdString(store_.FileOf(it->second.Id)));
}

int TRecoveryKeeper::OfferLeftovers() {
    int recovered = 0;
    for (const std::string& path : store_.ClaimEnded())
        recovered += offer(path) ? 1 : 0;
    store_.Tidy();
    return recovered;
}

bool TRecoveryKeeper::offer(const std::string& path) {
    RecoveryRecord record;
    std::string why;
    if (!ReadRecoveryFile(path, record, &why)) {
        reportUnreadable(path, why);
        return false;
    }
    // Read whole before asking: a copy is either given back entire or not offered.
    auto loaded = std::make_unique<TFileFrame>(settings_);
    if (RestoreRecovered(*loaded, record).Result != LoadResult::Loaded) {
        reportUnreadable(path, "its document cannot be read");
        return false;
    }
    std::error_code ec;
    // Its own file holds the same by now: nothing to give back.
    if (!loaded->Changed()) {
        std::filesystem::remove(path, ec);
        return false;
    }
    if (ask(qs(record.DisplayName)) == ra_discard) {
        std::filesystem::remove(path, ec);
        return false;
    }
    TStringFileTab* tab = documents_.OpenRecovered(std::move(loaded));
    Sweep();
    // Gone only once this run holds a copy of its own: a crash now still loses nothing.
    if (!CopyOf(tab->Frame()).isEmpty())
        std::filesystem::remove(path, ec);
    return true;
}

TRecoveryKeeper::Answer TRecoveryKeeper::ask(const QString& name) {
    const QString text = QStringLiteral("Recover the unsaved changes to \"%1\"?").arg(name);
    if (AskRecover)
        return AskRecover(text);
    TFittedMessageBox box(QMessageBox::Question, QStringLiteral("Vorn"), text,
                          QMessageBox::NoButton, window_);
    box.setObjectName(QStringLiteral("RecoverQuestion"));
    box.setAccessibleName(QStringLiteral("Recover unsaved changes"));
    box.setInformativeText(QStringLiteral("Vorn ended before they were saved."));
    QPushButton* recover = box.addButton(QStringLiteral("Recover"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    recover->setAccessibleName(QStringLiteral("Recover"));
    discard->setAccessibleName(QStringLiteral("Discard"));
    // No Escape: closing the box must not decide for a document either way.
    box.setDefaultButton(recover);
    box.exec();
    return box.clickedButton() == discard ? ra_discard : ra_recover;
}

void TRecoveryKeeper::reportUnreadable(const std::string& path, const std::string& why) {
    const std::string aside = store_.SetAside(path);
    if (!documents_.Message)
        return;
    const QString where = aside.empty()
                              ? QStringLiteral("It was removed.")
                              : QStringLiteral("It was set aside as\n%1").arg(shownPath(aside));
    documents_.Message(QMessageBox::Information, qs(MessageCaption),
                       QStringLiteral("Unable to recover unsaved changes from\n%1\n\n%2\n\n%3")
                           .arg(shownPath(path), qs(why), where));
}

} // namespace vorn
