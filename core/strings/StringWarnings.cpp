// SPDX-License-Identifier: GPL-3.0-or-later

#include "strings/StringWarnings.h"

#include <cmath>

#include "io/NumberText.h"
#include "strings/StringPhysics.h"

namespace vorn {

namespace {

BreakMark breakMarkOf(double margin) {
    if (!std::isfinite(margin))
        return bm_none;
    // The hint rounds to 0.01 semitone; "at breaking" there must not read as merely close.
    if (ShownBreakMargin(margin) <= 0)
        return bm_beyond;
    switch (WarningFor(margin)) {
    case bw_close:
        return bm_close;
    case bw_near:
        return bm_near;
    default:
        return bm_none;
    }
}

// One cause per line.
void addLine(std::string& text, const std::string& line) {
    if (!line.empty())
        text += (text.empty() ? "" : "\n") + line;
}

std::string limitText(LimitState state, const std::string& material, const std::string& value,
                      const std::string& maximum, const std::string& minimum) {
    const bool high = state == ls_tension_high || state == ls_diameter_high;
    return material + ": " + value +
           (high ? " is over its maximum of " + maximum : " is under its minimum of " + minimum);
}

std::string tensionText(float newtons, const StringSettings& settings) {
    return RoundedText(FromNewtons(newtons, settings.TensionUnit, settings.TensionDigits),
                       settings.TensionDigits) +
           " " + TensionUnitSuffix(settings.TensionUnit);
}

std::string diameterText(float mm) {
    return FormatShortest(mm) + " mm";
}

std::string diameterLimitText(LimitState state, const TStringMaterialItem& material, float d) {
    if (state == ls_ok)
        return {};
    return limitText(state, material.Name, diameterText(d), diameterText(material.MaxDiameter),
                     diameterText(material.MinDiameter));
}

// The breaking line of a cell: only where the cell warns of it.
std::string breakingLine(double margin, const std::string& material, double index) {
    if (breakMarkOf(margin) == bm_none)
        return {};
    return BreakingText(margin, material, index);
}

} // namespace

std::string StringMarks::Text() const {
    static const char* const breaking[] = {"", "^", "^^", "^^^"};
    return (Limit ? std::string("!") : std::string()) + breaking[Breaking];
}

StringMarks MarksFor(LimitState tension, LimitState gutDiameter, LimitState altDiameter,
                     double margin) {
    StringMarks marks;
    marks.Limit = tension != ls_ok || gutDiameter != ls_ok || altDiameter != ls_ok;
    marks.Breaking = breakMarkOf(margin);
    return marks;
}

StringMarks MarksOf(const StringRecord& row, const TStringMaterialCollection& materials) {
    const BreakFigures figures = BreakingOf(row, materials);
    double margin = figures.GutMargin;
    if (figures.AltMargin && std::isfinite(*figures.AltMargin) && !(margin <= *figures.AltMargin))
        margin = *figures.AltMargin;
    return MarksFor(row.TensionLimit, row.GutDiameterLimit, row.AltDiameterLimit, margin);
}

std::vector<std::string> MarkLegend(const std::vector<StringMarks>& marks) {
    bool limit = false;
    bool breaking[4] = {};
    for (const StringMarks& m : marks) {
        limit = limit || m.Limit;
        breaking[m.Breaking] = true;
    }
    std::vector<std::string> legend;
    if (limit)
        legend.push_back("!    tension or diameter outside its material's limits");
    if (breaking[bm_near])
        legend.push_back("^    less than 2 semitones below breaking");
    if (breaking[bm_close])
        legend.push_back("^^   less than 1 semitone below breaking");
    if (breaking[bm_beyond])
        legend.push_back("^^^  at or above breaking");
    return legend;
}

std::string BreakingText(double margin, const std::string& material, double index) {
    const std::string source =
        "breaking (" + material + ", " + RoundedText(index, 0) + " Hz\u00B7m)";
    const double shown = ShownBreakMargin(margin);
    if (shown == 0)
        return "at " + source;
    const std::string figure = RoundedText(std::abs(shown), -2);
    return figure + (figure == "1" ? " semitone " : " semitones ") +
           (shown > 0 ? "below " : "above ") + source;
}

std::string TensionWarning(const StringRecord& row, const StringSettings& settings) {
    if (row.TensionLimit == ls_ok)
        return {};
    // The reference material is checked first, as the limit state is.
    const TStringMaterialItem& reference = settings.Materials.Reference();
    const TStringMaterialItem& material = CheckTension(reference, row.TensionN) != ls_ok
                                              ? reference
                                              : settings.Materials.MaterialByName(row.AltChoice);
    return limitText(row.TensionLimit, material.Name, tensionText(row.TensionN, settings),
                     tensionText(material.MaxTension, settings),
                     tensionText(material.MinTension, settings));
}

std::string GutDiameterWarning(const StringRecord& row, const StringSettings& settings) {
    const TStringMaterialCollection& materials = settings.Materials;
    const TStringMaterialItem& gut = materials.Reference();
    std::string text = diameterLimitText(row.GutDiameterLimit, gut, row.GutDiameter);
    addLine(text, breakingLine(BreakingOf(row, materials).GutMargin, gut.Name, gut.BreakingIndex));
    return text;
}

std::string AltDiameterWarning(const StringRecord& row, const StringSettings& settings) {
    const TStringMaterialCollection& materials = settings.Materials;
    if (row.IsCatalogue(materials))
        return {};
    const TStringMaterialItem& material = materials.MaterialByName(row.AltChoice);
    std::string text = diameterLimitText(row.AltDiameterLimit, material,
                                         row.AltDiameter.value_or(FallbackAltDiameter));
    const BreakFigures figures = BreakingOf(row, materials);
    if (figures.AltMargin)
        addLine(text, breakingLine(*figures.AltMargin, row.AltChoice,
                                   materials.BreakingIndexOf(row.AltChoice)));
    return text;
}

std::string StringBreakingText(const StringRecord& row,
                               const TStringMaterialCollection& materials) {
    const BreakFigures figures = BreakingOf(row, materials);
    const TStringMaterialItem& gut = materials.Reference();
    const bool gutHas = std::isfinite(figures.GutMargin);
    const bool altHas = figures.AltMargin && std::isfinite(*figures.AltMargin);
    if (altHas && (!gutHas || *figures.AltMargin < figures.GutMargin))
        return BreakingText(*figures.AltMargin, row.AltChoice,
                            materials.BreakingIndexOf(row.AltChoice));
    if (gutHas)
        return BreakingText(figures.GutMargin, gut.Name, gut.BreakingIndex);
    return "no breaking index";
}

} // namespace vorn
