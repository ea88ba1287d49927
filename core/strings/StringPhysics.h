// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The formulas linking frequency, length, tension, diameter and density; tension units.
//
// Units throughout: frequency f in Hz, vibrating length L in cm, tension T in N,
// diameter d in mm, density rho in g/cm3. Operands arrive at the precision they are stored
// in (32-bit floats for fields); the formulas run in extended precision.

#include <cstdint>
#include <string>

// FormatShortest, ParseNumber and RoundToDigits, which the rows and vorn-calc reach through
// this header.
#include "io/NumberText.h"

namespace vorn {

enum VornTensType : uint8_t {
    tt_newtons = 0,   // "N."
    tt_kilograms = 1, // "kg.", 9.80665 N
    tt_pounds = 2,    // "lb.", 4.448221615 N
};

enum RecalcMode : uint8_t {
    rm_length = 0,
    rm_tension = 1,
    rm_diameter = 2,
};

// T in N = pi * rho * (d * L * f)^2 / 1e7.
long double CalcTension(float rho, float d, float L, double f);
// d in mm = 1000 * sqrt(10 T) / (f L sqrt(pi rho)); the quotient is rounded to a 32-bit
// float before the factor 1000.
long double CalcDiameter(float L, double f, long double T, float rho);
// L in cm = 10000 * sqrt(0.1 T / (pi rho)) / (d f).
long double CalcLength(float rho, long double T, double f, float d);

// Newtons of a value given in unit (anything but 1 and 2 counts as newtons).
long double ToNewtons(long double value, int unit);
// The value in unit, rounded by RoundToDigits at power of ten `digits` (-2: two decimals).
long double FromNewtons(long double newtons, int unit, int digits);

// "N.", "kg." or "lb."; newtons for an unknown unit.
std::string TensionUnitSuffix(int unit);
// The option texts of the three units.
std::string TensionUnitOptionText(int unit);

// Breaking. A plain string of one material breaks at a fixed product of frequency and
// vibrating length, whatever its diameter: the material's breaking index, in Hz·m.

// f·L in Hz·m of a string of L cm at f Hz.
double FrequencyLength(double f, double L);
// Semitones between f·L (Hz·m) and the breaking index (Hz·m): 12·log2(index / fL), positive
// below breaking, negative beyond it. NaN unless both are above 0.
double BreakMargin(double index, double fL);
// The highest frequency (Hz) a string of L cm can take while staying `margin` semitones below
// an index (Hz·m): index / L in metres, lowered by the margin.
double BreakingFrequency(double index, double L, double margin);

enum BreakWarning : uint8_t {
    bw_none = 0,
    bw_near = 1,  // under NearBreakMargin semitones from breaking: amber
    bw_close = 2, // under CloseBreakMargin: red
};
inline constexpr double NearBreakMargin = 2;  // semitones
inline constexpr double CloseBreakMargin = 1; // semitones
// What a margin warns of; a margin that is not a number warns of nothing.
BreakWarning WarningFor(double margin);

} // namespace vorn
