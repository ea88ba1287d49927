// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The fret table: fourteen frets with their Mi (sharp-side) and Fa (flat-side) positions,
// intervals and distances from the nut.

#include <array>
#include <cstdint>
#include <string>

#include "pitch/NoteValue.h"

namespace vorn {

enum FretChoice : uint8_t {
    fc_mi = 0,    // sharp side
    fc_fa = 1,    // flat side
    fc_fixed = 2, // a single position
};

// Choices for frets 1..11 (index 0 is fret 1).
using FretChoices = std::array<uint8_t, 11>;
// Fa, Mi, Fa, Mi, Fa, Mi, fixed, Fa, Mi, Fa, Mi.
extern const FretChoices DefaultMiFa;

struct Rgb {
    uint8_t red, green, blue;
};

// "Mi", "Fa", or empty for fixed (and anything else).
std::string FretChoiceText(uint8_t choice);
// Mi sky blue, Fa pink, fixed cream.
Rgb FretChoiceColour(uint8_t choice);

struct FretEntry {
    int32_t Fret = 0;   // 1..14
    double Length = 0;  // copy of the record's length (cm, or pixels in a graphic)
    uint8_t TypeA = 0;  // interval type of the Mi position
    uint8_t TypeB = 0;  // interval type of the Fa position
    uint8_t Choice = 0; // FretChoice
    NoteValue Note;     // open note + Fret, SpellingFixed 1, Accidental untouched
};

class FretRecord {
public:
    std::array<FretEntry, 14> Entries{};
    double Length = 0; // distance unit of the caller (cm or pixels)
    NoteValue OpenNote{60, 0, 0};
    FretChoices Choices = DefaultMiFa;

    // Fills Entries from Length, OpenNote and Choices.
    void Prepare();
    // Copy of fret 1..14; frets outside that range are clamped.
    FretEntry Entry(int fret) const;
};

// TypeB when the choice is not Mi, else TypeA.
int MainType(const FretEntry& entry);
int AltType(const FretEntry& entry);
// Cents of the main or alternative position of fret 1..14 under the fifth F (cents).
double MainCents(const FretRecord& record, double fifth, int fret);
double AltCents(const FretRecord& record, double fifth, int fret);

// Distance from the nut, in the unit of length, of a fret raising the string by cents. The
// printed report rounds its figures from the extended-precision distance, which can differ
// from the double one in the last place and so flip a rounding tie.
double FretDistance(double length, double cents);
long double FretDistance(long double length, long double cents);
// FormatFixed of the distance of side 0 (TypeA) or 1 (TypeB).
std::string DistanceText(const FretEntry& entry, double fifth, int side);
// Two decimals right-aligned in 7 characters: " 440.00", "   3.92", "1082.89".
std::string FormatFixed(double value);

} // namespace vorn
