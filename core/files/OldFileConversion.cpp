// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/OldFileConversion.h"

#include <cmath>
#include <exception>
#include <limits>
#include <string>

#include "document/InstrumentTemplates.h"
#include "files/DocumentBody.h"
#include "files/FileFrame.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/Real48.h"
#include "pitch/FretRecord.h"
#include "strings/StringPhysics.h"
#include "strings/StringRecord.h"

namespace vorn {

namespace {

// Semitone of old note name codes 0..17 above C; the names spell sharps and flats apart.
constexpr int OldNoteSemitone[18] = {0, 12, 1, 1, 2, 3, 3, 4, 5, 6, 6, 7, 8, 8, 9, 10, 10, 11};

constexpr uint8_t ImportTemperament = 7; // "1/11 Comma (Equal Temperament)"

class Refused : public std::exception {
public:
    explicit Refused(const char* message) : message_(message) {}
    const char* what() const noexcept override { return message_; }

private:
    const char* message_;
};

void skipReals(ByteReader& in, int n) {
    in.raw(6 * static_cast<size_t>(n));
}

// -1 for the name codes 18..31, which name no note.
int oldNoteNumber(uint8_t code) {
    const int octave = code / 32;
    const int name = code % 32;
    if (name >= 18)
        return -1;
    return (OldNoteSemitone[name] + 12 * (octave + 1)) % 256;
}

// The template of old instrument codes 0..7; the bowed codes 8..11 are refused before, and
// higher codes have none.
int oldTemplate(uint8_t code) {
    constexpr int Types[8] = {3, 10, 8, 13, 15, 16, 17, 17};
    return code < 8 ? Types[code] : -1;
}

// One old string record: length (cm) and tension (tens of newtons). The length goes to
// the row's first string, which the octave string follows; tensions are the file's, so the
// diameters are what gets recalculated.
void readOldString(ByteReader& in, TOneStringPanel& s, const TOneStringPanel* lengthFrom,
                   const TGlobalData& settings) {
    const double length = ReadReal48(in);
    const double tension = ReadReal48(in);
    in.skipStr();
    skipReals(in, 5);
    if (!(length >= MinStringLength && length <= MaxStringLength) || !(tension >= 0))
        throw Refused(LoadFileMessage);
    StringRecord& r = s.Rec;
    r.Length = lengthFrom ? lengthFrom->Rec.Length
                          : static_cast<float>(RoundToDigits(length, settings.LengthDigits));
    // At most what a tension cell takes, 10000 N (about 1020 kg): a string of these
    // instruments carries well under 200 N and a whole lute's bridge some 700 N. More is
    // damage (one file gave a bridge of 9.9e23 kg), with diameters beyond any string.
    const long double newtons = 10 * static_cast<long double>(tension);
    if (!(newtons <= MaxRowTensionN))
        throw Refused(LoadFileMessage);
    r.TensionN = static_cast<float>(newtons);
    // A diameter the recalculation cannot write would leave the row's default standing
    // beside the file's tension.
    r.GutDiameter = std::numeric_limits<float>::quiet_NaN();
    Recalculate(r, rm_diameter, false, settings);
    if (!std::isfinite(r.GutDiameter))
        throw Refused(LoadFileMessage);
}

// The whole import into one frame; throws ReadError or Refused, possibly half way.
void importInto(TFileFrame& frame, ByteReader& in) {
    TInstDataType& d = frame.Document;
    d.LegacyByte = in.u8();
    for (int block = 0; block < 4; ++block) {
        in.skipStr();
        skipReals(in, block < 3 ? 5 : 9);
    }
    in.raw(4);
    const double top = ReadReal48(in);
    const double second = ReadReal48(in);
    const uint8_t secondFrom = in.u8();
    const uint8_t pitchFlag = in.u8();
    const uint8_t useSecond = in.u8();
    const uint8_t code = in.u8();
    if (code >= 8 && code <= 11)
        throw Refused(BowedMessage);
    // Lengths as the current format takes them: what an entry could have set.
    if (!TopLengthRange.Holds(top) || !(second == 0 || SecondLengthRange.Holds(second)))
        throw Refused(LoadFileMessage);
    d.StringLength = static_cast<float>(top);
    d.SecondStringLength = static_cast<float>(second);
    d.SecondLengthFrom = secondFrom;
    d.APitch = pitchFlag != 0 ? 440.0f : 415.0f;
    d.UseSecondLength = useSecond != 0 ? 1 : 0;
    // Only the document half of a template: courses, lengths and pitch are the file's.
    if (const int type = oldTemplate(code); type >= 0)
        d.SetFromType(type);

    const uint8_t courses = in.u8();
    if (courses < MinCourses || courses > MaxCourses)
        throw Refused(LoadFileMessage);
    d.CourseCount = courses;
    in.u8();
    d.InstrumentName = in.str();
    d.MakerName = in.str();

    // The last character of either text is never used.
    // Old texts are only looked at code unit by code unit: no conversion to UTF-8, which would
    // turn stray surrogates into replacement characters.
    const std::u16string tuning = in.units();
    for (size_t i = 1; i <= MaxCourses && i < tuning.size(); ++i) {
        const int number = oldNoteNumber(static_cast<uint8_t>(tuning[i - 1] & 0xFF));
        if (number < 0)
            throw Refused(LoadFileMessage);
        d.CourseNotes[i - 1].Number = number;
    }
    const std::u16string setup = in.units();
    for (size_t i = 1; i <= MaxCourses && i < setup.size(); ++i) {
        switch (setup[i - 1] & 0xFF) {
        case 1:
            d.CourseKinds[i - 1] = ck_single;
            break;
        case 2:
            d.CourseKinds[i - 1] = ck_unison;
            break;
        case 4:
            d.CourseKinds[i - 1] = ck_bass_with_octave;
            break;
        default:
            break;
        }
    }
    in.skipStr();
    in.skipStr();

    d.SetTemperament(ImportTemperament);
    frame.Family = FamilyOfType(d.InstrumentType);
    // Rows always come fresh from the imported document.
    frame.Chart.Built = false;
    frame.Chart.BuildCourses();
    for (auto& row : frame.Chart.Courses) {
        readOldString(in, row->First, nullptr, frame.Settings);
        if (row->HasSecond())
            readOldString(in, *row->Second, &row->First, frame.Settings);
    }
    if (!RowsAreSound(frame.Chart))
        throw Refused(LoadFileMessage);
}

LoadOutcome runImport(TFileFrame& frame, ByteReader& in) {
    try {
        importInto(frame, in);
    } catch (const Refused& r) {
        return {LoadResult::Failed, r.what()};
    } catch (const std::exception&) {
        return {LoadResult::Failed, LoadFileMessage};
    }
    return {LoadResult::Loaded, {}};
}

// The old file holds tensions, a current one diameters: rows recalculated from the imported
// tensions can move by a rounding step once reopened from the diameters. Reading back what a
// Save would write shows now what every later Save and Open will.
bool settleAsSaved(TFileFrame& frame) {
    ByteWriter out;
    WriteDocument(frame, out);
    ByteReader saved(out.bytes());
    const std::string name = frame.FileName;
    if (ReadDocument(frame, saved, name).Result != LoadResult::Loaded)
        return false;
    frame.FileName = name;
    return true;
}

} // namespace

LoadOutcome ImportOldDocument(TFileFrame& frame, ByteReader& in) {
    LoadOutcome outcome;
    ByteReader rest = in;
    frame.LoadWholly([&](TFileFrame& target) {
        rest = in;
        outcome = runImport(target, rest);
        if (outcome.Result == LoadResult::Loaded && !settleAsSaved(target))
            outcome = {LoadResult::Failed, LoadFileMessage};
        return outcome.Result == LoadResult::Loaded;
    });
    if (outcome.Result != LoadResult::Loaded)
        return outcome;
    in = rest;
    frame.Chart.NotifyRows(-1);
    frame.Chart.NotifyBridge();
    return outcome;
}

} // namespace vorn
