#include "chart/OneStringPanel.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "pitch/Intervals.h"

namespace vorn {

int TOneStringPanel::WholeHertz() const {
    return vorn::WholeHertz(Rec.Frequency);
}

std::string TOneStringPanel::FrequencyText() const {
    const double rounded = static_cast<double>(RoundToDigits(Rec.Frequency, -2));
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed);
    std::string text =
        written.ec == std::errc() ? std::string(buffer, written.ptr) : std::string("0");
    return text + " Hz.";
}

std::string TOneStringPanel::NoteText() const {
    NoteValue note = Rec.Note;
    return NoteName(note, ChartKey, true);
}

std::string TOneStringPanel::LengthText() const {
    return FormatShortest(Rec.Length);
}
float TOneStringPanel::ShownTension(const StringSettings& settings) const {
    return vorn::ShownTension(Rec.TensionN, settings.TensionUnit, settings.TensionDigits);
}
std::string TOneStringPanel::TensionText(const StringSettings& settings) const {
    return FormatShortest(ShownTension(settings));
}
std::string TOneStringPanel::GutDiameterText() const {
    return FormatShortest(Rec.GutDiameter);
}

std::string TOneStringPanel::AltText(const TStringMaterialCollection& materials) const {
    return Rec.AltText(materials);
}

bool TOneStringPanel::AltIsLabel(const TStringMaterialCollection& materials) const {
    return Rec.IsCatalogue(materials);
}

} // namespace vorn
