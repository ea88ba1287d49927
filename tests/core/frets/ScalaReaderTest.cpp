// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frets/ScalaReader.h"
#include "frets/ScalaScale.h"
#include "pitch/FretDistribution.h"
#include "pitch/Temperaments.h"
#include "support/CaseName.h"

using namespace vorn;
using vorn::testing::CaseName;

namespace {

// Eleven pitches below the octave, for files that only vary around them.
const std::string TwelveBody = " 100.0\n 200.0\n 300.0\n 400.0\n 500.0\n 600.0\n 700.0\n 800.0\n"
                               " 900.0\n 1000.0\n 1100.0\n";

struct GoodFile {
    const char* what;
    std::string text;
    std::string name; // the scale's name as read
    int notes;
    double second; // cents of the second pitch
};

class ScalaGood : public ::testing::TestWithParam<GoodFile> {};

TEST_P(ScalaGood, Reads) {
    const GoodFile& c = GetParam();
    const ScalaReading r = ReadScalaScale(c.text, "file.scl");
    ASSERT_TRUE(r.Scale) << r.Refusal->Message();
    EXPECT_FALSE(r.Refusal);
    EXPECT_EQ(r.Scale->Name, c.name);
    EXPECT_EQ(r.Scale->Source, "file.scl");
    EXPECT_EQ(r.Scale->Notes, c.notes);
    ASSERT_EQ(r.Scale->Cents.size(), static_cast<size_t>(c.notes));
    EXPECT_NEAR(r.Scale->Cents[1], c.second, 1e-9);
    EXPECT_EQ(r.Scale->Cents.back(), 1200.0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ScalaReader, ScalaGood, ::testing::Values(
    GoodFile{"plain cents", "Equal\n12\n" + TwelveBody + "1200.0\n", "Equal", 12, 200},
    GoodFile{"comments anywhere and trailing text",
             "! a.scl\n!\n Equal, twelve \n! count next\n 12 notes\n!\n 100.0 c#\n 9/8 d ! tone\n"
             " 300.\n 400.0\n 500.0\n 600.0\n 700.0\n 800.0\n 900.0\n 1000.0\n 1100.0\n 2 octave\n",
             "Equal, twelve", 12, 203.91000173077484},
    GoodFile{"empty description takes the file name", "\n12\n" + TwelveBody + "2/1\n", "file", 12,
             200},
    GoodFile{"CR LF, a byte order mark and closing blank lines",
             "\xEF\xBB\xBF! crlf\r\nEqual\r\n12\r\n 100.0\r\n 200.0\r\n 300.0\r\n 400.0\r\n 500.0\r\n"
             " 600.0\r\n 700.0\r\n 800.0\r\n 900.0\r\n 1000.0\r\n 1100.0\r\n 2/1\r\n\r\n  \r\n",
             "Equal", 12, 200},
    GoodFile{"old Mac line ends", "Equal\r12\r 100.0\r 200.0\r 300.0\r 400.0\r 500.0\r 600.0\r"
             " 700.0\r 800.0\r 900.0\r 1000.0\r 1100.0\r 2/1", "Equal", 12, 200},
    GoodFile{"tabs and an octave a hair off", "Tabs\n\t12\n\t100.0\t!x\n 200.0\n 300.0\n 400.0\n"
             " 500.0\n 600.0\n 700.0\n 800.0\n 900.0\n 1000.0\n 1100.0\n 1200.0004\n", "Tabs", 12,
             200},
    GoodFile{"seventeen notes", "Seventeen\n17\n 76.0\n 117.0\n 193.0\n 269.0\n 310.0\n 386.0\n"
             " 503.0\n 579.0\n 621.0\n 697.0\n 772.0\n 814.0\n 890.0\n 966.0\n 1007.0\n 1083.0\n"
             " 2/1\n", "Seventeen", 17, 117}),
    [](const auto& info) { return CaseName(info.param.what); });
// clang-format on

struct BadFile {
    const char* what;
    std::string text;
    std::string message;
};

class ScalaBad : public ::testing::TestWithParam<BadFile> {};

TEST_P(ScalaBad, IsRefusedWithItsLine) {
    const BadFile& c = GetParam();
    const ScalaReading r = ReadScalaScale(c.text, "bad.scl");
    ASSERT_TRUE(r.Refusal);
    EXPECT_FALSE(r.Scale);
    EXPECT_EQ(r.Refusal->Message(), c.message);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ScalaReader, ScalaBad, ::testing::Values(
    BadFile{"empty", "", "line 1: the file ends before the note count"},
    BadFile{"only comments", "! x\n! y\n", "line 3: the file ends before the note count"},
    BadFile{"no count", "Equal\n", "line 2: the file ends before the note count"},
    BadFile{"blank count", "Equal\n\n", "line 2: no note count on this line"},
    BadFile{"count not a number", "Equal\ntwelve\n", "line 2: 'twelve' is not a note count"},
    BadFile{"count with a sign", "Equal\n+12\n", "line 2: '+12' is not a note count"},
    BadFile{"count too large", "Equal\n99999999999999999999\n",
            "line 2: '99999999999999999999' is not a note count"},
    BadFile{"other count", "! c\nEqual\n 19\n",
            "line 3: a scale of 19 notes: frets follow scales of 12 or 17 notes"},
    BadFile{"too few pitches", "Equal\n12\n" + TwelveBody,
            "line 14: the file ends after 11 of the 12 pitches"},
    BadFile{"too many pitches", "Equal\n12\n" + TwelveBody + "2/1\n!\n 3/1\n",
            "line 16: more pitches than the note count of 12"},
    BadFile{"blank among the pitches", "Equal\n12\n 100.0\n\n 300.0\n",
            "line 4: no pitch on this line"},
    BadFile{"word", "Equal\n12\n 100.0\n two\n", "line 4: 'two' is not a pitch: cents hold a "
            "'.', a ratio is written as 3/2"},
    BadFile{"two points", "Equal\n12\n 100.0.0\n", "line 3: '100.0.0' is not a number of cents"},
    BadFile{"exponent", "Equal\n12\n 1.0e2\n", "line 3: '1.0e2' is not a number of cents"},
    BadFile{"ratio without a denominator", "Equal\n12\n 9/\n", "line 3: '9/' is not a pitch: cents hold a "
            "'.', a ratio is written as 3/2"},
    BadFile{"zero ratio", "Equal\n12\n 0/1\n", "line 3: the ratio '0/1' is zero"},
    BadFile{"zero denominator", "Equal\n12\n 3/0\n", "line 3: the ratio '3/0' has a zero denominator"},
    BadFile{"negative ratio", "Equal\n12\n -3/2\n", "line 3: the ratio '-3/2' is negative"},
    BadFile{"huge ratio", "Equal\n12\n 99999999999999999999999/2\n",
            "line 3: the ratio '99999999999999999999999/...' has a term too large"},
    BadFile{"not above the open string", "Equal\n12\n 0.0\n",
            "line 3: '0.0' does not rise above the open string (1/1)"},
    BadFile{"below the open string", "Equal\n12\n -10.0\n",
            "line 3: '-10.0' does not rise above the open string (1/1)"},
    BadFile{"falling", "Equal\n12\n 150.0\n 16/15\n",
            "line 4: '16/15' does not rise above the pitch before it"},
    BadFile{"repeated", "Equal\n12\n 100.0\n 100.0\n",
            "line 4: '100.0' does not rise above the pitch before it"},
    BadFile{"octave too early", "Equal\n12\n 100.0\n 2/1\n",
            "line 4: '2/1' reaches the octave before the last pitch"},
    BadFile{"no octave last", "Equal\n12\n" + TwelveBody + " 3/1\n",
            "line 14: '3/1' is not the octave: the last pitch must be 2/1 (1200 cents), as fret "
            "12 halves the string"},
    BadFile{"NUL byte", std::string("Equal\n12\n 100.0\n") + '\0' + "\n",
            "line 4: a NUL byte: this is not a text file"},
    BadFile{"too large", "Big\n12\n" + std::string(70000, '!'),
            "the file is larger than 64 KiB: no scale of 12 or 17 notes needs that"}),
    [](const auto& info) { return CaseName(info.param.what); });
// clang-format on

// Vorn's own Scala files of every named temperament read back to the fret table's places: a
// 12-note file to the main positions, a 17-note one to both sides where it holds both notes.
struct RoundTrip {
    int temperament;
    int notes;
};

class ScalaRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ScalaRoundTrip, ReadsBackToTheFretTable) {
    const RoundTrip& c = GetParam();
    const double fraction = TemperamentFraction(c.temperament);
    const std::string text = ScalaFile("own.scl", TemperamentName(c.temperament, fraction),
                                       fraction, DefaultMiFa, c.notes);
    const ScalaReading read = ReadScalaScale(text, "own.scl");
    ASSERT_TRUE(read.Scale) << read.Refusal->Message();
    EXPECT_EQ(read.Scale->Notes, c.notes);
    EXPECT_EQ(read.Scale->Name, TemperamentName(c.temperament, fraction));

    const NoteValue open{60, 0, 0};
    const FretDistribution table = ComputeFretDistribution(open, 1, fraction, 440, DefaultMiFa);
    const FretDistribution scale = ScaleFretDistribution(*read.Scale, open, 1, 261.6, DefaultMiFa);
    for (int i = 0; i < ScaleFretCount; ++i) {
        const FretRow& want = table.Rows[i];
        const FretRow& got = scale.Rows[i];
        EXPECT_NEAR(got.Main.Distance, want.Main.Distance, 1e-6) << "fret " << i + 1;
        EXPECT_EQ(got.Main.Name, want.Main.Name) << "fret " << i + 1;
        const bool pair =
            c.notes == 17 && (i == 0 || i == 2 || i == 5 || i == 7 || i == 9 || i == 12);
        ASSERT_EQ(got.Alt.has_value(), pair) << "fret " << i + 1;
        if (pair) {
            EXPECT_NEAR(got.Alt->Distance, want.Alt->Distance, 1e-6) << "fret " << i + 1;
            EXPECT_EQ(got.Alt->Name, want.Alt->Name) << "fret " << i + 1;
            EXPECT_EQ(got.Choice, want.Choice) << "fret " << i + 1;
        } else {
            EXPECT_EQ(got.Choice, fc_fixed) << "fret " << i + 1;
        }
    }
}

std::vector<RoundTrip> roundTrips() {
    std::vector<RoundTrip> all;
    for (int t = 0; t < NamedTemperamentCount; ++t)
        for (int notes : {12, 17})
            all.push_back({t, notes});
    return all;
}

INSTANTIATE_TEST_SUITE_P(ScalaReader, ScalaRoundTrip, ::testing::ValuesIn(roundTrips()),
                         [](const auto& info) {
                             return "temperament" + std::to_string(info.param.temperament) + "_" +
                                    std::to_string(info.param.notes);
                         });

TEST(ScalaReader, JustScaleGivesEachFretOnePlace) {
    const char* text = "! just.scl\n!\nJust intonation\n 12\n!\n 16/15\n 9/8\n 6/5\n 5/4\n 4/3\n"
                       " 45/32\n 3/2\n 8/5\n 5/3\n 9/5\n 15/8\n 2/1\n";
    const double ratios[12] = {16.0 / 15, 9.0 / 8, 6.0 / 5, 5.0 / 4, 4.0 / 3,  45.0 / 32,
                               3.0 / 2,   8.0 / 5, 5.0 / 3, 9.0 / 5, 15.0 / 8, 2.0};
    const ScalaReading read = ReadScalaScale(text, "just.scl");
    ASSERT_TRUE(read.Scale) << read.Refusal->Message();
    for (int n = 1; n <= 12; ++n) {
        const ScaleFret f = ScaleFretOf(*read.Scale, n);
        EXPECT_NEAR(f.Position, 1 - 1 / ratios[n - 1], 1e-12) << "fret " << n;
        EXPECT_FALSE(f.Fa);
    }
    // Frets 13 and 14 are frets 1 and 2 on the half string.
    EXPECT_NEAR(ScaleFretOf(*read.Scale, 13).Position, 0.5 + 0.5 / 16, 1e-12);
    EXPECT_NEAR(ScaleFretOf(*read.Scale, 14).Position, 0.5 + 0.5 / 9, 1e-12);

    // The one note of a chromatic fret is spelled as the choices spell it; frequencies rise
    // from the open string by the scale's own ratios.
    FretChoices choices = DefaultMiFa;
    choices[0] = fc_mi;
    const FretDistribution d = ScaleFretDistribution(*read.Scale, {60, 0, 0}, 60, 200, choices);
    EXPECT_EQ(d.Rows[0].Main.Name, "c-sharp");
    EXPECT_EQ(d.Rows[2].Main.Name, "e-flat");
    EXPECT_EQ(d.Rows[12].Main.Name, "c-sharp'");
    EXPECT_NEAR(d.Rows[6].Main.Frequency, 300, 1e-9);
    EXPECT_NEAR(d.Rows[11].Main.Distance, 30, 1e-12);
    EXPECT_NEAR(d.Rows[13].Main.Frequency, 450, 1e-9);
    EXPECT_EQ(d.Fifth, 0);
}

} // namespace
