// SPDX-License-Identifier: GPL-3.0-or-later

#include "strings/KuerschnerCollection.h"

#include "strings/CatalogueLookup.h"

namespace vorn {

namespace {

// clang-format off
const int32_t KuerschnerValues[] = {
    78, 80, 82, 85, 88, 91, 94, 97, 100, 104,
    108, 112, 116, 120, 124, 128, 132, 136, 140, 145,
    150, 155, 160, 165, 170, 175, 180, 185, 190, 195,
    200, 210, 220, 230, 240, 250, 260, 270, 280, 290,
};
// clang-format on

} // namespace

void TKuerschnerCollection::Restore() {
    Items.clear();
    for (int32_t value : KuerschnerValues)
        Items.push_back({value});
}

std::string TKuerschnerCollection::Label(uint8_t& index, double f, float L, float T) const {
    const int row = GutLookup(Items, index, f, L, T);
    if (row <= 0)
        return CatalogueSentinel;
    const char* series = L < 120 ? "VN 5" : L < 155 ? "VN 6" : "VN 3";
    return GutLabel(series, Items[row].Value, f, L, Unit);
}

std::string TKuerschnerCollection::EntryLabel(int index) const {
    if (index < 0 || index >= Count())
        return {};
    return "VN 3-, 5-, 6- " + WholeText(Items[index].Value, 3);
}

} // namespace vorn
