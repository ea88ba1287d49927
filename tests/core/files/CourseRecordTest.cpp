// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "files/CourseRecord.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "support/ChartFixture.h"

namespace vorn {
namespace {

using testing::Chart;

std::string Records(const TStrFrame& chart) {
    ByteWriter out;
    WriteCourseRecords(chart, out);
    return out.take();
}

// A Baroque lute in D minor with cells of every kind touched: course 1 chanterelle, 2 single,
// 3..5 unison, 6..13 bass with octave.
struct EditedLute : Chart {
    EditedLute() : Chart(10) {
        const auto& items = course(1).First.AltItems;
        const auto at = [&](const char* name) {
            return static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
        };
        course(1).EditGutDiameter(0, 0.45);
        course(2).StepNote(true);
        course(3).SelectAlternative(0, at("Copper"));
        course(8).EditLength(72.5);
        course(9).EditTension(1, 4.0);
        course(9).SelectAlternative(1, at("Savarez"));
        chart.StoreCourses();
    }
};

TEST(CourseRecords, WrittenAndReadBackReproduceTheRows) {
    EditedLute written;
    const std::string bytes = Records(written.chart);
    Chart read(10);
    read.doc = written.doc;
    ByteReader in(bytes);
    ASSERT_TRUE(ReadCourseRecords(read.chart, in));
    EXPECT_TRUE(in.atEnd());
    ASSERT_EQ(read.chart.CourseCount(), 13);
    for (int n = 1; n <= 13; ++n) {
        const TOneCrsPanel& a = written.course(n);
        const TOneCrsPanel& b = read.course(n);
        ASSERT_EQ(a.Kind, b.Kind);
        ASSERT_EQ(a.HasSecond(), b.HasSecond());
        for (int which = 0; which < (a.HasSecond() ? 2 : 1); ++which) {
            const StringRecord& x = a.String(which).Rec;
            const StringRecord& y = b.String(which).Rec;
            EXPECT_EQ(x.Note, y.Note) << n;
            EXPECT_EQ(x.Length, y.Length) << n;
            EXPECT_EQ(x.GutDiameter, y.GutDiameter) << n;
            EXPECT_EQ(x.AltChoice, y.AltChoice) << n;
            // Tensions are not stored; they come back from the diameters.
            EXPECT_EQ(y.TensionN, read.expectedTension(b.String(which))) << n;
            EXPECT_NEAR(x.TensionN, y.TensionN, 0.2) << n;
        }
    }
    // The octave string follows the stored bass length and, with a catalogue choice, gets
    // the tension of its stored diameter rather than the octave default.
    EXPECT_EQ(read.course(8).Second->Rec.Length, 72.5f);
    EXPECT_NEAR(read.course(9).Second->ShownTension(read.settings), 4.0f, 0.02);
    EXPECT_EQ(Records(read.chart), bytes);
}

TEST(CourseRecords, BrokenRecordsFailKeepingTheRowsRead) {
    const std::string whole = Records(EditedLute().chart);
    const size_t two = 1 + 4 + 4 + 1 + (1 + 2 * 5) + (1 + 4 + 1 + 7); // course 1: Nylon, filler
    const size_t fillerOfTwo = two + 10 + (1 + 2 * 10);               // after "Carbon PVF"
    const struct {
        const char* what;
        size_t keep;   // bytes kept
        size_t poison; // byte set to 6, an accidental out of range; 0 for none
    } cases[] = {{"cut in course 2", two + 3, 0},
                 {"last byte missing", whole.size() - 1, 0},
                 {"first accidental", whole.size(), two},
                 {"filler accidental", whole.size(), fillerOfTwo}};
    for (const auto& k : cases) {
        std::string bytes = whole.substr(0, k.keep);
        if (k.poison)
            bytes[k.poison] = 6;
        EditedLute doc;
        Chart read(10);
        read.doc = doc.doc;
        ByteReader in(bytes);
        EXPECT_FALSE(ReadCourseRecords(read.chart, in)) << k.what;
        EXPECT_EQ(read.chart.CourseCount(), 13) << k.what;
        EXPECT_EQ(read.course(1).First.Rec.GutDiameter, 0.45f) << k.what;
        for (const auto& course : read.chart.Courses)
            EXPECT_TRUE(!course->Loading && course->First.Rec.UpdatesEnabled &&
                        course->String(1).Rec.UpdatesEnabled)
                << k.what;
    }
}

// A record that reads but that no row may take is refused before it reaches one, and the
// check that walks the records agrees with the reader.
TEST(CourseRecords, RecordsNoRowMayTakeAreRefused) {
    const std::string whole = Records(EditedLute().chart);
    const size_t two = 1 + 4 + 4 + 1 + (1 + 2 * 5) + (1 + 4 + 1 + 7); // course 1, as above
    const size_t fillerDiameter = two + 10 + (1 + 2 * 10) + 1;        // course 2, no octave
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* what;
        size_t at;
        float value;
    } cases[] = {{"length below 1 cm", 1, 0.5f},
                 {"length not a number", 1, nan},
                 {"negative diameter", 5, -0.1f},
                 {"diameter beyond any float", 5, std::numeric_limits<float>::infinity()},
                 {"filler diameter not a number", fillerDiameter, nan}};
    {
        ByteReader in(whole);
        EXPECT_TRUE(CourseRecordsAreSound(in, 13));
        EXPECT_TRUE(in.atEnd());
    }
    for (const auto& k : cases) {
        std::string bytes = whole;
        std::memcpy(&bytes[k.at], &k.value, sizeof k.value); // little-endian, as the writer
        ByteReader walked(bytes);
        EXPECT_FALSE(CourseRecordsAreSound(walked, 13)) << k.what;
        EditedLute doc;
        Chart read(10);
        read.doc = doc.doc;
        ByteReader in(bytes);
        EXPECT_FALSE(ReadCourseRecords(read.chart, in)) << k.what;
        for (const auto& course : read.chart.Courses)
            EXPECT_TRUE(std::isfinite(course->First.Rec.GutDiameter)) << k.what;
    }
}

} // namespace
} // namespace vorn
