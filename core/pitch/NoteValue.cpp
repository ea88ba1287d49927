#include "pitch/NoteValue.h"

#include <array>
#include <cctype>

#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "pitch/Keys.h"

namespace vorn {

namespace {

// Row: accidental 0..5; column: pitch class. Two letters: first letter for sharps, second
// for the rest.
constexpr const char* LetterTable[6][12] = {
    {"C", "CD", "D", "DE", "E", "F", "FG", "G", "GA", "A", "AB", "B"},
    {"D", "DE", "E", "F", "FG", "G", "GA", "A", "AB", "B", "C", "CD"},
    {"CD", "D", "DE", "E", "F", "FG", "G", "GA", "A", "AB", "B", "C"},
    {"C", "CD", "D", "DE", "E", "F", "FG", "G", "GA", "A", "AB", "B"},
    {"B", "C", "CD", "D", "DE", "E", "F", "FG", "G", "GA", "A", "AB"},
    {"AB", "B", "C", "CD", "D", "DE", "E", "F", "FG", "G", "GA", "A"},
};

constexpr std::array<const char*, 6> LongSuffix = {"", "-double flat", "-flat",
                                                   "", "-sharp",       "-double sharp"};
constexpr std::array<const char*, 6> ShortSuffix = {"", "-bb", "-b", "", "-#", "-x"};

} // namespace

int PitchClass(const NoteValue& note) {
    int pc = note.Number % 12;
    return pc < 0 ? pc + 12 : pc;
}

int OctaveOf(const NoteValue& note) {
    int n = note.Number;
    int div = n >= 0 ? n / 12 : -((-n + 11) / 12);
    return div - 1;
}

bool IsChromatic(const NoteValue& note) {
    switch (PitchClass(note)) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return true;
    default:
        return false;
    }
}

char SpellLetter(NoteValue& note, uint8_t key) {
    if (note.Number < 0)
        note.Number = 0;
    const int pc = PitchClass(note);
    if (note.SpellingFixed == 0)
        note.Accidental = KeyAccidental(key, pc);
    // A stored accidental beyond the table reads as no sign.
    const int acc = note.Accidental <= acc_double_sharp ? int(note.Accidental) : int(acc_none);
    const char* entry = LetterTable[acc][pc];
    char letter = entry[1] == '\0' ? entry[0] : (acc <= acc_natural ? entry[1] : entry[0]);
    if (note.Number > 59)
        letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return letter;
}

std::string NoteName(NoteValue& note, uint8_t key, bool longForm) {
    std::string text(1, SpellLetter(note, key));
    if (note.Accidental != acc_none && note.Accidental <= acc_double_sharp)
        text += (longForm ? LongSuffix : ShortSuffix)[note.Accidental];
    switch (OctaveOf(note)) {
    case -1:
        text += "''''";
        break;
    case 0:
        text += "'''";
        break;
    case 1:
        text += "\"";
        break;
    case 2:
        text += "'";
        break;
    case 5:
        text += "'";
        break;
    case 6:
        text += "\"";
        break;
    case 7:
        text += "'''";
        break;
    case 8:
        text += "''''";
        break;
    case 9:
        text += "'''''";
        break;
    default:
        break;
    }
    return text;
}

void StepUp(NoteValue& note) {
    if (IsChromatic(note) && note.Accidental == acc_sharp) {
        note.Accidental = acc_flat;
        return;
    }
    note.Number += 1;
    if (note.Number > MaxNoteNumber || note.Number < MinNoteNumber)
        note.Number = MinNoteNumber;
    note.Accidental = IsChromatic(note) ? acc_sharp : acc_none;
}

void StepDown(NoteValue& note) {
    if (IsChromatic(note) && note.Accidental == acc_flat) {
        note.Accidental = acc_sharp;
        return;
    }
    note.Number -= 1;
    if (note.Number < MinNoteNumber || note.Number > MaxNoteNumber)
        note.Number = MaxNoteNumber;
    note.Accidental = IsChromatic(note) ? acc_flat : acc_none;
}

void ReadNote(ByteReader& in, NoteValue& note) {
    note.Number = in.i32();
    note.Accidental = in.u8();
    note.SpellingFixed = in.u8();
}

void WriteNote(ByteWriter& out, const NoteValue& note) {
    out.i32(note.Number);
    out.u8(note.Accidental);
    out.u8(note.SpellingFixed);
}

} // namespace vorn
