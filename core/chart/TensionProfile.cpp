// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/TensionProfile.h"

#include <algorithm>
#include <cmath>

#include "io/NumberText.h"
#include "pitch/NoteValue.h"
#include "strings/StringWarnings.h"

namespace vorn {

std::vector<ProfileBar> TensionProfile(const TStrFrame& chart) {
    std::vector<ProfileBar> bars;
    const TStringMaterialItem& gut = chart.Settings.Materials.Reference();
    const int unit = chart.Settings.TensionUnit;
    const int digits = chart.Settings.TensionDigits;
    for (const auto& course : chart.Courses) {
        for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
            const TOneStringPanel& s = course->String(which);
            ProfileBar bar;
            bar.Course = course->Number;
            bar.Octave = which == 1;
            bar.Tension = s.ShownTension(chart.Settings);
            bar.Min = static_cast<double>(FromNewtons(gut.MinTension, unit, digits));
            bar.Max = static_cast<double>(FromNewtons(gut.MaxTension, unit, digits));
            bar.OutOfRange = s.TensionRed();
            bar.Breaking = s.BreakWarningOf(chart.Settings.Materials);
            bar.Label = "Course " + std::to_string(course->Number) +
                        (bar.Octave ? " octave: " : ": ") + s.TensionText(chart.Settings) + " " +
                        TensionUnitSuffix(unit);
            NoteValue note = s.Rec.Note; // naming may spell it
            bar.Hint = "Course " + std::to_string(course->Number) + (bar.Octave ? " octave" : "") +
                       " (" + NoteName(note, ChartKey, false) +
                       "): " + s.TensionText(chart.Settings) + " " + TensionUnitSuffix(unit) +
                       "\n" + StringBreakingText(s.Rec, chart.Settings.Materials);
            const std::string why = TensionWarning(s.Rec, chart.Settings);
            if (!why.empty())
                bar.Hint += "\n" + why;
            bars.push_back(std::move(bar));
        }
    }
    return bars;
}

double ProfileTop(const std::vector<ProfileBar>& bars) {
    double top = 0;
    for (const ProfileBar& b : bars)
        if (std::isfinite(b.Tension))
            top = std::max(top, b.Tension);
    // Room above the tallest bar; the gut band is cut at the top rather than flattening bars.
    return top > 0 ? top * 1.25 : 1;
}

std::vector<ProfileTick> ProfileTicks(double top) {
    std::vector<ProfileTick> ticks;
    if (!std::isfinite(top) || !(top > 0))
        return ticks;
    // The smallest round step that leaves at most five steps under the top.
    const double power = std::pow(10.0, std::floor(std::log10(top / 5)));
    double step = power;
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * power;
        if (top / step <= 5 + 1e-9)
            break;
    }
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    for (int i = 0; i * step <= top * (1 + 1e-9); ++i)
        ticks.push_back({i * step, FixedText(i * step, decimals)});
    return ticks;
}

std::string ProfileAxisTitle(int unit) {
    return "Tension (" + TensionUnitSuffix(unit) + ")";
}

std::vector<ProfileLegendEntry> ProfileLegend(const std::vector<ProfileBar>& bars, int unit) {
    if (bars.empty())
        return {};
    const ProfileBar& any = bars.front();
    std::vector<ProfileLegendEntry> legend{
        {pk_band, "Gut range " + FormatShortest(static_cast<float>(any.Min)) + " to " +
                      FormatShortest(static_cast<float>(any.Max)) + " " + TensionUnitSuffix(unit)},
        {pk_within, "Within range"},
        {pk_beyond, "Out of range (gut or alternative)"}};
    // The caps are explained only where one is drawn.
    const auto drawn = [&](BreakWarning w) {
        return std::any_of(bars.begin(), bars.end(),
                           [w](const ProfileBar& b) { return b.Breaking == w; });
    };
    if (drawn(bw_near))
        legend.push_back({pk_breaking, "Cap: under 2 semitones from breaking"});
    if (drawn(bw_close))
        legend.push_back({pk_close_breaking, "Cap: under 1 semitone from breaking, or beyond"});
    return legend;
}

} // namespace vorn
