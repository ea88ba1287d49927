// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The print window "Print File": the active document's string and fret charts as a page to
// look at, print or export as PDF, and as HTML code or plain text to save or print; and the
// document's string order list to save. One window for the program, not modal; it keeps its
// report until the next Print.

#include <QRectF>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "widgets/FileDialogs.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTextBrowser;

namespace vorn {

class TGlobalData;
class TStrFrame;

class TVornPrint : public QWidget {
    Q_OBJECT
public:
    // The save dialogs start in and remember folders through settings.
    explicit TVornPrint(TGlobalData& settings, QWidget* parent = nullptr);

    // The report of the chart under the title, with the charts the check boxes ask for; shown
    // on the table page. false when the view could not take it (the window is then hidden).
    // The save dialogs start in the folder of documentFile, the document's own file if any,
    // and propose the title without its ".vrd".
    bool BuildReport(const QString& title, const TStrFrame& chart,
                     const QString& documentFile = QString());

    // The report as built: the HTML text and its plain text.
    const std::string& ReportHtml() const { return html_; }
    const std::string& ReportText() const { return text_; }
    QString Title() const { return title_; }
    bool TablePageShown() const;

    QCheckBox* CheckStrings() const { return checkStrings_; }
    QCheckBox* CheckFrets() const { return checkFrets_; }
    QCheckBox* CheckProfile() const { return checkProfile_; }
    QPushButton* HtmlButton() const { return htmlButton_; }
    QPushButton* PrintButton() const { return printButton_; }
    QPushButton* PdfButton() const { return pdfButton_; }
    QPushButton* OrderButton() const { return orderButton_; }
    // What the order list buys: 0 gut, 1 each string's alternative; remembered in the settings.
    QComboBox* OrderChoice() const { return orderChoice_; }
    QPushButton* SaveButton() const { return saveButton_; }
    QPushButton* PrintTextButton() const { return printTextButton_; }
    QRadioButton* HtmlCodeChoice() const { return htmlCode_; }
    QRadioButton* PlainTextChoice() const { return plainText_; }
    QTextBrowser* Browser() const { return browser_; }
    // The text page's box; filled when that page is shown, saved or printed.
    QPlainTextEdit* Memo() const { return memo_; }

    // Stand in for the dialogs (tests), as SaveNameHook describes: the text's save dialog
    // (types 0 HTML, 1 text), the PDF dialog, the order list's (0 text, 1 CSV) and the
    // question whether to replace a file; the print dialog says whether to print and may set
    // the printer up; messages are taken instead of shown.
    SaveNameHook AskSaveName;
    SaveNameHook AskPdfName;
    SaveNameHook AskOrderName;
    OverwriteHook AskOverwrite;
    std::function<bool(QPrinter& printer, bool allowFile)> AskPrinter;
    std::function<void(const QString& text)> ShowMessage;

    // The actions of the buttons, callable directly.
    bool SaveToDisk();
    bool ExportPdf();
    // The strings to buy for the document of the last report, as text or CSV, as the order
    // choice says.
    bool SaveOrderList();
    void PrintTable();
    void PrintText();

signals:
    // A check box changed: the main window builds the report again from the active document.
    void rebuildRequested();

private:
    void addTextPage();
    // Repaints at once the cells at these places of the report (document coordinates).
    void repaintCells(const std::vector<QRectF>& places);
    void chartsClicked(QCheckBox* clicked);
    void showPage(bool table);
    void refreshText();
    void fillText();
    void message(const QString& text);
    // The save dialog for the report's document; an empty path for Cancel.
    SaveChoice askFile(const QString& caption, const QString& name, std::vector<SaveFileType> types,
                       int type, const SaveNameHook& hook);

    TGlobalData& settings_;
    std::string html_;
    std::string text_;
    std::string shownHtml_; // what the view holds
    // Indexed by the order choice.
    std::array<std::string, 2> orderText_;
    std::array<std::string, 2> orderCsv_;
    QString title_;
    QString documentFile_;  // the report's document's own file; empty when it has none
    bool textStale_ = true; // the text box waits for its page to be seen
    QCheckBox* checkStrings_;
    QCheckBox* checkFrets_;
    QCheckBox* checkProfile_;
    QPushButton* htmlButton_;
    QPushButton* printButton_;
    QPushButton* pdfButton_;
    QPushButton* orderButton_;
    QComboBox* orderChoice_;
    QStackedWidget* pages_;
    QTextBrowser* browser_;
    QPlainTextEdit* memo_;
    QRadioButton* htmlCode_;
    QRadioButton* plainText_;
    QPushButton* saveButton_;
    QPushButton* printTextButton_;
};

} // namespace vorn
