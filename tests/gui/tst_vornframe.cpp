// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "chart/GlobalChanges.h"
#include "document/GlobalData.h"
#include "support/OpenedFrame.h"
#include "views/OneCrsPanelView.h"
#include "views/StrFrameView.h"
#include "views/StringFileTab.h"
#include "views/VornFrame.h"
#include "widgets/NoteSpinEdit.h"
#include "widgets/VornFloatEdit.h"

using namespace vorn;

namespace {

template <class T = QWidget> T* control(QWidget& frame, const char* name) {
    T* w = frame.findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("missing control %s", name);
    return w;
}

// Moves a list to an item with the keyboard, as a user would.
void chooseItem(QComboBox* box, const QString& text) {
    const int target = box->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    while (box->currentIndex() != target)
        QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Everything the chart shows, one line per string.
QStringList chartTexts(const TStrFrameView* view) {
    QStringList out;
    for (int i = 0; i < view->RowCount(); ++i)
        for (const TOneStringPanelView* s :
             {view->Row(i)->FirstString(), view->Row(i)->OctaveString()})
            if (s)
                out << QStringList{view->Row(i)->NumberCell()->text(),
                                   s->TypeBox()->currentText(),
                                   s->NoteCell()->text(),
                                   s->LengthCell()->text(),
                                   s->TensionCell()->text() + s->TensionCell()->UnitText(),
                                   s->GutDiameterCell()->text(),
                                   s->AltChoiceBox()->currentText(),
                                   s->AltDiameterCell()->text()}
                           .join(QLatin1Char('|'));
    return out;
}

QString lengthOf(TVornFrame& frame, int course) {
    return frame.StringView()->Row(course - 1)->FirstString()->LengthCell()->text();
}

} // namespace

class TestVornFrame : public QObject {
    Q_OBJECT

private:
    TGlobalData settings;

private slots:
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void initTestCase() { cleanup(); }

    void newFrameShowsTheDefaultTemplate() {
        TStringFileTab tab(settings);
        TVornFrame& frame = *tab.Frame();
        const QList<QPair<const char*, QString>> shown{
            {"ComboInstType", "Renaissance Lute"},
            {"ComboTuning", "Alto Lute in G"},
            {"ComboNumCourses", "10"},
            {"ComboPitchStandard", "A = 440 hz"},
            {"ComboTemperament", "1/6 Comma (Gerle-Dowland)"}};
        for (const auto& [name, text] : shown)
            QCOMPARE(control<QComboBox>(frame, name)->currentText(), text);
        QCOMPARE(control<QLineEdit>(frame, "EditStringLength")->text(), QStringLiteral("64"));
        QCOMPARE(control<QLineEdit>(frame, "EditAPitch")->text(), QStringLiteral("440"));
        QCOMPARE(control<QLineEdit>(frame, "EditnstName")->text(),
                 QStringLiteral("Alto Lute in G"));
        QCOMPARE(control<QLabel>(frame, "Heading")->text(), QStringLiteral("File Setup"));
        QVERIFY(!control<QCheckBox>(frame, "CheckSecondSL")->isChecked());
        QVERIFY(!control(frame, "EditSecondStLength")->isEnabled());
        QVERIFY(!control(frame, "EditFromCourse")->isEnabled());
        QVERIFY(control(frame, "ViewStringsButton")->isEnabled());
        QCOMPARE(frame.CurrentPage(), int(TVornFrame::FileSetupPage));
        QVERIFY(!frame.HasCourseRows());
        QCOMPARE(tab.Caption(), QStringLiteral("Alto Lute in G_10crs_sl64"));
    }

    void settingsChooseTheStartingTemplate_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("caption");
        QTest::newRow("not a family default") << 17 << "19th Century Guitar_6crs_sl64";
        QTest::newRow("outside the list") << 99 << "Alto Lute in G_10crs_sl64";
    }

    void settingsChooseTheStartingTemplate() {
        QFETCH(int, type);
        QFETCH(QString, caption);
        TGlobalData own;
        own.DefaultInstrumentType = type;
        TStringFileTab tab(own);
        QCOMPARE(tab.Caption(), caption);
        QVERIFY(control(*tab.Frame(), "ViewStringsButton")->isEnabled());
    }

    void familyChangeAppliesItsDefaultTemplate_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("pitch");
        QTest::addColumn<bool>("second");
        QTest::addColumn<QString>("caption");
        QTest::newRow("theorbo") << "Theorbo"
                                 << "A = 440 hz" << true << "Continuo Theorbo in A_M_14crs_sl85";
        QTest::newRow("baroque lute") << "Baroque Lute"
                                      << "A = 415 hz" << true << "D-minor Lute_M_13crs_sl70";
        QTest::newRow("viol") << "Viola da Gamba"
                              << "A = 415 hz" << false << "Bass Viol in D_M_7crs_sl69";
    }

    void familyChangeAppliesItsDefaultTemplate() {
        QFETCH(QString, family);
        QFETCH(QString, pitch);
        QFETCH(bool, second);
        QFETCH(QString, caption);
        TStringFileTab tab(settings);
        TVornFrame& frame = *tab.Frame();
        // A typed maker survives the template; a typed pitch does not.
        typeInto(control<QLineEdit>(frame, "EditMakerName"), QStringLiteral("M"));
        typeInto(control<QLineEdit>(frame, "EditAPitch"), QStringLiteral("430"));
        QSignalSpy documentSpy(&frame, &TVornFrame::documentChanged);
        chooseItem(control<QComboBox>(frame, "ComboInstType"), family);

        const QString tuning = caption.left(caption.indexOf(QLatin1Char('_')));
        QCOMPARE(control<QComboBox>(frame, "ComboTuning")->currentText(), tuning);
        QCOMPARE(control<QLineEdit>(frame, "EditnstName")->text(), tuning);
        QCOMPARE(control<QComboBox>(frame, "ComboPitchStandard")->currentText(), pitch);
        QCOMPARE(control<QLineEdit>(frame, "EditAPitch")->text(), pitch.mid(4, 3));
        QCOMPARE(control<QCheckBox>(frame, "CheckSecondSL")->isChecked(), second);
        QCOMPARE(control(frame, "EditSecondStLength")->isEnabled(), second);
        QCOMPARE(frame.Family(), control<QComboBox>(frame, "ComboInstType")->currentIndex());
        QCOMPARE(tab.Caption(), caption);
        QVERIFY(documentSpy.count() > 0);
        frame.ViewStrings();
        QCOMPARE(QString::number(frame.StringView()->RowCount()) + "crs",
                 caption.section(QLatin1Char('_'), 2, 2));
    }

    void secondLengthReachesTheDocumentAsItIsChanged() {
        TVornFrame frame(settings);
        chooseItem(control<QComboBox>(frame, "ComboInstType"), QStringLiteral("Theorbo"));
        QCOMPARE(control<QLineEdit>(frame, "EditSecondStLength")->text(), QStringLiteral("160"));
        auto* from = control<QSpinBox>(frame, "EditFromCourse");
        QCOMPARE(from->value(), 8);
        QTest::keyClick(from, Qt::Key_Up);
        QCOMPARE(int(frame.Model().Document.SecondLengthFrom), 9);
        QTest::mouseClick(control(frame, "ViewStringsButton"), Qt::LeftButton);
        QCOMPARE(lengthOf(frame, 8), QStringLiteral("85"));
        QCOMPARE(lengthOf(frame, 9), QStringLiteral("160"));
    }

    // The page applied its values once; a later whole-instrument change stays when the user
    // goes to the frets and back to the strings.
    // A whole-instrument change the file could not hold back is refused: the rows on screen,
    // the document and the undo step stay as they were, and nothing is announced.
    void aRefusedGlobalChangeLeavesTheChart() {
        TVornFrame frame(settings);
        frame.ViewStrings();
        const std::string before = frame.SaveToData();
        const QStringList shown = chartTexts(frame.StringView());
        QSignalSpy documentSpy(&frame, &TVornFrame::documentChanged);
        std::string refusal;
        QVERIFY(!frame.ApplyGlobal(
            [](TStrFrame& chart) { // basses thicker than any string
                GlobalTension(chart, tt_newtons, false, 2000.0f);
                GlobalStringLength(chart, 20.0f, false, 0.0f, 6);
                GlobalTuning(chart, 5, 20.0f, -12);
            },
            &refusal));
        QVERIFY2(refusal.find("does not open again") != std::string::npos, refusal.c_str());
        QCOMPARE(frame.SaveToData(), before);
        QCOMPARE(chartTexts(frame.StringView()), shown);
        QCOMPARE(documentSpy.count(), 0);
    }

    void aGlobalLengthSurvivesTheWayBackToTheStrings() {
        TVornFrame frame(settings);
        chooseItem(control<QComboBox>(frame, "ComboInstType"), QStringLiteral("Theorbo"));
        frame.ViewStrings();
        frame.ApplyGlobal([](TStrFrame& chart) { GlobalStringLength(chart, 85, true, 150, 8); });
        frame.Model().MarkUnchanged();
        frame.ShowPage(TVornFrame::ShowFretChart);
        frame.ShowPage(TVornFrame::ShowStringChart);
        QCOMPARE(frame.Model().Document.SecondStringLength, 150.0f);
        QCOMPARE(lengthOf(frame, 9), QStringLiteral("150"));
        QVERIFY(!frame.Model().Changed());
    }

    void aLoadedDocumentKeepsItsOwnSecondLength() {
        TVornFrame lute(settings);
        lute.ViewStrings();
        const std::string bytes = lute.SaveToData();
        // A frame whose File Setup page was made for a theorbo, second length ticked.
        TVornFrame frame(settings);
        chooseItem(control<QComboBox>(frame, "ComboInstType"), QStringLiteral("Theorbo"));
        QVERIFY(control<QCheckBox>(frame, "CheckSecondSL")->isChecked());
        QCOMPARE(int(testing::OpenInto(frame, bytes, "lute.vrd").Result), int(LoadResult::Loaded));
        frame.ViewStrings();
        QCOMPARE(int(frame.Model().Document.UseSecondLength), 0);
        QCOMPARE(frame.Model().Document.SecondStringLength, 0.0f);
        QCOMPARE(frame.SaveToData(), bytes);
    }

    void untickedSecondLengthIsOff() {
        TVornFrame frame(settings);
        chooseItem(control<QComboBox>(frame, "ComboInstType"), QStringLiteral("Theorbo"));
        auto* check = control<QCheckBox>(frame, "CheckSecondSL");
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QVERIFY(!control(frame, "EditSecondStLength")->isEnabled());
        QVERIFY(!control(frame, "EditFromCourse")->isEnabled());
        frame.ViewStrings();
        QCOMPARE(lengthOf(frame, 14), QStringLiteral("85"));
    }

    void aPitchAndPitchListFollowEachOther_data() {
        QTest::addColumn<QString>("typed"); // empty: the list item is chosen instead
        QTest::addColumn<QString>("list");
        QTest::addColumn<float>("pitch");
        QTest::newRow("430") << "430"
                             << "" << 430.0f;
        QTest::newRow("415") << "415"
                             << "A = 415 hz" << 415.0f;
        QTest::newRow("392") << "392"
                             << "A = 392 hz" << 392.0f;
        QTest::newRow("440.5") << "440.5"
                               << "" << 440.5f;
        QTest::newRow("above range") << "3000"
                                     << "" << 2100.0f;
        QTest::newRow("list 468") << ""
                                  << "A = 468 hz" << 468.0f;
        QTest::newRow("list 392") << ""
                                  << "A = 392 hz" << 392.0f;
    }

    void aPitchAndPitchListFollowEachOther() {
        QFETCH(QString, typed);
        QFETCH(QString, list);
        QFETCH(float, pitch);
        TVornFrame frame(settings);
        QSignalSpy documentSpy(&frame, &TVornFrame::documentChanged);
        auto* box = control<QLineEdit>(frame, "EditAPitch");
        auto* standards = control<QComboBox>(frame, "ComboPitchStandard");
        if (typed.isEmpty())
            chooseItem(standards, list);
        else
            typeInto(box, typed);
        QCOMPARE(standards->currentText(), list);
        QCOMPARE(standards->currentIndex() >= 0, !list.isEmpty());
        QCOMPARE(box->text(), typed.isEmpty() ? QString::number(pitch) : typed);
        QCOMPARE(frame.Model().Document.APitch, pitch);
        QVERIFY(documentSpy.count() > 0);
    }

    void captionFollowsTheNameFields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("german");
        QTest::newRow("maker") << "EditMakerName"
                               << "X"
                               << "Alto Lute in G_X_10crs_sl64" << false;
        QTest::newRow("name") << "EditnstName"
                              << "Lute"
                              << "Lute_10crs_sl64" << false;
        QTest::newRow("length") << "EditStringLength"
                                << "70.5"
                                << "Alto Lute in G_10crs_sl70.5" << false;
        QTest::newRow("length, German") << "EditStringLength"
                                        << "70,5"
                                        << "Alto Lute in G_10crs_sl70,5" << true;
        QTest::newRow("length clamped") << "EditStringLength"
                                        << "150"
                                        << "Alto Lute in G_10crs_sl120" << false;
        QTest::newRow("courses") << "ComboNumCourses"
                                 << "13"
                                 << "Alto Lute in G_13crs_sl64" << false;
    }

    void captionFollowsTheNameFields() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, caption);
        QFETCH(bool, german);
        if (german)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TStringFileTab tab(settings);
        TVornFrame& frame = *tab.Frame();
        QSignalSpy captionSpy(&frame, &TVornFrame::captionChanged);
        QWidget* box = control(frame, field.toLatin1().constData());
        if (auto* list = qobject_cast<QComboBox*>(box))
            chooseItem(list, typed);
        else
            typeInto(qobject_cast<QLineEdit*>(box), typed);
        QVERIFY(!captionSpy.isEmpty());
        // The document's own name keeps '.'; only the tab shows the user's separator.
        QCOMPARE(captionSpy.last().at(0).toString(),
                 QString(caption).replace(QLatin1Char(','), QLatin1Char('.')));
        QCOMPARE(tab.Caption(), caption);

        // Once saved, the file's name, as it is on disk, stays the caption.
        frame.SetFileName(QStringLiteral("my lute 1.5.vrd"));
        typeInto(control<QLineEdit>(frame, "EditMakerName"), QStringLiteral("Y"));
        QCOMPARE(tab.Caption(), QStringLiteral("my lute 1.5.vrd"));
        QCOMPARE(frame.Model().Document.MakerName, std::string("Y"));
    }

    void viewStringsShowsTheChart_data() {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("button") << false;
        QTest::newRow("Enter in a field") << true;
    }

    void viewStringsShowsTheChart() {
        QFETCH(bool, byEnter);
        TStringFileTab tab(settings);
        TVornFrame& frame = *tab.Frame();
        QSignalSpy shown(&frame, &TVornFrame::stringsShown);
        if (byEnter)
            QTest::keyClick(control(frame, "EditnstName"), Qt::Key_Return);
        else
            QTest::mouseClick(control(frame, "ViewStringsButton"), Qt::LeftButton);
        QCOMPARE(frame.CurrentPage(), int(TVornFrame::StringChartPage));
        QCOMPARE(shown.count(), 1);
        TStrFrameView* view = frame.StringView();
        QCOMPARE(view->RowCount(), 10);
        QCOMPARE(view->InstrumentNameBox()->text(), QStringLiteral("Alto Lute in G"));

        // The chart's own name boxes name the document; the File Setup boxes are left alone.
        QTest::keyClicks(view->MakerNameBox(), QStringLiteral("Z"));
        QCOMPARE(tab.Caption(), QStringLiteral("Alto Lute in G_Z_10crs_sl64"));
        QCOMPARE(control<QLineEdit>(frame, "EditMakerName")->text(), QString());
        typeInto(view->InstrumentNameBox(), QStringLiteral("Lute"));
        QCOMPARE(tab.Caption(), QStringLiteral("Lute_Z_10crs_sl64"));
    }

    void fretChartBeforeTheRowsKeepsTheDocument() {
        TVornFrame frame(settings);
        const TInstDataType before = frame.Model().Document;
        // Shown from File Setup, with no rows yet to copy the notes from.
        frame.ShowPage(TVornFrame::ShowFretChart);
        QCOMPARE(frame.CurrentPage(), int(TVornFrame::FretChartPage));
        QVERIFY(!frame.HasCourseRows());
        QCOMPARE(frame.Model().Document.CourseCount, before.CourseCount);
        QCOMPARE(frame.Model().Document.CourseNotes, before.CourseNotes);
        frame.ShowPage(TVornFrame::ShowStringChart);
        QCOMPARE(frame.CurrentPage(), int(TVornFrame::StringChartPage));
        QVERIFY(frame.HasCourseRows());
        frame.ShowPage(7);
        QCOMPARE(frame.CurrentPage(), int(TVornFrame::StringChartPage));
    }

    void chartWidgetsWaitUntilTheChartIsSeen() {
        TVornFrame source(settings);
        source.ViewStrings();
        const std::string bytes = source.SaveToData();
        TVornFrame eager(settings), frame(settings);
        QCOMPARE(int(testing::OpenInto(eager, bytes, "a.vrd").Result), int(LoadResult::Loaded));
        QCOMPARE(int(testing::OpenInto(frame, bytes, "a.vrd").Result), int(LoadResult::Loaded));
        QVERIFY(frame.HasCourseRows());
        QVERIFY(!frame.StringViewBuilt());
        frame.show();
        QVERIFY(frame.StringViewBuilt());
        QCOMPARE(frame.StringView()->RowCount(), 10);
        QCOMPARE(chartTexts(frame.StringView()), chartTexts(eager.StringView()));
    }

    void saveAndLoadGiveTheSameChart() {
        TVornFrame source(settings);
        chooseItem(control<QComboBox>(source, "ComboInstType"), QStringLiteral("Theorbo"));
        source.ViewStrings();
        // Edits, so that more than the template travels.
        TOneCrsPanelView* row = source.StringView()->Row(2);
        typeInto(row->FirstString()->TensionCell(), QStringLiteral("4.5"));
        QTest::keyClick(row->FirstString()->TensionCell(), Qt::Key_Return);
        chooseItem(source.StringView()->Row(11)->FirstString()->AltChoiceBox(),
                   QStringLiteral("Savarez"));
        const QStringList before = chartTexts(source.StringView());

        TStringFileTab tab(settings);
        TVornFrame& loaded = *tab.Frame();
        QSignalSpy bridge(&loaded, &TVornFrame::bridgeChanged);
        const LoadOutcome outcome =
            testing::OpenInto(loaded, source.SaveToData(), "/else/where/theorbo.vrd");
        QCOMPARE(int(outcome.Result), int(LoadResult::Loaded));
        QCOMPARE(loaded.CurrentPage(), int(TVornFrame::StringChartPage));
        QCOMPARE(chartTexts(loaded.StringView()), before);
        QCOMPARE(loaded.Family(), 2);
        QCOMPARE(tab.Caption(), QStringLiteral("theorbo.vrd"));
        QCOMPARE(loaded.StringView()->InstrumentNameBox()->text(),
                 QStringLiteral("Continuo Theorbo in A"));
        QCOMPARE(loaded.TotalTension(), source.TotalTension());
        QVERIFY(bridge.count() > 0);
    }

    void brokenDataLeavesTheFrameAsItWas_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("withRows");
        TVornFrame source(settings);
        const std::string good = source.SaveToData();
        const QByteArray whole(good.data(), static_cast<qsizetype>(good.size()));
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("text") << QByteArray("this is not a document at all") << true;
        QTest::newRow("cut in the last record") << whole.left(whole.size() - 3) << true;
    }

    void brokenDataLeavesTheFrameAsItWas() {
        QFETCH(QByteArray, data);
        QFETCH(bool, withRows);
        TVornFrame frame(settings);
        chooseItem(control<QComboBox>(frame, "ComboInstType"), QStringLiteral("Guitar"));
        if (withRows)
            frame.ViewStrings();
        const TInstDataType document = frame.Model().Document;
        const int page = frame.CurrentPage();
        const QStringList texts = chartTexts(frame.StringView());
        QSignalSpy captionSpy(&frame, &TVornFrame::captionChanged);

        const LoadOutcome outcome = testing::OpenInto(frame, data.toStdString(), "broken.vrd");
        QCOMPARE(int(outcome.Result), int(LoadResult::Failed));
        QCOMPARE(outcome.Message, std::string("Unable to load file"));
        QVERIFY(frame.Model().Document == document);
        QCOMPARE(frame.CurrentPage(), page);
        QCOMPARE(chartTexts(frame.StringView()), texts);
        QCOMPARE(frame.HasCourseRows(), withRows);
        QVERIFY(captionSpy.isEmpty());
    }
};

QTEST_MAIN(TestVornFrame)
#include "tst_vornframe.moc"
