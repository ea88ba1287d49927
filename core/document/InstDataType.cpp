// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/InstDataType.h"

#include "document/InstrumentTemplates.h"
#include "pitch/Keys.h"
#include "pitch/Temperaments.h"

namespace vorn {

int PitchStandardIndex(double aPitch) {
    for (size_t i = 0; i < PitchStandards.size(); ++i)
        if (aPitch == PitchStandards[i])
            return static_cast<int>(i);
    return -1;
}

float TInstDataType::LengthOfCourse(int n) const {
    if (UsesSecondLength() && n >= SecondLengthFrom)
        return SecondStringLength;
    return StringLength;
}

NoteValue TInstDataType::CourseNote(int n) const {
    if (n < 1 || n > MaxCourses)
        return NoteValue{};
    return CourseNotes[n - 1];
}

std::string TInstDataType::TemperamentName() const {
    return vorn::TemperamentName(Temperament, CommaFraction);
}

void TInstDataType::ApplyCourseKindDefaults() {
    CourseKinds[0] = ck_chanterelle;
    const int t = InstrumentType;
    auto set = [this](int from, int to, uint8_t kind) {
        for (int n = from; n <= to; ++n)
            CourseKinds[n - 1] = kind;
    };
    if (t >= 9 && t <= 11) {
        set(2, 2, ck_single);
        set(3, 5, ck_unison);
        set(6, 19, ck_bass_with_octave);
    } else if ((t >= 12 && t <= 14) || t == 17) {
        set(1, 19, ck_single);
    } else if (t == 15 || t == 16) {
        set(2, 3, ck_unison);
        set(4, 5, ck_bass_with_octave);
        set(6, 19, ck_single);
    } else if (t >= 18 && t <= 23) {
        set(1, 19, ck_viol);
    } else {
        set(2, 5, ck_unison);
        set(6, 19, ck_bass_with_octave);
    }
}

void TInstDataType::SetFromType(int type) {
    InstrumentType = static_cast<uint8_t>(type);
    const TypeTemplate& t = TemplateOf(type);
    Key = t.Key;
    for (int n = 0; n < MaxCourses; ++n) {
        NoteValue& note = CourseNotes[n];
        note.Number = t.Notes[n];
        if (note.SpellingFixed == 0)
            SpellLetter(note, DefaultKey); // sets the key-7 accidental
        note.SpellingFixed = 1;
    }
    for (const TemplateSpelling& s : TemplateSpellings(type))
        CourseNotes[s.Course - 1].Accidental = s.Accidental;
    FretMiFa = DefaultMiFa;
    CustomPlacement = 0;
    ApplyCourseKindDefaults();
}

void TInstDataType::ApplyTemplate(int type, int defaultTemperament,
                                  const std::string& defaultMaker) {
    SetFromType(type);
    const TypeTemplate& t = TemplateOf(type);
    InstrumentName = InstrumentTypeName(type);
    CourseCount = static_cast<uint8_t>(t.Courses);
    SetTemperament(defaultTemperament);
    if (MakerName.empty())
        MakerName = defaultMaker;
    StringLength = t.StringLength;
    APitch = t.APitch;
    if (t.SecondStringLength > 0) {
        SecondStringLength = t.SecondStringLength;
        UseSecondLength = 1;
        SecondLengthFrom = static_cast<uint8_t>(t.SecondFrom);
    } else {
        SecondStringLength = 0;
        UseSecondLength = 0;
        SecondLengthFrom = 0;
    }
}

void TInstDataType::SetTemperament(int index) {
    Temperament = static_cast<uint8_t>(index);
    if (index >= 0 && index < NamedTemperamentCount)
        CommaFraction = TemperamentFraction(index);
}

} // namespace vorn
