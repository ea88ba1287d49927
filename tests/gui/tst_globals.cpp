// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

#include "app/HelpViewer.h"
#include "app/MainForm.h"
#include "dialogs/GlobMaterials.h"
#include "dialogs/GlobTension.h"
#include "dialogs/GlobTuning.h"
#include "support/QuietWindow.h"
#include "views/FretFrormView.h"
#include "views/VornFrame.h"
#include "widgets/PageExtControl.h"
#include "widgets/TensionEdit.h"

using namespace vorn;

class TestGlobals : public QObject {
    Q_OBJECT

    testing::QuietWindows windows;

    std::unique_ptr<TMainForm> start() {
        auto w = windows.Start();
        w->ViewStrings();
        return w;
    }

    // Runs Globals item n: `act` works the dialog that opens, then OK or Cancel.
    static bool run(TMainForm& w, GlobalChangeKind kind,
                    const std::function<void(TGlobalDialog&)>& act, bool ok) {
        QTimer::singleShot(0, &w, [act, ok] {
            auto* dialog = qobject_cast<TGlobalDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            act(*dialog);
            ok ? dialog->accept() : dialog->reject();
        });
        return w.GlobalCommand(kind);
    }

private slots:
    void init() { QVERIFY(windows.Reset()); }

    void eachItemOpensItsDialogAndCancelKeepsTheFile_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("help");
        QTest::newRow("tuning") << "Tuning - Pitch" << int(gk_tuning) << "Global Tuning" << 100;
        QTest::newRow("types") << "Course Types" << int(gk_course_types) << "Global Course Type"
                               << 90;
        QTest::newRow("courses") << "Courses" << int(gk_courses) << "Global Courses" << 80;
        QTest::newRow("tension") << "Tension" << int(gk_tension) << "Global Tension" << 130;
        QTest::newRow("alternatives")
            << "Alternative Strings" << int(gk_alternatives) << "Global Alternative Strings" << 150;
        QTest::newRow("gut") << "Gut Strings" << int(gk_gut) << "Global Gut" << 140;
        QTest::newRow("length") << "String Length" << int(gk_string_length)
                                << "Global String Length" << 120;
    }
    void eachItemOpensItsDialogAndCancelKeepsTheFile() {
        QFETCH(QString, item);
        QFETCH(int, command);
        QFETCH(QString, caption);
        QFETCH(int, help);
        auto w = start();
        const std::string before = w->ActiveDocument()->SaveToData();
        QAction* action = nullptr;
        for (QAction* a :
             w->PopupTabs()->findChild<QMenu*>(QStringLiteral("MenuGlobals"))->actions())
            if (a->text() == item)
                action = a;
        QVERIFY(action);
        QCOMPARE(action->data().toInt(), command);
        QVERIFY(action->isEnabled());
        QString seen;
        int helped = 0;
        int helpedByKey = 0;
        QTimer::singleShot(0, w.get(), [&] {
            auto* dialog = qobject_cast<TGlobalDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = dialog->windowTitle();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : dialog, Qt::Key_F1);
            // The key presses the button the way a click looks: it comes up a moment later.
            QTRY_VERIFY(w->HelpViewer()->CurrentContext() != 0);
            helpedByKey = w->HelpViewer()->CurrentContext();
            dialog->Buttons()->button(QDialogButtonBox::Help)->click();
            helped = w->HelpViewer()->CurrentContext();
            dialog->reject();
        });
        action->trigger();
        QCOMPARE(seen, caption);
        QCOMPARE(helpedByKey, help);
        QCOMPARE(helped, help);
        QCOMPARE(w->ActiveDocument()->SaveToData(), before);
    }

    void tuningOkReachesRowsStatusAndFretChart() {
        auto w = start();
        TVornFrame* lute = w->ActiveDocument();
        w->ViewFrets();
        const int top = lute->Model().Chart.Course(0).First.Rec.Note.Number;
        QVERIFY(run(
            *w, gk_tuning,
            [](TGlobalDialog& d) {
                auto& tuning = static_cast<TGlobTuning&>(d);
                tuning.PitchList()->setCurrentIndex(2);
                emit tuning.PitchList()->activated(2);
                tuning.TemperamentList()->setCurrentIndex(2);
                emit tuning.TemperamentList()->activated(2);
                tuning.IntervalList()->setCurrentIndex(6);
                emit tuning.IntervalList()->activated(6);
                tuning.TuneDown()->click();
            },
            true));
        QCOMPARE(lute->Model().Document.APitch, 415.0f);
        QCOMPARE(lute->Model().Chart.Course(0).First.Rec.Note.Number, top - 7);
        QCOMPARE(w->PanelText(5), QStringLiteral("Pitch: A=415"));
        QCOMPARE(w->PanelText(6), QStringLiteral("Temperament: 1/4 Comma (Pure major third)"));
        // The fret chart on screen shows the new temperament and top string.
        QCOMPARE(lute->FretView()->Selector()->currentIndex(), 2);
        QCOMPARE(lute->FretView()->Model().TopNote.Number, top - 7);
    }

    void tensionBoxFollowsTheUnitAndTypingChooses() {
        auto w = start();
        QVERIFY(run(
            *w, gk_tension,
            [](TGlobalDialog& d) {
                auto& tension = static_cast<TGlobTension&>(d);
                QCOMPARE(tension.TensionBox()->text(), QStringLiteral("3.06")); // 30 N
                tension.UnitList()->setCurrentIndex(tt_newtons);
                emit tension.UnitList()->activated(tt_newtons);
                QCOMPARE(tension.TensionBox()->UnitText(), QStringLiteral("N."));
                QVERIFY(!tension.OneTension()->isChecked());
                tension.TensionBox()->selectAll();
                QTest::keyClicks(tension.TensionBox(), QStringLiteral("40"));
                QVERIFY(tension.OneTension()->isChecked());
            },
            true));
        QCOMPARE(w->Settings().TensionUnit, tt_newtons);
        for (const auto& course : w->ActiveDocument()->Model().Chart.Courses)
            QCOMPARE(course->First.Rec.TensionN, 40.0f);
        QVERIFY(w->PanelText(4).endsWith(QStringLiteral(" N.")));
    }

    // The unit belongs to the settings: changed through one tab's Global Tension, every tab
    // shows it, and a tab's bridge is the sum of what its rows show.
    void aUnitChangeReachesEveryTab() {
        auto w = start();
        TVornFrame* first = w->ActiveDocument();
        w->Documents().NewTab();
        w->ViewStrings();
        QVERIFY(w->ActiveDocument() != first);
        QVERIFY(run(
            *w, gk_tension,
            [](TGlobalDialog& d) {
                auto& tension = static_cast<TGlobTension&>(d);
                tension.UnitList()->setCurrentIndex(tt_newtons);
                emit tension.UnitList()->activated(tt_newtons);
            },
            true));
        w->Tabs()->setCurrentIndex(0);
        QCOMPARE(w->ActiveDocument(), first);
        w->show(); // the chart makes its cells when it is first seen
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        TStrFrame& chart = first->Model().Chart;
        chart.Course(2).EditTension(0, 40.0);
        w->BridgeChanged();

        const QList<TTensionEdit*> cells = first->findChildren<TTensionEdit*>();
        QVERIFY(!cells.isEmpty());
        for (const TTensionEdit* cell : cells)
            QCOMPARE(cell->UnitText(), QStringLiteral("N."));
        QCOMPARE(chart.Course(2).First.TensionText(w->Settings()), std::string("40"));
        double shown = 0;
        for (const auto& course : chart.Courses) {
            const double top = course->First.ShownTension(w->Settings());
            shown += course->Kind == ck_unison ? 2 * top : top;
            if (course->Second)
                shown += course->Second->ShownTension(w->Settings());
        }
        QCOMPARE(w->PanelText(4), QStringLiteral("Bridge: %1 N.").arg(shown, 0, 'f', 3));
    }

    void materialsListRefillsAfterEditingTheMaterials() {
        auto w = start();
        TGlobalData& settings = w->Settings();
        QVERIFY(!run(
            *w, gk_alternatives,
            [&settings](TGlobalDialog& d) {
                auto& alts = static_cast<TGlobMaterials&>(d);
                const int before = alts.ChoiceList()->count();
                alts.ChoiceList()->setCurrentIndex(1);
                emit alts.ChoiceList()->activated(1);
                QVERIFY(alts.OneType()->isChecked());
                // What the Options dialog would do on OK.
                settings.Materials.AddMaterial("Silk", 1.3f, 100, 10, 1, 0.2f);
                QPushButton* edit = nullptr;
                for (QPushButton* b : alts.findChildren<QPushButton*>())
                    if (b->text() == QStringLiteral("Edit Materials List"))
                        edit = b;
                QVERIFY(edit);
                // The Options dialog opens on Materials; leave it with Cancel.
                QTimer::singleShot(0, [] {
                    if (auto* options = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                        options->reject();
                });
                edit->click();
                QCOMPARE(alts.ChoiceList()->count(), before + 1);
                QCOMPARE(alts.ChoiceList()->currentIndex(), -1);
            },
            false));
    }
};

QTEST_MAIN(TestGlobals)
#include "tst_globals.moc"
