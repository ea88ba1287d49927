// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Numbers the user types into an entry field. Either '.' or ',' is the decimal separator,
// whatever the desktop's language: a German user may type "3.8" and an English one "3,8".
// No field takes a thousands separator, so neither character can mean one.

#include <QChar>
#include <QString>

#include <optional>

namespace vorn {

// The typed text as a number: blanks around it, a sign, one decimal separator and an
// exponent are allowed. Nothing for empty or malformed text, for two separators
// ("1.234,5") and for infinities and NaN.
std::optional<double> ReadTypedNumber(const QString& text);

// Whether c may be typed as the decimal separator.
bool IsDecimalSeparator(QChar c);

} // namespace vorn
