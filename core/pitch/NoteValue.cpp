// SPDX-License-Identifier: GPL-3.0-or-later

#include "pitch/NoteValue.h"

#include <algorithm>
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

// Line-of-fifths place of each pitch class as the plain spelling sounds it.
constexpr std::array<int, 12> PlainFifths = {0, 7, 2, -3, 4, -1, 6, 1, 8, 3, -2, 5};

// Semitones a sign raises its letter by, for Accidental 0..5.
constexpr std::array<int, 6> SignAlter = {0, -2, -1, 0, 1, 2};

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

void appendSuffix(std::string& text, const NoteValue& note, bool longForm) {
    if (note.Accidental != acc_none && note.Accidental <= acc_double_sharp)
        text += (longForm ? LongSuffix : ShortSuffix)[note.Accidental];
}

// The note number of the letter itself, its sign taken off (C-flat at 71 gives 72). A stored
// sign that names no letter for its pitch class is read the short way round.
int letterNumber(const NoteValue& note, char letter) {
    static constexpr std::array<int, 7> LetterPc = {9, 11, 0, 2, 4, 5, 7}; // A..G
    const int index = std::tolower(static_cast<unsigned char>(letter)) - 'a';
    const int letterPc = index >= 0 && index < 7 ? LetterPc[index] : PitchClass(note);
    int alter = ((PitchClass(note) - letterPc) % 12 + 12) % 12;
    if (alter > 6)
        alter -= 12;
    return std::max(note.Number - alter, 0);
}

} // namespace

std::string OctaveMark(int octave) {
    switch (octave) {
    case -1:
    case 8:
        return "''''";
    case 0:
    case 7:
        return "'''";
    case 1:
    case 6:
        return "\"";
    case 2:
    case 5:
        return "'";
    case 9:
        return "'''''";
    default:
        return {};
    }
}

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
    appendSuffix(text, note, longForm);
    text += OctaveMark(OctaveOf(note));
    return text;
}

int LetterOctaveOf(NoteValue& note, uint8_t key) {
    return letterNumber(note, SpellLetter(note, key)) / 12 - 1;
}

std::string LetterNoteName(NoteValue& note, uint8_t key, bool longForm) {
    const char letter = SpellLetter(note, key);
    const int octave = letterNumber(note, letter) / 12 - 1;
    const auto lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    std::string text(1, octave >= 4 ? lower : static_cast<char>(std::toupper(lower)));
    appendSuffix(text, note, longForm);
    text += OctaveMark(octave);
    return text;
}

int FifthsOf(const NoteValue& note) {
    const int pc = PitchClass(note);
    const int alter = note.Accidental <= acc_double_sharp ? SignAlter[note.Accidental] : 0;
    const NoteValue letter{pc - alter + 12, acc_none, 0};
    if (alter == 0 || IsChromatic(letter))
        return PlainFifths[pc];
    return PlainFifths[PitchClass(letter)] + 7 * alter;
}

bool SpellAtFifths(NoteValue& note, int fifths) {
    if (((7 * fifths) % 12 + 12) % 12 != PitchClass(note))
        return false;
    const int alter = floorDiv(fifths + 1, 7);
    if (alter < -2 || alter > 2)
        return false;
    static constexpr std::array<uint8_t, 5> Signs = {acc_double_flat, acc_flat, acc_none, acc_sharp,
                                                     acc_double_sharp};
    note.Accidental = Signs[alter + 2];
    note.SpellingFixed = 1;
    return true;
}

bool TransposeNote(NoteValue& note, int semitones, int fifths) {
    const int from = FifthsOf(note);
    const int number = note.Number + semitones;
    if (number >= MinNoteNumber && number <= MaxNoteNumber) {
        note.Number = number;
        if (SpellAtFifths(note, from + fifths))
            return true;
    } else {
        note.Number = number < MinNoteNumber ? MinNoteNumber : MaxNoteNumber;
    }
    note.SpellingFixed = 0;
    SpellLetter(note, DefaultKey);
    note.SpellingFixed = 1;
    return false;
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
