// SPDX-License-Identifier: GPL-3.0-or-later

#include "frets/PlacementFrame.h"

#include <array>

#include "pitch/Keys.h"

namespace vorn {

namespace {

constexpr const char* CannotChange = "\r\n(Cannot be changed.)";

// Ordinal words of frets 1..11 for the question; 7 is fixed and has none.
const std::array<const char*, 11> Ordinals = {"first", "second", "third",   "fourth",
                                              "fifth", "sixth",  "",        "eighth",
                                              "ninth", "tenth",  "eleventh"};

} // namespace

TPlacementFrame::TPlacementFrame() {
    for (int f = 1; f <= PlacementFrets; ++f) {
        PlacementHeader& h = Header[f - 1];
        h.Fret = f;
        h.Number = std::to_string(f);
        h.State = fc_fixed;
        h.Width = FixedColumnWidth;
    }
    // Fixed frets name their interval: second, fourth, fifth, octave. The number is built, not
    // assigned from a literal: GCC 12 at -O3 warns (-Wrestrict) inside that operator=.
    const struct {
        int fret;
        char number;
        const char* text;
    } intervals[] = {{2, '2', "nd"}, {5, '4', "th"}, {7, '5', "th"}, {12, '8', "ve"}};
    for (const auto& i : intervals) {
        Header[i.fret - 1].Number = std::string(1, i.number);
        Header[i.fret - 1].Text = i.text;
    }
}

bool TPlacementFrame::IsFixedFret(int fret) {
    return fret == 2 || fret == 5 || fret == 7 || fret == 12;
}

void TPlacementFrame::Bind(TInstDataType& document) {
    document_ = &document;
    const uint8_t key = document.Key;
    if (key >= MajorKeyCount) {
        MajorIndex = -1;
        MinorIndex = key - MajorKeyCount;
    } else {
        MinorIndex = -1;
        MajorIndex = key;
    }
    KeyLabel = KeyName(key);
}

void TPlacementFrame::Refresh() {
    if (!document_)
        return;
    const TInstDataType& d = *document_;
    for (int c = 0; c < PlacementCourses; ++c) {
        for (int j = 0; j < PlacementColumns; ++j) {
            PlacementCell& cell = Cells[c][j];
            cell.Note = NoteValue{d.CourseNotes[c].Number + j, acc_none, 0};
            SpellLetter(cell.Note, d.Key);
            cell.Colour = j == 0                                      ? pl_nut
                          : MiFaOf(PitchClass(cell.Note), d.Key) == 0 ? pl_mi
                                                                      : pl_fa;
        }
    }
    for (int f = 1; f <= PlacementFrets; ++f) {
        const uint8_t state = IsFixedFret(f) ? uint8_t(fc_fixed) : d.FretMiFa[f - 1];
        showChoice(Header[f - 1], state);
    }
}

// Mi and Fa set text and width; anything else keeps what the header showed.
void TPlacementFrame::showChoice(PlacementHeader& h, uint8_t state) {
    h.State = state;
    h.Colour = state == fc_mi || state == fc_fa ? state : uint8_t(fc_fixed);
    if (state == fc_mi) {
        h.Text = "Mi";
        h.Width = MiColumnWidth;
    } else if (state == fc_fa) {
        h.Text = "Fa";
        h.Width = FaColumnWidth;
    }
}

void TPlacementFrame::SelectMajor(int index) {
    if (!document_ || index < 0 || index >= MajorKeyCount)
        return;
    document_->Key = static_cast<uint8_t>(index);
    KeyLabel = KeyName(document_->Key);
    MajorIndex = index;
    MinorIndex = -1;
    Refresh();
}

void TPlacementFrame::SelectMinor(int index) {
    if (!document_ || index < 0 || index >= MajorKeyCount)
        return;
    document_->Key = static_cast<uint8_t>(index + MajorKeyCount);
    KeyLabel = KeyName(document_->Key);
    MinorIndex = index;
    MajorIndex = -1;
    Refresh();
}

void TPlacementFrame::Defaults() {
    if (!document_)
        return;
    document_->FretMiFa = DefaultMiFa;
    document_->Key = DefaultKey;
    Bind(*document_);
    Refresh();
}

PlacementQuestion TPlacementFrame::HeaderClicked(int fret) const {
    PlacementQuestion q;
    if (!document_ || fret < 1 || fret > PlacementFrets)
        return q;
    if (IsFixedFret(fret)) {
        q.Ask = PlacementQuestion::pq_fixed;
        q.Caption = "Fixed Fret";
        switch (fret) {
        case 2:
            q.Text = "Second fret must be a diatonic second!";
            break;
        case 5:
            q.Text = "Fifth fret must be a perfect fourth!";
            break;
        case 7:
            q.Text = "Seventh fret must be a perfect fifth!";
            break;
        default:
            q.Text = "Twelfth fret is an octave!";
            break;
        }
        q.Text += CannotChange;
        return q;
    }
    q.Ask = PlacementQuestion::pq_confirm;
    q.Text = std::string("Change ") + Ordinals[fret - 1] + " fret to " +
             (document_->FretMiFa[fret - 1] == fc_fa ? "Mi?" : "Fa?");
    return q;
}

void TPlacementFrame::ChangeFret(int fret) {
    if (!document_ || fret < 1 || fret > 11 || IsFixedFret(fret))
        return;
    uint8_t& choice = document_->FretMiFa[fret - 1];
    choice = choice == fc_fa ? fc_mi : fc_fa;
    showChoice(Header[fret - 1], choice);
}

} // namespace vorn
