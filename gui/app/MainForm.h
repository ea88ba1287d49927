// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window: lays out the side bar, the document tabs and the status bar, and wires the
// commands to the documents, the settings kept between runs, the sound and the dialogs.

#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QStringList>

#include <functional>
#include <memory>

#include "app/AboutBox.h"
#include "app/DocumentManager.h"
#include "app/HelpViewer.h"
#include "app/MainActions.h"
#include "app/SessionKeeper.h"
#include "app/SideBar.h"
#include "app/SoundCommands.h"
#include "app/StatusPanels.h"
#include "app/StatusPresenter.h"
#include "dialogs/GlobalChangeDialogs.h"

namespace vorn {

class TDocumentHistory;
class TVornPrint;
class TOptionsFormView;
class TToneControl;
class TTonePlayer;
class TVolumeControl;
class TGlobalData;
class TPageExtControl;
class TVornFrame;
class TFretFrormView;
class TMainMenus;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Reads the settings file at settingsPath (if it is there) and reopens its documents.
    explicit TMainForm(const QString& settingsPath, QWidget* parent = nullptr);
    ~TMainForm() override;

    TGlobalData& Settings() { return *settings_; }
    const QString& SettingsPath() const { return session_->SettingsPath(); }
    // The preferences file beside the settings file ("vorn.ini").
    QString PreferencesPath() const { return session_->PreferencesPath(); }

    // Takes every message instead of a message box when set. Messages of the start-up come
    // once the event loop runs, so the hook can be set after construction.
    std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)>
        MessageHook;
    // The same with the message's informative text (a file and the reason it was refused);
    // takes such messages in place of MessageHook when set.
    std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text,
                       const QString& informative)>
        DetailedMessageHook;

    // Documents and tabs.
    TDocumentManager& Documents() const { return *documents_; }
    // Undo and redo, one history per tab.
    TDocumentHistory& History() const { return *history_; }
    TPageExtControl* Tabs() const { return documents_->Tabs(); }
    int TabCount() const { return documents_ ? documents_->TabCount() : 0; }
    TVornFrame* Document(int index) const { return documents_->Document(index); }
    // The active tab's frame; null when there is no tab.
    TVornFrame* ActiveDocument() const {
        return documents_ ? documents_->ActiveDocument() : nullptr;
    }
    TVornFrame* NewDocument() { return documents_->NewDocument(); }
    bool OpenDocument() { return documents_->OpenDocument(); }
    bool OpenDocumentFile(const QString& path) { return documents_->OpenDocumentFile(path); }
    int OpenFiles(const QStringList& paths) { return documents_->OpenFiles(paths); }
    bool SaveDocument() { return documents_->SaveDocument(); }
    bool SaveDocumentAs() { return documents_->SaveDocumentAs(); }
    bool SaveDocumentFile(const QString& path) { return documents_->SaveDocumentFile(path); }
    bool CloseDocument() { return documents_->CloseDocument(); }

    // Status bar.
    TStatusPanels* StatusPanels() const { return status_; }
    QString PanelText(int index) const { return status_->Text(index); }
    TNotePanel* NoteDisplay() const { return status_->NoteDisplay(); }
    void BridgeChanged() { statusText_->BridgeChanged(ActiveDocument()); }
    void PitchChanged() { statusText_->PitchChanged(ActiveDocument()); }
    void TemperamentChanged() { statusText_->TemperamentChanged(ActiveDocument()); }
    void RefreshStatus() { statusText_->Refresh(ActiveDocument()); }
    void ClearDocumentStatus() { statusText_->Clear(); }

    // Commands.
    void ViewStrings();
    // The side bar's "Frets": the active document's fret chart.
    void ViewFrets();
    void ShowHelpContext(int context) { help_->ShowHelpContext(context); }
    // F1: the help of the focused control or of its nearest owner.
    void HelpOnFocus();
    void ShowAbout() { AboutBox()->exec(); }
    bool SidebarWide() const { return sideBar_->Wide(); }
    void SetSidebarWide(bool wide);
    // What the idle handler does: Save (and Print) only for a document with course rows, the
    // changed marks, and the active document's change recorded for undo.
    void IdleUpdate();

    // Restored window bounds brought onto the screen they belong to, title bar and all.
    QRect PlacedBounds(const QRect& bounds) const { return session_->PlacedBounds(bounds); }
    // A window size no larger than the primary screen's free area, title bar included.
    QSize FittedSize(const QSize& wanted) const { return session_->FittedSize(wanted); }

    // The exit steps: window bounds and documents by StartupChoice into the settings file.
    // False after a write failure, which has been reported.
    bool WriteSettingsFile();

    // Sound: the one tone player, the side bar's Play, Stop and Volume.
    TToneControl* Tone() const { return sound_->Tone(); }
    TTonePlayer* TonePlayer() const { return sound_->Player(); }
    TVolumeControl* VolumeWindow() const { return sound_->Volume(); }
    // Stops the tone and lets the sound server connection wind down; runs at exit before the
    // application object goes.
    void ShutdownSound() {
        if (sound_)
            sound_->Shutdown();
    }

    QMenu* PopupTabs() const { return popup_; }
    TMainMenus* Menus() const { return menus_; }
    void ShowPopup(const QPoint& globalPos) { popup_->popup(globalPos); }
    // Shift+F10 and the Menu key: the menu on the active document.
    void ShowPopupOnDocument();
    THelpViewer* HelpViewer() const { return help_; }
    TAboutBox* AboutBox();
    // The options dialog, made when first opened; ShowOptions opens it on a page and, after
    // OK, shows every chart again (OptionsApplied).
    TOptionsFormView* OptionsDialog();
    // A tool of the fret chart (Fret template, Export Scala, Fit temperament) from the Tools
    // menu, on the active document's fret chart.
    void FretTool(bool (TFretFrormView::*tool)());
    // A Globals menu item on the active document; true after OK.
    bool GlobalCommand(GlobalChangeKind kind);
    bool ShowOptions(int page);
    void OptionsApplied();
    // The print window, made at the first Print.
    TVornPrint* PrintWindow();
    // Print: the active document's report when it has course rows; the window in any case.
    void PrintDocument();
    TSideBar* SideBar() const { return sideBar_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildActions();
    void buildSideBar();
    void buildMenus();
    void buildDocuments(QWidget* parent);
    void connectFrame(TVornFrame* frame);
    void tabChanged();
    void message(QMessageBox::Icon icon, const QString& caption, const QString& text,
                 bool wait = false, const QString& informative = {});
    // The session follows what changes: the settings file is written soon after.
    void connectSession();
    // Stay Open (false) or Quit Anyway after the exit could not keep its documents.
    bool quitWithoutSettings(const QString& text);
    bool isActive(const TVornFrame* frame) const { return frame && frame == ActiveDocument(); }

    std::unique_ptr<TGlobalData> settings_;
    std::unique_ptr<TSessionKeeper> session_;
    bool exitWritten_ = false;
    bool starting_ = true;

    TSideBar* sideBar_ = nullptr;
    TDocumentManager* documents_ = nullptr;
    TDocumentHistory* history_ = nullptr;
    TStatusPanels* status_ = nullptr;
    std::unique_ptr<TStatusPresenter> statusText_;
    QMenu* popup_ = nullptr;
    THelpViewer* help_ = nullptr;
    TAboutBox* about_ = nullptr;
    TVornPrint* print_ = nullptr;
    TOptionsFormView* options_ = nullptr;
    QMenu* globals_ = nullptr;
    TMainMenus* menus_ = nullptr;

    TMainActions actions_;
    TSoundCommands* sound_ = nullptr;
};

} // namespace vorn
