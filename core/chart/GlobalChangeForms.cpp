// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/GlobalChangeForms.h"

#include <algorithm>
#include <cmath>

#include "io/NumberText.h"
#include "pitch/Temperaments.h"

namespace vorn {

namespace {

double rounded(long double value, int digits) {
    return static_cast<double>(RoundedOrKept(value, digits));
}

} // namespace

TuningForm TuningForm::Show(const TInstDataType& document) {
    TuningForm f;
    f.TypePitch(document.APitch);
    f.Temperament = document.Temperament <= CustomTemperament ? document.Temperament : 0;
    if (f.Temperament == CustomTemperament)
        f.CustomText = document.TemperamentName();
    return f;
}

void TuningForm::ChoosePitch(int index) {
    if (index < 0 || index >= static_cast<int>(PitchStandards.size()))
        return;
    PitchIndex = index;
    APitch = PitchStandards[index];
}

void TuningForm::TypePitch(double hz) {
    APitch = std::clamp(hz, APitchRange.Min, APitchRange.Max);
    PitchIndex = PitchStandardIndex(APitch);
}

int TuningForm::Semitones() const {
    if (TuneDirection == td_none || Interval < 0 || Interval >= IntervalCount)
        return 0;
    const int t = Interval + 1;
    return TuneDirection == td_down ? -t : t;
}

void TuningForm::Apply(TStrFrame& chart) const {
    GlobalTuning(chart, Temperament, static_cast<float>(APitch), Semitones());
}

void CourseTypeForm::ChooseKind(int kind) {
    Kind = kind;
    Reset = false;
}

void CourseTypeForm::ChooseReset() {
    Kind = 0;
    Reset = true;
}

void CourseTypeForm::Apply(TStrFrame& chart) const {
    if (Reset || (Kind >= ck_single && Kind <= ck_bass_with_octave))
        GlobalCourseType(chart, Kind, Reset);
}

CoursesForm CoursesForm::Show(const TInstDataType& document) {
    CoursesForm f;
    f.Count = std::clamp<int>(document.CourseCount, MinCourses, MaxCourses);
    return f;
}

void CoursesForm::Apply(TStrFrame& chart) const {
    GlobalCourses(chart, std::clamp(Count, MinCourses, MaxCourses), NewKindPosition);
}

TensionForm TensionForm::Show(const TGlobalData& settings) {
    TensionForm f;
    f.Unit = tt_newtons;
    f.Value = 30;
    f.SetUnit(settings.TensionUnit);
    return f;
}

void TensionForm::SetUnit(int unit) {
    if (unit < tt_newtons || unit > tt_pounds)
        return;
    const long double newtons = ToNewtons(Value, Unit);
    Unit = unit;
    Value = static_cast<double>(FromNewtons(newtons, unit, -2));
}

void TensionForm::TypeValue(double value) {
    if (!std::isfinite(value))
        return;
    Value = value;
    Chosen = tc_one;
}

double TensionForm::Newtons() const {
    return std::clamp(static_cast<double>(ToNewtons(Value, Unit)), MinNewtons, MaxNewtons);
}

void TensionForm::Apply(TStrFrame& chart) const {
    std::optional<float> one;
    if (Chosen == tc_one)
        one = static_cast<float>(Newtons());
    GlobalTension(chart, static_cast<VornTensType>(Unit), Chosen == tc_defaults, one);
}

void AlternativesForm::ChooseIndex(int index) {
    Index = index;
    Chosen = ac_one;
}

void AlternativesForm::Apply(TStrFrame& chart) const {
    if (Chosen == ac_defaults)
        GlobalAlternatives(chart, true, 0);
    else if (Chosen == ac_one && Index >= 0)
        GlobalAlternatives(chart, false, Index);
}

GutForm GutForm::Show(const TGlobalData& settings) {
    GutForm f;
    f.Mode = settings.DiameterChangeMode == rm_tension ? rm_tension : rm_length;
    f.Density = rounded(settings.Materials.Reference().Density, settings.GutDiameterDigits);
    return f;
}

void GutForm::Apply(TStrFrame& chart) const {
    GlobalGut(chart, Mode, static_cast<float>(Density));
}

LengthForm LengthForm::Show(const TInstDataType& document, const TGlobalData& settings) {
    LengthForm f;
    f.Top = std::clamp(rounded(document.StringLength, settings.LengthDigits), TopLengthRange.Min,
                       TopLengthRange.Max);
    f.UseSecond = document.UsesSecondLength();
    if (f.UseSecond) {
        f.Second = std::clamp(rounded(document.SecondStringLength, settings.LengthDigits),
                              SecondLengthRange.Min, SecondLengthRange.Max);
        f.FromCourse = std::clamp<int>(document.SecondLengthFrom, FirstFromCourse, LastFromCourse);
    }
    return f;
}

void LengthForm::Apply(TStrFrame& chart) const {
    GlobalStringLength(
        chart, static_cast<float>(Top), UseSecond, static_cast<float>(Second),
        static_cast<uint8_t>(std::clamp(FromCourse, FirstFromCourse, LastFromCourse)));
}

} // namespace vorn
