// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The instrument document: type, names, courses with their kinds and notes, string lengths,
// pitch standard, temperament and fret placement.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "document/CourseLimits.h"
#include "io/EntryRange.h"
#include "pitch/FretRecord.h"
#include "pitch/FretScale.h"
#include "pitch/NoteValue.h"

namespace vorn {

enum CourseKind : uint8_t {
    ck_chanterelle = 0,
    ck_single = 1,
    ck_unison = 2,           // a pair tuned in unison, shown as one string
    ck_bass_with_octave = 3, // a bass string with an octave string
    ck_viol = 4,
};

// What the File Setup page lets a new document have.
inline constexpr EntryRange TopLengthRange{20, 120, 60};     // cm
inline constexpr EntryRange SecondLengthRange{20, 220, 100}; // cm
inline constexpr EntryRange SecondFromRange{6, 100, 8};      // course
inline constexpr EntryRange APitchRange{20, 2100, 440};      // Hz
// The pitch standards of the File Setup list, in list order (Hz).
inline constexpr std::array<int, 4> PitchStandards{468, 440, 415, 392};
// Position of a pitch in that list; -1 for any other value.
int PitchStandardIndex(double aPitch);

class TInstDataType {
public:
    uint8_t LegacyByte = 0;
    float StringLength = 0;       // cm, top string
    float SecondStringLength = 0; // cm, 0 when unused
    float APitch = 0;             // Hz
    uint8_t Temperament = 0;      // 0..8 named, 9 custom
    double CommaFraction = 0;
    uint8_t SecondLengthFrom = 0; // 1-based course
    uint8_t UseSecondLength = 0;  // see UsesSecondLength
    uint8_t Key = 0;              // 0..29
    uint8_t CourseCount = 0;      // 4..19
    std::string InstrumentName;
    std::string MakerName;
    uint8_t InstrumentType = 0;                      // 0..23
    std::array<NoteValue, MaxCourses> CourseNotes{}; // index 0 is course 1
    std::array<uint8_t, MaxCourses> CourseKinds{};
    uint8_t CustomPlacement = 0;
    FretChoices FretMiFa{};
    // Frets set by a historical rule or a Scala scale instead of the temperament; none for a
    // document fretted in meantone. Temperament and CommaFraction stay what they were, so
    // that going back to them restores the document exactly.
    std::optional<FretScale> Scale;

    // Whether courses from SecondLengthFrom on take the second length: the flag is set and
    // there is a length. Older files and the template of type 14 set the flag beside a
    // length of 0, which means one length for every course.
    bool UsesSecondLength() const { return UseSecondLength != 0 && SecondStringLength > 0; }
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
