// SPDX-License-Identifier: GPL-3.0-or-later

#include "pitch/Intervals.h"

#include <array>
#include <cmath>

#include "pitch/Keys.h"

namespace vorn {

namespace {

struct IntervalDef {
    const char* name;
    int fifths;  // coefficient of F
    int octaves; // coefficient of 1200 cents
};

// Size = fifths * F + octaves * 1200.
constexpr std::array<IntervalDef, IntervalTypeCount> Intervals = {{
    {"Chromatic Semitone", 7, -4},
    {"Diatonic Semitone", -5, 3},
    {"Second", 2, -1},
    {"Wolf Second", -10, 6},
    {"Wolf Minor Third", 9, -5},
    {"Minor Third", -3, 2},
    {"Major Third", 4, -2},
    {"Wolf Major Third", -8, 5},
    {"Wolf Fourth", 11, -6},
    {"Fourth", -1, 1},
    {"Augmented Fourth", 6, -3},
    {"Diminished Fifth", -6, 4},
    {"Fifth", 1, 0},
    {"Wolf Fifth", -11, 7},
    {"Wolf Minor Sixth", 8, -4},
    {"Minor Sixth", -4, 3},
    {"Major Sixth", 3, -1},
    {"Wolf Major Sixth", -9, 6},
    {"Wolf Minor Seventh", 10, -5},
    {"Minor Seventh", -2, 2},
    {"Major Seventh", 5, -2},
    {"Wolf Major Seventh", -7, 5},
    {"Octave", 0, 1},
    {"Wolf Ninth", 7, -3},
    {"Ninth", -5, 4},
    {"Tenth", 2, 0},
}};

} // namespace

double IntervalCents(int type, double fifth) {
    if (type < 0 || type >= IntervalTypeCount)
        return 0.0;
    const IntervalDef& d = Intervals[type];
    return d.fifths * fifth + d.octaves * 1200.0;
}

std::string IntervalName(int type) {
    if (type < 0 || type >= IntervalTypeCount)
        return {};
    return Intervals[type].name;
}

int IntervalFifths(int type) {
    return type >= 0 && type < IntervalTypeCount ? Intervals[type].fifths : 0;
}

int IntervalSemitones(int type) {
    if (type < 0 || type >= IntervalTypeCount)
        return 0;
    return 7 * Intervals[type].fifths + 12 * Intervals[type].octaves;
}

NoteValue NoteAbove(NoteValue open, int type) {
    if (open.SpellingFixed == 0)
        SpellLetter(open, DefaultKey);
    TransposeNote(open, IntervalSemitones(type), IntervalFifths(type));
    return open;
}

double RaiseByCents(double frequency, double cents) {
    return std::exp(std::log(2.0) * cents / 1200.0) * frequency;
}

double TemperedFifth(double commaFraction) {
    return 1200.0 * std::log(1.5) / std::log(2.0) -
           commaFraction * (1200.0 * std::log(1.0125) / std::log(2.0));
}

int WholeHertz(double frequency) {
    const double hz = std::nearbyint(frequency);
    return std::isfinite(hz) && std::fabs(hz) < 1e9 ? static_cast<int>(hz) : 0;
}

} // namespace vorn
