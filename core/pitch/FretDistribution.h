// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The fourteen rows of the fret distribution for one open string: what the fret view shows
// and the calculator prints.

#include <array>
#include <optional>
#include <string>

#include "pitch/FretRecord.h"
#include "pitch/Intervals.h"

namespace vorn {

struct FretPositionInfo {
    int IntervalType = 0;
    std::string IntervalName;
    double Cents = 0;     // above the open string
    double Distance = 0;  // from the nut, in the record's length unit, unrounded
    NoteValue Note;       // FretPositionNote
    std::string Name;     // LetterNoteName in key 7, long form
    double Frequency = 0; // Hz
};

struct FretRow {
    int Fret = 0;
    uint8_t Choice = 0;
    FretPositionInfo Main;
    std::optional<FretPositionInfo> Alt; // absent exactly for a fixed fret
};

struct FretDistribution {
    double Fifth = 0;         // cents
    NoteValue OpenNote;       // spelled in key 7 unless its spelling was fixed, then fixed
    std::string OpenName;     // long form, key 7
    double OpenFrequency = 0; // Hz
    std::array<FretRow, 14> Rows;
};

// The note a fret's main or alternative position stands for, spelled by its interval above
// `open` (NoteAbove). Fret 14 has the tenth on both sides; its alternative is named like fret
// 2's alternative an octave up, as fret 13 follows fret 1.
NoteValue FretPositionNote(const NoteValue& open, const FretEntry& entry, bool alternative);

// openNote: the top string's note; length in cm (or pixels); commaFraction and pitchA as
// for FrequencyRecord::Compute; choices for frets 1..11.
FretDistribution ComputeFretDistribution(NoteValue openNote, double length, double commaFraction,
                                         double pitchA, const FretChoices& choices);

} // namespace vorn
