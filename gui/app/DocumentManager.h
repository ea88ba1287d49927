// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The open documents: one tab each, opening and saving them, asking before changes are lost,
// and which of them the settings file reopens at the next start.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "files/SettingsFile.h"
#include "widgets/FileDialogs.h"

namespace vorn {

class TFileFrame;
class TGlobalData;
class TPageExtControl;
class TRecoveryKeeper;
class TStringFileTab;
class TVornFrame;

class TDocumentManager : public QObject {
    Q_OBJECT
public:
    // The tabs are made on parent; dialogs open over window.
    TDocumentManager(TGlobalData& settings, QWidget* parent, QWidget* window);

    // Answer the file dialogs instead of showing them: the chosen path, empty for Cancel.
    // The open hook gets the folder to start in, the save hook the proposed file path and the
    // selected type (see SaveNameHook); the overwrite hook answers whether to replace a file
    // the save dialog did not name itself.
    std::function<QString(const QString& folder)> AskOpenFileName;
    SaveNameHook AskSaveFileName;
    OverwriteHook AskOverwrite;
    // Answers "Save the changes to ...?" (Save, Discard or Cancel) instead of asking.
    std::function<QMessageBox::StandardButton(const QString& text)> AskSaveChanges;
    // Answers the start's question about kept edits to a file that changed since instead of
    // asking: true keeps the edits, false takes the file (the default answer).
    std::function<bool(const QString& text)> AskKeepEdits;
    // Answers "... was changed by another program" before a save replaces it (Save or Cancel,
    // the default answer) instead of asking.
    std::function<QMessageBox::StandardButton(const QString& text)> AskOverwriteChanged;
    // Answers "... is open in another tab. Save over it and close that tab?" (default No)
    // instead of asking.
    std::function<bool(const QString& text)> AskCloseOtherTab;
    // Answers "... is read-only. Replace it anyway?" (default No) instead of asking.
    std::function<bool(const QString& text)> AskReplaceReadOnly;
    // Where the messages go: the window's message boxes; those with an informative text (the
    // file and the reason) go to MessageWithDetails.
    std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)>
        Message;
    std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text,
                       const QString& informative)>
        MessageWithDetails;

    TPageExtControl* Tabs() const;
    int TabCount() const;
    TVornFrame* Document(int index) const;
    // The active tab's frame; null when there is no tab.
    TVornFrame* ActiveDocument() const;
    TStringFileTab* ActiveTab() const;
    TStringFileTab* NewTab();
    // A tab for a document read from a file, on its string chart.
    TStringFileTab* NewTab(std::unique_ptr<TFileFrame> loaded);
    TVornFrame* NewDocument();
    // The documents the settings file gave back, each in a tab of its own, with one message
    // naming those refused; a new document when none came back. Kept edits to a file that
    // changed since are asked about once the event loop runs; the file shows meanwhile.
    void Reopen(SettingsLoad loaded);
    // Whether the start's or the exit's questions are still open: what the tabs hold is not
    // settled yet (the exit's bring each asked tab forward).
    bool Settling() const { return settling_ || askingAtExit_; }
    // Runs the open dialog; false when cancelled or refused.
    bool OpenDocument();
    // Opens the file into a new tab; a file that cannot be read or is refused gets the
    // reader's message and no tab. False then. A file open already has its tab activated.
    bool OpenDocumentFile(const QString& path);
    // Each file as OpenDocumentFile does (the command line's files); how many opened.
    int OpenFiles(const QStringList& paths);
    // The tab of a document read from or saved to path, or null.
    TStringFileTab* TabOfFile(const QString& path) const;
    // Writes the active document to its own file, or runs the save dialog when it has none
    // (an import of an older-format file has none); false when it has no course rows, the
    // dialog was cancelled or the file could not be written. A file changed by another program
    // since it was read or written here, and a read-only file, are replaced only when the user
    // says so. A file open in another tab is written only when that tab has no unsaved changes
    // and the user agrees to close it: no two tabs share a file.
    bool SaveDocument();
    // The save dialog whatever the document's own file.
    bool SaveDocumentAs();
    bool SaveDocumentFile(const QString& path);
    // Closes the active tab, first asking about its changes; false when the user cancelled.
    bool CloseDocument();
    // Every open document's model, in tab order.
    std::vector<TFileFrame*> OpenModels() const;
    // Save, Discard or Cancel for every changed document the settings file will not keep
    // (those it keeps come back as they are, unsaved edits and all); false when the user
    // cancelled. The recovery copies stay until EndRecovery.
    bool KeepOrDiscardAtExit();
    // The exit kept every document somewhere (the settings file written): the copies go.
    // Without it the copies stay, brought up to date, and the next start offers them; never
    // those of documents whose changes the exit's questions discarded.
    void EndRecovery(bool kept);

    // Keeps copies of changed documents under folder against a crash, and offers those of runs
    // that ended without saving once the event loop runs. None with an empty folder.
    TRecoveryKeeper* KeepRecovery(const QString& folder);
    // A recovered document in the tab of its own file when that is open, else in a new tab;
    // the start's unused new document gives way to it. One whose file's tab holds other
    // changes already (another recovered copy, say) opens as a copy with no file of its own,
    // named "... (recovered)", so that neither overwrites the other.
    TStringFileTab* OpenRecovered(std::unique_ptr<TFileFrame> recovered);

signals:
    // A frame got its tab: the window connects to it before it is shown.
    void frameAttached(TVornFrame* frame);
    void tabAttached();
    // The tab of frame is about to close, its changes saved or dropped.
    void documentClosing(TVornFrame* frame);
    void activeChanged();
    // Save and the changed mark may have to follow.
    void documentsChanged();
    // Saving a document on File Setup shows its strings first.
    void stringsWanted();
    // A file was opened or saved, by its absolute path: the recent files follow.
    void fileUsed(const QString& path);
    // A document was written to its file: the copy kept for reopening follows at once.
    void documentSaved();
    // The start's questions are answered.
    void settled();
    // The exit goes ahead with frame's changes discarded: nothing of them is to come back.
    void changesDiscarded(TVornFrame* frame);

private:
    TStringFileTab* attachTab(TStringFileTab* tab, bool activate = true);
    // Save, Discard or Cancel for a changed document; true when the tab may go. discarded
    // is set to whether the answer was Discard.
    bool keepOrDiscard(TStringFileTab* tab, bool* discarded = nullptr);
    void closeTab(TStringFileTab* tab);
    // The new document made at start goes when unused, now that a file took its place.
    void dropStartupBlank();
    void tabCloseGlyph(int index, bool& canClose);
    void reportLoadFailure(const std::string& text, const QString& informative = {});
    // Kept edits or the file, for each document whose file changed since it was kept.
    void askAboutNewerFiles(
        std::vector<std::pair<QPointer<TVornFrame>, std::unique_ptr<TFileFrame>>>& pending);
    bool keepEdits(const QString& path);
    // Whether a save may replace path, the frame's own file changed by another program.
    bool mayOverwrite(TVornFrame* frame, const QString& path);
    // Whether the active document may be saved to path while other, another tab, has it
    // open: refused with the reason when that tab has changes, else asked.
    bool mayTakeFrom(TStringFileTab* other, const QString& path);
    bool replaceReadOnly(const QString& path);

    TGlobalData& settings_;
    QWidget* window_;
    QPointer<TPageExtControl> tabs_;
    // The new document made at start because nothing was reopened; files named on the
    // command line take its place.
    QPointer<TVornFrame> startupBlank_;
    TRecoveryKeeper* recovery_ = nullptr;
    bool settling_ = false;
    bool askingAtExit_ = false;
    // Answered Discard by the last exit's questions; acted on only once the exit goes ahead.
    std::vector<QPointer<TVornFrame>> discarded_;
};

} // namespace vorn
