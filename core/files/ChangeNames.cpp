// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/ChangeNames.h"

#include <array>
#include <optional>
#include <vector>

#include "document/InstDataType.h"
#include "files/CourseRecord.h"
#include "files/DocumentBody.h"
#include "io/ByteReader.h"
#include "io/FileHeader.h"

namespace vorn {

namespace {

struct ReadBody {
    TInstDataType Header;
    std::vector<CourseRecord> Records;
};

std::optional<ReadBody> readBody(const std::string& bytes) {
    try {
        ByteReader in(bytes);
        if (ReadVersion(in) != 2.0 || in.str() != ProgramTitle)
            return std::nullopt;
        ReadBody body;
        ReadDocumentHeader(in, body.Header);
        for (int n = 0; n < body.Header.CourseCount; ++n)
            body.Records.push_back(CourseRecord::Read(in));
        return body;
    } catch (const ReadError&) {
        return std::nullopt;
    }
}

// The document's own fields, first the ones a change of several is named after.
enum HeaderField {
    hf_courses,
    hf_temperament,
    hf_key,
    hf_frets,
    hf_pitch,
    hf_lengths,
    hf_name,
    hf_maker,
    hf_setup,
    hf_count
};
constexpr std::array<const char*, hf_count> HeaderNames{
    "Number of courses", "Temperament",     "Key",        "Fret choices", "Pitch",
    "String lengths",    "Instrument name", "Maker name", "File Setup"};

std::vector<HeaderField> headerChanges(const TInstDataType& a, const TInstDataType& b) {
    const std::array<bool, hf_count> differs{
        a.CourseCount != b.CourseCount,
        a.Temperament != b.Temperament || a.CommaFraction != b.CommaFraction,
        a.Key != b.Key,
        a.FretMiFa != b.FretMiFa || a.CustomPlacement != b.CustomPlacement,
        a.APitch != b.APitch,
        a.StringLength != b.StringLength || a.SecondStringLength != b.SecondStringLength ||
            a.UseSecondLength != b.UseSecondLength || a.SecondLengthFrom != b.SecondLengthFrom,
        a.InstrumentName != b.InstrumentName,
        a.MakerName != b.MakerName,
        a.InstrumentType != b.InstrumentType || a.LegacyByte != b.LegacyByte};
    std::vector<HeaderField> changed;
    for (int f = 0; f < hf_count; ++f)
        if (differs[f])
            changed.push_back(static_cast<HeaderField>(f));
    return changed;
}

std::string nameOfHeader(const std::vector<HeaderField>& changed) {
    // The fret chart changes these alone or together (a fitted temperament brings its frets).
    bool fretPage = true;
    for (HeaderField f : changed)
        fretPage = fretPage && (f == hf_temperament || f == hf_key || f == hf_frets);
    if (changed.size() == 1 || fretPage)
        return HeaderNames[changed.front()];
    return HeaderNames[hf_setup];
}

// What a course may differ in, first the one its change is named after: a new course type
// or note recalculates the rest of the row.
enum CourseField { cf_kind, cf_note, cf_length, cf_alternative, cf_gut, cf_count };
constexpr std::array<const char*, cf_count> CourseNames{"Course type", "Note", "Length",
                                                        "Alternative material", "Gut diameter"};
constexpr std::array<const char*, cf_count> CoursesNames{"Course types", "Tuning", "String lengths",
                                                         "Alternative materials", "Gut diameters"};

bool sameAlternative(const StoredString& a, const StoredString& b) {
    return a.CatalogueIndex == b.CatalogueIndex && a.AltChoice == b.AltChoice;
}

// The fields of course index (0-based) that differ; the header's arrays hold every course.
std::array<bool, cf_count> courseChanges(const ReadBody& a, const ReadBody& b, size_t index) {
    std::array<bool, cf_count> differs{};
    differs[cf_kind] = a.Header.CourseKinds[index] != b.Header.CourseKinds[index];
    differs[cf_note] = !(a.Header.CourseNotes[index] == b.Header.CourseNotes[index]);
    if (index < a.Records.size() && index < b.Records.size()) {
        const CourseRecord& x = a.Records[index];
        const CourseRecord& y = b.Records[index];
        differs[cf_note] = differs[cf_note] || x.First.Accidental != y.First.Accidental ||
                           x.Second.Accidental != y.Second.Accidental;
        differs[cf_length] = x.Length != y.Length;
        differs[cf_alternative] =
            !sameAlternative(x.First, y.First) || !sameAlternative(x.Second, y.Second);
        differs[cf_gut] = x.First.GutDiameter != y.First.GutDiameter ||
                          x.Second.GutDiameter != y.Second.GutDiameter;
    }
    return differs;
}

std::string ofCourse(const char* what, int course) {
    std::string name = what;
    name.append(" of course ").append(std::to_string(course));
    return name;
}

const char* cellName(EditedCell cell) {
    switch (cell) {
    case ec_type:
        return CourseNames[cf_kind];
    case ec_note:
        return CourseNames[cf_note];
    case ec_length:
        return CourseNames[cf_length];
    case ec_tension:
        return "Tension";
    case ec_gut:
        return CourseNames[cf_gut];
    case ec_alt_choice:
        return CourseNames[cf_alternative];
    case ec_alt_diameter:
        return "Alternative diameter";
    case ec_none:
        break;
    }
    return nullptr;
}

std::string nameOfCourses(const ReadBody& a, const ReadBody& b, const ChartEdit& edit) {
    std::vector<int> courses; // 1-based
    std::array<bool, cf_count> any{};
    for (size_t i = 0; i < a.Header.CourseKinds.size(); ++i) {
        const std::array<bool, cf_count> differs = courseChanges(a, b, i);
        bool changed = false;
        for (int f = 0; f < cf_count; ++f) {
            changed = changed || differs[f];
            any[f] = any[f] || differs[f];
        }
        if (changed)
            courses.push_back(static_cast<int>(i) + 1);
    }
    const char* cell = cellName(edit.Cell);
    const bool onlyEdited = courses.empty() || (courses.size() == 1 && courses[0] == edit.Course);
    if (cell && onlyEdited)
        return ofCourse(cell, edit.Course);
    for (int f = 0; f < cf_count; ++f) {
        if (!any[f])
            continue;
        return courses.size() == 1 ? ofCourse(CourseNames[f], courses[0]) : CoursesNames[f];
    }
    return "Change";
}

} // namespace

std::string DescribeChange(const std::string& before, const std::string& after,
                           const ChartEdit& edit) {
    if (!edit.Label.empty())
        return edit.Label;
    const std::optional<ReadBody> a = readBody(before);
    const std::optional<ReadBody> b = readBody(after);
    if (!a || !b)
        return "Change";
    const std::vector<HeaderField> header = headerChanges(a->Header, b->Header);
    if (!header.empty())
        return nameOfHeader(header);
    return nameOfCourses(*a, *b, edit);
}

} // namespace vorn
