// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Changes of a whole instrument at once, as the Globals dialogs apply them on OK.

#include <optional>

#include "chart/StrFrame.h"

namespace vorn {

// Temperament 0..9 (0..8 also set the fraction), pitch standard in Hz, transposition in
// semitones (negative down, 0 none). A transposition moves the document's key to the one of
// fewer signs (TranspositionFifths) and every note, shown or not, by the same interval.
void GlobalTuning(TStrFrame& chart, int temperament, float aPitch, int semitones);

// kind 1, 2 or 3 for every course; resetToDefaults takes the instrument type's kinds instead.
void GlobalCourseType(TStrFrame& chart, int kind, bool resetToDefaults);

// New number of courses, kept within 4..19; new courses get the kind of list position
// newKindPosition (0 single, 1 unison, 2 bass with octave).
void GlobalCourses(TStrFrame& chart, int count, int newKindPosition);

// A changed unit first (every chart on the settings shows it), then the tensions of this
// chart (in newtons for both strings, or the defaults).
void GlobalTension(TStrFrame& chart, VornTensType unit, bool useDefaults,
                   std::optional<float> oneTensionNewtons);

// index into the alternative choices, or the defaults.
void GlobalAlternatives(TStrFrame& chart, bool useDefaults, int index);

// diameterMode 1 tension or 0 length; the reference density changes (and every course of every
// chart on the settings is recalculated) only when the box value differs from the density as
// shown.
void GlobalGut(TStrFrame& chart, uint8_t diameterMode, float density);

// New lengths (cm); every course's first string takes its course's length.
void GlobalStringLength(TStrFrame& chart, float top, bool useSecond, float second,
                        uint8_t fromCourse);

} // namespace vorn
