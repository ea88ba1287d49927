// SPDX-License-Identifier: GPL-3.0-or-later

// vorn-calc fit: measured frets in, the temperament they were set to out.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "io/NumberText.h"
#include "pitch/FretRecord.h"
#include "pitch/Intervals.h"
#include "support/CalcRunner.h"

using nlohmann::json;
using vorn::testing::calc;
using vorn::testing::CalcRun;

namespace {

// Quarter-comma frets 1..11 at 60 cm under the standard choices, to a tenth of a millimetre,
// comma-separated; the fret `skip` left empty.
std::string quarterCommaFrets(int skip) {
    vorn::FretRecord r;
    r.Length = 60;
    r.Prepare();
    std::string list;
    for (int fret = 1; fret <= 11; ++fret) {
        if (fret > 1)
            list += ',';
        if (fret == skip)
            continue;
        const double d =
            vorn::FretDistance(60, vorn::MainCents(r, vorn::TemperedFifth(0.25), fret));
        list += vorn::FixedText(std::nearbyint(d * 100) / 100, 2);
    }
    return list;
}

TEST(CalcFit, QuarterCommaFretsAsJson) {
    const CalcRun r = calc("fit --length 60 --frets " + quarterCommaFrets(6) + " --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Ordered, to see the keys in the order they are written.
    const auto j = nlohmann::ordered_json::parse(r.out);
    std::string keys;
    for (const auto& item : j.items())
        keys += item.key() + " ";
    EXPECT_EQ(keys, "comma_fraction nearest rms_cents choices frets ");
    EXPECT_NEAR(j["comma_fraction"].get<double>(), 0.25, 0.01);
    EXPECT_EQ(j["nearest"], "1/4 Comma (Pure major third)");
    EXPECT_LT(j["rms_cents"].get<double>(), 0.5);
    EXPECT_EQ(j["choices"], json::parse("[1, 0, 1, 0, 1, 0, 2, 1, 0, 1, 0]"));
    ASSERT_EQ(j["frets"].size(), 10u);
    const auto& first = j["frets"][0];
    keys.clear();
    for (const auto& item : first.items())
        keys += item.key() + " ";
    EXPECT_EQ(keys, "fret measured fitted error_mm error_cents choice ");
    EXPECT_EQ(first["fret"], 1);
    EXPECT_DOUBLE_EQ(first["measured"].get<double>(), 3.92);
    EXPECT_NEAR(first["fitted"].get<double>(), 3.92, 0.01);
    EXPECT_EQ(first["choice"], 1);
    EXPECT_EQ(j["frets"][5]["fret"], 7); // fret 6 was not measured
    EXPECT_NEAR(j["frets"][5]["error_mm"].get<double>(), 0, 0.1);
}

TEST(CalcFit, RefusesWithExitTwo) {
    struct Case {
        std::string args;
        const char* says;
    } cases[] = {
        // The fit's own refusals pass through.
        {"fit --length 60 --frets 3.92,,,40", "Fret 4 at 40 cm"},
        {"fit --length 60 --frets 1,2,3,4,5,6,7,8,9,10,11,12", "more than eleven"},
        {"fit --length 60 --frets 3.92,x,9.84,12", "Fret 2: 'x' is not a number"},
        // Figures that cannot be frets name no temperament.
        {"fit --length 60 --frets 3.5,3.5,3.5", "not further from the nut than fret 1"},
        {"fit --length 60 --frets 10,5,3", "Fret 2 at 5 cm is not further"},
        {"fit --length 60 --frets ,,,,,,,,4,5,6", "cents from the best fit"},
        {"fit --length 60 --frets 3.92," + std::string(60000, '1'), "Fret 2: '1111"},
    };
    for (const Case& c : cases) {
        const CalcRun r = calc(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_LT(r.err.size(), 200u) << c.args.substr(0, 60);
    }
}

} // namespace
