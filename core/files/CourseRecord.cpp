// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/CourseRecord.h"

#include <cmath>

#include "chart/OneCrsPanel.h"
#include "chart/StrFrame.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "pitch/NoteValue.h"
#include "strings/StringRecord.h"

namespace vorn {

namespace {

// The filler of a course without an octave string.
constexpr const char* NoSecondChoice = "Gut";

bool finiteNonNegative(float v) {
    return std::isfinite(v) && v >= 0;
}

StoredString storedOf(const StringRecord& rec) {
    return {rec.Note.Accidental, rec.GutDiameter, rec.CatalogueIndex, rec.AltChoice};
}

StoredString readStored(ByteReader& in, float* length) {
    StoredString s;
    s.Accidental = in.u8AtMost(acc_double_sharp, "accidental out of range");
    if (length)
        *length = in.f32();
    s.GutDiameter = in.f32();
    s.CatalogueIndex = in.u8();
    s.AltChoice = in.str();
    return s;
}

void writeStored(ByteWriter& out, const StoredString& s, const float* length) {
    out.u8(s.Accidental);
    if (length)
        out.f32(*length);
    out.f32(s.GutDiameter);
    out.u8(s.CatalogueIndex);
    out.str(s.AltChoice);
}

TOneCrsPanel::Stored panelValue(const StoredString& s) {
    return {s.Accidental, s.GutDiameter, s.CatalogueIndex, s.AltChoice};
}

} // namespace

CourseRecord CourseRecord::Of(const TOneCrsPanel& course) {
    CourseRecord r;
    r.Length = course.First.Rec.Length;
    r.First = storedOf(course.First.Rec);
    r.Second = course.Second ? storedOf(course.Second->Rec) : StoredString{0, 0, 0, NoSecondChoice};
    return r;
}

CourseRecord CourseRecord::Read(ByteReader& in) {
    CourseRecord r;
    r.First = readStored(in, &r.Length);
    r.Second = readStored(in, nullptr);
    return r;
}

void CourseRecord::Write(ByteWriter& out) const {
    writeStored(out, First, &Length);
    writeStored(out, Second, nullptr);
}

bool CourseRecord::IsSound() const {
    return Length >= MinStringLength && Length <= MaxStringLength &&
           finiteNonNegative(First.GutDiameter) && finiteNonNegative(Second.GutDiameter);
}

void CourseRecord::ApplyTo(TOneCrsPanel& course) const {
    course.LoadStored(Length, panelValue(First), panelValue(Second));
}

void WriteCourseRecords(const TStrFrame& chart, ByteWriter& out) {
    for (const auto& course : chart.Courses)
        CourseRecord::Of(*course).Write(out);
}

bool CourseRecordsAreSound(ByteReader& in, int courses) {
    try {
        for (int n = 0; n < courses; ++n)
            if (!CourseRecord::Read(in).IsSound())
                return false;
    } catch (const ReadError&) {
        return false;
    }
    return true;
}

bool ReadCourseRecords(TStrFrame& chart, ByteReader& in) {
    bool ok = true;
    chart.RebuildCourses([&](TOneCrsPanel& course) {
        if (!ok)
            return;
        try {
            const CourseRecord record = CourseRecord::Read(in);
            ok = record.IsSound();
            if (ok)
                record.ApplyTo(course);
        } catch (const ReadError&) {
            ok = false;
        }
    });
    return ok;
}

} // namespace vorn
