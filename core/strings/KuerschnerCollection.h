// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Kuerschner's wound strings, chosen by gut-equivalent diameter: series VN 5, 6 and 3 by length.

#include <cstdint>
#include <string>

#include "strings/CatalogueCollection.h"

namespace vorn {

struct TKuerschnerItem {
    int32_t Value = 0; // gut-equivalent diameter, 0.01 mm
    bool operator==(const TKuerschnerItem&) const = default;
};

class TKuerschnerCollection : public TCatalogueCollection<TKuerschnerItem> {
public:
    TKuerschnerCollection() { Restore(); }
    void Restore();
    std::string Label(uint8_t& index, double f, float L, float T) const;
    std::string EntryLabel(int index) const;
};

} // namespace vorn
