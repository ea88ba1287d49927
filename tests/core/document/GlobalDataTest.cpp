// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "document/GlobalData.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "support/ChangedSettings.h"

using namespace vorn;

namespace {

TEST(StringDefs, RoleByCourseAndKind) {
    TGlobalData g;
    struct Case {
        int course, kind, role;
    } cases[] = {{7, 1, sr_diapasons}, {6, 1, sr_singles},      {4, 2, sr_meanes},
                 {3, 2, sr_trebles},   {3, 4, sr_viol_trebles}, {4, 4, sr_viol_basses},
                 {12, 5, sr_octaves},  {1, 0, sr_chanterelles}, {9, 3, sr_basses}};
    for (const Case& c : cases)
        EXPECT_EQ(&g.StringDefsFor(c.course, c.kind), &g.StringDefs[c.role])
            << c.course << "/" << c.kind;
    EXPECT_EQ(g.StringDefs[sr_octaves].Name, "Nylgut");
    EXPECT_FLOAT_EQ(g.StringDefs[sr_octaves].Tension, 27);
    EXPECT_EQ(g.DefaultChoiceIndex(9, 3), 3); // Savarez
    EXPECT_EQ(g.DefaultChoiceIndex(1, 0), 0); // Nylon
    EXPECT_EQ(g.DefaultChoiceIndex(5, 1), 2); // Carbon PVF
}

TEST(SettingsBlock, RoundTripKeepsEveryField) {
    const TGlobalData g = vorn::testing::ChangedSettings();
    ByteWriter w;
    g.SaveSettings(w);
    TGlobalData back;
    ByteReader r(w.bytes());
    ASSERT_TRUE(back.LoadSettings(r));
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(back.StringDefs, g.StringDefs);
    EXPECT_EQ(back.LengthChangeMode, 1);
    EXPECT_EQ(back.DiameterChangeMode, 0);
    EXPECT_EQ(back.LengthDigits, -3);
    EXPECT_EQ(back.GutDiameterDigits, -2);
    EXPECT_EQ(back.DefaultTemperament, 2);
    EXPECT_EQ(back.DefaultMaker, "Hans Frei");
    EXPECT_EQ(back.StartupChoice, 2);
    EXPECT_EQ(back.DefaultInstrumentType, 13);
    EXPECT_EQ(back.SidebarDown, 1);
    EXPECT_EQ(back.WindowLeft, 10);
    EXPECT_EQ(back.WindowTop, 20);
    EXPECT_EQ(back.WindowWidth, 800);
    EXPECT_EQ(back.WindowHeight, 600);
    EXPECT_EQ(back.TensionUnit, tt_pounds);
    EXPECT_EQ(back.Catalogues.Kuerschner.Unit, tt_pounds);
    ASSERT_EQ(back.Materials.Count(), 9);
    EXPECT_EQ(back.Materials[8].Name, "Silver");
    EXPECT_EQ(back.Materials[8].Kind, mk_other);
    EXPECT_FLOAT_EQ(back.Materials[8].Density, 10.49f);
    EXPECT_EQ(back.Catalogues.Savarez.Items, g.Catalogues.Savarez.Items);
    EXPECT_EQ(back.Catalogues.Pyramid.Items, g.Catalogues.Pyramid.Items);
    EXPECT_EQ(back.Catalogues.Kuerschner.Items, g.Catalogues.Kuerschner.Items);
    EXPECT_EQ(back.Catalogues.Aquila.Items, g.Catalogues.Aquila.Items);

    ByteWriter again;
    back.SaveSettings(again);
    EXPECT_EQ(again.bytes(), w.bytes());
}

// A diameter rounded to whole millimetres would be 0: coarse precisions from old or hand-made
// files come back as two decimals; finer ones and the other rows stay as written.
TEST(SettingsBlock, CoarseDiameterPrecisionReadsAsTwoDecimals) {
    const struct {
        int32_t written, read;
    } cases[] = {{0, -2}, {-1, -2}, {-2, -2}, {-3, -3}, {-4, -4}, {-6, -6}};
    for (const auto& c : cases) {
        TGlobalData g;
        g.GutDiameterDigits = c.written;
        g.AltDiameterDigits = c.written;
        g.LengthDigits = c.written;
        ByteWriter w;
        g.SaveSettings(w);
        TGlobalData back;
        ByteReader r(w.bytes());
        ASSERT_TRUE(back.LoadSettings(r));
        EXPECT_EQ(back.GutDiameterDigits, c.read) << c.written;
        EXPECT_EQ(back.AltDiameterDigits, c.read) << c.written;
        EXPECT_EQ(back.LengthDigits, c.written);
    }
}

TEST(SettingsBlock, LayoutOfTheFirstFields) {
    TGlobalData g;
    ByteWriter w;
    g.SaveSettings(w);
    const std::string& b = w.bytes();
    EXPECT_EQ(b.substr(0, 6), std::string("\x82\0\0\0\0\0", 6));
    EXPECT_EQ(b.substr(6, 9), std::string("\x04V\0o\0r\0n\0", 9));
    // the first default: "Nylon" and 40 N
    EXPECT_EQ(b.substr(15, 11), std::string("\x05N\0y\0l\0o\0n\0", 11));
    EXPECT_EQ(b.substr(26, 4), std::string("\0\0\x20\x42", 4));
}

TEST(SettingsBlock, ForeignTitleKeepsDefaultsAndFillsMaterials) {
    ByteWriter w;
    w.raw(std::string("\x82\0\0\0\0\0", 6));
    w.str("Lute");
    w.u8(1);
    TGlobalData g;
    ByteReader r(w.bytes());
    EXPECT_FALSE(g.LoadSettings(r));
    EXPECT_EQ(g.Materials.Count(), 8);
    EXPECT_EQ(g.DefaultInstrumentType, 3);

    TGlobalData h;
    const std::string versionOne("\x81\0\0\0\0\0", 6);
    ByteReader old(versionOne);
    EXPECT_FALSE(h.LoadSettings(old));
    EXPECT_EQ(h.Materials.Count(), 8);
}

TEST(SettingsBlock, BrokenBodyThrowsAndChangesNothing) {
    const TGlobalData g = vorn::testing::ChangedSettings();
    ByteWriter w;
    g.SaveSettings(w);
    const std::string good = w.bytes();
    // cut anywhere after the title, or spoil a precision setting
    for (size_t cut : {size_t(20), size_t(120), good.size() / 2, good.size() - 1}) {
        TGlobalData fresh;
        ByteReader r(std::string_view(good).substr(0, cut));
        EXPECT_THROW(fresh.LoadSettings(r), ReadError) << cut;
        EXPECT_EQ(fresh.DefaultInstrumentType, 3) << cut;
        EXPECT_EQ(fresh.Materials.Items().size(), TGlobalData().Materials.Items().size()) << cut;
        EXPECT_EQ(fresh.Catalogues.Savarez.Count(), 109) << cut;
    }
}

} // namespace
