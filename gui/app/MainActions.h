// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The main window's commands as actions: names, texts, hints, icons and shortcuts. The window
// connects them and puts them on the side bar, the menu bar and the pop-up menu.

class QAction;
class QObject;

namespace vorn {

struct TMainActions {
    QAction* Strings = nullptr;
    QAction* Frets = nullptr;
    QAction* Open = nullptr;
    QAction* New = nullptr;
    QAction* Close = nullptr;
    QAction* Save = nullptr;
    QAction* SaveAs = nullptr;
    QAction* Print = nullptr;
    QAction* Options = nullptr;
    QAction* Help = nullptr;
    QAction* About = nullptr;
    QAction* AboutMenu = nullptr;
    QAction* HelpOnFocus = nullptr;
    QAction* Quit = nullptr;
    QAction* Popup = nullptr;
    QAction* HelpContents = nullptr; // the Help menu's way to the help's first page
    // The fret chart's tools, from the Tools menu: each shows the fret chart first.
    QAction* FretTemplate = nullptr;
    QAction* ExportScala = nullptr;
    QAction* FitTemperament = nullptr;
    // The active document's history; the texts name the step ("Undo Global Tension").
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;
    // The side bar's sound toggles.
    QAction* Play = nullptr;
    QAction* Stop = nullptr;
    QAction* Volume = nullptr;
};

// Every action owned by owner; Save, Save As, Print, the fret tools, Undo and Redo start
// disabled.
TMainActions MakeMainActions(QObject* owner);

} // namespace vorn
