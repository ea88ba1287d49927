// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/FileFrame.h"

#include <charconv>
#include <string_view>

#include "document/InstrumentTemplates.h"
#include "files/DocumentBody.h"
#include "io/ByteWriter.h"
#include "pitch/FretRecord.h"
#include "pitch/Temperaments.h"
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

std::string SafeFileName(const std::string& name) {
    constexpr size_t MaxBytes = 200; // leaves room for an extension and a temporary suffix
    std::string safe;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        const bool refused = u < 0x20 || u == 0x7f ||
                             std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
        safe += refused ? '_' : c;
    }
    if (safe.size() > MaxBytes) {
        size_t cut = MaxBytes;
        while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80)
            --cut;
        safe.resize(cut);
    }
    if (safe.find_first_not_of('.') == std::string::npos)
        safe.insert(safe.begin(), '_');
    return safe;
}

TFileFrame::TFileFrame(TGlobalData& settings) : Settings(settings), Chart(Document, settings) {}

void TFileFrame::NewFromDefaults() {
    ApplyTemplate(Settings.NewDocumentType());
    MarkUnchanged();
}

void TFileFrame::ApplyTemplate(int type) {
    Document.ApplyTemplate(type, Settings.NewDocumentTemperament(), Settings.DefaultMaker);
    Family = FamilyOfType(type);
}

std::string TFileFrame::DisplayName() const {
    if (!FileName.empty())
        return FileName;
    const long double length = RoundedOrKept(Document.StringLength, Settings.LengthDigits);
    // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) inside "_" + std::string.
    std::string name = Document.InstrumentName;
    if (!Document.MakerName.empty())
        name.append("_").append(Document.MakerName);
    name.append("_").append(std::to_string(Document.CourseCount));
    name.append("crs_sl").append(generalNumber(length));
    return SafeFileName(name);
}

bool TFileFrame::Changed() {
    ByteWriter out;
    WriteDocumentBody(Chart, out);
    return out.bytes() != savedBytes_;
}

void TFileFrame::MarkUnchanged() {
    ByteWriter out;
    WriteDocumentBody(Chart, out);
    savedBytes_ = out.take();
}

void TFileFrame::MarkUnchangedAs(TFileFrame& other) {
    ByteWriter out;
    WriteDocumentBody(other.Chart, out);
    savedBytes_ = out.take();
}

bool TFileFrame::LoadWholly(const std::function<bool(TFileFrame&)>& load) {
    if (Chart.Built || HasCourseRows()) {
        TFileFrame scratch(Settings);
        scratch.Document = Document;
        scratch.Family = Family;
        if (!load(scratch))
            return false;
        return load(*this);
    }
    const TInstDataType document = Document;
    const int family = Family;
    if (load(*this))
        return true;
    Document = document;
    Family = family;
    Chart.Clear();
    return false;
}

void TFileFrame::ViewStrings() {
    if (!HasCourseRows())
        Chart.BuildCourses();
}

} // namespace vorn
