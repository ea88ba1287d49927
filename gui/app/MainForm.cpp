#include "app/MainForm.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "app/AboutBox.h"
#include "app/AppResources.h"
#include "app/HelpViewer.h"
#include "app/PreferencesIni.h"
#include "app/SideBar.h"
#include "app/StatusPanels.h"
#include "app/ToneControl.h"
#include "app/TonePlayer.h"
#include "app/VolumeControl.h"
#include "app/VornPrint.h"
#include "dialogs/OptionsFormView.h"
#include "document/GlobalData.h"
#include "document/InstDataType.h"
#include "document/InstrumentTemplates.h"
#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/SettingsFile.h"
#include "io/AtomicFile.h"
#include "pitch/Temperaments.h"
#include "strings/StringPhysics.h"
#include "views/FretFrormView.h"
#include "views/StrFrameView.h"
#include "views/StringFileTab.h"
#include "views/VornFrame.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/NotePanel.h"
#include "widgets/PageExtControl.h"

namespace vorn {

namespace {

constexpr int MainHelp = 1;
constexpr int HelpCommandContext = 10;
constexpr int PanelFamily = 3;
constexpr int PanelBridge = 4;
constexpr int PanelPitch = 5;
constexpr int PanelTemperament = 6;
constexpr int DefaultWidth = 1000;
constexpr int DefaultHeight = 680;

const QString FileFilter = QStringLiteral("Vorn files (*.vrd)");
const QString FileSuffix = QStringLiteral("vrd");

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// File names go to the core as the bytes the file system knows them by.
std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QAction* makeAction(QObject* owner, const QString& name, const QString& text, const QString& hint,
                    const QString& icon = {}) {
    auto* action = new QAction(text, owner);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    if (!icon.isEmpty())
        action->setIcon(QIcon(QStringLiteral(":/app/icons/%1.svg").arg(icon)));
    return action;
}

// Bounds worth restoring: a positive size and a title bar that can be reached on a screen.
bool boundsAreSane(const QRect& bounds) {
    if (bounds.width() <= 0 || bounds.height() <= 0)
        return false;
    const QRect titleBar(bounds.left(), bounds.top(), bounds.width(), 30);
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(titleBar);
        if (common.width() >= 60 && common.height() >= 10)
            return true;
    }
    return false;
}

// Esc closes a window of the program's own, as it does a dialog.
void closeOnEscape(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

} // namespace

TMainForm::TMainForm(const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent), settingsPath_(settingsPath), settings_(std::make_unique<TGlobalData>()),
      lastFolder_(QDir::homePath()) {
    InitAppResources();
    setObjectName(QStringLiteral("MainForm"));
    // The title comes from the active document's file path and changed mark, with the
    // program's name after it.
    setWindowIcon(QIcon(QStringLiteral(":/app/icons/vorn.svg")));
    SetHelpContext(this, MainHelp);
    resize(FittedSize(QSize(DefaultWidth, DefaultHeight)));

    buildActions();

    auto* centre = new QWidget(this);
    auto* row = new QHBoxLayout(centre);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    buildSideBar();
    row->addWidget(sideBar_);
    auto* separator = new QFrame(centre);
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    row->addWidget(separator);

    tabs_ = new TPageExtControl(centre);
    tabs_->setObjectName(QStringLiteral("PageControl"));
    tabs_->SetCloseBtn(true);
    tabs_->SetOwnerDraw(true);
    tabs_->setDocumentMode(true);
    tabs_->OnTabClose = [this](int index, bool& canClose) { tabCloseGlyph(index, canClose); };
    tabs_->OnTabClick = [this](int index, Qt::MouseButton button) {
        if (button != Qt::RightButton)
            return;
        // The menu's Save and Print act on the active tab: the one under the pointer.
        if (index >= 0 && index < TabCount())
            tabs_->setCurrentIndex(index);
        ShowPopup(QCursor::pos());
    };
    connect(tabs_, &QTabWidget::currentChanged, this, &TMainForm::tabChanged);
    auto* tabHost = new QWidget(centre);
    auto* tabLayout = new QVBoxLayout(tabHost);
    tabLayout->setContentsMargins(4, 4, 4, 0);
    tabLayout->addWidget(tabs_);
    row->addWidget(tabHost, 1);
    setCentralWidget(centre);

    status_ = new TStatusPanels(this);
    setStatusBar(status_);
    status_->SetText(0, QStringLiteral("Play: "));
    status_->SetText(2, QStringLiteral("440 htz."));

    buildPopup();
    buildSound();
    help_ = new THelpViewer(this);

    // Save follows the active document whenever the program is about to wait for input.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TMainForm::IdleUpdate);

    loadSettingsFile();
    SetSidebarWide(settings_->SidebarDown != 0);
    starting_ = false;
    IdleUpdate();
}

void TMainForm::buildSound() {
    player_ = new TTonePlayer(this);
    volume_ = new TVolumeControl(this);
    tone_ = new TToneControl(*player_, *volume_, this);
    auto buttonOf = [this](const char* name) {
        return sideBar_->findChild<QToolButton*>(QString::fromLatin1(name));
    };
    tone_->SetSideBarButtons(buttonOf("SpeedPlay"), buttonOf("SpeedStop"));
    tone_->ShowMessage = [this](const QString& text) {
        message(QMessageBox::Information, QStringLiteral("Vorn"), text);
    };
    connect(tone_, &TToneControl::playStateText, this,
            [this](const QString& text) { status_->SetText(0, text); });
    connect(tone_, &TToneControl::frequencyText, this,
            [this](const QString& text) { status_->SetText(2, text); });
    connect(tone_, &TToneControl::noteShown, this, [this](const NoteValue& note) {
        status_->NoteDisplay()->SetNote(note);
        soundUsed_ = true;
    });
    // A box of its own: a status bar message would lie under the panels' texts.
    connect(player_, &TTonePlayer::outputUnavailable, this, [this] {
        message(QMessageBox::Information, QStringLiteral("Vorn"),
                QStringLiteral("No audio output is available: tones are silent."));
    });
    // The side bar's Play and Stop toggles: Play replays the last tone, Stop silences.
    connect(actPlay_, &QAction::triggered, this, [this](bool down) {
        if (down)
            tone_->PlayLast();
        else
            tone_->StopTone();
    });
    connect(actStop_, &QAction::triggered, this, [this] { tone_->StopTone(); });
    connect(actVolume_, &QAction::triggered, this,
            [this](bool down) { volume_->ShowAtPointer(down, QCursor::pos()); });
    connect(volume_, &TVolumeControl::hidden, this, [this] { actVolume_->setChecked(false); });
    closeOnEscape(volume_);
}

void TMainForm::connectFrame(TVornFrame* frame) {
    connect(frame, &TVornFrame::playRequested, tone_,
            [this](int frequency, const NoteValue& note, QAbstractButton* button) {
                tone_->PlayTone(frequency, note, button);
            });
    connect(frame, &TVornFrame::stopRequested, tone_, [this] { tone_->StopTone(); });
}

void TMainForm::ShutdownSound() {
    if (!player_)
        return;
    player_->Shutdown();
    // The sound server's client thread needs a moment to close the stream; tearing the
    // connection down under it aborts the process now and then.
    if (soundUsed_) {
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 100)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        soundUsed_ = false;
    }
}

TMainForm::~TMainForm() {
    // The frames refer to the settings; they go first.
    delete tabs_;
    tabs_ = nullptr;
}

void TMainForm::buildActions() {
    actStrings_ = makeAction(this, QStringLiteral("ActStrings"), QStringLiteral("Strings"),
                             QStringLiteral("Show String Chart"), QStringLiteral("strings"));
    actFrets_ = makeAction(this, QStringLiteral("ActFrets"), QStringLiteral("Frets"),
                           QStringLiteral("Show Fret Chart"), QStringLiteral("frets"));
    actOpen_ = makeAction(this, QStringLiteral("ActOpen"), QStringLiteral("Open"),
                          QStringLiteral("Open File"), QStringLiteral("open"));
    actNew_ = makeAction(this, QStringLiteral("ActNew"), QStringLiteral("New"),
                         QStringLiteral("New File"), QStringLiteral("new"));
    actClose_ = makeAction(this, QStringLiteral("ActClose"), QStringLiteral("Close"),
                           QStringLiteral("Close File"), QStringLiteral("close"));
    actSave_ = makeAction(this, QStringLiteral("ActSave"), QStringLiteral("Save"),
                          QStringLiteral("Save File"), QStringLiteral("save"));
    actSaveAs_ = makeAction(this, QStringLiteral("ActSaveAs"), QStringLiteral("Save As..."),
                            QStringLiteral("Save File under a new name"));
    actPrint_ = makeAction(this, QStringLiteral("ActPrint"), QStringLiteral("Print"),
                           QStringLiteral("Print File"), QStringLiteral("print"));
    actOptions_ = makeAction(this, QStringLiteral("ActOptions"), QStringLiteral("Options"),
                             QStringLiteral("Program Options"), QStringLiteral("options"));
    actHelp_ = makeAction(this, QStringLiteral("ActHelp"), QStringLiteral("Help"),
                          QStringLiteral("Help"), QStringLiteral("help"));
    actAbout_ = makeAction(this, QStringLiteral("ActAbout"), QStringLiteral("About"),
                           QStringLiteral("Apout this program"), QStringLiteral("about"));
    actAboutMenu_ = makeAction(this, QStringLiteral("ActAboutMenu"), QStringLiteral("About..."),
                               QStringLiteral("Apout this program"), QStringLiteral("about"));
    actHelpOnFocus_ = makeAction(this, QStringLiteral("ActHelpOnFocus"),
                                 QStringLiteral("Help on this window"), QString());
    actQuit_ = makeAction(this, QStringLiteral("ActQuit"), QStringLiteral("Quit"), QString());
    actPopup_ = makeAction(this, QStringLiteral("ActPopup"), QStringLiteral("Menu"), QString());

    actPlay_ = makeAction(this, QStringLiteral("ActPlay"), QStringLiteral("Play"),
                          QStringLiteral("Play note"), QStringLiteral("play"));
    actStop_ = makeAction(this, QStringLiteral("ActStop"), QStringLiteral("Stop"),
                          QStringLiteral("Stop playing note"), QStringLiteral("stop"));
    actVolume_ = makeAction(this, QStringLiteral("ActVolume"), QStringLiteral("Volume"),
                            QStringLiteral("Adjust volume"), QStringLiteral("volume"));
    for (QAction* a : {actPlay_, actStop_, actVolume_})
        a->setCheckable(true);

    actNew_->setShortcut(QKeySequence::New);
    actOpen_->setShortcut(QKeySequence::Open);
    actSave_->setShortcut(QKeySequence::Save);
    actSaveAs_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    actClose_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    actPrint_->setShortcut(QKeySequence::Print);
    actHelpOnFocus_->setShortcut(QKeySequence(Qt::Key_F1));
    actQuit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    // The Globals and Save As are reached through this menu alone: the keyboard needs it too.
    actPopup_->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});

    actSave_->setEnabled(false);
    actSaveAs_->setEnabled(false);
    actPrint_->setEnabled(false);

    connect(actStrings_, &QAction::triggered, this, &TMainForm::ViewStrings);
    connect(actFrets_, &QAction::triggered, this, &TMainForm::ViewFrets);
    connect(actPrint_, &QAction::triggered, this, &TMainForm::PrintDocument);
    connect(actOptions_, &QAction::triggered, this, [this] { ShowOptions(op_new_files); });
    connect(actOpen_, &QAction::triggered, this, [this] { OpenDocument(); });
    connect(actNew_, &QAction::triggered, this, [this] { NewDocument(); });
    connect(actClose_, &QAction::triggered, this, [this] { CloseDocument(); });
    connect(actSave_, &QAction::triggered, this, [this] { SaveDocument(); });
    connect(actSaveAs_, &QAction::triggered, this, [this] { SaveDocumentAs(); });
    connect(actHelp_, &QAction::triggered, this, [this] { ShowHelpContext(HelpCommandContext); });
    connect(actAbout_, &QAction::triggered, this, &TMainForm::ShowAbout);
    connect(actAboutMenu_, &QAction::triggered, this, &TMainForm::ShowAbout);
    connect(actHelpOnFocus_, &QAction::triggered, this, &TMainForm::HelpOnFocus);
    connect(actQuit_, &QAction::triggered, this, &QWidget::close);
    connect(actPopup_, &QAction::triggered, this, &TMainForm::ShowPopupOnDocument);

    // Shortcuts work wherever the focus is in the window.
    addActions({actStrings_, actFrets_, actOpen_, actNew_, actClose_, actSave_, actSaveAs_,
                actPrint_, actHelpOnFocus_, actQuit_, actPopup_});
}

void TMainForm::buildSideBar() {
    sideBar_ = new TSideBar(this);
    sideBar_->AddBigButton(actStrings_, QStringLiteral("SpeedStrings"));
    sideBar_->AddBigButton(actFrets_, QStringLiteral("SpeedFrets"));
    sideBar_->AddGap();
    sideBar_->AddButton(actOpen_, QStringLiteral("SpeedOpen"));
    sideBar_->AddButton(actNew_, QStringLiteral("SpeedNew"));
    sideBar_->AddButton(actClose_, QStringLiteral("SpeedClose"));
    sideBar_->AddButton(actSave_, QStringLiteral("SpeedSave"));
    sideBar_->AddButton(actPrint_, QStringLiteral("SpeedPrint"));
    sideBar_->AddGap();
    sideBar_->AddButton(actOptions_, QStringLiteral("SpeedOptions"));
    sideBar_->AddButton(actHelp_, QStringLiteral("SpeedHelp"));
    sideBar_->AddButton(actAbout_, QStringLiteral("SpeedAbout"));
    sideBar_->AddGap();
    sideBar_->AddButton(actPlay_, QStringLiteral("SpeedPlay"));
    sideBar_->AddButton(actStop_, QStringLiteral("SpeedStop"));
    sideBar_->AddButton(actVolume_, QStringLiteral("SpeedVolume"));
    sideBar_->Finish();
    connect(sideBar_, &TSideBar::wideChanged, this,
            [this](bool wide) { settings_->SidebarDown = wide ? 1 : 0; });
}

void TMainForm::buildPopup() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupTabs"));
    popup_->addAction(actNew_);
    popup_->addAction(actOpen_);
    popup_->addAction(actPrint_);
    popup_->addAction(actSave_);
    popup_->addAction(actSaveAs_);
    popup_->addSeparator();
    popup_->addAction(actOptions_);
    globals_ = popup_->addMenu(QStringLiteral("Globals"));
    globals_->setObjectName(QStringLiteral("MenuGlobals"));
    // Menu order; the numbers are those GlobalCommand takes.
    const std::pair<const char*, int> items[] = {
        {"Courses", 2}, {"Course Types", 1}, {"Tuning - Pitch", 0},     {"String Length", 6},
        {"Tension", 3}, {"Gut Strings", 5},  {"Alternative Strings", 4}};
    for (const auto& [text, number] : items) {
        QAction* item = globals_->addAction(QString::fromLatin1(text));
        item->setData(number);
        connect(item, &QAction::triggered, this,
                [this, number = number] { GlobalCommand(number); });
    }
    // The changes work on course rows: a document on File Setup has none yet.
    globals_->setEnabled(false);
    popup_->addAction(actHelp_);
    popup_->addAction(actAboutMenu_);
}

// ---------------------------------------------------------------- documents and tabs

int TMainForm::TabCount() const {
    return tabs_ ? tabs_->PageCount() : 0;
}

TVornFrame* TMainForm::Document(int index) const {
    auto* tab = qobject_cast<TStringFileTab*>(tabs_->widget(index));
    return tab ? tab->Frame() : nullptr;
}

TVornFrame* TMainForm::ActiveDocument() const {
    if (!tabs_)
        return nullptr;
    auto* tab = qobject_cast<TStringFileTab*>(tabs_->currentWidget());
    return tab ? tab->Frame() : nullptr;
}

bool TMainForm::isActive(const TVornFrame* frame) const {
    return frame && frame == ActiveDocument();
}

TStringFileTab* TMainForm::NewTab() {
    return attachTab(new TStringFileTab(*settings_, tabs_));
}

TStringFileTab* TMainForm::NewTab(std::unique_ptr<TFileFrame> loaded) {
    return attachTab(new TStringFileTab(std::move(loaded), tabs_));
}

TStringFileTab* TMainForm::attachTab(TStringFileTab* tab) {
    TVornFrame* frame = tab->Frame();
    connect(frame, &TVornFrame::bridgeChanged, this, [this, frame] {
        if (isActive(frame) && frame->HasCourseRows())
            BridgeChanged();
    });
    connect(frame, &TVornFrame::documentChanged, this, [this, frame] {
        if (isActive(frame))
            tabChanged();
    });
    connect(frame, &TVornFrame::temperamentChanged, this, [this, frame] {
        if (isActive(frame))
            TemperamentChanged();
    });
    connect(frame, &TVornFrame::stringsShown, this, [this, frame] {
        if (isActive(frame)) {
            RefreshStatus();
            IdleUpdate();
        }
    });
    connectFrame(frame);
    tabs_->AttachPage(tab);
    tabs_->SetActivePage(tab);
    ClearDocumentStatus();
    return tab;
}

TVornFrame* TMainForm::NewDocument() {
    TStringFileTab* tab = NewTab();
    IdleUpdate();
    return tab->Frame();
}

void TMainForm::closeTab(TStringFileTab* tab) {
    tabs_->DetachPage(tab);
    delete tab;
    tabChanged();
}

bool TMainForm::keepOrDiscard(TStringFileTab* tab) {
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
                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
        box.setInformativeText(QStringLiteral("Your changes will be lost if you don't save them."));
        box.setDefaultButton(QMessageBox::Save);
        answer = static_cast<QMessageBox::StandardButton>(box.exec());
    }
    if (answer == QMessageBox::Discard)
        return true;
    // A document on File Setup has no rows to save yet: saving shows its strings first.
    if (answer == QMessageBox::Save) {
        if (!frame->HasCourseRows())
            ViewStrings();
        return SaveDocument();
    }
    return false;
}

bool TMainForm::CloseDocument() {
    auto* tab = qobject_cast<TStringFileTab*>(tabs_->currentWidget());
    if (tab && !keepOrDiscard(tab))
        return false;
    if (tab)
        closeTab(tab);
    if (TabCount() == 0)
        NewDocument();
    return true;
}

void TMainForm::tabCloseGlyph(int index, bool& canClose) {
    auto* tab = qobject_cast<TStringFileTab*>(tabs_->widget(index));
    // The tab goes here and now rather than after the control detached it.
    canClose = false;
    if (!tab || !keepOrDiscard(tab))
        return;
    if (TabCount() == 1)
        NewDocument();
    closeTab(tab);
}

void TMainForm::tabChanged() {
    TVornFrame* frame = ActiveDocument();
    if (frame && frame->HasCourseRows())
        RefreshStatus();
    else
        ClearDocumentStatus();
    IdleUpdate();
}

bool TMainForm::OpenDocument() {
    QString path;
    if (AskOpenFileName) {
        path = AskOpenFileName(lastFolder_);
    } else {
        QFileDialog dialog(this, QStringLiteral("Open Vorn file"), lastFolder_, FileFilter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(FileSuffix);
        if (dialog.exec() == QDialog::Accepted)
            path = dialog.selectedFiles().value(0);
    }
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    lastFolder_ = QFileInfo(path).absolutePath();
    return OpenDocumentFile(path);
}

void TMainForm::reportLoadFailure(const std::string& text) {
    if (text.empty())
        return;
    // The older format's refusal of bowed instruments is a plain note, not an error.
    if (text == BowedMessage)
        message(QMessageBox::NoIcon, QStringLiteral("Vorn"), qs(text));
    else
        message(QMessageBox::Information, qs(MessageCaption), qs(text));
}

TStringFileTab* TMainForm::TabOfFile(const QString& path) const {
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

int TMainForm::OpenFiles(const QStringList& paths) {
    int opened = 0;
    for (const QString& path : paths)
        opened += OpenDocumentFile(path) ? 1 : 0;
    // The new document made only because nothing was reopened gives way to the files, unless
    // it was used meanwhile.
    const QPointer<TVornFrame> blank = startupBlank_;
    startupBlank_ = nullptr;
    if (opened > 0 && blank && !blank->Changed()) {
        if (auto* tab = qobject_cast<TStringFileTab*>(blank->parentWidget()))
            closeTab(tab);
    }
    return opened;
}

bool TMainForm::OpenDocumentFile(const QString& path) {
    // A file open already is shown, not read twice.
    if (TStringFileTab* open = TabOfFile(path)) {
        tabs_->setCurrentWidget(open);
        return true;
    }
    // The document is read before its tab is made: a refused file leaves the window as it was.
    auto loaded = std::make_unique<TFileFrame>(*settings_);
    const LoadOutcome outcome =
        vorn::OpenDocumentFile(*loaded, localPath(QFileInfo(path).absoluteFilePath()));
    if (outcome.Result != LoadResult::Loaded) {
        reportLoadFailure(outcome.Message);
        return false;
    }
    NewTab(std::move(loaded));
    tabChanged();
    return true;
}

bool TMainForm::SaveDocument() {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return false;
    const std::string& own = frame->Model().FilePath;
    if (!own.empty())
        return SaveDocumentFile(QFile::decodeName(own.c_str()));
    return SaveDocumentAs();
}

bool TMainForm::SaveDocumentAs() {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return false;
    const QString proposed = QDir(lastFolder_).filePath(qs(frame->Model().ProposedFileName()));
    QString path;
    if (AskSaveFileName) {
        path = AskSaveFileName(proposed);
    } else {
        QFileDialog dialog(this, QStringLiteral("Save Vorn file"), proposed, FileFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(FileSuffix);
        if (dialog.exec() == QDialog::Accepted)
            path = dialog.selectedFiles().value(0);
    }
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + FileSuffix;
    return SaveDocumentFile(path);
}

bool TMainForm::SaveDocumentFile(const QString& path) {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return false;
    std::string error;
    if (!frame->SaveFile(localPath(QFileInfo(path).absoluteFilePath()), &error)) {
        message(QMessageBox::Warning, qs(MessageCaption),
                QStringLiteral("Unable to save file\n%1\n\n%2")
                    .arg(QDir::toNativeSeparators(path), qs(error)));
        return false;
    }
    lastFolder_ = QFileInfo(path).absolutePath();
    IdleUpdate();
    return true;
}

// ---------------------------------------------------------------- status bar

QString TMainForm::PanelText(int index) const {
    return status_->Text(index);
}

TNotePanel* TMainForm::NoteDisplay() const {
    return status_->NoteDisplay();
}

void TMainForm::BridgeChanged() {
    const TVornFrame* frame = ActiveDocument();
    if (!frame)
        return;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    status_->SetText(PanelBridge, QStringLiteral("Bridge: %1 %2")
                                      .arg(locale.toString(double(frame->TotalTension()), 'f', 3),
                                           qs(TensionUnitSuffix(settings_->TensionUnit))));
}

void TMainForm::PitchChanged() {
    const TVornFrame* frame = ActiveDocument();
    if (!frame)
        return;
    long double pitch = frame->Model().Document.APitch;
    if (std::isfinite(static_cast<double>(pitch)))
        pitch = RoundToDigits(pitch, 0);
    status_->SetText(PanelPitch,
                     QStringLiteral("Pitch: A=") + QString::number(double(pitch), 'f', 0));
}

void TMainForm::TemperamentChanged() {
    const TVornFrame* frame = ActiveDocument();
    if (!frame)
        return;
    status_->SetText(PanelTemperament, QStringLiteral("Temperament: ") +
                                           qs(frame->Model().Document.TemperamentName()));
}

void TMainForm::RefreshStatus() {
    const TVornFrame* frame = ActiveDocument();
    if (!frame)
        return;
    PitchChanged();
    BridgeChanged();
    TemperamentChanged();
    const int family = frame->Family();
    if (family >= 0 && family < FamilyCount)
        status_->SetText(PanelFamily, qs(FamilyName(family)));
}

void TMainForm::ClearDocumentStatus() {
    for (int panel = PanelFamily; panel <= PanelTemperament; ++panel)
        status_->SetText(panel, QString());
}

// ---------------------------------------------------------------- commands

void TMainForm::ViewStrings() {
    TVornFrame* frame = ActiveDocument();
    if (!frame)
        return;
    frame->ShowPage(TVornFrame::ShowStringChart);
    focusPage(frame->StringView());
    RefreshStatus();
    IdleUpdate();
}

void TMainForm::ViewFrets() {
    TVornFrame* frame = ActiveDocument();
    if (!frame)
        return;
    frame->ShowPage(TVornFrame::ShowFretChart);
    focusPage(frame->FretView());
    TemperamentChanged();
    IdleUpdate();
}

void TMainForm::focusPage(QWidget* page) {
    // The button that showed the page keeps no focus: F1 and the keys belong to the page.
    QWidget* focus = QApplication::focusWidget();
    if (!page || (focus && page->isAncestorOf(focus)))
        return;
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w))
            break;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(page) && w->isEnabled()) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    page->setFocus(Qt::OtherFocusReason);
}

void TMainForm::ShowHelpContext(int context) {
    help_->ShowHelpContext(context);
}

void TMainForm::HelpOnFocus() {
    int context = HelpContextOf(QApplication::focusWidget());
    if (context <= 0)
        context = MainHelp;
    ShowHelpContext(context);
}

void TMainForm::ShowAbout() {
    AboutBox()->exec();
}

TAboutBox* TMainForm::AboutBox() {
    // Made when first asked for: its picture and text cost more than the rest of the start.
    if (!about_)
        about_ = new TAboutBox([this](int context) { ShowHelpContext(context); }, this);
    return about_;
}

bool TMainForm::GlobalCommand(int n) {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return false;
    TGlobalDialog::Hooks hooks;
    hooks.ShowHelp = [this](int context) { ShowHelpContext(context); };
    hooks.ShowOptions = [this](int page) { ShowOptions(page); };
    const bool applied = frame->GlobalCommand(n, hooks);
    if (applied)
        RefreshStatus();
    return applied;
}

TOptionsFormView* TMainForm::OptionsDialog() {
    if (!options_)
        options_ = new TOptionsFormView([this](int context) { ShowHelpContext(context); }, this);
    return options_;
}

bool TMainForm::ShowOptions(int page) {
    if (!OptionsDialog()->Open(page, *settings_))
        return false;
    OptionsApplied();
    return true;
}

void TMainForm::OptionsApplied() {
    // The charts heard of the change from the settings themselves.
    RefreshStatus();
}

TVornPrint* TMainForm::PrintWindow() {
    // Made at the first Print, like the About box: the start does not pay for it.
    if (!print_) {
        print_ = new TVornPrint(this);
        closeOnEscape(print_);
        connect(print_, &TVornPrint::rebuildRequested, this, &TMainForm::PrintDocument);
    }
    return print_;
}

void TMainForm::PrintDocument() {
    TVornPrint* window = PrintWindow();
    TVornFrame* frame = ActiveDocument();
    if (frame && frame->HasCourseRows() &&
        !window->BuildReport(frame->DisplayName(), frame->Model().Chart))
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

bool TMainForm::SidebarWide() const {
    return sideBar_->Wide();
}

void TMainForm::SetSidebarWide(bool wide) {
    sideBar_->SetWide(wide);
    settings_->SidebarDown = wide ? 1 : 0;
}

void TMainForm::IdleUpdate() {
    if (!tabs_ || TabCount() == 0)
        return;
    const TVornFrame* frame = ActiveDocument();
    const bool rows = frame && frame->HasCourseRows();
    if (actSave_->isEnabled() != rows)
        actSave_->setEnabled(rows);
    if (actPrint_->isEnabled() != rows)
        actPrint_->setEnabled(rows);
    if (globals_->isEnabled() != rows)
        globals_->setEnabled(rows);
    if (actSaveAs_->isEnabled() != rows)
        actSaveAs_->setEnabled(rows);
    // Edits happen in the active tab only: its marker is the one that can be out of date.
    if (auto* tab = qobject_cast<TStringFileTab*>(tabs_->currentWidget())) {
        TVornFrame* active = tab->Frame();
        const bool changed = active->Changed();
        tab->SetChanged(changed);
        const std::string& own = active->Model().FilePath;
        const QString shown = own.empty() ? active->DisplayName() : QFile::decodeName(own.c_str());
        if (windowFilePath() != shown)
            setWindowFilePath(shown);
        if (isWindowModified() != changed)
            setWindowModified(changed);
    }
}

void TMainForm::ShowPopup(const QPoint& globalPos) {
    popup_->popup(globalPos);
}

void TMainForm::ShowPopupOnDocument() {
    // Beside the focused control when it lies in the document, else at the document's corner.
    QWidget* anchor = tabs_->currentWidget();
    QWidget* focus = QApplication::focusWidget();
    if (anchor && focus && anchor->isAncestorOf(focus))
        anchor = focus;
    if (!anchor)
        anchor = tabs_;
    ShowPopup(anchor->mapToGlobal(QPoint(anchor->width() / 4, anchor->height() / 4)));
}

// ---------------------------------------------------------------- messages

void TMainForm::message(QMessageBox::Icon icon, const QString& caption, const QString& text,
                        bool wait) {
    if (starting_) {
        // Shown once the window is up, above it, and after a test had the chance to listen.
        QTimer::singleShot(0, this, [this, icon, caption, text] { message(icon, caption, text); });
        return;
    }
    if (MessageHook) {
        MessageHook(icon, caption, text);
        return;
    }
    auto* box = new TFittedMessageBox(icon, caption, text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (wait)
        box->exec();
    else
        box->open();
}

// ---------------------------------------------------------------- start and exit

void TMainForm::loadSettingsFile() {
    SettingsLoad loaded;
    if (!settingsPath_.isEmpty()) {
        loaded = LoadSettingsFile(localPath(settingsPath_), *settings_);
        ApplyPreferences(ReadPreferencesIni(preferencesPath()), *settings_);
    }
    if (!loaded.Message.empty())
        message(QMessageBox::Information, qs(MessageCaption), qs(loaded.Message));
    // Told now, not at exit, so that the session's changes are not lost unknowingly.
    if (!settingsPath_.isEmpty() && !CanWriteFile(localPath(settingsPath_), &settingsWriteError_))
        message(QMessageBox::Warning, qs(MessageCaption),
                QStringLiteral("Unable to save configuration file\n%1\n\n%2\n\nChanges to the "
                               "options and the open documents will not be kept at exit.")
                    .arg(QDir::toNativeSeparators(settingsPath_), qs(settingsWriteError_)));
    if (loaded.BoundsRead)
        applyBounds();
    // The core has read each document once; its tab takes it over as it is.
    for (std::unique_ptr<TFileFrame>& document : loaded.Documents) {
        // Kept edits its own file does not hold show as changes.
        TStringFileTab* tab = NewTab(std::move(document));
        tab->SetChanged(tab->Frame()->Changed());
    }
    if (!loaded.DocumentMessages.empty())
        reportLoadFailure(loaded.DocumentMessages.front());
    if (TabCount() == 0)
        startupBlank_ = NewDocument();
    tabChanged();
}

QString TMainForm::preferencesPath() const {
    return QString::fromStdString(PreferencesPathFor(settingsPath_.toStdString()));
}

QSize TMainForm::FittedSize(const QSize& wanted) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return wanted;
    // The frame and title bar come on top of the window's own size.
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const QRect area = screen->availableGeometry();
    return wanted.boundedTo(QSize(area.width(), qMax(1, area.height() - titleBar)));
}

QRect TMainForm::PlacedBounds(const QRect& bounds) const {
    const QScreen* screen = QGuiApplication::screenAt(bounds.topLeft() + QPoint(30, 10));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return bounds;
    // Bounds are the window's inside; its title bar sits above them. Bounds saved where no
    // window manager drew one would otherwise bring the window back with its title bar off
    // the screen. A window larger than its screen comes back no larger than the screen.
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    QRect area = screen->availableGeometry();
    area.setTop(qMin(area.top() + titleBar, area.bottom()));
    QRect placed = bounds;
    placed.setWidth(qMin(placed.width(), area.width()));
    placed.setHeight(qMin(placed.height(), area.height()));
    placed.moveLeft(qBound(area.left(), placed.left(), area.right() + 1 - placed.width()));
    placed.moveTop(qBound(area.top(), placed.top(), area.bottom() + 1 - placed.height()));
    return placed;
}

void TMainForm::applyBounds() {
    const QRect bounds(settings_->WindowLeft, settings_->WindowTop, settings_->WindowWidth,
                       settings_->WindowHeight);
    if (!boundsAreSane(bounds))
        return;
    setGeometry(PlacedBounds(bounds));
}

bool TMainForm::WriteSettingsFile() {
    const QRect bounds = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    settings_->WindowLeft = bounds.left();
    settings_->WindowTop = bounds.top();
    settings_->WindowWidth = bounds.width();
    settings_->WindowHeight = bounds.height();
    settings_->SidebarDown = SidebarWide() ? 1 : 0;

    // Documents whose string chart was never shown are not kept; their tabs stay open.
    std::vector<TFileFrame*> open;
    for (int i = 0; i < TabCount(); ++i)
        open.push_back(&Document(i)->Model());
    const std::vector<TFileFrame*> kept =
        DocumentsToReopen(*settings_, open, tabs_->currentIndex());

    if (settingsPath_.isEmpty())
        return true;
    // Losing the preferences costs only them: no message.
    WritePreferencesIni(preferencesPath(), PreferencesOf(*settings_));
    std::string error;
    if (SaveSettingsFile(localPath(settingsPath_), *settings_, kept, &error))
        return true;
    if (!settingsWriteError_.empty() && error == settingsWriteError_)
        return false; // the user heard this at start
    message(QMessageBox::Warning, qs(MessageCaption),
            QStringLiteral("Unable to save configuration file\n%1\n\n%2")
                .arg(QDir::toNativeSeparators(settingsPath_), qs(error)),
            true);
    return false;
}

bool TMainForm::keepOrDiscardAtExit() {
    for (int i = 0; i < TabCount(); ++i) {
        // Asked again each time: a save can change which documents the settings keep.
        std::vector<TFileFrame*> open;
        for (int j = 0; j < TabCount(); ++j)
            open.push_back(&Document(j)->Model());
        const std::vector<TFileFrame*> kept =
            DocumentsToReopen(*settings_, open, tabs_->currentIndex());
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
            auto onDisk = std::make_unique<TFileFrame>(*settings_);
            if (vorn::OpenDocumentFile(*onDisk, frame->Model().FilePath).Result ==
                LoadResult::Loaded)
                frame->TakeDocument(std::move(onDisk));
        }
    }
    return true;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!exitWritten_) {
        const int active = tabs_->currentIndex();
        if (!keepOrDiscardAtExit()) {
            event->ignore();
            return;
        }
        // Asking showed other tabs; the one active before is what the settings keep.
        tabs_->setCurrentIndex(active);
        exitWritten_ = true;
        WriteSettingsFile();
    }
    help_->close();
    volume_->hide();
    tone_->StopTone();
    event->accept();
}

// ---------------------------------------------------------------- events

void TMainForm::contextMenuEvent(QContextMenuEvent* event) {
    // The documents' own area has no menu; the tabs themselves open it through OnTabClick.
    const QRect tabArea(tabs_->mapTo(this, QPoint(0, 0)), tabs_->size());
    // The string chart is the exception: its rows are where the Globals act.
    TVornFrame* frame = ActiveDocument();
    QWidget* under = childAt(event->pos());
    const bool onStrings =
        frame && frame->StringViewBuilt() && under &&
        frame->CurrentPage() == TVornFrame::StringChartPage &&
        (frame->StringView() == under || frame->StringView()->isAncestorOf(under));
    if (tabArea.contains(event->pos()) && !onStrings) {
        event->ignore();
        return;
    }
    ShowPopup(event->globalPos());
    event->accept();
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        status_->ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

} // namespace vorn
