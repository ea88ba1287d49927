// SPDX-License-Identifier: GPL-3.0-or-later

#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextFrame>
#include <QToolButton>

#include <cmath>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "app/MainForm.h"
#include "app/PreferencesIni.h"
#include "app/ReportCells.h"
#include "app/VornPrint.h"
#include "chart/GlobalChangeForms.h"
#include "support/DesktopNumbers.h"
#include "support/PdfWords.h"
#include "support/QuietWindow.h"
#include "views/VornFrame.h"

using namespace vorn;

namespace {

// Counts the times a view's width changes while it holds text: each lays the text out again.
class WidthChanges : public QObject {
public:
    explicit WidthChanges(QTextEdit* view) : view_(view) {
        view->viewport()->installEventFilter(this);
    }
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize && !view_->document()->isEmpty()) {
            const auto* resize = static_cast<QResizeEvent*>(event);
            if (resize->oldSize().width() != resize->size().width())
                ++Count;
        }
        return false;
    }

private:
    QTextEdit* view_;
};

// A report as the program writes it: two tables, spanning headings, a note, entities.
const char* const reportLines =
    "<html>\r\n<head>\r\n<title>Lute</title>\r\n</head>\r\n<body>\r\n"
    "<div align=\"center\">\r\n<table width=\"704\" border=\"1\">\r\n"
    "<tr>\r\n<th colspan=\"5\">Lute</th>\r\n<th colspan=\"2\">&nbsp;</th>\r\n</tr>\r\n"
    "<tr>\r\n<th colspan=\"3\">String Chart</th>\r\n<th colspan=\"2\">Pitch: A = "
    "415hz.</th>\r\n<th colspan=\"2\">Bridge tension: 106.49 kg.</th>\r\n</tr>\r\n"
    "<tr>\r\n<th>1</th>\r\n<th>f</th>\r\n<th>70</th>\r\n<th>4.08</th>\r\n"
    "<th>0.42</th>\r\n<th>Nylon</th>\r\n<th>0.469</th>\r\n</tr>\r\n"
    "<tr>\r\n<th>octave 6</th>\r\n<th>A</th>\r\n<th>&quot;</th>\r\n<th>3.57</th>\r\n"
    "<th>0.549</th>\r\n<th>Savarez</th>\r\n<th>BP  140 ( 3.07 kg.)</th>\r\n</tr>\r\n"
    "</table>\r\n<p>!    tension or diameter outside its material's limits\r\n</p>\r\n"
    "</div>\r\n<div align=\"center\">\r\n<table width=\"646\" border=\"1\">\r\n"
    "<tr>\r\n<th scope=\"row\">2</th>\r\n<th>7.52 (Mi)</th>\r\n<th>8.21 (Fa)</th>\r\n"
    "</tr>\r\n</table>\r\n</div>\r\n</body>\r\n</html>\r\n";

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

    testing::QuietWindows windows;

    std::unique_ptr<TMainForm> start() { return windows.Start(); }

    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase() { QVERIFY2(testing::GermanAsAsked(), "de_DE.UTF-8 is not installed"); }
    void init() { QVERIFY(windows.Reset()); }

    void printShowsBothChartsAndTheChecksRebuild() {
        auto w = start();
        w->ViewStrings();
        QVERIFY(w->findChild<QToolButton*>(QStringLiteral("SpeedPrint"))->isEnabled());
        w->findChild<QToolButton*>(QStringLiteral("SpeedPrint"))->click();
        TVornPrint* print = w->PrintWindow();
        QVERIFY(print->isVisible());
        QCOMPARE(print->windowTitle(), QStringLiteral("Print File"));
        QVERIFY(print->TablePageShown());
        const QString shown = print->Browser()->toPlainText();
        QVERIFY(shown.contains(QStringLiteral("String Chart")));
        QVERIFY(shown.contains(QStringLiteral("Fret Chart for 64 cm. string length.")));
        QCOMPARE(print->Title(), QStringLiteral("Alto Lute in G_10crs_sl64"));

        print->CheckFrets()->click();
        QVERIFY(!print->Browser()->toPlainText().contains(QStringLiteral("Fret Chart")));
        // The last chart cannot go: unchecking it brings the other back.
        print->CheckStrings()->click();
        QVERIFY(print->CheckFrets()->isChecked());
        QVERIFY(!print->CheckStrings()->isChecked());
        QVERIFY(print->Browser()->toPlainText().contains(QStringLiteral("Fret Chart")));
        QVERIFY(!print->Browser()->toPlainText().contains(QStringLiteral("String Chart")));
    }

    void tensionProfileIsAnOption() {
        auto w = start();
        w->ViewStrings();
        w->PrintDocument();
        TVornPrint* print = w->PrintWindow();
        QVERIFY(!print->CheckProfile()->isChecked());
        QVERIFY(print->ReportHtml().find("<img") == std::string::npos);
        print->CheckProfile()->click(); // rebuilds
        const std::string& html = print->ReportHtml();
        QVERIFY(html.find("<img src=\"data:image/png;base64,") != std::string::npos);
        // The view shows the picture: its document holds an image of the profile's size.
        const QString shown = print->Browser()->document()->toHtml();
        QVERIFY(shown.contains(QStringLiteral("<img")));
        QVERIFY(print->ReportText().find("Tension Profile") != std::string::npos);
        // Strings and frets stay as they were.
        QVERIFY(print->CheckStrings()->isChecked() && print->CheckFrets()->isChecked());
    }

    void printLaysOutOnlyAChangedReport_data() {
        QTest::addColumn<int>("edit"); // 0 none, 1 a tension, 2 a note, 3 the number of courses
        QTest::newRow("same document") << 0;
        QTest::newRow("tension typed") << 1;
        QTest::newRow("note stepped") << 2;
        QTest::newRow("courses added") << 3;
    }
    void printLaysOutOnlyAChangedReport() {
        QFETCH(int, edit);
        auto w = start();
        w->ViewStrings();
        TVornPrint* print = w->PrintWindow();
        QTextBrowser* view = print->Browser();
        const WidthChanges widths(view);
        w->PrintDocument(); // the first: the window comes up with it
        QCoreApplication::processEvents();
        QVERIFY(print->isVisible());
        QCOMPARE(widths.Count, 0);
        QCOMPARE(view->document()->pageSize().width(), qreal(view->viewport()->width()));

        const std::string html = print->ReportHtml();
        const int revision = view->document()->revision();
        const QPointer<QTextFrame> firstTable = view->document()->rootFrame()->childFrames().at(0);
        TStrFrame& chart = w->ActiveDocument()->Model().Chart;
        if (edit == 1) {
            chart.Course(2).EditTension(0, 3.5);
        } else if (edit == 2) {
            chart.Course(5).StepNote(true);
        } else if (edit == 3) {
            CoursesForm courses = CoursesForm::Show(chart.Document);
            courses.Count += 2;
            courses.Apply(chart);
        }
        w->PrintDocument();
        QCoreApplication::processEvents();
        QCOMPARE(print->ReportHtml() != html, edit != 0);
        QCOMPARE(view->document()->revision() != revision, edit != 0);
        QCOMPARE(widths.Count, 0);
        // New figures change their cells; new rows need the whole report read again.
        QCOMPARE(!firstTable.isNull(), edit != 3);
        QTextDocument expected;
        expected.setHtml(QString::fromStdString(print->ReportHtml()));
        QCOMPARE(view->toHtml(), expected.toHtml());
        // What is on screen after repainting only the changed cells is the whole new report.
        const auto onScreen = [&] { return print->screen()->grabWindow(print->winId()).toImage(); };
        const QImage shown = onScreen();
        view->viewport()->repaint();
        QCOMPARE(shown, onScreen());
    }

    // New figures change their cells in place; anything else is left to the HTML reader.
    void reportCellsChangeInPlace_data() {
        QTest::addColumn<QString>("next");
        QTest::addColumn<bool>("inPlace");
        const QString shown = QString::fromLatin1(reportLines);
        QTest::newRow("one figure") << QString(shown).replace("4.08", "4.1") << true;
        QTest::newRow("figures of both tables")
            << QString(shown).replace("3.57", "3.6").replace("7.52 (Mi)", "7.5 (Fa)") << true;
        QTest::newRow("catalogue label, blanks and entities")
            << QString(shown)
                   .replace("BP  140 ( 3.07 kg.)", "BP  141 ( 3.1 kg.) &amp; &lt;x&gt;")
                   .replace("<th>&quot;</th>", "<th>70</th>")
                   .replace("<th>&nbsp;</th>", "<th>Vorn&nbsp;File</th>")
            << true;
        QTest::newRow("heading over two columns")
            << QString(shown).replace("Bridge tension: 106.49", "Bridge tension: 107") << true;
        QTest::newRow("mark-up in a cell")
            << QString(shown).replace("<th>4.08</th>", "<th><b>4.08</b></th>") << false;
        QTest::newRow("blank at a cell's end")
            << QString(shown).replace("<th>4.08</th>", "<th>4.08 </th>") << false;
        QTest::newRow("cell attributes")
            << QString(shown).replace("<th>4.08</th>", "<th width=\"60\">4.08</th>") << false;
        QTest::newRow("note under a table") << QString(shown).replace("limits", "ranges") << false;
        QTest::newRow("a row more")
            << QString(shown).replace("</table>", "<tr>\r\n<th>9</th>\r\n</tr>\r\n</table>")
            << false;
        QTest::newRow("another entity") << QString(shown).replace("4.08", "4&deg;") << false;
    }
    void reportCellsChangeInPlace() {
        QFETCH(QString, next);
        QFETCH(bool, inPlace);
        const std::string shown = reportLines;
        QTextDocument document;
        document.setHtml(QString::fromStdString(shown));
        const QString before = document.toHtml();
        QCOMPARE(UpdateReportCells(document, shown, next.toStdString()).Applied, inPlace);
        QTextDocument expected;
        expected.setHtml(inPlace ? next : QString::fromStdString(shown));
        QCOMPARE(document.toHtml(), expected.toHtml());
        if (!inPlace)
            QCOMPARE(document.toHtml(), before);
    }

    void toggleNamesTheOtherPage() {
        auto w = start();
        w->ViewStrings();
        w->PrintDocument();
        TVornPrint* print = w->PrintWindow();
        QCOMPARE(print->HtmlButton()->text(), QStringLiteral("View Text"));
        print->HtmlButton()->click();
        QVERIFY(!print->TablePageShown());
        QCOMPARE(print->HtmlButton()->text(), QStringLiteral("View Table"));
        QVERIFY(print->HtmlCodeChoice()->isChecked());
        QVERIFY(print->Memo()->toPlainText().startsWith(QStringLiteral("<html>\n<head>\n")));
        print->PlainTextChoice()->click();
        QVERIFY(print->Memo()->toPlainText().startsWith(QStringLiteral("Alto Lute in G_10crs")));
        // A new build goes back to the table and the code.
        w->PrintDocument();
        QVERIFY(print->TablePageShown());
        QVERIFY(print->HtmlCodeChoice()->isChecked());
    }

    void saveWritesTheChosenForm_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("file");
        QTest::newRow("text") << "chart" << 1 << "chart.txt";
        QTest::newRow("html") << "chart" << 0 << "chart.html";
        QTest::newRow("html typed") << "chart.html" << 0 << "chart.html";
        QTest::newRow("text typed as html") << "chart.html" << 1 << "chart.html.txt";
    }
    void saveWritesTheChosenForm() {
        QFETCH(QString, name);
        QFETCH(int, filter);
        QFETCH(QString, file);
        auto w = start();
        w->ViewStrings();
        w->PrintDocument();
        TVornPrint* print = w->PrintWindow();
        print->AskSaveName = [&](const QString&, int& chosen) {
            chosen = filter;
            return windows.Path(name);
        };
        QVERIFY(print->SaveToDisk());
        const QByteArray bytes = read(windows.Path(file));
        const std::string& expected = filter == 0 ? print->ReportHtml() : print->ReportText();
        QCOMPARE(bytes.toStdString(), expected);
        QCOMPARE(print->PlainTextChoice()->isChecked(), filter == 1);
    }

    // The order list goes out in the form the dialog's filter chose, with its ending added,
    // and buys what the window's choice says; the list itself is the core's.
    void orderListSavesTheChosenForm_data() {
        QTest::addColumn<int>("filter");
        QTest::addColumn<bool>("byAlternative");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("head");
        QTest::newRow("text") << 0 << false << "strings.txt"
                              << "String order: Alto Lute in G_10crs_sl64\r\n"
                                 "Listed: gut strings\r\n\r\nGut\r\n";
        QTest::newRow("csv") << 1 << false << "strings.csv"
                             << "supplier,gauge,unit,count,course,string,note\nGut,";
        QTest::newRow("text, alternatives") << 0 << true << "strings.txt"
                                            << "String order: Alto Lute in G_10crs_sl64\r\n"
                                               "Listed: each string's alternative (material or "
                                               "catalogue string)\r\n\r\nCarbon PVF\r\n";
        QTest::newRow("csv, alternatives")
            << 1 << true << "strings.csv"
            << "supplier,gauge,unit,count,course,string,note\nCarbon PVF,";
    }
    void orderListSavesTheChosenForm() {
        QFETCH(int, filter);
        QFETCH(bool, byAlternative);
        QFETCH(QString, file);
        QFETCH(QString, head);
        auto w = start();
        w->ViewStrings();
        TVornPrint* print = w->PrintWindow();
        QVERIFY(!print->SaveOrderList());                  // nothing built yet
        QCOMPARE(print->OrderChoice()->currentIndex(), 0); // gut, until chosen otherwise
        QVERIFY(!print->OrderChoice()->accessibleName().isEmpty());
        print->OrderChoice()->setCurrentIndex(byAlternative ? 1 : 0);
        print->CheckStrings()->setChecked(false);
        w->PrintDocument();
        QString proposed;
        print->AskOrderName = [&](const QString& name, int& chosen) {
            proposed = name;
            chosen = filter;
            return windows.Path(QStringLiteral("strings"));
        };
        print->OrderButton()->click();
        QCOMPARE(QFileInfo(proposed).fileName(),
                 QStringLiteral("Strings for Alto Lute in G_10crs_sl64.txt"));
        const QByteArray bytes = read(windows.Path(file));
        QVERIFY2(bytes.startsWith(head.toUtf8()), bytes.left(120).constData());
        // The basses' catalogue strings, as a maker names them, only among the alternatives;
        // every string, though the report shows only the fret chart.
        QCOMPARE(bytes.contains("Savarez"), byAlternative);
        QVERIFY(!bytes.contains("kg."));
    }

    // The choice outlives the window and the run: the settings hold it, the preferences file
    // keeps it, and the next print window starts with it.
    void orderChoiceIsRemembered() {
        auto w = start();
        w->ViewStrings();
        w->PrintDocument();
        w->PrintWindow()->OrderChoice()->setCurrentIndex(1);
        QCOMPARE(int(w->Settings().OrderByAlternative), 1);
        const QString ini = windows.Path(QStringLiteral("kept.ini"));
        QVERIFY(WritePreferencesIni(ini, PreferencesOf(w->Settings())));
        TGlobalData next;
        ApplyPreferences(ReadPreferencesIni(ini), next);
        QCOMPARE(int(next.OrderByAlternative), 1);
        TVornPrint again(next);
        QCOMPARE(again.OrderChoice()->currentIndex(), 1);
        again.OrderChoice()->setCurrentIndex(0);
        QCOMPARE(int(next.OrderByAlternative), 0);
    }

    // The exports of a saved document propose its name without ".vrd", in its folder rather
    // than the folder last used.
    void exportsProposeTheDocumentsName_data() {
        QTest::addColumn<int>("button"); // 0 Export PDF, 1 Save to Disk, 2 Order list
        QTest::addColumn<QString>("name");
        QTest::newRow("pdf") << 0 << "lute-a.pdf";
        QTest::newRow("text") << 1 << "lute-a.html";
        QTest::newRow("order list") << 2 << "Strings for lute-a.txt";
    }
    void exportsProposeTheDocumentsName() {
        QFETCH(int, button);
        QFETCH(QString, name);
        for (const char* folder : {"lutes", "elsewhere"})
            QVERIFY(QDir().mkpath(windows.Path(QString::fromLatin1(folder))));
        auto w = start();
        w->ViewStrings();
        w->Documents().AskSaveFileName = [&](const QString&, int&) {
            return windows.Path(QStringLiteral("lutes/lute-a"));
        };
        QVERIFY(w->SaveDocument());
        w->PrintDocument();
        TVornPrint* print = w->PrintWindow();
        print->AskOrderName = [&](const QString&, int&) {
            return windows.Path(QStringLiteral("elsewhere/strings"));
        };
        QVERIFY(print->SaveOrderList()); // the last folder is now another one

        QString proposed;
        const SaveNameHook cancel = [&](const QString& path, int&) {
            proposed = path;
            return QString();
        };
        print->AskPdfName = print->AskSaveName = print->AskOrderName = cancel;
        QVERIFY(!(button == 0   ? print->ExportPdf()
                  : button == 1 ? print->SaveToDisk()
                                : print->SaveOrderList()));
        QCOMPARE(proposed, QDir(windows.Path(QStringLiteral("lutes"))).filePath(name));
    }

    void pdfHoldsTheFigures() {
        auto w = start();
        w->ViewStrings();
        w->PrintDocument();
        TVornPrint* print = w->PrintWindow();
        QString proposed;
        print->AskPdfName = [&](const QString& name, int&) {
            proposed = name;
            return windows.Path(QStringLiteral("alto"));
        };
        QVERIFY(print->ExportPdf());
        QCOMPARE(QFileInfo(proposed).fileName(), QStringLiteral("Alto Lute in G_10crs_sl64.pdf"));
        const QString pdf = windows.Path(QStringLiteral("alto.pdf"));
        QVERIFY(read(pdf).startsWith("%PDF"));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY2(text.waitForFinished(20000), "pdftotext (poppler-utils) did not run");
        const QString read = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY(read.contains(QStringLiteral("Fret Chart for 64 cm. string length.")));
        QVERIFY(read.contains(QStringLiteral("Alternative Diameter")));
    }

    // A wide report with its profile, exported on the paper of the user's locale: every word
    // within the printed area, the picture kept.
    void pdfFitsThePage_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("width"); // points
        QTest::addColumn<double>("height");
        QTest::newRow("letter") << QLocale(QLocale::English, QLocale::UnitedStates) << 612.0
                                << 792.0;
        QTest::newRow("a4") << QLocale(QLocale::German, QLocale::Germany) << 595.3 << 841.9;
    }
    void pdfFitsThePage() {
        QFETCH(QLocale, locale);
        QFETCH(double, width);
        QFETCH(double, height);
        const QString made = windows.Path(QStringLiteral("theorbo.vrd"));
        const QString file = windows.Path(QStringLiteral("wide.vrd"));
        for (const QStringList& args :
             {QStringList{QStringLiteral("new"), QStringLiteral("13"), made},
              QStringList{QStringLiteral("change"), made, QStringLiteral("--course-kinds"),
                          QStringLiteral("bass-octave"), QStringLiteral("--alt"),
                          QStringLiteral("Pyramid"), QStringLiteral("--output"), file}}) {
            QProcess calc;
            calc.start(QStringLiteral(VORN_CALC_PATH), args);
            QVERIFY(calc.waitForFinished(20000));
            QCOMPARE(calc.exitCode(), 0);
        }
        QLocale::setDefault(locale);
        auto w = start();
        QVERIFY(w->OpenDocumentFile(file));
        w->PrintDocument();
        TVornPrint* print = w->PrintWindow();
        print->CheckProfile()->click();

        const QString pdf = windows.Path(QStringLiteral("wide.pdf"));
        print->AskPdfName = [&](const QString&, int&) { return pdf; };
        QVERIFY(print->ExportPdf());
        const testing::PdfWords words = testing::ReadPdfWords(pdf.toStdString());
        QVERIFY2(words.Read, "pdftotext (poppler-utils) did not run");
        for (const auto& [w, h] : words.Pages) {
            QVERIFY(std::abs(w - width) < 0.5 && std::abs(h - height) < 0.5);
        }
        // The page's 15 mm margins clip what is drawn beyond them.
        const std::vector<std::string> off = words.Outside(15 / 25.4 * 72 - 0.5);
        QVERIFY2(off.empty(), off.empty() ? "" : off.front().c_str());
        // The right-most column is there (the calculator's test reads every word back).
        QVERIFY(words.Has("Catalogue") && words.Has("number") && words.Has("10105"));
        // The profile's legend is words on the page, inside the margins checked above.
        QVERIFY(words.Has("range") && words.Has("Within"));

        QProcess images;
        images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
        QVERIFY(images.waitForFinished(20000));
        // A heading, a rule, then one line for the picture.
        QCOMPARE(QString::fromUtf8(images.readAllStandardOutput()).trimmed().count(u'\n'), 2);
    }

    // Both print buttons reach the printer; a PDF file stands in for it.
    void printersGetTheTableAndTheText() {
        auto w = start();
        w->ViewStrings();
        w->PrintDocument();
        TVornPrint* print = w->PrintWindow();
        QList<bool> fileAllowed;
        QString target;
        print->AskPrinter = [&](QPrinter& printer, bool allowFile) {
            fileAllowed << allowFile;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(target);
            return true;
        };
        for (const bool table : {true, false}) {
            target = windows.Path(table ? QStringLiteral("table.pdf") : QStringLiteral("text.pdf"));
            if (table) {
                print->PrintTable();
            } else {
                print->PlainTextChoice()->click();
                print->PrintText();
            }
            QProcess text;
            text.start(QStringLiteral("pdftotext"), {target, QStringLiteral("-")});
            QVERIFY(text.waitForFinished(20000));
            const QString read = QString::fromUtf8(text.readAllStandardOutput());
            QVERIFY2(read.contains(QStringLiteral("Fret Chart for 64 cm. string length.")),
                     qPrintable(target));
        }
        // "Print Text" offers no printing to a file.
        QCOMPARE(fileAllowed, (QList<bool>{true, false}));
    }

    // Printing into a file goes through the program's one writer: a FIFO there is refused
    // with a message and stays a FIFO; a regular file is replaced whole.
    void printingIntoAFileWritesOnlyARegularFile_data() {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("fifo") << true;
        QTest::newRow("regular") << false;
    }
    void printingIntoAFileWritesOnlyARegularFile() {
        QFETCH(bool, fifo);
        auto w = start();
        w->ViewStrings();
        w->PrintDocument();
        TVornPrint* print = w->PrintWindow();
        const QString target = windows.Path(QStringLiteral("out.pdf"));
        if (fifo) {
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        } else {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        print->AskPrinter = [&](QPrinter& printer, bool) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(target);
            return true;
        };
        QStringList messages;
        print->ShowMessage = [&](const QString& text) { messages << text; };
        print->PrintTable();
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(target).constData(), &info), 0);
        if (fifo) {
            QVERIFY(S_ISFIFO(info.st_mode));
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages.constFirst().contains(QStringLiteral("not a regular file")),
                     qPrintable(messages.constFirst()));
        } else {
            QVERIFY(messages.isEmpty());
            QVERIFY(read(target).startsWith("%PDF"));
        }
    }

    // The calculator prints what the window's "Html code" shows.
    void calculatorReportEqualsTheWindows() {
        auto w = start();
        w->ViewStrings();
        const QString file = windows.Path(QStringLiteral("alto.vrd"));
        QVERIFY(w->SaveDocumentFile(file));
        w->CloseDocument();
        QVERIFY(w->OpenDocumentFile(file));
        w->PrintDocument();
        TVornPrint* print = w->PrintWindow();
        print->HtmlButton()->click();

        QProcess calc;
        calc.start(QStringLiteral(VORN_CALC_PATH), {QStringLiteral("report"), file});
        QVERIFY(calc.waitForFinished(20000));
        QCOMPARE(calc.exitCode(), 0);
        const QByteArray out = calc.readAllStandardOutput();
        QCOMPARE(out.toStdString(), print->ReportHtml());
        QCOMPARE(QString::fromUtf8(out).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                 print->Memo()->toPlainText());
    }

    void noRowsShowsTheLastReport() {
        auto w = start();
        w->PrintDocument(); // a new document on File Setup: nothing to build
        TVornPrint* print = w->PrintWindow();
        QVERIFY(print->isVisible());
        QVERIFY(print->ReportHtml().empty());
        QVERIFY(!print->ExportPdf());
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
