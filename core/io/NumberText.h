// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Numbers as text for files, reports and vorn-calc: '.' as the decimal point whatever locale
// the C library was given (a Qt application takes it from the environment, and printf then
// writes "76,04900" on a German desktop). Each function writes what the printf format named
// beside it writes in the "C" locale, digit for digit; none depends on any locale.
//
// Values are plain numbers in the caller's unit (cm, mm, Hz, cents, N...). Infinities and NaN
// come out as "inf", "-inf" and "nan", as printf writes them.

#include <cstddef>
#include <string>

namespace vorn {

// Exactly `decimals` digits after the point, 0 to 60 (0: no point), rounded from the exact
// binary value, ties to even: "%.*f". A negative zero keeps its sign ("-0.00").
std::string FixedText(double value, int decimals);
std::string FixedText(long double value, int decimals);
// The same with blanks in front up to `width` characters: "%*.*f" ("%7.2f": width 7).
std::string FixedText(double value, int decimals, int width);
std::string FixedText(long double value, int decimals, int width);

// At most `digits` significant digits, 1 to 60, without trailing zeros or a trailing point;
// an exponent only at 10^digits and above or below 10^-4: "%.*g".
std::string GeneralText(double value, int digits);
std::string GeneralText(long double value, int digits);

// The shortest text that reads back as the same 32-bit value, never with an exponent
// ("35.21", "1", "0.001", "1000000").
std::string FormatShortest(float value);

// A whole number with blanks in front up to `width` characters ("%4d"), or zeros after the
// sign with `zeros` ("%03d").
std::string WholeText(long long value, int width = 0, bool zeros = false);

// x rounded to a multiple of 10^k, ties to even on the exact value, whatever rounding mode the
// caller set; k in -20..20, anything else throws std::out_of_range.
long double RoundToDigits(long double x, int k);
// The same, but the value as it stands when it is not finite or `digits` is outside -20..20
// (a decimals setting read from an old file may be anything).
long double RoundedOrKept(long double value, int digits);
// RoundedOrKept, then the shortest form with at most 15 significant digits and `decimalPoint`
// for the point: 62.50 at -2 gives "62.5", 63.00 "63"; a rounded negative zero gives "0".
std::string RoundedText(long double value, int digits, char decimalPoint = '.');

// Each '.' between two ASCII digits replaced by `point` (UTF-8, any length); any other '.'
// (the end of "Hz." or "kg.", a lone ".5") stays.
std::string LocalDecimals(const std::string& text, const std::string& point);

// Reads a number written with '.' as the decimal point, an optional sign and no exponent;
// false, leaving value alone, for empty or malformed text and for infinities and NaN.
bool ParseNumber(const std::string& text, double& value);

} // namespace vorn
