#include "pitch/FretDistribution.h"

#include "pitch/FrequencyRecord.h"
#include "pitch/Intervals.h"
#include "pitch/Keys.h"

namespace vorn {

namespace {

FretPositionInfo position(const FretEntry& entry, int type, bool fa, double fifth,
                          double openFrequency) {
    FretPositionInfo p;
    p.IntervalType = type;
    p.IntervalName = IntervalName(type);
    p.Cents = IntervalCents(type, fifth);
    p.Distance = FretDistance(entry.Length, p.Cents);
    p.Note = SpellFretNote(entry.Note, fa);
    p.Name = NoteName(p.Note, DefaultKey, true);
    p.Frequency = RaiseByCents(openFrequency, p.Cents);
    return p;
}

} // namespace

NoteValue SpellFretNote(NoteValue note, bool fa) {
    if (IsChromatic(note))
        note.Accidental = fa ? acc_flat : acc_sharp;
    else
        note.Accidental = acc_none;
    note.SpellingFixed = 1;
    return note;
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
        const bool mainIsFa = e.Choice == fc_fa;
        row.Main = position(e, MainType(e), mainIsFa, d.Fifth, d.OpenFrequency);
        if (e.Choice != fc_fixed)
            row.Alt = position(e, AltType(e), !mainIsFa, d.Fifth, d.OpenFrequency);
    }
    return d;
}

} // namespace vorn
