// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The four string makers' catalogues of overwound strings together, addressed by material
// kind, and the names and index steps that go with them.

#include <cstdint>
#include <string>

#include "strings/AquilaCollection.h"
#include "strings/KuerschnerCollection.h"
#include "strings/PyramidCollection.h"
#include "strings/SavarezCollection.h"

namespace vorn {

// The four catalogues together, addressed by material kind 4..7.
struct TCatalogues {
    TSavarezCollection Savarez;
    TPyramidCollection Pyramid;
    TKuerschnerCollection Kuerschner;
    TAquilaCollection Aquila;

    void SetCatalogueUnit(VornTensType unit);
    // kind 4 Savarez, 5 Pyramid, 6 Kuerschner, 7 Aquila; other kinds give an empty label.
    std::string CatalogueLabel(int kind, uint8_t& index, double f, float L, float T) const;
    std::string EntryLabel(int kind, int index) const;
    int Count(int kind) const;
};

// The index to pass to Label for a spin step (+1 or -1) from the row shown at `index`.
// index - 1 alone would reach 0, which Label takes as "search again" and so jumps back to the
// best fit; stepping down to row 0 yields 255 instead, which Label shows as row 0.
uint8_t CatalogueStepIndex(uint8_t index, int step);

// Maker name ("Savarez", "Pyramid", "Kuerschner", "Aquila") to kind 4..7; -1 otherwise.
int CatalogueKindOfName(const std::string& name);
std::string CatalogueName(int kind);

} // namespace vorn
