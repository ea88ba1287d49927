// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Savarez's wound strings, chosen by mass figure: "NP", "NF" and "BP" series.

#include <cstdint>
#include <string>

#include "strings/CatalogueCollection.h"

namespace vorn {

struct TSavarezItem {
    uint8_t Flags = 0; // 1 "NP", 2 "NF", 4 "BP"
    int32_t Bound = 0;
    int32_t Value = 0;
    bool operator==(const TSavarezItem&) const = default;
};

class TSavarezCollection : public TCatalogueCollection<TSavarezItem> {
public:
    TSavarezCollection() { Restore(); }
    void Restore();
    std::string Label(uint8_t& index, double f, float L, float T) const;
    std::string EntryLabel(int index) const;
};

} // namespace vorn
