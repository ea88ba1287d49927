// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>

#include "strings/StringMaterialCollection.h"

namespace vorn {
namespace {

TStringMaterialCollection Defaults() {
    return TStringMaterialCollection::Defaults();
}

TEST(Materials, AlternativeChoicesOfTheDefaultList) {
    const auto list = Defaults();
    const auto choices = list.AlternativeChoiceList();
    ASSERT_EQ(choices.size(), 11u);
    EXPECT_EQ(choices.front(), "Nylon");
    EXPECT_EQ(choices[7], "Copper");
    EXPECT_EQ(choices.back(), "Bronze");
    EXPECT_EQ(std::count(choices.begin(), choices.end(), "Gut"), 0);
    EXPECT_EQ(list.AlternativeChoices().substr(0, 22), "Nylon\r\nNylgut\r\nCarbon ");
    EXPECT_EQ(list.MaterialNames().substr(0, 12), "Gut\r\nNylon\r\n");
}

TEST(Materials, AlternativeIndexPointsAtTheItemOfTheChoiceList) {
    const auto list = Defaults();
    const auto choices = list.AlternativeChoiceList();
    for (const char* name : {"Nylgut", "Carbon PVF", "Savarez", "Aquila", "Copper", "Bronze"})
        EXPECT_EQ(choices.at(list.AlternativeIndex(name)), name);
    EXPECT_EQ(list.AlternativeIndex("Copper"), 7);
    EXPECT_EQ(list.AlternativeIndex("Nylon"), 0);
    EXPECT_EQ(list.AlternativeIndex("Gut"), 0);
    EXPECT_EQ(list.AlternativeIndex("Tin"), 0);

    // A list whose head is not the four fixed materials: a name at position 2 or 3 is not
    // offered, and must not land on a maker's entry.
    TStringMaterialCollection odd;
    odd.Append({"Gut", 1.35f, 200, 20, 1.5f, 0.1f, mk_gut});
    odd.AddMaterial("Nylon", 1.08f, 200, 20, 0.9f, 0.1f);
    odd.AddMaterial("Copper", 8.89f, 200, 20, 5.0f, 0.1f);
    odd.AddMaterial("Bronze", 8.87f, 200, 20, 5.0f, 0.1f);
    odd.AddMaterial("Silver", 10.49f, 150, 15, 4.0f, 0.2f);
    const auto oddChoices = odd.AlternativeChoiceList();
    for (const char* name : {"Copper", "Bronze"})
        EXPECT_EQ(odd.AlternativeIndex(name), 0) << name;
    EXPECT_EQ(oddChoices.at(odd.AlternativeIndex("Silver")), "Silver");
}

TEST(Materials, KindOfNameTriesTheMakersFirst) {
    auto list = Defaults();
    list.AddMaterial("Savarez", 8, 200, 20, 5, 0.1f);
    EXPECT_EQ(list.KindOfName("Savarez"), mk_savarez);
    EXPECT_EQ(list.KindOfName("Kuerschner"), mk_kuerschner);
    EXPECT_EQ(list.KindOfName("Gut"), mk_gut);
    EXPECT_EQ(list.KindOfName("Copper"), mk_other);
    EXPECT_EQ(list.KindOfName("Tin"), mk_gut);
}

TEST(Materials, LaterNamesakeShadowsInEveryLookup) {
    auto list = Defaults();
    list.AddMaterial("Copper", 9.5f, 150, 10, 4, 0.2f);
    EXPECT_EQ(list.MaterialByName("Copper").Density, 9.5f);
    EXPECT_EQ(list.AlternativeIndex("Copper"), 11);
    list.Add() = {"Gut", 1.2f, 200, 20, 1.5f, 0.1f, mk_gut};
    EXPECT_EQ(list.Reference().Density, 1.2f);
}

TEST(Materials, FallbacksGoToTheFirstMaterial) {
    auto list = Defaults();
    EXPECT_EQ(list.MaterialByName("Tin").Name, "Gut");
    TStringMaterialCollection noGut;
    noGut.AddMaterial("Copper", 8.89f, 200, 20, 5, 0.1f);
    noGut.Add() = {"Nylon", 1.08f, 200, 20, 0.9f, 0.1f, mk_nylon};
    EXPECT_EQ(noGut.Reference().Name, "Copper");
    EXPECT_EQ(noGut.MaterialByKind(mk_carbon).Name, "Copper");
    EXPECT_EQ(noGut.MaterialByName("Tin").Name, "Copper");
}

TEST(Materials, EmptyListAnswersWithANewItem) {
    const TStringMaterialCollection empty;
    for (const auto* m : {&empty.MaterialByName("Gut"), &empty.Reference()}) {
        EXPECT_EQ(m->Density, 1.36f);
        EXPECT_EQ(m->MaxTension, 0);
        EXPECT_EQ(m->Kind, mk_gut);
    }
    EXPECT_EQ(empty.AlternativeChoiceList().size(), 7u);
    EXPECT_EQ(empty.AlternativeIndex("Copper"), 0);
}

TEST(Materials, OnlyOtherMaterialsCanBeDeleted) {
    auto list = Defaults();
    std::string message;
    EXPECT_FALSE(list.DeleteMaterial(2, &message)); // Nylgut
    EXPECT_EQ(message, "Nylon, Nylgut and Carbon PVC can not be deleted!");
    EXPECT_FALSE(list.DeleteMaterial(0));
    EXPECT_FALSE(list.DeleteMaterial(8));
    EXPECT_EQ(list.Count(), 8);
    EXPECT_TRUE(list.DeleteMaterial(4)); // Copper
    EXPECT_EQ(list.Count(), 7);
    EXPECT_EQ(list[4].Name, "Nickel Silver");
    list.AddMaterial("Tin", 7.3f, 100, 10, 2, 0.2f);
    EXPECT_EQ(list[7].Kind, mk_other);
}

TEST(Materials, LimitChecksIncludeTheBounds) {
    const TStringMaterialItem m{"Gut", 1.35f, 200, 20, 1.5f, 0.1f, mk_gut};
    EXPECT_EQ(CheckTension(m, 200), ls_ok);
    EXPECT_EQ(CheckTension(m, 200.01f), ls_tension_high);
    EXPECT_EQ(CheckTension(m, 20), ls_ok);
    EXPECT_EQ(CheckTension(m, 19.99f), ls_tension_low);
    EXPECT_EQ(CheckDiameter(m, 1.5f), ls_ok);
    EXPECT_EQ(CheckDiameter(m, 1.501f), ls_diameter_high);
    EXPECT_EQ(CheckDiameter(m, 0.1f), ls_ok);
    EXPECT_EQ(CheckDiameter(m, 0.09f), ls_diameter_low);
}

} // namespace
} // namespace vorn
