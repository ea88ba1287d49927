// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the seven whole-instrument dialogs show and how their answers become a change: one
// small form per dialog, shown from the document and settings and applied on OK. The dialogs
// and `vorn-calc change` both go through these.

#include <string>

#include "chart/GlobalChanges.h"

namespace vorn {

// "Global Tuning": pitch, temperament and a transposition.
struct TuningForm {
    static constexpr int IntervalCount = 12; // "Semitone" .. "Octave"
    enum Direction : int { td_none = 0, td_up = 1, td_down = 2 };

    int PitchIndex = -1;    // "A = 468 hz" .. "A = 392 hz"; -1 none
    double APitch = 440;    // Hz, 20..2100
    int Temperament = 0;    // 0..8, 9 the custom entry
    std::string CustomText; // what the tenth entry shows for a custom temperament
    int Interval = 1;       // "Whole Tone"; -1 none
    int TuneDirection = td_none;

    static TuningForm Show(const TInstDataType& document);
    void ChoosePitch(int index); // the A-pitch box follows
    void TypePitch(double hz);   // the pitch list follows
    // Semitones of the transposition: 0 without a direction or an interval.
    int Semitones() const;
    void Apply(TStrFrame& chart) const;
};

// "Global Course Type": one kind for all, or the instrument type's defaults.
struct CourseTypeForm {
    int Kind = 0; // 0 none chosen, or ck_single, ck_unison, ck_bass_with_octave
    bool Reset = false;
    void ChooseKind(int kind); // clears Reset
    void ChooseReset();        // clears Kind
    void Apply(TStrFrame& chart) const;
};

// "Global Courses".
struct CoursesForm {
    int Count = 10;          // kept within 4..19
    int NewKindPosition = 2; // "Single", "Unison", "Bass with Octave"
    static CoursesForm Show(const TInstDataType& document);
    void Apply(TStrFrame& chart) const;
};

// "Global Tension".
struct TensionForm {
    enum Choice : int { tc_none = 0, tc_one = 1, tc_defaults = 2 };
    static constexpr double MinNewtons = 1;
    static constexpr double MaxNewtons = 2000;
    static constexpr double Step = 0.01; // of the box, in Unit

    int Unit = tt_kilograms;
    double Value = 0; // in Unit, 2 decimals
    int Chosen = tc_none;

    // Unit from the settings; the box starts at 30 N shown in that unit.
    static TensionForm Show(const TGlobalData& settings);
    // The box keeps its tension and shows it in the new unit, to 2 decimals.
    void SetUnit(int unit);
    // A typed tension chooses "Change all strings to one tension:".
    void TypeValue(double value);
    double Newtons() const;
    void Apply(TStrFrame& chart) const;
};

// "Global Alternative Strings".
struct AlternativesForm {
    enum Choice : int { ac_none = 0, ac_one = 1, ac_defaults = 2 };
    int Chosen = ac_none;
    int Index = -1;              // position in the alternative choices
    void ChooseIndex(int index); // chooses "Change all to one type of string:"
    void Apply(TStrFrame& chart) const;
};

// "Global Gut".
struct GutForm {
    uint8_t Mode = rm_length; // rm_tension "Tension", rm_length "String Length"
    double Density = 0;       // g/cm³ as the box shows it
    static GutForm Show(const TGlobalData& settings);
    void Apply(TStrFrame& chart) const;
};

// "Global String Length".
struct LengthForm {
    static constexpr int FirstFromCourse = 6;
    static constexpr int LastFromCourse = 19; // covers the templates' course 12

    double Top = 60; // cm, 20..120
    bool UseSecond = false;
    double Second = 100; // cm, 20..220
    int FromCourse = 8;  // 6..19
    static LengthForm Show(const TInstDataType& document, const TGlobalData& settings);
    void Apply(TStrFrame& chart) const;
};

} // namespace vorn
