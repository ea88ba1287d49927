// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DocumentManager.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>

#include "app/RecoveryKeeper.h"
#include "document/GlobalData.h"
#include "files/DialogPaths.h"
#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "files/SettingsFile.h"
#include "io/AtomicFile.h"
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

} // namespace

TDocumentManager::TDocumentManager(TGlobalData& settings, QWidget* parent, QWidget* window)
    : QObject(window), settings_(settings), window_(window), lastFolder_(QDir::homePath()) {
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

TStringFileTab* TDocumentManager::attachTab(TStringFileTab* tab) {
    emit frameAttached(tab->Frame());
    tabs_->AttachPage(tab);
    tabs_->SetActivePage(tab);
    emit tabAttached();
    return tab;
}

TVornFrame* TDocumentManager::NewDocument() {
    TStringFileTab* tab = NewTab();
    emit documentsChanged();
    return tab->Frame();
}

void TDocumentManager::Reopen(std::vector<std::unique_ptr<TFileFrame>> documents,
                              const std::vector<std::string>& messages) {
    // The core has read each document once; its tab takes it over as it is.
    for (std::unique_ptr<TFileFrame>& document : documents) {
        // Kept edits its own file does not hold show as changes.
        TStringFileTab* tab = NewTab(std::move(document));
        tab->SetChanged(tab->Frame()->Changed());
    }
    if (!messages.empty())
        reportLoadFailure(messages.front());
    if (TabCount() == 0)
        startupBlank_ = NewDocument();
    emit activeChanged();
}

void TDocumentManager::closeTab(TStringFileTab* tab) {
    emit documentClosing(tab->Frame());
    tabs_->DetachPage(tab);
    delete tab;
    emit activeChanged();
}

bool TDocumentManager::keepOrDiscard(TStringFileTab* tab) {
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
    if (answer == QMessageBox::Discard)
        return true;
    // A document on File Setup has no rows to save yet: saving shows its strings first.
    if (answer == QMessageBox::Save) {
        if (!frame->HasCourseRows())
            emit stringsWanted();
        return SaveDocument();
    }
    return false;
}

bool TDocumentManager::KeepOrDiscardAtExit() {
    for (int i = 0; i < TabCount(); ++i) {
        // Asked again each time: a save can change which documents the settings keep.
        const std::vector<TFileFrame*> open = OpenModels();
        const std::vector<TFileFrame*> kept =
            DocumentsToReopen(settings_, open, tabs_->currentIndex());
        // Only the settings file would hold its changes: its own file must hear of them.
        const bool keptWhole =
            std::find(kept.begin(), kept.end(), open[i]) != kept.end() && open[i]->FilePath.empty();
        if (keptWhole)
            continue;
        auto* tab = qobject_cast<TStringFileTab*>(tabs_->widget(i));
        if (tab && !keepOrDiscard(tab))
            return false;
        // Changes dropped now must not come back from the settings: they keep the file's
        // version instead.
        TVornFrame* frame = tab ? tab->Frame() : nullptr;
        if (frame && !frame->Model().FilePath.empty() && frame->Changed()) {
            auto onDisk = std::make_unique<TFileFrame>(settings_);
            if (vorn::OpenDocumentFile(*onDisk, frame->Model().FilePath).Result ==
                LoadResult::Loaded)
                frame->TakeDocument(std::move(onDisk));
        }
    }
    if (recovery_)
        recovery_->EndSession();
    return true;
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

void TDocumentManager::reportLoadFailure(const std::string& text) {
    if (text.empty())
        return;
    // The older format's refusal of bowed instruments is a plain note, not an error.
    if (text == BowedMessage)
        Message(QMessageBox::NoIcon, QStringLiteral("Vorn"), qs(text));
    else
        Message(QMessageBox::Information, qs(MessageCaption), qs(text));
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
    const std::string& own = recovered->FilePath;
    TStringFileTab* tab = own.empty() ? nullptr : TabOfFile(QFile::decodeName(own.c_str()));
    if (tab) {
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
    // A file open already is shown, not read twice.
    if (TStringFileTab* open = TabOfFile(path)) {
        tabs_->setCurrentWidget(open);
        emit fileUsed(QFileInfo(path).absoluteFilePath());
        return true;
    }
    // The document is read before its tab is made: a refused file leaves the window as it was.
    auto loaded = std::make_unique<TFileFrame>(settings_);
    const LoadOutcome outcome =
        vorn::OpenDocumentFile(*loaded, localPath(QFileInfo(path).absoluteFilePath()));
    if (outcome.Result != LoadResult::Loaded) {
        reportLoadFailure(outcome.Message);
        return false;
    }
    NewTab(std::move(loaded));
    emit activeChanged();
    emit fileUsed(QFileInfo(path).absoluteFilePath());
    return true;
}

bool TDocumentManager::SaveDocument() {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return false;
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
    const SaveRequest request{QStringLiteral("Save Vorn file"),
                              QFile::decodeName(model.FilePath.c_str()),
                              qs(DocumentBaseName(model.ProposedFileName())),
                              {{QStringLiteral("Vorn files"), FileSuffix}}};
    const SaveChoice choice =
        AskSaveFile(window_, settings_, request, AskSaveFileName, AskOverwrite);
    if (choice.Path.isEmpty())
        return false;
    return SaveDocumentFile(choice.Path);
}

bool TDocumentManager::SaveDocumentFile(const QString& path) {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return false;
    std::string error;
    if (!frame->SaveFile(localPath(QFileInfo(path).absoluteFilePath()), &error)) {
        Message(QMessageBox::Warning, qs(MessageCaption),
                QStringLiteral("Unable to save file\n%1\n\n%2")
                    .arg(QDir::toNativeSeparators(path), qs(error)));
        return false;
    }
    lastFolder_ = QFileInfo(path).absolutePath();
    emit documentsChanged();
    emit fileUsed(QFileInfo(path).absoluteFilePath());
    return true;
}

} // namespace vorn
