// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>

#include <cmath>

#include "dialogs/FitTemperamentDialog.h"
#include "document/GlobalData.h"
#include "files/FileFrame.h"
#include "pitch/FretRecord.h"
#include "pitch/Intervals.h"
#include "views/FretFrormView.h"
#include "widgets/HelpContext.h"

using namespace vorn;

Q_DECLARE_METATYPE(vorn::FretChoices)

namespace {

const FretChoices sharpKey = {fc_mi,    fc_mi, fc_fa, fc_mi, fc_fa, fc_mi,
                              fc_fixed, fc_mi, fc_mi, fc_fa, fc_mi};

// Fills the dialog with frets 1..11 of that fraction and those choices at 60 cm, to a tenth
// of a millimetre and with a decimal comma, as a German user types them.
void typeFrets(TFitTemperamentDialog& dialog, double fraction, const FretChoices& choices) {
    FretRecord r;
    r.Length = 60;
    r.Choices = choices;
    r.Prepare();
    dialog.LengthField()->setText(QStringLiteral("60"));
    for (int fret = 1; fret <= 11; ++fret) {
        const double d = FretDistance(60, MainCents(r, TemperedFifth(fraction), fret));
        dialog.FretField(fret)->setText(
            QString::number(std::nearbyint(d * 100) / 100, 'f', 2).replace(u'.', u','));
    }
}

} // namespace

class TestFitDialog : public QObject {
    Q_OBJECT

    TGlobalData settings;

private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        settings = TGlobalData();
    }

    void applySetsTemperamentAndChoices_data() {
        QTest::addColumn<double>("fraction");
        QTest::addColumn<FretChoices>("choices");
        QTest::addColumn<int>("identifier");
        QTest::addColumn<int>("selector");
        QTest::addColumn<double>("applied");
        QTest::newRow("quarter comma") << 0.25 << sharpKey << 2 << 2 << 0.25;
        QTest::newRow("between the names") << 0.23 << DefaultMiFa << 9 << 9 << 0.23;
    }

    void applySetsTemperamentAndChoices() {
        QFETCH(double, fraction);
        QFETCH(FretChoices, choices);
        QFETCH(int, identifier);
        QFETCH(int, selector);
        QFETCH(double, applied);
        TFileFrame frame(settings);
        frame.NewFromDefaults();
        frame.Document.StringLength = 64;
        TFretFrormView view(settings);
        view.Bind(frame.Document);
        frame.MarkUnchanged();
        QSignalSpy temperament(&view, &TFretFrormView::temperamentChanged);

        view.RunFitDialog = [&](TFitTemperamentDialog& dialog) {
            // The document's length is offered first.
            [&] { QCOMPARE(dialog.LengthField()->text(), QStringLiteral("64")); }();
            typeFrets(dialog, fraction, choices);
            QTest::mouseClick(dialog.ApplyButton(), Qt::LeftButton);
            return dialog.result();
        };
        QVERIFY(view.FitTemperament());
        const TInstDataType& d = frame.Document;
        QCOMPARE(int(d.Temperament), identifier);
        QVERIFY(std::fabs(d.CommaFraction - applied) < 1e-12);
        QCOMPARE(int(d.CustomPlacement), 1);
        QVERIFY(d.FretMiFa == choices);
        QVERIFY(frame.Changed());
        QVERIFY(temperament.count() >= 1);
        QCOMPARE(view.Selector()->currentIndex(), selector);
        QVERIFY(view.CustomizedButton()->isChecked());
    }

    // Apply is offered only for a fit to trust; the summary says what is wrong, and the
    // doubted fret's row stays in the table to be compared.
    void applyOnlyForAPlausibleFit_data() {
        QTest::addColumn<int>("fret");     // 0: as typed
        QTest::addColumn<QString>("text"); // what that fret is changed to
        QTest::addColumn<bool>("apply");
        QTest::addColumn<QString>("says");
        QTest::newRow("as measured") << 0 << QString() << true << "Comma fraction";
        QTest::newRow("before the fret above")
            << 8 << "10" << false << "Fret 8 at 10 cm is not further from the nut than fret 7";
        QTest::newRow("misread") << 2 << "7,4" << false << "Fret 2 at 7.4 cm is";
        QTest::newRow("pasted page")
            << 4 << QString(5000, u'x') << false
            << "Fret 4: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\u2026\"";
    }
    void applyOnlyForAPlausibleFit() {
        QFETCH(int, fret);
        QFETCH(QString, text);
        QFETCH(bool, apply);
        QFETCH(QString, says);
        TFitTemperamentDialog dialog(60, DefaultMiFa, {});
        typeFrets(dialog, 1.0 / 3, DefaultMiFa);
        if (fret)
            dialog.FretField(fret)->setText(text);
        QCOMPARE(dialog.ApplyButton()->isEnabled(), apply);
        QVERIFY2(dialog.Summary()->text().startsWith(says), qPrintable(dialog.Summary()->text()));
        QVERIFY(dialog.Summary()->text().size() < 200);
        if (says.startsWith(QStringLiteral("Fret 2 at")))
            QCOMPARE(dialog.Table()->rowCount(), 11);
        // Enter takes the default button only when it is offered.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(dialog.FretField(1), Qt::Key_Return);
        QCOMPARE(dialog.result() == QDialog::Accepted, apply);
    }

    // Every column shows whole: the dialog is as wide as the table wants.
    void tableFitsItsWindow() {
        TFitTemperamentDialog dialog(60, DefaultMiFa, {});
        typeFrets(dialog, 0.25, sharpKey);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTableWidget* table = dialog.Table();
        QCOMPARE(table->rowCount(), 11);
        QVERIFY2(table->horizontalHeader()->length() <= table->viewport()->width(),
                 qPrintable(QStringLiteral("%1 > %2")
                                .arg(table->horizontalHeader()->length())
                                .arg(table->viewport()->width())));
    }

    // The Help button and F1 show the fit's own topic.
    void helpButtonAndKey() {
        QList<int> asked;
        TFitTemperamentDialog dialog(60, DefaultMiFa, [&](int context) { asked << context; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.HelpButton()->click();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog,
                        Qt::Key_F1);
        QTRY_COMPARE(asked.size(), 2);
        QCOMPARE(asked, (QList<int>{FitTemperamentHelpContext, FitTemperamentHelpContext}));
    }

    void cancelLeavesTheDocument() {
        TFileFrame frame(settings);
        frame.NewFromDefaults();
        TFretFrormView view(settings);
        view.Bind(frame.Document);
        frame.MarkUnchanged();
        const TInstDataType before = frame.Document;
        QSignalSpy temperament(&view, &TFretFrormView::temperamentChanged);
        view.RunFitDialog = [&](TFitTemperamentDialog& dialog) {
            typeFrets(dialog, 0.25, sharpKey);
            QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
            return dialog.result();
        };
        QVERIFY(!view.FitTemperament());
        QVERIFY(frame.Document == before);
        QVERIFY(!frame.Changed());
        QCOMPARE(temperament.count(), 0);
    }
};

QTEST_MAIN(TestFitDialog)
#include "tst_fitdialog.moc"
