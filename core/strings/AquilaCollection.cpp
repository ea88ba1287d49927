// SPDX-License-Identifier: GPL-3.0-or-later

#include "strings/AquilaCollection.h"

#include "strings/CatalogueLookup.h"

namespace vorn {

namespace {

// clang-format off
const TAquilaItem AquilaRows[] = {
    // value, DE
    {73, 0}, {76, 0}, {79, 0}, {82, 0}, {85, 0}, {88, 0}, {91, 0}, {94, 0},
    {97, 0}, {100, 1}, {104, 1}, {108, 1}, {112, 1}, {116, 1}, {120, 1}, {124, 1},
    {128, 1}, {132, 1}, {136, 1}, {140, 1}, {145, 1}, {150, 1}, {155, 1}, {160, 1},
    {165, 1}, {170, 1}, {175, 0}, {180, 1}, {185, 0}, {190, 1}, {195, 0}, {200, 1},
    {210, 1}, {220, 1}, {230, 1}, {240, 1}, {250, 1}, {260, 0},
};
// clang-format on

} // namespace

void TAquilaCollection::Restore() {
    Items.assign(std::begin(AquilaRows), std::end(AquilaRows));
}

std::string TAquilaCollection::Label(uint8_t& index, double f, float L, float T) const {
    const int row = GutLookup(Items, index, f, L, T);
    if (row <= 0)
        return CatalogueSentinel;
    const TAquilaItem& item = Items[row];
    return GutLabel(item.DE != 0 ? "D, DE" : "D", item.Value, f, L, Unit);
}

std::string TAquilaCollection::EntryLabel(int index) const {
    if (index == 0)
        return CatalogueSentinel;
    if (index < 0 || index >= Count())
        return {};
    const TAquilaItem& item = Items[index];
    const std::string number = WholeText(item.Value, 3);
    return "D" + number + (item.DE != 0 ? ", DE" + number : std::string());
}

} // namespace vorn
