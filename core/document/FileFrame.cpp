#include "document/FileFrame.h"

#include <charconv>
#include <stdexcept>

#include "pitch/FretandNoteRecs.h"
#include "strings/StringPhysics.h"

namespace vorn {

namespace {

// General form with up to 15 significant digits and '.' whatever the user's locale: the name
// ends up in file names and in the settings file.
std::string generalNumber(long double v) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15);
    return r.ec == std::errc() ? std::string(buffer, r.ptr) : std::string();
}

} // namespace

TFileFrame::TFileFrame(TGlobalData& settings) : Settings(settings), Chart(Document, settings) {}

void TFileFrame::NewFromDefaults() {
    int type = Settings.DefaultInstrumentType;
    if (type < 0 || type >= InstrumentTypeCount)
        type = 3;
    // A temperament the list does not hold would make a document no reader accepts.
    int temperament = Settings.DefaultTemperament;
    if (temperament > CustomTemperament)
        temperament = TGlobalData().DefaultTemperament;
    Document.ApplyTemplate(type, temperament, Settings.DefaultMaker);
    Family = FamilyOfType(type);
}

std::string TFileFrame::DisplayName() const {
    if (!FileName.empty())
        return FileName;
    long double length = Document.StringLength;
    try {
        length = RoundToDigits(length, Settings.LengthDigits);
    } catch (const std::out_of_range&) {
        // Precision outside what rounding takes: the length as it stands.
    }
    std::string name = Document.InstrumentName;
    if (!Document.MakerName.empty())
        name += "_" + Document.MakerName;
    name += "_" + std::to_string(Document.CourseCount) + "crs_sl" + generalNumber(length);
    return name;
}

void TFileFrame::ViewStrings() {
    if (!HasCourseRows())
        Chart.BuildCourses();
}

} // namespace vorn
