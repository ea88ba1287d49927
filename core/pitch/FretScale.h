// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Frets set by a scale instead of a meantone: a historical rule (Dowland, Galilei) or a Scala
// file. A scale holds its pitches in cents above the open string; the frets follow from them
// as fractions of the string (0 at the nut, 0.5 at the octave), so one scale serves any
// string length.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "pitch/FretDistribution.h"
#include "pitch/FretRecord.h"
#include "pitch/NoteValue.h"

namespace vorn {

constexpr int ScaleFretCount = 14;

// One fret of a scale. Position: fraction of the string from the nut (0..1), the only one of
// the fret, or its Mi (the sharp) where Fa is set. Fa: the flat of the same semitone, only
// where a 17-note scale holds both notes (frets 1, 3, 6, 8, 10 and 13).
struct ScaleFret {
    double Position = 0;
    std::optional<double> Fa;

    bool operator==(const ScaleFret&) const = default;
};

struct FretScale {
    std::string Name;   // one line: the rule's name or the file's description
    std::string Source; // where the pitches come from: the rule's book, or the file's name
    // What the source leaves open and how the frets fill it (Dowland's eleventh fret); may be
    // empty. Meant for the help and the output, as one line.
    std::string Remark;
    int Notes = 12; // 12, or 17 with the sharp and the flat of each chromatic step
    // Cents above the open string, one per note, rising, the octave (1200) last. Seventeen
    // notes are C#, Db, D, D#, Eb, E, F, F#, Gb, G, G#, Ab, A, A#, Bb, B and the octave, each
    // pair in whichever order its tuning puts it (see ScaleFretOf).
    std::vector<double> Cents;

    bool operator==(const FretScale&) const = default;
};

// Whether the scale has 12 or 17 notes that rise from above 0 to exactly 1200 cents.
bool IsUsableScale(const FretScale& scale);

// Fret 1..14 of a usable scale (anything else gives a zero fret). Fret 12 is the octave, 13
// and 14 are frets 1 and 2 on the half string (0.5 + 0.5 * f). In a 17-note pair the Mi is
// the lower note when the scale's fifth (its tenth note) is narrower than 700 cents, as in
// meantone, and the upper one otherwise, as in Pythagorean tuning: the sharp lies above the
// flat once the fifths are wider than equal.
ScaleFret ScaleFretOf(const FretScale& scale, int fret);
std::array<ScaleFret, ScaleFretCount> ScaleFrets(const FretScale& scale);

// Fraction of the string from the nut of a fret raising the string by cents (>= 0), and back.
double FractionOfCents(double cents);
double CentsOfFraction(double fraction);

// The historical rules. Both give twelve notes.
enum FretRule : int {
    fr_dowland, // John Dowland, Varietie of Lute Lessons (1610)
    fr_galilei, // Vincenzo Galilei's 18:17 rule
};
inline constexpr int FretRuleCount = 2;
// The name vorn-calc takes ("dowland", "galilei"); empty for anything else.
std::string FretRuleKey(FretRule rule);
// The rule of a key, in any case; nothing for an unknown one.
std::optional<FretRule> FretRuleOfKey(const std::string& key);
FretScale RuleScale(FretRule rule);

// A scale says nothing of where the open string sounds against A: it takes its equal-tempered
// pitch, noteNumber 69 sounding at pitchA (Hz). The result is in Hz.
double ScaleOpenFrequency(int noteNumber, double pitchA);

// The fourteen rows the fret chart and the calculator show for a usable scale: distances in
// the unit of length (cm), frequencies from openFrequency (Hz). Notes and interval names
// follow the meantone fret table; choices (frets 1..11, 13 following 1) pick the main side
// where the scale holds a Mi and a Fa, and spell the one note of the other chromatic frets.
// A fret of one position has choice fc_fixed and no alternative. Fifth is 0: a scale has none.
FretDistribution ScaleFretDistribution(const FretScale& scale, NoteValue openNote, double length,
                                       double openFrequency,
                                       const FretChoices& choices = DefaultMiFa);

} // namespace vorn
