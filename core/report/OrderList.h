// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What to buy to string a document: one line per string of the chart, grouped by maker or
// material and sorted by gauge within each, as text or CSV.
//
// A string whose alternative is a maker's catalogue is bought from that maker (the catalogue
// string its cell shows); any other in the reference material, gut, at its gut diameter, or,
// with ByAlternative, in its alternative material at the alternative diameter.

#include <string>
#include <vector>

#include "chart/StrFrame.h"
#include "strings/StringWarnings.h"

namespace vorn {

struct OrderOptions {
    // Buy a string whose alternative is a material (nylon, carbon...) in that material
    // instead of gut.
    bool ByAlternative = false;
};

struct OrderLine {
    std::string Supplier; // the maker or material: "Gut", "Savarez", "Nylon"
    bool Catalogue = false;
    std::string Gauge;    // a material's diameter in mm ("0.44"), or the catalogue string
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

// Under the title, per supplier a heading then its lines: gauge, count, course, then the
// string's marks; the marks' legend at the end when any occurs. CR LF ends.
std::string OrderListText(const std::string& title, const std::vector<OrderLine>& lines);
// Header "supplier,gauge,unit,count,course,string,note": unit "mm" for a material, empty for
// a catalogue string; string "first" or "octave". LF line ends.
std::string OrderListCsv(const std::vector<OrderLine>& lines);

} // namespace vorn
