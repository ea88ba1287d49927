// SPDX-License-Identifier: GPL-3.0-or-later

#include "report/Report.h"

#include <algorithm>
#include <vector>

#include "chart/TensionProfile.h"
#include "io/Markup.h"
#include "io/NumberText.h"
#include "report/ReportTables.h"

namespace vorn {

namespace {

constexpr const char* Eol = "\r\n";
constexpr size_t Gap = 2; // blanks between text columns

std::vector<ReportTable> tables(const std::string& title, const TStrFrame& chart,
                                const ReportOptions& options) {
    std::vector<ReportTable> out;
    if (options.Strings)
        out.push_back(StringChartTable(title, chart, options.DecimalSeparator));
    if (options.Frets)
        out.push_back(FretChartTable(chart, options.DecimalSeparator));
    return out;
}

std::string html(const ReportTable& table) {
    std::string s =
        std::string("<div align=\"center\">") + Eol + "<table" + table.Attributes + ">" + Eol;
    for (const ReportRow& row : table.Rows) {
        s += std::string("<tr>") + Eol;
        for (const ReportCell& c : row.Cells)
            s += "<th" + c.Attributes + ">" + c.Html + "</th>" + Eol;
        s += std::string("</tr>") + Eol;
    }
    s += std::string("</table>") + Eol;
    if (!table.Notes.empty()) {
        s += "<p>";
        for (size_t i = 0; i < table.Notes.size(); ++i)
            s += (i ? "<br>" : "") + EscapeMarkup(table.Notes[i]) + Eol;
        s += std::string("</p>") + Eol;
    }
    return s + "</div>" + Eol;
}

// Characters a line will show: UTF-8 continuation bytes take no room.
size_t shownLength(const std::string& s) {
    return static_cast<size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string padded(const std::string& s, size_t width) {
    const size_t n = shownLength(s);
    return n >= width ? s : s + std::string(width - n, ' ');
}

std::string trimmedRight(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::string text(const ReportTable& table) {
    // Column widths from the column rows; a spanning cell widens the last column it spans.
    std::vector<size_t> widths(table.Columns, 0);
    for (int pass = 0; pass < 2; ++pass) {
        for (const ReportRow& row : table.Rows) {
            if (row.Heading)
                continue;
            size_t column = 0;
            for (const ReportCell& c : row.Cells) {
                const size_t span = static_cast<size_t>(std::max(1, c.Span));
                if (column + span > widths.size())
                    break;
                const bool single = span == 1;
                if (single == (pass == 0)) {
                    size_t room = Gap * (span - 1);
                    for (size_t k = column; k < column + span; ++k)
                        room += widths[k];
                    if (shownLength(c.Text) > room)
                        widths[column + span - 1] += shownLength(c.Text) - room;
                }
                column += span;
            }
        }
    }

    std::string s;
    for (const ReportRow& row : table.Rows) {
        std::string line;
        if (row.Heading) {
            for (const ReportCell& c : row.Cells)
                if (!c.Text.empty())
                    line += (line.empty() ? "" : "   ") + c.Text;
        } else {
            size_t column = 0;
            for (const ReportCell& c : row.Cells) {
                const size_t span = static_cast<size_t>(std::max(1, c.Span));
                size_t width = Gap * (span - 1);
                for (size_t k = column; k < column + span && k < widths.size(); ++k)
                    width += widths[k];
                line += padded(c.Text, width + Gap);
                column += span;
            }
        }
        s += trimmedRight(line) + Eol;
    }
    for (const std::string& note : table.Notes)
        s += note + Eol;
    return s;
}

std::string htmlReport(const std::string& title, const TStrFrame& chart,
                       const ReportOptions& options, const std::vector<ReportTable>& tables) {
    std::string s = std::string("<html>") + Eol + "<head>" + Eol + "<title>" + EscapeMarkup(title) +
                    "</title>" + Eol + "</head>" + Eol + "<body>" + Eol;
    for (const ReportTable& t : tables)
        s += html(t);
    if (!options.ProfileImage.empty()) {
        s += std::string("<div align=\"center\">") + Eol + "<img src=\"" +
             EscapeMarkup(options.ProfileImage) + "\" width=\"646\" alt=\"Tension profile\">" + Eol;
        const std::vector<ProfileLegendEntry> legend =
            ProfileLegend(TensionProfile(chart), chart.Settings.TensionUnit);
        if (!legend.empty()) {
            s += "<p>";
            for (size_t i = 0; i < legend.size(); ++i) {
                const size_t key = static_cast<size_t>(legend[i].Key);
                const std::string swatch = key < options.ProfileColours.size()
                                               ? "<font color=\"" +
                                                     EscapeMarkup(options.ProfileColours[key]) +
                                                     "\">&#9632;</font> "
                                               : "";
                s += (i ? "&nbsp;&nbsp; " : "") + swatch +
                     LocalDecimals(EscapeMarkup(legend[i].Text),
                                   std::string(1, options.DecimalSeparator)) +
                     Eol;
            }
            s += std::string("</p>") + Eol;
        }
        s += std::string("</div>") + Eol;
    }
    return s + "</body>" + Eol + "</html>" + Eol;
}

std::string textReport(const TStrFrame& chart, const ReportOptions& options,
                       const std::vector<ReportTable>& tables) {
    std::string s;
    for (const ReportTable& t : tables)
        s += (s.empty() ? "" : Eol) + text(t);
    if (!options.ProfileImage.empty()) {
        const std::vector<ProfileBar> bars = TensionProfile(chart);
        s += (s.empty() ? "" : Eol) + std::string("Tension Profile") + Eol;
        const std::vector<ProfileLegendEntry> legend =
            ProfileLegend(bars, chart.Settings.TensionUnit);
        if (!legend.empty())
            s += legend.front().Text + Eol;
        for (const ProfileBar& bar : bars)
            s += bar.Label + (bar.OutOfRange ? " (out of range)" : "") + Eol;
    }
    return s;
}

} // namespace

std::string BuildReport(const std::string& title, const TStrFrame& chart,
                        const ReportOptions& options) {
    return htmlReport(title, chart, options, tables(title, chart, options));
}

std::string BuildReportText(const std::string& title, const TStrFrame& chart,
                            const ReportOptions& options) {
    return textReport(chart, options, tables(title, chart, options));
}

ReportForms BuildReportForms(const std::string& title, const TStrFrame& chart,
                             const ReportOptions& options) {
    const std::vector<ReportTable> built = tables(title, chart, options);
    return {htmlReport(title, chart, options, built), textReport(chart, options, built)};
}

} // namespace vorn
