// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// File names and other texts from outside as they can be shown. A name on Linux is any bytes
// but '/' and NUL: it need not be UTF-8 and may hold control characters, which JSON refuses
// and which a terminal takes as commands.

#include <string>
#include <string_view>

namespace vorn {

// The text as valid UTF-8: each byte that does not belong to a well-formed sequence (a stray
// continuation byte, a cut sequence, an overlong form, a surrogate, beyond U+10FFFF) becomes
// U+FFFD. Valid text comes back unchanged.
std::string ValidUtf8(std::string_view text);

// The text on one line, safe to print: newline, carriage return and tab as \n, \r and \t; the
// other control characters (C0, DEL and C1) and every byte of an invalid sequence as \xNN,
// byte by byte. The result is valid UTF-8; printable text comes back unchanged.
std::string PrintableText(std::string_view text);

// A piece of text from outside short enough to quote in a message: the first `limit`
// characters (whole UTF-8 sequences), then "…" when there was more. A pasted page or a
// generated argument then names itself without filling the screen.
inline constexpr std::size_t QuoteLimit = 40;
std::string ShortQuote(std::string_view text, std::size_t limit = QuoteLimit);

} // namespace vorn
