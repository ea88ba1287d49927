// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/DocumentBody.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "chart/StrFrame.h"
#include "document/InstrumentTemplates.h"
#include "files/CourseRecord.h"
#include "files/ScaleBlock.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/FileHeader.h"
#include "io/NumberText.h"
#include "pitch/Keys.h"
#include "pitch/NoteValue.h"
#include "pitch/Temperaments.h"

namespace vorn {

namespace {

bool finitePositive(float v) {
    return std::isfinite(v) && v > 0;
}
bool finiteNonNegative(float v) {
    return std::isfinite(v) && v >= 0;
}

// "string length 4.96606e+09 cm is outside 20..120".
std::string outside(const char* what, double value, const EntryRange& range, const char* unit) {
    return std::string(what) + " " + GeneralText(value, 6) + unit + " is outside " +
           GeneralText(range.Min, 6) + ".." + GeneralText(range.Max, 6);
}

bool validNote(const NoteValue& n) {
    return n.Number >= MinNoteNumber && n.Number <= MaxNoteNumber &&
           n.Accidental <= acc_double_sharp;
}

void writeHeader(ByteWriter& out, const TInstDataType& d) {
    WriteFileHeader(out);
    out.u8(d.LegacyByte);
    out.f32(d.StringLength);
    out.f32(d.SecondStringLength);
    out.f32(d.APitch);
    out.u8(d.Temperament);
    out.f64(d.CommaFraction);
    out.u8(d.SecondLengthFrom);
    out.u8(d.UsesSecondLength() ? 1 : 0);
    out.u8(d.CourseCount);
    out.u8(d.Key);
    out.u8(d.CustomPlacement);
    out.str(d.InstrumentName);
    out.str(d.MakerName);
    out.u8(d.InstrumentType);
    for (const NoteValue& n : d.CourseNotes)
        WriteNote(out, n);
    for (uint8_t k : d.CourseKinds)
        out.u8(k);
    for (uint8_t c : d.FretMiFa)
        out.u8(c);
}

} // namespace

void ReadDocumentHeader(ByteReader& in, TInstDataType& d) {
    d.LegacyByte = in.u8();
    d.StringLength = in.f32();
    d.SecondStringLength = in.f32();
    d.APitch = in.f32();
    d.Temperament = in.u8();
    d.CommaFraction = in.f64();
    d.SecondLengthFrom = in.u8();
    d.UseSecondLength = in.u8();
    d.CourseCount = in.u8();
    d.Key = in.u8();
    d.CustomPlacement = in.u8();
    d.InstrumentName = in.str();
    d.MakerName = in.str();
    d.InstrumentType = in.u8();
    for (NoteValue& n : d.CourseNotes)
        ReadNote(in, n);
    for (uint8_t& k : d.CourseKinds)
        k = in.u8();
    for (uint8_t& c : d.FretMiFa)
        c = in.u8();
    // The flag as the rest of the program reads it; a file's 1 beside a second length of 0
    // still loads.
    d.UseSecondLength = d.UsesSecondLength() ? 1 : 0;
}

std::string HeaderFault(const TInstDataType& d) {
    if (d.CourseCount < MinCourses || d.CourseCount > MaxCourses)
        return "course count " + std::to_string(d.CourseCount) + " is outside " +
               std::to_string(MinCourses) + ".." + std::to_string(MaxCourses);
    if (d.InstrumentType >= InstrumentTypeCount)
        return "instrument type " + std::to_string(d.InstrumentType) + " is beyond " +
               std::to_string(InstrumentTypeCount - 1);
    if (d.Temperament > CustomTemperament)
        return "temperament " + std::to_string(d.Temperament) + " is beyond " +
               std::to_string(CustomTemperament);
    if (d.Key >= KeyCount)
        return "key " + std::to_string(d.Key) + " is beyond " + std::to_string(KeyCount - 1);
    // Only lengths the File Setup page and Global String Length take (an unused second length
    // may be 0): a damaged length that loaded sent the fret pages and the template far away.
    if (!TopLengthRange.Holds(d.StringLength))
        return outside("string length", d.StringLength, TopLengthRange, " cm");
    if (!(d.SecondStringLength == 0 || SecondLengthRange.Holds(d.SecondStringLength)))
        return outside("second string length", d.SecondStringLength, SecondLengthRange, " cm");
    // Only what the pitch box and the slider can set: beyond, the pitch table overflows.
    if (!APitchRange.Holds(d.APitch))
        return outside("pitch", d.APitch, APitchRange, " Hz");
    if (!(d.CommaFraction >= MinCommaFraction && d.CommaFraction <= MaxCommaFraction))
        return outside("comma fraction", d.CommaFraction, {MinCommaFraction, MaxCommaFraction, 0},
                       "");
    for (int n = 1; n <= MaxCourses; ++n) {
        if (d.CourseKinds[n - 1] > ck_viol)
            return "course " + std::to_string(n) + ": kind " +
                   std::to_string(d.CourseKinds[n - 1]) + " is beyond " + std::to_string(ck_viol);
        if (!validNote(d.CourseNotes[n - 1]))
            return "course " + std::to_string(n) + ": the note is out of range";
    }
    return {};
}

std::string RowsFault(const TStrFrame& chart) {
    for (const auto& course : chart.Courses) {
        for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
            const StringRecord& r = course->String(which).Rec;
            const auto fault = [&](const char* what, double value, const char* unit) {
                return "course " + std::to_string(course->Number) +
                       (which == 1 ? ", octave string: " : ": ") + what + " " +
                       GeneralText(value, 6) + unit;
            };
            if (!finitePositive(r.Length))
                return fault("string length", r.Length, " cm");
            if (!finiteNonNegative(r.TensionN))
                return fault("tension", r.TensionN, " N");
            if (!finiteNonNegative(r.GutDiameter))
                return fault("gut diameter", r.GutDiameter, " mm");
            if (!(std::isfinite(r.Frequency) && r.Frequency > 0))
                return fault("frequency", r.Frequency, " Hz");
            if (r.AltDiameter && !std::isfinite(*r.AltDiameter))
                return fault("alternative diameter", *r.AltDiameter, " mm");
        }
    }
    // The bridge adds every tension up.
    if (!std::isfinite(chart.TotalTensionNewtons()))
        return "the bridge tension is beyond any number";
    return {};
}

void WriteDocumentBody(TStrFrame& chart, ByteWriter& out) {
    if (chart.CourseCount() > 0) {
        chart.StoreCourses();
        writeHeader(out, chart.Document);
        WriteCourseRecords(chart, out);
    } else {
        // A document whose string chart was never opened still gets its course records, from
        // rows built on a copy, so that the file can be read back.
        TInstDataType copy = chart.Document;
        TStrFrame rows(copy, chart.Settings);
        rows.BuildCourses();
        writeHeader(out, chart.Document);
        WriteCourseRecords(rows, out);
    }
    // Only a document fretted by a rule or a Scala scale has more: the others stay as they are.
    if (chart.Document.Scale)
        WriteScaleBlock(*chart.Document.Scale, out);
}

} // namespace vorn
