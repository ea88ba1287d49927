// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "app/RecentFilesMenu.h"

namespace vorn {

TMainMenus::TMainMenus(QMainWindow& window, const TMainActions& actions) : QObject(&window) {
    popup_ = new QMenu(&window);
    popup_->setObjectName(QStringLiteral("PopupTabs"));
    // Both menus show the same Globals menu; the pop-up owns it, so it is found under it.
    buildGlobals();
    recent_ = new TRecentFilesMenu(popup_);
    buildPopup(actions);
    buildMenuBar(window, actions);
}

void TMainMenus::buildGlobals() {
    globals_ = new QMenu(QStringLiteral("&Globals"), popup_);
    globals_->setObjectName(QStringLiteral("MenuGlobals"));
    for (const GlobalMenuItem& entry : GlobalMenu) {
        QAction* item = globals_->addAction(QString::fromLatin1(entry.Text));
        item->setData(int(entry.Kind));
        connect(item, &QAction::triggered, this, [this, kind = entry.Kind] {
            if (OnGlobal)
                OnGlobal(kind);
        });
    }
    // The changes work on course rows: a document on File Setup has none yet.
    globals_->setEnabled(false);
}

void TMainMenus::buildPopup(const TMainActions& a) {
    popup_->addActions({a.Undo, a.Redo});
    popup_->addSeparator();
    popup_->addAction(a.New);
    popup_->addAction(a.Open);
    popup_->addMenu(recent_);
    popup_->addAction(a.Print);
    popup_->addAction(a.Save);
    popup_->addAction(a.SaveAs);
    popup_->addSeparator();
    popup_->addAction(a.Options);
    popup_->addMenu(globals_);
    popup_->addAction(a.Help);
    popup_->addAction(a.AboutMenu);
}

void TMainMenus::buildMenuBar(QMainWindow& window, const TMainActions& a) {
    QMenuBar* bar = window.menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MenuFile"));
    file->addActions({a.New, a.Open});
    file->addMenu(recent_);
    file->addSeparator();
    file->addActions({a.Save, a.SaveAs, a.Close});
    file->addSeparator();
    file->addAction(a.Print);
    file->addSeparator();
    file->addAction(a.Quit);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("MenuEdit"));
    edit->addActions({a.Undo, a.Redo});

    bar->addMenu(globals_);

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("MenuTools"));
    tools->addAction(a.Options);
    tools->addSeparator();
    tools->addActions({a.FretTemplate, a.ExportScala, a.FitTemperament});

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    help->addActions({a.HelpContents, a.AboutMenu});
}

} // namespace vorn
