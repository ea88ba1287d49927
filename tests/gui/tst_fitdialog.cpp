// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include <cmath>

#include "dialogs/FitTemperamentDialog.h"
#include "document/GlobalData.h"
#include "files/FileFrame.h"
#include "pitch/FretRecord.h"
#include "pitch/Intervals.h"
#include "views/FretFrormView.h"

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
