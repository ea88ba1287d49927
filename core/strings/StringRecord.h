// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One string of a course row as plain data, and the recalculation step that a change of one
// of its values runs.

#include <cstdint>
#include <optional>
#include <string>

#include "io/EntryRange.h"
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
// What an unreadable or unwritable alternative diameter becomes (mm).
inline constexpr float FallbackAltDiameter = 0.01f;
// Spin steps of the row's cells: tension in the display unit, diameters in mm.
inline constexpr double TensionStep = 0.1;
inline constexpr double DiameterStep = 0.01;
// MaxRowTensionN in a display unit.
double MaxRowTension(VornTensType unit);

// What the options hold of tensions and diameters: a course type's default tension and a
// material's limits, which rows are checked against, so never more than a row can take.
inline constexpr EntryRange SettingTensionRange{0, MaxRowTensionN, 0};   // N
inline constexpr EntryRange MaterialDiameterRange{0, MaxRowDiameter, 0}; // mm
// A range of newtons in a display unit, as a tension box of that unit shows it.
EntryRange TensionRangeIn(const EntryRange& newtons, VornTensType unit);

struct StringRecord {
    NoteValue Note;
    double Frequency = 0; // Hz, the note under the document's pitch table
    float Length = 0;     // cm, as shown
    // N, as typed or computed. The display unit only changes what the cell shows (see
    // ShownTension), so a unit switch there and back gives every figure back.
    float TensionN = 0;
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

// How close a string is to breaking: its f·L and its margins in semitones below the breaking
// index of gut and of its alternative (see BreakMargin).
struct BreakFigures {
    double FL = 0;                   // Hz·m
    double GutMargin = 0;            // semitones; NaN when gut has no index
    std::optional<double> AltMargin; // none for a catalogue choice or a material without index
};
BreakFigures BreakingOf(const StringRecord& row, const TStringMaterialCollection& materials);
// The figures as the chart and vorn-calc give them: f·L to 0.1 Hz·m, margins to 0.01 semitone.
double ShownFrequencyLength(double fL);
double ShownBreakMargin(double margin);

// The tension cell's figure: newtons in unit, rounded at power of ten digits (-2: two decimals).
float ShownTension(float newtons, VornTensType unit, int digits);
// A tension the program sets itself (solved, or a default) in N, held on one grid whatever the
// display unit: a multiple of 10^digits kilogram-force (-2: 0.01 kgf, 0.098 N), the program's
// default unit. A document's figures then agree in every unit, and a tension solved again from
// its rounded diameter (as opening a file does) most often lands on the same step, so saving
// and opening keep the figures. Typed tensions are held as typed.
float SettledTension(long double newtons, int digits);
// A tension typed in unit, brought into the entry range (MinRowTension .. MaxRowTension(unit);
// empty or unreadable gives the minimum), in N.
float TypedTensionNewtons(std::optional<double> typed, VornTensType unit);

// Solves one quantity by mode (length, tension or gut diameter) from the others, then the
// alternative diameter or catalogue label, and refreshes the limit states. A solved tension is
// held as SettledTension, the same in every display unit.
// fromAlternative: the alternative diameter is the given value (material choices only).
void Recalculate(StringRecord& row, RecalcMode mode, bool fromAlternative,
                 const StringSettings& settings);

// Limit states of the three cells from the values as they stand.
void RefreshLimits(StringRecord& row, const StringSettings& settings);

} // namespace vorn
