// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One string of a course row: its record and what each of its cells shows.

#include <string>
#include <vector>

#include "pitch/Keys.h"
#include "strings/StringRecord.h"

namespace vorn {

// Notes in the string chart are always named in C major.
inline constexpr uint8_t ChartKey = DefaultKey;

// One string of a course row as its cells show it.
class TOneStringPanel {
public:
    StringRecord Rec;
    bool IsOctave = false;
    int AltIndex = 0;                  // selected position in AltItems
    std::vector<std::string> AltItems; // the alternative choices offered

    // "392.72 Hz.": the frequency rounded to 2 decimals, shortest form.
    std::string FrequencyText() const;
    // The frequency rounded to whole hertz, halves to even: what its play button sounds.
    int WholeHertz() const;
    // The note in key 7, long form ("c-sharp"): what the note display draws.
    std::string NoteText() const;
    std::string LengthText() const;
    // The tension in the settings' unit at their tension decimals; the unit is
    // TensionUnitSuffix(settings.TensionUnit).
    float ShownTension(const StringSettings& settings) const;
    std::string TensionText(const StringSettings& settings) const;
    std::string GutDiameterText() const;
    std::string AltText(const TStringMaterialCollection& materials) const;
    // A catalogue choice shows a label with step buttons instead of an editable diameter.
    bool AltIsLabel(const TStringMaterialCollection& materials) const;
    // Red cells.
    bool TensionRed() const { return Rec.TensionLimit != ls_ok; }
    bool GutDiameterRed() const { return Rec.GutDiameterLimit != ls_ok; }
    bool AltDiameterRed() const { return Rec.AltDiameterLimit != ls_ok; }

    // How close to breaking: the gut diameter cell warns for gut, the alternative diameter
    // cell for a plain alternative.
    BreakFigures Breaking(const TStringMaterialCollection& materials) const {
        return BreakingOf(Rec, materials);
    }
    struct BreakWarnings {
        BreakWarning Gut = bw_none;
        BreakWarning Alt = bw_none; // none for a wound string
        // The worse of the two: what the tension profile marks.
        BreakWarning Worst() const { return Gut > Alt ? Gut : Alt; }
    };
    // Both at once: a row is painted often.
    BreakWarnings Warnings(const TStringMaterialCollection& materials) const;
    BreakWarning GutBreakWarning(const TStringMaterialCollection& materials) const {
        return Warnings(materials).Gut;
    }
    BreakWarning AltBreakWarning(const TStringMaterialCollection& materials) const {
        return Warnings(materials).Alt;
    }
    BreakWarning BreakWarningOf(const TStringMaterialCollection& materials) const {
        return Warnings(materials).Worst();
    }
    // The gut diameter cell's hint: "f·L 228 Hz·m, 2.3 semitones below breaking" ('.' as
    // decimal point).
    std::string GutDiameterHint(const TStringMaterialCollection& materials) const;
};

} // namespace vorn
