// SPDX-License-Identifier: GPL-3.0-or-later

#include "strings/CatalogueLookup.h"

#include <cmath>
#include <numbers>

namespace vorn {

namespace {

constexpr long double Pi = std::numbers::pi_v<long double>;
// Kuerschner and Aquila rate strings by their gut equivalent at this fixed density, whatever
// the material list says about gut.
constexpr long double CatalogueGutDensity = 1.35L;
// Mass figures above this cannot be compared with a row's bound.
constexpr long double LargestMassFigure = 2147483637.0L;

long double GutRowTension(int32_t value, double f, float L) {
    const long double p = value * (L / 100.0L) * f / std::sqrt(1.0L / (Pi * CatalogueGutDensity));
    return p * p / 1e7L;
}

} // namespace

std::string TensionPart(long double newtons, VornTensType unit) {
    return " (" + FixedText(FromNewtons(newtons, unit, -2), 2, 5) + " " + TensionUnitSuffix(unit) +
           ")";
}

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

long double GutFigure(double f, float L, float T) {
    const float quotient =
        static_cast<float>(std::sqrt(10.0L * T) / L / f / std::sqrt(Pi * CatalogueGutDensity));
    return quotient * 100000.0L;
}

std::string CatalogueStringName(const std::string& label) {
    std::string name;
    for (const char c : label.substr(0, label.find(" ("))) {
        if (c != ' ' || (!name.empty() && name.back() != ' '))
            name += c;
    }
    if (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

std::string GutLabel(const std::string& prefix, int32_t value, double f, float L,
                     VornTensType unit) {
    return prefix + WholeText(value, 3, true) + TensionPart(GutRowTension(value, f, L), unit);
}

} // namespace vorn
