// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One course row of the string chart: its kind, its first string and, for a bass course,
// its octave string; and every user change of a cell as one operation that runs the
// recalculation cascade.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/CourseOwner.h"
#include "chart/OneStringPanel.h"

namespace vorn {

struct TStringDefs;

class TOneCrsPanel {
public:
    TOneCrsPanel(TCourseOwner& owner, int number);

    int Number; // 1-based
    uint8_t Kind = 1;
    bool Loading = false;
    TOneStringPanel First;
    std::unique_ptr<TOneStringPanel> Second; // present exactly while Kind is bass with octave

    bool HasSecond() const { return Second != nullptr; }
    TOneStringPanel& String(int which) { return which == 0 || !Second ? First : *Second; }
    const TOneStringPanel& String(int which) const {
        return which == 0 || !Second ? First : *Second;
    }

    // The type box: items, selected position (-1 none) and whether it can be changed.
    std::vector<std::string> TypeItems() const;
    int TypeSelection() const;
    bool TypeLocked() const { return Kind == 4; }

    // Makes this course the chart's current one; IsCurrent draws it in the selection colours.
    void SelectCourse();
    bool IsCurrent() const;

    void InitCourse(int n);
    void SetCourseKind(uint8_t kind);
    void SetSecond(bool on);
    void StepNote(bool up);
    // Both strings up by `semitones`, spelled `fifths` further along the line of fifths
    // (TransposeNote); 0 and 0 only recalculate.
    void Transpose(int semitones, int fifths);
    void RecalcCourse();
    void SetAllAlternatives(int index, bool useDefaults);
    // newtons is used for both strings unless useDefaults.
    void SetAllTensions(bool useDefaults, float newtons);
    // The alternative lists again from the materials, and the catalogue labels in the
    // current unit; no tension changes.
    void RefreshCourseChoices();
    // A string as a file stores it.
    struct Stored {
        uint8_t Accidental = 0;
        float GutDiameter = 0; // mm
        uint8_t CatalogueIndex = 0;
        std::string AltChoice;
    };
    // Puts stored strings back into a course built from the document: the length (cm) goes
    // to the first string and the octave string follows it; `second` is ignored without an
    // octave string. Tensions are recalculated from the diameters.
    void LoadStored(float length, const Stored& first, const Stored& second);
    // What a string shows that a file keeps rounded or not at all: a typed length or diameter
    // is held as typed, a tension as typed or solved, a catalogue entry as stepped to. Only
    // values: a display unit changes none of them.
    struct Shown {
        float Length = 0;                 // cm
        float TensionN = 0;               // N
        float GutDiameter = 0;            // mm
        std::optional<float> AltDiameter; // mm
        // The catalogue entry shown, as ShowCatalogueEntry takes it: the first row is 255
        // here, since 0 would look the entry up again.
        uint8_t CatalogueEntry = 0;

        bool operator==(const Shown&) const = default;
    };
    Shown ShownOf(int which) const;
    // Puts back what a string of the same course showed (an undone change, a recovery copy)
    // without recalculating; the catalogue label and the limit states follow. The chart is not
    // told.
    void PutShown(int which, const Shown& shown);

    // User edits; which = 0 the first string, 1 the octave string. Each one makes the course
    // current, applies the cell's entry rule, recalculates and tells the chart. A typed value
    // that is empty or unreadable arrives as nullopt.
    void EditLength(std::optional<double> cm);                // the octave string follows
    void EditTension(int which, std::optional<double> value); // display unit
    void SpinTension(int which, bool up);                     // +-0.1
    void EditGutDiameter(int which, std::optional<double> mm);
    void SpinGutDiameter(int which, bool up); // +-0.01
    void EditAltDiameter(int which, std::optional<double> mm);
    void SpinAltDiameter(int which, bool up); // +-0.01, or a catalogue step
    void SelectAlternative(int which, int index);
    void SelectType(int position);

    // The first string's length written by the program: the entry rule and the cascade of a
    // typed length, without making the course current.
    void SetLength(float cm);

    // The alternative field of a catalogue choice cannot be typed into: the label returns.
    void RestoreAltLabel(int which);

private:
    TCourseOwner& owner_;
    void initString(TOneStringPanel& s, const NoteValue& note, float length,
                    const TStringDefs& defs);
    void afterChange();  // colours, bridge tension
    void followLength(); // the octave string takes the first string's length
    void recalc(TOneStringPanel& s, int mode, bool fromAlternative);
    void noteEdit(EditedCell cell);    // what the user changed, for naming the step
    void enter();                      // current course, unless loading
    void showNote(TOneStringPanel& s); // spelling and frequency of its note
    void setChoice(TOneStringPanel& s, int index);
    void applyChoice(TOneStringPanel& s, int index); // as a user choice, without selecting
    void lengthChanged(float cm);
    void tensionChanged(TOneStringPanel& s, float newtons, bool select);
    void relabel(TOneStringPanel& s); // a catalogue label again, at the entry it shows
    void loadString(TOneStringPanel& s, const Stored& stored, const float* length);
};

} // namespace vorn
