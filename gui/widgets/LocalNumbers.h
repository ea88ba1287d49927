// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Numbers on screen in the user's decimal separator. The model, its files and vorn-calc
// write '.'; only what the program shows takes the locale's separator.

#include <QLocale>
#include <QString>

namespace vorn {

// The text with each '.' that stands between two ASCII digits replaced by the locale's
// decimal point. Any other '.' (the end of "Hz." or "kg.", a lone ".5") stays.
QString LocalNumbers(const QString& text, const QLocale& locale = QLocale());

// The locale's decimal point for text that holds one byte per figure character (the printed
// report); '.' when the locale's point is not a single ASCII character.
char AsciiDecimalPoint(const QLocale& locale = QLocale());

} // namespace vorn
