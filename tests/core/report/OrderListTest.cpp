// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "report/OrderList.h"
#include "support/ChartFixture.h"

using namespace vorn;
using vorn::testing::Chart;

namespace {

void choose(TOneCrsPanel& course, const std::string& alternative) {
    for (int which = 0; which < (course.HasSecond() ? 2 : 1); ++which) {
        const auto& items = course.String(which).AltItems;
        const auto at = std::find(items.begin(), items.end(), alternative);
        ASSERT_NE(at, items.end()) << alternative;
        course.SelectAlternative(which, static_cast<int>(at - items.begin()));
    }
}

std::vector<OrderLine> linesOf(const std::vector<OrderLine>& all, int course) {
    std::vector<OrderLine> out;
    for (const OrderLine& l : all)
        if (l.Course == course)
            out.push_back(l);
    return out;
}

TEST(OrderList, UnisonCoursesTakeTwoAndOctaveStringsTheirOwnLine) {
    Chart c(3);
    c.course(2).SetCourseKind(ck_unison);
    c.course(3).SetCourseKind(ck_single);
    c.course(7).SetCourseKind(ck_bass_with_octave);
    const auto lines = BuildOrderList(c.chart, OrderOptions{});

    const auto unison = linesOf(lines, 2);
    ASSERT_EQ(unison.size(), 1u);
    EXPECT_EQ(unison[0].Count, 2);
    EXPECT_FALSE(unison[0].Octave);
    const auto single = linesOf(lines, 3);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].Count, 1);
    const auto bass = linesOf(lines, 7);
    ASSERT_EQ(bass.size(), 2u);
    for (const OrderLine& l : bass)
        EXPECT_EQ(l.Count, 1);
    EXPECT_NE(bass[0].Octave, bass[1].Octave);

    // Every string of the instrument once, a unison pair as two.
    int strings = 0, ordered = 0;
    for (int n = 1; n <= c.chart.CourseCount(); ++n)
        strings += c.course(n).HasSecond() ? 2 : c.course(n).Kind == ck_unison ? 2 : 1;
    for (const OrderLine& l : lines)
        ordered += l.Count;
    EXPECT_EQ(ordered, strings);
}

TEST(OrderList, MakersStringsFollowGutEachSortedByGauge) {
    Chart c(3);
    const int courses = c.chart.CourseCount();
    ASSERT_GE(courses, 8);
    for (int n = 1; n <= courses; ++n)
        choose(c.course(n), n < 7 ? "Nylon" : n % 2 ? "Savarez" : "Aquila");
    OrderOptions options;
    options.ByAlternative = true;
    const auto lines = BuildOrderList(c.chart, options);

    std::vector<std::string> suppliers;
    for (size_t i = 0; i < lines.size(); ++i) {
        const OrderLine& l = lines[i];
        if (suppliers.empty() || suppliers.back() != l.Supplier)
            suppliers.push_back(l.Supplier);
        else
            EXPECT_LE(lines[i - 1].SortGauge, l.SortGauge) << l.Supplier << " " << l.Gauge;
        const TOneStringPanel& s = c.course(l.Course).String(l.Octave ? 1 : 0);
        if (l.Course >= 7) {
            EXPECT_TRUE(l.Catalogue);
            EXPECT_EQ(l.Supplier, s.Rec.AltChoice);
            // As the maker names it: the cell's label without its tension part.
            const auto unspaced = [](std::string t) {
                t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
                return t;
            };
            EXPECT_EQ(unspaced(s.Rec.AltLabel).rfind(unspaced(l.Gauge), 0), 0u) << s.Rec.AltLabel;
            EXPECT_EQ(l.Gauge.find("  "), std::string::npos) << l.Gauge;
            EXPECT_EQ(l.Gauge.find('('), std::string::npos) << l.Gauge;
            EXPECT_FALSE(l.Gauge.empty());
        } else {
            EXPECT_EQ(l.Supplier, "Nylon");
            EXPECT_EQ(l.Gauge, s.AltText(c.settings.Materials));
        }
    }
    EXPECT_EQ(suppliers, (std::vector<std::string>{"Aquila", "Nylon", "Savarez"}));
}

TEST(OrderList, ByAlternativeBuysMaterialsAtTheirDiameter) {
    Chart c(3);
    const int last = c.chart.CourseCount();
    for (int n = 1; n <= last; ++n)
        choose(c.course(n), n == last ? "Pyramid" : n % 2 ? "Nylon" : "Nylgut");
    OrderOptions options;
    options.ByAlternative = true;
    int materials = 0;
    for (const OrderLine& l : BuildOrderList(c.chart, options)) {
        const TOneStringPanel& s = c.course(l.Course).String(l.Octave ? 1 : 0);
        if (l.Course == last) {
            EXPECT_EQ(l.Supplier, "Pyramid");
            EXPECT_TRUE(l.Catalogue);
        } else {
            EXPECT_EQ(l.Supplier, l.Course % 2 ? "Nylon" : "Nylgut");
            EXPECT_FALSE(l.Catalogue);
            EXPECT_EQ(l.Gauge, s.AltText(c.settings.Materials));
            EXPECT_EQ(l.SortGauge, *s.Rec.AltDiameter);
            EXPECT_NE(l.Gauge, s.GutDiameterText());
            ++materials;
        }
    }
    EXPECT_GE(materials, last - 1);
}

// The window and the calculator offer the same two lists: gut for every string, or each
// string as its alternative names it, whatever that alternative is.
TEST(OrderList, GutOrEachStringsAlternative) {
    struct Case {
        const char* alternative;
        bool catalogue;
    };
    for (const Case& k : {Case{"Nylon", false}, Case{"Nylgut", false}, Case{"Carbon PVF", false},
                          Case{"Savarez", true}, Case{"Kuerschner", true}}) {
        SCOPED_TRACE(k.alternative);
        Chart c(3);
        for (int n = 1; n <= c.chart.CourseCount(); ++n)
            choose(c.course(n), k.alternative);
        for (const bool byAlternative : {false, true}) {
            const auto lines = BuildOrderList(c.chart, OrderOptions{byAlternative});
            ASSERT_FALSE(lines.empty());
            for (const OrderLine& l : lines) {
                const TOneStringPanel& s = c.course(l.Course).String(l.Octave ? 1 : 0);
                EXPECT_EQ(l.Supplier, byAlternative ? std::string(k.alternative) : "Gut");
                EXPECT_EQ(l.Catalogue, byAlternative && k.catalogue);
                if (!byAlternative) {
                    EXPECT_EQ(l.Gauge, s.GutDiameterText());
                } else if (!k.catalogue) {
                    EXPECT_EQ(l.Gauge, s.AltText(c.settings.Materials));
                }
            }
            // The text says which list it is.
            const std::string text = OrderListText("Lute", OrderOptions{byAlternative}, lines);
            EXPECT_NE(text.find("\r\n" + OrderBasisText(OrderOptions{byAlternative}) + "\r\n"),
                      std::string::npos);
        }
    }
    EXPECT_NE(OrderBasisText(OrderOptions{false}), OrderBasisText(OrderOptions{true}));
}

TEST(OrderList, TextAndCsv) {
    std::vector<OrderLine> lines(3);
    lines[0] = {"Gut", false, "0.44", 0.44, 2, 1, false, "g'", {}};
    lines[1] = {"Gut", false, "1.2", 1.2, 1, 6, true, "g", {}};
    lines[2] = {"Savarez", true, "NP 47, \"light\"", 3, 1, 6, false, "G", {}};
    EXPECT_EQ(OrderListCsv(lines), "supplier,gauge,unit,count,course,string,note\n"
                                   "Gut,0.44,mm,2,1,first,g'\n"
                                   "Gut,1.2,mm,1,6,octave,g\n"
                                   "Savarez,\"NP 47, \"\"light\"\"\",,1,6,first,G\n");
    EXPECT_EQ(OrderListText("Lute", OrderOptions{}, lines),
              "String order: Lute\r\n"
              "Listed: gut strings\r\n"
              "\r\n"
              "Gut\r\n"
              "  Gauge            Count  Course\r\n"
              "  0.44 mm              2  1 (g')\r\n"
              "  1.2 mm               1  6 octave (g)\r\n"
              "\r\n"
              "Savarez\r\n"
              "  String           Count  Course\r\n"
              "  NP 47, \"light\"       1  6 (G)\r\n");
}

} // namespace
