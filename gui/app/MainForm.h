#pragma once
// The main window: one tab per open document, the side bar of commands, the pop-up menu, the
// status bar with the active document's figures; the settings file read at start and written
// at exit, with the documents to reopen.

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace vorn {

class TAboutBox;
class TVornPrint;
class TOptionsFormView;
class TToneControl;
class TTonePlayer;
class TVolumeControl;
class TFileFrame;
class TGlobalData;
class THelpViewer;
class TNotePanel;
class TPageExtControl;
class TSideBar;
class TStatusPanels;
class TStringFileTab;
class TVornFrame;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Reads the settings file at settingsPath (if it is there) and reopens its documents.
    explicit TMainForm(const QString& settingsPath, QWidget* parent = nullptr);
    ~TMainForm() override;

    TGlobalData& Settings() { return *settings_; }
    const QString& SettingsPath() const { return settingsPath_; }
    // The preferences file beside the settings file ("vorn.ini").
    QString PreferencesPath() const { return preferencesPath(); }

    // Answer the file dialogs instead of showing them: the chosen path, empty for Cancel.
    // The open hook gets the folder to start in, the save hook the proposed file path.
    std::function<QString(const QString& folder)> AskOpenFileName;
    std::function<QString(const QString& proposed)> AskSaveFileName;
    // Takes every message instead of a message box when set. Messages of the start-up come
    // once the event loop runs, so the hook can be set after construction.
    std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)>
        MessageHook;
    // Answers "Save the changes to ...?" (Save, Discard or Cancel) instead of asking.
    std::function<QMessageBox::StandardButton(const QString& text)> AskSaveChanges;

    // Documents and tabs.
    TPageExtControl* Tabs() const { return tabs_; }
    int TabCount() const;
    TVornFrame* Document(int index) const;
    // The active tab's frame; null when there is no tab.
    TVornFrame* ActiveDocument() const;
    TStringFileTab* NewTab();
    // A tab for a document read from a file, on its string chart.
    TStringFileTab* NewTab(std::unique_ptr<TFileFrame> loaded);
    TVornFrame* NewDocument();
    // Runs the open dialog; false when cancelled or refused.
    bool OpenDocument();
    // Opens the file into a new tab; a file that cannot be read or is refused gets the
    // reader's message and no tab. False then. A file open already has its tab activated.
    bool OpenDocumentFile(const QString& path);
    // Each file as OpenDocumentFile does (the command line's files); how many opened.
    int OpenFiles(const QStringList& paths);
    // The tab of a document read from or saved to path, or null.
    TStringFileTab* TabOfFile(const QString& path) const;
    // Writes the active document to its own file, or runs the save dialog when it has none;
    // false when it has no course rows, the dialog was cancelled or the file could not be
    // written.
    bool SaveDocument();
    // The save dialog whatever the document's own file.
    bool SaveDocumentAs();
    bool SaveDocumentFile(const QString& path);
    // Closes the active tab, first asking about its changes; false when the user cancelled.
    bool CloseDocument();

    // Status bar.
    TStatusPanels* StatusPanels() const { return status_; }
    QString PanelText(int index) const;
    TNotePanel* NoteDisplay() const;
    void BridgeChanged();
    void PitchChanged();
    void TemperamentChanged();
    void RefreshStatus();
    void ClearDocumentStatus();

    // Commands.
    void ViewStrings();
    // The side bar's "Frets": the active document's fret chart.
    void ViewFrets();
    void ShowHelpContext(int context);
    // F1: the help of the focused control or of its nearest owner.
    void HelpOnFocus();
    void ShowAbout();
    bool SidebarWide() const;
    void SetSidebarWide(bool wide);
    // What the idle handler does: Save (and Print) only for a document with course rows.
    void IdleUpdate();

    // Restored window bounds brought onto the screen they belong to, title bar and all.
    QRect PlacedBounds(const QRect& bounds) const;
    // A window size no larger than the primary screen's free area, title bar included.
    QSize FittedSize(const QSize& wanted) const;

    // The exit steps: window bounds and documents by StartupChoice into the settings file.
    // False after a write failure, which has been reported.
    bool WriteSettingsFile();

    // Sound: the one tone player, the side bar's Play, Stop and Volume.
    TToneControl* Tone() const { return tone_; }
    TTonePlayer* TonePlayer() const { return player_; }
    TVolumeControl* VolumeWindow() const { return volume_; }
    // Stops the tone and lets the sound server connection wind down; runs at exit before the
    // application object goes.
    void ShutdownSound();

    QMenu* PopupTabs() const { return popup_; }
    void ShowPopup(const QPoint& globalPos);
    // Shift+F10 and the Menu key: the menu on the active document.
    void ShowPopupOnDocument();
    THelpViewer* HelpViewer() const { return help_; }
    TAboutBox* AboutBox();
    // The options dialog, made when first opened; ShowOptions opens it on a page and, after
    // OK, shows every chart again (OptionsApplied).
    TOptionsFormView* OptionsDialog();
    // A Globals menu item on the active document (0 tuning .. 6 string length); true after OK.
    bool GlobalCommand(int n);
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
    void buildPopup();
    void buildSound();
    void connectFrame(TVornFrame* frame);
    TStringFileTab* attachTab(TStringFileTab* tab);
    void loadSettingsFile();
    QString preferencesPath() const;
    void applyBounds();
    // Save, Discard or Cancel for a changed document; true when the tab may go.
    bool keepOrDiscard(TStringFileTab* tab);
    // The same for every changed document with a file of its own, and for every other one
    // the settings file will not keep.
    bool keepOrDiscardAtExit();
    void closeTab(TStringFileTab* tab);
    // Focus into a page just shown, unless it has it already.
    void focusPage(QWidget* page);
    void tabCloseGlyph(int index, bool& canClose);
    void tabChanged();
    void message(QMessageBox::Icon icon, const QString& caption, const QString& text,
                 bool wait = false);
    void reportLoadFailure(const std::string& text);
    bool isActive(const TVornFrame* frame) const;

    QString settingsPath_;
    std::unique_ptr<TGlobalData> settings_;
    QString lastFolder_;
    bool exitWritten_ = false;
    std::string settingsWriteError_; // why the settings could not be written, as told at start
    bool starting_ = true;
    // The new document made at start because nothing was reopened; files named on the
    // command line take its place.
    QPointer<TVornFrame> startupBlank_;

    TSideBar* sideBar_ = nullptr;
    TPageExtControl* tabs_ = nullptr;
    TStatusPanels* status_ = nullptr;
    QMenu* popup_ = nullptr;
    THelpViewer* help_ = nullptr;
    TAboutBox* about_ = nullptr;
    TVornPrint* print_ = nullptr;
    TOptionsFormView* options_ = nullptr;
    QMenu* globals_ = nullptr;

    QAction* actStrings_ = nullptr;
    QAction* actFrets_ = nullptr;
    QAction* actOpen_ = nullptr;
    QAction* actNew_ = nullptr;
    QAction* actClose_ = nullptr;
    QAction* actSave_ = nullptr;
    QAction* actSaveAs_ = nullptr;
    QAction* actPrint_ = nullptr;
    QAction* actOptions_ = nullptr;
    QAction* actHelp_ = nullptr;
    QAction* actAbout_ = nullptr;
    QAction* actAboutMenu_ = nullptr;
    QAction* actHelpOnFocus_ = nullptr;
    QAction* actQuit_ = nullptr;
    QAction* actPopup_ = nullptr;
    QAction* actPlay_ = nullptr;
    QAction* actStop_ = nullptr;
    QAction* actVolume_ = nullptr;

    TTonePlayer* player_ = nullptr;
    TVolumeControl* volume_ = nullptr;
    TToneControl* tone_ = nullptr;
    bool soundUsed_ = false;
};

} // namespace vorn
