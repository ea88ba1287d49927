#pragma once
// The report as a PDF: the HTML page laid out by Qt's text engine on A4 (or Letter where the
// locale measures in inches). Shared by the print window and vorn-calc; needs a
// QGuiApplication.

#include <QString>

namespace vorn {

// Letter for a US-measuring locale, else A4.
bool ReportPageIsLetter();
// Writes html to path as PDF, through a temporary file renamed over it when complete.
// false with a reason in *error when the file cannot be written.
bool WriteReportPdf(const QString& html, const QString& path, QString* error);

} // namespace vorn
