// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A cell whose typing reaches the document only when the user is done with it (Return, or
// leaving the cell) remembers the text it last showed for the document. Typing that differs
// from it belongs to the cell until then, and Ctrl+Z takes it back before it undoes a change
// to the document.

class QLineEdit;
class QString;

namespace vorn {

// What the cell shows for the document now; the view calls it whenever it shows a value.
void RememberShownText(QLineEdit* cell, const QString& text);
// Whether the cell holds typing the document has not taken: false for a cell that never
// remembered a text.
bool HasPendingTyping(const QLineEdit* cell);
// The cell shows the document's value again, selected as on entering the cell.
void TakeBackTyping(QLineEdit* cell);

} // namespace vorn
