// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

#include "app/MainForm.h"
#include "chart/StrFrame.h"
#include "dialogs/OptionsFormView.h"
#include "dialogs/StrMatFormView.h"
#include "files/SettingsFile.h"
#include "io/ByteWriter.h"
#include "support/ChangedSettings.h"
#include "support/QuietWindow.h"
#include "views/VornFrame.h"
#include "widgets/FloatEdit.h"
#include "widgets/TensionEdit.h"

using namespace vorn;

class TestOptions : public QObject {
    Q_OBJECT

    testing::QuietWindows windows;

    std::unique_ptr<TMainForm> start() { return windows.Start(); }

    // Runs the options dialog of the window: `act` works the controls, then OK or Cancel.
    static bool runOptions(TMainForm& w, int page,
                           const std::function<void(TOptionsFormView&)>& act, bool ok) {
        TOptionsFormView* dialog = w.OptionsDialog();
        QTimer::singleShot(0, dialog, [dialog, act, ok] {
            act(*dialog);
            ok ? dialog->accept() : dialog->reject();
        });
        return w.ShowOptions(page);
    }

private slots:
    void init() { QVERIFY(windows.Reset()); }

    void opensOnThePageAndItsHelp() {
        QList<int> asked;
        TOptionsFormView dialog([&](int context) { asked << context; });
        TGlobalData live;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (int page : {0, 1, 2, 4}) {
            dialog.Begin(page, live);
            QCOMPARE(dialog.CurrentPage(), page);
            dialog.Buttons()->button(QDialogButtonBox::Help)->click();
            // F1 as well, wherever the focus is in the dialog; the button it presses comes up
            // a moment later.
            const qsizetype before = asked.size();
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog,
                            Qt::Key_F1);
            QTRY_COMPARE(asked.size(), before + 1);
        }
        QCOMPARE(asked, (QList<int>{160, 160, 170, 170, 180, 180, 200, 200}));
        QCOMPARE(dialog.Pages()->tabText(5), QStringLiteral("Wounds"));
    }

    void poundsOnOkNothingOnCancel() {
        auto w = start();
        w->ViewStrings();
        const std::string before = vorn::testing::SettingsBytes(w->Settings());
        const auto toPounds = [](TOptionsFormView& d) {
            d.UnitCombo()->setCurrentIndex(tt_pounds);
            emit d.UnitCombo()->activated(tt_pounds);
            QCOMPARE(d.AssignmentBox(0)->UnitText(), QStringLiteral("lb."));
        };
        QVERIFY(!runOptions(*w, 0, toPounds, false));
        QCOMPARE(vorn::testing::SettingsBytes(w->Settings()), before);

        QVERIFY(runOptions(*w, 0, toPounds, true));
        QCOMPARE(w->Settings().TensionUnit, tt_pounds);
        w->show(); // the chart makes its cells when it is first seen
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QList<TTensionEdit*> cells = w->ActiveDocument()->findChildren<TTensionEdit*>();
        QVERIFY(!cells.isEmpty());
        for (const TTensionEdit* cell : cells)
            QCOMPARE(cell->UnitText(), QStringLiteral("lb."));
        QVERIFY(w->PanelText(4).endsWith(QStringLiteral(" lb.")));
        QVERIFY(w->close());
        w.reset();

        auto again = start();
        QCOMPARE(again->Settings().TensionUnit, tt_pounds);
    }

    // Showing a material fills its boxes; that must not write back into another material.
    void choosingMaterialsChangesNone() {
        TOptionsFormView dialog({});
        TGlobalData live;
        dialog.Begin(op_materials, live);
        QVERIFY(dialog.MaterialPanel()->isHidden());
        const auto before = dialog.Model().Scratch.Materials.Items();
        for (int row : {4, 5, 1, 6})
            dialog.MaterialList()->setCurrentRow(row);
        QVERIFY(!dialog.MaterialPanel()->isHidden());
        QCOMPARE(dialog.MaterialName()->text(), QString::fromStdString(before[6].Name));
        const auto& after = dialog.Model().Scratch.Materials.Items();
        for (size_t i = 0; i < before.size(); ++i) {
            QCOMPARE(after[i].MaxTension, before[i].MaxTension);
            QCOMPARE(after[i].MinTension, before[i].MinTension);
            QCOMPARE(after[i].MaxDiameter, before[i].MaxDiameter);
            QCOMPARE(after[i].Density, before[i].Density);
        }
        // A typed limit reaches the chosen material only.
        dialog.MaterialMaxTension()->SetValue(12.5);
        QVERIFY(std::abs(after[6].MaxTension - 12.5 * 9.80665) < 1e-3);
        QCOMPARE(after[5].MaxTension, before[5].MaxTension);
    }

    void warningBoxes() {
        TOptionsFormView dialog({});
        QStringList said;
        bool answer = false;
        dialog.Confirm = [&](const QString& caption, const QString& text) {
            said << caption << text;
            return answer;
        };
        dialog.Inform = [&](const QString& text) { said << text; };
        TGlobalData live;
        dialog.Begin(op_materials, live);
        const int count = dialog.MaterialList()->count();
        dialog.MaterialList()->setCurrentRow(1);
        dialog.DeleteMaterialButton()->click();
        QCOMPARE(said,
                 QStringList{QStringLiteral("Nylon, Nylgut and Carbon PVC can not be deleted!")});
        said.clear();
        dialog.MaterialList()->setCurrentRow(4);
        dialog.DeleteMaterialButton()->click();
        QCOMPARE(said.value(0), QStringLiteral("Delete String Material"));
        QCOMPARE(dialog.MaterialList()->count(), count); // Cancel
        answer = true;
        dialog.DeleteMaterialButton()->click();
        QCOMPARE(dialog.MaterialList()->count(), count - 1);
        said.clear();
        dialog.DefaultMaterialsButton()->click();
        QCOMPARE(said, (QStringList{QStringLiteral("Default String Material List"),
                                    QStringLiteral("All changes to the list will be lost. Click "
                                                   "\"OK\" to proceed.")}));
        QCOMPARE(dialog.MaterialList()->count(), count);
    }

    // Leaving a box shows what the material keeps, in the box's unit.
    void typedBeyondTheRangeShowsWhatIsKept_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("kept");     // g/cm³, N or mm
        QTest::addColumn<double>("perShown"); // kept units per shown unit
        QTest::newRow("density") << 0 << int(tt_kilograms) << "150" << 100.0 << 1.0;
        QTest::newRow("tension kg") << 1 << int(tt_kilograms) << "2000" << 10000.0 << 9.80665;
        QTest::newRow("tension lb") << 1 << int(tt_pounds) << "5000" << 10000.0 << 4.448221615;
        QTest::newRow("diameter") << 2 << int(tt_kilograms) << "150" << 100.0 << 1.0;
        QTest::newRow("breaking index") << 3 << int(tt_kilograms) << "20000" << 10000.0 << 1.0;
        QTest::newRow("breaking index in pounds") << 3 << int(tt_pounds) << "123.5" << 123.5 << 1.0;
    }
    void typedBeyondTheRangeShowsWhatIsKept() {
        QFETCH(int, box);
        QFETCH(int, unit);
        QFETCH(QString, typed);
        QFETCH(double, kept);
        QFETCH(double, perShown);
        TOptionsFormView dialog({});
        TGlobalData live;
        dialog.Begin(op_materials, live);
        dialog.UnitCombo()->setCurrentIndex(unit);
        emit dialog.UnitCombo()->activated(unit);
        dialog.MaterialList()->setCurrentRow(4);
        const std::array<TFloatSpinBase*, 4> boxes{
            dialog.MaterialDensity(), dialog.MaterialMaxTension(), dialog.MaterialMaxDiameter(),
            dialog.MaterialBreakingIndex()};
        TFloatSpinBase* edit = boxes[box];
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &leave);
        const TStringMaterialItem& m = dialog.Model().Scratch.Materials[4];
        const std::array<float, 4> held{m.Density, m.MaxTension, m.MaxDiameter, m.BreakingIndex};
        QVERIFY2(std::abs(held[box] - kept) < 1e-3 * kept, qPrintable(QString::number(held[box])));
        QVERIFY2(std::abs(edit->GetValue() * perShown - kept) < 1e-3 * kept,
                 qPrintable(edit->text()));
    }

    // OK with a material's bounds crossed says so and shows the material.
    void okRefusedWhileBoundsCross() {
        TOptionsFormView dialog({});
        QStringList said;
        dialog.Inform = [&](const QString& text) { said << text; };
        TGlobalData live;
        dialog.Begin(op_new_files, live);
        dialog.Pages()->setCurrentIndex(op_materials);
        dialog.MaterialList()->setCurrentRow(4);
        dialog.MaterialMinDiameter()->SetValue(6); // Copper's maximum is 5 mm
        dialog.Pages()->setCurrentIndex(op_new_files);
        dialog.Buttons()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(said, QStringList{
                           QStringLiteral("The minimum diameter of Copper is above its maximum.")});
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.CurrentPage(), int(op_materials));
        QCOMPARE(dialog.MaterialList()->currentRow(), 4);
        QVERIFY(!dialog.MaterialPanel()->isHidden());
        dialog.MaterialMaxDiameter()->SetValue(7);
        dialog.Buttons()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    // The material panel comes and goes with the choice; the buttons under the list stay put.
    void choosingAMaterialMovesNoButton() {
        TOptionsFormView dialog({});
        TGlobalData live;
        dialog.Begin(op_materials, live);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.MaterialPanel()->isHidden());
        QPushButton* del = dialog.DeleteMaterialButton();
        const QRect before(del->mapTo(&dialog, QPoint(0, 0)), del->size());
        dialog.MaterialList()->setCurrentRow(2);
        QVERIFY(!dialog.MaterialPanel()->isHidden());
        QCoreApplication::processEvents();
        QCOMPARE(QRect(del->mapTo(&dialog, QPoint(0, 0)), del->size()), before);
    }

    void addDialogNeedsANameAndFigures() {
        TStrMatFormView add(tt_kilograms, {});
        QCOMPARE(add.windowTitle(), QStringLiteral("Add String Material"));
        QVERIFY(!add.OkButton()->isEnabled());
        add.NameBox()->setText(QStringLiteral("Silk"));
        for (TFloatSpinBase* box : {static_cast<TFloatSpinBase*>(add.DensityBox()),
                                    static_cast<TFloatSpinBase*>(add.MaxTensionBox()),
                                    static_cast<TFloatSpinBase*>(add.MinTensionBox()),
                                    static_cast<TFloatSpinBase*>(add.MaxDiameterBox())}) {
            box->SetValue(1.5);
            QVERIFY(!add.OkButton()->isEnabled());
        }
        add.MinDiameterBox()->SetValue(0.2);
        QVERIFY(add.OkButton()->isEnabled());
        QVERIFY(add.ProblemLabel()->isHidden());
        add.MinDiameterBox()->SetValue(2);
        QVERIFY(!add.OkButton()->isEnabled());
        QVERIFY(!add.ProblemLabel()->isHidden());
        QCOMPARE(add.ProblemLabel()->text(),
                 QStringLiteral("The minimum diameter is above the maximum."));
        add.MinDiameterBox()->SetValue(0.2);
        add.DensityBox()->SetValue(150);
        QCOMPARE(add.Figures().Density, 100.0);
        QVERIFY(add.OkButton()->isEnabled());
        // The breaking index starts as gut's and goes with the figures.
        QCOMPARE(add.Figures().BreakingIndex, 260.0);
        add.BreakingIndexBox()->SetValue(0);
        QCOMPARE(add.Figures().BreakingIndex, 0.0);
        QVERIFY(add.OkButton()->isEnabled());
        add.NameBox()->clear();
        QVERIFY(!add.OkButton()->isEnabled());
        QCOMPARE(add.MaxTensionBox()->UnitText(), QStringLiteral("kg."));
    }

    // Added, chosen in a row, kept over a restart, deleted again: the row falls back.
    void addedMaterialLivesAndGoes() {
        auto w = start();
        w->ViewStrings();
        const auto add = [](TOptionsFormView& d) {
            d.AskNewMaterial = [](VornTensType, MaterialFigures& m) {
                m = MaterialFigures{"Silk", 1.25, 10, 2, 1.2, 0.3};
                return true;
            };
            d.AddMaterialButton()->click();
        };
        QVERIFY(runOptions(*w, op_materials, add, true));
        TStrFrame& chart = w->ActiveDocument()->Model().Chart;
        TOneStringPanel& top = chart.Course(0).First;
        const auto silk = std::find(top.AltItems.begin(), top.AltItems.end(), "Silk");
        QVERIFY(silk != top.AltItems.end());
        chart.Course(0).SelectAlternative(0, static_cast<int>(silk - top.AltItems.begin()));
        QCOMPARE(QString::fromStdString(top.Rec.AltChoice), QStringLiteral("Silk"));
        QVERIFY(w->close());
        w.reset();

        w = start();
        QCOMPARE(QString::fromStdString(w->Settings().Materials.MaterialByName("Silk").Name),
                 QStringLiteral("Silk"));
        TVornFrame* reopened = w->ActiveDocument();
        QVERIFY(reopened->HasCourseRows());
        const auto remove = [](TOptionsFormView& d) {
            d.Confirm = [](const QString&, const QString&) { return true; };
            const auto items =
                d.MaterialList()->findItems(QStringLiteral("Silk"), Qt::MatchExactly);
            QCOMPARE(items.size(), 1);
            d.MaterialList()->setCurrentItem(items.first());
            d.DeleteMaterialButton()->click();
        };
        QVERIFY(runOptions(*w, op_materials, remove, true));
        const TOneStringPanel& first = reopened->Model().Chart.Course(0).First;
        QVERIFY(std::find(first.AltItems.begin(), first.AltItems.end(), "Silk") ==
                first.AltItems.end());
        QVERIFY(first.AltIndex >= 0 && first.AltIndex < int(first.AltItems.size()));
        QCOMPARE(first.Rec.AltChoice, first.AltItems[first.AltIndex]);
    }

    void woundLinesTickAndDelete() {
        TOptionsFormView dialog({});
        TGlobalData live;
        dialog.Begin(op_wounds, live);
        QVERIFY(!dialog.RestoreCatalogueButton()->isEnabled());
        dialog.ViewCatalogueButton(sc_savarez)->click();
        QCOMPARE(dialog.WoundList()->count(), live.Catalogues.Savarez.Count() - 1);
        QVERIFY(!dialog.DeleteSelectedButton()->isEnabled());
        dialog.WoundList()->item(1)->setCheckState(Qt::Checked);
        QVERIFY(dialog.DeleteSelectedButton()->isEnabled());
        dialog.DeleteSelectedButton()->click();
        QCOMPARE(dialog.WoundList()->count(), live.Catalogues.Savarez.Count() - 2);
        QVERIFY(!dialog.DeleteSelectedButton()->isEnabled());
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
