// SPDX-License-Identifier: GPL-3.0-or-later

#include "pitch/FretRecord.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "io/NumberText.h"
#include "pitch/Intervals.h"

namespace vorn {

const FretChoices DefaultMiFa = {fc_fa,    fc_mi, fc_fa, fc_mi, fc_fa, fc_mi,
                                 fc_fixed, fc_fa, fc_mi, fc_fa, fc_mi};

namespace {

struct FretTypes {
    uint8_t a, b;
};

// Mi and Fa interval types of frets 1..14.
// clang-format off
constexpr std::array<FretTypes, 14> FretTable = {{
    {0, 1}, {2, 3}, {4, 5}, {6, 7}, {9, 9}, {10, 11}, {12, 12},
    {14, 15}, {16, 17}, {18, 19}, {20, 21}, {22, 22}, {23, 24}, {25, 25},
}};
// clang-format on

template <class Real> Real distance(Real length, Real cents) {
    return length * (Real(1) - Real(1) / std::exp(std::log(Real(2)) * cents / Real(1200)));
}

} // namespace

std::string FretChoiceText(uint8_t choice) {
    switch (choice) {
    case fc_mi:
        return "Mi";
    case fc_fa:
        return "Fa";
    default:
        return {};
    }
}

Rgb FretChoiceColour(uint8_t choice) {
    switch (choice) {
    case fc_mi:
        return {166, 202, 240};
    case fc_fa:
        return {255, 192, 203};
    default:
        return {255, 251, 240};
    }
}

void FretRecord::Prepare() {
    for (int i = 0; i < 14; ++i) {
        const int fret = i + 1;
        FretEntry& e = Entries[i];
        e.Fret = fret;
        e.Length = Length;
        e.TypeA = FretTable[i].a;
        e.TypeB = FretTable[i].b;
        if (fret <= 11)
            e.Choice = Choices[i];
        else if (fret == 12)
            e.Choice = fc_fixed;
        else
            e.Choice = Choices[fret - 13]; // 13 and 14 repeat frets 1 and 2 an octave up
        e.Note.Number = OpenNote.Number + fret;
        e.Note.SpellingFixed = 1;
    }
}

FretEntry FretRecord::Entry(int fret) const {
    return Entries[std::clamp(fret, 1, 14) - 1];
}

int MainType(const FretEntry& entry) {
    return entry.Choice != fc_mi ? entry.TypeB : entry.TypeA;
}

int AltType(const FretEntry& entry) {
    return entry.Choice != fc_mi ? entry.TypeA : entry.TypeB;
}

double MainCents(const FretRecord& record, double fifth, int fret) {
    return IntervalCents(MainType(record.Entry(fret)), fifth);
}

double AltCents(const FretRecord& record, double fifth, int fret) {
    return IntervalCents(AltType(record.Entry(fret)), fifth);
}

double FretDistance(double length, double cents) {
    return distance(length, cents);
}

long double FretDistance(long double length, long double cents) {
    return distance(length, cents);
}

std::string DistanceText(const FretEntry& entry, double fifth, int side) {
    const int type = side == 0 ? entry.TypeA : entry.TypeB;
    return FormatFixed(FretDistance(entry.Length, IntervalCents(type, fifth)));
}

std::string FormatFixed(double value) {
    return FixedText(value, 2, 7);
}

} // namespace vorn
