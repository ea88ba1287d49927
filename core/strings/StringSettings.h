// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The settings the string calculations read: display unit, recalculation modes, decimals,
// materials and catalogues. Passed explicitly to whatever needs them.

#include <cstdint>

#include "strings/Catalogues.h"
#include "strings/StringMaterialCollection.h"
#include "strings/StringPhysics.h"

namespace vorn {

// Diameters are fractions of a millimetre: a precision coarser than two decimals would round a
// string to nothing. Options offers two to four decimals; a settings file holding a coarser
// one is read as two.
constexpr int32_t CoarsestDiameterDigits = -2;

struct StringSettings {
    VornTensType TensionUnit = tt_kilograms;
    uint8_t LengthChangeMode = rm_diameter;
    uint8_t NoteChangeMode = rm_diameter;
    uint8_t TensionChangeMode = rm_diameter;
    uint8_t DiameterChangeMode = rm_tension;
    int32_t LengthDigits = -2; // power of ten: -2 two decimals, -3, -4
    int32_t AltDiameterDigits = -3;
    int32_t TensionDigits = -2; // in the display unit
    int32_t GutDiameterDigits = -3;
    TStringMaterialCollection Materials = TStringMaterialCollection::Defaults();
    TCatalogues Catalogues; // built-in rows

    // The unit is also handed to the catalogues, which label tensions in it.
    void SetTensionUnit(VornTensType unit) {
        TensionUnit = unit;
        Catalogues.SetCatalogueUnit(unit);
    }
};

} // namespace vorn
