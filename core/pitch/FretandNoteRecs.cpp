#include "pitch/FretandNoteRecs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace vorn {

const FretChoices DefaultMiFa = {fc_fa,    fc_mi, fc_fa, fc_mi, fc_fa, fc_mi,
                                 fc_fixed, fc_fa, fc_mi, fc_fa, fc_mi};

namespace {

struct TemperamentDef {
    const char* name;
    double fraction;
    int slider;
};

const std::array<TemperamentDef, NamedTemperamentCount> Temperaments = {{
    {"1/3 Comma (Pure minor third)", 1.0 / 3.0, 68},
    {"2/7 Comma (Zarlino)", 2.0 / 7.0, 58},
    {"1/4 Comma (Pure major third)", 1.0 / 4.0, 50},
    {"1/5 Comma", 1.0 / 5.0, 40},
    {"1/6 Comma", 1.0 / 6.0, 34},
    {"1/6 Comma (Gerle-Dowland)", 1.0 / 6.05, 33},
    {"1/8 Comma", 1.0 / 8.0, 24},
    {"1/11 Comma (Equal Temperament)", 1.0 / 11.0, 18},
    {"Pythagorian Temperament", 0.0, 0},
}};

struct FretTypes {
    uint8_t a, b;
};

// Mi and Fa interval types of frets 1..14.
constexpr std::array<FretTypes, 14> FretTable = {{
    {0, 1},
    {2, 3},
    {4, 5},
    {6, 7},
    {9, 9},
    {10, 11},
    {12, 12},
    {14, 15},
    {16, 17},
    {18, 19},
    {20, 21},
    {22, 22},
    {23, 24},
    {25, 25},
}};

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

std::string TemperamentList() {
    std::string text;
    for (const auto& t : Temperaments) {
        text += t.name;
        text += "\r\n";
    }
    text += " ";
    return text;
}

std::string TemperamentName(int identifier, double fraction) {
    if (identifier >= 0 && identifier < NamedTemperamentCount)
        return Temperaments[identifier].name;
    if (identifier != CustomTemperament)
        return {};
    const double percent = std::nearbyint(fraction * 100.0);
    char buf[64];
    if (std::isfinite(percent) && std::fabs(percent) < 1e15)
        std::snprintf(buf, sizeof buf, "%7.0f", percent == 0.0 ? 0.0 : percent);
    else
        std::snprintf(buf, sizeof buf, "%7s", "?");
    return std::string(buf) + "% Comma Meantone";
}

double TemperamentFraction(int identifier) {
    if (identifier >= 0 && identifier < NamedTemperamentCount)
        return Temperaments[identifier].fraction;
    return 0.0;
}

int TemperamentSliderPosition(int identifier) {
    if (identifier >= 0 && identifier < NamedTemperamentCount)
        return Temperaments[identifier].slider;
    return -1;
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
    return length * (1.0 - 1.0 / std::exp(std::log(2.0) * cents / 1200.0));
}

std::string DistanceText(const FretEntry& entry, double fifth, int side) {
    const int type = side == 0 ? entry.TypeA : entry.TypeB;
    return FormatFixed(FretDistance(entry.Length, IntervalCents(type, fifth)));
}

std::string FormatFixed(double value) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%7.2f", value);
    return buf;
}

} // namespace vorn
