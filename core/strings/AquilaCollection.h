// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Aquila's wound strings, chosen by gut-equivalent diameter: "D" and "D, DE" strings.

#include <cstdint>
#include <string>

#include "strings/CatalogueCollection.h"

namespace vorn {

struct TAquilaItem {
    int32_t Value = 0; // gut-equivalent diameter, 0.01 mm
    int32_t DE = 0;    // 0 or 1
    bool operator==(const TAquilaItem&) const = default;
};

class TAquilaCollection : public TCatalogueCollection<TAquilaItem> {
public:
    TAquilaCollection() { Restore(); }
    void Restore();
    std::string Label(uint8_t& index, double f, float L, float T) const;
    std::string EntryLabel(int index) const;
};

} // namespace vorn
