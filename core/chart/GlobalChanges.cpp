// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/GlobalChanges.h"

#include <algorithm>
#include <cmath>

#include "pitch/Keys.h"
#include "pitch/Temperaments.h"

namespace vorn {

namespace {

// Every command works on the rows; a chart that was never opened is built first, or a
// change such as a transposition would reach neither rows nor document.
void EnsureRows(TStrFrame& chart) {
    chart.BuildCourses();
}

void Finish(TStrFrame& chart) {
    chart.NotifyRows(-1);
    chart.NotifyBridge();
}

// The material whose density the gut diameters are computed with: the last of kind 0, else
// the first. -1 for an empty list.
int ReferenceIndex(const TStringMaterialCollection& materials) {
    for (int i = materials.Count() - 1; i >= 0; --i)
        if (materials[i].Kind == mk_gut)
            return i;
    return materials.Count() > 0 ? 0 : -1;
}

} // namespace

void GlobalTuning(TStrFrame& chart, int temperament, float aPitch, int semitones) {
    EnsureRows(chart);
    TInstDataType& doc = chart.Document;
    if (temperament >= 0 && temperament < CustomTemperament)
        doc.SetTemperament(temperament);
    else if (temperament == CustomTemperament)
        doc.Temperament = CustomTemperament;
    if (std::isfinite(aPitch) && aPitch > 0)
        doc.APitch = aPitch;
    chart.RebuildPitch();
    // The key moves with the notes, and every note by the same fifths, so that the courses keep
    // their intervals and the placement chart spells in the new key.
    const int fifths = TranspositionFifths(doc.Key, semitones);
    if (semitones != 0)
        doc.Key = TransposedKey(doc.Key, fifths);
    for (const auto& course : chart.Courses)
        course->Transpose(semitones, fifths);
    chart.StoreCourses();
    // Courses added later through Globals > Courses continue this tuning.
    if (semitones != 0)
        for (int n = chart.CourseCount() + 1; n <= MaxCourses; ++n)
            TransposeNote(doc.CourseNotes[n - 1], semitones, fifths);
    Finish(chart);
}

void GlobalCourseType(TStrFrame& chart, int kind, bool resetToDefaults) {
    EnsureRows(chart);
    if (resetToDefaults) {
        chart.Document.ApplyCourseKindDefaults();
        for (const auto& course : chart.Courses)
            course->SetCourseKind(chart.Document.CourseKinds[course->Number - 1]);
    } else if (kind >= ck_single && kind <= ck_bass_with_octave) {
        for (const auto& course : chart.Courses)
            course->SetCourseKind(static_cast<uint8_t>(kind));
    }
    Finish(chart);
}

void GlobalCourses(TStrFrame& chart, int count, int newKindPosition) {
    EnsureRows(chart);
    count = std::clamp(count, MinCourses, MaxCourses);
    const auto kind = static_cast<uint8_t>(std::clamp(newKindPosition, 0, 2) + 1);
    while (chart.CourseCount() > count)
        chart.RemoveLastCourse();
    while (chart.CourseCount() < count)
        chart.AppendCourse(kind);
    Finish(chart);
}

void GlobalTension(TStrFrame& chart, VornTensType unit, bool useDefaults,
                   std::optional<float> oneTensionNewtons) {
    EnsureRows(chart);
    // The unit belongs to the settings: every open chart shows it, not only this one.
    if (unit <= tt_pounds && unit != chart.Settings.TensionUnit) {
        chart.Settings.SetTensionUnit(unit);
        chart.Settings.NotifyChanged(sc_tension_unit);
    }
    if (useDefaults || oneTensionNewtons) {
        const float newtons = oneTensionNewtons.value_or(0.0f);
        for (const auto& course : chart.Courses)
            course->SetAllTensions(useDefaults, newtons);
    }
    Finish(chart);
}

void GlobalAlternatives(TStrFrame& chart, bool useDefaults, int index) {
    EnsureRows(chart);
    for (const auto& course : chart.Courses)
        course->SetAllAlternatives(index, useDefaults);
    Finish(chart);
}

void GlobalGut(TStrFrame& chart, uint8_t diameterMode, float density) {
    EnsureRows(chart);
    TGlobalData& settings = chart.Settings;
    settings.DiameterChangeMode = diameterMode == rm_tension ? rm_tension : rm_length;
    const int reference = ReferenceIndex(settings.Materials);
    // A density of zero or less would make every string weightless.
    if (reference >= 0 && std::isfinite(density) && density > 0) {
        density = static_cast<float>(DensityRange.Clamp(density));
        TStringMaterialItem& gut = settings.Materials[reference];
        const auto shown =
            static_cast<float>(RoundToDigits(gut.Density, settings.GutDiameterDigits));
        if (density != shown) {
            gut.Density = density;
            // Every open document's gut diameters follow, not only this one's.
            settings.NotifyChanged(sc_reference_density);
        }
    }
    Finish(chart);
}

void GlobalStringLength(TStrFrame& chart, float top, bool useSecond, float second,
                        uint8_t fromCourse) {
    EnsureRows(chart);
    TInstDataType& doc = chart.Document;
    doc.StringLength = top;
    doc.UseSecondLength = useSecond ? 1 : 0;
    doc.SecondStringLength = second;
    doc.SecondLengthFrom = fromCourse;
    const int digits = chart.Settings.LengthDigits;
    for (const auto& course : chart.Courses)
        course->SetLength(
            static_cast<float>(RoundToDigits(doc.LengthOfCourse(course->Number), digits)));
    Finish(chart);
}

} // namespace vorn
