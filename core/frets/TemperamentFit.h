// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Which meantone an instrument's frets were set to: the comma fraction and Mi/Fa choices whose
// fret positions come nearest, in cents, to distances measured on the fingerboard.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "pitch/FretRecord.h"

namespace vorn {

// Step of the fitted comma fraction.
inline constexpr double FitFractionStep = 0.001;
// Fewer measured frets cannot tell the fraction from the choices.
inline constexpr int MinFittedFrets = 3;

struct FitInput {
    double Length = 0; // cm, nut to bridge, 20..120
    // Frets 1..11 (index 0 is fret 1): cm from the nut, nothing for a fret not measured.
    std::array<std::optional<double>, 11> Distances{};
    // Choices of the frets the fit does not decide: fixed ones and those not measured.
    FretChoices BaseChoices = DefaultMiFa;
};

struct FittedFret {
    int Fret = 0;           // 1..11
    double Measured = 0;    // cm
    double Fitted = 0;      // cm, the fitted position of the fitted choice
    double ErrorMm = 0;     // measured - fitted, mm: positive when the fret sits too far down
    double ErrorCents = 0;  // measured - fitted, cents: positive when the fret sounds sharp
    uint8_t Choice = fc_mi; // FretChoice the fitted position stands for
};

struct FitResult {
    std::string Refusal;           // why nothing was fitted; empty when fitted
    double CommaFraction = 0;      // 0..MaxCommaFraction in steps of FitFractionStep
    int Nearest = 0;               // named temperament 0..8 with the nearest fraction
    double RmsCents = 0;           // over the measured frets
    FretChoices Choices{};         // BaseChoices with the measured two-position frets decided
    std::vector<FittedFret> Frets; // the measured frets, in fret order
};

// Whether the fit could choose Mi or Fa on fret 1..11: frets 2, 5 and 7 have one position.
bool FitDecidesFret(int fret);

// Why input cannot be fitted, or empty: a length outside 20..120 cm, fewer than three
// measured frets, a distance not in 0 < d < 1.1 * length / 2.
std::string FitRefusal(const FitInput& input);

// The least-squares fit in cents over fractions 0..MaxCommaFraction; on a tie the smaller
// fraction and the base choice win.
FitResult FitTemperament(const FitInput& input);

// What the fret chart can hold of a fitted fraction: the nearest named temperament when it
// lies within half a slider step, else the slider's nearest position 0..68 and the
// temperament that position gives (a named one, or 9 with position / 200).
struct SliderTemperament {
    int Position = 0;
    int Identifier = 0;
    double Fraction = 0;
};
SliderTemperament SliderTemperamentOf(double commaFraction);

} // namespace vorn
