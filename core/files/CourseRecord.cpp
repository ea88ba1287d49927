// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/CourseRecord.h"

#include <cmath>

#include "chart/OneCrsPanel.h"
#include "chart/StrFrame.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/NumberText.h"
#include "pitch/NoteValue.h"
#include "strings/StringRecord.h"

namespace vorn {

namespace {

// The filler of a course without an octave string.
constexpr const char* NoSecondChoice = "Gut";

std::string lengthFault(float cm) {
    if (cm >= MinStringLength && cm <= MaxStringLength)
        return {};
    return "string length " + GeneralText(cm, 6) + " cm is outside " +
           GeneralText(MinStringLength, 6) + ".." + GeneralText(MaxStringLength, 6);
}

// A gut diameter a file may hold: 0 (the filler) up to what the diameter cells take. The
// thickest gut strings ever made, the lowest of a violone or a double bass, are under 10 mm,
// and the gut equivalent of a wound bass is a few mm: beyond 100 mm a value is no string but
// damage (one file held 3.4e38 mm), beside which every tension and load would be noise.
std::string diameterFault(float mm, const char* which) {
    if (mm >= 0 && mm <= MaxRowDiameter)
        return {};
    return std::string(which) + "gut diameter " + GeneralText(mm, 6) + " mm is outside 0.." +
           GeneralText(MaxRowDiameter, 6);
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

std::string CourseRecord::Fault() const {
    if (std::string fault = lengthFault(Length); !fault.empty())
        return fault;
    if (std::string fault = diameterFault(First.GutDiameter, ""); !fault.empty())
        return fault;
    return diameterFault(Second.GutDiameter, "octave string ");
}

void CourseRecord::ApplyTo(TOneCrsPanel& course) const {
    course.LoadStored(Length, panelValue(First), panelValue(Second));
}

void WriteCourseRecords(const TStrFrame& chart, ByteWriter& out) {
    for (const auto& course : chart.Courses)
        CourseRecord::Of(*course).Write(out);
}

std::string CourseRecordsFault(ByteReader& in, int courses) {
    for (int n = 1; n <= courses; ++n) {
        try {
            if (const std::string fault = CourseRecord::Read(in).Fault(); !fault.empty())
                return "course " + std::to_string(n) + ": " + fault;
        } catch (const ReadError& e) {
            return "course " + std::to_string(n) + ": " + e.what();
        }
    }
    return {};
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
