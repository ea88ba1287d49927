// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/FileSetupForm.h"

#include <algorithm>
#include <cmath>

#include "pitch/Temperaments.h"

namespace vorn {

namespace {

void Within(double& field, double value, const EntryRange& range) {
    if (std::isfinite(value))
        field = std::clamp(value, range.Min, range.Max);
}

} // namespace

FileSetupForm FileSetupForm::Show(const TInstDataType& document, const FileSetupForm& shownBefore) {
    FileSetupForm f = shownBefore;
    f.InstrumentName = document.InstrumentName;
    f.MakerName = document.MakerName;
    f.CourseCount = std::clamp<int>(document.CourseCount, MinCourses, MaxCourses);
    f.StringLength = document.StringLength;
    f.UseSecondLength = document.UsesSecondLength();
    if (f.UseSecondLength) {
        f.SecondStringLength = document.SecondStringLength;
        f.SecondLengthFrom = document.SecondLengthFrom;
    }
    f.APitch = document.APitch;
    f.PitchIndex = PitchStandardIndex(document.APitch);
    f.Temperament = document.Temperament < NamedTemperamentCount ? document.Temperament : -1;
    return f;
}

void FileSetupForm::Apply(TInstDataType& document) const {
    document.InstrumentName = InstrumentName;
    document.MakerName = MakerName;
    document.CourseCount = static_cast<uint8_t>(std::clamp(CourseCount, MinCourses, MaxCourses));
    document.StringLength = static_cast<float>(StringLength);
    document.UseSecondLength = UseSecondLength ? 1 : 0;
    if (UseSecondLength) {
        document.SecondStringLength = static_cast<float>(SecondStringLength);
        document.SecondLengthFrom = static_cast<uint8_t>(SecondLengthFrom);
    }
    document.APitch = static_cast<float>(APitch);
    if (Temperament >= 0 && Temperament < NamedTemperamentCount &&
        document.Temperament != Temperament)
        document.SetTemperament(Temperament);
}

void FileSetupForm::TypeStringLength(double cm) {
    Within(StringLength, cm, TopLengthRange);
}

void FileSetupForm::TypeSecondLength(double cm) {
    Within(SecondStringLength, cm, SecondLengthRange);
}

void FileSetupForm::TypeFromCourse(int course) {
    SecondLengthFrom = std::clamp(course, static_cast<int>(SecondFromRange.Min),
                                  static_cast<int>(SecondFromRange.Max));
}

void FileSetupForm::ChooseCourseCount(int count) {
    CourseCount = std::clamp(count, MinCourses, MaxCourses);
}

void FileSetupForm::ChoosePitch(int index) {
    if (index < 0 || index >= static_cast<int>(PitchStandards.size()))
        return;
    PitchIndex = index;
    APitch = PitchStandards[static_cast<size_t>(index)];
}

void FileSetupForm::TypePitch(double hz) {
    Within(APitch, hz, APitchRange);
    PitchIndex = PitchStandardIndex(APitch);
}

} // namespace vorn
