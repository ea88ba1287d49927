// SPDX-License-Identifier: GPL-3.0-or-later

// The marks a string carries on paper and the texts that say why a cell warns.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "strings/StringWarnings.h"

namespace vorn {
namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

TEST(StringWarnings, MarksByCause) {
    const struct {
        const char* cause;
        LimitState tension, gut, alt;
        double margin;
        const char* marks;
        size_t legendLines;
    } cases[] = {
        {"within limits", ls_ok, ls_ok, ls_ok, 3.2, "", 0},
        {"exactly 2 semitones", ls_ok, ls_ok, ls_ok, 2.0, "", 0},
        {"tension over", ls_tension_high, ls_ok, ls_ok, 3.2, "!", 1},
        {"gut diameter under", ls_ok, ls_diameter_low, ls_ok, 3.2, "!", 1},
        {"alternative over", ls_ok, ls_ok, ls_diameter_high, 3.2, "!", 1},
        {"under 2 semitones", ls_ok, ls_ok, ls_ok, 1.7, "^", 1},
        {"under 1 semitone", ls_ok, ls_ok, ls_ok, 0.59, "^^", 1},
        {"at breaking as shown", ls_ok, ls_ok, ls_ok, 0.004, "^^^", 1},
        {"beyond breaking", ls_ok, ls_ok, ls_ok, -0.97, "^^^", 1},
        {"limit and breaking", ls_tension_low, ls_ok, ls_ok, 0.5, "!^^", 2},
        {"no index (wound)", ls_ok, ls_ok, ls_ok, None, "", 0},
    };
    for (const auto& k : cases) {
        const StringMarks marks = MarksFor(k.tension, k.gut, k.alt, k.margin);
        EXPECT_EQ(marks.Text(), k.marks) << k.cause;
        EXPECT_EQ(marks.Any(), *k.marks != '\0') << k.cause;
        const std::vector<std::string> legend = MarkLegend({StringMarks{}, marks});
        ASSERT_EQ(legend.size(), k.legendLines) << k.cause;
        // Each legend line opens with the mark it explains, set apart by blanks.
        if (!legend.empty()) {
            EXPECT_EQ(legend.back().substr(0, legend.back().find(' ')),
                      std::string(k.marks).substr(marks.Limit && k.legendLines == 2 ? 1 : 0))
                << k.cause;
        }
    }
    const std::vector<std::string> all =
        MarkLegend({MarksFor(ls_tension_high, ls_ok, ls_ok, 1.5),
                    MarksFor(ls_ok, ls_ok, ls_ok, 0.5), MarksFor(ls_ok, ls_ok, ls_ok, -1)});
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].rfind("!    ", 0), 0u);
    EXPECT_EQ(all[1].rfind("^    ", 0), 0u);
    EXPECT_EQ(all[2].rfind("^^   ", 0), 0u);
    EXPECT_EQ(all[3].rfind("^^^  ", 0), 0u);
}

struct HintCase {
    const char* cause;
    VornTensType unit;
    float tensionN;
    float gutDiameter;
    const char* alternative;
    float altDiameter;
    double frequency; // at 60 cm
    const char* tension;
    const char* gut;
    const char* alt;
};

TEST(StringWarnings, EveryWarningSaysWhy) {
    // f·L at 60 cm: 440 Hz gives 264 Hz·m, above gut's 260; 400 Hz 240; 300 Hz 180.
    const HintCase cases[] = {
        {"within everything", tt_kilograms, 50, 0.5f, "Nylon", 0.5f, 300, "", "", ""},
        {"tension over, in kg", tt_kilograms, 250, 0.5f, "Nylon", 0.5f, 300,
         "Gut: 25.49 kg. is over its maximum of 20.39 kg.", "", ""},
        {"tension under, in N", tt_newtons, 10, 0.5f, "Nylon", 0.5f, 300,
         "Gut: 10 N. is under its minimum of 20 N.", "", ""},
        {"tension over, in lb", tt_pounds, 250, 0.5f, "Nylon", 0.5f, 300,
         "Gut: 56.2 lb. is over its maximum of 44.96 lb.", "", ""},
        {"alternative diameter over", tt_kilograms, 50, 0.5f, "Carbon PVF", 0.926f, 300, "", "",
         "Carbon PVF: 0.926 mm is over its maximum of 0.9 mm"},
        {"alternative diameter under", tt_kilograms, 50, 0.5f, "Nylgut", 0.25f, 300, "", "",
         "Nylgut: 0.25 mm is under its minimum of 0.3 mm"},
        {"under 2 semitones", tt_kilograms, 50, 0.5f, "Nylon", 0.5f, 400, "",
         "1.39 semitones below breaking (Gut, 260 Hz\u00B7m)",
         "1.39 semitones below breaking (Nylon, 260 Hz\u00B7m)"},
        {"beyond gut, close for carbon", tt_kilograms, 50, 0.5f, "Carbon PVF", 0.5f, 440, "",
         "0.26 semitones above breaking (Gut, 260 Hz\u00B7m)",
         "0.71 semitones below breaking (Carbon PVF, 275 Hz\u00B7m)"},
        {"gut over its diameter and beyond breaking", tt_kilograms, 50, 1.6f, "Savarez", 0, 440, "",
         "Gut: 1.6 mm is over its maximum of 1.5 mm\n"
         "0.26 semitones above breaking (Gut, 260 Hz\u00B7m)",
         ""},
    };
    for (const HintCase& k : cases) {
        StringSettings settings;
        settings.SetTensionUnit(k.unit);
        StringRecord row;
        row.Frequency = k.frequency;
        row.Length = 60;
        row.TensionN = k.tensionN;
        row.GutDiameter = k.gutDiameter;
        row.AltChoice = k.alternative;
        row.AltDiameter = k.altDiameter;
        RefreshLimits(row, settings);
        EXPECT_EQ(TensionWarning(row, settings), k.tension) << k.cause;
        EXPECT_EQ(GutDiameterWarning(row, settings), k.gut) << k.cause;
        EXPECT_EQ(AltDiameterWarning(row, settings), k.alt) << k.cause;
    }
}

TEST(StringWarnings, BreakingTextsNameTheCloserMaterial) {
    EXPECT_EQ(BreakingText(0.97, "Gut", 260), "0.97 semitones below breaking (Gut, 260 Hz\u00B7m)");
    EXPECT_EQ(BreakingText(-0.97, "Gut", 260),
              "0.97 semitones above breaking (Gut, 260 Hz\u00B7m)");
    EXPECT_EQ(BreakingText(1.001, "Nylgut", 245),
              "1 semitone below breaking (Nylgut, 245 Hz\u00B7m)");
    EXPECT_EQ(BreakingText(0.003, "Gut", 260), "at breaking (Gut, 260 Hz\u00B7m)");

    StringSettings settings;
    StringRecord row;
    row.Frequency = 440;
    row.Length = 60;
    row.AltChoice = "Nylgut"; // 245 Hz·m: closer than gut's 260
    EXPECT_EQ(StringBreakingText(row, settings.Materials),
              "1.29 semitones above breaking (Nylgut, 245 Hz\u00B7m)");
    row.AltChoice = "Savarez"; // wound: gut's margin alone
    EXPECT_EQ(StringBreakingText(row, settings.Materials),
              "0.26 semitones above breaking (Gut, 260 Hz\u00B7m)");
    settings.Materials[0].BreakingIndex = 0;
    EXPECT_EQ(StringBreakingText(row, settings.Materials), "no breaking index");
    EXPECT_FALSE(MarksOf(row, settings.Materials).Any());
}

} // namespace
} // namespace vorn
