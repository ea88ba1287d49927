// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

#include <memory>
#include <string>
#include <utility>

#include "app/DocumentHistory.h"
#include "app/MainForm.h"
#include "dialogs/GlobTension.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "support/QuietWindow.h"
#include "views/FretFrormView.h"
#include "views/FretPositionView.h"
#include "views/OneCrsPanelView.h"
#include "views/OneStringPanelView.h"
#include "views/StrFrameView.h"
#include "views/StringFileTab.h"
#include "views/VornFrame.h"
#include "widgets/PageExtControl.h"
#include "widgets/TensionEdit.h"

using namespace vorn;

namespace {

QAction* action(TMainForm& w, const char* name) {
    return w.findChild<QAction*>(QString::fromLatin1(name));
}

// What the pop-up menu offers first: the two history commands as the user reads them.
QStringList historyItems(TMainForm& w) {
    const QList<QAction*> items = w.PopupTabs()->actions();
    return {items.value(0)->text(), items.value(1)->text()};
}

std::string fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The event loop until it waits for input, as after each thing the user does: the window's
// idle check records a change then.
void idle() {
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

// The focused widget gets the key, as it does when the user presses it.
void press(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
}

} // namespace

class TestUndo : public QObject {
    Q_OBJECT

    testing::QuietWindows windows;

    std::unique_ptr<TMainForm> shownWindow() {
        auto w = windows.Start();
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            return nullptr;
        return w;
    }

    // An alto lute saved with customized frets, so that a fret choice is one click.
    QString luteFile() {
        TGlobalData settings;
        settings.DefaultInstrumentType = 3;
        TFileFrame lute(settings);
        lute.NewFromDefaults();
        lute.ViewStrings();
        lute.Document.CustomPlacement = 1;
        const QString path = windows.Path(QStringLiteral("lute.vrd"));
        return SaveDocumentFile(lute, QFile::encodeName(path).toStdString()) ? path : QString();
    }

    // Global Tension: every string to one tension, in the dialog's unit.
    static bool globalTension(TMainForm& w, const QString& text) {
        QTimer::singleShot(0, &w, [text] {
            auto* dialog = qobject_cast<TGlobTension*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->TensionBox()->selectAll();
            QTest::keyClicks(dialog->TensionBox(), text);
            dialog->accept();
        });
        return w.GlobalCommand(gk_tension);
    }

private slots:
    void init() { QVERIFY(windows.Reset()); }

    // Three changes on three pages: the first undone on the fret chart, which stays and shows
    // it, the others by the keys in a tension cell, then all done again. The bytes are the
    // file's, and the changed marks follow.
    void keysUndoAndRedoEveryKindOfChange() {
        const QString path = luteFile();
        QVERIFY(!path.isEmpty());
        auto w = shownWindow();
        QVERIFY(w && w->OpenDocumentFile(path));
        TVornFrame* lute = w->ActiveDocument();
        auto* tab = qobject_cast<TStringFileTab*>(lute->parentWidget());
        const std::string opened = fileBytes(path);
        QAction* undo = action(*w, "ActUndo");
        QAction* redo = action(*w, "ActRedo");
        idle();
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());

        TChartTensionEdit* cell = lute->StringView()->Row(2)->FirstString()->TensionCell();
        cell->setFocus();
        cell->selectAll();
        QTest::keyClicks(cell, QStringLiteral("7.5"));
        QTest::keyClick(cell, Qt::Key_Return);
        idle();
        QCOMPARE(undo->text(), QStringLiteral("Undo Tension of course 3"));
        QVERIFY(globalTension(*w, QStringLiteral("4")));
        idle();
        QCOMPARE(undo->text(), QStringLiteral("Undo Global Tension"));
        w->activateWindow(); // the keys come back from the dialog
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->ViewFrets();
        QToolButton* marker = lute->FretView()->Row(1)->MainPart()->Marker();
        const QString choice = marker->text();
        marker->click();
        idle();
        QCOMPARE(historyItems(*w), (QStringList{"Undo Fret choices", "Redo"}));
        QVERIFY(w->isWindowModified() && tab->ShowsChanged());
        const std::string edited = lute->SaveToData();

        undo->trigger();
        QCOMPARE(lute->CurrentPage(), int(TVornFrame::FretChartPage));
        QCOMPARE(lute->FretView()->Row(1)->MainPart()->Marker()->text(), choice);
        w->ViewStrings();
        lute->StringView()->Row(2)->FirstString()->TensionCell()->setFocus();
        const std::pair<int, int> place = lute->StringView()->FocusedCell();
        QCOMPARE(place.first, 2);
        for (const char* next : {"Undo Tension of course 3", "Undo"}) {
            press(Qt::Key_Z, Qt::ControlModifier);
            idle();
            QCOMPARE(undo->text(), QString::fromLatin1(next));
            // The rows were made again; the focus stays at the same place.
            QCOMPARE(lute->StringView()->FocusedCell(), place);
        }
        QCOMPARE(lute->SaveToData(), opened);
        QVERIFY(!w->isWindowModified() && !tab->ShowsChanged());
        QCOMPARE(historyItems(*w), (QStringList{"Undo", "Redo Tension of course 3"}));

        for (const int key : {Qt::Key_Z, Qt::Key_Y, Qt::Key_Z}) {
            press(key,
                  key == Qt::Key_Y ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            idle();
        }
        QVERIFY(!redo->isEnabled());
        QCOMPARE(lute->SaveToData(), edited);
        QVERIFY(w->isWindowModified() && tab->ShowsChanged());
        QCOMPARE(w->History().Stack(lute)->count(), 3);
    }

    // Quick steps of one cell are one step, but never across a save: undo comes back to the
    // saved document without its changed mark. Another tab has a history of its own.
    void stepsMergeButTheSavedStateStays() {
        auto w = shownWindow();
        QVERIFY(w);
        w->ViewStrings();
        TVornFrame* lute = w->ActiveDocument();
        idle();
        const std::string original = lute->SaveToData();
        auto spin = [&](int times) {
            for (int i = 0; i < times; ++i) {
                lute->Model().Chart.Course(3).SpinTension(0, true);
                idle();
            }
        };
        QUndoStack* stack = w->History().Stack(lute);
        spin(3);
        QCOMPARE(stack->count(), 1);
        w->Documents().AskSaveFileName = [&](const QString&, int&) {
            return windows.Path(QStringLiteral("spun.vrd"));
        };
        QVERIFY(w->SaveDocument());
        const std::string saved = lute->SaveToData();
        spin(2);
        QCOMPARE(stack->count(), 2);

        w->NewDocument();
        idle();
        QCOMPARE(historyItems(*w), (QStringList{"Undo", "Redo"}));
        QVERIFY(!action(*w, "ActUndo")->isEnabled());
        w->Tabs()->setCurrentIndex(0);
        QCOMPARE(historyItems(*w), (QStringList{"Undo Tension of course 4", "Redo"}));
        stack->undo();
        QCOMPARE(lute->SaveToData(), saved);
        idle();
        QVERIFY(!w->isWindowModified());
        stack->undo();
        QCOMPARE(lute->SaveToData(), original);
        idle();
        QVERIFY(w->isWindowModified());
    }

    // Typing a cell has not handed to the chart is the cell's own: Ctrl+Z takes it back and
    // leaves the document alone; the next Ctrl+Z undoes the change before.
    void ctrlZTakesBackTypingFirst_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("typed");
        QTest::newRow("tension") << int(cs_tension) << "9.9";
        QTest::newRow("gut diameter") << int(cs_gut) << "1.5";
        QTest::newRow("length") << int(cs_length) << "70";
        QTest::newRow("alternative diameter") << int(cs_alt_diameter) << "2.25";
    }
    void ctrlZTakesBackTypingFirst() {
        QFETCH(int, slot);
        QFETCH(QString, typed);
        auto w = shownWindow();
        QVERIFY(w);
        w->ViewStrings();
        TVornFrame* lute = w->ActiveDocument();
        idle();
        const std::string original = lute->SaveToData();
        TChartTensionEdit* earlier = lute->StringView()->Row(1)->FirstString()->TensionCell();
        earlier->setFocus();
        earlier->selectAll();
        QTest::keyClicks(earlier, QStringLiteral("6.5"));
        QTest::keyClick(earlier, Qt::Key_Return);
        idle();
        QAction* undo = action(*w, "ActUndo");
        QCOMPARE(undo->text(), QStringLiteral("Undo Tension of course 2"));
        const std::string edited = lute->SaveToData();
        const QString earlierText = earlier->text();

        auto* cell =
            qobject_cast<QLineEdit*>(lute->StringView()->Row(3)->FirstString()->Cell(slot));
        QVERIFY(cell);
        const QString shown = cell->text();
        cell->setFocus();
        cell->selectAll();
        QTest::keyClicks(cell, typed);
        QCOMPARE(cell->text(), typed);

        press(Qt::Key_Z, Qt::ControlModifier);
        idle();
        QCOMPARE(cell->text(), shown);
        QCOMPARE(earlier->text(), earlierText);
        QCOMPARE(lute->SaveToData(), edited);
        QCOMPARE(undo->text(), QStringLiteral("Undo Tension of course 2"));
        // Nothing typed is left to hand over when the cell is left.
        QTest::keyClick(cell, Qt::Key_Return);
        idle();
        QCOMPARE(lute->SaveToData(), edited);

        press(Qt::Key_Z, Qt::ControlModifier);
        idle();
        QCOMPARE(lute->SaveToData(), original);
        QVERIFY(!undo->isEnabled());
    }

    // What the File Setup page changed before View Strings is the new document's first step:
    // one undo takes the page's changes back on the chart, redo brings them again.
    void fileSetupChangesAreAStep_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pitch");
        QTest::addColumn<QString>("step");
        QTest::newRow("instrument name") << "Meine Laute"
                                         << ""
                                         << "Undo Instrument name";
        QTest::newRow("pitch") << ""
                               << "415"
                               << "Undo Pitch";
        QTest::newRow("both") << "Meine Laute"
                              << "415"
                              << "Undo File Setup";
        QTest::newRow("nothing") << ""
                                 << ""
                                 << "Undo";
    }
    void fileSetupChangesAreAStep() {
        QFETCH(QString, name);
        QFETCH(QString, pitch);
        QFETCH(QString, step);
        auto w = shownWindow();
        QVERIFY(w);
        TVornFrame* lute = w->ActiveDocument();
        QCOMPARE(lute->CurrentPage(), int(TVornFrame::FileSetupPage));
        const TInstDataType made = lute->Model().Document;
        for (const auto& [box, text] : {std::pair{"EditnstName", name}, {"EditAPitch", pitch}}) {
            if (text.isEmpty())
                continue;
            auto* edit = lute->findChild<QLineEdit*>(QString::fromLatin1(box));
            QVERIFY(edit);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, text);
            idle();
        }
        lute->findChild<QPushButton*>(QStringLiteral("ViewStringsButton"))->click();
        idle();
        QAction* undo = action(*w, "ActUndo");
        QCOMPARE(undo->text(), step);
        if (name.isEmpty() && pitch.isEmpty()) {
            QVERIFY(!undo->isEnabled());
            return;
        }
        const TInstDataType changed = lute->Model().Document;
        QVERIFY(!(changed == made));

        lute->StringView()->Row(0)->FirstString()->TensionCell()->setFocus();
        press(Qt::Key_Z, Qt::ControlModifier);
        idle();
        QCOMPARE(lute->Model().Document.InstrumentName, made.InstrumentName);
        QCOMPARE(lute->Model().Document.APitch, made.APitch);
        QCOMPARE(lute->StringView()->InstrumentNameBox()->text(),
                 QString::fromStdString(made.InstrumentName));
        QVERIFY(!undo->isEnabled());
        press(Qt::Key_Y, Qt::ControlModifier);
        idle();
        QVERIFY(lute->Model().Document == changed);
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
