// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QSignalSpy>

#include <limits>
#include <memory>
#include <optional>

#include "widgets/CachedPanelStyle.h"
#include "widgets/FloatEdit.h"
#include "widgets/LocalNumbers.h"
#include "widgets/NotePanel.h"
#include "widgets/NoteSpinEdit.h"
#include "widgets/SpinButton.h"
#include "widgets/TensionEdit.h"
#include "widgets/TypedNumber.h"
#include "widgets/VornFloatEdit.h"

using namespace vorn;

namespace {

// Records the arrow keys that reach it, i.e. those its child left unhandled.
class KeyWitness : public QWidget {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
            keys << event->key();
    }
};

enum Kind { Float, Tension, VornFloat, Note };

QLineEdit* make(int kind, QWidget* parent) {
    switch (kind) {
    case Tension:
        return new TTensionEdit(parent);
    case VornFloat:
        return new TVornFloatEdit(parent);
    case Note:
        return new TNoteSpinEdit(parent);
    default:
        return new TFloatEdit(parent);
    }
}

std::unique_ptr<TFloatSpinBase> makeNumber(int kind) {
    return std::unique_ptr<TFloatSpinBase>(static_cast<TFloatSpinBase*>(make(kind, nullptr)));
}

void clickSpin(QWidget* control, bool up) {
    auto* button = control->findChild<TSpinButton*>();
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(button->width() / 2, up ? 3 : button->height() - 3));
}

void showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class TestEntryControls : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void initTestCase() { cleanup(); }

    void typing_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("german");
        QTest::addColumn<bool>("editorEnabled");
        QTest::addColumn<bool>("labelMode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("refused");
        QTest::newRow("digits and signs") << int(Float) << false << true << false << "-1.5+2"
                                          << "-1.5+2" << 0;
        QTest::newRow("letters refused one by one")
            << int(Float) << false << true << false << "1a2b"
            << "12" << 2;
        QTest::newRow("exponent and blank") << int(Tension) << false << true << false << "1e 5"
                                            << "15" << 2;
        QTest::newRow("comma in English") << int(Float) << false << true << false << "3,5"
                                          << "3,5" << 0;
        QTest::newRow("point in German") << int(Tension) << true << true << false << "3.8"
                                         << "3.8" << 0;
        QTest::newRow("editor disabled") << int(Float) << false << false << false << "12"
                                         << "" << 2;
        QTest::newRow("alternative, number mode")
            << int(VornFloat) << false << true << false << "NP55"
            << "55" << 2;
        QTest::newRow("alternative, label mode")
            << int(VornFloat) << false << true << true << "NP 55 x"
            << "NP 55 x" << 0;
    }
    void typing() {
        QFETCH(int, kind);
        QFETCH(bool, german);
        QFETCH(bool, editorEnabled);
        QFETCH(bool, labelMode);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, refused);
        if (german)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto edit = makeNumber(kind);
        edit->clear();
        edit->SetEditorEnabled(editorEnabled);
        if (auto* alternative = qobject_cast<TVornFloatEdit*>(edit.get()))
            alternative->SetLabelMode(labelMode);
        QSignalSpy rejected(edit.get(), &QLineEdit::inputRejected);
        QTest::keyClicks(edit.get(), typed);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(rejected.count(), refused);
    }

    void germanNumbers() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TFloatEdit edit;
        edit.SetValue(1234.75);
        QCOMPARE(edit.text(), QStringLiteral("1234,75"));
        // What SetValue writes reads back, exponent and all.
        edit.SetValue(-2.5e-17);
        QCOMPARE(edit.text(), QStringLiteral("-2,5e-17"));
        QCOMPARE(edit.GetValue(), -2.5e-17);
    }

    // Either separator is the decimal one, in any language; no thousands separators.
    void typedNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<double>("value");
        QTest::newRow("point") << "3.8" << true << 3.8;
        QTest::newRow("comma") << "3,8" << true << 3.8;
        QTest::newRow("no group separator") << "1,000" << true << 1.0;
        QTest::newRow("two separators") << "1.234,5" << false << 0.0;
        QTest::newRow("two points") << "1.234.5" << false << 0.0;
        QTest::newRow("sign and blanks") << " -0,25 " << true << -0.25;
        QTest::newRow("leading separator") << ",5" << true << 0.5;
        QTest::newRow("exponent") << "2,5e-3" << true << 0.0025;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("lone separator") << "," << false << 0.0;
        QTest::newRow("letters") << "3,8 kg" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
    }
    void typedNumbers() {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QFETCH(double, value);
        for (const QLocale& language :
             {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English)}) {
            QLocale::setDefault(language);
            const std::optional<double> read = ReadTypedNumber(text);
            QCOMPARE(read.has_value(), readable);
            if (readable)
                QCOMPARE(*read, value);
        }
    }

    // A German user's field takes "3.8" as 3.8, not 38.
    void germanFieldsTakeBothSeparators_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::newRow("float, point") << int(Float) << "3.8";
        QTest::newRow("float, comma") << int(Float) << "3,8";
        QTest::newRow("tension, point") << int(Tension) << "3.8";
        QTest::newRow("tension, comma") << int(Tension) << "3,8";
    }
    void germanFieldsTakeBothSeparators() {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto edit = makeNumber(kind);
        edit->clear();
        QTest::keyClicks(edit.get(), typed);
        QCOMPARE(edit->GetValue(), 3.8);
        edit->SetValue(edit->GetValue());
        QCOMPARE(edit->text(), QStringLiteral("3,8"));
    }

    // Only a point between two digits is a decimal point; abbreviations keep theirs.
    void localNumbers() {
        const QString text = QStringLiteral("VN 5078 ( 3.13 kg.), 392.72 Hz., .5 or 5.");
        QCOMPARE(LocalNumbers(text, QLocale(QLocale::German, QLocale::Germany)),
                 QStringLiteral("VN 5078 ( 3,13 kg.), 392,72 Hz., .5 or 5."));
        QCOMPARE(LocalNumbers(text), text);
        // A point of more than one byte in UTF-8 survives the way through the core.
        const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
        QVERIFY(arabic.decimalPoint() != QStringLiteral("."));
        QCOMPARE(LocalNumbers(QStringLiteral("0.72 N."), arabic),
                 QStringLiteral("0") + arabic.decimalPoint() + QStringLiteral("72 N."));
    }

    // The report holds one byte per figure character: a wider point falls back to '.'.
    void asciiDecimalPoint_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<char>("point");
        QTest::newRow("english") << QLocale(QLocale::English, QLocale::UnitedKingdom) << '.';
        QTest::newRow("german") << QLocale(QLocale::German, QLocale::Germany) << ',';
        QTest::newRow("arabic") << QLocale(QLocale::Arabic, QLocale::Egypt) << '.';
    }

    void asciiDecimalPoint() {
        QFETCH(QLocale, locale);
        QFETCH(char, point);
        QCOMPARE(AsciiDecimalPoint(locale), point);
    }

    // Pasting bypasses the key filter; what arrives is read as well as it can be.
    void pasting_data() {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");
        QTest::newRow("letters arrive, value is MinValue")
            << "abc" << true << false << "abc" << 20.0;
        QTest::newRow("infinity is unreadable") << "inf" << true << false << "inf" << 20.0;
        QTest::newRow("sign and blanks are read")
            << " +35.5 " << true << false << " +35.5 " << 35.5;
        QTest::newRow("editor disabled: no paste") << "abc" << false << false << "40" << 40.0;
        QTest::newRow("read-only: no paste") << "abc" << true << true << "40" << 40.0;
    }
    void pasting() {
        QFETCH(QString, clip);
        QFETCH(bool, editable);
        QFETCH(bool, readOnly);
        QFETCH(QString, shown);
        QFETCH(double, value);
        QGuiApplication::clipboard()->setText(clip);
        if (QGuiApplication::clipboard()->text() != clip)
            QSKIP("no clipboard on this platform");
        TFloatEdit edit;
        edit.SetMinValue(20);
        edit.SetMaxValue(120);
        edit.SetValue(40);
        edit.SetEditorEnabled(editable);
        edit.SetReadOnly(readOnly);
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(edit.GetValue(), value);
    }

    void clamping_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("minValue");
        QTest::addColumn<double>("maxValue");
        QTest::addColumn<bool>("allowNegative");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("above range") << int(Float) << 20.0 << 120.0 << true << 150.0 << "120";
        QTest::newRow("below range") << int(Float) << 20.0 << 120.0 << true << 5.0 << "20";
        QTest::newRow("no range") << int(Float) << 0.0 << 0.0 << true << 150.0 << "150";
        QTest::newRow("negative refused") << int(Tension) << 0.0 << 0.0 << false << -3.0 << "0";
        QTest::newRow("negative refused, then range")
            << int(Float) << 20.0 << 120.0 << false << -3.0 << "20";
        QTest::newRow("alternative keeps negatives")
            << int(VornFloat) << 0.0 << 0.0 << false << -3.0 << "-3";
        QTest::newRow("alternative clamps range")
            << int(VornFloat) << 0.01 << 9.0 << true << -3.0 << "0.01";
        QTest::newRow("not a number") << int(Float) << 0.0 << 0.0 << true << nan << "0";
        QTest::newRow("not a number, alternative")
            << int(VornFloat) << 0.5 << 0.5 << true << nan << "0.5";
        QTest::newRow("binary noise hidden")
            << int(Float) << 0.0 << 0.0 << true << 0.1 + 0.2 << "0.3";
        QTest::newRow("no group separator")
            << int(Float) << 0.0 << 0.0 << true << 12345.5 << "12345.5";
    }
    void clamping() {
        QFETCH(int, kind);
        QFETCH(double, minValue);
        QFETCH(double, maxValue);
        QFETCH(bool, allowNegative);
        QFETCH(double, value);
        QFETCH(QString, shown);
        auto edit = makeNumber(kind);
        edit->SetMinValue(minValue);
        edit->SetMaxValue(maxValue);
        edit->SetAllowNegative(allowNegative);
        edit->SetValue(value);
        QCOMPARE(edit->text(), shown);
    }

    void spinning_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("up");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("shown");
        QTest::newRow("button up") << int(Float) << "button" << true << false << "0.4";
        QTest::newRow("Down key") << int(Tension) << "key" << false << false << "0.2";
        QTest::newRow("SpinUp") << int(Float) << "call" << true << false << "0.4";
        QTest::newRow("SpinDown on the alternative")
            << int(VornFloat) << "call" << false << false << "0.2";
        QTest::newRow("read-only button beeps") << int(Float) << "button" << true << true << "0.3";
        QTest::newRow("read-only key beeps") << int(Tension) << "key" << false << true << "0.3";
    }
    void spinning() {
        QFETCH(int, kind);
        QFETCH(QString, how);
        QFETCH(bool, up);
        QFETCH(bool, readOnly);
        QFETCH(QString, shown);
        auto edit = makeNumber(kind);
        edit->setText(QStringLiteral("0.3"));
        edit->SetIncrement(0.1);
        edit->SetReadOnly(readOnly);
        QSignalSpy changed(edit.get(), &QLineEdit::textChanged);
        QSignalSpy rejected(edit.get(), &QLineEdit::inputRejected);
        if (how == QStringLiteral("button"))
            clickSpin(edit.get(), up);
        else if (how == QStringLiteral("key"))
            QTest::keyClick(edit.get(), up ? Qt::Key_Up : Qt::Key_Down);
        else if (up)
            edit->SpinUp();
        else
            edit->SpinDown();
        QCOMPARE(edit->text(), shown);
        QCOMPARE(changed.count(), readOnly ? 0 : 1);
        QCOMPARE(rejected.count(), readOnly ? 1 : 0);
    }

    void ctrlArrowsLeftToTheOwner_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("float") << int(Float);
        QTest::newRow("tension") << int(Tension);
        QTest::newRow("alternative") << int(VornFloat);
        QTest::newRow("note") << int(Note);
    }
    void ctrlArrowsLeftToTheOwner() {
        QFETCH(int, kind);
        KeyWitness owner;
        QLineEdit* edit = make(kind, &owner);
        edit->setText(QStringLiteral("3"));
        int steps = 0;
        if (auto* note = qobject_cast<TNoteSpinEdit*>(edit))
            connect(note, &TNoteSpinEdit::stepUp, this, [&] { ++steps; });
        if (auto* alternative = qobject_cast<TVornFloatEdit*>(edit))
            connect(alternative, &TVornFloatEdit::stepUp, this, [&] { ++steps; });

        QTest::keyClick(edit, Qt::Key_Up, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(owner.keys, (QList<int>{Qt::Key_Up, Qt::Key_Down}));
        QCOMPARE(edit->text(), QStringLiteral("3"));
        QCOMPARE(steps, 0);

        // Without Ctrl the control keeps the key and steps.
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(owner.keys.size(), 2);
        QVERIFY(edit->text() != QStringLiteral("3") || steps == 1);
    }

    void normalising_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("labelMode");
        QTest::addColumn<QString>("onEnter");
        QTest::addColumn<QString>("onLeaving");
        QTest::newRow("float") << int(Float) << false << "7.5"
                               << "7.5";
        QTest::newRow("tension") << int(Tension) << false << "7.5"
                                 << "7.5";
        QTest::newRow("alternative, number") << int(VornFloat) << false << "7.5"
                                             << "007.50";
        QTest::newRow("alternative, label") << int(VornFloat) << true << "007.50"
                                            << "007.50";
    }
    void normalising() {
        QFETCH(int, kind);
        QFETCH(bool, labelMode);
        QFETCH(QString, onEnter);
        QFETCH(QString, onLeaving);
        QWidget window;
        QLineEdit* edit = make(kind, &window);
        auto* other = new QLineEdit(&window);
        other->move(0, 40);
        if (auto* alternative = qobject_cast<TVornFloatEdit*>(edit))
            alternative->SetLabelMode(labelMode);
        showActive(window);
        edit->setFocus();
        edit->setText(QStringLiteral("007.50"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), onEnter);

        edit->setText(QStringLiteral("007.50"));
        other->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(other->hasFocus());
        QCOMPARE(edit->text(), onLeaving);
    }

    void keyboardFocusSelectsAll_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("selected");
        QTest::newRow("tab into number") << int(Float) << int(Qt::TabFocusReason) << true;
        QTest::newRow("mouse into number") << int(Tension) << int(Qt::MouseFocusReason) << false;
        QTest::newRow("tab into note") << int(Note) << int(Qt::TabFocusReason) << true;
        QTest::newRow("mouse into note") << int(Note) << int(Qt::MouseFocusReason) << false;
    }
    void keyboardFocusSelectsAll() {
        QFETCH(int, kind);
        QFETCH(int, reason);
        QFETCH(bool, selected);
        QWidget window;
        auto* first = new QLineEdit(&window);
        QLineEdit* edit = make(kind, &window);
        edit->move(0, 40);
        edit->setText(QStringLiteral("392.72 Hz."));
        showActive(window);
        first->setFocus();
        QTRY_VERIFY(first->hasFocus());
        edit->setFocus(static_cast<Qt::FocusReason>(reason));
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->selectedText() == edit->text(), selected);
    }

    void tensionUnitLabel_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("newtons") << int(tt_newtons) << "N.";
        QTest::newRow("pounds") << int(tt_pounds) << "lb.";
    }
    void tensionUnitLabel() {
        QFETCH(int, unit);
        QFETCH(QString, suffix);
        TTensionEdit edit;
        edit.resize(80, 24);
        edit.show();
        edit.SetValue(35.21);
        edit.SetTensionType(static_cast<VornTensType>(unit));
        // The unit is shown, never applied to the number.
        QCOMPARE(edit.text(), QStringLiteral("35.21"));
        auto* label = edit.findChild<QLabel*>();
        auto* button = edit.findChild<TSpinButton*>();
        QVERIFY(label && button);
        QCOMPARE(label->text(), suffix);
        QCOMPARE(label->width(), label->fontMetrics().horizontalAdvance(suffix) + 6);
        // Between the text and the button; the text ends before both.
        QCOMPARE(label->geometry().right() + 1, button->geometry().left());
        QCOMPARE(edit.textMargins().right(), label->width() + button->width());
    }

    void alternativeStepsGoToTheOwner_data() {
        QTest::addColumn<bool>("labelMode");
        QTest::newRow("number mode") << false;
        QTest::newRow("label mode") << true;
    }
    void alternativeStepsGoToTheOwner() {
        QFETCH(bool, labelMode);
        TVornFloatEdit edit;
        edit.SetLabelMode(labelMode);
        edit.setText(labelMode ? QStringLiteral("NP 55") : QStringLiteral("0.8"));
        const QString before = edit.text();
        QSignalSpy up(&edit, &TVornFloatEdit::stepUp);
        QSignalSpy down(&edit, &TVornFloatEdit::stepDown);
        clickSpin(&edit, true);
        clickSpin(&edit, false);
        QTest::keyClick(&edit, Qt::Key_Up);
        QTest::keyClick(&edit, Qt::Key_Down);
        QTest::keyClick(&edit, Qt::Key_Down);
        QCOMPARE(up.count(), 2);
        QCOMPARE(down.count(), 3);
        QCOMPARE(edit.text(), before);
    }

    void noteEntry() {
        TNoteSpinEdit edit;
        QCOMPARE(edit.text(), QString());
        NoteValue note;
        note.Number = 70;
        edit.SetNote(note);
        QCOMPARE(edit.NotePanel()->letterText(), QStringLiteral("b"));
        edit.setText(QStringLiteral("468.32 Hz."));
        QTest::keyClicks(&edit, QStringLiteral("12"));
        QCOMPARE(edit.text(), QStringLiteral("468.32 Hz."));

        QSignalSpy up(&edit, &TNoteSpinEdit::stepUp);
        QSignalSpy down(&edit, &TNoteSpinEdit::stepDown);
        clickSpin(&edit, true);
        QTest::keyClick(&edit, Qt::Key_Up);
        clickSpin(&edit, false);
        QCOMPARE(up.count(), 2);
        QCOMPARE(down.count(), 1);
        // It never steps its own note.
        QCOMPARE(edit.Note(), note);
    }

    // The copies of the frames and button faces are the style's own drawing: a cell drawn
    // through them looks exactly like one drawn directly, the first time and from the copy.
    void copiedPanelsLookTheSame_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("warned");
        QTest::newRow("plain") << true << false << false;
        QTest::newRow("disabled") << false << false << false;
        QTest::newRow("read-only") << true << true << false;
        QTest::newRow("red text") << true << false << true;
    }
    void copiedPanelsLookTheSame() {
        QFETCH(bool, enabled);
        QFETCH(bool, readOnly);
        QFETCH(bool, warned);
        const auto make = [&] {
            auto cell = std::make_unique<TFloatEdit>();
            cell->setText(QStringLiteral("12.34"));
            cell->SetReadOnly(readOnly);
            cell->setEnabled(enabled);
            if (warned) {
                QPalette p;
                p.setColor(QPalette::Text, Qt::red);
                cell->setPalette(p);
            }
            cell->resize(84, 24);
            return cell;
        };
        auto direct = make();
        auto copied = make();
        TCachedPanelStyle::Use(copied.get());
        const QImage expected = direct->grab().toImage();
        QCOMPARE(copied->grab().toImage(), expected);
        QCOMPARE(copied->grab().toImage(), expected);
    }
};

QTEST_MAIN(TestEntryControls)
#include "tst_entrycontrols.moc"
