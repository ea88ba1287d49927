// SPDX-License-Identifier: GPL-3.0-or-later

#include "frets/FretFrame.h"

#include <cmath>

#include "pitch/Intervals.h"
#include "pitch/Temperaments.h"

namespace vorn {

namespace {

// Identifier 7, whose fifth is 700 cents to the hundredth.
constexpr int EqualTemperament = 7;

int rounded(double x) {
    const double r = std::nearbyint(x);
    return std::isfinite(r) && std::fabs(r) < 1e9 ? static_cast<int>(r) : 0;
}

} // namespace

FretGraphicLayout TFretFrame::Layout(int width, const FretChoices& choices, double commaFraction,
                                     const std::optional<FretScale>& fretScale) {
    FretGraphicLayout g;
    g.Width = width;
    g.NeckWidth = width - 38;
    g.BodyX = width - 30;
    g.Fret12X = width - 20;

    const double scale = 2.0 * width - 36.0;
    shown_.Length = scale;
    shown_.OpenNote = NoteValue{60, 0, 0};
    shown_.Choices = choices;
    shown_.Prepare();
    equal_.Length = scale;
    equal_.OpenNote = NoteValue{60, 0, 0};
    equal_.Choices = DefaultMiFa;
    equal_.Prepare();

    const double fifth = TemperedFifth(commaFraction);
    const double equalFifth = TemperedFifth(TemperamentFraction(EqualTemperament));
    const bool byScale = fretScale && IsUsableScale(*fretScale);
    FretDistribution scaleFrets;
    if (byScale)
        scaleFrets = ScaleFretDistribution(*fretScale, NoteValue{60, 0, 0}, scale, 1, choices);
    for (int k = 1; k <= GraphicFretCount; ++k) {
        const double distance = byScale ? scaleFrets.Rows[k - 1].Main.Distance
                                        : FretDistance(scale, MainCents(shown_, fifth, k));
        const int x = rounded(distance) - 2;
        g.FretX[k - 1] = x;
        g.LabelX[k - 1] = x - (k < 10 ? 1 : 3);
        g.EqualX[k - 1] = rounded(FretDistance(scale, MainCents(equal_, equalFifth, k))) - 1;
    }
    return g;
}

} // namespace vorn
