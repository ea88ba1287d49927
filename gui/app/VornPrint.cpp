// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/VornPrint.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

#include "ReportPdf.h"
#include "app/ReportCells.h"
#include "chart/StrFrame.h"
#include "files/DialogPaths.h"
#include "io/AtomicFile.h"
#include "report/OrderList.h"
#include "report/Report.h"
#include "views/TensionProfileView.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/HelpContext.h"
#include "widgets/LocalNumbers.h"
#include "widgets/StdText.h"

namespace vorn {

namespace {

constexpr int PrintWindowHelp = 220;
constexpr int TextPageHelp = 230;

// A printer told to print into a file fills a temporary one instead, whose bytes then go to
// the chosen file through the program's one writer: a FIFO, a device or a folder there is
// refused as by every other save, and a print that fails leaves the old file as it was.
class PrintIntoFile {
public:
    explicit PrintIntoFile(QPrinter& printer) : target_(printer.outputFileName()) {
        if (target_.isEmpty())
            return;
        folder_ = std::make_unique<QTemporaryDir>();
        if (folder_->isValid())
            printer.setOutputFileName(temporary());
    }
    // false, with the reason, when the printer would have written to the file itself.
    bool Ready(QString* error) const {
        if (!folder_ || folder_->isValid())
            return true;
        *error = QStringLiteral("Could not save %1: no temporary folder").arg(target_);
        return false;
    }
    // After the printer has finished: false with the reason when the file was not written.
    bool Finish(QString* error) const {
        if (!folder_)
            return true;
        std::string bytes, reason;
        if (ReadWholeFile(QFile::encodeName(temporary()).toStdString(), bytes, &reason) &&
            WriteFileAtomically(QFile::encodeName(target_).toStdString(), bytes, &reason))
            return true;
        *error =
            QStringLiteral("Could not save %1: %2").arg(target_, QString::fromStdString(reason));
        return false;
    }

private:
    QString temporary() const { return folder_->filePath(QStringLiteral("print.pdf")); }

    QString target_;
    std::unique_ptr<QTemporaryDir> folder_; // only while printing into a file
};

// The report's CR LF lines as the text box holds them.
QString shownLines(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

TVornPrint::TVornPrint(TGlobalData& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings),
      checkStrings_(new QCheckBox(QStringLiteral("Print String Chart"), this)),
      checkFrets_(new QCheckBox(QStringLiteral("Print Fret Chart"), this)),
      checkProfile_(new QCheckBox(QStringLiteral("Print Tension Profile"), this)),
      htmlButton_(new QPushButton(QStringLiteral("View Text"), this)),
      printButton_(new QPushButton(QStringLiteral("Print"), this)),
      pdfButton_(new QPushButton(QStringLiteral("Export PDF..."), this)),
      orderButton_(new QPushButton(QStringLiteral("Order list..."), this)),
      orderChoice_(new QComboBox(this)), pages_(new QStackedWidget(this)),
      browser_(new QTextBrowser(pages_)), memo_(new QPlainTextEdit),
      htmlCode_(new QRadioButton(QStringLiteral("Html code"))),
      plainText_(new QRadioButton(QStringLiteral("Unformated text"))),
      saveButton_(new QPushButton(QStringLiteral("Save to Disk"))),
      printTextButton_(new QPushButton(QStringLiteral("Print Text"))) {
    setObjectName(QStringLiteral("VornPrint"));
    setWindowTitle(QStringLiteral("Print File"));
    SetHelpContext(this, PrintWindowHelp);
    resize(820, 640);

    checkStrings_->setObjectName(QStringLiteral("CheckStrings"));
    checkFrets_->setObjectName(QStringLiteral("CheckFrets"));
    htmlButton_->setObjectName(QStringLiteral("HTMLButton"));
    printButton_->setObjectName(QStringLiteral("BitBtn1"));
    checkStrings_->setChecked(true);
    checkFrets_->setChecked(true);
    htmlButton_->setToolTip(QStringLiteral("Switch between the table and its text"));
    printButton_->setToolTip(QStringLiteral("Print the table"));
    pdfButton_->setToolTip(QStringLiteral("Save the table as a PDF file"));
    orderButton_->setToolTip(
        QStringLiteral("Save the list of strings to buy for this instrument, as text or CSV"));
    orderChoice_->setObjectName(QStringLiteral("OrderChoice"));
    orderChoice_->addItems({QStringLiteral("Gut strings"), QStringLiteral("Alternatives")});
    orderChoice_->setAccessibleName(QStringLiteral("Strings to order"));
    orderChoice_->setToolTip(QStringLiteral("Order every string in gut, or each string as its "
                                            "alternative names it (material or catalogue string)"));
    orderChoice_->setCurrentIndex(settings_.OrderByAlternative ? 1 : 0);

    auto* top = new QHBoxLayout;
    top->addWidget(checkStrings_);
    top->addWidget(checkFrets_);
    top->addWidget(checkProfile_);
    top->addStretch(1);
    top->addWidget(htmlButton_);
    top->addWidget(pdfButton_);
    top->addWidget(orderChoice_);
    top->addWidget(orderButton_);
    top->addWidget(printButton_);

    browser_->setObjectName(QStringLiteral("ReportView"));
    browser_->setOpenLinks(false);
    browser_->setUndoRedoEnabled(false); // read-only: nothing to undo, and less to rebuild
    browser_->setAccessibleName(QStringLiteral("Report"));
    // A scroll bar that came with the text would narrow the page and lay it all out again.
    browser_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pages_->addWidget(browser_);

    addTextPage();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pages_, 1);

    connect(checkStrings_, &QCheckBox::clicked, this, [this] { chartsClicked(checkStrings_); });
    connect(checkFrets_, &QCheckBox::clicked, this, [this] { chartsClicked(checkFrets_); });
    connect(checkProfile_, &QCheckBox::clicked, this, &TVornPrint::rebuildRequested);
    connect(htmlButton_, &QPushButton::clicked, this, [this] { showPage(!TablePageShown()); });
    connect(htmlCode_, &QRadioButton::toggled, this, [this] { refreshText(); });
    connect(saveButton_, &QPushButton::clicked, this, [this] { SaveToDisk(); });
    connect(printTextButton_, &QPushButton::clicked, this, [this] { PrintText(); });
    connect(printButton_, &QPushButton::clicked, this, [this] { PrintTable(); });
    connect(pdfButton_, &QPushButton::clicked, this, [this] { ExportPdf(); });
    connect(orderButton_, &QPushButton::clicked, this, [this] { SaveOrderList(); });
    connect(orderChoice_, &QComboBox::currentIndexChanged, this,
            [this](int index) { settings_.OrderByAlternative = index == 1 ? 1 : 0; });
}

// The second page: the report's text, how to read it, and saving or printing it.
void TVornPrint::addTextPage() {
    auto* textPage = new QWidget(pages_);
    SetHelpContext(textPage, TextPageHelp);
    memo_->setParent(textPage);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memo_->setAccessibleName(QStringLiteral("Report text"));
    auto* readOut = new QGroupBox(QStringLiteral("View text as:"), textPage);
    readOut->setObjectName(QStringLiteral("RadioGroup1"));
    auto* readOutLayout = new QVBoxLayout(readOut);
    readOutLayout->addWidget(htmlCode_);
    readOutLayout->addWidget(plainText_);
    htmlCode_->setChecked(true);
    auto* side = new QVBoxLayout;
    side->addWidget(readOut);
    side->addWidget(saveButton_);
    side->addWidget(printTextButton_);
    side->addStretch(1);
    auto* textLayout = new QHBoxLayout(textPage);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->addLayout(side);
    textLayout->addWidget(memo_, 1);
    pages_->addWidget(textPage);
}

bool TVornPrint::TablePageShown() const {
    return pages_->currentIndex() == 0;
}

bool TVornPrint::BuildReport(const QString& title, const TStrFrame& chart,
                             const QString& documentFile) {
    ReportOptions options;
    options.Strings = checkStrings_->isChecked();
    options.Frets = checkFrets_->isChecked();
    options.DecimalSeparator = AsciiDecimalPoint();
    QImage profile;
    if (checkProfile_->isChecked()) {
        // The same picture as under the string chart, at the fret chart's width.
        TTensionProfileView view(chart);
        // The legend follows as text, which wraps on the page and stays words in a PDF.
        view.SetLegendShown(false);
        view.resize(646, 180);
        for (const ProfileKey key : {pk_band, pk_within, pk_beyond, pk_breaking, pk_close_breaking})
            options.ProfileColours.push_back(
                TTensionProfileView::KeyColour(key).name().toStdString());
        profile = view.grab().toImage();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        profile.save(&buffer, "PNG");
        options.ProfileImage = "data:image/png;base64," + png.toBase64().toStdString();
        // The view finds the picture under its URL whether or not it reads data URLs itself.
        browser_->document()->addResource(QTextDocument::ImageResource,
                                          QUrl(QString::fromStdString(options.ProfileImage)),
                                          profile);
    }
    const std::string name = title.toStdString();
    ReportForms forms = BuildReportForms(name, chart, options);
    html_ = std::move(forms.Html);
    text_ = std::move(forms.Text);
    // Every string, whichever charts the report shows.
    for (const bool byAlternative : {false, true}) {
        const OrderOptions choice{byAlternative};
        const std::vector<OrderLine> order = BuildOrderList(chart, choice);
        orderText_[byAlternative] = OrderListText(name, choice, order);
        orderCsv_[byAlternative] = OrderListCsv(order);
    }
    title_ = title;
    documentFile_ = documentFile;
    // Laying the report out is most of a Print: the same text is not laid out again, and
    // new figures in the same tables change only their cells.
    if (html_ != shownHtml_ || browser_->document()->isEmpty()) {
        const CellsUpdate cells = shownHtml_.empty()
                                      ? CellsUpdate{}
                                      : UpdateReportCells(*browser_->document(), shownHtml_, html_);
        if (!cells.Applied)
            browser_->setHtml(QString::fromStdString(html_));
        shownHtml_ = html_;
        repaintCells(cells.Repaint);
    }
    if (browser_->document()->isEmpty()) {
        shownHtml_.clear();
        html_.clear();
        text_.clear();
        orderText_ = {};
        orderCsv_ = {};
        message(QStringLiteral("Cannot show file for some reason."));
        hide();
        return false;
    }
    {
        const QSignalBlocker block(htmlCode_);
        htmlCode_->setChecked(true);
    }
    refreshText();
    showPage(true);
    return true;
}

void TVornPrint::repaintCells(const std::vector<QRectF>& places) {
    if (!browser_->isVisible())
        return;
    // Each on its own: the view paints every row across one paint's bounds, and a sum of a
    // page's cells would span most of it.
    const QPoint scrolled(browser_->horizontalScrollBar()->value(),
                          browser_->verticalScrollBar()->value());
    for (const QRectF& place : places) {
        const QRect shown = place.toAlignedRect().adjusted(-1, -1, 1, 1).translated(-scrolled) &
                            browser_->viewport()->rect();
        if (!shown.isEmpty())
            browser_->viewport()->repaint(shown);
    }
}

void TVornPrint::chartsClicked(QCheckBox* clicked) {
    if (!checkStrings_->isChecked() && !checkFrets_->isChecked())
        (clicked == checkStrings_ ? checkFrets_ : checkStrings_)->setChecked(true);
    emit rebuildRequested();
}

void TVornPrint::showPage(bool table) {
    pages_->setCurrentIndex(table ? 0 : 1);
    if (!table)
        fillText();
    htmlButton_->setText(table ? QStringLiteral("View Text") : QStringLiteral("View Table"));
}

void TVornPrint::refreshText() {
    // Filled when seen: laying the whole text out costs about as much as the table.
    textStale_ = true;
    if (!TablePageShown())
        fillText();
}

void TVornPrint::fillText() {
    if (!textStale_)
        return;
    memo_->setPlainText(shownLines(htmlCode_->isChecked() ? html_ : text_));
    textStale_ = false;
}

void TVornPrint::message(const QString& text) {
    if (ShowMessage)
        ShowMessage(text);
    else
        TFittedMessageBox::Ask(this, QMessageBox::Warning, QStringLiteral("Vorn"), text);
}

SaveChoice TVornPrint::askFile(const QString& caption, const QString& name,
                               std::vector<SaveFileType> types, int type,
                               const SaveNameHook& hook) {
    const SaveRequest request{caption, documentFile_, name, std::move(types), type};
    return AskSaveFile(this, settings_, request, hook, AskOverwrite);
}

bool TVornPrint::SaveToDisk() {
    const QString base = qs(DocumentBaseName(title_.toStdString()));
    const SaveChoice choice =
        askFile(QStringLiteral("Save Vorn file as text"), base,
                {{QStringLiteral("HTML File"), QStringLiteral("html")},
                 {QStringLiteral("Unformatted Text File"), QStringLiteral("txt")}},
                htmlCode_->isChecked() ? 0 : 1, AskSaveName);
    if (choice.Path.isEmpty())
        return false;
    (choice.Type == 0 ? htmlCode_ : plainText_)->setChecked(true);
    refreshText();
    fillText();
    const QString& path = choice.Path;
    QStringList lines = memo_->toPlainText().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the text's own last line end
    std::string bytes;
    for (const QString& line : lines)
        bytes += line.toStdString() + "\r\n";
    std::string error;
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), bytes, &error)) {
        message(QStringLiteral("Could not save %1: %2").arg(path, QString::fromStdString(error)));
        return false;
    }
    return true;
}

bool TVornPrint::SaveOrderList() {
    const int choice = orderChoice_->currentIndex() == 1 ? 1 : 0;
    if (orderText_[choice].empty())
        return false;
    const SaveChoice asked =
        askFile(QStringLiteral("Order list"),
                QStringLiteral("Strings for %1").arg(qs(DocumentBaseName(title_.toStdString()))),
                {{QStringLiteral("Text File"), QStringLiteral("txt")},
                 {QStringLiteral("CSV File"), QStringLiteral("csv")}},
                0, AskOrderName);
    const QString& path = asked.Path;
    if (path.isEmpty())
        return false;
    std::string error;
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(),
                             asked.Type == 0 ? orderText_[choice] : orderCsv_[choice], &error)) {
        message(QStringLiteral("Could not save %1: %2").arg(path, QString::fromStdString(error)));
        return false;
    }
    return true;
}

bool TVornPrint::ExportPdf() {
    if (html_.empty())
        return false;
    const QString path =
        askFile(QStringLiteral("Export PDF"), qs(DocumentBaseName(title_.toStdString())),
                {{QStringLiteral("PDF File"), QStringLiteral("pdf")}}, 0, AskPdfName)
            .Path;
    if (path.isEmpty())
        return false;
    std::string error;
    if (!WriteReportPdf(QString::fromStdString(html_), QFile::encodeName(path).toStdString(),
                        ReportPageIsLetter(), &error)) {
        message(QStringLiteral("Could not save %1: %2").arg(path, QString::fromStdString(error)));
        return false;
    }
    return true;
}

void TVornPrint::PrintTable() {
    QPrinter printer;
    printer.setDocName(title_);
    bool go = false;
    if (AskPrinter) {
        go = AskPrinter(printer, true);
    } else {
        QPrintDialog dialog(&printer, this);
        go = dialog.exec() == QDialog::Accepted;
    }
    if (!go)
        return;
    const PrintIntoFile file(printer);
    if (QString error; !file.Ready(&error)) {
        message(error);
        return;
    }
    browser_->document()->print(&printer);
    if (QString error; !file.Finish(&error))
        message(error);
}

void TVornPrint::PrintText() {
    fillText();
    const QStringList lines = memo_->toPlainText().split(QLatin1Char('\n'));
    if (memo_->toPlainText().isEmpty())
        return;
    QPrinter printer;
    printer.setDocName(title_);
    printer.setPrintRange(QPrinter::PageRange);
    bool go = false;
    if (AskPrinter) {
        go = AskPrinter(printer, false);
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        go = dialog.exec() == QDialog::Accepted;
    }
    if (!go)
        return;
    const PrintIntoFile file(printer);
    if (QString error; !file.Ready(&error)) {
        message(error);
        return;
    }

    QPainter painter;
    if (!painter.begin(&printer))
        return;
    painter.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const QRect page = painter.viewport();
    const int perPage = std::max(1, page.height() / std::max(1, lineHeight));
    const int first = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int last = printer.toPage() > 0 ? printer.toPage() : INT_MAX;
    int pageNumber = 1;
    bool pagePrinted = false;
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0 && i % perPage == 0) {
            ++pageNumber;
            if (pageNumber > last)
                break;
            if (pagePrinted)
                printer.newPage();
            pagePrinted = false;
        }
        if (pageNumber < first)
            continue;
        painter.drawText(0, (i % perPage + 1) * lineHeight, lines.at(i));
        pagePrinted = true;
    }
    painter.end();
    if (QString error; !file.Finish(&error))
        message(error);
}

} // namespace vorn
