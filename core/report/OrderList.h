// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What to buy to string a document: one line per string of the chart, grouped by maker or
// material and sorted by gauge within each, as text or CSV.
//
// Every string in the reference material, gut, at its gut diameter; or, with ByAlternative,
// each string as its alternative names it: a material at the alternative diameter, or the
// maker's catalogue string its cell shows.

#include <string>
#include <vector>

#include "chart/StrFrame.h"
#include "strings/StringWarnings.h"

namespace vorn {

struct OrderOptions {
    // Buy each string as its alternative instead of gut.
    bool ByAlternative = false;
};

// The line under the title that says which choice a list holds.
std::string OrderBasisText(const OrderOptions& options);

struct OrderLine {
    std::string Supplier; // the maker or material: "Gut", "Savarez", "Nylon"
    bool Catalogue = false;
    // A material's diameter in mm ("0.44"), or the catalogue string as a maker names it
    // ("NF BP 212": no tension, single blanks).
    std::string Gauge;
    double SortGauge = 0; // mm, or the catalogue's row (its rows run from thin to thick)
    int Count = 1;        // two for a unison course
    int Course = 1;       // 1-based
    bool Octave = false;  // the octave string of a bass course
    std::string Note;     // in C major, short form
    StringMarks Marks;    // what the string warns of, as the report marks it
};

// The lines sorted by supplier (gut first, then by name), gauge, course, then the course's
// first string before its octave string.
std::vector<OrderLine> BuildOrderList(const TStrFrame& chart, const OrderOptions& options);

// Under the title and the basis line (OrderBasisText), per supplier a heading then its lines:
// gauge, count, course, then the string's marks; the marks' legend at the end when any
// occurs. CR LF ends.
std::string OrderListText(const std::string& title, const OrderOptions& options,
                          const std::vector<OrderLine>& lines);
// Header "supplier,gauge,unit,count,course,string,note": unit "mm" for a material, empty for
// a catalogue string; string "first" or "octave". LF line ends.
std::string OrderListCsv(const std::vector<OrderLine>& lines);

} // namespace vorn
