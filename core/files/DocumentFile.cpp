#include "files/DocumentFile.h"

#include <cmath>
#include <cstdint>
#include <exception>
#include <stdexcept>

#include "document/InstrumentTemplates.h"
#include "files/FileFrame.h"
#include "io/AtomicFile.h"
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
    out.u8(d.UseSecondLength);
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

// Fields 3 to 19, after version and title.
void readHeader(ByteReader& in, TInstDataType& d) {
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
}

// What the rest of the program relies on: tables are indexed by these values and every
// calculation divides by lengths and pitches.
bool headerIsSound(const TInstDataType& d) {
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

// Walks the course records without applying them.
bool courseRecordsAreSound(ByteReader& in, int courses) {
    for (int n = 0; n < courses; ++n) {
        if (in.u8() > acc_double_sharp)
            return false;
        const float length = in.f32();
        const float firstDiameter = in.f32();
        if (!(length >= MinStringLength && length <= MaxStringLength) ||
            !finiteNonNegative(firstDiameter))
            return false;
        in.u8();
        in.skipStr();
        if (in.u8() > acc_double_sharp)
            return false;
        if (!finiteNonNegative(in.f32()))
            return false;
        in.u8();
        in.skipStr();
    }
    return true;
}

// Reads the records into a frame that already holds the header; false when the rows refused.
bool loadRows(TFileFrame& frame, ByteReader& in) {
    try {
        return frame.Chart.ReadCourses(in);
    } catch (const std::exception&) {
        return false;
    }
}

std::string finalComponent(const std::string& name) {
    // Stored names may come from either kind of path.
    const size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

} // namespace

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

void WriteDocument(TFileFrame& frame, ByteWriter& out) {
    if (frame.HasCourseRows()) {
        frame.Chart.StoreCourses();
        writeHeader(out, frame.Document);
        frame.Chart.WriteCourses(out);
        return;
    }
    // A document whose string chart was never opened still gets its course records, from
    // rows built on a copy, so that the file can be read back.
    TInstDataType copy = frame.Document;
    TStrFrame rows(copy, frame.Settings);
    rows.BuildCourses();
    writeHeader(out, frame.Document);
    rows.WriteCourses(out);
}

LoadOutcome ReadDocument(TFileFrame& frame, ByteReader& in, const std::string& name) {
    const LoadOutcome refused{LoadResult::Failed, LoadFileMessage};
    ByteReader body = in;
    TInstDataType staged;
    try {
        const double version = ReadVersion(body);
        if (version == 1.0) {
            in = body;
            return {LoadResult::OldFormat, {}};
        }
        if (version != 2.0 || body.str() != ProgramTitle)
            return refused;
        readHeader(body, staged);
        if (!headerIsSound(staged))
            return refused;
        ByteReader records = body;
        if (!courseRecordsAreSound(records, staged.CourseCount))
            return refused;
    } catch (const ReadError&) {
        return refused;
    }

    // Values can pass the checks above and still not survive the rounding and recalculation
    // of loading (a length that shows as 0, a tension beyond any float): only a body that
    // loads in full may change the frame.
    ByteReader rest = body;
    const bool loaded = frame.LoadWholly([&](TFileFrame& target) {
        rest = body;
        target.Document = staged;
        return loadRows(target, rest) && RowsAreSound(target.Chart);
    });
    if (!loaded)
        return refused;
    frame.FileName = finalComponent(name);
    frame.Family = FamilyOfType(staged.InstrumentType);
    frame.MarkUnchanged();
    in = rest;
    return {LoadResult::Loaded, {}};
}

bool SaveDocumentFile(TFileFrame& frame, const std::string& path, std::string* error) {
    ByteWriter out;
    WriteDocument(frame, out);
    if (!WriteFileAtomically(path, out.bytes(), error))
        return false;
    frame.FileName = finalComponent(path);
    frame.FilePath = path;
    frame.MarkUnchanged();
    return true;
}

} // namespace vorn
