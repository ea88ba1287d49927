// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <limits>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "files/FretTemplateDxf.h"
#include "frets/FretTemplate.h"
#include "io/NumberText.h"
#include "pitch/FretDistribution.h"
#include "pitch/FretRecord.h"
#include "pitch/Intervals.h"

using namespace vorn;

namespace {

// The drawing as a CAD program reads it, through dxflib's reader.
struct ReadBack : DL_CreationAdapter {
    struct Line {
        std::string layer;
        double x1, y1, x2, y2;
    };
    std::vector<Line> lines;
    std::vector<std::string> layers;
    std::map<std::string, std::string> strings;
    std::map<std::string, int> ints;

    void addLine(const DL_LineData& d) override {
        lines.push_back({getAttributes().getLayer(), d.x1, d.y1, d.x2, d.y2});
    }
    void addLayer(const DL_LayerData& d) override { layers.push_back(d.name); }
    void setVariableString(const std::string& key, const std::string& value, int) override {
        strings[key] = value;
    }
    void setVariableInt(const std::string& key, int value, int) override { ints[key] = value; }

    std::vector<Line> on(const std::string& layer) const {
        std::vector<Line> out;
        for (const Line& l : lines)
            if (l.layer == layer)
                out.push_back(l);
        return out;
    }
};

ReadBack readDxf(const std::string& text) {
    ReadBack r;
    std::stringstream stream(text);
    DL_Dxf dxf;
    EXPECT_TRUE(dxf.in(stream, &r));
    return r;
}

struct Instrument {
    const char* name;
    int openNote;
    double length; // cm
    double fraction;
    FretChoices choices;
};

// clang-format off
const Instrument Instruments[] = {
    {"alto_lute_quarter_comma", 67, 60,    0.25,     DefaultMiFa},
    {"theorbo_sixth_comma",     57, 89,    1.0 / 6,  DefaultMiFa},
    {"small_all_mi",            72, 31.5,  2.0 / 7,  {0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0}},
    {"equal_all_fa",            62, 120,   1.0 / 11, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
};
// clang-format on

TemplateInput inputOf(const Instrument& i, bool alternatives = true) {
    TemplateInput in;
    in.Frets =
        ComputeFretDistribution(NoteValue{i.openNote, 0, 0}, i.length, i.fraction, 415, i.choices);
    in.Title = i.name;
    in.Length = i.length;
    in.Alternatives = alternatives;
    return in;
}

// Where each fret lies (mm from the nut) by the fret record itself, not by the template.
struct Expected {
    double mainMm, mainCents;
    std::optional<double> altMm, altCents;
    uint8_t choice;
};

std::vector<Expected> fromRecord(const Instrument& i) {
    FretRecord record;
    record.Length = i.length * 10;
    record.OpenNote = NoteValue{i.openNote, 0, 0};
    record.Choices = i.choices;
    record.Prepare();
    const double fifth = TemperedFifth(i.fraction);
    std::vector<Expected> out;
    for (int fret = 1; fret <= 14; ++fret) {
        Expected e;
        e.choice = record.Entry(fret).Choice;
        e.mainCents = MainCents(record, fifth, fret);
        e.mainMm = FretDistance(record.Length, e.mainCents);
        const double altCents = AltCents(record, fifth, fret);
        const double altMm = FretDistance(record.Length, altCents);
        // A position within a hundredth of a millimetre of the main one is the same cut.
        if (e.choice != fc_fixed && std::abs(altMm - e.mainMm) >= 0.01) {
            e.altCents = altCents;
            e.altMm = altMm;
        }
        out.push_back(e);
    }
    return out;
}

class FretLayoutFiles : public ::testing::TestWithParam<Instrument> {};

TEST_P(FretLayoutFiles, DxfLinesSitWhereTheFretRecordPutsThem) {
    const Instrument& i = GetParam();
    const ReadBack r = readDxf(FretTemplateDxf(FretLayoutLines(inputOf(i)), i.name));
    EXPECT_EQ(r.strings.at("$ACADVER"), "AC1009");
    EXPECT_EQ(r.ints.at("$INSUNITS"), 4); // millimetres
    const std::vector<Expected> expected = fromRecord(i);

    const auto frets = r.on("FRETS");
    ASSERT_EQ(frets.size(), 15u); // the nut and frets 1..14
    EXPECT_EQ(frets[0].x1, 0.0);
    for (int fret = 1; fret <= 14; ++fret) {
        const auto& l = frets[fret];
        EXPECT_NEAR(l.x1, expected[fret - 1].mainMm, 0.001) << "fret " << fret;
        EXPECT_EQ(l.x1, l.x2);
        EXPECT_EQ(l.y1, 0.0);
        EXPECT_EQ(l.y2, TemplateBoardWidth);
    }

    std::vector<double> alternatives;
    for (const Expected& e : expected)
        if (e.altMm)
            alternatives.push_back(*e.altMm);
    const auto alts = r.on("ALTERNATIVES");
    ASSERT_EQ(alts.size(), alternatives.size());
    for (size_t k = 0; k < alts.size(); ++k)
        EXPECT_NEAR(alts[k].x1, alternatives[k], 0.001) << k;

    // The edges run from the nut past the last fret.
    const auto board = r.on("BOARD");
    ASSERT_EQ(board.size(), 2u);
    for (const auto& edge : board) {
        EXPECT_EQ(edge.x1, 0.0);
        EXPECT_GT(edge.x2, expected.back().mainMm);
        EXPECT_EQ(edge.y1, edge.y2);
    }
    if (alternatives.empty()) { // equal temperament: every Mi is its Fa
        EXPECT_EQ(r.layers, (std::vector<std::string>{"0", "FRETS", "BOARD"}));
    } else {
        EXPECT_EQ(r.layers, (std::vector<std::string>{"0", "FRETS", "ALTERNATIVES", "BOARD"}));
    }
}

// Where an alternative falls on its main position no drawing has a second line for the cutter
// to follow: not the DXF, not the pages of the SVG and PDF, not the CSV's alternative fields.
TEST_P(FretLayoutFiles, EachPositionIsCutOnce) {
    const Instrument& i = GetParam();
    const TemplateInput in = inputOf(i);
    const std::vector<Expected> expected = fromRecord(i);
    int apart = 0, together = 0; // non-fixed frets by where their alternative falls
    for (int fret = 1; fret <= 14; ++fret)
        if (in.Frets.Rows[fret - 1].Alt)
            ++(expected[fret - 1].altMm ? apart : together);
    const auto allApart = [](std::vector<double> at, const std::string& where) {
        std::sort(at.begin(), at.end());
        for (size_t k = 1; k < at.size(); ++k)
            EXPECT_GE(at[k] - at[k - 1], TemplatePrecision) << where << " at " << at[k];
    };

    const ReadBack r = readDxf(FretTemplateDxf(FretLayoutLines(in), i.name));
    std::vector<double> cuts;
    for (const auto& l : r.lines)
        if (l.layer == "FRETS" || l.layer == "ALTERNATIVES")
            cuts.push_back(l.x1);
    EXPECT_EQ(r.on("ALTERNATIVES").size(), size_t(apart));
    allApart(cuts, "DXF");

    int drawn = 0;
    for (const TemplatePage& page : LayoutFretTemplate(in)) {
        std::vector<double> lines;
        for (const TemplateShape& s : page.Shapes)
            if (s.Shape == TemplateShape::ts_line && (s.Role == "fret" || s.Role == "alt")) {
                lines.push_back(s.Y1);
                drawn += s.Role == "alt";
            }
        allApart(lines, "page " + std::to_string(page.Number));
    }
    EXPECT_GE(drawn, apart); // pages overlap: a line may show on two

    std::istringstream csv(FretTemplateCsv(in));
    std::string row;
    std::getline(csv, row);
    int listed = 0;
    while (std::getline(csv, row))
        listed += row.substr(row.size() - 2) != ",,";
    EXPECT_EQ(listed, apart);
    // Meantones below equal temperament have frets whose two positions meet.
    if (i.fraction > 1.0 / 11) {
        EXPECT_GT(together, 0);
    }
}

TEST_P(FretLayoutFiles, CsvHoldsTheFretRecordsFigures) {
    const Instrument& i = GetParam();
    std::istringstream csv(FretTemplateCsv(inputOf(i)));
    std::string row;
    ASSERT_TRUE(std::getline(csv, row));
    EXPECT_EQ(row, "fret,choice,main_cents,main_mm,alt_cents,alt_mm");
    const std::vector<Expected> expected = fromRecord(i);
    const auto number = [](const std::string& text) {
        double v = -1;
        EXPECT_TRUE(ParseNumber(text, v)) << text;
        return v;
    };
    for (int fret = 1; fret <= 14; ++fret) {
        ASSERT_TRUE(std::getline(csv, row)) << fret;
        std::vector<std::string> f;
        std::istringstream fields(row + ",");
        for (std::string cell; std::getline(fields, cell, ',');)
            f.push_back(cell);
        ASSERT_EQ(f.size(), 6u) << row;
        const Expected& e = expected[fret - 1];
        EXPECT_EQ(f[0], std::to_string(fret));
        EXPECT_EQ(f[1], e.choice == fc_mi ? "Mi" : e.choice == fc_fa ? "Fa" : "fixed") << row;
        EXPECT_NEAR(number(f[2]), e.mainCents, 0.0005) << row;
        EXPECT_NEAR(number(f[3]), e.mainMm, 0.0005) << row;
        if (e.altMm) {
            EXPECT_NEAR(number(f[4]), *e.altCents, 0.0005) << row;
            EXPECT_NEAR(number(f[5]), *e.altMm, 0.0005) << row;
        } else {
            EXPECT_EQ(f[4] + f[5], "") << row;
        }
    }
    EXPECT_FALSE(std::getline(csv, row));
}

INSTANTIATE_TEST_SUITE_P(Instruments, FretLayoutFiles, ::testing::ValuesIn(Instruments),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FretLayoutFiles, WithoutAlternativesTheirLayerAndFieldsAreAbsent) {
    const TemplateInput in = inputOf(Instruments[0], false);
    const ReadBack r = readDxf(FretTemplateDxf(FretLayoutLines(in), "no alternatives"));
    EXPECT_TRUE(r.on("ALTERNATIVES").empty());
    EXPECT_EQ(r.layers, (std::vector<std::string>{"0", "FRETS", "BOARD"}));
    EXPECT_EQ(r.on("FRETS").size(), 15u);
    std::istringstream csv(FretTemplateCsv(in));
    std::string row;
    std::getline(csv, row);
    while (std::getline(csv, row))
        EXPECT_EQ(row.substr(row.size() - 2), ",,") << row;
}

// A damaged document's board gives no drawing rather than lines at infinity.
TEST(FretLayoutFiles, RefusedBoardHasNoLines) {
    TemplateInput in = inputOf(Instruments[0]);
    in.Frets.Rows[5].Alt->Distance = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(FretLayoutLines(in).empty());
}

} // namespace
