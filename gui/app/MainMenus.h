// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window's menus: the menu bar, the pop-up menu on the documents, and the Globals and
// Open Recent menus both of them hold. Every item is one of the window's actions, so an item
// is enabled exactly when its side bar button or its twin in the other menu is.

#include <QObject>

#include <functional>

#include "app/MainActions.h"
#include "dialogs/GlobalChangeDialogs.h"

class QMainWindow;
class QMenu;

namespace vorn {

class TRecentFilesMenu;

class TMainMenus : public QObject {
    Q_OBJECT
public:
    // Fills window's menu bar; the pop-up menu belongs to window too.
    TMainMenus(QMainWindow& window, const TMainActions& actions);

    QMenu* Popup() const { return popup_; }
    // Disabled while the active document has no course rows.
    QMenu* Globals() const { return globals_; }
    TRecentFilesMenu* Recent() const { return recent_; }

    // A Globals item was chosen, in either menu.
    std::function<void(GlobalChangeKind kind)> OnGlobal;

private:
    void buildGlobals();
    void buildPopup(const TMainActions& a);
    void buildMenuBar(QMainWindow& window, const TMainActions& a);

    QMenu* popup_ = nullptr;
    QMenu* globals_ = nullptr;
    TRecentFilesMenu* recent_ = nullptr;
};

} // namespace vorn
