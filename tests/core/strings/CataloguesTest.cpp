// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "strings/CatalogueLookup.h"
#include "strings/Catalogues.h"
#include "support/CaseName.h"

namespace vorn {
namespace {

// Inputs and expected labels are worked out from the catalogue formulas by hand, with the
// 32-bit roundings applied where the lookup stores a value. At L = 60 and f = 653.65 a
// Savarez/Pyramid row of value v carries v * (f L)^2 / 2.45e8 N, so value 55 is 345.29 N
// (35.21 kg) and the mass figure of a string of tension T is 55 * T / 345.29.
struct LabelCase {
    const char* what;
    int kind;
    double f;
    float L, T;
    VornTensType unit;
    const char* label;
    int index;
};

class CatalogueLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(CatalogueLabels, SearchFromTheStart) {
    const auto& c = GetParam();
    TCatalogues catalogues;
    catalogues.SetCatalogueUnit(c.unit);
    uint8_t index = 0;
    EXPECT_EQ(catalogues.CatalogueLabel(c.kind, index, c.f, c.L, c.T), c.label);
    EXPECT_EQ(index, c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, CatalogueLabels,
    ::testing::Values(
        LabelCase{"figure 54", 4, 653.65, 60, 340, tt_kilograms, "NP   55 (35.21 kg.)", 1},
        LabelCase{"pounds", 4, 653.65, 60, 340, tt_pounds, "NP   55 (77.63 lb.)", 1},
        LabelCase{"figure 47.8", 4, 653.65, 60, 300, tt_kilograms, " * ", 0},
        // z exactly 50.5 rounds to 50 (even) and still fits the sentinel; 51.5 goes to 52.
        LabelCase{"tie 50.5", 4, 653.65, 60, 317.0430908203125f, tt_kilograms, " * ", 0},
        LabelCase{"tie 51.5", 4, 653.65, 60, 323.3211975097656f, tt_kilograms,
                  "NP   55 (35.21 kg.)", 1},
        LabelCase{"heaviest", 4, 100, 100, 2000, tt_kilograms, "BP 2852 (118.70 kg.)", 108},
        LabelCase{"pyramid 36", 5, 653.65, 60, 226.0109219637784f, tt_kilograms,
                  "809al (23.05 kg.)", 1},
        LabelCase{"pyramid 64", 5, 653.65, 60, 401.7971946022727f, tt_kilograms,
                  "1006m (40.97 kg.)", 11},
        // Gut 1.49 mm at f = 196: gut figure 149 lands on the value 150.
        LabelCase{"below 120", 6, 196, 119.99f, 520.7849731445312f, tt_kilograms,
                  "VN 5150 (53.82 kg.)", 20},
        LabelCase{"at 120", 6, 196, 120, 520.8717651367188f, tt_kilograms, "VN 6150 (53.83 kg.)",
                  20},
        LabelCase{"below 155", 6, 196, 154.99f, 868.911865234375f, tt_kilograms,
                  "VN 6150 (89.80 kg.)", 20},
        LabelCase{"at 155", 6, 196, 155, 869.02392578125f, tt_kilograms, "VN 3150 (89.81 kg.)", 20},
        LabelCase{"kuerschner heaviest", 6, 196, 60, 2000, tt_kilograms, "VN 5290 (50.30 kg.)", 39},
        LabelCase{"aquila DE", 7, 196, 60, 57.486873626708984f, tt_kilograms,
                  "D, DE100 ( 5.98 kg.)", 9},
        LabelCase{"aquila plain", 7, 196, 60, 35.68514633178711f, tt_kilograms, "D079 ( 3.73 kg.)",
                  2},
        LabelCase{"aquila thin", 7, 196, 60, 30.406282424926758f, tt_kilograms, " * ", 0}),
    [](const auto& info) { return vorn::testing::CaseName(info.param.what); });

TEST(Catalogues, ImpossibleFigureGivesAnEmptyLabelAndKeepsTheIndex) {
    TSavarezCollection savarez;
    uint8_t index = 17;
    EXPECT_EQ(savarez.Label(index, 440, 60, 3e9f), "");
    EXPECT_EQ(index, 17);
}

TEST(Catalogues, SteppingDownStopsAtTheSentinel) {
    const TSavarezCollection savarez;
    uint8_t index = 0;
    ASSERT_EQ(savarez.Label(index, 653.65, 60, 340), "NP   55 (35.21 kg.)");
    // A plain index - 1 would be 0 and search again, landing back on row 1.
    index = CatalogueStepIndex(index, -1);
    EXPECT_EQ(savarez.Label(index, 653.65, 60, 340), " * ");
    EXPECT_EQ(index, 0);
    index = CatalogueStepIndex(index, -1);
    EXPECT_EQ(savarez.Label(index, 653.65, 60, 340), " * ");
    EXPECT_EQ(index, 0);
    index = CatalogueStepIndex(index, +1);
    EXPECT_EQ(savarez.Label(index, 653.65, 60, 340), "NP   55 (35.21 kg.)");
    index = 200;
    savarez.Label(index, 653.65, 60, 340);
    EXPECT_EQ(index, 108);
}

TEST(Catalogues, TrimmedAndOversizedCataloguesStayInBounds) {
    TKuerschnerCollection k;
    k.Clear();
    uint8_t index = 5;
    EXPECT_EQ(k.Label(index, 196, 60, 2000), " * ");
    EXPECT_EQ(index, 0);
    // 255 rows: "no row fits" must not wrap the byte index round to the sentinel.
    for (int v = 0; v < 255; ++v)
        k.Add({v});
    index = 0;
    EXPECT_EQ(k.Label(index, 196, 60, 2000).substr(0, 7), "VN 5254");
    EXPECT_EQ(index, 254);
    // Index 255 stands for a step down to row 0, so a search stops at row 254: whatever it
    // shows is what the stored index shows again when the document is read back.
    k.Add({255});
    for (int v = 256; v < 300; ++v)
        k.Add({1000});
    index = 0;
    const std::string found = k.Label(index, 196, 60, 2000);
    EXPECT_EQ(found.substr(0, 7), "VN 5254");
    EXPECT_EQ(index, 254);
    uint8_t stored = index;
    EXPECT_EQ(k.Label(stored, 196, 60, 2000), found);
    EXPECT_EQ(stored, 254);
    stored = 255;
    EXPECT_EQ(k.Label(stored, 196, 60, 2000), " * ");
    EXPECT_EQ(stored, 0);
}

TEST(Catalogues, EntryLabels) {
    const TCatalogues c;
    EXPECT_EQ(c.Savarez.Count(), 109);
    EXPECT_EQ(c.Pyramid.Count(), 91);
    EXPECT_EQ(c.Kuerschner.Count(), 40);
    EXPECT_EQ(c.Aquila.Count(), 38);
    const std::tuple<int, int, const char*> cases[] = {{4, 0, ""},
                                                       {4, 1, "NP   55"},
                                                       {4, 13, "BP NF NP  110"},
                                                       {4, 108, "BP 2852"},
                                                       {5, 0, ""},
                                                       {5, 1, "809al"},
                                                       {5, 7, "905"},
                                                       {5, 9, "906m"},
                                                       {5, 90, "3272"},
                                                       {6, 0, "VN 3-, 5-, 6-  78"},
                                                       {7, 0, " * "},
                                                       {7, 1, "D 76"},
                                                       {7, 9, "D100, DE100"},
                                                       {7, 37, "D260"}};
    for (const auto& [kind, index, label] : cases)
        EXPECT_EQ(c.EntryLabel(kind, index), label) << kind << "/" << index;
}

// What the order list asks a maker for: the row without its tension, single blanks.
TEST(Catalogues, StringNameIsTheLabelWithoutItsTension) {
    const std::pair<const char*, const char*> cases[] = {{"NF BP  212 ( 3.00 kg.)", "NF BP 212"},
                                                         {"NP   55 (35.21 kg.)", "NP 55"},
                                                         {"NP   55 (77.63 lb.)", "NP 55"},
                                                         {"VN 6150 (53.83 kg.)", "VN 6150"},
                                                         {"D, DE083 ( 4.10 N.)", "D, DE083"},
                                                         {"BP 2852 (118.70 kg.)", "BP 2852"},
                                                         {" * ", "*"},
                                                         {"", ""}};
    for (const auto& [label, name] : cases)
        EXPECT_EQ(CatalogueStringName(label), name) << label;
}

} // namespace
} // namespace vorn
