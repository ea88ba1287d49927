// SPDX-License-Identifier: GPL-3.0-or-later

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

TOneStringPanel::BreakWarnings
TOneStringPanel::Warnings(const TStringMaterialCollection& materials) const {
    const BreakFigures figures = Breaking(materials);
    return {WarningFor(figures.GutMargin),
            figures.AltMargin ? WarningFor(*figures.AltMargin) : bw_none};
}

namespace {

// The shortest of a figure already rounded to `decimals`: "228", "2.3", "-0.25".
std::string ShortFixed(double value, int decimals) {
    std::string text = FixedText(value, decimals);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

} // namespace

std::string TOneStringPanel::GutDiameterHint(const TStringMaterialCollection& materials) const {
    const BreakFigures figures = Breaking(materials);
    std::string hint = "f\u00B7L " + ShortFixed(ShownFrequencyLength(figures.FL), 1) + " Hz\u00B7m";
    const double margin = ShownBreakMargin(figures.GutMargin);
    if (!std::isfinite(margin))
        return hint;
    if (margin == 0)
        return hint + ", at breaking";
    return hint + ", " + ShortFixed(std::abs(margin), 2) + " semitones " +
           (margin > 0 ? "below" : "above") + " breaking";
}

} // namespace vorn
