// SPDX-License-Identifier: GPL-3.0-or-later

#include "pitch/FretDistribution.h"

#include "pitch/FrequencyRecord.h"
#include "pitch/Intervals.h"
#include "pitch/Keys.h"

namespace vorn {

namespace {

FretPositionInfo position(const FretEntry& entry, const NoteValue& open, int type, double fifth,
                          double openFrequency) {
    FretPositionInfo p;
    p.IntervalType = type;
    p.IntervalName = IntervalName(type);
    p.Cents = IntervalCents(type, fifth);
    p.Distance = FretDistance(entry.Length, p.Cents);
    p.Note = NoteAbove(open, type);
    p.Name = NoteName(p.Note, DefaultKey, true);
    p.Frequency = RaiseByCents(openFrequency, p.Cents);
    return p;
}

} // namespace

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
        row.Main = position(e, openNote, MainType(e), d.Fifth, d.OpenFrequency);
        if (e.Choice != fc_fixed)
            row.Alt = position(e, openNote, AltType(e), d.Fifth, d.OpenFrequency);
    }
    return d;
}

} // namespace vorn
