#pragma once
// One string of a course row as plain data, and the recalculation step that a change of one
// of its values runs.

#include <cstdint>
#include <optional>
#include <string>

#include "pitch/NoteValue.h"
#include "strings/StringSettings.h"

namespace vorn {

// What a row's entries take. The string chart brings a typed value into these ranges, so that
// no entry can carry a row past what a float holds.
inline constexpr double MinStringLength = 1;      // cm
inline constexpr double MaxStringLength = 1000;   // cm
inline constexpr double MinRowTension = 0.1;      // display unit
inline constexpr double MaxRowTensionN = 10000;   // N (about 1020 kg, 2250 lb)
inline constexpr double MinRowDiameter = 0.1;     // mm, gut
inline constexpr double MaxRowDiameter = 100;     // mm, gut or alternative
inline constexpr double MaxRowFrequency = 100000; // Hz: note 127 at the highest A-pitch is below
// MaxRowTensionN in a display unit.
double MaxRowTension(VornTensType unit);

struct StringRecord {
    NoteValue Note;
    double Frequency = 0; // Hz, the note under the document's pitch table
    float Length = 0;     // cm, as shown
    float Tension = 0;    // in TensionUnit, as shown
    VornTensType TensionUnit = tt_kilograms;
    float GutDiameter = 0;           // mm, as shown
    std::string AltChoice = "Nylon"; // a name of the alternative choices
    // Material choice: the alternative diameter in mm; empty when the field's text is not a
    // number. Unused for a catalogue choice.
    std::optional<float> AltDiameter = 0.0f;
    std::string AltLabel; // catalogue choice: the label shown
    uint8_t CatalogueIndex = 0;
    bool UpdatesEnabled = true;

    LimitState TensionLimit = ls_ok; // worst of the reference and alternative checks
    LimitState GutDiameterLimit = ls_ok;
    LimitState AltDiameterLimit = ls_ok; // always ok for a catalogue choice

    bool IsCatalogue(const TStringMaterialCollection& materials) const {
        return materials.IsCatalogueName(AltChoice);
    }
    // The alternative cell's text: the diameter or the catalogue label.
    std::string AltText(const TStringMaterialCollection& materials) const;
};

// Solves one quantity by mode (length, tension or gut diameter) from the others, then the
// alternative diameter or catalogue label, and refreshes the limit states.
// fromAlternative: the alternative diameter is the given value (material choices only).
void Recalculate(StringRecord& row, RecalcMode mode, bool fromAlternative,
                 const StringSettings& settings);

// Limit states of the three cells from the values as they stand.
void RefreshLimits(StringRecord& row, const StringSettings& settings);

} // namespace vorn
