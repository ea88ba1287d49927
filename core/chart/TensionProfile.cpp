#include "chart/TensionProfile.h"

#include <algorithm>
#include <cmath>

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

} // namespace vorn
