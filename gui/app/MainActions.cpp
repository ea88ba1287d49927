// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainActions.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QList>

#include "widgets/SvgIcon.h"

namespace vorn {

namespace {

QAction* makeAction(QObject* owner, const QString& name, const QString& text, const QString& hint,
                    const QString& icon = {}) {
    auto* action = new QAction(text, owner);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    if (!icon.isEmpty())
        action->setIcon(SvgIcon(QStringLiteral(":/app/icons/%1.svg").arg(icon)));
    return action;
}

// The platform's keys for a standard command, and the extra ones after them.
QList<QKeySequence> withKeys(QKeySequence::StandardKey standard, const QList<QKeySequence>& extra) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    for (const QKeySequence& key : extra)
        if (!keys.contains(key))
            keys << key;
    return keys;
}

void assignKeys(TMainActions& a) {
    a.New->setShortcut(QKeySequence::New);
    a.Open->setShortcut(QKeySequence::Open);
    a.Save->setShortcut(QKeySequence::Save);
    // The desktop's own keys where it has them, with the usual ones where it has none.
    a.SaveAs->setShortcuts(
        withKeys(QKeySequence::SaveAs, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}));
    a.Close->setShortcuts(withKeys(QKeySequence::Close, {QKeySequence(Qt::CTRL | Qt::Key_W)}));
    a.Print->setShortcut(QKeySequence::Print);
    a.Options->setShortcuts(QKeySequence::Preferences);
    // F1 is the help of the focused control, which the Help menu's Contents does not take.
    a.HelpOnFocus->setShortcut(QKeySequence(Qt::Key_F1));
    a.Quit->setShortcuts(withKeys(QKeySequence::Quit, {QKeySequence(Qt::CTRL | Qt::Key_Q)}));
    // The Globals and Save As are reached through this menu alone: the keyboard needs it too.
    a.Popup->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});

    a.Undo->setShortcuts(QKeySequence::Undo);
    // Ctrl+Y and Ctrl+Shift+Z on every desktop, whichever one the platform calls Redo.
    a.Redo->setShortcuts(
        withKeys(QKeySequence::Redo, {QKeySequence(Qt::CTRL | Qt::Key_Y),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
}

} // namespace

TMainActions MakeMainActions(QObject* owner) {
    TMainActions a;
    a.Strings = makeAction(owner, QStringLiteral("ActStrings"), QStringLiteral("Strings"),
                           QStringLiteral("Show String Chart"), QStringLiteral("strings"));
    a.Frets = makeAction(owner, QStringLiteral("ActFrets"), QStringLiteral("Frets"),
                         QStringLiteral("Show Fret Chart"), QStringLiteral("frets"));
    a.Open = makeAction(owner, QStringLiteral("ActOpen"), QStringLiteral("Open"),
                        QStringLiteral("Open File"), QStringLiteral("open"));
    a.New = makeAction(owner, QStringLiteral("ActNew"), QStringLiteral("New"),
                       QStringLiteral("New File"), QStringLiteral("new"));
    a.Close = makeAction(owner, QStringLiteral("ActClose"), QStringLiteral("Close"),
                         QStringLiteral("Close File"), QStringLiteral("close"));
    a.Save = makeAction(owner, QStringLiteral("ActSave"), QStringLiteral("Save"),
                        QStringLiteral("Save File"), QStringLiteral("save"));
    a.SaveAs = makeAction(owner, QStringLiteral("ActSaveAs"), QStringLiteral("Save As..."),
                          QStringLiteral("Save File under a new name"));
    a.Print = makeAction(owner, QStringLiteral("ActPrint"), QStringLiteral("Print"),
                         QStringLiteral("Print File"), QStringLiteral("print"));
    a.Options = makeAction(owner, QStringLiteral("ActOptions"), QStringLiteral("Options"),
                           QStringLiteral("Program Options"), QStringLiteral("options"));
    a.Help = makeAction(owner, QStringLiteral("ActHelp"), QStringLiteral("Help"),
                        QStringLiteral("Help"), QStringLiteral("help"));
    a.About = makeAction(owner, QStringLiteral("ActAbout"), QStringLiteral("About"),
                         QStringLiteral("Apout this program"), QStringLiteral("about"));
    a.AboutMenu = makeAction(owner, QStringLiteral("ActAboutMenu"), QStringLiteral("About..."),
                             QStringLiteral("Apout this program"), QStringLiteral("about"));
    a.HelpOnFocus = makeAction(owner, QStringLiteral("ActHelpOnFocus"),
                               QStringLiteral("Help on this window"), QString());
    a.Quit = makeAction(owner, QStringLiteral("ActQuit"), QStringLiteral("Quit"), QString());
    a.Popup = makeAction(owner, QStringLiteral("ActPopup"), QStringLiteral("Menu"), QString());
    a.HelpContents =
        makeAction(owner, QStringLiteral("ActHelpContents"), QStringLiteral("&Contents"),
                   QStringLiteral("Help"), QStringLiteral("help"));
    a.FretTemplate =
        makeAction(owner, QStringLiteral("ActFretTemplate"), QStringLiteral("Fret template..."),
                   QStringLiteral("Print the frets at full size to mark the fingerboard"));
    a.ExportScala = makeAction(
        owner, QStringLiteral("ActExportScala"), QStringLiteral("Export Scala..."),
        QStringLiteral("Save the temperament, with the frets as tied, for a tuner or synthesizer"));
    a.FitTemperament =
        makeAction(owner, QStringLiteral("ActFitTemperament"), QStringLiteral("Fit temperament..."),
                   QStringLiteral("Find the temperament an instrument's frets were set to"));
    a.Undo = makeAction(owner, QStringLiteral("ActUndo"), QStringLiteral("Undo"),
                        QStringLiteral("Undo the last change to this file"));
    a.Redo = makeAction(owner, QStringLiteral("ActRedo"), QStringLiteral("Redo"),
                        QStringLiteral("Redo the change last undone"));

    a.Play = makeAction(owner, QStringLiteral("ActPlay"), QStringLiteral("Play"),
                        QStringLiteral("Play note"), QStringLiteral("play"));
    a.Stop = makeAction(owner, QStringLiteral("ActStop"), QStringLiteral("Stop"),
                        QStringLiteral("Stop playing note"), QStringLiteral("stop"));
    a.Volume = makeAction(owner, QStringLiteral("ActVolume"), QStringLiteral("Volume"),
                          QStringLiteral("Adjust volume"), QStringLiteral("volume"));
    for (QAction* toggle : {a.Play, a.Stop, a.Volume})
        toggle->setCheckable(true);

    assignKeys(a);

    for (QAction* needsRows : {a.Save, a.SaveAs, a.Print, a.FretTemplate, a.ExportScala,
                               a.FitTemperament, a.Undo, a.Redo})
        needsRows->setEnabled(false);
    return a;
}

} // namespace vorn
