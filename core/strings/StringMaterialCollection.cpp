// SPDX-License-Identifier: GPL-3.0-or-later

#include "strings/StringMaterialCollection.h"

#include "strings/Catalogues.h"

namespace vorn {

namespace {

const char* const CrLf = "\r\n";

// Lookups on an empty list (a settings file can leave one) answer with these values.
const TStringMaterialItem& EmptyListItem() {
    static const TStringMaterialItem item{};
    return item;
}

// The fixed head of every row's alternative list; materials from position 4 follow.
const char* const FixedChoices[] = {"Nylon",   "Nylgut",     "Carbon PVF", "Savarez",
                                    "Pyramid", "Kuerschner", "Aquila"};
constexpr int FirstListedMaterial = 4;

struct DefaultMaterial {
    const char* Name;
    uint8_t Kind;
    float Density;     // g/cm³
    float MaxDiameter; // mm
    float MinDiameter;
    float BreakingIndex; // Hz·m
};

// Gut's index is the string makers' measured mean (range about 240 to 280). The others are
// 1/2·sqrt(strength / density) with typical tensile strengths of drawn monofilament and of
// hard-drawn wire, rounded down to 5 Hz·m.
// clang-format off
constexpr DefaultMaterial DefaultMaterials[] = {
    {"Gut",           mk_gut,    1.35f,  1.5f, 0.1f, 260},
    {"Nylon",         mk_nylon,  1.08f,  0.9f, 0.1f, 260},
    {"Nylgut",        mk_nylgut, 1.3f,   1.0f, 0.3f, 245},
    {"Carbon PVF",    mk_carbon, 1.776f, 0.9f, 0.1f, 275},
    {"Copper",        mk_other,  8.89f,  5.0f, 0.1f, 105},
    {"Nickel Silver", mk_other,  7.795f, 5.0f, 0.1f, 145},
    {"Brass7/3",      mk_other,  8.536f, 5.0f, 0.1f, 145},
    {"Bronze",        mk_other,  8.87f,  5.0f, 0.1f, 155},
};
// clang-format on

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += CrLf;
        text += lines[i];
    }
    return text;
}

} // namespace

TStringMaterialItem& TStringMaterialCollection::Add() {
    items_.emplace_back();
    return items_.back();
}

const TStringMaterialItem&
TStringMaterialCollection::MaterialByName(const std::string& name) const {
    if (items_.empty())
        return EmptyListItem();
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if (it->Name == name)
            return *it;
    return items_.front();
}

const TStringMaterialItem& TStringMaterialCollection::MaterialByKind(int kind) const {
    if (items_.empty())
        return EmptyListItem();
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if (it->Kind == kind)
            return *it;
    return items_.front();
}

int TStringMaterialCollection::KindOfName(const std::string& name) const {
    const int catalogue = CatalogueKindOfName(name);
    if (catalogue >= 0)
        return catalogue;
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if (it->Name == name)
            return it->Kind;
    return mk_gut;
}

std::vector<std::string> TStringMaterialCollection::AlternativeChoiceList() const {
    std::vector<std::string> list(std::begin(FixedChoices), std::end(FixedChoices));
    for (int i = FirstListedMaterial; i < Count(); ++i)
        list.push_back(items_[i].Name);
    return list;
}

std::string TStringMaterialCollection::AlternativeChoices() const {
    return JoinLines(AlternativeChoiceList());
}

int TStringMaterialCollection::AlternativeIndex(const std::string& name) const {
    for (int i = 1; i < static_cast<int>(std::size(FixedChoices)); ++i)
        if (name == FixedChoices[i])
            return i;
    // Material at position p sits at p + 3 in the list: the seven fixed items replace the
    // four materials in front of it. Searching below position 4 would turn a custom name
    // there into a maker's entry (position 2 + 3 is "Kuerschner").
    for (int p = Count() - 1; p >= FirstListedMaterial; --p)
        if (items_[p].Name == name)
            return p + 3;
    return 0;
}

std::string TStringMaterialCollection::MaterialNames() const {
    std::vector<std::string> names;
    names.reserve(items_.size());
    for (const auto& item : items_)
        names.push_back(item.Name);
    return JoinLines(names);
}

void TStringMaterialCollection::AddMaterial(const std::string& name, float density,
                                            float maxTension, float minTension, float maxDiameter,
                                            float minDiameter, float breakingIndex) {
    items_.push_back(
        {name, density, maxTension, minTension, maxDiameter, minDiameter, mk_other, breakingIndex});
}

double TStringMaterialCollection::BreakingIndexOf(const std::string& name) const {
    if (CatalogueKindOfName(name) >= 0)
        return 0;
    return MaterialByName(name).BreakingIndex;
}

bool TStringMaterialCollection::DeleteMaterial(int index, std::string* message) {
    if (index < 0 || index >= Count())
        return false;
    if (items_[index].Kind != mk_other) {
        if (message)
            *message = FixedMaterialMessage;
        return false;
    }
    items_.erase(items_.begin() + index);
    return true;
}

TStringMaterialCollection TStringMaterialCollection::Defaults() {
    TStringMaterialCollection list;
    list.SetDefaultMaterials();
    return list;
}

void TStringMaterialCollection::SetDefaultMaterials() {
    for (const DefaultMaterial& m : DefaultMaterials)
        items_.push_back(
            {m.Name, m.Density, 200, 20, m.MaxDiameter, m.MinDiameter, m.Kind, m.BreakingIndex});
}

float DefaultBreakingIndex(const std::string& name, int kind) {
    for (const DefaultMaterial& m : DefaultMaterials)
        if (kind == m.Kind && (kind != mk_other || name == m.Name))
            return m.BreakingIndex;
    return static_cast<float>(BreakingIndexRange.Initial);
}

LimitState CheckTension(const TStringMaterialItem& material, float T) {
    if (T > material.MaxTension)
        return ls_tension_high;
    if (T >= material.MinTension)
        return ls_ok;
    return ls_tension_low;
}

LimitState CheckDiameter(const TStringMaterialItem& material, float d) {
    if (d > material.MaxDiameter)
        return ls_diameter_high;
    if (d >= material.MinDiameter)
        return ls_ok;
    return ls_diameter_low;
}

} // namespace vorn
