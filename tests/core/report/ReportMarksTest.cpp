// SPDX-License-Identifier: GPL-3.0-or-later

// The marks the report and the order list give a string that the chart shows red or amber.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/OrderList.h"
#include "report/Report.h"
#include "support/ChartFixture.h"

using namespace vorn;
using vorn::testing::Chart;

namespace {

// The first column of the text report's row that starts with name ("1", "octave 6"): the
// name and its marks, up to the blanks before the note.
std::string nameColumn(const std::string& text, const std::string& name) {
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        const std::string line = text.substr(at, end - at);
        if (line.rfind(name + " ", 0) == 0)
            return line.substr(0, line.find("  "));
        at = end == std::string::npos ? text.size() : end + 2;
    }
    return "(no row " + name + ")";
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct MarkCase {
    const char* cause;
    double length;       // cm, of course 1 (its chanterelle g')
    double tension;      // display unit (kg.) of course 2; 0 leaves it
    const char* first;   // course 1's first column
    const char* second;  // course 2's
    const char* legends; // the marks whose legend lines the report holds
};

TEST(ReportMarks, StringsMarkedByCauseWithTheirLegend) {
    // The alto lute's chanterelle g' is 0.59 semitones below gut's breaking at 64 cm.
    const MarkCase cases[] = {
        {"within limits", 55, 0, "1", "2", ""},
        {"under 2 semitones", 60, 0, "1 ^", "2", "^"},
        {"under 1 semitone", 64, 0, "1 ^^", "2", "^^"},
        {"beyond breaking", 70, 0, "1 ^^^", "2", "^^^"},
        {"over a material's tension", 55, 30, "1", "2 !", "!"},
        {"both causes", 70, 30, "1 ^^^", "2 !", "!^^^"},
    };
    for (const MarkCase& k : cases) {
        Chart c;
        // The template's lowest basses are thicker than gut's 1.5 mm would allow; with room
        // for them only the case's own strings warn.
        c.settings.Materials[0].MaxDiameter = 5;
        c.rebuild();
        c.course(1).EditLength(k.length);
        if (k.tension > 0)
            c.course(2).EditTension(0, k.tension);
        ReportOptions options;
        options.Frets = false;
        const std::string text = BuildReportText("Alto", c.chart, options);
        EXPECT_EQ(nameColumn(text, "1"), k.first) << k.cause;
        EXPECT_EQ(nameColumn(text, "2"), k.second) << k.cause;
        // The sixth course is on a maker's wound string: no alternative index, no mark.
        EXPECT_EQ(nameColumn(text, "6"), "6") << k.cause;
        const std::string legends = k.legends;
        EXPECT_EQ(has(text, "\r\n!    "), legends.find('!') != std::string::npos) << k.cause;
        EXPECT_EQ(has(text, "\r\n^    "),
                  has(std::string(k.first), " ^") && !has(std::string(k.first), "^^"))
            << k.cause;
        EXPECT_EQ(has(text, "\r\n^^   "), std::string(k.first) == "1 ^^") << k.cause;
        EXPECT_EQ(has(text, "\r\n^^^  "), has(legends, "^^^")) << k.cause;

        // The HTML carries the same marks, and its legend under the table.
        const std::string html = BuildReport("Alto", c.chart, options);
        EXPECT_TRUE(has(html, "<th>" + std::string(k.first) + "</th>")) << k.cause;
        EXPECT_EQ(has(html, "<p>"), !legends.empty()) << k.cause;

        // The order list marks the same strings.
        const std::vector<OrderLine> order = BuildOrderList(c.chart, OrderOptions{});
        for (const OrderLine& line : order) {
            if (line.Course == 1 && !line.Octave) {
                EXPECT_EQ(line.Marks.Text(), std::string(k.first).substr(1 + (k.first[1] != 0)))
                    << k.cause;
            }
        }
        const std::string orderText = OrderListText("Alto", OrderOptions{}, order);
        EXPECT_EQ(has(orderText, "less than") || has(orderText, "at or above") ||
                      has(orderText, "outside"),
                  !legends.empty())
            << k.cause;
    }
}

} // namespace
