#pragma once
// The instrument document: type, names, courses with their kinds and notes, string lengths,
// pitch standard, temperament and fret placement; and the twenty-four instrument templates.

#include <array>
#include <cstdint>
#include <string>

#include "pitch/FretandNoteRecs.h"
#include "pitch/MusicalNote.h"

namespace vorn {

enum CourseKind : uint8_t {
    ck_chanterelle = 0,
    ck_single = 1,
    ck_unison = 2,           // a pair tuned in unison, shown as one string
    ck_bass_with_octave = 3, // a bass string with an octave string
    ck_viol = 4,
};

constexpr int MaxCourses = 19;
constexpr int MinCourses = 4;
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

class TInstDataType {
public:
    uint8_t LegacyByte = 0;
    float StringLength = 0;       // cm, top string
    float SecondStringLength = 0; // cm, 0 when unused
    float APitch = 0;             // Hz
    uint8_t Temperament = 0;      // 0..8 named, 9 custom
    double CommaFraction = 0;
    uint8_t SecondLengthFrom = 0; // 1-based course
    uint8_t UseSecondLength = 0;
    uint8_t Key = 0;         // 0..29
    uint8_t CourseCount = 0; // 4..19
    std::string InstrumentName;
    std::string MakerName;
    uint8_t InstrumentType = 0;                      // 0..23
    std::array<NoteValue, MaxCourses> CourseNotes{}; // index 0 is course 1
    std::array<uint8_t, MaxCourses> CourseKinds{};
    uint8_t CustomPlacement = 0;
    FretChoices FretMiFa{};

    // Length in cm of course n (1-based).
    float LengthOfCourse(int n) const;
    // The note of course n (1..19).
    NoteValue CourseNote(int n) const;
    std::string TemperamentName() const;
    void ApplyCourseKindDefaults();
    // The document half of a template: type, key, notes, placement, course kinds.
    void SetFromType(int type);
    // The whole template as a new document gets it.
    void ApplyTemplate(int type, int defaultTemperament, const std::string& defaultMaker);
    // 0..8 also set the comma fraction; 9 keeps it.
    void SetTemperament(int index);

    bool operator==(const TInstDataType&) const = default;
};

} // namespace vorn
