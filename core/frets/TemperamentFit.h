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
// A measured fret further than this from its fitted position (cents) is taken for a
// mis-measurement, and the fit is not offered. A slip of 0.5 mm on a 60 cm string moves fret
// 1 (3.4 cm from the nut, 56.6 cm left sounding) by 1200 / ln 2 * 0.05 / 56.6 = 1.5 cents and
// fret 11 (28.2 cm, 31.8 cm left) by 2.7 cents; on a 30 cm string by twice that, 5.4 cents at
// fret 11. 15 cents is more than five times a careful hand's worst case on a lute and nearly
// three times on the smallest instruments, so a fret beyond it was misread, not placed.
inline constexpr double FitOutlierCents = 15;

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
    std::string Refusal; // why nothing was fitted; empty when fitted
    // Why the fit, though made, is not to be applied: the fret furthest from it when that is
    // more than FitOutlierCents, named as the likely mis-measurement. Empty when plausible.
    std::string Doubt;
    int Outlier = 0;               // that fret, 0 when none
    double CommaFraction = 0;      // 0..MaxCommaFraction in steps of FitFractionStep
    int Nearest = 0;               // named temperament 0..8 with the nearest fraction
    double RmsCents = 0;           // over the measured frets
    FretChoices Choices{};         // BaseChoices with the measured two-position frets decided
    std::vector<FittedFret> Frets; // the measured frets, in fret order

    // Fitted, and every fret near enough to trust the fit.
    bool Plausible() const { return Refusal.empty() && Doubt.empty(); }
};

// Whether the fit could choose Mi or Fa on fret 1..11: frets 2, 5 and 7 have one position.
bool FitDecidesFret(int fret);

// Why input cannot be fitted, or empty: a length outside 20..120 cm, fewer than three
// measured frets, a distance not in 0 < d < 1.1 * length / 2 (on the string, and not far past
// the octave where fret 11 sits), or a fret not further from the nut than the one before it.
std::string FitRefusal(const FitInput& input);

// The length and the distances as typed: a length in cm, and up to eleven comma-separated
// distances in cm for frets 1..11, an empty field for a fret not measured; '.' decimals.
// Fills input and returns empty, or returns why the text cannot be read, quoting no more than
// a short piece of it (ShortQuote). The fit's own refusals are FitRefusal's.
std::string ReadFitInput(const std::string& length, const std::string& frets, FitInput& input);

// The least-squares fit in cents over fractions 0..MaxCommaFraction; on a tie the smaller
// fraction and the base choice win. A fret further than FitOutlierCents from it is named in
// Doubt.
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
