// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainForm.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUndoGroup>

#include <optional>

#include "app/AboutBox.h"
#include "app/AppResources.h"
#include "app/DocumentHistory.h"
#include "app/FileDropOpener.h"
#include "app/HelpViewer.h"
#include "app/MainActions.h"
#include "app/MainMenus.h"
#include "app/RecentFilesMenu.h"
#include "app/SideBar.h"
#include "app/SoundCommands.h"
#include "app/StatusPanels.h"
#include "app/StatusPresenter.h"
#include "app/ToneControl.h"
#include "app/VolumeControl.h"
#include "app/VornPrint.h"
#include "dialogs/OptionsFormView.h"
#include "document/GlobalData.h"
#include "files/DocumentFile.h"
#include "views/FretFrormView.h"
#include "views/StrFrameView.h"
#include "views/StringFileTab.h"
#include "views/VornFrame.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/PageExtControl.h"
#include "widgets/PageFocus.h"
#include "widgets/StdText.h"
#include "widgets/SvgIcon.h"

namespace vorn {

namespace {

constexpr int MainHelp = 1;
constexpr int HelpCommandContext = 10;
constexpr int DefaultWidth = 1000;
constexpr int DefaultHeight = 680;

// Esc closes a window of the program's own, as it does a dialog.
void closeOnEscape(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

} // namespace

TMainForm::TMainForm(const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent), settings_(std::make_unique<TGlobalData>()),
      session_(std::make_unique<TSessionKeeper>(settingsPath, *settings_, *this)) {
    InitAppResources();
    setObjectName(QStringLiteral("MainForm"));
    // The title comes from the active document's file path and changed mark, with the
    // program's name after it.
    setWindowIcon(SvgIcon(QStringLiteral(":/app/icons/vorn.svg")));
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

    buildDocuments(centre);
    auto* tabHost = new QWidget(centre);
    auto* tabLayout = new QVBoxLayout(tabHost);
    tabLayout->setContentsMargins(4, 4, 4, 0);
    tabLayout->addWidget(Tabs());
    row->addWidget(tabHost, 1);
    setCentralWidget(centre);

    status_ = new TStatusPanels(this);
    setStatusBar(status_);
    status_->SetText(0, QStringLiteral("Play: "));
    status_->SetText(2, QStringLiteral("440 htz."));
    statusText_ = std::make_unique<TStatusPresenter>(*status_, *settings_);

    buildMenus();
    sound_ = new TSoundCommands(this, *sideBar_, actions_, *status_);
    sound_->Message = [this](QMessageBox::Icon icon, const QString& caption, const QString& text) {
        message(icon, caption, text);
    };
    closeOnEscape(sound_->Volume());
    help_ = new THelpViewer(this);

    // Save follows the active document whenever the program is about to wait for input.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TMainForm::IdleUpdate);

    session_->Message = [this](QMessageBox::Icon icon, const QString& caption, const QString& text,
                               bool wait) { message(icon, caption, text, wait); };
    SettingsLoad loaded = session_->Load();
    connect(documents_, &TDocumentManager::fileUsed, this,
            [this](const QString& path) { session_->RememberFile(path); });
    new TFileDropOpener(*this, [this](const QStringList& paths) {
        for (const QString& path : paths)
            OpenDocumentFile(path);
    });
    documents_->Reopen(std::move(loaded));
    SetSidebarWide(settings_->SidebarDown != 0);
    connectSession();
    starting_ = false;
    IdleUpdate();
}

void TMainForm::connectSession() {
    session_->Current = [this]() -> std::optional<TSessionKeeper::OpenSession> {
        // Not while the start still asks what a tab is to hold: the kept edits stay kept.
        if (documents_->Settling())
            return std::nullopt;
        return TSessionKeeper::OpenSession{documents_->OpenModels(), Tabs()->currentIndex(),
                                           SidebarWide()};
    };
    for (auto signal : {&TDocumentManager::activeChanged, &TDocumentManager::documentsChanged,
                        &TDocumentManager::tabAttached, &TDocumentManager::settled})
        connect(documents_, signal, this, [this] { session_->WriteSoon(); });
    connect(documents_, &TDocumentManager::documentSaved, this, [this] { session_->WriteNow(); });
    // Every change a document's history records, undo and redo included.
    connect(&history_->Group(), &QUndoGroup::indexChanged, this, [this] { session_->WriteSoon(); });
    settings_->Notice.Subscribe([this](unsigned) { session_->WriteSoon(); });
}

void TMainForm::buildDocuments(QWidget* parent) {
    documents_ = new TDocumentManager(*settings_, parent, this);
    documents_->Message = [this](QMessageBox::Icon icon, const QString& caption,
                                 const QString& text) { message(icon, caption, text); };
    documents_->MessageWithDetails = [this](QMessageBox::Icon icon, const QString& caption,
                                            const QString& text, const QString& informative) {
        message(icon, caption, text, false, informative);
    };
    Tabs()->OnTabClick = [this](int index, Qt::MouseButton button) {
        if (button != Qt::RightButton)
            return;
        // The menu's Save and Print act on the active tab: the one under the pointer.
        if (index >= 0 && index < TabCount())
            Tabs()->setCurrentIndex(index);
        ShowPopup(QCursor::pos());
    };
    connect(documents_, &TDocumentManager::activeChanged, this, &TMainForm::tabChanged);
    connect(documents_, &TDocumentManager::documentsChanged, this, &TMainForm::IdleUpdate);
    connect(documents_, &TDocumentManager::stringsWanted, this, &TMainForm::ViewStrings);
    connect(documents_, &TDocumentManager::tabAttached, this, &TMainForm::ClearDocumentStatus);
    connect(documents_, &TDocumentManager::frameAttached, this, &TMainForm::connectFrame);
    history_ = new TDocumentHistory(*documents_, actions_.Undo, actions_.Redo, this);
}

void TMainForm::connectFrame(TVornFrame* frame) {
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
    frame->ShowHelp = [this](int context) { ShowHelpContext(context); };
    sound_->ConnectFrame(frame);
}

TMainForm::~TMainForm() {
    // The frames refer to the settings; they go first.
    delete Tabs();
}

void TMainForm::buildActions() {
    actions_ = MakeMainActions(this);
    connect(actions_.Strings, &QAction::triggered, this, &TMainForm::ViewStrings);
    connect(actions_.Frets, &QAction::triggered, this, &TMainForm::ViewFrets);
    connect(actions_.Print, &QAction::triggered, this, &TMainForm::PrintDocument);
    connect(actions_.Options, &QAction::triggered, this, [this] { ShowOptions(op_new_files); });
    connect(actions_.Open, &QAction::triggered, this, [this] { OpenDocument(); });
    connect(actions_.New, &QAction::triggered, this, [this] { NewDocument(); });
    connect(actions_.Close, &QAction::triggered, this, [this] { CloseDocument(); });
    connect(actions_.Save, &QAction::triggered, this, [this] { SaveDocument(); });
    connect(actions_.SaveAs, &QAction::triggered, this, [this] { SaveDocumentAs(); });
    connect(actions_.Help, &QAction::triggered, this,
            [this] { ShowHelpContext(HelpCommandContext); });
    connect(actions_.About, &QAction::triggered, this, &TMainForm::ShowAbout);
    connect(actions_.AboutMenu, &QAction::triggered, this, &TMainForm::ShowAbout);
    connect(actions_.HelpOnFocus, &QAction::triggered, this, &TMainForm::HelpOnFocus);
    connect(actions_.Quit, &QAction::triggered, this, &QWidget::close);
    connect(actions_.Popup, &QAction::triggered, this, &TMainForm::ShowPopupOnDocument);
    connect(actions_.HelpContents, &QAction::triggered, this,
            [this] { ShowHelpContext(HelpCommandContext); });
    connect(actions_.FretTemplate, &QAction::triggered, this,
            [this] { FretTool(&TFretFrormView::ExportTemplate); });
    connect(actions_.ExportScala, &QAction::triggered, this,
            [this] { FretTool(&TFretFrormView::ExportScala); });
    connect(actions_.FitTemperament, &QAction::triggered, this,
            [this] { FretTool(&TFretFrormView::FitTemperament); });

    // Shortcuts work wherever the focus is in the window.
    addActions({actions_.Strings, actions_.Frets, actions_.Open, actions_.New, actions_.Close,
                actions_.Save, actions_.SaveAs, actions_.Print, actions_.HelpOnFocus, actions_.Quit,
                actions_.Popup, actions_.Undo, actions_.Redo});
}

void TMainForm::buildSideBar() {
    sideBar_ = new TSideBar(this);
    sideBar_->AddMainButtons(actions_);
    connect(sideBar_, &TSideBar::wideChanged, this,
            [this](bool wide) { settings_->SidebarDown = wide ? 1 : 0; });
}

void TMainForm::buildMenus() {
    menus_ = new TMainMenus(*this, actions_);
    menus_->OnGlobal = [this](GlobalChangeKind kind) { GlobalCommand(kind); };
    popup_ = menus_->Popup();
    globals_ = menus_->Globals();
    TRecentFilesMenu* recent = menus_->Recent();
    recent->Files = [this] { return session_->RecentFiles(); };
    connect(recent, &TRecentFilesMenu::openRequested, this,
            [this](const QString& path) { OpenDocumentFile(path); });
    connect(recent, &TRecentFilesMenu::listCleared, this,
            [this](const QStringList& kept) { session_->SetRecentFiles(kept); });
}

// The fret chart's tools work on what the fret chart shows: it is shown first.
void TMainForm::FretTool(bool (TFretFrormView::*tool)()) {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return;
    ViewFrets();
    (frame->FretView()->*tool)();
}

void TMainForm::tabChanged() {
    TVornFrame* frame = ActiveDocument();
    if (frame && frame->HasCourseRows())
        RefreshStatus();
    else
        ClearDocumentStatus();
    IdleUpdate();
}

// ---------------------------------------------------------------- commands

void TMainForm::ViewStrings() {
    TVornFrame* frame = ActiveDocument();
    if (!frame)
        return;
    frame->ShowPage(TVornFrame::ShowStringChart);
    FocusIntoPage(frame->StringView());
    RefreshStatus();
    IdleUpdate();
}

void TMainForm::ViewFrets() {
    TVornFrame* frame = ActiveDocument();
    if (!frame)
        return;
    frame->ShowPage(TVornFrame::ShowFretChart);
    FocusIntoPage(frame->FretView());
    TemperamentChanged();
    IdleUpdate();
}

void TMainForm::HelpOnFocus() {
    int context = HelpContextOf(QApplication::focusWidget());
    if (context <= 0)
        context = MainHelp;
    ShowHelpContext(context);
}

TAboutBox* TMainForm::AboutBox() {
    // Made when first asked for: its picture and text cost more than the rest of the start.
    if (!about_)
        about_ = new TAboutBox([this](int context) { ShowHelpContext(context); }, this);
    return about_;
}

bool TMainForm::GlobalCommand(GlobalChangeKind kind) {
    TVornFrame* frame = ActiveDocument();
    if (!frame || !frame->HasCourseRows())
        return false;
    TGlobalDialog::Hooks hooks;
    hooks.ShowHelp = [this](int context) { ShowHelpContext(context); };
    hooks.ShowOptions = [this](int page) { ShowOptions(page); };
    const bool applied = frame->GlobalCommand(kind, hooks);
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
    session_->WriteSoon();
}

TVornPrint* TMainForm::PrintWindow() {
    // Made at the first Print, like the About box: the start does not pay for it.
    if (!print_) {
        print_ = new TVornPrint(*settings_, this);
        closeOnEscape(print_);
        connect(print_, &TVornPrint::rebuildRequested, this, &TMainForm::PrintDocument);
    }
    return print_;
}

void TMainForm::PrintDocument() {
    TVornPrint* window = PrintWindow();
    TVornFrame* frame = ActiveDocument();
    // Shown before the report goes in, so that the report is laid out at the width it is seen
    // at and not once more when the window comes up.
    window->show();
    if (frame && frame->HasCourseRows() &&
        !window->BuildReport(frame->DisplayName(), frame->Model().Chart,
                             QFile::decodeName(frame->Model().FilePath.c_str())))
        return;
    window->raise();
    window->activateWindow();
}

void TMainForm::SetSidebarWide(bool wide) {
    sideBar_->SetWide(wide);
    settings_->SidebarDown = wide ? 1 : 0;
}

void TMainForm::IdleUpdate() {
    if (TabCount() == 0)
        return;
    const TVornFrame* frame = ActiveDocument();
    const bool rows = frame && frame->HasCourseRows();
    for (QAction* needsRows :
         {actions_.Save, actions_.Print, actions_.SaveAs, actions_.FretTemplate,
          actions_.ExportScala, actions_.FitTemperament})
        if (needsRows->isEnabled() != rows)
            needsRows->setEnabled(rows);
    if (globals_->isEnabled() != rows)
        globals_->setEnabled(rows);
    session_->NoticeViewChoices();
    // Edits happen in the active tab only: its marker is the one that can be out of date.
    if (TStringFileTab* tab = documents_->ActiveTab()) {
        TVornFrame* active = tab->Frame();
        const bool changed = history_->Follow(*active);
        tab->SetChanged(changed);
        const std::string& own = active->Model().FilePath;
        const QString shown = own.empty() ? active->DisplayName() : QFile::decodeName(own.c_str());
        if (windowFilePath() != shown)
            setWindowFilePath(shown);
        if (isWindowModified() != changed)
            setWindowModified(changed);
    }
}

void TMainForm::ShowPopupOnDocument() {
    // Beside the focused control when it lies in the document, else at the document's corner.
    QWidget* anchor = Tabs()->currentWidget();
    QWidget* focus = QApplication::focusWidget();
    if (anchor && focus && anchor->isAncestorOf(focus))
        anchor = focus;
    if (!anchor)
        anchor = Tabs();
    ShowPopup(anchor->mapToGlobal(QPoint(anchor->width() / 4, anchor->height() / 4)));
}

// ---------------------------------------------------------------- messages

void TMainForm::message(QMessageBox::Icon icon, const QString& caption, const QString& text,
                        bool wait, const QString& informative) {
    if (starting_) {
        // Shown once the window is up, above it, and after a test had the chance to listen.
        QTimer::singleShot(0, this, [this, icon, caption, text, informative] {
            message(icon, caption, text, false, informative);
        });
        return;
    }
    if (DetailedMessageHook && !informative.isEmpty()) {
        DetailedMessageHook(icon, caption, text, informative);
        return;
    }
    if (MessageHook) {
        MessageHook(icon, caption, text);
        return;
    }
    auto* box = new TFittedMessageBox(icon, caption, text, QMessageBox::Ok, this);
    box->setInformativeText(informative);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (wait)
        box->exec();
    else
        box->open();
}

// ---------------------------------------------------------------- start and exit

bool TMainForm::quitWithoutSettings(const QString& text) {
    TFittedMessageBox box(QMessageBox::Warning, qs(MessageCaption), text, QMessageBox::NoButton,
                          this);
    box.setInformativeText(QStringLiteral(
        "Stay open to save them as files of their own, or quit and keep their unsaved changes "
        "as recovery copies, which the next start offers back."));
    QPushButton* stay = box.addButton(QStringLiteral("Stay Open"), QMessageBox::RejectRole);
    QPushButton* quit = box.addButton(QStringLiteral("Quit Anyway"), QMessageBox::DestructiveRole);
    stay->setAccessibleName(QStringLiteral("Stay open"));
    quit->setAccessibleName(QStringLiteral("Quit anyway"));
    box.setDefaultButton(stay);
    box.setEscapeButton(stay);
    box.exec();
    return box.clickedButton() == quit;
}

bool TMainForm::WriteSettingsFile() {
    return session_->Write(documents_->OpenModels(), Tabs()->currentIndex(), SidebarWide());
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!exitWritten_) {
        const int active = Tabs()->currentIndex();
        if (!documents_->KeepOrDiscardAtExit()) {
            event->ignore();
            return;
        }
        // Asking showed other tabs; the one active before is what the settings keep.
        Tabs()->setCurrentIndex(active);
        // Kept first, let go after: the recovery copies go only once the settings file holds
        // the documents it keeps.
        const bool written = WriteSettingsFile();
        if (!written && !session_->LostDocuments().isEmpty() &&
            !quitWithoutSettings(session_->LostDocuments())) {
            event->ignore();
            return;
        }
        documents_->EndRecovery(written);
        exitWritten_ = true;
    }
    help_->close();
    sound_->Volume()->hide();
    sound_->Tone()->StopTone();
    event->accept();
}

// ---------------------------------------------------------------- events

void TMainForm::contextMenuEvent(QContextMenuEvent* event) {
    // The documents' own area has no menu; the tabs themselves open it through OnTabClick.
    const QRect tabArea(Tabs()->mapTo(this, QPoint(0, 0)), Tabs()->size());
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
