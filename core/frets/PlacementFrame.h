// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The "Placement Chart" page: the first six courses as a fingerboard of twelve frets, every
// note coloured by whether the chosen key wants it on the Mi or the Fa side, and the header
// whose clicks set each fret of the document's own placement to Mi or Fa.

#include <array>
#include <cstdint>
#include <string>

#include "document/InstDataType.h"
#include "pitch/FretRecord.h"
#include "pitch/Keys.h"
#include "pitch/NoteValue.h"

namespace vorn {

constexpr int PlacementCourses = 6;
constexpr int PlacementColumns = 13; // the nut and frets 1..12
constexpr int PlacementFrets = 12;
constexpr int MiColumnWidth = 35;    // px, a Mi fret's column and header
constexpr int FaColumnWidth = 45;    // px, a Fa fret's
constexpr int FixedColumnWidth = 40; // px, a fixed fret's

enum PlacementColour : uint8_t { pl_mi = 0, pl_fa = 1, pl_nut = 2 };

struct PlacementCell {
    NoteValue Note; // spelled in the document's key; SpellingFixed 0
    uint8_t Colour = pl_nut;
};

struct PlacementHeader {
    int Fret = 0;       // 1..12
    uint8_t State = 0;  // FretChoice; frets 2, 5, 7 and 12 are always fixed
    std::string Number; // upper line: "1".."12", or the interval of a fixed fret ("4")
    std::string Text;   // lower line: "Mi", "Fa", or "nd", "th", "ve" on fixed frets
    int Width = MiColumnWidth;
    uint8_t Colour = fc_fixed; // colour of FretChoiceColour
};

// What a click on a header asks of the user.
struct PlacementQuestion {
    enum Kind : uint8_t { pq_none, pq_fixed, pq_confirm };
    Kind Ask = pq_none;
    std::string Caption; // "Fixed Fret" for a refusal
    std::string Text;    // CR LF between lines
};

class TPlacementFrame {
public:
    TPlacementFrame();

    // Takes the document and shows its key in the selectors and the key label.
    void Bind(TInstDataType& document);
    bool IsBound() const { return document_ != nullptr; }
    // The key the cells are spelled in: the document's, or C Major before a document.
    uint8_t Key() const { return document_ ? document_->Key : DefaultKey; }
    // Grid and header again from the document.
    void Refresh();

    // A major key 0..14 or a minor key 0..14 (key 15..29) was chosen; -1 changes nothing.
    void SelectMajor(int index);
    void SelectMinor(int index);
    // Fret choices and key back to the standard ones ("C Major").
    void Defaults();
    // A click on header cell 1..12: a refusal for the fixed frets, else the question.
    PlacementQuestion HeaderClicked(int fret) const;
    // The user answered Yes: a Fa fret becomes Mi and any other Fa.
    void ChangeFret(int fret);

    // Selector positions: -1 when cleared.
    int MajorIndex = 0;
    int MinorIndex = -1;
    std::string KeyLabel = "C Major";
    std::array<std::array<PlacementCell, PlacementColumns>, PlacementCourses> Cells{};
    std::array<PlacementHeader, PlacementFrets> Header{};

    // The fixed frets 2, 5, 7 and 12.
    static bool IsFixedFret(int fret);

private:
    void showChoice(PlacementHeader& header, uint8_t state);

    TInstDataType* document_ = nullptr;
};

} // namespace vorn
