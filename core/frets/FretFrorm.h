// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The "Fret Chart" page of a document: the temperament, chosen from the list or with a slider
// in steps of half a percent of the syntonic comma, and the fourteen frets of the top string
// with their Mi and Fa positions. Everything the page shows is computed here; the page only
// draws it and forwards the user's actions.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "document/GlobalData.h"
#include "document/InstDataType.h"
#include "pitch/FretDistribution.h"
#include "pitch/FretRecord.h"
#include "pitch/FretScale.h"
#include "pitch/NoteValue.h"
#include "pitch/Temperaments.h"

namespace vorn {

// Slider positions 0..68: the comma fraction is position / 200.
constexpr int FretSliderMax = 68;
constexpr int FretRowCount = 14;
// Rows 12..14 sit behind the extra-frets button.
constexpr int FirstExtraFret = 12;
constexpr int TemperamentSelectorItems = 10; // nine names and the custom slot
constexpr int DefaultSelectorIndex = 5;      // "1/6 Comma (Gerle-Dowland)" before a document

// Where a part sits in its row: Mi above Fa, a fixed fret just below the top.
enum FretPartPlace : uint8_t { fp_top = 0, fp_bottom = 1, fp_near_top = 2 };

// The main or the alternative position of one fret as a row shows it.
struct FretPartView {
    bool Visible = true;       // false for the alternative part of a fixed fret
    uint8_t Choice = fc_fixed; // the part's colour is FretChoiceColour(Choice)
    FretPartPlace Place = fp_near_top;
    std::string Marker;     // "Mi", "Fa" or empty
    std::string MarkerHint; // the interval's name
    NoteValue Note;         // spelled by the interval above the top string; SpellingFixed
    std::string Distance;   // "   3.92 cm."
    double Frequency = 0;   // Hz
    int PlayHertz = 0;      // whole Hz, halves to even
    std::string NoteHint;   // "Frequency: 277.18 hz."
    std::string PlayHint;   // "Play c-sharp ( 277.18 hz.)"
};

struct FretRowView {
    int Fret = 0; // 1..14
    FretPartView Main;
    FretPartView Alt;
};

inline constexpr const char* FretDistanceHint = "Distance from nut to fret";

// Frets 1, 3, 4, 6 and 8..11 change between Mi and Fa; 2, 5 and 7 keep their standard choice
// (a diatonic second, a fourth, a fifth), 12..14 follow from the others.
bool FretChoiceChangeable(int fret);
// The first of frets 1..11 whose choice the window could not have made, a fixed fret off its
// standard choice; 0 when there is none.
int FirstFixedFretChanged(const FretChoices& choices);

class TFretFrorm {
public:
    explicit TFretFrorm(TGlobalData& settings);

    // Takes the document: shows its top string, brings its temperament onto the slider
    // (a custom fraction off the slider's grid moves to the nearest position and the
    // document takes it), applies the remembered view settings and refreshes.
    void Bind(TInstDataType& document);
    bool IsBound() const { return document_ != nullptr; }
    TInstDataType* Document() const { return document_; }
    // Everything again from the bound document; nothing while binding or unbound.
    void Refresh();

    // The temperament selector chose item 0..9 (9 keeps the fraction as a custom one).
    // Choosing a temperament frets the document by it again: a scale it had goes.
    void SelectorChanged(int index);
    // The slider moved to 0..68 (values outside are brought into range); a scale goes too.
    void SliderMoved(int position);
    // Frets the document by a historical rule or a Scala scale (an unusable one is ignored),
    // or by its temperament again with none. The temperament stays as it was underneath.
    void SetScale(std::optional<FretScale> scale);
    // "Standard" (false) or "Customized" (true).
    void SetCustomized(bool customized);
    // A choice marker of fret 1..14 was pressed: in "Customized" frets 1, 3, 4, 6 and 8..11
    // change between Mi and Fa. Returns whether anything changed.
    bool PressMarker(int fret);
    // Whether pressing fret's marker would do anything (the marker looks like a button).
    bool MarkerActive(int fret) const;
    // "Show alternative frets ", the extra-frets button and the graphic button; each is
    // remembered in the settings.
    void SetShowAlternatives(bool shown);
    void ToggleExtraFrets();
    void ToggleGraphic();

    // Told after the document's temperament changed.
    std::function<void()> OnTemperamentChanged;

    // What the page shows.
    std::array<std::string, TemperamentSelectorItems> SelectorItems;
    int SelectorIndex = DefaultSelectorIndex;
    int SliderPosition = TemperamentSliderPosition(DefaultSelectorIndex);
    std::string FifthLabel;       // "Tempered fifth:  696.58 cents", or the scale's name
    std::string ScaleName;        // the scale the frets follow; empty in meantone
    std::string StringLengthText; // "60", "59.2999992370605"
    std::string PitchText;        // "440"
    bool Customized = false;      // "Customized" checked, else "Standard"
    NoteValue TopNote;            // course 1 spelled in key 7, SpellingFixed
    double TopFrequency = 0;      // Hz
    int TopPlayHertz = 0;
    std::string TopPlayHint; // "Play c ( 261.63 hz.)"
    std::array<FretRowView, FretRowCount> Rows;
    // The unformatted figures behind the rows and the choices they were made with.
    FretDistribution Distribution;
    FretChoices ChoicesInUse = DefaultMiFa;
    double Fraction = 0;    // comma fraction shown
    bool Named = true;      // the temperament came from the list
    std::string CustomName; // what the slider last produced, with its blanks

    bool ShowAlternatives() const { return Settings.ShowAlternativeFrets != 0; }
    bool ExtraFretsVisible() const { return Settings.ExtraCoursesVisible != 0; }
    bool GraphicVisible() const { return Settings.FretGraphicVisible != 0; }
    // Header titles of columns 6 and 7: empty while the alternatives are hidden.
    std::string AltPositionTitle() const;
    std::string AltPlayTitle() const;
    std::string ExtraFretsCaption() const; // "Hide extra frets" / "Show extra frets"
    std::string GraphicButtonCaption() const;
    std::string GraphicButtonHint() const;

    TGlobalData& Settings;

private:
    void applySliderPosition(int position);
    void showFret(FretRowView& row, const FretEntry& entry, double fifth, double openFrequency);
    void refreshScale(const FretScale& scale, double length);
    void temperamentChanged();

    TInstDataType* document_ = nullptr;
    bool loading_ = true;   // until the first Bind, and while binding
    bool updating_ = false; // a change is being applied
};

// A float widened to double and written with up to 15 significant digits, no trailing zeros:
// 59.3f gives "59.2999992370605", 60 gives "60".
std::string WidenedText(float value);

} // namespace vorn
