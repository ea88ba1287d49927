// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DocumentManager.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

#include <algorithm>
#include <memory>

#include "app/RecoveryKeeper.h"
#include "document/GlobalData.h"
#include "files/DialogPaths.h"
#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "files/SettingsFile.h"
#include "io/AtomicFile.h"
#include "io/ByteWriter.h"
#include "io/FileMode.h"
#include "views/StringFileTab.h"
#include "views/VornFrame.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/PageExtControl.h"
#include "widgets/StdText.h"

namespace vorn {

namespace {

const QString FileFilter = QStringLiteral("Vorn files (*.vrd)");
const QString FileSuffix = QString::fromLatin1(DocumentExtension);

// File names go to the core as the bytes the file system knows them by.
std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A question about replacing one file, where No is the safe answer and the default.
bool askSafelyNo(QWidget* window, QMessageBox::Icon icon, const char* name, const QString& text,
                 const QString& path, const QString& why) {
    TFittedMessageBox box(icon, QStringLiteral("Vorn"), text, QMessageBox::Yes | QMessageBox::No,
                          window);
    box.setObjectName(QLatin1String(name));
    box.setInformativeText(QStringLiteral("%1\n\n%2").arg(QDir::toNativeSeparators(path), why));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

TDocumentManager::TDocumentManager(TGlobalData& settings, QWidget* parent, QWidget* window)
    : QObject(window), settings_(settings), window_(window) {
    tabs_ = new TPageExtControl(parent);
    tabs_->setObjectName(QStringLiteral("PageControl"));
    tabs_->SetCloseBtn(true);
    tabs_->SetOwnerDraw(true);
    tabs_->setDocumentMode(true);
    tabs_->OnTabClose = [this](int index, bool& canClose) { tabCloseGlyph(index, canClose); };
    connect(tabs_, &QTabWidget::currentChanged, this, &TDocumentManager::activeChanged);
}

TPageExtControl* TDocumentManager::Tabs() const {
    return tabs_;
}

int TDocumentManager::TabCount() const {
    return tabs_ ? tabs_->PageCount() : 0;
}

TVornFrame* TDocumentManager::Document(int index) const {
    auto* tab = qobject_cast<TStringFileTab*>(tabs_->widget(index));
    return tab ? tab->Frame() : nullptr;
}

TStringFileTab* TDocumentManager::ActiveTab() const {
    return tabs_ ? qobject_cast<TStringFileTab*>(tabs_->currentWidget()) : nullptr;
}

TVornFrame* TDocumentManager::ActiveDocument() const {
    TStringFileTab* tab = ActiveTab();
    return tab ? tab->Frame() : nullptr;
}

std::vector<TFileFrame*> TDocumentManager::OpenModels() const {
    std::vector<TFileFrame*> open;
    for (int i = 0; i < TabCount(); ++i)
        open.push_back(&Document(i)->Model());
    return open;
}

TStringFileTab* TDocumentManager::NewTab() {
    return attachTab(new TStringFileTab(settings_, tabs_));
}

TStringFileTab* TDocumentManager::NewTab(std::unique_ptr<TFileFrame> loaded) {
    return attachTab(new TStringFileTab(std::move(loaded), tabs_));
}

TStringFileTab* TDocumentManager::attachTab(TStringFileTab* tab, bool activate) {
    emit frameAttached(tab->Frame());
    tabs_->AttachPage(tab);
    if (activate)
        tabs_->SetActivePage(tab);
    emit tabAttached();
    return tab;
}

TVornFrame* TDocumentManager::NewDocument() {
    TStringFileTab* tab = NewTab();
    emit documentsChanged();
    return tab->Frame();
}

void TDocumentManager::Reopen(SettingsLoad loaded) {
    // The core has read each document once; its tab takes it over as it is.
    std::vector<QPointer<TVornFrame>> frames;
    TStringFileTab* last = nullptr;
    for (std::unique_ptr<TFileFrame>& document : loaded.Documents) {
        // Only the last one comes forward: each tab brought forward on the way would be laid
        // out and reported to the window in vain.
        last = attachTab(new TStringFileTab(std::move(document), tabs_), false);
        // Kept edits its own file does not hold, and documents with no file at all, show as
        // changes.
        last->SetChanged(last->Frame()->Changed());
        frames.emplace_back(last->Frame());
    }
    if (last)
        tabs_->SetActivePage(last);
    if (!loaded.Refused.empty()) {
        QStringList lines;
        for (const RefusedDocument& refused : loaded.Refused)
            lines << QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(QFile::decodeName(
                                                      QByteArray::fromStdString(refused.Name))),
                                                  qs(refused.Reason));
        if (!loaded.KeptAs.empty())
            lines << QStringLiteral("(The settings file was kept as %1.)")
                         .arg(QFileInfo(QFile::decodeName(QByteArray::fromStdString(loaded.KeptAs)))
                                  .fileName());
        reportLoadFailure(loaded.Refused.front().Message, lines.join(QStringLiteral("\n\n")));
    }
    if (TabCount() == 0)
        startupBlank_ = NewDocument();
    emit activeChanged();
    if (loaded.NewerFiles.empty())
        return;
    // Asked once the window is up; until then the tabs show the files, the safe answer.
    using Pending = std::vector<std::pair<QPointer<TVornFrame>, std::unique_ptr<TFileFrame>>>;
    auto pending = std::make_shared<Pending>();
    for (KeptEdits& kept : loaded.NewerFiles)
        pending->emplace_back(frames[kept.Index], std::move(kept.Edits));
    settling_ = true;
    QTimer::singleShot(0, this, [this, pending] { askAboutNewerFiles(*pending); });
}

void TDocumentManager::askAboutNewerFiles(
    std::vector<std::pair<QPointer<TVornFrame>, std::unique_ptr<TFileFrame>>>& pending) {
    for (auto& [frame, edits] : pending) {
        if (!frame)
            continue;
        auto* tab = qobject_cast<TStringFileTab*>(frame->parentWidget());
        if (tab)
            tabs_->setCurrentWidget(tab);
        if (!keepEdits(QFile::decodeName(QByteArray::fromStdString(edits->FilePath))))
            continue;
        frame->TakeDocument(std::move(edits));
        if (tab)
            tab->SetChanged(true);
    }
    settling_ = false;
    emit activeChanged();
    emit settled();
}

bool TDocumentManager::keepEdits(const QString& path) {
    const QString text =
        QStringLiteral("\"%1\" was changed by another program since Vorn last saw it.")
            .arg(QFileInfo(path).fileName());
    if (AskKeepEdits)
        return AskKeepEdits(text);
    TFittedMessageBox box(QMessageBox::Question, QStringLiteral("Vorn"), text,
                          QMessageBox::NoButton, window_);
    box.setObjectName(QStringLiteral("NewerFileQuestion"));
    box.setInformativeText(
        QStringLiteral("%1\n\nVorn kept unsaved changes to it when it last closed. Open the file "
                       "as it is now, or keep the changes in place of it?")
            .arg(QDir::toNativeSeparators(path)));
    QPushButton* file = box.addButton(QStringLiteral("Open the File"), QMessageBox::AcceptRole);
    file->setAccessibleName(QStringLiteral("Open the File"));
    QPushButton* keep = box.addButton(QStringLiteral("Keep the Changes"), QMessageBox::RejectRole);
    keep->setAccessibleName(QStringLiteral("Keep the Changes"));
    box.setDefaultButton(file);
    box.setEscapeButton(file);
    box.exec();
    return box.clickedButton() == keep;
}

void TDocumentManager::closeTab(TStringFileTab* tab) {
    emit documentClosing(tab->Frame());
    tabs_->DetachPage(tab);
    delete tab;
    emit activeChanged();
}

bool TDocumentManager::keepOrDiscard(TStringFileTab* tab, bool* discarded) {
    if (discarded)
        *discarded = false;
    TVornFrame* frame = tab->Frame();
    if (!frame->Changed())
        return true;
    tabs_->setCurrentWidget(tab);
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    const QString text = QStringLiteral("Save the changes to \"%1\"?").arg(frame->DisplayName());
    if (AskSaveChanges) {
        answer = AskSaveChanges(text);
    } else {
        TFittedMessageBox box(QMessageBox::Question, QStringLiteral("Vorn"), text,
                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                              window_);
        box.setInformativeText(QStringLiteral("Your changes will be lost if you don't save them."));
        box.setDefaultButton(QMessageBox::Save);
        answer = static_cast<QMessageBox::StandardButton>(box.exec());
    }
    if (answer == QMessageBox::Discard) {
        if (discarded)
            *discarded = true;
        return true;
    }
    // A document on File Setup has no rows to save yet: saving shows its strings first.
    if (answer == QMessageBox::Save) {
        if (!frame->HasCourseRows())
            emit stringsWanted();
        return SaveDocument();
    }
    return false;
}

bool TDocumentManager::KeepOrDiscardAtExit() {
    // What the settings keep follows the tab active at the quit, not the one a question
    // brought forward.
    const int active = tabs_->currentIndex();
    discarded_.clear();
    // Meanwhile the session is not written: the tab a question brought forward is not the
    // one the settings keep.
    askingAtExit_ = true;
    const auto asked = qScopeGuard([this] { askingAtExit_ = false; });
    for (int i = 0; i < TabCount(); ++i) {
        // Asked again each time: a save can give a document rows, and so a place in the file.
        const std::vector<TFileFrame*> open = OpenModels();
        const std::vector<TFileFrame*> kept = DocumentsToReopen(settings_, open, active);
        if (std::find(kept.begin(), kept.end(), open[i]) != kept.end())
            continue;
        auto* tab = qobject_cast<TStringFileTab*>(tabs_->widget(i));
        bool discarded = false;
        if (tab && !keepOrDiscard(tab, &discarded))
            return false;
        if (discarded)
            discarded_.emplace_back(tab->Frame());
    }
    return true;
}

void TDocumentManager::EndRecovery(bool kept) {
    for (const QPointer<TVornFrame>& frame : discarded_)
        if (frame)
            emit changesDiscarded(frame);
    discarded_.clear();
    if (!recovery_)
        return;
    if (kept)
        recovery_->EndSession();
    else
        recovery_->Sweep();
}

bool TDocumentManager::CloseDocument() {
    TStringFileTab* tab = ActiveTab();
    if (tab && !keepOrDiscard(tab))
        return false;
    if (tab)
        closeTab(tab);
    if (TabCount() == 0)
        NewDocument();
    return true;
}

void TDocumentManager::tabCloseGlyph(int index, bool& canClose) {
    auto* tab = qobject_cast<TStringFileTab*>(tabs_->widget(index));
    // The tab goes here and now rather than after the control detached it.
    canClose = false;
    if (!tab || !keepOrDiscard(tab))
        return;
    if (TabCount() == 1)
        NewDocument();
    closeTab(tab);
}

bool TDocumentManager::OpenDocument() {
    const TVornFrame* active = ActiveDocument();
    const QString folder = DialogFolder(
        settings_, active ? QFile::decodeName(active->Model().FilePath.c_str()) : QString());
    QString path;
    if (AskOpenFileName) {
        path = AskOpenFileName(folder);
    } else {
        QFileDialog dialog(window_, QStringLiteral("Open Vorn file"), folder, FileFilter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(FileSuffix);
        if (dialog.exec() == QDialog::Accepted)
            path = dialog.selectedFiles().value(0);
    }
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    RememberFolder(settings_, path);
    return OpenDocumentFile(path);
}

void TDocumentManager::reportLoadFailure(const std::string& text, const QString& informative) {
    if (text.empty())
        return;
    // The older format's refusal of bowed instruments is a plain note, not an error.
    const bool bowed = text == BowedMessage;
    const QMessageBox::Icon icon = bowed ? QMessageBox::NoIcon : QMessageBox::Information;
    const QString caption = bowed ? QStringLiteral("Vorn") : qs(MessageCaption);
    if (!informative.isEmpty() && MessageWithDetails)
        MessageWithDetails(icon, caption, qs(text), informative);
    else
        Message(icon, caption, qs(text));
}

TStringFileTab* TDocumentManager::TabOfFile(const QString& path) const {
    const QString wanted = QFileInfo(path).canonicalFilePath();
    if (wanted.isEmpty())
        return nullptr;
    for (int i = 0; i < TabCount(); ++i) {
        auto* tab = qobject_cast<TStringFileTab*>(tabs_->widget(i));
        const std::string& own = tab ? tab->Frame()->Model().FilePath : std::string();
        if (!own.empty() && QFileInfo(QFile::decodeName(own.c_str())).canonicalFilePath() == wanted)
            return tab;
    }
    return nullptr;
}

int TDocumentManager::OpenFiles(const QStringList& paths) {
    int opened = 0;
    for (const QString& path : paths)
        opened += OpenDocumentFile(path) ? 1 : 0;
    // The new document made only because nothing was reopened gives way to the files.
    if (opened > 0)
        dropStartupBlank();
    startupBlank_ = nullptr;
    return opened;
}

void TDocumentManager::dropStartupBlank() {
    // Unless it was used meanwhile.
    const QPointer<TVornFrame> blank = startupBlank_;
    startupBlank_ = nullptr;
    if (blank && !blank->Changed()) {
        if (auto* tab = qobject_cast<TStringFileTab*>(blank->parentWidget()))
            closeTab(tab);
    }
}

TRecoveryKeeper* TDocumentManager::KeepRecovery(const QString& folder) {
    if (folder.isEmpty() || recovery_)
        return recovery_;
    recovery_ = new TRecoveryKeeper(*this, settings_, window_, folder);
    QTimer::singleShot(0, recovery_, &TRecoveryKeeper::OfferLeftovers);
    return recovery_;
}

TStringFileTab* TDocumentManager::OpenRecovered(std::unique_ptr<TFileFrame> recovered) {
    const std::string own = recovered->FilePath;
    TStringFileTab* tab = own.empty() ? nullptr : TabOfFile(QFile::decodeName(own.c_str()));
    // A tab showing changes of its own, not these (a copy recovered before, say), keeps them:
    // this copy stands apart until the user saves it.
    bool apart = false;
    if (tab && tab->Frame()->Changed()) {
        ByteWriter body;
        WriteDocument(*recovered, body);
        apart = body.bytes() != tab->Frame()->SaveToData();
    }
    if (apart) {
        recovered->FileName = NotedFileName(own, "recovered");
        recovered->FilePath.clear();
        recovered->Disk = {};
        recovered->MarkChanged();
        tab = NewTab(std::move(recovered));
    } else if (tab) {
        // What its file was when this run read it stays known: a save still asks before it
        // replaces another program's change.
        if (!recovered->Disk.Known())
            recovered->Disk = tab->Frame()->Model().Disk;
        tab->Frame()->TakeDocument(std::move(recovered));
        tabs_->setCurrentWidget(tab);
    } else {
        tab = NewTab(std::move(recovered));
    }
    tab->SetChanged(tab->Frame()->Changed());
    dropStartupBlank();
    emit activeChanged();
    return tab;
}

bool TDocumentManager::OpenDocumentFile(const QString& path) {
    // A file open already is shown, not read twice; so is an older file's import.
    TStringFileTab* open = TabOfFile(path);
    const QString wanted = QFileInfo(path).canonicalFilePath();
    for (int i = 0; !open && !wanted.isEmpty() && i < TabCount(); ++i) {
        const std::string& from = Document(i)->Model().ImportedFrom;
        if (!from.empty() &&
            QFileInfo(QFile::decodeName(from.c_str())).canonicalFilePath() == wanted)
            open = qobject_cast<TStringFileTab*>(tabs_->widget(i));
    }
    if (open) {
        tabs_->setCurrentWidget(open);
        emit fileUsed(QFileInfo(path).absoluteFilePath());
        return true;
    }
    // The document is read before its tab is made: a refused file leaves the window as it was.
    auto loaded = std::make_unique<TFileFrame>(settings_);
    const LoadOutcome outcome =
        vorn::OpenDocumentFile(*loaded, localPath(QFileInfo(path).absoluteFilePath()));
    if (outcome.Result != LoadResult::Loaded) {
        const QString why = outcome.ReadFailure.empty()
                                ? QStringLiteral("It is not a Vorn document, or it is damaged.")
                                : qs(outcome.ReadFailure);
        reportLoadFailure(outcome.Message,
                          QStringLiteral("%1\n%2").arg(
                              QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), why));
        return false;
    }
    // An import is shown under the name of the new file its save proposes.
    if (!loaded->ImportedFrom.empty())
        loaded->FileName = ConvertedName(loaded->ImportedFrom);
    NewTab(std::move(loaded));
    emit activeChanged();
    emit fileUsed(QFileInfo(path).absoluteFilePath());
    return true;
}

bool TDocumentManager::SaveDocument() {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return false;
    // An import has no FilePath: its first save asks for a new file (see SaveDocumentAs).
    const std::string& own = frame->Model().FilePath;
    if (!own.empty())
        return SaveDocumentFile(QFile::decodeName(own.c_str()));
    return SaveDocumentAs();
}

bool TDocumentManager::SaveDocumentAs() {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return false;
    const TFileFrame& model = frame->Model();
    // An import is proposed beside its old file, under a name of its own.
    const std::string& beside = model.FilePath.empty() ? model.ImportedFrom : model.FilePath;
    const SaveRequest request{QStringLiteral("Save Vorn file"),
                              QFile::decodeName(beside.c_str()),
                              qs(DocumentBaseName(model.ProposedFileName())),
                              {{QStringLiteral("Vorn files"), FileSuffix}}};
    const SaveChoice choice =
        AskSaveFile(window_, settings_, request, AskSaveFileName, AskOverwrite);
    if (choice.Path.isEmpty())
        return false;
    return SaveDocumentFile(choice.Path);
}

bool TDocumentManager::mayOverwrite(TVornFrame* frame, const QString& path) {
    const std::string& own = frame->Model().FilePath;
    const QString target = QFileInfo(path).canonicalFilePath();
    if (own.empty() || target.isEmpty() ||
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(own))).canonicalFilePath() !=
            target ||
        !ChangedOnDiskSince(frame->Model()))
        return true;
    const QString text =
        QStringLiteral("\"%1\" was changed by another program since Vorn last opened or saved it.")
            .arg(QFileInfo(path).fileName());
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    if (AskOverwriteChanged) {
        answer = AskOverwriteChanged(text);
    } else {
        TFittedMessageBox box(QMessageBox::Warning, QStringLiteral("Vorn"), text,
                              QMessageBox::Save | QMessageBox::Cancel, window_);
        box.setObjectName(QStringLiteral("OverwriteQuestion"));
        box.setInformativeText(
            QStringLiteral("%1\n\nSaving replaces what the other program wrote with the document "
                           "shown here.")
                .arg(QDir::toNativeSeparators(path)));
        box.button(QMessageBox::Save)->setText(QStringLiteral("Replace the File"));
        box.button(QMessageBox::Save)->setAccessibleName(QStringLiteral("Replace the File"));
        box.setDefaultButton(QMessageBox::Cancel);
        answer = static_cast<QMessageBox::StandardButton>(box.exec());
    }
    return answer == QMessageBox::Save;
}

bool TDocumentManager::mayTakeFrom(TStringFileTab* other, const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (other->Frame()->Changed()) {
        Message(QMessageBox::Warning, qs(MessageCaption),
                QStringLiteral("Unable to save file\n%1\n\n\"%2\" is open in another tab with "
                               "unsaved changes. Save or close that tab first.")
                    .arg(QDir::toNativeSeparators(path), other->Frame()->DisplayName()));
        return false;
    }
    const QString text =
        QStringLiteral("\"%1\" is open in another tab. Save over it and close that tab?").arg(name);
    if (AskCloseOtherTab)
        return AskCloseOtherTab(text);
    return askSafelyNo(window_, QMessageBox::Question, "OpenElsewhereQuestion", text, path,
                       QStringLiteral("A file is open in one tab at a time."));
}

bool TDocumentManager::replaceReadOnly(const QString& path) {
    const QString text =
        QStringLiteral("\"%1\" is read-only. Replace it anyway?").arg(QFileInfo(path).fileName());
    if (AskReplaceReadOnly)
        return AskReplaceReadOnly(text);
    return askSafelyNo(
        window_, QMessageBox::Warning, "ReadOnlyQuestion", text, path,
        QStringLiteral("Its permissions say it is not to be changed. The new file keeps them."));
}

bool TDocumentManager::SaveDocumentFile(const QString& path) {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return false;
    // The tab that holds path now, followed through links, goes once its file is written.
    TStringFileTab* other = TabOfFile(path);
    if (other == ActiveTab())
        other = nullptr;
    if (other && !mayTakeFrom(other, path))
        return false;
    if (!mayOverwrite(frame, path))
        return false;
    const std::string target = localPath(QFileInfo(path).absoluteFilePath());
    // The file's own mode, not the folder's: a read-only file is the owner's word.
    ReadOnlyTarget readOnly = ro_refuse;
    if (ReadOnlyFile(target)) {
        if (!replaceReadOnly(path))
            return false;
        readOnly = ro_replace;
    }
    std::string error;
    if (!frame->SaveFile(target, &error, readOnly)) {
        Message(QMessageBox::Warning, qs(MessageCaption),
                QStringLiteral("Unable to save file\n%1\n\n%2")
                    .arg(QDir::toNativeSeparators(path), qs(error)));
        return false;
    }
    if (other) {
        TStringFileTab* saved = ActiveTab();
        closeTab(other);
        tabs_->setCurrentWidget(saved);
    }
    emit documentSaved();
    emit documentsChanged();
    emit fileUsed(QFileInfo(path).absoluteFilePath());
    return true;
}

} // namespace vorn
