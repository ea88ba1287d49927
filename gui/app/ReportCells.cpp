// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ReportCells.h"

#include <QAbstractTextDocumentLayout>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <utility>
#include <vector>

namespace vorn {

namespace {

struct CellChange {
    int table = -1;
    int row = -1;
    int column = 0;
    QString text;
};

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        out.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return out;
}

// A "<th attributes>content</th>" line, split; false for any other line.
bool cellLine(std::string_view line, std::string_view& attributes, std::string_view& content) {
    constexpr std::string_view Open = "<th", Close = "</th>";
    if (!line.starts_with(Open) || !line.ends_with(Close))
        return false;
    const size_t end = line.find('>');
    attributes = line.substr(Open.size(), end - Open.size());
    content = line.substr(end + 1, line.size() - end - 1 - Close.size());
    return true;
}

int columnSpan(std::string_view attributes) {
    constexpr std::string_view Key = "colspan=\"";
    const size_t at = attributes.find(Key);
    if (at == std::string_view::npos)
        return 1;
    int span = 1;
    const char* first = attributes.data() + at + Key.size();
    std::from_chars(first, attributes.data() + attributes.size(), span);
    return std::max(1, span);
}

// The text Qt's HTML reader makes of a cell's content: entities read, runs of blanks as one.
// false for what it would read as more than that (a tag, another entity, other white space,
// blanks at either end, nothing at all), which is left to the reader itself.
bool cellText(std::string_view content, QString& text) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> Entities{{
        {"&amp;", "&"},
        {"&lt;", "<"},
        {"&gt;", ">"},
        {"&quot;", "\""},
        {"&nbsp;", "\u00a0"},
    }};
    std::string plain;
    while (!content.empty()) {
        const char c = content.front();
        if (c == '<' || c == '>' || c == '\t' || c == '\r' || c == '\n')
            return false;
        if (c == '&') {
            const auto known = std::find_if(Entities.begin(), Entities.end(), [&](const auto& e) {
                return content.starts_with(e.first);
            });
            if (known == Entities.end())
                return false;
            plain += known->second;
            content.remove_prefix(known->first.size());
            continue;
        }
        if (c != ' ' || plain.empty() || plain.back() != ' ')
            plain += c;
        content.remove_prefix(1);
    }
    if (plain.empty() || plain.front() == ' ' || plain.back() == ' ')
        return false;
    text = QString::fromStdString(plain);
    return true;
}

// The cell at a table's row and column, as one block of text; invalid otherwise.
QTextTableCell textCell(QTextTable* table, int row, int column) {
    const QTextTableCell cell = table->cellAt(row, column);
    if (!cell.isValid() || cell.row() != row || cell.column() != column)
        return {};
    const QTextCursor first = cell.firstCursorPosition(), last = cell.lastCursorPosition();
    if (first.block() != last.block() || first.position() == last.position())
        return {};
    return cell;
}

// What a change of size in the changed rows would move: the tables, every cell of those rows
// and of each table's last row (where the columns show). In the document's coordinates.
std::vector<QRectF> places(const QTextDocument& document, const std::vector<QTextTable*>& tables,
                           const std::vector<CellChange>& changes) {
    const QAbstractTextDocumentLayout* layout = document.documentLayout();
    std::vector<QRectF> out;
    const auto row = [&](QTextTable* table, int r) {
        for (int c = 0; c < table->columns(); ++c)
            if (const QTextTableCell cell = table->cellAt(r, c); cell.column() == c)
                out.push_back(layout->blockBoundingRect(cell.firstCursorPosition().block()));
    };
    for (QTextTable* table : tables) {
        out.push_back(layout->frameBoundingRect(table));
        row(table, table->rows() - 1);
    }
    for (const CellChange& change : changes)
        row(tables[change.table], change.row);
    return out;
}

} // namespace

CellsUpdate UpdateReportCells(QTextDocument& document, const std::string& shownHtml,
                              const std::string& nextHtml) {
    const std::vector<std::string_view> before = lines(shownHtml), after = lines(nextHtml);
    if (before.size() != after.size())
        return {};
    std::vector<CellChange> changes;
    int tableCount = 0, row = -1, column = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        std::string_view attributes, content, nextAttributes, nextContent;
        const bool cell = cellLine(before[i], attributes, content);
        if (before[i] != after[i]) {
            CellChange change{tableCount - 1, row, column, QString()};
            QString shown;
            if (!cell || !cellLine(after[i], nextAttributes, nextContent) ||
                attributes != nextAttributes || change.table < 0 || row < 0 ||
                !cellText(content, shown) || !cellText(nextContent, change.text))
                return {};
            changes.push_back(std::move(change));
        }
        if (before[i].starts_with("<table")) {
            ++tableCount;
            row = -1;
        } else if (before[i] == "<tr>") {
            ++row;
            column = 0;
        } else if (cell) {
            column += columnSpan(attributes);
        }
    }

    std::vector<QTextTable*> tables;
    for (QTextFrame* frame : document.rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            tables.push_back(table);
    if (static_cast<int>(tables.size()) != tableCount)
        return {};
    // Every cell is checked before the first is changed: a refusal changes nothing.
    for (const CellChange& change : changes)
        if (!textCell(tables[change.table], change.row, change.column).isValid())
            return {};

    // The layout would have its views repaint the whole table. When nothing moved, the
    // changed cells are all there is to paint again: most of a Print once the table is laid out.
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const std::vector<QRectF> placesBefore = places(document, tables, changes);
    CellsUpdate update{true, {}};
    {
        const QSignalBlocker quiet(layout);
        // One edit, so that the document is laid out once.
        QTextCursor edit(&document);
        edit.beginEditBlock();
        for (const CellChange& change : changes) {
            const QTextTableCell cell = textCell(tables[change.table], change.row, change.column);
            QTextCursor cursor = cell.firstCursorPosition();
            QTextCursor firstCharacter = cursor;
            firstCharacter.movePosition(QTextCursor::NextCharacter);
            const QTextCharFormat format = firstCharacter.charFormat();
            cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            cursor.insertText(change.text, format);
        }
        edit.endEditBlock();
    }
    document.setModified(false); // as after setHtml: the report is not the user's to edit
    if (places(document, tables, changes) == placesBefore) {
        for (const CellChange& change : changes) {
            const QTextTableCell cell = textCell(tables[change.table], change.row, change.column);
            update.Repaint.push_back(layout->blockBoundingRect(cell.firstCursorPosition().block()));
        }
    } else {
        emit layout->documentSizeChanged(layout->documentSize());
        emit layout->update();
    }
    return update;
}

} // namespace vorn
