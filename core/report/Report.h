// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The printed report of a document: its string chart and its fret chart as one HTML page,
// and the same as plain text. Built line by line; every line ends with CR LF.

#include <string>
#include <vector>

#include "chart/StrFrame.h"

namespace vorn {

struct ReportOptions {
    bool Strings = true; // "Print String Chart"
    bool Frets = true;   // "Print Fret Chart"
    // "Print Tension Profile": the picture as an image URL (a data URL keeps the HTML whole);
    // empty leaves the report as it is without it. The text lists the bars instead.
    std::string ProfileImage;
    // The picture carries no legend of its own: it follows as text, which wraps and which a
    // PDF keeps as words. Each entry's colour sample, "#rrggbb" by ProfileKey, from the window
    // that drew the picture; none without.
    std::vector<std::string> ProfileColours;
    // The user's decimal separator for every number of the report.
    char DecimalSeparator = '.';
};

// The whole HTML text: title (the document's display name), then the charts asked for.
// Figures are those the course rows show; user texts are escaped for HTML.
std::string BuildReport(const std::string& title, const TStrFrame& chart,
                        const ReportOptions& options);
// The body of the same report as plain text: each table's title rows, then its columns
// aligned; tables separated by a blank line. CR LF line ends.
std::string BuildReportText(const std::string& title, const TStrFrame& chart,
                            const ReportOptions& options);

// Both of the above from one reckoning of the charts, for the print window that shows both.
struct ReportForms {
    std::string Html;
    std::string Text;
};
ReportForms BuildReportForms(const std::string& title, const TStrFrame& chart,
                             const ReportOptions& options);

} // namespace vorn
