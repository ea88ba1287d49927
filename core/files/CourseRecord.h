// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One course as the document file stores it: the first string's accidental, length (cm),
// gut diameter (mm), catalogue entry and alternative, then the same for the octave string
// without a length. A course without an octave string stores a filler there.

#include <cstdint>
#include <string>

namespace vorn {

class ByteReader;
class ByteWriter;
class TOneCrsPanel;
class TStrFrame;

struct StoredString {
    uint8_t Accidental = 0;
    float GutDiameter = 0; // mm
    uint8_t CatalogueIndex = 0;
    std::string AltChoice;
};

struct CourseRecord {
    float Length = 0; // cm, of the first string; the octave string follows it
    StoredString First;
    StoredString Second; // the filler when the course has no octave string

    static CourseRecord Of(const TOneCrsPanel& course);
    // Throws ReadError when the bytes run out or an accidental is out of range.
    static CourseRecord Read(ByteReader& in);
    void Write(ByteWriter& out) const;
    // What a row may take: a length the length cell takes, diameters from 0 to what the
    // diameter cells take (MaxRowDiameter). Fault says which value breaks it, empty when none.
    std::string Fault() const;
    bool IsSound() const { return Fault().empty(); }
    // Puts the record into a course built from the document; tensions come back from the
    // diameters.
    void ApplyTo(TOneCrsPanel& course) const;
};

void WriteCourseRecords(const TStrFrame& chart, ByteWriter& out);
// Walks `courses` records without applying them: why the first broken or unsound one is
// refused ("course 3: gut diameter 400 mm is outside 0..100"), empty when all are sound.
std::string CourseRecordsFault(ByteReader& in, int courses);
inline bool CourseRecordsAreSound(ByteReader& in, int courses) {
    return CourseRecordsFault(in, courses).empty();
}
// Rebuilds the rows and reads one record per course; false when the data ran out or was
// broken (the rows read so far keep their values).
bool ReadCourseRecords(TStrFrame& chart, ByteReader& in);

} // namespace vorn
