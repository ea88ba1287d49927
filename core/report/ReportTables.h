// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The report's two tables as rows of header cells, from which both the HTML text and the
// plain text are written.

#include <string>
#include <vector>

#include "chart/StrFrame.h"

namespace vorn {

struct ReportCell {
    std::string Attributes; // as written after "<th", with its leading blank
    std::string Html;       // content as mark-up (escaped, &nbsp; and &quot; kept)
    std::string Text;       // the same as plain text
    int Span = 1;           // columns the cell spans
};

struct ReportRow {
    std::vector<ReportCell> Cells;
    bool Heading = false; // a title row above the columns, not part of them
};

struct ReportTable {
    std::string Attributes; // of "<table"
    int Columns = 0;
    std::vector<ReportRow> Rows;
    // Lines under the table: what the marks in it mean.
    std::vector<std::string> Notes;
};

ReportTable StringChartTable(const std::string& title, const TStrFrame& chart, char decimal);
ReportTable FretChartTable(const TStrFrame& chart, char decimal);

} // namespace vorn
