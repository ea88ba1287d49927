// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The twenty-four instrument templates in their five families: names, course counts, string
// lengths, pitch standards, keys and tunings.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/CourseLimits.h"

namespace vorn {

constexpr int InstrumentTypeCount = 24;
constexpr int FamilyCount = 5;

// "Renaissance Lute", "Baroque Lute", "Theorbo", "Guitar", "Viola da Gamba".
std::string FamilyName(int family);
// The list text of instrument type 0..23; empty for other values.
std::string InstrumentTypeName(int type);
// 9..11 -> 1, 12..14 -> 2, 15..17 -> 3, 18..23 -> 4, anything else -> 0.
int FamilyOfType(int type);
// Position of a type within its family's list.
int PositionInFamily(int type);
// Type at a position of a family's list; 3 when the position is outside the list.
int TypeOfFamilyPosition(int family, int position);
// Number of types in a family's list.
int FamilyTypeCount(int family);
// The type preselected when a family is chosen: 3, 10, 13, 16, 22.
int DefaultTypeOfFamily(int family);

// A new document of a type: courses, lengths, pitch standard, key and the notes of all
// nineteen courses (the document uses the first Courses of them).
struct TypeTemplate {
    int Courses;
    float StringLength;       // cm
    float SecondStringLength; // cm, 0 for none
    int SecondFrom;           // first course of the second length, 0 for none
    float APitch;             // Hz, 440 or 415
    uint8_t Key;              // 0..29
    std::array<int, MaxCourses> Notes;
};
// Templates of types 0..23; other values give type 3's.
const TypeTemplate& TemplateOf(int type);

// A course whose template note is spelled otherwise than C major would (course 1-based).
struct TemplateSpelling {
    int Course;
    uint8_t Accidental;
};
std::vector<TemplateSpelling> TemplateSpellings(int type);

} // namespace vorn
