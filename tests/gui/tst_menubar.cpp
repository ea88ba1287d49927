// SPDX-License-Identifier: GPL-3.0-or-later

// The menu bar, the recent files and opening by drop: what the window adds to the document
// manager's open and save.

#include <QtTest>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

#include <memory>

#include "app/FileDropOpener.h"
#include "app/MainForm.h"
#include "app/MainMenus.h"
#include "app/RecentFilesMenu.h"
#include "files/PreferencesFile.h"
#include "support/QuietWindow.h"
#include "views/FretFrormView.h"
#include "views/VornFrame.h"
#include "widgets/PageExtControl.h"

using namespace vorn;

namespace {

QStringList texts(const QMenu* menu) {
    QStringList items;
    for (QAction* a : menu->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return items;
}

QMenu* barMenu(TMainForm& w, const QString& title) {
    for (QAction* a : w.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

} // namespace

class TestMenuBar : public QObject {
    Q_OBJECT

    testing::QuietWindows windows;

    QString settingsPath() const { return windows.Path(QStringLiteral("vorn.vrn")); }

    std::unique_ptr<TMainForm> start() {
        auto w = windows.Start();
        // No message is expected here: any would be a failure.
        w->MessageHook = [](QMessageBox::Icon, const QString&, const QString& text) {
            QFAIL(qPrintable(text));
        };
        QCoreApplication::processEvents();
        return w;
    }

    // A lute saved under name in the test folder; the window keeps its tab.
    QString saved(TMainForm& w, const QString& name) {
        w.NewDocument();
        w.ViewStrings();
        const QString path = windows.Path(name);
        if (!w.SaveDocumentFile(path))
            return {};
        return path;
    }

private slots:
    void init() { QVERIFY(windows.Reset()); }

    void menus_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("File") << "&File" << QStringList{"New",   "Open",       "Open &Recent", "-",
                                                        "Save",  "Save As...", "Close",        "-",
                                                        "Print", "-",          "Quit"};
        QTest::newRow("Edit") << "&Edit" << QStringList{"Undo", "Redo"};
        QTest::newRow("Globals")
            << "&Globals"
            << QStringList{"Courses", "Course Types", "Tuning - Pitch",     "String Length",
                           "Tension", "Gut Strings",  "Alternative Strings"};
        QTest::newRow("Tools") << "&Tools"
                               << QStringList{"Options", "-", "Fret template...", "Export Scala...",
                                              "Fit temperament..."};
        QTest::newRow("Help") << "&Help" << QStringList{"&Contents", "About..."};
    }

    void menus() {
        QFETCH(QString, title);
        QFETCH(QStringList, items);
        auto w = start();
        QMenu* menu = barMenu(*w, title);
        QVERIFY2(menu, qPrintable(title));
        QCOMPARE(texts(menu), items);
    }

    // Every command of the File menu answers its key wherever the focus is in the window.
    void fileCommandsHaveKeys_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"ActNew", "ActOpen", "ActSave", "ActSaveAs", "ActClose", "ActPrint", "ActQuit"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void fileCommandsHaveKeys() {
        QFETCH(QString, name);
        auto w = start();
        QAction* action = w->findChild<QAction*>(name);
        QVERIFY(action);
        QVERIFY(!action->shortcuts().isEmpty());
        QVERIFY(w->actions().contains(action));
    }

    // The menu bar's items are the side bar's and the pop-up's actions: they are enabled
    // together, with the active document.
    void itemsFollowTheActiveDocument() {
        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QMenu* tools = barMenu(*w, QStringLiteral("&Tools"));
        QMenu* file = barMenu(*w, QStringLiteral("&File"));
        const auto enabled = [](QMenu* menu, const QString& text) {
            for (QAction* a : menu->actions())
                if (a->text() == text)
                    return a->isEnabled();
            return false;
        };
        // A new document on File Setup has no rows: nothing to save, change or fit.
        w->IdleUpdate();
        QVERIFY(!enabled(file, QStringLiteral("Save")));
        QVERIFY(!enabled(tools, QStringLiteral("Fret template...")));
        QVERIFY(!w->Menus()->Globals()->isEnabled());
        w->ViewStrings();
        w->IdleUpdate();
        QVERIFY(enabled(file, QStringLiteral("Save")));
        QVERIFY(enabled(tools, QStringLiteral("Export Scala...")));
        QVERIFY(w->Menus()->Globals()->isEnabled());
        QVERIFY(w->Menus()->Globals()->menuAction()->isEnabled());
    }

    // Tools › Export Scala shows the fret chart, then saves what it shows.
    void toolsWorkOnTheFretChart() {
        auto w = start();
        w->ViewStrings();
        QString proposed;
        w->ActiveDocument()->FretView()->AskScalaName = [&proposed](const QString& p, int&) {
            proposed = p;
            return QString(); // cancelled
        };
        w->findChild<QAction*>(QStringLiteral("ActExportScala"))->trigger();
        QCOMPARE(w->ActiveDocument()->CurrentPage(), int(TVornFrame::FretChartPage));
        QVERIFY(!proposed.isEmpty());
    }

    void recentFilesAreNewestFirstAndKept() {
        QStringList files;
        {
            auto w = start();
            for (const char* name : {"a.vrd", "b.vrd", "c.vrd"})
                files << saved(*w, QString::fromLatin1(name));
            // Opening an open file again counts as its use.
            QVERIFY(w->OpenDocumentFile(files[0]));
            TRecentFilesMenu* recent = w->Menus()->Recent();
            recent->Refresh();
            const QStringList items = texts(recent);
            QCOMPARE(items.mid(0, 3), (QStringList{"&1 " + QDir::toNativeSeparators(files[0]),
                                                   "&2 " + QDir::toNativeSeparators(files[2]),
                                                   "&3 " + QDir::toNativeSeparators(files[1])}));
        }
        // Written at once: a crash would not lose them.
        const Preferences prefs =
            LoadPreferencesFile(PreferencesPathFor(settingsPath().toStdString()));
        QCOMPARE(prefs.RecentFiles.size(), size_t(3));
        QCOMPARE(QString::fromStdString(prefs.RecentFiles.front()), files[0]);

        // A file gone is shown but cannot be chosen, and can be cleared.
        QVERIFY(QFile::remove(files[2]));
        auto w = start();
        TRecentFilesMenu* recent = w->Menus()->Recent();
        recent->Refresh();
        QList<QAction*> items = recent->actions();
        QVERIFY(items[0]->isEnabled());
        QVERIFY(!items[1]->isEnabled());
        QAction* clearMissing = recent->findChild<QAction*>(QStringLiteral("ActClearMissing"));
        QVERIFY(clearMissing && clearMissing->isEnabled());
        clearMissing->trigger();
        QCOMPARE(w->Documents().TabCount(), 1);
        recent->Refresh();
        QCOMPARE(texts(recent).mid(0, 2),
                 (QStringList{"&1 " + QDir::toNativeSeparators(files[0]),
                              "&2 " + QDir::toNativeSeparators(files[1])}));
        // Choosing one opens it.
        recent->actions()[1]->trigger();
        QCOMPARE(QString::fromStdString(w->ActiveDocument()->Model().FilePath), files[1]);
    }

    // Vorn files dropped on a text field open; the field does not get their paths as text.
    void droppedFilesOpen() {
        QString path;
        {
            auto w = start();
            path = saved(*w, QStringLiteral("dropped.vrd"));
        }
        // The save kept the file for reopening; the drop goes to a window without it.
        QVERIFY(QFile::remove(windows.Path(QStringLiteral("vorn.vrn"))));
        QFile other(windows.Path(QStringLiteral("notes.txt")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();

        auto w = start();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const int before = w->TabCount();
        QLineEdit* field = w->ActiveDocument()->findChild<QLineEdit*>();
        QVERIFY(field);
        const QString text = field->text();

        QMimeData notVorn;
        notVorn.setUrls({QUrl::fromLocalFile(other.fileName())});
        QVERIFY(TFileDropOpener::VornFiles(&notVorn).isEmpty());

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(other.fileName())});
        data.setText(path);
        const QPoint at = field->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(field, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(field, &drop);
        QCOMPARE(w->TabCount(), before + 1);
        QCOMPARE(QString::fromStdString(w->ActiveDocument()->Model().FilePath), path);
        QCOMPARE(field->text(), text);
    }
};

QTEST_MAIN(TestMenuBar)
#include "tst_menubar.moc"
