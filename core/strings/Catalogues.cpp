// SPDX-License-Identifier: GPL-3.0-or-later

#include "strings/Catalogues.h"

#include <algorithm>

namespace vorn {

void TCatalogues::SetCatalogueUnit(VornTensType unit) {
    Savarez.Unit = unit;
    Pyramid.Unit = unit;
    Kuerschner.Unit = unit;
    Aquila.Unit = unit;
}

std::string TCatalogues::CatalogueLabel(int kind, uint8_t& index, double f, float L,
                                        float T) const {
    switch (kind) {
    case 4:
        return Savarez.Label(index, f, L, T);
    case 5:
        return Pyramid.Label(index, f, L, T);
    case 6:
        return Kuerschner.Label(index, f, L, T);
    case 7:
        return Aquila.Label(index, f, L, T);
    default:
        return {};
    }
}

std::string TCatalogues::EntryLabel(int kind, int index) const {
    switch (kind) {
    case 4:
        return Savarez.EntryLabel(index);
    case 5:
        return Pyramid.EntryLabel(index);
    case 6:
        return Kuerschner.EntryLabel(index);
    case 7:
        return Aquila.EntryLabel(index);
    default:
        return {};
    }
}

int TCatalogues::Count(int kind) const {
    switch (kind) {
    case 4:
        return Savarez.Count();
    case 5:
        return Pyramid.Count();
    case 6:
        return Kuerschner.Count();
    case 7:
        return Aquila.Count();
    default:
        return 0;
    }
}

uint8_t CatalogueStepIndex(uint8_t index, int step) {
    // Index 0 would ask Label for a new search; 255 shows row 0 itself.
    const int next = index + step;
    if (next <= 0)
        return 255;
    return static_cast<uint8_t>(std::min(next, 254));
}

int CatalogueKindOfName(const std::string& name) {
    if (name == "Savarez")
        return 4;
    if (name == "Pyramid")
        return 5;
    if (name == "Kuerschner")
        return 6;
    if (name == "Aquila")
        return 7;
    return -1;
}

std::string CatalogueName(int kind) {
    switch (kind) {
    case 4:
        return "Savarez";
    case 5:
        return "Pyramid";
    case 6:
        return "Kuerschner";
    case 7:
        return "Aquila";
    default:
        return {};
    }
}

} // namespace vorn
