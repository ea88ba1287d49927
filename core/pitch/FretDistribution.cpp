// SPDX-License-Identifier: GPL-3.0-or-later

#include "pitch/FretDistribution.h"

#include "pitch/FrequencyRecord.h"
#include "pitch/Intervals.h"
#include "pitch/Keys.h"

namespace vorn {

namespace {

FretPositionInfo position(const FretEntry& entry, const NoteValue& open, bool alternative,
                          double fifth, double openFrequency) {
    FretPositionInfo p;
    const int type = alternative ? AltType(entry) : MainType(entry);
    p.IntervalType = type;
    p.IntervalName = IntervalName(type);
    p.Cents = IntervalCents(type, fifth);
    p.Distance = FretDistance(entry.Length, p.Cents);
    p.Note = FretPositionNote(open, entry, alternative);
    p.Name = LetterNoteName(p.Note, DefaultKey, true);
    p.Frequency = RaiseByCents(openFrequency, p.Cents);
    return p;
}

} // namespace

NoteValue FretPositionNote(const NoteValue& open, const FretEntry& entry, bool alternative) {
    if (!alternative)
        return NoteAbove(open, MainType(entry));
    if (entry.Fret == 14) {
        FretRecord record;
        record.Prepare();
        FretEntry second = record.Entry(2);
        second.Choice = entry.Choice;
        NoteValue note = NoteAbove(open, AltType(second));
        if (note.Number + 12 <= MaxNoteNumber) {
            note.Number += 12;
            return note;
        }
    }
    return NoteAbove(open, AltType(entry));
}

FretDistribution ComputeFretDistribution(NoteValue openNote, double length, double commaFraction,
                                         double pitchA, const FretChoices& choices) {
    FretDistribution d;
    SpellLetter(openNote, DefaultKey);
    openNote.SpellingFixed = 1;
    d.OpenNote = openNote;
    d.OpenName = NoteName(d.OpenNote, DefaultKey, true);

    FrequencyRecord pitch;
    pitch.Compute(commaFraction, pitchA);
    d.OpenFrequency = pitch.NoteFrequency(openNote);
    d.Fifth = TemperedFifth(commaFraction);

    FretRecord record;
    record.Length = length;
    record.OpenNote = openNote;
    record.Choices = choices;
    record.Prepare();

    for (int fret = 1; fret <= 14; ++fret) {
        const FretEntry e = record.Entry(fret);
        FretRow& row = d.Rows[fret - 1];
        row.Fret = e.Fret;
        row.Choice = e.Choice;
        row.Main = position(e, openNote, false, d.Fifth, d.OpenFrequency);
        if (e.Choice != fc_fixed)
            row.Alt = position(e, openNote, true, d.Fifth, d.OpenFrequency);
    }
    return d;
}

} // namespace vorn
