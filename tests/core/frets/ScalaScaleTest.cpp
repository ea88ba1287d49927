// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "frets/ScalaReader.h"
#include "frets/ScalaScale.h"
#include "pitch/FrequencyRecord.h"
#include "pitch/Intervals.h"
#include "pitch/Temperaments.h"

using namespace vorn;

namespace {

// What a Scala reader takes from the file: description, count and the pitches in cents (the
// last, 2/1, as 1200).
struct ReadScale {
    std::string description;
    int count = 0;
    std::vector<double> cents;
};

ReadScale readScala(const std::string& text) {
    ReadScale r;
    std::istringstream in(text);
    std::string line;
    int field = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '!')
            continue;
        if (field == 0) {
            r.description = line;
        } else if (field == 1) {
            r.count = std::stoi(line);
        } else {
            const size_t slash = line.find('/');
            r.cents.push_back(slash == std::string::npos
                                  ? std::stod(line)
                                  : 1200.0 * std::log2(std::stod(line.substr(0, slash)) /
                                                       std::stod(line.substr(slash + 1))));
        }
        ++field;
    }
    return r;
}

TEST(ScalaScale, QuarterCommaAsFrettedReadsBack) {
    const std::string text = ScalaFile("q.scl", "1/4 Comma", 0.25, DefaultMiFa, 12);
    const ReadScale r = readScala(text);
    EXPECT_EQ(r.description, "1/4 Comma");
    ASSERT_EQ(r.count, 12);
    ASSERT_EQ(r.cents.size(), 12u);
    const double expected[] = {117.10786, 193.15686, 310.26471, 386.31371,  503.42157,  579.47057,
                               696.57843, 813.68629, 889.73529, 1006.84314, 1082.89214, 1200};
    for (int i = 0; i < 12; ++i)
        EXPECT_NEAR(r.cents[i], expected[i], 5e-6) << "note " << i + 1;
}

TEST(ScalaScale, TwelveNotesFollowTheFretChoices) {
    FretChoices own = DefaultMiFa;
    own[0] = fc_mi; // first fret on the c-sharp
    const double fifth = TemperedFifth(0.25);
    const ReadScale r = readScala(ScalaFile("o.scl", "own", 0.25, own, 12));
    ASSERT_EQ(r.cents.size(), 12u);
    EXPECT_NEAR(r.cents[0], IntervalCents(0, fifth), 5e-6); // chromatic semitone
    FretRecord record;
    record.Choices = own;
    record.Prepare();
    for (int fret = 2; fret <= 11; ++fret)
        EXPECT_NEAR(r.cents[fret - 1], MainCents(record, fifth, fret), 5e-6);
}

TEST(ScalaScale, SeventeenNotesAscendWithBothSpellings) {
    for (double fraction : {0.25, 1.0 / 6.05, 0.0}) {
        const ReadScale r = readScala(ScalaFile("s.scl", "17", fraction, DefaultMiFa, 17));
        ASSERT_EQ(r.count, 17);
        ASSERT_EQ(r.cents.size(), 17u);
        for (size_t i = 1; i < r.cents.size(); ++i)
            EXPECT_LT(r.cents[i - 1], r.cents[i]) << fraction;
        FrequencyRecord table;
        table.Compute(fraction, 440);
        // Every note of the table is there (C itself is the tonic).
        for (int n = 1; n < FrequencyRecord::ScaleSize; ++n) {
            bool found = false;
            for (double c : r.cents)
                found = found || std::abs(c - table.Cents[n]) < 5e-6;
            EXPECT_TRUE(found) << fraction << " note " << n;
        }
    }
}

TEST(ScalaScale, DescriptionStaysOneLine) {
    const ReadScale r = readScala(ScalaFile("x.scl", "a\nb\rc", 0.25, DefaultMiFa, 12));
    EXPECT_EQ(r.description, "a b c");
    EXPECT_EQ(r.count, 12);
}

} // namespace

namespace {

// A rule's or a read scale's export reads back as the same frets, its source in a comment.
class ScaleExportTest : public ::testing::TestWithParam<FretRule> {};

TEST_P(ScaleExportTest, ReadsBackToTheSameFrets) {
    const FretScale rule = RuleScale(GetParam());
    const std::string text = ScalaFileOfScale("rule.scl", rule);
    EXPECT_NE(text.find("! " + rule.Source + "\n"), std::string::npos);
    const ScalaReading read = ReadScalaScale(text, "rule.scl");
    ASSERT_TRUE(read.Scale.has_value());
    EXPECT_EQ(read.Scale->Name, rule.Name);
    for (int fret = 1; fret <= ScaleFretCount; ++fret)
        EXPECT_NEAR(ScaleFretOf(*read.Scale, fret).Position, ScaleFretOf(rule, fret).Position, 1e-8)
            << fret;
}

INSTANTIATE_TEST_SUITE_P(Rules, ScaleExportTest, ::testing::Values(fr_dowland, fr_galilei));

} // namespace
