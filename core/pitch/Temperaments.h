// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The temperament list: nine named meantones, each a fraction of the syntonic comma by which
// the fifth is narrowed, and a tenth for a fraction of the user's own.

#include <cstdint>
#include <string>

namespace vorn {

constexpr int NamedTemperamentCount = 9;
constexpr uint8_t CustomTemperament = 9;
// Comma fractions the program works with: the fret chart's slider range, which holds every
// named temperament's fraction too.
inline constexpr double MinCommaFraction = 0;
inline constexpr double MaxCommaFraction = 0.34;

// Nine names of identifiers 0..8, then a tenth item of one blank; CR LF between items.
std::string TemperamentList();
// Names 0..8 from the table; 9: the fraction as a whole percentage right-aligned in 7
// characters followed by "% Comma Meantone"; any other identifier: empty.
std::string TemperamentName(int identifier, double fraction);
// TemperamentName without the custom name's leading blanks, as lists and reports show it.
std::string TemperamentShortName(int identifier, double fraction);
// Comma fraction of identifiers 0..8; 0 for anything else.
double TemperamentFraction(int identifier);
// Slider position 0..68 of identifiers 0..8; -1 for anything else.
int TemperamentSliderPosition(int identifier);

} // namespace vorn
