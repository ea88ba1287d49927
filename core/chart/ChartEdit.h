// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the user last changed on a string chart: the cell a row edit went through, or the name
// of a whole-instrument change. The saved bytes alone cannot tell a typed tension from a typed
// gut diameter (the file keeps only the diameter), so whoever names a step reads this too.

#include <cstdint>
#include <string>

namespace vorn {

enum EditedCell : uint8_t {
    ec_none = 0,
    ec_type,         // "Type"
    ec_note,         // "Tuning - Frequency"
    ec_length,       // "Length"
    ec_tension,      // "Tension"
    ec_gut,          // "Gut Diam."
    ec_alt_choice,   // "Alt. Material"
    ec_alt_diameter, // "Alt. Diameter"
};

struct ChartEdit {
    EditedCell Cell = ec_none;
    int Course = 0;    // 1-based, with Cell
    std::string Label; // set before a whole-instrument change: "Global Tension"; wins over Cell

    bool Empty() const { return Cell == ec_none && Label.empty(); }
};

} // namespace vorn
