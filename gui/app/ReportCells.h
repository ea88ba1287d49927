// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Brings the report on screen up to a new text by changing only the table cells whose text
// changed, when that is all that differs: the one table is laid out again, and nothing is
// read as HTML. An edit of one string usually changes a handful of figures of the string chart.

#include <QRectF>

#include <string>
#include <vector>

class QTextDocument;

namespace vorn {

struct CellsUpdate {
    bool Applied = false; // false: the document is as it was; read the new text anew
    // Where the changed cells' text lies, in the document's coordinates, for the views to
    // repaint; empty when things moved and the document's layout has had its views repaint.
    std::vector<QRectF> Repaint;
};

// `document` holds `shownHtml` as QTextDocument::setHtml read it. When the two texts differ
// only in the plain text of some table cells (one "<th ...>text</th>" a line, the report's
// own layout), changes those cells, leaving the document as setHtml(nextHtml) would have.
// Refuses and leaves the document alone when anything else differs: the lines, a cell's
// attributes, mark-up or blanks at the ends of a cell, text outside the tables.
CellsUpdate UpdateReportCells(QTextDocument& document, const std::string& shownHtml,
                              const std::string& nextHtml);

} // namespace vorn
