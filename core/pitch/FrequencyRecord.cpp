// SPDX-License-Identifier: GPL-3.0-or-later

#include "pitch/FrequencyRecord.h"

#include <cmath>

#include "pitch/Intervals.h"

namespace vorn {

namespace {

// Interval types giving the scale positions 1..16 above C.
constexpr int ScaleIntervals[FrequencyRecord::ScaleSize - 1] = {0,  1,  2,  4,  5,  6,  9,  10,
                                                                11, 12, 14, 15, 16, 18, 19, 20};

// Scale position of each pitch class for the plain, sharp and flat spellings.
constexpr int PlainRow[12] = {0, 1, 3, 5, 6, 7, 8, 10, 11, 13, 15, 16};
constexpr int SharpRow[12] = {0, 1, 3, 4, 6, 7, 8, 10, 11, 13, 14, 16};
constexpr int FlatRow[12] = {0, 2, 3, 5, 6, 7, 9, 10, 12, 13, 15, 16};

} // namespace

FrequencyRecord::FrequencyRecord() {
    Compute(1.0 / 6.05, 440.0);
}

void FrequencyRecord::Compute(double commaFraction, double pitchA) {
    const double fifth = TemperedFifth(commaFraction);
    Cents[0] = 0.0;
    for (int i = 1; i < ScaleSize; ++i)
        Cents[i] = IntervalCents(ScaleIntervals[i - 1], fifth);

    // The A of octave 0; a non-finite pitch would never come down, so it is left alone.
    double a = pitchA;
    while (std::isfinite(a) && a > 16.0)
        a /= 2.0;

    Base[0] = RaiseByCents(a, Cents[5]);
    for (int i = 1; i < ScaleSize; ++i)
        Base[i] = RaiseByCents(Base[0], Cents[i]);
}

double FrequencyRecord::NoteFrequency(const NoteValue& note) const {
    const int pc = PitchClass(note);
    int pos;
    switch (note.Accidental) {
    case acc_sharp:
        pos = SharpRow[pc];
        break;
    case acc_flat:
        pos = FlatRow[pc];
        break;
    default:
        pos = PlainRow[pc];
        break;
    }
    // B-sharp and E-sharp fall on C and F, F-flat and C-flat on E and B through the rows;
    // double signs, which only a key's spelling or a file gives, sound as the plain note, so
    // that a document reads back with the tensions it was saved with.
    return std::ldexp(Base[pos], OctaveOf(note));
}

} // namespace vorn
