// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The tension profile of a string chart: one bar per string, courses in order, with the
// tension range of gut, so that an uneven stringing shows at a glance.

#include <string>
#include <vector>

#include "chart/StrFrame.h"

namespace vorn {

struct ProfileBar {
    int Course = 0;      // 1-based
    bool Octave = false; // the octave string beside its bass
    double Tension = 0;  // in the display unit, as the row shows it
    double Min = 0;      // the gut tension range in the display unit
    double Max = 0;
    bool OutOfRange = false; // drawn in the chart's red
    // Marked as the string's cells warn: near breaking as gut or as its plain alternative.
    BreakWarning Breaking = bw_none;
    std::string Label; // "Course 3: 2.86 kg.", "Course 6 octave: 2.75 kg."
    // The bar's hint, one line each: the string with its note and tension, its margin to
    // breaking, then why it is red: "Course 1 (g'): 4.08 kg." / "0.59 semitones below
    // breaking (Gut, 260 Hz·m)". '.' decimals.
    std::string Hint;
};

std::vector<ProfileBar> TensionProfile(const TStrFrame& chart);
// The top of the scale: a quarter above the largest tension, never 0.
double ProfileTop(const std::vector<ProfileBar>& bars);

// A mark of the tension scale: a value in the display unit and its text ('.' decimals).
struct ProfileTick {
    double Value = 0;
    std::string Text;
};
// Marks from 0 up to top at a round step (1, 2 or 5 times a power of ten), three to six of
// them; none for a top that is not a positive number.
std::vector<ProfileTick> ProfileTicks(double top);
// The scale's title: "Tension (kg.)".
std::string ProfileAxisTitle(int unit);

// What the picture's colours mean, in the order they are drawn.
// pk_breaking: the amber cap (under 2 semitones from breaking); pk_close_breaking: the red cap
// (under 1, or beyond).
enum ProfileKey : int { pk_band, pk_within, pk_beyond, pk_breaking, pk_close_breaking };
struct ProfileLegendEntry {
    ProfileKey Key = pk_band;
    std::string Text; // "Gut range 2.04 to 20.39 kg."
};
// Every mark the picture draws: the band and the bars always, a kind of cap where one is drawn.
std::vector<ProfileLegendEntry> ProfileLegend(const std::vector<ProfileBar>& bars, int unit);

} // namespace vorn
