// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a string warns of, for every output that cannot colour a cell: a mark per cause
// (a material's limit, closeness to breaking), the legend of the marks, and the texts that
// say why a cell is red or amber.

#include <cstdint>
#include <string>
#include <vector>

#include "strings/StringRecord.h"

namespace vorn {

// How close to breaking, by the string's smallest margin (semitones).
enum BreakMark : uint8_t {
    bm_none = 0,
    bm_near = 1,   // under NearBreakMargin: "^"
    bm_close = 2,  // under CloseBreakMargin: "^^"
    bm_beyond = 3, // at or beyond breaking: "^^^"
};

struct StringMarks {
    bool Limit = false; // a tension or diameter beyond its material's limits: "!"
    BreakMark Breaking = bm_none;
    bool Any() const { return Limit || Breaking != bm_none; }
    // "!", "^", "!^^"...; empty for a string that warns of nothing. Plain ASCII.
    std::string Text() const;
};

// The marks of a string from its three limit states and its smallest margin to breaking in
// semitones (NaN when no material of it has a breaking index).
StringMarks MarksFor(LimitState tension, LimitState gutDiameter, LimitState altDiameter,
                     double margin);
// The same from a row: the smaller of its gut and plain-alternative margins.
StringMarks MarksOf(const StringRecord& row, const TStringMaterialCollection& materials);

// One line per kind of mark that occurs among marks, in the order "!", "^", "^^", "^^^":
// the mark, blanks to a common width, what it means. Empty when none occurs.
std::vector<std::string> MarkLegend(const std::vector<StringMarks>& marks);

// "0.97 semitones below breaking (Gut, 260 Hz·m)", "0.5 semitones above breaking (...)",
// "at breaking (...)": a margin in semitones as the chart rounds it, and the index in Hz·m of
// the named material. '.' decimals.
std::string BreakingText(double margin, const std::string& material, double index);

// Why a cell is red or amber, one line per cause, '.' decimals; empty when the cell warns of
// nothing. A tension in the settings' display unit, diameters in mm:
// "Gut: 4.08 kg. is over its maximum of 3.9 kg.",
// "Carbon PVF: 0.926 mm is over its maximum of 0.9 mm",
// "0.97 semitones below breaking (Gut, 260 Hz·m)".
std::string TensionWarning(const StringRecord& row, const StringSettings& settings);
std::string GutDiameterWarning(const StringRecord& row, const StringSettings& settings);
std::string AltDiameterWarning(const StringRecord& row, const StringSettings& settings);

// The string's margin to breaking as the tension profile's hint gives it: the smaller of its
// gut and plain-alternative margins with that material, or "no breaking index" when neither
// has one.
std::string StringBreakingText(const StringRecord& row, const TStringMaterialCollection& materials);

} // namespace vorn
