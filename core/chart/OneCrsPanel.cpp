// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/OneCrsPanel.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "pitch/Keys.h"

namespace vorn {

namespace {

// A spin button adds its step to the number as shown and writes the sum with 15 significant
// digits, so 23.92 + 0.1 gives 24.02 and not a binary neighbour of it.
float StepShown(float value, double step) {
    double shown = 0;
    if (!ParseNumber(FormatShortest(value), shown))
        shown = value;
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, shown + step, std::chars_format::general, 15);
    float result = static_cast<float>(shown + step);
    if (written.ec == std::errc())
        std::from_chars(buffer, written.ptr, result);
    return result;
}

// Empty, unreadable or too small entries become the cell's minimum, too large ones its maximum.
float Within(std::optional<double> typed, double minimum, double maximum) {
    if (!typed || !std::isfinite(*typed) || *typed < minimum)
        return static_cast<float>(minimum);
    return static_cast<float>(std::min(*typed, maximum));
}

float RoundedTo(double value, int digits) {
    return static_cast<float>(RoundToDigits(value, digits));
}

// The label of catalogue entry `index` (0: the first that fits); the row keeps the entry the
// catalogue settled on.
void ShowCatalogueEntry(StringRecord& rec, int kind, uint8_t index, const TGlobalData& settings) {
    rec.AltLabel =
        settings.Catalogues.CatalogueLabel(kind, index, rec.Frequency, rec.Length, rec.TensionN);
    rec.CatalogueIndex = index;
}

// Gives a string its updates back when reading its record stops half-way.
class ReenableUpdates {
public:
    explicit ReenableUpdates(StringRecord& rec) : rec_(rec) {}
    ~ReenableUpdates() { rec_.UpdatesEnabled = true; }
    ReenableUpdates(const ReenableUpdates&) = delete;
    ReenableUpdates& operator=(const ReenableUpdates&) = delete;

private:
    StringRecord& rec_;
};

class LoadingMark {
public:
    explicit LoadingMark(bool& loading) : loading_(loading) { loading_ = true; }
    ~LoadingMark() { loading_ = false; }
    LoadingMark(const LoadingMark&) = delete;
    LoadingMark& operator=(const LoadingMark&) = delete;

private:
    bool& loading_;
};

} // namespace

TOneCrsPanel::TOneCrsPanel(TCourseOwner& owner, int number) : Number(number), owner_(owner) {}

bool TOneCrsPanel::IsCurrent() const {
    return owner_.Current() == Number - 1;
}

std::vector<std::string> TOneCrsPanel::TypeItems() const {
    if (Kind == ck_viol)
        return {"Single"};
    if (Kind == ck_bass_with_octave)
        return {"Single", "Unison", "Bass"};
    if (Number == 1)
        return {"Chanterelle", "Single", "Unison"};
    return {"Single", "Unison", "Bass with Octave"};
}

int TOneCrsPanel::TypeSelection() const {
    switch (Kind) {
    case ck_viol:
        return 0;
    case ck_bass_with_octave:
        return 2;
    case ck_chanterelle:
        return Number == 1 ? 0 : -1;
    case ck_single:
    case ck_unison:
        return Number == 1 ? Kind : Kind - 1;
    default:
        return -1;
    }
}

void TOneCrsPanel::SelectCourse() {
    owner_.SelectCourse(Number - 1);
}

void TOneCrsPanel::showNote(TOneStringPanel& s) {
    SpellLetter(s.Rec.Note, ChartKey);
    s.Rec.Frequency = owner_.Pitch.NoteFrequency(s.Rec.Note);
}

void TOneCrsPanel::setChoice(TOneStringPanel& s, int index) {
    if (index < 0 || index >= static_cast<int>(s.AltItems.size()))
        index = 0;
    s.AltIndex = index;
    s.Rec.AltChoice = s.AltItems.empty() ? std::string() : s.AltItems[index];
}

void TOneCrsPanel::initString(TOneStringPanel& s, const NoteValue& note, float length,
                              const TStringDefs& defs) {
    const TGlobalData& settings = owner_.Settings;
    StringRecord& rec = s.Rec;
    rec.UpdatesEnabled = false;
    s.AltItems = settings.Materials.AlternativeChoiceList();
    rec.Note = note;
    showNote(s);
    rec.Length = RoundedTo(length, settings.LengthDigits);
    rec.TensionN = SettledTension(defs.Tension, settings.TensionDigits);
    rec.GutDiameter = 0;
    rec.AltDiameter = 0.0f;
    rec.AltLabel.clear();
    rec.CatalogueIndex = 0;
    setChoice(s, settings.Materials.AlternativeIndex(defs.Name));
    rec.UpdatesEnabled = true;
    Recalculate(rec, rm_diameter, false, settings);
}

void TOneCrsPanel::InitCourse(int n) {
    const TInstDataType& doc = owner_.Document;
    const TGlobalData& settings = owner_.Settings;
    Number = n;
    Kind = doc.CourseKinds.at(n - 1);
    Second.reset(); // a course set up again starts from its defaults
    initString(First, doc.CourseNote(n), doc.LengthOfCourse(n), settings.StringDefsFor(n, Kind));
    SetSecond(Kind == ck_bass_with_octave);
}

void TOneCrsPanel::SetSecond(bool on) {
    if (!on) {
        Second.reset();
        return;
    }
    if (Second)
        return;
    const TGlobalData& settings = owner_.Settings;
    Second = std::make_unique<TOneStringPanel>();
    Second->IsOctave = true;
    NoteValue octave = First.Rec.Note;
    octave.Number += 12;
    octave.SpellingFixed = 1;
    initString(*Second, octave, First.Rec.Length, settings.StringDefs[sr_octaves]);
}

void TOneCrsPanel::SetCourseKind(uint8_t kind) {
    if (Number == 1 && kind == ck_bass_with_octave)
        return;
    Kind = kind;
    SetSecond(kind == ck_bass_with_octave);
    const TGlobalData& settings = owner_.Settings;
    tensionChanged(
        First, SettledTension(settings.StringDefsFor(Number, Kind).Tension, settings.TensionDigits),
        false);
}

void TOneCrsPanel::recalc(TOneStringPanel& s, int mode, bool fromAlternative) {
    const float lengthBefore = First.Rec.Length;
    Recalculate(s.Rec, static_cast<RecalcMode>(mode), fromAlternative, owner_.Settings);
    if (&s == &First && First.Rec.Length != lengthBefore)
        followLength();
}

void TOneCrsPanel::followLength() {
    if (!Second)
        return;
    const TGlobalData& settings = owner_.Settings;
    Second->Rec.Length = RoundedTo(First.Rec.Length, settings.LengthDigits);
    if (Second->Rec.UpdatesEnabled)
        Recalculate(Second->Rec, static_cast<RecalcMode>(settings.LengthChangeMode), false,
                    settings);
}

void TOneCrsPanel::afterChange() {
    owner_.NotifyRows(Number - 1);
    owner_.NotifyBridge();
}

void TOneCrsPanel::noteEdit(EditedCell cell) {
    owner_.LastEdit.Cell = cell;
    owner_.LastEdit.Course = Number;
}

void TOneCrsPanel::enter() {
    if (!Loading)
        SelectCourse();
}

void TOneCrsPanel::StepNote(bool up) {
    noteEdit(ec_note);
    enter();
    for (TOneStringPanel* s : {&First, Second.get()}) {
        if (!s || !s->Rec.UpdatesEnabled)
            continue;
        if (up)
            StepUp(s->Rec.Note);
        else
            StepDown(s->Rec.Note);
        // A stepped spelling is the user's choice; respelling from the key would undo it.
        s->Rec.Note.SpellingFixed = 1;
        showNote(*s);
        recalc(*s, owner_.Settings.NoteChangeMode, false);
    }
    afterChange();
}

void TOneCrsPanel::Transpose(int semitones, int fifths) {
    for (TOneStringPanel* s : {&First, Second.get()}) {
        if (!s)
            continue;
        // Moved along the line of fifths, not respelled from a key: a key's spelling would
        // put G a chromatic and A a diatonic semitone up, and the courses out of tune.
        TransposeNote(s->Rec.Note, semitones, fifths);
        showNote(*s);
        recalc(*s, owner_.Settings.NoteChangeMode, false);
    }
    owner_.NotifyRows(Number - 1);
}

void TOneCrsPanel::RecalcCourse() {
    const uint8_t mode = owner_.Settings.DiameterChangeMode;
    recalc(First, mode, false);
    if (Second)
        recalc(*Second, mode, false);
    owner_.NotifyRows(Number - 1);
}

void TOneCrsPanel::applyChoice(TOneStringPanel& s, int index) {
    if (index < 0 || index >= static_cast<int>(s.AltItems.size()))
        return;
    setChoice(s, index);
    if (!s.Rec.UpdatesEnabled)
        return;
    const TGlobalData& settings = owner_.Settings;
    StringRecord& rec = s.Rec;
    const int kind = settings.Materials.KindOfName(rec.AltChoice);
    if (IsCatalogueKind(kind)) {
        ShowCatalogueEntry(rec, kind, 0, settings);
        RefreshLimits(rec, settings);
    } else {
        recalc(s, settings.DiameterChangeMode, false);
    }
}

void TOneCrsPanel::SetAllAlternatives(int index, bool useDefaults) {
    const TGlobalData& settings = owner_.Settings;
    applyChoice(First, useDefaults ? settings.DefaultChoiceIndex(Number, Kind) : index);
    if (Second)
        applyChoice(*Second, useDefaults ? settings.Materials.AlternativeIndex(
                                               settings.StringDefs[sr_octaves].Name)
                                         : index);
    afterChange();
}

void TOneCrsPanel::SetAllTensions(bool useDefaults, float newtons) {
    const TGlobalData& settings = owner_.Settings;
    // A default is settled like a solved tension; one tension asked for is held as asked.
    const auto pick = [&](float fallback) {
        return useDefaults ? SettledTension(fallback, settings.TensionDigits) : newtons;
    };
    tensionChanged(First, pick(settings.StringDefsFor(Number, Kind).Tension), false);
    if (Second)
        tensionChanged(*Second, pick(settings.StringDefs[sr_octaves].Tension), false);
}

void TOneCrsPanel::RefreshCourseChoices() {
    const TGlobalData& settings = owner_.Settings;
    const std::vector<std::string> items = settings.Materials.AlternativeChoiceList();
    for (TOneStringPanel* s : {&First, Second.get()}) {
        if (!s)
            continue;
        const std::string before = s->Rec.AltChoice;
        s->AltItems = items;
        int index = s->AltIndex;
        if (index < 0 || index >= static_cast<int>(items.size()))
            index = s->IsOctave
                        ? settings.Materials.AlternativeIndex(settings.StringDefs[sr_octaves].Name)
                        : settings.DefaultChoiceIndex(Number, Kind);
        setChoice(*s, index);
        // A list that moved under the selection names another material now; its diameter
        // must follow, or the cell shows one material's value under another's name.
        if (s->Rec.AltChoice != before)
            applyChoice(*s, s->AltIndex);
        else
            relabel(*s);
    }
    owner_.NotifyRows(Number - 1);
}

void TOneCrsPanel::loadString(TOneStringPanel& s, const Stored& stored, const float* length) {
    const TGlobalData& settings = owner_.Settings;
    StringRecord& rec = s.Rec;
    rec.UpdatesEnabled = false;
    {
        ReenableUpdates reenable(rec);
        rec.Note.Accidental = stored.Accidental;
        showNote(s);
        if (length)
            rec.Length = RoundedTo(*length, settings.LengthDigits);
        rec.GutDiameter = RoundedTo(stored.GutDiameter, settings.GutDiameterDigits);
        rec.CatalogueIndex = stored.CatalogueIndex;
        setChoice(s, settings.Materials.AlternativeIndex(stored.AltChoice));
    }

    const int kind = settings.Materials.KindOfName(rec.AltChoice);
    if (IsCatalogueKind(kind))
        ShowCatalogueEntry(rec, kind, rec.CatalogueIndex, settings);
    // Tensions are not stored: recalculating gives each string the tension of its stored
    // diameter, the octave string included.
    Recalculate(rec, static_cast<RecalcMode>(settings.DiameterChangeMode), false, settings);
}

void TOneCrsPanel::LoadStored(float length, const Stored& first, const Stored& second) {
    LoadingMark loading(Loading);
    loadString(First, first, &length);
    if (Second) {
        // The octave string has no length of its own in the file.
        Second->Rec.Length = RoundedTo(First.Rec.Length, owner_.Settings.LengthDigits);
        loadString(*Second, second, nullptr);
    }
}

TOneCrsPanel::Shown TOneCrsPanel::ShownOf(int which) const {
    const StringRecord& rec = String(which).Rec;
    const bool catalogue = IsCatalogueKind(owner_.Settings.Materials.KindOfName(rec.AltChoice));
    // A catalogue settles on index 0 only for its first row.
    const uint8_t entry = catalogue && rec.CatalogueIndex == 0 ? 255 : rec.CatalogueIndex;
    return {rec.Length, rec.TensionN, rec.GutDiameter, rec.AltDiameter, entry};
}

void TOneCrsPanel::PutShown(int which, const Shown& shown) {
    const TGlobalData& settings = owner_.Settings;
    StringRecord& rec = String(which).Rec;
    rec.Length = shown.Length;
    rec.TensionN = shown.TensionN;
    rec.GutDiameter = shown.GutDiameter;
    rec.AltDiameter = shown.AltDiameter;
    rec.CatalogueIndex = shown.CatalogueEntry;
    // The label names its tension in the display unit of now.
    const int kind = settings.Materials.KindOfName(rec.AltChoice);
    if (IsCatalogueKind(kind))
        ShowCatalogueEntry(rec, kind, shown.CatalogueEntry, settings);
    RefreshLimits(rec, settings);
}

void TOneCrsPanel::EditLength(std::optional<double> cm) {
    noteEdit(ec_length);
    enter();
    lengthChanged(Within(cm, MinStringLength, MaxStringLength));
}

void TOneCrsPanel::SetLength(float cm) {
    lengthChanged(Within(cm, MinStringLength, MaxStringLength));
}

void TOneCrsPanel::lengthChanged(float cm) {
    First.Rec.Length = cm;
    if (!First.Rec.UpdatesEnabled)
        return;
    followLength();
    recalc(First, owner_.Settings.LengthChangeMode, false);
    afterChange();
}

void TOneCrsPanel::tensionChanged(TOneStringPanel& s, float newtons, bool select) {
    if (select)
        enter();
    // The program's own tensions keep within what a typed one may be.
    const auto lowest = static_cast<float>(ToNewtons(MinRowTension, owner_.Settings.TensionUnit));
    s.Rec.TensionN = std::isfinite(newtons)
                         ? std::clamp(newtons, lowest, static_cast<float>(MaxRowTensionN))
                         : lowest;
    if (!s.Rec.UpdatesEnabled)
        return;
    recalc(s, owner_.Settings.TensionChangeMode, false);
    afterChange();
}

void TOneCrsPanel::EditTension(int which, std::optional<double> value) {
    noteEdit(ec_tension);
    tensionChanged(String(which), TypedTensionNewtons(value, owner_.Settings.TensionUnit), true);
}

void TOneCrsPanel::SpinTension(int which, bool up) {
    const TOneStringPanel& s = String(which);
    EditTension(which, StepShown(s.ShownTension(owner_.Settings), up ? TensionStep : -TensionStep));
}

void TOneCrsPanel::EditGutDiameter(int which, std::optional<double> mm) {
    noteEdit(ec_gut);
    enter();
    TOneStringPanel& s = String(which);
    s.Rec.GutDiameter = Within(mm, MinRowDiameter, MaxRowDiameter);
    if (!s.Rec.UpdatesEnabled)
        return;
    recalc(s, owner_.Settings.DiameterChangeMode, false);
    afterChange();
}

void TOneCrsPanel::SpinGutDiameter(int which, bool up) {
    const TOneStringPanel& s = String(which);
    EditGutDiameter(which, StepShown(s.Rec.GutDiameter, up ? DiameterStep : -DiameterStep));
}

void TOneCrsPanel::EditAltDiameter(int which, std::optional<double> mm) {
    noteEdit(ec_alt_diameter);
    TOneStringPanel& s = String(which);
    if (s.AltIsLabel(owner_.Settings.Materials)) {
        RestoreAltLabel(which);
        return;
    }
    enter();
    // Zero or a negative diameter would make the string weightless.
    const float typed = mm ? static_cast<float>(*mm) : FallbackAltDiameter;
    s.Rec.AltDiameter = std::isfinite(typed) && typed > 0
                            ? std::min(typed, static_cast<float>(MaxRowDiameter))
                            : FallbackAltDiameter;
    if (!s.Rec.UpdatesEnabled)
        return;
    recalc(s, owner_.Settings.DiameterChangeMode, true);
    afterChange();
}

void TOneCrsPanel::SpinAltDiameter(int which, bool up) {
    noteEdit(ec_alt_diameter);
    TOneStringPanel& s = String(which);
    const TGlobalData& settings = owner_.Settings;
    StringRecord& rec = s.Rec;
    const int kind = settings.Materials.KindOfName(rec.AltChoice);
    if (!IsCatalogueKind(kind)) {
        const float shown = rec.AltDiameter ? *rec.AltDiameter : FallbackAltDiameter;
        EditAltDiameter(which, StepShown(shown, up ? DiameterStep : -DiameterStep));
        return;
    }
    enter();
    if (!rec.UpdatesEnabled)
        return;
    ShowCatalogueEntry(rec, kind, CatalogueStepIndex(rec.CatalogueIndex, up ? 1 : -1), settings);
    owner_.NotifyRows(Number - 1);
}

void TOneCrsPanel::relabel(TOneStringPanel& s) {
    // The label names its tension in the display unit; the entry shown stays the same.
    const TGlobalData& settings = owner_.Settings;
    StringRecord& rec = s.Rec;
    const int kind = settings.Materials.KindOfName(rec.AltChoice);
    if (IsCatalogueKind(kind) && rec.UpdatesEnabled)
        ShowCatalogueEntry(rec, kind, rec.CatalogueIndex, settings);
}

void TOneCrsPanel::RestoreAltLabel(int /*which*/) {
    enter();
    // The label of the entry shown stays as it is, so a step the user made survives; the
    // view shows it again in place of what was typed.
    owner_.NotifyRows(Number - 1);
}

void TOneCrsPanel::SelectAlternative(int which, int index) {
    noteEdit(ec_alt_choice);
    enter();
    applyChoice(String(which), index);
    afterChange();
}

void TOneCrsPanel::SelectType(int position) {
    noteEdit(ec_type);
    enter();
    if (TypeLocked() || position < 0 || position > 2)
        return;
    SetCourseKind(static_cast<uint8_t>(Number == 1 ? position : position + 1));
}

} // namespace vorn
