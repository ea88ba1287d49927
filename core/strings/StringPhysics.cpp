// SPDX-License-Identifier: GPL-3.0-or-later

#include "strings/StringPhysics.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace vorn {

namespace {

constexpr long double Pi = std::numbers::pi_v<long double>;

constexpr long double KilogramForce = 9.80665L;
constexpr long double PoundForce = 4.448221615L;
// The way back multiplies too; these are the reciprocals above to 18 digits.
constexpr long double PerKilogramForce = 0.101971621297792824L;
constexpr long double PerPoundForce = 0.224808943112875908L;

} // namespace

long double CalcTension(float rho, float d, float L, double f) {
    const long double p = static_cast<long double>(d) * L * f;
    return p * p * Pi * rho / 1e7L;
}

long double CalcDiameter(float L, double f, long double T, float rho) {
    const long double q = std::sqrt(10.0L * T) / f / L;
    const float quotient = static_cast<float>(q / std::sqrt(Pi * rho));
    return static_cast<long double>(quotient) * 1000.0L;
}

long double CalcLength(float rho, long double T, double f, float d) {
    return 10000.0L * std::sqrt(0.1L * T / (Pi * rho)) / (static_cast<long double>(d) * f);
}

long double ToNewtons(long double value, int unit) {
    switch (unit) {
    case tt_kilograms:
        return value * KilogramForce;
    case tt_pounds:
        return value * PoundForce;
    default:
        return value;
    }
}

long double FromNewtons(long double newtons, int unit, int digits) {
    long double value = newtons;
    if (unit == tt_kilograms)
        value = newtons * PerKilogramForce;
    else if (unit == tt_pounds)
        value = newtons * PerPoundForce;
    return RoundToDigits(value, digits);
}

std::string TensionUnitSuffix(int unit) {
    switch (unit) {
    case tt_kilograms:
        return "kg.";
    case tt_pounds:
        return "lb.";
    default:
        return "N.";
    }
}

std::string TensionUnitOptionText(int unit) {
    switch (unit) {
    case tt_kilograms:
        return "Kilogram-force (9.80665 N)";
    case tt_pounds:
        return "Pound-force (4.448222 N)";
    default:
        return "Newtons (1 kg \u00B7 mass/seconds\u00B2)";
    }
}

double FrequencyLength(double f, double L) {
    return f * L / 100;
}

double BreakMargin(double index, double fL) {
    if (!(index > 0 && fL > 0))
        return std::numeric_limits<double>::quiet_NaN();
    return 12 * std::log2(index / fL);
}

double BreakingFrequency(double index, double L, double margin) {
    // index * 100 / L rather than index / (L / 100): 260 at 64 cm is 406.25 exactly.
    return index * 100 / L * std::exp2(-margin / 12);
}

BreakWarning WarningFor(double margin) {
    if (margin < CloseBreakMargin)
        return bw_close;
    if (margin < NearBreakMargin)
        return bw_near;
    return bw_none;
}

} // namespace vorn
