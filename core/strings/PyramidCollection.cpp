// SPDX-License-Identifier: GPL-3.0-or-later

#include "strings/PyramidCollection.h"

#include "strings/CatalogueLookup.h"

namespace vorn {

namespace {

// clang-format off
const TPyramidItem PyramidRows[] = {
    // code, bound, value
    {0, 32, 0}, {809, 36, 36}, {909, 39, 38}, {1009, 42, 40},
    {1010, 46, 44}, {1011, 50, 48}, {1012, 53, 52}, {905, 55, 54},
    {1013, 58, 56}, {906, 61, 60}, {906, 63, 63}, {1006, 65, 64},
    {1006, 69, 67}, {10065, 75, 72}, {1007, 78, 78}, {9075, 80, 79},
    {10075, 83, 83}, {908, 86, 84}, {1008, 89, 89}, {9085, 90, 90},
    {12075, 92, 91}, {10085, 94, 94}, {909, 97, 95}, {1009, 102, 100},
    {1109, 105, 105}, {10095, 108, 106}, {1010, 115, 112}, {10105, 121, 118},
    {1011, 127, 124}, {1111, 133, 130}, {1012, 143, 137}, {1013, 156, 150},
    {1014, 166, 163}, {1114, 173, 170}, {1015, 184, 177}, {1016, 195, 192},
    {1116, 202, 199}, {1017, 214, 206}, {1018, 229, 222}, {1019, 245, 237},
    {1020, 261, 253}, {1021, 278, 270}, {1022, 295, 287}, {1023, 313, 304},
    {1024, 327, 322}, {1124, 336, 332}, {1025, 349, 340}, {1026, 368, 359},
    {1027, 387, 378}, {1028, 407, 397}, {1029, 427, 417}, {1030, 448, 438},
    {1030, 469, 458}, {1032, 482, 480}, {1231, 492, 484}, {1033, 503, 501},
    {1232, 526, 506}, {1035, 572, 546}, {1236, 610, 598}, {1237, 634, 622},
    {1238, 659, 647}, {1239, 684, 672}, {1240, 712, 697}, {1440, 740, 727},
    {1441, 766, 753}, {1442, 793, 780}, {1443, 835, 807}, {1445, 898, 863},
    {1348, 941, 933}, {1448, 971, 950}, {1350, 1001, 992}, {1450, 1027, 1010},
    {1650, 1076, 1045}, {1652, 1124, 1108}, {1653, 1156, 1140}, {1654, 1189, 1173},
    {1655, 1241, 1206}, {1856, 1292, 1276}, {2056, 1326, 1309}, {2157, 1362, 1344},
    {2058, 1413, 1380}, {2458, 1483, 1446}, {2460, 1558, 1520}, {2462, 1615, 1596},
    {2463, 1678, 1635}, {3262, 1742, 1722}, {3263, 1803, 1762}, {3265, 1908, 1845},
    {3268, 2015, 1972}, {3270, 2102, 2058}, {3272, 2150, 2147},
};
// clang-format on

// Pyramid codes of the first rows carry a suffix ("809al").
const char* PyramidSuffix(int index) {
    static const char* const suffixes[] = {"",   "al", "al", "al", "al", "al",
                                           "al", "",   "al", "m",  "",   "m"};
    return index >= 0 && index < 12 ? suffixes[index] : "";
}

} // namespace

void TPyramidCollection::Restore() {
    Items.assign(std::begin(PyramidRows), std::end(PyramidRows));
}

std::string TPyramidCollection::Label(uint8_t& index, double f, float L, float T) const {
    int row = -1;
    std::string tension;
    if (const auto early = MassLookup(Items, Unit, index, f, L, T, row, tension))
        return *early;
    const TPyramidItem& item = Items[row];
    return std::to_string(item.Code) + PyramidSuffix(row) + tension;
}

std::string TPyramidCollection::EntryLabel(int index) const {
    if (index < 0 || index >= Count() || Items[index].Value == 0)
        return {};
    return std::to_string(Items[index].Code) + PyramidSuffix(index);
}

} // namespace vorn
