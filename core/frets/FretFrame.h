// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The fret graphic of the "Fret Chart" page: frets 1..11 of the top string drawn to scale
// across a widget W pixels wide, with marks where equal temperament would put them.

#include <array>
#include <optional>

#include "pitch/FretRecord.h"
#include "pitch/FretScale.h"

namespace vorn {

constexpr int GraphicFretCount = 11;

// Pixel positions (x, from the widget's left edge) of everything the graphic places.
struct FretGraphicLayout {
    int Width = 0;
    int NutX = 8;
    int NeckX = 18;
    int NeckWidth = 0;                          // W - 38
    int BodyX = 0;                              // W - 30
    int Fret12X = 0;                            // W - 20, half the scale length
    std::array<int, GraphicFretCount> FretX{};  // frets 1..11 under the document's fifth
    std::array<int, GraphicFretCount> LabelX{}; // left edge of each fret's number
    std::array<int, GraphicFretCount> EqualX{}; // frets 1..11 in 1/11 comma
};

class TFretFrame {
public:
    // width: the graphic's client width in pixels; choices: those the chart uses;
    // commaFraction: the document's fraction of the syntonic comma; fretScale: the rule or
    // Scala scale the document is fretted by instead, if any. The scale length is 2W - 36
    // pixels, so that fret 12 falls at W - 18.
    FretGraphicLayout Layout(int width, const FretChoices& choices, double commaFraction,
                             const std::optional<FretScale>& fretScale = std::nullopt);

private:
    FretRecord shown_; // the given choices
    FretRecord equal_; // the standard choices, for the equal marks
};

} // namespace vorn
