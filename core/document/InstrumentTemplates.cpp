// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/InstrumentTemplates.h"

#include <array>

#include "pitch/Accidental.h"

namespace vorn {

namespace {

constexpr std::array<const char*, FamilyCount> Families = {"Renaissance Lute", "Baroque Lute",
                                                           "Theorbo", "Guitar", "Viola da Gamba"};

constexpr std::array<const char*, InstrumentTypeCount> TypeNames = {
    "Soprano Lute in D",    "Soprano Lute in C",
    "Descant Lute in A",    "Alto Lute in G",
    "Alto Lute in F",       "Tenor Lute in E",
    "Bass Lute in D",       "Bass Lute in C",
    "\"Accords Noveaux\"",  "\"Radolt Soprano\" A-minor Lute",
    "D-minor Lute",         "\"Radolt Bass\" C-minor Lute",
    "Solo Theorbo in D",    "Continuo Theorbo in A",
    "English Theorbo in G", "Renaissance Guitar",
    "Baroque Guitar",       "19th Century Guitar",
    "Pardessus de Viole",   "Treble Viol in D",
    "Treble Viol in C",     "Tenor Viol in G",
    "Bass Viol in D",       "Large Bass Viol in G",
};

// First type of each family's list; the lists are consecutive runs of types.
constexpr std::array<int, FamilyCount + 1> FamilyStart = {0, 9, 12, 15, 18, 24};
constexpr std::array<int, FamilyCount> FamilyDefault = {3, 10, 13, 16, 22};

// The viols carry no key of their own; C Major is what the placement editor resets to.
// clang-format off
const std::array<TypeTemplate, InstrumentTypeCount> Templates = {{
    // courses, length, second length, from course, A (Hz), key, notes of courses 1..19
    {6, 40, 0, 0, 440, 21, {74, 69, 64, 60, 55, 50, 48, 47, 45, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28}},
    {6, 45, 0, 0, 440, 7, {72, 67, 62, 58, 53, 48, 47, 45, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28, 26}},
    {6, 53, 0, 0, 440, 22, {69, 64, 59, 55, 50, 45, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23}},
    {10, 64, 0, 0, 440, 20, {67, 62, 57, 53, 48, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23, 21}},
    {8, 69, 0, 0, 440, 6, {65, 60, 55, 51, 46, 41, 40, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23, 21, 19}},
    {8, 74, 0, 0, 440, 23, {64, 59, 54, 50, 45, 40, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23, 21, 19, 17}},
    {7, 80, 0, 0, 440, 21, {62, 57, 52, 48, 43, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23, 21, 19, 17, 16}},
    {7, 90, 0, 0, 440, 7, {60, 55, 50, 46, 41, 36, 35, 33, 31, 29, 28, 26, 24, 23, 21, 19, 17, 16, 14}},
    {10, 68, 0, 0, 440, 22, {65, 62, 59, 55, 50, 45, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23}},
    {11, 50, 0, 0, 415, 20, {72, 69, 64, 60, 57, 52, 50, 48, 46, 45, 43, 42, 40, 38, 36, 35, 33, 31, 29}},
    {13, 70, 76, 12, 415, 21, {65, 62, 57, 53, 50, 45, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23}},
    {11, 76, 0, 0, 415, 20, {63, 60, 55, 51, 48, 43, 41, 39, 38, 36, 34, 33, 31, 29, 27, 26, 24, 22, 21}},
    {14, 74, 140, 7, 440, 21, {62, 57, 64, 60, 55, 50, 48, 47, 45, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28}},
    {14, 85, 160, 8, 440, 22, {57, 52, 59, 55, 50, 45, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23}},
    {14, 74, 0, 0, 440, 20, {55, 62, 57, 53, 48, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23, 21}},
    {4, 50, 0, 0, 440, 23, {69, 64, 60, 55, 53, 52, 50, 48, 47, 45, 43, 41, 40, 38, 36, 35, 33, 31, 29}},
    {5, 64, 0, 0, 415, 23, {64, 59, 55, 50, 45, 40, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23, 21, 19, 17}},
    {6, 64, 0, 0, 440, 23, {64, 59, 55, 50, 45, 40, 38, 37, 35, 33, 31, 30, 28, 26, 25, 23, 21, 19, 17}},
    {6, 32, 0, 0, 415, 7, {79, 74, 69, 64, 60, 55, 53, 52, 50, 48, 47, 45, 43, 41, 40, 38, 36, 35, 33}},
    {6, 40, 0, 0, 415, 7, {74, 69, 64, 60, 55, 50, 48, 47, 45, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28}},
    {6, 45, 0, 0, 415, 7, {72, 67, 62, 58, 53, 48, 47, 45, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28, 26}},
    {6, 55, 0, 0, 415, 7, {67, 62, 57, 53, 48, 43, 41, 40, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23, 21}},
    {7, 69, 0, 0, 415, 7, {62, 57, 52, 48, 43, 38, 36, 35, 33, 31, 29, 28, 26, 24, 23, 21, 19, 17, 16}},
    {7, 80, 0, 0, 415, 7, {55, 50, 45, 41, 36, 31, 29, 28, 26, 24, 23, 21, 19, 17, 16, 14, 12, 11, 9}},
}};
// clang-format on

// Courses whose template spells its note otherwise than C major would.
constexpr struct {
    int type;
    TemplateSpelling spelling;
} Spellings[] = {
    {1, {4, acc_flat}},  {7, {4, acc_flat}},   {4, {4, acc_flat}},  {4, {5, acc_flat}},
    {5, {3, acc_sharp}}, {9, {9, acc_flat}},   {11, {1, acc_flat}}, {11, {4, acc_flat}},
    {11, {8, acc_flat}}, {11, {11, acc_flat}},
};

} // namespace

std::string FamilyName(int family) {
    return family >= 0 && family < FamilyCount ? Families[family] : std::string();
}

std::string InstrumentTypeName(int type) {
    return type >= 0 && type < InstrumentTypeCount ? TypeNames[type] : std::string();
}

int FamilyOfType(int type) {
    for (int f = 1; f < FamilyCount; ++f)
        if (type >= FamilyStart[f] && type < FamilyStart[f + 1])
            return f;
    return 0;
}

int PositionInFamily(int type) {
    if (type < 0 || type >= InstrumentTypeCount)
        return -1;
    return type - FamilyStart[FamilyOfType(type)];
}

int TypeOfFamilyPosition(int family, int position) {
    if (family < 0 || family >= FamilyCount || position < 0 || position >= FamilyTypeCount(family))
        return 3;
    return FamilyStart[family] + position;
}

int FamilyTypeCount(int family) {
    if (family < 0 || family >= FamilyCount)
        return 0;
    return FamilyStart[family + 1] - FamilyStart[family];
}

int DefaultTypeOfFamily(int family) {
    return family >= 0 && family < FamilyCount ? FamilyDefault[family] : 3;
}

const TypeTemplate& TemplateOf(int type) {
    return Templates[type >= 0 && type < InstrumentTypeCount ? type : 3];
}

std::vector<TemplateSpelling> TemplateSpellings(int type) {
    std::vector<TemplateSpelling> found;
    for (const auto& s : Spellings)
        if (s.type == type)
            found.push_back(s.spelling);
    return found;
}

} // namespace vorn
