// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Pyramid's wound strings, chosen by mass figure and named by catalogue number.

#include <cstdint>
#include <string>

#include "strings/CatalogueCollection.h"

namespace vorn {

struct TPyramidItem {
    int32_t Code = 0; // catalogue number
    int32_t Bound = 0;
    int32_t Value = 0;
    bool operator==(const TPyramidItem&) const = default;
};

class TPyramidCollection : public TCatalogueCollection<TPyramidItem> {
public:
    TPyramidCollection() { Restore(); }
    void Restore();
    std::string Label(uint8_t& index, double f, float L, float T) const;
    std::string EntryLabel(int index) const;
};

} // namespace vorn
