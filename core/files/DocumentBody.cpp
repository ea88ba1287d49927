// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/DocumentBody.h"

#include <cmath>
#include <cstdint>

#include "chart/StrFrame.h"
#include "document/InstrumentTemplates.h"
#include "files/CourseRecord.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/FileHeader.h"
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

bool HeaderIsSound(const TInstDataType& d) {
    if (d.CourseCount < MinCourses || d.CourseCount > MaxCourses)
        return false;
    if (d.InstrumentType >= InstrumentTypeCount || d.Temperament > CustomTemperament ||
        d.Key >= KeyCount)
        return false;
    // Only lengths the File Setup page and Global String Length take (an unused second length
    // may be 0): a damaged length that loaded sent the fret pages and the template far away.
    if (!TopLengthRange.Holds(d.StringLength) ||
        !(d.SecondStringLength == 0 || SecondLengthRange.Holds(d.SecondStringLength)))
        return false;
    // Only what the pitch box and the slider can set: beyond, the pitch table overflows.
    if (!(d.APitch >= APitchRange.Min && d.APitch <= APitchRange.Max) ||
        !(d.CommaFraction >= MinCommaFraction && d.CommaFraction <= MaxCommaFraction))
        return false;
    for (uint8_t k : d.CourseKinds)
        if (k > ck_viol)
            return false;
    for (const NoteValue& n : d.CourseNotes)
        if (!validNote(n))
            return false;
    return true;
}

bool RowsAreSound(const TStrFrame& chart) {
    for (const auto& course : chart.Courses) {
        for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
            const StringRecord& r = course->String(which).Rec;
            if (!finitePositive(r.Length) || !finiteNonNegative(r.TensionN) ||
                !finiteNonNegative(r.GutDiameter))
                return false;
            if (!(std::isfinite(r.Frequency) && r.Frequency > 0) ||
                (r.AltDiameter && !std::isfinite(*r.AltDiameter)))
                return false;
        }
    }
    // The bridge adds every tension up.
    return std::isfinite(chart.TotalTensionNewtons());
}

void WriteDocumentBody(TStrFrame& chart, ByteWriter& out) {
    if (chart.CourseCount() > 0) {
        chart.StoreCourses();
        writeHeader(out, chart.Document);
        WriteCourseRecords(chart, out);
        return;
    }
    // A document whose string chart was never opened still gets its course records, from
    // rows built on a copy, so that the file can be read back.
    TInstDataType copy = chart.Document;
    TStrFrame rows(copy, chart.Settings);
    rows.BuildCourses();
    writeHeader(out, chart.Document);
    WriteCourseRecords(rows, out);
}

} // namespace vorn
