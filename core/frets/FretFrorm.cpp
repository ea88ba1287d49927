// SPDX-License-Identifier: GPL-3.0-or-later

#include "frets/FretFrorm.h"

#include <algorithm>
#include <cmath>

#include "io/NumberText.h"
#include "pitch/FrequencyRecord.h"
#include "pitch/FretDistribution.h"
#include "pitch/Intervals.h"
#include "pitch/Keys.h"

namespace vorn {

namespace {

// Fixed frets, and choice bytes a hand-made file may carry, have a single position.
bool isFixed(uint8_t choice) {
    return choice != fc_mi && choice != fc_fa;
}

std::string playHint(NoteValue note, double frequency) {
    return "Play " + LetterNoteName(note, DefaultKey, true) + " (" + FormatFixed(frequency) +
           " hz.)";
}

// The main or alternative position of a fret above `open`, standing for `choice`, which gives
// its marker and the side its distance is measured on. The note is spelled by the interval, so
// that a Wolf Second above A reads C-flat and not B; it sounds at the fret's own position.
void showPart(FretPartView& part, const FretEntry& entry, const NoteValue& open, bool alternative,
              uint8_t choice, double fifth, double openFrequency) {
    const bool fa = choice == fc_fa;
    const int type = alternative ? AltType(entry) : MainType(entry);
    part.Distance = DistanceText(entry, fifth, fa ? 1 : 0) + " cm.";
    part.Note = FretPositionNote(open, entry, alternative);
    part.Marker = FretChoiceText(choice);
    part.MarkerHint = IntervalName(type);
    part.Frequency = RaiseByCents(openFrequency, IntervalCents(type, fifth));
    part.NoteHint = "Frequency: " + FormatFixed(part.Frequency) + " hz.";
    part.PlayHertz = WholeHertz(part.Frequency);
    part.PlayHint = playHint(part.Note, part.Frequency);
}

} // namespace

bool FretChoiceChangeable(int fret) {
    switch (fret) {
    case 1:
    case 3:
    case 4:
    case 6:
    case 8:
    case 9:
    case 10:
    case 11:
        return true;
    default:
        return false;
    }
}

int FirstFixedFretChanged(const FretChoices& choices) {
    for (int fret = 1; fret <= int(choices.size()); ++fret)
        if (!FretChoiceChangeable(fret) && choices[fret - 1] != DefaultMiFa[fret - 1])
            return fret;
    return 0;
}

std::string WidenedText(float value) {
    return GeneralText(static_cast<double>(value), 15);
}

TFretFrorm::TFretFrorm(TGlobalData& settings) : Settings(settings) {
    for (int i = 0; i < NamedTemperamentCount; ++i)
        SelectorItems[i] = TemperamentName(i, TemperamentFraction(i));
    // Not assigned from a literal: GCC 12 at -O3 warns (-Wrestrict) inside that operator=.
    SelectorItems[CustomTemperament] = std::string(1, ' ');
}

void TFretFrorm::Bind(TInstDataType& document) {
    loading_ = true;
    document_ = &document;
    StringLengthText = WidenedText(document.StringLength);
    PitchText = WidenedText(document.APitch);
    TopNote = document.CourseNote(1);
    SpellLetter(TopNote, DefaultKey);
    TopNote.SpellingFixed = 1;

    Fraction = document.CommaFraction;
    Named = document.Temperament < CustomTemperament;
    Customized = document.CustomPlacement != 0;
    if (Named) {
        SelectorIndex = document.Temperament;
        SelectorChanged(SelectorIndex);
    } else {
        // The slider's nearest position; the document takes its fraction.
        const double position = std::nearbyint(Fraction * 200.0);
        const int p = std::isfinite(position)
                          ? static_cast<int>(std::clamp(position, 0.0, double(FretSliderMax)))
                          : 0;
        SliderPosition = p;
        SliderMoved(p);
    }
    loading_ = false;
    Refresh();
}

void TFretFrorm::SelectorChanged(int index) {
    if (updating_ || !document_ || index < 0 || index >= TemperamentSelectorItems)
        return;
    updating_ = true;
    if (!loading_)
        document_->Scale.reset();
    Named = true;
    SelectorIndex = index;
    if (index < NamedTemperamentCount) {
        SliderPosition = TemperamentSliderPosition(index);
        Fraction = TemperamentFraction(index);
    }
    document_->Temperament = static_cast<uint8_t>(index);
    document_->CommaFraction = Fraction;
    Refresh();
    temperamentChanged();
    updating_ = false;
}

void TFretFrorm::SliderMoved(int position) {
    if (updating_ || !document_)
        return;
    if (!loading_)
        document_->Scale.reset();
    applySliderPosition(std::clamp(position, 0, FretSliderMax));
    temperamentChanged();
    Refresh();
}

void TFretFrorm::applySliderPosition(int p) {
    SliderPosition = p;
    Named = false;
    int identifier = CustomTemperament;
    for (int i = 0; i < NamedTemperamentCount; ++i)
        if (TemperamentSliderPosition(i) == p)
            identifier = i;
    if (identifier != CustomTemperament) {
        Fraction = TemperamentFraction(identifier);
        CustomName = TemperamentName(identifier, Fraction);
    } else {
        // Written this way so that a fraction saved by earlier versions reads back the same.
        Fraction = 1.0 / (100.0 / (p / 2.0));
        CustomName = TemperamentName(CustomTemperament, Fraction);
    }
    document_->Temperament = static_cast<uint8_t>(identifier);
    document_->CommaFraction = Fraction;
}

void TFretFrorm::SetScale(std::optional<FretScale> scale) {
    if (!document_ || updating_ || (scale && !IsUsableScale(*scale)))
        return;
    document_->Scale = std::move(scale);
    Refresh();
    temperamentChanged();
}

void TFretFrorm::SetCustomized(bool customized) {
    Customized = customized;
    if (document_)
        document_->CustomPlacement = customized ? 1 : 0;
    Refresh();
}

bool TFretFrorm::MarkerActive(int fret) const {
    return document_ && Customized && FretChoiceChangeable(fret);
}

bool TFretFrorm::PressMarker(int fret) {
    if (!MarkerActive(fret))
        return false;
    uint8_t& choice = document_->FretMiFa[fret - 1];
    choice = Rows[fret - 1].Main.Marker == "Mi" ? fc_fa : fc_mi;
    Refresh();
    return true;
}

void TFretFrorm::SetShowAlternatives(bool shown) {
    Settings.ShowAlternativeFrets = shown ? 1 : 0;
}

void TFretFrorm::ToggleExtraFrets() {
    Settings.ExtraCoursesVisible = ExtraFretsVisible() ? 0 : 1;
}

void TFretFrorm::ToggleGraphic() {
    Settings.FretGraphicVisible = GraphicVisible() ? 0 : 1;
}

std::string TFretFrorm::AltPositionTitle() const {
    return ShowAlternatives() ? "Alternatative Fret Position" : "";
}

std::string TFretFrorm::AltPlayTitle() const {
    return ShowAlternatives() ? "Play" : "";
}

std::string TFretFrorm::ExtraFretsCaption() const {
    return ExtraFretsVisible() ? "Hide extra frets" : "Show extra frets";
}

std::string TFretFrorm::GraphicButtonCaption() const {
    return GraphicVisible() ? "" : "Show fret graphic";
}

std::string TFretFrorm::GraphicButtonHint() const {
    return GraphicVisible() ? "Hide fret graphic" : "";
}

void TFretFrorm::temperamentChanged() {
    if (OnTemperamentChanged)
        OnTemperamentChanged();
}

void TFretFrorm::Refresh() {
    if (loading_ || !document_)
        return;
    updating_ = true;
    if (Named) {
        SelectorItems[CustomTemperament].clear();
    } else {
        // The slider set the document's temperament, so its name is the custom name.
        SelectorItems[CustomTemperament] =
            TemperamentShortName(document_->Temperament, document_->CommaFraction);
        SelectorIndex = CustomTemperament;
    }

    const TInstDataType& d = *document_;
    ChoicesInUse = Customized ? d.FretMiFa : DefaultMiFa;
    const double length = static_cast<double>(d.StringLength);
    if (d.Scale && IsUsableScale(*d.Scale)) {
        refreshScale(*d.Scale, length);
        updating_ = false;
        return;
    }
    ScaleName.clear();
    Distribution = ComputeFretDistribution(TopNote, length, d.CommaFraction,
                                           static_cast<double>(d.APitch), ChoicesInUse);
    TopFrequency = Distribution.OpenFrequency;
    TopPlayHertz = WholeHertz(TopFrequency);

    const double fifth = TemperedFifth(d.CommaFraction);
    FifthLabel = "Tempered fifth: " + FormatFixed(fifth) + " cents";
    TopPlayHint = playHint(TopNote, TopFrequency);

    FretRecord record;
    record.Length = length;
    record.OpenNote = TopNote;
    record.Choices = ChoicesInUse;
    record.Prepare();
    for (int fret = 1; fret <= FretRowCount; ++fret)
        showFret(Rows[fret - 1], record.Entry(fret), fifth, TopFrequency);
    updating_ = false;
}

// The rows of a scale: its positions, with the meantone table's notes and interval names
// (see ScaleFretDistribution). A fret of one position has no alternative.
void TFretFrorm::refreshScale(const FretScale& scale, double length) {
    const TInstDataType& d = *document_;
    ScaleName = scale.Name;
    FifthLabel = "Scale: " + scale.Name;
    Distribution = ScaleFretDistribution(
        scale, TopNote, length, ScaleOpenFrequency(TopNote.Number, static_cast<double>(d.APitch)),
        ChoicesInUse);
    TopFrequency = Distribution.OpenFrequency;
    TopPlayHertz = WholeHertz(TopFrequency);
    TopPlayHint = playHint(TopNote, TopFrequency);
    const auto show = [](FretPartView& part, const FretPositionInfo& info, uint8_t choice,
                         FretPartPlace place) {
        part.Visible = true;
        part.Choice = choice;
        part.Place = place;
        part.Marker = FretChoiceText(choice);
        // The scale names no intervals: the hint gives the fret's own size.
        part.MarkerHint = FixedText(info.Cents, 2) + " cents above the open string";
        part.Note = info.Note;
        part.Distance = FormatFixed(info.Distance) + " cm.";
        part.Frequency = info.Frequency;
        part.NoteHint = "Frequency: " + FormatFixed(info.Frequency) + " hz.";
        part.PlayHertz = WholeHertz(info.Frequency);
        part.PlayHint = playHint(info.Note, info.Frequency);
    };
    for (int fret = 1; fret <= FretRowCount; ++fret) {
        const FretRow& source = Distribution.Rows[fret - 1];
        FretRowView& row = Rows[fret - 1];
        row.Fret = fret;
        if (!source.Alt) {
            show(row.Main, source.Main, fc_fixed, fp_near_top);
            row.Alt = FretPartView{};
            row.Alt.Visible = false;
            row.Alt.Choice = fc_fixed;
            row.Alt.Place = fp_near_top;
            continue;
        }
        const bool fa = source.Choice == fc_fa;
        show(row.Main, source.Main, fa ? fc_fa : fc_mi, fa ? fp_bottom : fp_top);
        show(row.Alt, *source.Alt, fa ? fc_mi : fc_fa, fa ? fp_top : fp_bottom);
    }
}

void TFretFrorm::showFret(FretRowView& row, const FretEntry& entry, double fifth,
                          double openFrequency) {
    row.Fret = entry.Fret;
    const bool fixed = isFixed(entry.Choice);
    const bool fa = entry.Choice == fc_fa;

    FretPartView& main = row.Main;
    main.Visible = true;
    main.Choice = fixed ? uint8_t(fc_fixed) : entry.Choice;
    main.Place = fixed ? fp_near_top : fa ? fp_bottom : fp_top;
    showPart(main, entry, TopNote, false, entry.Choice, fifth, openFrequency);

    FretPartView& alt = row.Alt;
    if (fixed) {
        alt = FretPartView{};
        alt.Visible = false;
        alt.Choice = fc_fixed;
        alt.Place = fp_near_top;
        return;
    }
    alt.Visible = true;
    alt.Choice = fa ? fc_mi : fc_fa;
    alt.Place = fa ? fp_top : fp_bottom;
    showPart(alt, entry, TopNote, true, alt.Choice, fifth, openFrequency);
}

} // namespace vorn
