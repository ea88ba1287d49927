#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "frets/FretTemplate.h"
#include "pitch/FretDistribution.h"

using namespace vorn;

namespace {

TemplateInput input(double lengthCm, TemplatePaper paper = TemplatePaper::A4()) {
    TemplateInput in;
    in.Frets = ComputeFretDistribution(NoteValue{67, 0, 0}, lengthCm, 0.25, 440, DefaultMiFa);
    in.Temperament = "1/4 Comma (Pure major third)";
    in.Title = "Test lute";
    in.Length = lengthCm;
    in.Paper = paper;
    return in;
}

// Every fret line of the SVG: page start + (y - board top) is its distance from the nut.
struct SvgLine {
    std::string role;
    int fret;
    double y1, y2, x1, x2;
    int page;
};

std::vector<SvgLine> svgLines(const std::string& svg) {
    std::vector<SvgLine> out;
    const std::regex page(R"re(<g class="page" data-page="(\d+)")re");
    const std::regex line(
        R"re(<line class="([a-z-]+)"(?: data-fret="(\d+)")? x1="([0-9.]+)" y1="([0-9.]+)" x2="([0-9.]+)" y2="([0-9.]+)")re");
    int current = 0;
    std::smatch m;
    for (size_t at = 0; at < svg.size();) {
        const size_t end = svg.find('\n', at);
        const std::string row = svg.substr(at, end - at);
        if (std::regex_search(row, m, page))
            current = std::stoi(m[1]);
        else if (std::regex_search(row, m, line))
            out.push_back({m[1], m[2].matched ? std::stoi(m[2]) : 0, std::stod(m[4]),
                           std::stod(m[6]), std::stod(m[3]), std::stod(m[5]), current});
        at = end == std::string::npos ? svg.size() : end + 1;
    }
    return out;
}

TEST(FretTemplate, SvgFretLinesSitAtTheChartsDistances) {
    const TemplateInput in = input(63);
    const auto pages = LayoutFretTemplate(in);
    const auto lines = svgLines(FretTemplateSvg(pages, in.Paper));
    const double top = TemplateMargin + 22;
    int mains = 0, alts = 0;
    for (const SvgLine& l : lines) {
        if (l.role != "fret" && l.role != "alt")
            continue;
        const TemplatePage& page = pages.at(l.page - 1);
        const double fromNut = page.Start + (l.y1 - top);
        const FretRow& row = in.Frets.Rows.at(l.fret - 1);
        const double expected = (l.role == "fret" ? row.Main.Distance : row.Alt->Distance) * 10;
        EXPECT_NEAR(fromNut, expected, 0.1) << l.role << " fret " << l.fret << " page " << l.page;
        EXPECT_DOUBLE_EQ(l.y1, l.y2);
        (l.role == "fret" ? mains : alts)++;
    }
    EXPECT_GE(mains, 14); // frets in an overlap are drawn on both pages
    EXPECT_GE(alts, 11);
}

TEST(FretTemplate, PagesCoverTheWholeBoardWithOverlap) {
    for (double length : {35.0, 63.0, 90.0}) {
        for (const TemplatePaper& paper : {TemplatePaper::A4(), TemplatePaper::Letter()}) {
            const TemplateInput in = input(length, paper);
            const auto pages = LayoutFretTemplate(in);
            ASSERT_FALSE(pages.empty());
            EXPECT_DOUBLE_EQ(pages.front().Start, 0);
            double last = 0;
            for (const FretRow& row : in.Frets.Rows)
                last = std::max(
                    {last, row.Main.Distance * 10, row.Alt ? row.Alt->Distance * 10 : 0.0});
            EXPECT_GE(pages.back().End, last) << length;
            for (size_t i = 0; i < pages.size(); ++i) {
                EXPECT_EQ(pages[i].Number, int(i) + 1);
                EXPECT_EQ(pages[i].Count, int(pages.size()));
                if (i > 0) {
                    EXPECT_NEAR(pages[i - 1].End - pages[i].Start, TemplateOverlap, 1e-9);
                }
            }
        }
    }
    EXPECT_EQ(LayoutFretTemplate(input(35)).size(), 1u); // a small treble instrument
    EXPECT_GT(LayoutFretTemplate(input(90)).size(), 1u);
}

TEST(FretTemplate, EveryPageHasAHundredMillimetreRuler) {
    const TemplateInput in = input(90);
    const auto pages = LayoutFretTemplate(in);
    for (const TemplatePage& page : pages) {
        int rulers = 0;
        for (const TemplateShape& s : page.Shapes)
            if (s.Role == "ruler" && s.Shape == TemplateShape::ts_line) {
                EXPECT_DOUBLE_EQ(s.X2 - s.X1, 100);
                ++rulers;
            }
        EXPECT_EQ(rulers, 1) << "page " << page.Number;
    }
    // Without alternatives there are no dashed fret lines.
    TemplateInput plain = in;
    plain.Alternatives = false;
    for (const TemplatePage& page : LayoutFretTemplate(plain))
        for (const TemplateShape& s : page.Shapes)
            EXPECT_NE(s.Role, "alt");
}

} // namespace
