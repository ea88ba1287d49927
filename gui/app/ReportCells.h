// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Brings the report on screen up to a new text by changing only the table cells whose text
// changed, when that is all that differs: the one table is laid out again, and nothing is
// read as HTML. An edit of one string usually changes a handful of figures of the string chart.

#include <string>

class QTextDocument;

namespace vorn {

// `document` holds `shownHtml` as QTextDocument::setHtml read it. When the two texts differ
// only in the plain text of some table cells (one "<th ...>text</th>" a line, the report's
// own layout), changes those cells, leaves the document as setHtml(nextHtml) would have, and
// returns true. Returns false and leaves the document alone when anything else differs: the
// lines, a cell's attributes, mark-up or spaces at the ends of a cell, text outside the tables.
bool UpdateReportCells(QTextDocument& document, const std::string& shownHtml,
                       const std::string& nextHtml);

} // namespace vorn
