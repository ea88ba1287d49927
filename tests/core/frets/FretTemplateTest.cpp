// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <sstream>
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

// The value of attribute name="..." in one element's text; empty when it has none.
std::string attribute(const std::string& element, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const size_t at = element.find(key);
    if (at == std::string::npos)
        return {};
    const size_t from = at + key.size();
    return element.substr(from, element.find('"', from) - from);
}

std::vector<SvgLine> svgLines(const std::string& svg) {
    std::vector<SvgLine> out;
    int page = 0;
    std::istringstream in(svg);
    std::string row;
    while (std::getline(in, row)) {
        if (row.rfind("<g class=\"page\"", 0) == 0) {
            page = std::stoi(attribute(row, "data-page"));
        } else if (row.rfind("<line ", 0) == 0) {
            const std::string fret = attribute(row, "data-fret");
            out.push_back({attribute(row, "class"), fret.empty() ? 0 : std::stoi(fret),
                           std::stod(attribute(row, "y1")), std::stod(attribute(row, "y2")),
                           std::stod(attribute(row, "x1")), std::stod(attribute(row, "x2")), page});
        }
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

// The longest board a document can have fits well within the bound; a damaged length is
// refused at once, without pages.
TEST(FretTemplate, PagesAreBounded) {
    const struct {
        double length;
        bool drawn;
    } cases[] = {{120, true}, {240, true}, {400, false}, {4966055936.0, false}};
    for (const TemplatePaper& paper : {TemplatePaper::A4(), TemplatePaper::Letter()}) {
        EXPECT_LE(TemplatePageCount(input(120, paper)), MaxTemplatePages / 2);
        for (const auto& c : cases) {
            const TemplateInput in = input(c.length, paper);
            EXPECT_EQ(TemplateRefusal(in).empty(), c.drawn) << c.length;
            EXPECT_EQ(LayoutFretTemplate(in).empty(), !c.drawn) << c.length;
        }
    }
    TemplateInput broken = input(60);
    broken.Frets.Rows[3].Main.Distance = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(TemplatePageCount(broken), 0);
    EXPECT_FALSE(TemplateRefusal(broken).empty());
    EXPECT_TRUE(LayoutFretTemplate(broken).empty());
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

// No text runs into another text or into a page-join mark, and a label stays beside the line
// it names: over boards that put frets near the joins on both papers (85 cm on A4 put fret 13
// on the mark of page 2).
TEST(FretTemplate, LabelsClearEachOtherAndThePageJoins) {
    for (const double length : {30.0, 44.0, 55.0, 63.0, 70.0, 74.0, 85.0, 90.0, 104.0, 120.0}) {
        for (const TemplatePaper& paper : {TemplatePaper::A4(), TemplatePaper::Letter()}) {
            const TemplateInput in = input(length, paper);
            for (const TemplatePage& page : LayoutFretTemplate(in)) {
                const std::string where = std::to_string(length) + " cm, " +
                                          std::to_string(paper.Height) + " mm paper, page " +
                                          std::to_string(page.Number);
                std::vector<const TemplateShape*> texts, marks;
                for (const TemplateShape& s : page.Shapes) {
                    if (s.Shape == TemplateShape::ts_text)
                        texts.push_back(&s);
                    else if (s.Role == "align")
                        marks.push_back(&s);
                }
                for (size_t i = 0; i < texts.size(); ++i) {
                    const TemplateBox box = ShapeBox(*texts[i]);
                    EXPECT_GE(box.X1, 0) << where << ": " << texts[i]->Text;
                    EXPECT_LE(box.X2, paper.Width) << where << ": " << texts[i]->Text;
                    for (size_t k = i + 1; k < texts.size(); ++k)
                        EXPECT_FALSE(box.Overlaps(ShapeBox(*texts[k])))
                            << where << ": '" << texts[i]->Text << "' on '" << texts[k]->Text
                            << "'";
                    for (const TemplateShape* mark : marks)
                        EXPECT_FALSE(box.Overlaps(ShapeBox(*mark)))
                            << where << ": '" << texts[i]->Text << "' on the mark at " << mark->Y1;
                }
                for (const TemplateShape& label : page.Shapes) {
                    if (label.Role != "fret-label" && label.Role != "alt-label")
                        continue;
                    const std::string role = label.Role == "fret-label" ? "fret" : "alt";
                    const auto line = std::find_if(
                        page.Shapes.begin(), page.Shapes.end(), [&](const TemplateShape& s) {
                            return s.Role == role && s.Fret == label.Fret;
                        });
                    ASSERT_NE(line, page.Shapes.end()) << where << ": " << label.Text;
                    EXPECT_LT(std::abs(label.Y1 - line->Y1), 6.0) << where << ": " << label.Text;
                }
            }
        }
    }
}

} // namespace
