// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The report as a PDF: the HTML page laid out by Qt's text engine on A4 or Letter, scaled
// down where a table or picture is wider than the printable width. Shared by the print window
// and vorn-calc; needs a QGuiApplication.

#include <QString>

namespace vorn {

// Letter for a US-measuring locale, else A4.
bool ReportPageIsLetter();

// Writes html to path as PDF on Letter or A4, through a temporary file renamed over it when
// complete. false with a reason in *error when the file cannot be written.
bool WriteReportPdf(const QString& html, const QString& path, bool letter, QString* error);

} // namespace vorn
