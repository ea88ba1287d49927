// SPDX-License-Identifier: GPL-3.0-or-later

#include "strings/StringRecord.h"

#include <algorithm>
#include <cmath>

#include "strings/StringPhysics.h"

namespace vorn {

namespace {

// Keeps the row's own change handling quiet while its fields are written, also when a
// rounding throws.
class SuspendUpdates {
public:
    explicit SuspendUpdates(StringRecord& row) : row_(row), saved_(row.UpdatesEnabled) {
        row_.UpdatesEnabled = false;
    }
    ~SuspendUpdates() { row_.UpdatesEnabled = saved_; }
    SuspendUpdates(const SuspendUpdates&) = delete;
    SuspendUpdates& operator=(const SuspendUpdates&) = delete;

private:
    StringRecord& row_;
    bool saved_;
};

// A field holds what it shows: the rounded value as a 32-bit float. A value that cannot be
// shown as a number is not written, so the field keeps its last sound value.
bool WriteField(float& field, long double rounded) {
    const float value = static_cast<float>(rounded);
    if (!std::isfinite(value))
        return false;
    field = value;
    return true;
}

} // namespace

float ShownTension(float newtons, VornTensType unit, int digits) {
    return static_cast<float>(FromNewtons(newtons, unit, digits));
}

float SettledTension(long double newtons, int digits) {
    return static_cast<float>(ToNewtons(FromNewtons(newtons, tt_kilograms, digits), tt_kilograms));
}

float TypedTensionNewtons(std::optional<double> typed, VornTensType unit) {
    double value = MinRowTension;
    if (typed && std::isfinite(*typed) && *typed > MinRowTension)
        value = std::min(*typed, MaxRowTension(unit));
    return static_cast<float>(ToNewtons(value, unit));
}

double MaxRowTension(VornTensType unit) {
    return TensionRangeIn({0, MaxRowTensionN, 0}, unit).Max;
}

EntryRange TensionRangeIn(const EntryRange& newtons, VornTensType unit) {
    // One division for every bound, so that a box and the value it stands for agree bit for bit.
    const auto in = [one = ToNewtons(1, unit)](double n) { return static_cast<double>(n / one); };
    return {in(newtons.Min), in(newtons.Max), in(newtons.Initial)};
}

BreakFigures BreakingOf(const StringRecord& row, const TStringMaterialCollection& materials) {
    BreakFigures figures;
    figures.FL = FrequencyLength(row.Frequency, row.Length);
    figures.GutMargin = BreakMargin(materials.Reference().BreakingIndex, figures.FL);
    const double altIndex = materials.BreakingIndexOf(row.AltChoice);
    if (altIndex > 0)
        figures.AltMargin = BreakMargin(altIndex, figures.FL);
    return figures;
}

double ShownFrequencyLength(double fL) {
    return static_cast<double>(RoundToDigits(fL, -1));
}

double ShownBreakMargin(double margin) {
    return std::isfinite(margin) ? static_cast<double>(RoundToDigits(margin, -2)) : margin;
}

std::string StringRecord::AltText(const TStringMaterialCollection& materials) const {
    if (IsCatalogue(materials))
        return AltLabel;
    return AltDiameter ? FormatShortest(*AltDiameter) : FormatShortest(FallbackAltDiameter);
}

void Recalculate(StringRecord& row, RecalcMode mode, bool fromAlternative,
                 const StringSettings& settings) {
    const TStringMaterialCollection& materials = settings.Materials;
    const int altKind = materials.KindOfName(row.AltChoice);
    const bool catalogue = IsCatalogueKind(altKind);
    // A catalogue has no diameter to start from.
    fromAlternative = fromAlternative && !catalogue;

    const TStringMaterialItem& reference = materials.Reference();
    const TStringMaterialItem& alternative = materials.MaterialByName(row.AltChoice);

    float sourceDiameter = row.GutDiameter;
    const TStringMaterialItem* source = &reference;
    if (fromAlternative) {
        if (!row.AltDiameter || !std::isfinite(*row.AltDiameter))
            row.AltDiameter = FallbackAltDiameter;
        sourceDiameter = *row.AltDiameter;
        source = &alternative;
    }

    {
        SuspendUpdates quiet(row);

        float L = row.Length;
        double f = row.Frequency;
        float T = row.TensionN;
        const float rho = source->Density;

        switch (mode) {
        case rm_length:
            WriteField(row.Length,
                       RoundToDigits(CalcLength(rho, T, f, sourceDiameter), settings.LengthDigits));
            break;
        case rm_tension:
            WriteField(row.TensionN, SettledTension(CalcTension(rho, sourceDiameter, L, f),
                                                    settings.TensionDigits));
            break;
        case rm_diameter:
            WriteField(row.GutDiameter,
                       RoundToDigits(CalcDiameter(L, f, T, rho), settings.GutDiameterDigits));
            break;
        }

        // Read back what step one wrote, so every diameter agrees with the values shown.
        L = row.Length;
        f = row.Frequency;
        T = row.TensionN;

        if (fromAlternative) {
            WriteField(row.GutDiameter, RoundToDigits(CalcDiameter(L, f, T, reference.Density),
                                                      settings.GutDiameterDigits));
        } else if (!catalogue) {
            float diameter = FallbackAltDiameter;
            WriteField(diameter, RoundToDigits(CalcDiameter(L, f, T, alternative.Density),
                                               settings.AltDiameterDigits));
            row.AltDiameter = diameter;
        } else {
            uint8_t index = 0;
            row.AltLabel = settings.Catalogues.CatalogueLabel(altKind, index, f, L, T);
            row.CatalogueIndex = index;
        }
    }

    RefreshLimits(row, settings);
}

void RefreshLimits(StringRecord& row, const StringSettings& settings) {
    const TStringMaterialCollection& materials = settings.Materials;
    const TStringMaterialItem& reference = materials.Reference();
    const TStringMaterialItem& alternative = materials.MaterialByName(row.AltChoice);

    const float T = row.TensionN;
    const LimitState againstReference = CheckTension(reference, T);
    row.TensionLimit = againstReference != ls_ok ? againstReference : CheckTension(alternative, T);

    row.GutDiameterLimit = CheckDiameter(reference, row.GutDiameter);

    if (row.IsCatalogue(materials))
        row.AltDiameterLimit = ls_ok;
    else
        row.AltDiameterLimit =
            CheckDiameter(alternative, row.AltDiameter.value_or(FallbackAltDiameter));
}

} // namespace vorn
