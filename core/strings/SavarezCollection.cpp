// SPDX-License-Identifier: GPL-3.0-or-later

#include "strings/SavarezCollection.h"

#include "strings/CatalogueLookup.h"

namespace vorn {

namespace {

// clang-format off
const TSavarezItem SavarezRows[] = {
    // flags, bound, value
    {0, 50, 0}, {1, 57, 55}, {1, 62, 60}, {1, 67, 65}, {3, 70, 70},
    {2, 71, 71}, {2, 76, 72}, {3, 80, 80}, {2, 86, 82}, {3, 90, 90},
    {2, 96, 92}, {3, 100, 100}, {6, 106, 102}, {7, 110, 110}, {2, 116, 112},
    {3, 120, 120}, {6, 126, 122}, {5, 130, 130}, {6, 133, 132}, {2, 137, 135},
    {4, 140, 140}, {4, 146, 142}, {3, 150, 150}, {2, 156, 152}, {4, 160, 160},
    {4, 166, 162}, {7, 170, 170}, {6, 176, 172}, {4, 180, 180}, {6, 185, 190},
    {6, 190, 192}, {4, 204, 200}, {7, 210, 210}, {6, 216, 212}, {4, 220, 220},
    {4, 226, 222}, {3, 230, 230}, {2, 234, 232}, {4, 238, 237}, {4, 245, 240},
    {7, 250, 250}, {2, 256, 252}, {4, 260, 260}, {4, 266, 262}, {1, 270, 270},
    {2, 273, 272}, {2, 277, 275}, {4, 280, 280}, {4, 286, 282}, {7, 300, 300},
    {6, 311, 302}, {5, 320, 320}, {6, 323, 322}, {2, 332, 325}, {4, 345, 340},
    {3, 350, 350}, {6, 356, 352}, {4, 366, 360}, {4, 373, 372}, {2, 377, 375},
    {5, 380, 380}, {2, 391, 382}, {4, 406, 402}, {7, 410, 410}, {2, 416, 412},
    {4, 426, 422}, {2, 435, 430}, {4, 440, 440}, {6, 456, 442}, {4, 476, 470},
    {2, 482, 482}, {4, 487, 484}, {6, 511, 500}, {2, 526, 522}, {6, 530, 530},
    {4, 542, 532}, {2, 556, 552}, {2, 565, 560}, {4, 580, 570}, {4, 601, 592},
    {4, 606, 610}, {2, 631, 622}, {4, 640, 640}, {4, 672, 642}, {4, 706, 702},
    {4, 731, 710}, {4, 756, 752}, {4, 776, 760}, {4, 801, 792}, {4, 832, 810},
    {4, 867, 854}, {4, 886, 880}, {4, 913, 892}, {4, 942, 934}, {4, 976, 950},
    {4, 1006, 1002}, {4, 1056, 1010}, {4, 1111, 1102}, {4, 1176, 1120}, {4, 1241, 1232},
    {4, 1266, 1250}, {4, 1317, 1282}, {4, 1413, 1352}, {4, 1553, 1474}, {4, 1767, 1632},
    {4, 2072, 1902}, {4, 2397, 2242}, {4, 2702, 2552}, {4, 2860, 2852},
};
// clang-format on

} // namespace

void TSavarezCollection::Restore() {
    Items.assign(std::begin(SavarezRows), std::end(SavarezRows));
}

std::string TSavarezCollection::Label(uint8_t& index, double f, float L, float T) const {
    int row = -1;
    std::string tension;
    if (const auto early = MassLookup(Items, Unit, index, f, L, T, row, tension))
        return *early;
    const TSavarezItem& item = Items[row];
    std::string label;
    if (item.Flags & 1)
        label += "NP ";
    if (item.Flags & 2)
        label += "NF ";
    if (item.Flags & 4)
        label += "BP ";
    return label + WholeText(item.Value, 4) + tension;
}

std::string TSavarezCollection::EntryLabel(int index) const {
    if (index < 0 || index >= Count() || Items[index].Value == 0)
        return {};
    const TSavarezItem& item = Items[index];
    // Each prefix goes in front, so the order reverses against Label.
    std::string label = WholeText(item.Value, 4);
    if (item.Flags & 1)
        label = "NP " + label;
    if (item.Flags & 2)
        label = "NF " + label;
    if (item.Flags & 4)
        label = "BP " + label;
    return label;
}

} // namespace vorn
