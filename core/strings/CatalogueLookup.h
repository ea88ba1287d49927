// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the four catalogue lookups share: settling the row to show, the two figures a string
// is matched by (mass figure, gut equivalent) and the pieces of a label.
//
// f in Hz, L in cm, T in N throughout.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "io/NumberText.h"
#include "strings/CatalogueCollection.h"

namespace vorn {

// The label of row 0 and of a string thinner than anything listed.
inline constexpr const char* CatalogueSentinel = " * ";

// " (35.21 kg.)": a row's tension, two decimals in a field of five, in the display unit.
std::string TensionPart(long double newtons, VornTensType unit);

// Settles the row to show: index 0 searches from the start for the first row that fits,
// 255 (a step down from 0) means row 0, and anything above the last addressable row is
// clamped. Returns -1 for an empty catalogue.
template <class Fits> int ResolveIndex(uint8_t& index, int count, Fits fits) {
    const int last = std::min(count, AddressableRows) - 1;
    if (last < 0) {
        index = 0;
        return -1;
    }
    int row = index;
    if (row == 0) {
        // Nothing fits: the heaviest row.
        row = last;
        for (int r = 0; r <= last; ++r) {
            if (fits(r)) {
                row = r;
                break;
            }
        }
    } else if (row == 255) {
        row = 0;
    } else if (row > last) {
        row = last;
    }
    index = static_cast<uint8_t>(row);
    return row;
}

// Savarez and Pyramid: the mass figure z of a string, every step held as a 32-bit float,
// which decides the cases that fall right on a bound.
struct MassFigure {
    float y = 0;              // converts a row value back to a tension
    long double zRounded = 0; // compared with the bounds
};
// False when the figure is beyond comparison with a row's bound.
bool ComputeMassFigure(double f, float L, float T, MassFigure& out);
// The tension in N of a row value at the string's figure.
long double MassRowTension(int32_t value, float y, float L);

// The mass-figure lookup: finds the row and its tension part, or gives the whole label when
// there is nothing more to say (impossible figure, sentinel).
template <class Item>
std::optional<std::string> MassLookup(const std::vector<Item>& items, VornTensType unit,
                                      uint8_t& index, double f, float L, float T, int& row,
                                      std::string& tension) {
    MassFigure m;
    if (!ComputeMassFigure(f, L, T, m))
        return std::string();
    row = ResolveIndex(index, static_cast<int>(items.size()),
                       [&](int r) { return items[r].Bound >= m.zRounded; });
    if (row < 0)
        return std::string(CatalogueSentinel);
    tension = TensionPart(MassRowTension(items[row].Value, m.y, L), unit);
    if (tension.starts_with(" ( 0.00 "))
        return std::string(CatalogueSentinel);
    return std::nullopt;
}

// Kuerschner and Aquila: the string's gut-equivalent diameter in 0.01 mm.
long double GutFigure(double f, float L, float T);

// The gut-equivalent lookup: the first row whose value reaches the string's, -1 for an empty
// catalogue.
template <class Item>
int GutLookup(const std::vector<Item>& items, uint8_t& index, double f, float L, float T) {
    const long double d = GutFigure(f, L, T);
    return ResolveIndex(index, static_cast<int>(items.size()),
                        [&](int r) { return items[r].Value >= d; });
}

// What to ask a maker for: the label without its tension part and with single blanks
// ("NF BP  212 ( 3.00 kg.)" gives "NF BP 212").
std::string CatalogueStringName(const std::string& label);

// prefix, the row value in three zero-filled digits, then the row's tension part:
// "VN 5078 (12.30 kg.)".
std::string GutLabel(const std::string& prefix, int32_t value, double f, float L,
                     VornTensType unit);

} // namespace vorn
