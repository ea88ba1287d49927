// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QWheelEvent>

#include <cmath>
#include <memory>

#include "chart/GlobalChangeForms.h"
#include "chart/StrFrame.h"
#include "document/GlobalData.h"
#include "support/OpenedFrame.h"
#include "support/TabReach.h"
#include "views/ChartLayout.h"
#include "views/OneCrsPanelView.h"
#include "views/StrFrameView.h"
#include "views/VornFrame.h"
#include "widgets/NotePanel.h"
#include "widgets/NoteSpinEdit.h"
#include "widgets/SpinButton.h"
#include "widgets/VornFloatEdit.h"

using namespace vorn;

namespace {

void chooseItem(QComboBox* box, const QString& text) {
    const int target = box->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    while (box->currentIndex() != target)
        QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

QColor textColour(const QWidget* cell) {
    return cell->palette().color(QPalette::Text);
}
QColor baseColour(const QWidget* cell) {
    return cell->palette().color(QPalette::Base);
}

void clickSpin(QWidget* cell, bool up) {
    auto* spin = cell->findChild<TSpinButton*>();
    QVERIFY(spin && spin->isVisible());
    QTest::mouseClick(spin, Qt::LeftButton, {},
                      QPoint(spin->width() / 2, up ? 2 : spin->height() - 3));
}

// The cells of a string against the model's texts.
QStringList shownTexts(const TOneStringPanelView* s) {
    return {s->NoteCell()->text(), s->LengthCell()->text(), s->TensionCell()->text(),
            s->GutDiameterCell()->text(), s->AltDiameterCell()->text()};
}
QStringList modelTexts(const TOneStringPanel& s, const TGlobalData& settings) {
    return {QString::fromStdString(s.FrequencyText()), QString::fromStdString(s.LengthText()),
            QString::fromStdString(s.TensionText(settings)),
            QString::fromStdString(s.GutDiameterText()),
            QString::fromStdString(s.AltText(settings.Materials))};
}

} // namespace

class TestStringChart : public QObject {
    Q_OBJECT

private:
    TGlobalData settings;
    std::unique_ptr<TVornFrame> frame;

    TStrFrameView* view() const { return frame->StringView(); }
    TOneCrsPanelView* row(int course) const { return view()->Row(course - 1); }
    TOneStringPanelView* first(int course) const { return row(course)->FirstString(); }
    TOneStringPanelView* octave(int course) const { return row(course)->OctaveString(); }
    TOneCrsPanel& model(int course) const { return frame->Model().Chart.Course(course - 1); }
    int current() const { return frame->Model().Chart.Current() + 1; }

    // A chart of the default "Alto Lute in G" (or a family's default), shown and active.
    void openChart(const QString& family = QString()) {
        frame = std::make_unique<TVornFrame>(settings);
        if (!family.isEmpty()) {
            auto* families = frame->findChild<QComboBox*>(QStringLiteral("ComboInstType"));
            families->setCurrentIndex(families->findText(family));
        }
        frame->ViewStrings();
        frame->resize(900, 700);
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    }

    void commitTyped(QLineEdit* cell, const QString& typed, bool byEnter = true) {
        cell->setFocus();
        cell->selectAll();
        QTest::keyClick(cell, Qt::Key_Backspace);
        QTest::keyClicks(cell, typed);
        if (byEnter) {
            QTest::keyClick(cell, Qt::Key_Return);
            return;
        }
        // Leaving for another cell of the string commits it.
        auto* string = qobject_cast<TOneStringPanelView*>(cell->parentWidget());
        string->NoteCell()->setFocus();
        QCOMPARE(QApplication::focusWidget(), string->NoteCell());
    }

    void expectModel(int course) {
        QCOMPARE(shownTexts(first(course)), modelTexts(model(course).First, settings));
        if (octave(course))
            QCOMPARE(shownTexts(octave(course)), modelTexts(*model(course).Second, settings));
    }

private slots:
    void cleanup() {
        frame.reset();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void initTestCase() { cleanup(); }

    void rowsFollowTheCourseKinds_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("course");
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<int>("selected");
        QTest::newRow("chanterelle")
            << "" << 1 << QStringList{"Chanterelle", "Single", "Unison"} << 0;
        QTest::newRow("unison") << "" << 3 << QStringList{"Single", "Unison", "Bass with Octave"}
                                << 1;
        QTest::newRow("bass") << "" << 7 << QStringList{"Single", "Unison", "Bass"} << 2;
        QTest::newRow("viol") << "Viola da Gamba" << 5 << QStringList{"Single"} << 0;
    }

    void rowsFollowTheCourseKinds() {
        QFETCH(QString, family);
        QFETCH(int, course);
        QFETCH(QStringList, types);
        QFETCH(int, selected);
        openChart(family);
        QCOMPARE(view()->RowCount(), frame->Model().Chart.CourseCount());
        QCOMPARE(row(course)->NumberCell()->text(), QString::number(course));
        QCOMPARE(items(first(course)->TypeBox()), types);
        QCOMPARE(first(course)->TypeBox()->currentIndex(), selected);
        QCOMPARE(first(course)->NoteCell()->Note(), model(course).First.Rec.Note);
        expectModel(course);
        const bool bass = types.last() == QStringLiteral("Bass");
        QCOMPARE(row(course)->height(), bass ? 50 : 25);
        QCOMPARE(octave(course) != nullptr, bass);
        if (TOneStringPanelView* o = octave(course)) {
            QCOMPARE(o->TypeBox()->currentText(), QStringLiteral("Octave"));
            QVERIFY(!o->TypeBox()->isEnabled());
            QVERIFY(!o->NoteCell()->ButtonVisible());
            QVERIFY(o->LengthCell()->ReadOnly() && !o->LengthCell()->ButtonVisible());
            QCOMPARE(o->NoteCell()->Note().Number, first(course)->NoteCell()->Note().Number + 12);
        }
    }

    void typedValueGoesThroughTheModel_data() {
        QTest::addColumn<int>("course");
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("follows"); // the cell the recalculation rewrites
        QTest::newRow("tension") << 3 << 0 << int(cs_tension) << "5" << true << "5" << int(cs_gut);
        QTest::newRow("tension, leaving")
            << 3 << 0 << int(cs_tension) << "5.5" << false << "5.5" << int(cs_gut);
        QTest::newRow("tension too low")
            << 2 << 0 << int(cs_tension) << "0.05" << true << "0.1" << int(cs_gut);
        QTest::newRow("tension empty")
            << 2 << 0 << int(cs_tension) << "" << true << "0.1" << int(cs_gut);
        QTest::newRow("length") << 4 << 0 << int(cs_length) << "70" << true << "70" << int(cs_gut);
        QTest::newRow("length zero")
            << 4 << 0 << int(cs_length) << "0" << false << "1" << int(cs_gut);
        QTest::newRow("gut") << 1 << 0 << int(cs_gut) << "0.6" << true << "0.6" << int(cs_tension);
        // A bass length carries the octave string; the octave's tension is its own.
        QTest::newRow("bass length")
            << 8 << 0 << int(cs_length) << "58.5" << true << "58.5" << int(cs_gut);
        QTest::newRow("octave tension")
            << 9 << 1 << int(cs_tension) << "3.2" << true << "3.2" << int(cs_gut);
        QTest::newRow("alternative")
            << 2 << 0 << int(cs_alt_diameter) << "0.9" << true << "0.9" << int(cs_tension);
    }

    void typedValueGoesThroughTheModel() {
        QFETCH(int, course);
        QFETCH(int, which);
        QFETCH(int, slot);
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(QString, shown);
        QFETCH(int, follows);
        openChart();
        TOneStringPanelView* string = which == 0 ? first(course) : octave(course);
        auto* cell = qobject_cast<QLineEdit*>(string->Cell(slot));
        auto* follower = qobject_cast<QLineEdit*>(string->Cell(follows));
        const QStringList other =
            octave(course) ? shownTexts(which ? first(course) : octave(course)) : QStringList();
        const QString followerBefore = follower->text();
        QList<float> reported;
        connect(frame.get(), &TVornFrame::bridgeChanged, this,
                [&] { reported << frame->TotalTension(); });

        commitTyped(cell, typed, byEnter);

        QCOMPARE(cell->text(), shown);
        QVERIFY(follower->text() != followerBefore);
        expectModel(course);
        if (which == 1) // nothing of the octave's own reaches the first string
            QCOMPARE(shownTexts(first(course)), other);
        else if (slot == cs_length && octave(course))
            QCOMPARE(octave(course)->LengthCell()->text(), shown);
        QVERIFY(!reported.isEmpty());
        QCOMPARE(reported.last(), frame->TotalTension());
        QCOMPARE(current(), course);
    }

    void spinButtonsStepThroughTheModel_data() {
        QTest::addColumn<int>("course");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("up");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<double>("step");
        QTest::newRow("tension up") << 4 << int(cs_tension) << true << false << 0.1;
        QTest::newRow("tension down by key") << 4 << int(cs_tension) << false << true << -0.1;
        QTest::newRow("gut up") << 4 << int(cs_gut) << true << false << 0.01;
        QTest::newRow("length down") << 4 << int(cs_length) << false << false << -1.0;
        // A note step moves a bass course's octave string with it.
        QTest::newRow("bass note up") << 7 << int(cs_note) << true << false << 1.0;
        QTest::newRow("bass note down by key") << 10 << int(cs_note) << false << true << -1.0;
        QTest::newRow("treble note up") << 1 << int(cs_note) << true << false << 1.0;
    }

    void spinButtonsStepThroughTheModel() {
        QFETCH(int, course);
        QFETCH(int, slot);
        QFETCH(bool, up);
        QFETCH(bool, byKey);
        QFETCH(double, step);
        openChart();
        auto value = [&](const StringRecord& r) -> double {
            return slot == cs_tension
                       ? ShownTension(r.TensionN, settings.TensionUnit, settings.TensionDigits)
                   : slot == cs_gut  ? r.GutDiameter
                   : slot == cs_note ? r.Note.Number
                                     : r.Length;
        };
        const double before = value(model(course).First.Rec);
        QSignalSpy bridge(frame.get(), &TVornFrame::bridgeChanged);
        if (byKey)
            QTest::keyClick(first(course)->Cell(slot), up ? Qt::Key_Up : Qt::Key_Down);
        else
            clickSpin(first(course)->Cell(slot), up);
        const double moved = value(model(course).First.Rec) - before;
        QVERIFY2(qAbs(moved - step) < 1e-4, qPrintable(QString::number(moved)));
        if (octave(course) && slot == cs_note)
            QCOMPARE(octave(course)->NoteCell()->Note().Number,
                     first(course)->NoteCell()->Note().Number + 12);
        QCOMPARE(first(course)->NoteCell()->Note(), model(course).First.Rec.Note);
        expectModel(course);
        QCOMPARE(current(), course);
        QVERIFY(bridge.count() > 0);
    }

    void ctrlArrowsMoveBetweenCells_data() {
        QTest::addColumn<int>("course");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("toCourse");
        QTest::addColumn<int>("toColumn");
        QTest::addColumn<int>("current"); // course current afterwards
        QTest::addColumn<int>("single");  // a bass course made single first, 0 for none
        const int up = Qt::Key_Up, down = Qt::Key_Down, left = Qt::Key_Left, right = Qt::Key_Right;
        QTest::newRow("down to the octave string") << 6 << 8 << down << 6 << 9 << 6 << 0;
        QTest::newRow("down from the octave string") << 6 << 9 << down << 7 << 8 << 7 << 0;
        QTest::newRow("down between single rows") << 2 << 4 << down << 3 << 4 << 3 << 0;
        QTest::newRow("down from the last row") << 10 << 15 << down << 10 << 14 << 10 << 0;
        QTest::newRow("up in course 1") << 1 << 6 << up << 1 << 6 << 1 << 0;
        QTest::newRow("up to the first string") << 6 << 11 << up << 6 << 10 << 6 << 0;
        QTest::newRow("up to an octave string") << 7 << 10 << up << 6 << 11 << 6 << 0;
        QTest::newRow("up past an octave string") << 6 << 12 << up << 5 << 12 << 5 << 0;
        QTest::newRow("up between single rows") << 2 << 14 << up << 1 << 14 << 1 << 0;
        QTest::newRow("up from a single below a bass") << 8 << 10 << up << 7 << 10 << 7 << 8;
        QTest::newRow("up from a bass below a single") << 9 << 6 << up << 8 << 6 << 8 << 8;
        QTest::newRow("right") << 3 << 4 << right << 3 << 6 << 3 << 0;
        QTest::newRow("right wraps") << 3 << 14 << right << 3 << 2 << 3 << 0;
        QTest::newRow("left wraps") << 3 << 2 << left << 3 << 14 << 3 << 0;
        QTest::newRow("right from the number") << 3 << 1 << right << 3 << 2 << 3 << 0;
        QTest::newRow("left from the number") << 3 << 1 << left << 3 << 14 << 3 << 0;
        QTest::newRow("right on the octave string") << 8 << 5 << right << 8 << 7 << 8 << 0;
        QTest::newRow("octave string wraps") << 8 << 15 << right << 8 << 5 << 8 << 0;
        QTest::newRow("number down") << 2 << 1 << down << 3 << 1 << 3 << 0;
        QTest::newRow("number up") << 3 << 1 << up << 2 << 1 << 2 << 0;
        QTest::newRow("number up from a bass") << 7 << 1 << up << 6 << 2 << 6 << 0;
        QTest::newRow("number down from a bass") << 6 << 1 << down << 6 << 1 << 7 << 0;
        QTest::newRow("number up below a bass") << 8 << 1 << up << 7 << 1 << 7 << 8;
    }

    void ctrlArrowsMoveBetweenCells() {
        QFETCH(int, course);
        QFETCH(int, column);
        QFETCH(int, key);
        QFETCH(int, toCourse);
        QFETCH(int, toColumn);
        QFETCH(int, current);
        QFETCH(int, single);
        openChart();
        if (single > 0)
            chooseItem(first(single)->TypeBox(), QStringLiteral("Single"));
        QWidget* start = row(course)->CellAt(column);
        start->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), start);
        QCOMPARE(this->current(), course);
        auto* edit = qobject_cast<QLineEdit*>(start);
        const QString text = edit ? edit->text() : QString();

        QTest::keyClick(start, static_cast<Qt::Key>(key), Qt::ControlModifier);

        QCOMPARE(QApplication::focusWidget(), row(toCourse)->CellAt(toColumn));
        QCOMPARE(this->current(), current);
        if (edit) // consumed: the cell did not act on the key
            QCOMPARE(edit->text(), text);
    }

    void redCellsStayRedOnAnyRow() {
        openChart();
        const TRowColours& colours = RowColours();
        commitTyped(first(1)->TensionCell(), QStringLiteral("99"));
        const TOneStringPanel& s = model(1).First;
        QVERIFY(s.TensionRed());
        for (const bool isCurrent : {true, false}) {
            QCOMPARE(current() == 1, isCurrent);
            QCOMPARE(textColour(first(1)->TensionCell()), colours.LimitText);
            QCOMPARE(textColour(first(1)->GutDiameterCell()) == colours.LimitText,
                     s.GutDiameterRed() || s.GutBreakWarning(settings.Materials) == bw_close);
            QCOMPARE(textColour(first(1)->LengthCell()),
                     isCurrent ? colours.CurrentText : colours.NormalText);
            QCOMPARE(baseColour(first(1)->TensionCell()),
                     isCurrent ? colours.CurrentBackground : colours.NormalBackground);
            // Pressing on another course's list makes that course current.
            QTest::mouseClick(first(4)->AltChoiceBox(), Qt::LeftButton);
            first(4)->AltChoiceBox()->hidePopup();
        }
        QCOMPARE(current(), 4);
        QCOMPARE(baseColour(first(4)->LengthCell()), colours.CurrentBackground);
        QCOMPARE(textColour(first(4)->LengthCell()), colours.CurrentText);
    }

    // Diameters of a string close to breaking are amber or red, on either row background, and
    // the gut diameter's hint names the figures in the user's numbers.
    void nearBreakingDiametersWarn_data() {
        QTest::addColumn<QString>("length");
        QTest::addColumn<int>("warning");
        QTest::addColumn<QString>("figures");
        QTest::newRow("a semitone from breaking")
            << QStringLiteral("64") << int(bw_close)
            << QStringLiteral("f\u00B7L 251,3 Hz\u00B7m, 0,59 semitones below breaking");
        QTest::newRow("under two semitones")
            << QStringLiteral("60") << int(bw_near)
            << QStringLiteral("f\u00B7L 235,6 Hz\u00B7m, 1,7 semitones below breaking");
        QTest::newRow("clear of it")
            << QStringLiteral("55") << int(bw_none)
            << QStringLiteral("f\u00B7L 216 Hz\u00B7m, 3,21 semitones below breaking");
    }
    void nearBreakingDiametersWarn() {
        QFETCH(QString, length);
        QFETCH(int, warning);
        QFETCH(QString, figures);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        openChart();
        const TRowColours& colours = RowColours();
        commitTyped(first(1)->LengthCell(), length);
        const QColor expected = warning == bw_close  ? colours.LimitText
                                : warning == bw_near ? colours.NearBreakText
                                                     : QColor();
        for (const bool isCurrent : {true, false}) {
            QCOMPARE(current() == 1, isCurrent);
            const QColor normal = isCurrent ? colours.CurrentText : colours.NormalText;
            // Nylon breaks as gut does: both diameters warn alike.
            for (QWidget* cell : {static_cast<QWidget*>(first(1)->GutDiameterCell()),
                                  static_cast<QWidget*>(first(1)->AltDiameterCell())})
                QCOMPARE(textColour(cell), warning == bw_none ? normal : expected);
            QCOMPARE(textColour(first(1)->TensionCell()), normal);
            QTest::mouseClick(first(4)->LengthCell(), Qt::LeftButton);
        }
        QWidget* gut = first(1)->GutDiameterCell();
        QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), gut->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(gut, &ask);
        QVERIFY2(gut->toolTip().endsWith(figures), qPrintable(gut->toolTip()));
        // A bass on a maker's wound string warns only for gut.
        QCOMPARE(textColour(first(7)->AltDiameterCell()), colours.NormalText);
    }

    // A red cell's hint names the cause and its figures in the user's numbers, under the
    // cell's own hint; a cell within everything keeps its hint alone.
    void redCellsSayWhy_data() {
        QTest::addColumn<QString>("alternative");
        QTest::addColumn<QString>("tension");
        QTest::addColumn<QString>("altDiameter");
        QTest::addColumn<QString>("tensionWhy");
        QTest::addColumn<QString>("altWhy");
        QTest::newRow("tension over gut's")
            << QStringLiteral("Nylon") << QStringLiteral("30") << QString()
            << QStringLiteral("Gut: 30 kg. is over its maximum of 20,39 kg.")
            << QStringLiteral("Nylon: 1,565 mm is over its maximum of 0,9 mm");
        QTest::newRow("carbon over its diameter")
            << QStringLiteral("Carbon PVF") << QString() << QStringLiteral("0,926") << QString()
            << QStringLiteral("Carbon PVF: 0,926 mm is over its maximum of 0,9 mm");
    }
    void redCellsSayWhy() {
        QFETCH(QString, alternative);
        QFETCH(QString, tension);
        QFETCH(QString, altDiameter);
        QFETCH(QString, tensionWhy);
        QFETCH(QString, altWhy);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        openChart();
        chooseItem(first(2)->AltChoiceBox(), alternative);
        if (!tension.isEmpty())
            commitTyped(first(2)->TensionCell(), tension);
        if (!altDiameter.isEmpty())
            commitTyped(first(2)->AltDiameterCell(), altDiameter);
        const auto hintOf = [](QWidget* cell) {
            QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), cell->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(cell, &ask);
            return cell->toolTip();
        };
        const QString plainTension = QStringLiteral("String tension in Newtons");
        QCOMPARE(hintOf(first(2)->TensionCell()),
                 tensionWhy.isEmpty() ? plainTension : plainTension + u'\n' + tensionWhy);
        const QString plainAlt = QStringLiteral(
            "Diameter of alternative string material or overwound string cataloque number");
        QCOMPARE(hintOf(first(2)->AltDiameterCell()),
                 altWhy.isEmpty() ? plainAlt : plainAlt + u'\n' + altWhy);
    }

    // The amber must read on both backgrounds about as well as the red does.
    void amberReadsOnBothBackgrounds() {
        const auto luminance = [](const QColor& c) {
            const auto channel = [](double v) {
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
                   0.0722 * channel(c.blueF());
        };
        const auto contrast = [&](const QColor& a, const QColor& b) {
            const double la = luminance(a), lb = luminance(b);
            return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
        };
        const TRowColours& c = RowColours();
        for (const QColor& background : {c.NormalBackground, c.CurrentBackground}) {
            QVERIFY(contrast(c.NearBreakText, background) >= 4.0);
            QVERIFY(contrast(c.NearBreakText, background) >= contrast(c.LimitText, background));
        }
        // Told apart from red and from the text colours by hue, not only by lightness.
        QVERIFY(std::abs(c.NearBreakText.hue() - c.LimitText.hue()) >= 20);
    }

    // A play button makes its course current as a cell does; the current course's notes are
    // drawn inverted.
    void currentRowDrawsItsNotesInverted_data() {
        QTest::addColumn<int>("course");
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("play");
        QTest::newRow("a cell") << 4 << 0 << false;
        QTest::newRow("a play button") << 4 << 0 << true;
        QTest::newRow("an octave string's play button") << 8 << 1 << true;
    }
    void currentRowDrawsItsNotesInverted() {
        QFETCH(int, course);
        QFETCH(int, which);
        QFETCH(bool, play);
        openChart();
        TNotePanel* before = first(1)->NoteCell()->NotePanel();
        QVERIFY(before->Inverted());
        TOneStringPanelView* string = which == 0 ? first(course) : octave(course);
        QWidget* target = play ? static_cast<QWidget*>(string->PlayButton()) : string->LengthCell();
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(current(), course);
        QVERIFY(!before->Inverted());
        TNotePanel* panel = string->NoteCell()->NotePanel();
        QVERIFY(panel->Inverted());
        // White ink needs a dark ground: left of the letter the panel shows it.
        const QImage image = panel->grab().toImage();
        QVERIFY(image.pixelColor(2, image.height() / 2).lightness() < 100);
    }

    // Shown numbers take the user's separator; typed ones still read back.
    void germanChartShowsCommas() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        openChart();
        commitTyped(first(4)->LengthCell(), QStringLiteral("62,5"));
        QCOMPARE(model(4).First.Rec.Length, 62.5f);
        QCOMPARE(first(4)->LengthCell()->text(), QStringLiteral("62,5"));
        QCOMPARE(first(4)->NoteCell()->text(), QStringLiteral("175,26 Hz."));
        QVERIFY(first(7)->AltDiameterCell()->LabelMode());
        QCOMPARE(first(7)->AltDiameterCell()->text(), QStringLiteral("NF  232 ( 3,04 kg.)"));
    }

    // '.' is no group separator in a German chart: "3.8" is 3.8 kg, as "3,8" is.
    void germanTensionCellTakesBothSeparators_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("point") << "3.8";
        QTest::newRow("comma") << "3,8";
    }
    void germanTensionCellTakesBothSeparators() {
        QFETCH(QString, typed);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        openChart();
        commitTyped(first(2)->TensionCell(), typed);
        QCOMPARE(model(2).First.ShownTension(settings), 3.8f);
        QCOMPARE(first(2)->TensionCell()->text(), QStringLiteral("3,8"));
    }

    void typeBoxAddsAndRemovesTheOctaveString() {
        openChart();
        QSignalSpy bridge(frame.get(), &TVornFrame::bridgeChanged);
        chooseItem(first(3)->TypeBox(), QStringLiteral("Bass with Octave"));
        QCOMPARE(int(model(3).Kind), int(ck_bass_with_octave));
        QCOMPARE(row(3)->height(), 50);
        QVERIFY(octave(3) && octave(3)->isVisible());
        QCOMPARE(items(first(3)->TypeBox()), (QStringList{"Single", "Unison", "Bass"}));
        QCOMPARE(first(3)->TypeBox()->currentText(), QStringLiteral("Bass"));
        expectModel(3);
        QVERIFY(bridge.count() > 0);

        chooseItem(first(3)->TypeBox(), QStringLiteral("Single"));
        QCOMPARE(int(model(3).Kind), int(ck_single));
        QCOMPARE(row(3)->height(), 25);
        QVERIFY(!octave(3));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(first(3)->TypeBox()->currentText(), QStringLiteral("Single"));
        expectModel(3);
    }

    void longValuesAreShownWhole() {
        openChart();
        // Five characters may be typed; the model's "100.05" must still show in full.
        commitTyped(first(2)->TensionCell(), QStringLiteral("99.95"));
        clickSpin(first(2)->TensionCell(), true);
        QCOMPARE(first(2)->TensionCell()->text(), QStringLiteral("100.05"));
        expectModel(2);
    }

    void wheelOverAListScrollsInsteadOfChoosing() {
        openChart();
        frame->resize(900, 300); // the rows no longer fit
        QCoreApplication::processEvents();
        QScrollBar* bar = view()->ScrollArea()->verticalScrollBar();
        QComboBox* box = first(4)->TypeBox();
        QVERIFY(bar->maximum() > 0 && !box->hasFocus());
        const QPoint at(box->width() / 2, box->height() / 2);
        QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &wheel);
        QCOMPARE(int(model(4).Kind), int(ck_unison));
        QVERIFY(bar->value() > 0);
    }

    // Tab reaches a string's play button, which makes its course current; Space plays.
    void playButtonsWorkFromTheKeyboard() {
        openChart();
        QSignalSpy play(view(), &TStrFrameView::playRequested);
        int course = 2;
        while (course < view()->RowCount() && !octave(course))
            ++course;
        QVERIFY(octave(course));
        for (TOneStringPanelView* string : {first(course), octave(course)}) {
            QToolButton* button = string->PlayButton();
            QVERIFY(vorn::testing::ReachedByTab(button));
            QCOMPARE(current(), course);
            QTest::keyClick(button, Qt::Key_Space);
            QVERIFY(button->isChecked());
            QCOMPARE(play.count(), 1);
            QCOMPARE(play.takeFirst().at(2).value<QAbstractButton*>(), button);
            button->setChecked(false);
        }
    }

    // The bare mark of a choice that nothing fits explains itself in its hint.
    void unfittingCatalogueChoiceExplainsItsMark() {
        openChart();
        TVornFloatEdit* cell = first(7)->AltDiameterCell();
        const QString plain = cell->toolTip();
        chooseItem(first(7)->AltChoiceBox(), QStringLiteral("Savarez"));
        // Stepping down ends at the catalogue's mark for "none fits".
        for (int step = 0; step < 300 && cell->text().trimmed() != QStringLiteral("*"); ++step)
            clickSpin(cell, false);
        QCOMPARE(cell->text().trimmed(), QStringLiteral("*"));
        QVERIFY(cell->toolTip() != plain);
        QVERIFY(cell->toolTip().contains(QStringLiteral("no string")));
        chooseItem(first(7)->AltChoiceBox(), QStringLiteral("Nylon"));
        QCOMPARE(cell->toolTip(), plain);
    }

    void catalogueChoiceShowsItsLabel() {
        openChart();
        TVornFloatEdit* cell = first(7)->AltDiameterCell();
        chooseItem(first(7)->AltChoiceBox(), QStringLiteral("Savarez"));
        QVERIFY(cell->LabelMode());
        const QString label = cell->text();
        expectModel(7);
        cell->setFocus();
        QTest::keyClicks(cell, QStringLiteral("xy"));
        QCOMPARE(cell->text(), label);

        const int index = model(7).First.Rec.CatalogueIndex;
        clickSpin(cell, true);
        QCOMPARE(int(model(7).First.Rec.CatalogueIndex), index + 1);
        expectModel(7);

        chooseItem(first(7)->AltChoiceBox(), QStringLiteral("Nylon"));
        QVERIFY(!cell->LabelMode());
        expectModel(7);
    }

    void rebuildingUnderTypedTextIsQuiet_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("rows");
        QTest::newRow("loaded document") << 0 << 10;
        QTest::newRow("course appended") << 1 << 11;
        QTest::newRow("course removed") << 2 << 9;
    }

    void rebuildingUnderTypedTextIsQuiet() {
        QFETCH(int, change);
        QFETCH(int, rows);
        TVornFrame source(settings);
        const std::string bytes = source.SaveToData();
        openChart();
        const float tension = model(3).First.Rec.TensionN;
        QLineEdit* cell = first(3)->TensionCell();
        cell->setFocus();
        cell->selectAll();
        QTest::keyClicks(cell, QStringLiteral("12"));
        // Every row is replaced while the cell still holds what was typed.
        TStrFrame& chart = frame->Model().Chart;
        if (change == 0)
            QCOMPARE(int(testing::OpenInto(*frame, bytes, "lute.vrd").Result),
                     int(LoadResult::Loaded));
        else if (change == 1)
            chart.AppendCourse(ck_single);
        else
            chart.RemoveLastCourse();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(model(3).First.Rec.TensionN, tension);
        QCOMPARE(view()->RowCount(), rows);
        expectModel(3);
    }

    // A whole-instrument change, a unit change and a course added or taken away show the
    // new figures in the rows there are: the same widgets, showing what new rows would.
    void changesKeepTheRowWidgets_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("rows");
        QTest::newRow("tension") << 0 << 10;
        QTest::newRow("tuning a tone down") << 1 << 10;
        QTest::newRow("every course a unison") << 2 << 10;
        QTest::newRow("tension unit") << 3 << 10;
        QTest::newRow("course added") << 4 << 11;
        QTest::newRow("course taken away") << 5 << 9;
        QTest::newRow("unisons and back") << 6 << 10;
    }
    void changesKeepTheRowWidgets() {
        QFETCH(int, change);
        QFETCH(int, rows);
        openChart();
        std::vector<TOneCrsPanelView*> before;
        std::vector<TOneStringPanelView*> firstStrings;
        std::vector<TOneStringPanelView*> octaves;
        for (int i = 0; i < view()->RowCount(); ++i) {
            before.push_back(view()->Row(i));
            firstStrings.push_back(view()->Row(i)->FirstString());
            octaves.push_back(view()->Row(i)->OctaveString());
        }
        TStrFrame& chart = frame->Model().Chart;
        const QStringList seventh = shownTexts(first(7)) << first(7)->TypeBox()->currentText();
        QVERIFY(frame->ApplyGlobal([&](TStrFrame& c) {
            switch (change) {
            case 0: {
                TensionForm f = TensionForm::Show(c.Settings);
                f.TypeValue(4.5);
                f.Apply(c);
                break;
            }
            case 1: {
                TuningForm f = TuningForm::Show(c.Document);
                f.Interval = 1; // a whole tone
                f.TuneDirection = TuningForm::td_down;
                f.Apply(c);
                break;
            }
            case 2: {
                CourseTypeForm f;
                f.ChooseKind(ck_unison);
                f.Apply(c);
                break;
            }
            case 3:
                c.Settings.TensionUnit = tt_newtons;
                c.Settings.Notice.Notify(sc_tension_unit);
                break;
            case 6: {
                CourseTypeForm unisons;
                unisons.ChooseKind(ck_unison);
                unisons.Apply(c);
                CourseTypeForm back;
                back.ChooseReset();
                back.Apply(c);
                break;
            }
            case 4:
            case 5: {
                CoursesForm f = CoursesForm::Show(c.Document);
                f.Count = rows;
                f.Apply(c);
                break;
            }
            }
        }));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (change < 4)
            QVERIFY(shownTexts(first(7)) << first(7)->TypeBox()->currentText() != seventh);
        QCOMPARE(view()->RowCount(), rows);
        const size_t kept = std::min<size_t>(before.size(), size_t(rows));
        for (size_t i = 0; i < kept; ++i) {
            QCOMPARE(view()->Row(int(i)), before[i]);
            QCOMPARE(view()->Row(int(i))->FirstString(), firstStrings[i]);
            // An octave string that goes and comes back gets its cells again.
            if (change == 6)
                QCOMPARE(view()->Row(int(i))->OctaveString(), octaves[i]);
        }
        // A view built afresh over the same chart shows exactly the same.
        TStrFrameView fresh(chart);
        QCOMPARE(fresh.RowCount(), rows);
        for (int i = 0; i < rows; ++i) {
            const TOneCrsPanelView* kept = view()->Row(i);
            const TOneCrsPanelView* made = fresh.Row(i);
            QCOMPARE(kept->NumberCell()->text(), made->NumberCell()->text());
            QCOMPARE(kept->height(), made->height());
            QCOMPARE(shownTexts(kept->FirstString()), shownTexts(made->FirstString()));
            QCOMPARE(kept->FirstString()->TypeBox()->currentText(),
                     made->FirstString()->TypeBox()->currentText());
            QCOMPARE(kept->OctaveString() != nullptr, made->OctaveString() != nullptr);
            if (kept->OctaveString())
                QCOMPARE(shownTexts(kept->OctaveString()), shownTexts(made->OctaveString()));
            expectModel(i + 1);
        }
    }

    void closingWithTypedTextIsSafe() {
        openChart();
        first(4)->GutDiameterCell()->setFocus();
        QTest::keyClicks(first(4)->GutDiameterCell(), QStringLiteral("7"));
        frame.reset(); // the cell loses the focus while the frame goes
        QVERIFY(!frame);
    }
};

QTEST_MAIN(TestStringChart)
#include "tst_stringchart.moc"
