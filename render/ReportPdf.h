// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The report as a PDF: the HTML page laid out by Qt's text engine on A4 or Letter, scaled
// down where a table or picture is wider than the printable width. Shared by the print window
// and vorn-calc; needs a QGuiApplication.

#include <QString>

#include <string>

namespace vorn {

// Letter for a US-measuring locale, else A4.
bool ReportPageIsLetter();

// Lays html out as PDF on Letter or A4 in memory and writes it to path (the file system's
// bytes) through WriteFileAtomically, like every other file the program writes: a path that
// names no regular file is refused. false with a reason in *error when nothing was written.
bool WriteReportPdf(const QString& html, const std::string& path, bool letter, std::string* error);

} // namespace vorn
