#include "strings/VornVars.h"

#include <optional>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace vorn {

namespace {

constexpr long double Pi = std::numbers::pi_v<long double>;
// Kuerschner and Aquila rate strings by their gut equivalent at this fixed density, whatever
// the material list says about gut.
constexpr long double CatalogueGutDensity = 1.35L;
// A catalogue index is a byte; rows beyond this cannot be addressed.
constexpr int AddressableRows = 256;
// Mass figures above this cannot be compared with a row's bound.
constexpr long double LargestMassFigure = 2147483637.0L;
const char* const Sentinel = " * ";

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

const int32_t KuerschnerValues[] = {
    78, 80, 82, 85, 88, 91, 94, 97, 100, 104,
    108, 112, 116, 120, 124, 128, 132, 136, 140, 145,
    150, 155, 160, 165, 170, 175, 180, 185, 190, 195,
    200, 210, 220, 230, 240, 250, 260, 270, 280, 290,
};

const TAquilaItem AquilaRows[] = {
    // value, DE
    {73, 0}, {76, 0}, {79, 0}, {82, 0}, {85, 0}, {88, 0}, {91, 0}, {94, 0},
    {97, 0}, {100, 1}, {104, 1}, {108, 1}, {112, 1}, {116, 1}, {120, 1}, {124, 1},
    {128, 1}, {132, 1}, {136, 1}, {140, 1}, {145, 1}, {150, 1}, {155, 1}, {160, 1},
    {165, 1}, {170, 1}, {175, 0}, {180, 1}, {185, 0}, {190, 1}, {195, 0}, {200, 1},
    {210, 1}, {220, 1}, {230, 1}, {240, 1}, {250, 1}, {260, 0},
};
// clang-format on

// Pyramid codes of the first rows carry a suffix ("809al").
const char* PyramidSuffix(int index) {
    static const char* const suffixes[] = {"",   "al", "al", "al", "al", "al",
                                           "al", "",   "al", "m",  "",   "m"};
    return index >= 0 && index < 12 ? suffixes[index] : "";
}

std::string Format(const char* format, auto... args) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    return n < 0 ? std::string() : std::string(buffer, std::min<std::size_t>(n, sizeof buffer - 1));
}

// The row tension as the labels show it: two decimals in a field of five.
std::string TensionText(long double newtons, VornTensType unit) {
    return Format("%5.2Lf", FromNewtons(newtons, unit, -2));
}

std::string TensionPart(const std::string& tensionText, VornTensType unit) {
    return " (" + tensionText + " " + TensionUnitSuffix(unit) + ")";
}

// Settles the row to show: index 0 searches from the start for the first row that fits,
// 255 (a step down from 0) means row 0, and anything above the last row is clamped. Returns
// -1 for an empty catalogue.
template <class Fits> int ResolveIndex(uint8_t& index, int count, Fits fits) {
    const int last = std::min(count, AddressableRows) - 1;
    if (last < 0) {
        index = 0;
        return -1;
    }
    int row = index;
    if (row == 0) {
        // Nothing fits: the heaviest row. Going through last + 1 would wrap the byte for
        // catalogues of 255 rows or more.
        row = last;
        for (int r = 0; r <= last; ++r) {
            if (fits(r)) {
                row = r;
                break;
            }
        }
    } else if (row == 255) {
        row = 0;
    } else if (row > last) {
        row = last;
    }
    index = static_cast<uint8_t>(row);
    return row;
}

// Savarez and Pyramid: the mass figure z of a string, every step held as a 32-bit float,
// which decides the cases that fall right on a bound. False when the figure is beyond
// comparison.
struct MassFigure {
    float y = 0;              // converts a row value back to a tension
    long double zRounded = 0; // compared with the bounds
};

bool ComputeMassFigure(double f, float L, float T, MassFigure& out) {
    const float x = static_cast<float>(static_cast<long double>(T) / (L / 100.0L));
    if (x > LargestMassFigure)
        return false;
    out.y = static_cast<float>(2450000.0L / (static_cast<long double>(f) * f * L));
    const float z = static_cast<float>(static_cast<long double>(x) * out.y);
    out.zRounded = RoundToDigits(z, 0);
    return true;
}

long double MassRowTension(int32_t value, float y, float L) {
    return static_cast<float>(value / static_cast<long double>(y) * (L / 100.0L));
}

// Kuerschner and Aquila: the gut-equivalent diameter in 0.01 mm.
long double GutFigure(double f, float L, float T) {
    const float quotient =
        static_cast<float>(std::sqrt(10.0L * T) / L / f / std::sqrt(Pi * CatalogueGutDensity));
    return quotient * 100000.0L;
}

long double GutRowTension(int32_t value, double f, float L) {
    const long double p = value * (L / 100.0L) * f / std::sqrt(1.0L / (Pi * CatalogueGutDensity));
    return p * p / 1e7L;
}

// "078": three digits, zero-filled.
std::string GutNumber(int32_t value) {
    return Format("%03d", static_cast<int>(value));
}

// The mass-figure lookup Savarez and Pyramid share: finds the row and its tension text, or
// gives the whole label when there is nothing more to say (impossible figure, sentinel).
template <class Item>
std::optional<std::string> MassLookup(const std::vector<Item>& items, VornTensType unit,
                                      uint8_t& index, double f, float L, float T, int& row,
                                      std::string& tension) {
    MassFigure m;
    if (!ComputeMassFigure(f, L, T, m))
        return std::string();
    row = ResolveIndex(index, static_cast<int>(items.size()),
                       [&](int r) { return items[r].Bound >= m.zRounded; });
    if (row < 0)
        return std::string(Sentinel);
    tension = TensionText(MassRowTension(items[row].Value, m.y, L), unit);
    if (tension == " 0.00")
        return std::string(Sentinel);
    return std::nullopt;
}

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
    return label + Format("%4d", static_cast<int>(item.Value)) + TensionPart(tension, Unit);
}

std::string TSavarezCollection::EntryLabel(int index) const {
    if (index < 0 || index >= Count() || Items[index].Value == 0)
        return {};
    const TSavarezItem& item = Items[index];
    // Each prefix goes in front, so the order reverses against Label.
    std::string label = Format("%4d", static_cast<int>(item.Value));
    if (item.Flags & 1)
        label = "NP " + label;
    if (item.Flags & 2)
        label = "NF " + label;
    if (item.Flags & 4)
        label = "BP " + label;
    return label;
}

void TPyramidCollection::Restore() {
    Items.assign(std::begin(PyramidRows), std::end(PyramidRows));
}

std::string TPyramidCollection::Label(uint8_t& index, double f, float L, float T) const {
    int row = -1;
    std::string tension;
    if (const auto early = MassLookup(Items, Unit, index, f, L, T, row, tension))
        return *early;
    const TPyramidItem& item = Items[row];
    return std::to_string(item.Code) + PyramidSuffix(row) + TensionPart(tension, Unit);
}

std::string TPyramidCollection::EntryLabel(int index) const {
    if (index < 0 || index >= Count() || Items[index].Value == 0)
        return {};
    return std::to_string(Items[index].Code) + PyramidSuffix(index);
}

void TKuerschnerCollection::Restore() {
    Items.clear();
    for (int32_t value : KuerschnerValues)
        Items.push_back({value});
}

std::string TKuerschnerCollection::Label(uint8_t& index, double f, float L, float T) const {
    const long double d = GutFigure(f, L, T);
    const int row = ResolveIndex(index, Count(), [&](int r) { return Items[r].Value >= d; });
    if (row <= 0)
        return Sentinel;
    const int32_t value = Items[row].Value;
    const char* series = L < 120 ? "VN 5" : L < 155 ? "VN 6" : "VN 3";
    return series + GutNumber(value) +
           TensionPart(TensionText(GutRowTension(value, f, L), Unit), Unit);
}

std::string TKuerschnerCollection::EntryLabel(int index) const {
    if (index < 0 || index >= Count())
        return {};
    return "VN 3-, 5-, 6- " + Format("%3d", static_cast<int>(Items[index].Value));
}

void TAquilaCollection::Restore() {
    Items.assign(std::begin(AquilaRows), std::end(AquilaRows));
}

std::string TAquilaCollection::Label(uint8_t& index, double f, float L, float T) const {
    const long double d = GutFigure(f, L, T);
    const int row = ResolveIndex(index, Count(), [&](int r) { return Items[r].Value >= d; });
    if (row <= 0)
        return Sentinel;
    const TAquilaItem& item = Items[row];
    return (item.DE != 0 ? "D, DE" : "D") + GutNumber(item.Value) +
           TensionPart(TensionText(GutRowTension(item.Value, f, L), Unit), Unit);
}

std::string TAquilaCollection::EntryLabel(int index) const {
    if (index == 0)
        return Sentinel;
    if (index < 0 || index >= Count())
        return {};
    const TAquilaItem& item = Items[index];
    const std::string number = Format("%3d", static_cast<int>(item.Value));
    return "D" + number + (item.DE != 0 ? ", DE" + number : std::string());
}

void TCatalogues::SetCatalogueUnit(VornTensType unit) {
    Savarez.Unit = unit;
    Pyramid.Unit = unit;
    Kuerschner.Unit = unit;
    Aquila.Unit = unit;
}

std::string TCatalogues::CatalogueLabel(int kind, uint8_t& index, double f, float L,
                                        float T) const {
    switch (kind) {
    case 4:
        return Savarez.Label(index, f, L, T);
    case 5:
        return Pyramid.Label(index, f, L, T);
    case 6:
        return Kuerschner.Label(index, f, L, T);
    case 7:
        return Aquila.Label(index, f, L, T);
    default:
        return {};
    }
}

std::string TCatalogues::EntryLabel(int kind, int index) const {
    switch (kind) {
    case 4:
        return Savarez.EntryLabel(index);
    case 5:
        return Pyramid.EntryLabel(index);
    case 6:
        return Kuerschner.EntryLabel(index);
    case 7:
        return Aquila.EntryLabel(index);
    default:
        return {};
    }
}

int TCatalogues::Count(int kind) const {
    switch (kind) {
    case 4:
        return Savarez.Count();
    case 5:
        return Pyramid.Count();
    case 6:
        return Kuerschner.Count();
    case 7:
        return Aquila.Count();
    default:
        return 0;
    }
}

uint8_t CatalogueStepIndex(uint8_t index, int step) {
    // Index 0 would ask Label for a new search; 255 shows row 0 itself.
    const int next = index + step;
    if (next <= 0)
        return 255;
    return static_cast<uint8_t>(std::min(next, 254));
}

int CatalogueKindOfName(const std::string& name) {
    if (name == "Savarez")
        return 4;
    if (name == "Pyramid")
        return 5;
    if (name == "Kuerschner")
        return 6;
    if (name == "Aquila")
        return 7;
    return -1;
}

std::string CatalogueName(int kind) {
    switch (kind) {
    case 4:
        return "Savarez";
    case 5:
        return "Pyramid";
    case 6:
        return "Kuerschner";
    case 7:
        return "Aquila";
    default:
        return {};
    }
}

} // namespace vorn
