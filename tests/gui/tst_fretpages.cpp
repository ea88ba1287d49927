// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QXmlStreamReader>

#include <cstring>

#include "document/GlobalData.h"
#include "files/FileFrame.h"
#include "support/DesktopNumbers.h"
#include "support/OpenedFrame.h"
#include "support/TabReach.h"
#include "views/FretFrameView.h"
#include "views/FretFrormView.h"
#include "views/FretPositionView.h"
#include "views/PlacementFrameView.h"
#include "views/VornFrame.h"
#include "widgets/LabelledTrackBar.h"
#include "widgets/NotePanel.h"

using namespace vorn;

namespace {

// A top string c at 60 cm and A = 440 Hz.
TInstDataType topStringC() {
    TInstDataType d;
    d.ApplyTemplate(3, 5, "");
    d.CourseNotes[0] = NoteValue{60, 0, 0};
    d.StringLength = 60;
    d.APitch = 440;
    return d;
}

// How the fret template's DXF drawing begins: its comment line.
const QByteArray DxfHead("999\nFret layout: ");

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The pitch lines of a Scala file, between the note count and the octave.
QStringList scalaCents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    const qsizetype octave = lines.indexOf(QStringLiteral(" 2/1"));
    if (octave < 5)
        return {};
    lines = lines.mid(5, octave - 5);
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

// Digits with at most one '.' among them, as a file's reader takes them.
bool isPlainNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    return number.match(text).hasMatch();
}

// The attributes of the fret template that hold numbers.
const QStringList& svgNumbers() {
    static const QStringList names{QStringLiteral("width"),
                                   QStringLiteral("height"),
                                   QStringLiteral("viewBox"),
                                   QStringLiteral("x"),
                                   QStringLiteral("y"),
                                   QStringLiteral("x1"),
                                   QStringLiteral("y1"),
                                   QStringLiteral("x2"),
                                   QStringLiteral("y2"),
                                   QStringLiteral("font-size"),
                                   QStringLiteral("stroke-width"),
                                   QStringLiteral("data-start"),
                                   QStringLiteral("data-end"),
                                   QStringLiteral("transform")};
    return names;
}

// Counts the paints of every widget under a root, and the layout requests of the root.
bool writeText(const QString& path, const char* text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == qint64(std::strlen(text));
}

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* root) : root_(root) {
        root->installEventFilter(this);
        for (QWidget* child : root->findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    int Paints(const QWidget* widget) const { return paints_.value(widget); }
    int LayoutRequests = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints_[static_cast<QWidget*>(watched)];
        else if (event->type() == QEvent::LayoutRequest && watched == root_)
            ++LayoutRequests;
        return false;
    }

private:
    QWidget* root_;
    QHash<const QWidget*, int> paints_;
};

} // namespace

class TestFretPages : public QObject {
    Q_OBJECT

    TGlobalData settings;

private slots:
    void initTestCase() { QVERIFY2(testing::GermanAsAsked(), "de_DE.UTF-8 is not installed"); }

    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        settings = TGlobalData();
    }

    void chartShowsTheModel() {
        TInstDataType doc = topStringC();
        TFretFrormView view(settings);
        view.Bind(doc);
        QSignalSpy temperament(&view, &TFretFrormView::temperamentChanged);
        view.Selector()->setCurrentIndex(2);
        emit view.Selector()->activated(2);
        QCOMPARE(temperament.count(), 1);
        QCOMPARE(view.TrackBar()->Position(), 50);
        QCOMPARE(view.FifthLabel()->text(), QStringLiteral("Tempered fifth:  696.58 cents"));
        QCOMPARE(view.LengthField()->text(), QStringLiteral("60"));
        QCOMPARE(view.PitchField()->text(), QStringLiteral("440"));
        const TFretPositionView* one = view.Row(1);
        QCOMPARE(one->MainPart()->Distance()->text(), QStringLiteral("   3.92 cm."));
        QCOMPARE(one->MainPart()->Marker()->text(), QStringLiteral("Fa"));
        QCOMPARE(one->MainPart()->Note()->Note().Accidental, uint8_t(acc_flat));
        QCOMPARE(one->AltPart()->Distance()->text(), QStringLiteral("   2.58 cm."));
        // Mi above Fa within the row.
        QVERIFY(one->AltPart()->y() < one->MainPart()->y());
        QVERIFY(view.Row(12)->AltPart()->Distance()->isHidden());

        // A slider move between the names: the tenth item names the percentage.
        view.TrackBar()->Slider()->setValue(45);
        QCOMPARE(view.Selector()->currentIndex(), 9);
        QCOMPARE(view.Selector()->currentText(), QStringLiteral("22% Comma Meantone"));
        QCOMPARE(temperament.count(), 2);
    }

    // "Scale..." frets by a rule or a Scala file; a refused file says which line and leaves the
    // frets alone; the temperament list takes the scale away again.
    void scaleMenuFretsByRulesAndFiles() {
        TInstDataType doc = topStringC();
        TFretFrormView view(settings);
        view.Bind(doc);
        QSignalSpy changed(&view, &TFretFrormView::temperamentChanged);
        const auto choose = [&view](const QString& text) {
            for (QAction* action : view.ScaleButton()->menu()->actions())
                if (action->text() == text) {
                    action->trigger();
                    return true;
                }
            return false;
        };
        QVERIFY(choose(QStringLiteral("Dowland 1610")));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(view.FifthLabel()->text(), QStringLiteral("Scale: Dowland 1610"));
        QCOMPARE(view.Row(1)->MainPart()->Distance()->text(), QStringLiteral("   3.64 cm."));
        QVERIFY(view.Row(1)->AltPart()->Distance()->isHidden());

        QTemporaryDir folder;
        const QString bad = folder.filePath(QStringLiteral("bad.scl"));
        const QString just = folder.filePath(QStringLiteral("just.scl"));
        QVERIFY(writeText(bad, "! bad\nThree notes\n 3\n 100.0\n 200.0\n 2/1\n"));
        QVERIFY(writeText(just, "Just\n 12\n 16/15\n 9/8\n 6/5\n 5/4\n 4/3\n 45/32\n 3/2\n"
                                " 8/5\n 5/3\n 9/5\n 15/8\n 2/1\n"));
        QString path = bad, told;
        view.AskScalaFile = [&path] { return path; };
        QTimer::singleShot(0, &view, [&told] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told = box->text();
                box->accept();
            }
        });
        QVERIFY(choose(QStringLiteral("Scala File...")));
        QVERIFY2(told.contains(QStringLiteral("line 3")), qPrintable(told));
        QCOMPARE(view.FifthLabel()->text(), QStringLiteral("Scale: Dowland 1610"));
        path = just;
        QVERIFY(choose(QStringLiteral("Scala File...")));
        QCOMPARE(view.FifthLabel()->text(), QStringLiteral("Scale: Just"));
        QCOMPARE(view.Row(4)->MainPart()->Distance()->text(), QStringLiteral("  12.00 cm."));

        view.Selector()->setCurrentIndex(5);
        emit view.Selector()->activated(5);
        QVERIFY(!doc.Scale);
        QVERIFY(view.FifthLabel()->text().startsWith(QStringLiteral("Tempered fifth:")));
    }

    // A change repaints the figures that changed and nothing of a row that stayed, and a new
    // fifth does not lay the page out again.
    void changesRepaintOnlyWhatChanged_data() {
        QTest::addColumn<int>("position"); // the slider's, -1 to show the same document again
        QTest::newRow("slider step") << 46;
        QTest::newRow("to Pythagorean") << FretSliderMax;
        QTest::newRow("same figures again") << -1;
    }
    void changesRepaintOnlyWhatChanged() {
        QFETCH(int, position);
        TInstDataType doc = topStringC();
        settings.ShowAlternativeFrets = 1;
        TFretFrormView view(settings);
        view.resize(900, 700);
        view.show();
        view.Bind(doc);
        view.TrackBar()->Slider()->setValue(45);
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCoreApplication::processEvents();

        struct Shown {
            const TFretPartView* part;
            QString distance;
            NoteValue note;
        };
        std::vector<Shown> before;
        for (int fret = 1; fret < FirstExtraFret; ++fret)
            for (const TFretPartView* part :
                 {view.Row(fret)->MainPart(), view.Row(fret)->AltPart()})
                if (part->Distance()->isVisible())
                    before.push_back({part, part->Distance()->text(), part->Note()->Note()});
        QVERIFY(!before.empty());
        const PaintCounter counter(&view);
        if (position < 0)
            view.Bind(doc);
        else
            view.TrackBar()->Slider()->setValue(position);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();

        int changed = 0;
        for (const Shown& shown : before) {
            const bool newDistance = shown.part->Distance()->text() != shown.distance;
            changed += newDistance ? 1 : 0;
            QCOMPARE(counter.Paints(shown.part->Distance()) > 0, newDistance);
            QCOMPARE(counter.Paints(shown.part->Note()) > 0,
                     shown.part->Note()->Note() != shown.note);
            QCOMPARE(counter.Paints(shown.part->Marker()), 0);
            QCOMPARE(counter.Paints(shown.part->Play()), 0);
        }
        QCOMPARE(changed > 0, position >= 0);
        QCOMPARE(counter.LayoutRequests, 0);
    }

    // The texts a fret row, the fifth and the top string's play button show.
    void germanNumbersTakeTheComma() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TInstDataType doc = topStringC();
        TFretFrormView view(settings);
        view.Bind(doc);
        static const QRegularExpression point(QStringLiteral("\\d\\.\\d"));
        for (const QString& text :
             {view.FifthLabel()->text(), view.Row(1)->MainPart()->Distance()->text(),
              view.Row(1)->MainPart()->Play()->accessibleName(), view.TopPlay()->toolTip()})
            QVERIFY2(text.contains(QLatin1Char(',')) && !text.contains(point), qPrintable(text));
    }

    void viewSettingsShowAndPersist() {
        TInstDataType doc = topStringC();
        TFretFrormView view(settings);
        view.resize(900, 700);
        view.show();
        view.Bind(doc);
        // Fresh settings: alternatives, extra frets and the graphic hidden.
        QVERIFY(!view.AlternativesBox()->isChecked());
        QVERIFY(view.Row(1)->AltPart()->isHidden());
        QCOMPARE(view.HeaderTitle(5)->text(), QString());
        QVERIFY(!view.Row(13)->isVisibleTo(&view));
        QVERIFY(view.Graphic()->isHidden());
        QCOMPARE(view.GraphicButton()->text(), QStringLiteral("Show fret graphic"));

        view.AlternativesBox()->click();
        QVERIFY(!view.Row(1)->AltPart()->isHidden());
        QCOMPARE(view.HeaderTitle(5)->text(), QStringLiteral("Alternatative Fret Position"));
        view.ExtraFretsButton()->click();
        QVERIFY(view.Row(13)->isVisibleTo(&view));
        QCOMPARE(view.ExtraFretsButton()->text(), QStringLiteral("Hide extra frets"));
        view.GraphicButton()->click();
        QVERIFY(!view.Graphic()->isHidden());
        QCOMPARE(view.GraphicButton()->toolTip(), QStringLiteral("Hide fret graphic"));
        QCOMPARE(view.GraphicButton()->width(), 14);
        QCOMPARE(settings.ShowAlternativeFrets + settings.ExtraCoursesVisible +
                     settings.FretGraphicVisible,
                 3);

        // Another page made later starts from the remembered choices.
        TInstDataType other = topStringC();
        TFretFrormView again(settings);
        again.Bind(other);
        QVERIFY(again.AlternativesBox()->isChecked());
        QVERIFY(again.Row(13)->isVisibleTo(&again));
    }

    void playButtonsAskForWholeHertz() {
        TInstDataType doc = topStringC();
        TFretFrormView view(settings);
        view.Bind(doc);
        view.TrackBar()->Slider()->setValue(50);
        QSignalSpy play(&view, &TFretFrormView::playRequested);
        QSignalSpy stop(&view, &TFretFrormView::stopRequested);
        QToolButton* twelve = view.Row(12)->MainPart()->Play();
        twelve->click();
        QCOMPARE(play.count(), 1);
        QCOMPARE(play.at(0).at(0).toInt(), 526); // 2 x 263.18 Hz
        QCOMPARE(play.at(0).at(1).value<NoteValue>().Number, 72);
        QCOMPARE(play.at(0).at(2).value<QAbstractButton*>(), twelve);
        twelve->click();
        QCOMPARE(stop.count(), 1);
        view.TopPlay()->click();
        QCOMPARE(play.at(1).at(0).toInt(), 263);
        QCOMPARE(view.TopPlay()->toolTip(), QStringLiteral("Play c ( 263.18 hz.)"));
    }

    void playButtonsWorkFromTheKeyboard() {
        TInstDataType doc = topStringC();
        TFretFrormView view(settings);
        view.Bind(doc);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QSignalSpy play(&view, &TFretFrormView::playRequested);
        for (QToolButton* button : {view.TopPlay(), view.Row(5)->MainPart()->Play()}) {
            QVERIFY(vorn::testing::ReachedByTab(button));
            QTest::keyClick(button, Qt::Key_Space);
            QCOMPARE(play.count(), 1);
            QCOMPARE(play.takeFirst().at(2).value<QAbstractButton*>(), button);
            button->setChecked(false);
        }
    }

    void fretHeadersWorkFromTheKeyboard() {
        TInstDataType doc = topStringC();
        doc.Key = 7;
        TPlacementFrameView view;
        view.Bind(doc);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QStringList asked;
        view.AskYesNo = [&](const QString& text) {
            asked << text;
            return true;
        };
        view.ShowInformation = [&](const QString&, const QString& text) { asked << text; };
        TPlacementHeaderCell* first = view.HeaderCell(1);
        QVERIFY(vorn::testing::ReachedByTab(first));
        QTest::keyClick(first, Qt::Key_Space);
        QCOMPARE(asked, QStringList{QStringLiteral("Change first fret to Mi?")});
        QCOMPARE(first->Text(), QStringLiteral("Mi"));
        // A click leaves the focus on the header, for the keys that follow.
        QTest::mouseClick(view.HeaderCell(3), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), view.HeaderCell(3));
    }

    void markersWorkOnlyWhenCustomized() {
        TInstDataType doc = topStringC();
        TFretFrormView view(settings);
        view.Bind(doc);
        QToolButton* marker = view.Row(1)->MainPart()->Marker();
        QVERIFY(marker->autoRaise()); // flat in Standard
        marker->click();
        QCOMPARE(marker->text(), QStringLiteral("Fa"));
        view.CustomizedButton()->click();
        QCOMPARE(doc.CustomPlacement, uint8_t(1));
        QVERIFY(!marker->autoRaise());
        marker->click();
        QCOMPARE(marker->text(), QStringLiteral("Mi"));
        QCOMPARE(doc.FretMiFa[0], uint8_t(fc_mi));
    }

    // The Scala file holds the frets as the page shows them.
    void scalaExportFollowsThePage() {
        TInstDataType doc = topStringC();
        TFretFrormView view(settings);
        view.Bind(doc);
        view.TrackBar()->Slider()->setValue(50);
        view.CustomizedButton()->click();
        view.Row(1)->MainPart()->Marker()->click(); // fret 1 to Mi
        QTemporaryDir dir;
        QString proposed;
        view.AskScalaName = [&](const QString& name, int&) {
            proposed = name;
            return dir.filePath(QStringLiteral("quarter"));
        };
        QVERIFY(view.ExportScala());
        QCOMPARE(QFileInfo(proposed).fileName(),
                 QStringLiteral("1-4 Comma (Pure major third).scl"));
        QFile file(dir.filePath(QStringLiteral("quarter.scl")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(2),
                 QStringLiteral("1/4 Comma (Pure major third) (12 notes, as fretted)"));
        QCOMPARE(lines.value(5).trimmed(), QStringLiteral("76.04900")); // the chromatic semitone
        QCOMPARE(lines.value(16).trimmed(), QStringLiteral("2/1"));
    }

    // The type chosen in the dialog decides the kind of file, whatever the name typed; the
    // type's extension is added unless the name ends in it.
    void templateExportWritesEachKind_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("pdf") << "t.pdf" << 0 << "t.pdf" << QByteArray("%PDF");
        QTest::newRow("svg") << "t.svg" << 1 << "t.svg" << QByteArray("<?xml");
        QTest::newRow("dxf, a bare name") << "board" << 2 << "board.dxf" << DxfHead;
        QTest::newRow("dxf, named as a pdf") << "board.pdf" << 2 << "board.pdf.dxf" << DxfHead;
        QTest::newRow("csv") << "t" << 3 << "t.csv"
                             << QByteArray("fret,choice,main_cents,main_mm,alt_cents,alt_mm\n1,");
    }
    void templateExportWritesEachKind() {
        QFETCH(QString, typed);
        QFETCH(int, type);
        QFETCH(QString, file);
        QFETCH(QByteArray, head);
        TInstDataType doc = topStringC();
        TFretFrormView view(settings);
        view.Bind(doc);
        QTemporaryDir dir;
        int offered = -1;
        view.AskTemplateName = [&](const QString&, int& chosen) {
            offered = chosen;
            chosen = type;
            return dir.filePath(typed);
        };
        QVERIFY(view.ExportTemplate());
        QCOMPARE(offered, 0); // PDF first
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{file});
        QVERIFY(readFile(dir.filePath(file)).startsWith(head));
    }

    // A file the dialog did not name itself, because its extension came after, is replaced
    // only after a question; No brings the dialog back at that name.
    void templateAsksBeforeReplacing_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("bare name, No") << "board" << false << 1 << false;
        QTest::newRow("bare name, Yes") << "board" << true << 1 << true;
        QTest::newRow("the name the dialog saw") << "board.dxf" << false << 0 << true;
    }
    void templateAsksBeforeReplacing() {
        QFETCH(QString, typed);
        QFETCH(bool, yes);
        QFETCH(int, questions);
        QFETCH(bool, replaced);
        TInstDataType doc = topStringC();
        TFretFrormView view(settings);
        view.Bind(doc);
        QTemporaryDir dir;
        const QString board = dir.filePath(QStringLiteral("board.dxf"));
        QFile old(board);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("kept");
        old.close();
        QStringList proposals;
        view.AskTemplateName = [&](const QString& proposed, int& type) {
            proposals << proposed;
            type = 2;
            return proposals.size() == 1 ? dir.filePath(typed) : QString();
        };
        QStringList asked;
        view.AskOverwrite = [&](const QString& path) {
            asked << path;
            return yes;
        };
        QCOMPARE(view.ExportTemplate(), replaced);
        QCOMPARE(asked.size(), questions);
        if (questions > 0)
            QCOMPARE(asked.front(), board);
        QCOMPARE(readFile(board).startsWith(DxfHead), replaced);
        if (!replaced) {
            QCOMPARE(readFile(board), QByteArray("kept"));
            QCOMPARE(proposals.value(1), board);
        }
    }

    // The exports read back with points whatever the desktop's language (the suite runs a
    // second time under de_DE.UTF-8): the Scala file holds the cents vorn-calc writes for the
    // same document.
    void scalaExportReadsBack_data() {
        QTest::addColumn<int>("slider");
        QTest::addColumn<bool>("customized");
        QTest::newRow("quarter comma, fret 1 on Mi") << 50 << true;
        QTest::newRow("22% comma, standard frets") << 45 << false;
    }
    void scalaExportReadsBack() {
        QFETCH(int, slider);
        QFETCH(bool, customized);
        TVornFrame frame(settings);
        frame.ViewStrings();
        frame.ShowPage(TVornFrame::ShowFretChart);
        TFretFrormView* chart = frame.FretView();
        chart->TrackBar()->Slider()->setValue(slider);
        if (customized) {
            chart->CustomizedButton()->click();
            chart->Row(1)->MainPart()->Marker()->click();
        }
        QTemporaryDir dir;
        const QString document = dir.filePath(QStringLiteral("lute.vrd"));
        QFile saved(document);
        QVERIFY(saved.open(QIODevice::WriteOnly));
        saved.write(QByteArray::fromStdString(frame.SaveToData()));
        saved.close();

        chart->AskScalaName = [&](const QString&, int&) {
            return dir.filePath(QStringLiteral("w.scl"));
        };
        QVERIFY(chart->ExportScala());
        QProcess calc;
        calc.start(QStringLiteral(VORN_CALC_PATH),
                   {QStringLiteral("scl"), document, QStringLiteral("--output"),
                    dir.filePath(QStringLiteral("c.scl"))});
        QVERIFY(calc.waitForFinished(20000));
        QCOMPARE(calc.exitCode(), 0);
        const QStringList window = scalaCents(dir.filePath(QStringLiteral("w.scl")));
        QCOMPARE(window.size(), 11);
        for (const QString& cents : window)
            QVERIFY2(isPlainNumber(cents), qPrintable(cents));
        QCOMPARE(window, scalaCents(dir.filePath(QStringLiteral("c.scl"))));
    }

    // Every coordinate and size of the SVG template is a number.
    void svgTemplateReadsBack() {
        TInstDataType doc = topStringC();
        doc.StringLength = 64.5;
        TFretFrormView view(settings);
        view.Bind(doc);
        QTemporaryDir dir;
        view.AskTemplateName = [&](const QString&, int& type) {
            type = 1;
            return dir.filePath(QStringLiteral("t.svg"));
        };
        QVERIFY(view.ExportTemplate());
        QFile svg(dir.filePath(QStringLiteral("t.svg")));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        int numbers = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            for (const QXmlStreamAttribute& a : xml.attributes()) {
                if (!svgNumbers().contains(a.name().toString()))
                    continue;
                QString value = a.value().toString();
                value.remove(QStringLiteral("mm"));
                value.remove(QStringLiteral("translate("));
                value.remove(u')');
                for (const QString& part : value.split(u' ', Qt::SkipEmptyParts)) {
                    QVERIFY2(isPlainNumber(part),
                             qPrintable(QStringLiteral("%1=%2").arg(a.name(), a.value())));
                    ++numbers;
                }
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(numbers > 100);
    }

    // The graphic draws its frets where the layout puts them.
    void graphicPaintsFretsToScale() {
        TFretFrameView graphic;
        graphic.resize(400, TFretFrameView::GraphicHeight);
        graphic.Draw(DefaultMiFa, 0.25);
        const QImage image = graphic.grab().toImage();
        const FretGraphicLayout layout = graphic.Layout();
        QCOMPARE(layout.FretX[6], 251);
        const int y = 30; // on the neck, between two strings
        const QColor background = image.pixelColor(2, y);
        QCOMPARE(background, QColor(192, 220, 192));
        const QColor onFret = image.pixelColor(layout.FretX[6], y);
        const QColor beside = image.pixelColor(layout.FretX[6] + 6, y);
        QVERIFY(onFret != beside);
        QVERIFY(onFret.lightness() > beside.lightness());
        // Equal marks appear only when asked for.
        const int markY = TFretFrameView::GraphicHeight - 4;
        const QColor unmarked = graphic.grab().toImage().pixelColor(layout.EqualX[0], markY);
        graphic.SetEqualMarks(true);
        QVERIFY(graphic.grab().toImage().pixelColor(layout.EqualX[0], markY) != unmarked);
    }

    void placementRefusesAndConfirms() {
        TInstDataType doc = topStringC();
        doc.Key = 7;
        TPlacementFrameView view;
        view.Bind(doc);
        QStringList shown;
        bool answer = false;
        view.ShowInformation = [&](const QString& caption, const QString& text) {
            shown << caption << text;
        };
        view.AskYesNo = [&](const QString& text) {
            shown << text;
            return answer;
        };

        view.ClickHeader(7);
        QCOMPARE(shown, (QStringList{QStringLiteral("Fixed Fret"),
                                     QStringLiteral("Seventh fret must be a perfect fifth!\n"
                                                    "(Cannot be changed.)")}));
        shown.clear();
        const int faWidth = view.CellFrame(1, 1)->width();
        QTest::mouseClick(view.HeaderCell(1), Qt::LeftButton);
        QCOMPARE(shown, QStringList{QStringLiteral("Change first fret to Mi?")});
        QCOMPARE(view.HeaderCell(1)->Text(), QStringLiteral("Fa"));
        answer = true;
        QTest::mouseClick(view.HeaderCell(1), Qt::LeftButton);
        QCOMPARE(view.HeaderCell(1)->Text(), QStringLiteral("Mi"));
        QCOMPARE(doc.FretMiFa[0], uint8_t(fc_mi));
        QCOMPARE(view.CellFrame(1, 1)->width(), faWidth - (FaColumnWidth - MiColumnWidth));
    }

    // Narrow Mi columns, double flats and octave digits: every cell still draws its whole name.
    void placementCellsShowTheWholeName() {
        TInstDataType doc = topStringC();
        doc.Key = 0; // C-flat major: double flats and flats on every black key
        const int notes[6] = {96, 84, 72, 24, 12, 0};
        for (int c = 0; c < 6; ++c)
            doc.CourseNotes[c] = NoteValue{notes[c], 0, 0};
        TPlacementFrameView view;
        view.Bind(doc);
        for (int course = 1; course <= 6; ++course) {
            for (int column = 0; column <= 12; ++column) {
                const TNotePanel* cell = view.Cell(course, column);
                const TNoteLayout layout = cell->Layout();
                QVERIFY(!layout.octaveDigit.isEmpty());
                QVERIFY2(layout.right <= cell->width(),
                         qPrintable(QStringLiteral("course %1 fret %2: %3 > %4")
                                        .arg(course)
                                        .arg(column)
                                        .arg(layout.right)
                                        .arg(cell->width())));
            }
        }
    }

    // The fret rows name a note by its letter: over a, fret 2's C-flat takes the digit of c1.
    void fretNotesTakeTheOctaveOfTheirLetter() {
        TInstDataType doc = topStringC();
        doc.CourseNotes[0] = NoteValue{69, 0, 0};
        TFretFrormView view(settings);
        view.Bind(doc);
        const TNotePanel* alt = view.Row(2)->AltPart()->Note();
        QCOMPARE(alt->Note().Number, 71);
        QCOMPARE(alt->letterText(), QStringLiteral("c"));
        QCOMPARE(alt->octaveDigit(), QStringLiteral("1"));
        const TNotePanel* sharp = view.Row(3)->AltPart()->Note();
        QCOMPARE(sharp->Note().Number, 72);
        QCOMPARE(sharp->letterText(), QStringLiteral("b"));
        QCOMPARE(sharp->octaveDigit(), QString());
    }

    void placementKeysClearEachOther() {
        TInstDataType doc = topStringC();
        doc.Key = 7;
        TPlacementFrameView view;
        view.Bind(doc);
        QCOMPARE(view.MajorKeys()->currentText(), QStringLiteral("C Major"));
        QCOMPARE(view.MinorKeys()->currentIndex(), -1);
        view.MinorKeys()->setCurrentIndex(8);
        emit view.MinorKeys()->activated(8);
        QCOMPARE(view.MajorKeys()->currentIndex(), -1);
        QCOMPARE(int(doc.Key), 23);
        QCOMPARE(view.KeyLabel()->text(), view.MinorKeys()->currentText());
        // Every cell is spelled, and drawn, in the chosen key.
        QCOMPARE(int(view.Cell(1, 3)->Key()), 23);
        QCOMPARE(view.Cell(1, 0)->Note().Number, 60);
    }

    // Done on the placement page, seen on the fret chart, kept in the file.
    void placementReachesTheChartAndTheFile() {
        TVornFrame frame(settings);
        frame.ViewStrings();
        frame.ShowPage(TVornFrame::ShowFretChart);
        frame.FretView()->CustomizeButton()->click();
        QCOMPARE(frame.CurrentPage(), int(TVornFrame::PlacementChartPage));
        TPlacementFrameView* placement = frame.PlacementView();
        placement->AskYesNo = [](const QString&) { return true; };
        placement->ClickHeader(1);

        frame.ShowPage(TVornFrame::ShowFretChart);
        TFretFrormView* chart = frame.FretView();
        QCOMPARE(chart->Row(1)->MainPart()->Marker()->text(), QStringLiteral("Fa"));
        chart->CustomizedButton()->click();
        QCOMPARE(chart->Row(1)->MainPart()->Marker()->text(), QStringLiteral("Mi"));

        const std::string bytes = frame.SaveToData();
        TVornFrame reopened(settings);
        QCOMPARE(int(testing::OpenInto(reopened, bytes, "a.vrd").Result), int(LoadResult::Loaded));
        QCOMPARE(reopened.Model().Document.FretMiFa[0], uint8_t(fc_mi));
        QCOMPARE(reopened.Model().Document.CustomPlacement, uint8_t(1));
    }

    // Saving on the fret chart stores the strings already retuned.
    void savingFromTheFretChartRetunesFirst() {
        TVornFrame frame(settings);
        frame.ViewStrings();
        frame.ShowPage(TVornFrame::ShowFretChart);
        frame.FretView()->TrackBar()->Slider()->setValue(68);
        const std::string bytes = frame.SaveToData();
        QCOMPARE(frame.CurrentPage(), int(TVornFrame::FretChartPage));

        TVornFrame copy(settings);
        QCOMPARE(int(testing::OpenInto(copy, bytes, "b.vrd").Result), int(LoadResult::Loaded));
        const TStrFrame& saved = frame.Model().Chart;
        const TStrFrame& loaded = copy.Model().Chart;
        QCOMPARE(loaded.CourseCount(), saved.CourseCount());
        for (int i = 0; i < saved.CourseCount(); ++i) {
            QCOMPARE(loaded.Courses[i]->First.Rec.Frequency, saved.Courses[i]->First.Rec.Frequency);
            QCOMPARE(loaded.Courses[i]->First.Rec.GutDiameter,
                     saved.Courses[i]->First.Rec.GutDiameter);
        }
    }
};

QTEST_MAIN(TestFretPages)
#include "tst_fretpages.moc"
