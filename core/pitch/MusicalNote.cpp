#include "pitch/MusicalNote.h"

#include <array>
#include <cctype>
#include <cmath>

#include "io/ByteStream.h"

namespace vorn {

namespace {

constexpr std::array<const char*, 12> PitchClassNames = {"C",  "CD", "D",  "DE", "E",  "F",
                                                         "FG", "G",  "GA", "A",  "AB", "B"};

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

struct KeyEntry {
    const char* name;
    const char* spelling; // one code per pitch class
    const char* mifa;     // 0 Mi, 1 Fa per pitch class
};

constexpr std::array<KeyEntry, KeyCount> KeyTable = {{
    {"Cb Major", "1bdbb1bdbdbb", "010110101011"}, {"Gb Major", "1bdbb0b1bdbb", "010110101011"},
    {"Db Major", "0b1bb0b1bdb0", "010110101011"}, {"Ab Major", "0b1bb0b0b1bb", "010101101011"},
    {"Eb Major", "0b0b10b0b1bb", "101101101010"}, {"Bb Major", "0b0b10#0b0b1", "110101011010"},
    {"F Major", "0#0b00#0b0b1", "101101011010"},  {"C Major", "0#0b00#0#0b0", "101101010110"},
    {"G Major", "0#0#01#0#0b0", "101011010110"},  {"D Major", "1#0#01#0#0#0", "101011010101"},
    {"A Major", "1#0#0##1#0#0", "101010110101"},  {"E Major", "##1#0##1#0#0", "011010110101"},
    {"B Major", "##1#0##x#1#0", "011010101101"},  {"F# Major", "##x#1##x#1#0", "011010101101"},
    {"C# Major", "##x#1##x#x#1", "011010101101"}, {"Ab minor", "1bdbb1bdbdbb", "010101101011"},
    {"Eb minor", "1bdbb0b1bdbb", "010101101011"}, {"Bb minor", "0b1bb0b1bdb0", "010101101011"},
    {"F minor", "0b1bb0b0b1bb", "110101101010"},  {"C minor", "0b0b10b0b1bb", "110101011010"},
    {"G minor", "0b0b10#0b0b1", "101101011010"},  {"D minor", "0#0b00#0b0b1", "101101010110"},
    {"A minor", "0#0b00#0#0b0", "101011010110"},  {"E minor", "0#0#01#0#0b0", "101011010101"},
    {"B minor", "1#0#01#0#0#0", "101010110101"},  {"F# minor", "1#0#0##1#0#0", "011010110101"},
    {"C# minor", "##1#0##1#0#0", "011010101101"}, {"G# minor", "##1#0##x#1#0", "010110101101"},
    {"D# minor", "##x#1##x#1#0", "010110101101"}, {"A# minor", "##x#1##x#x#1", "010110101101"},
}};

// Keys outside the table (30..255) behave as "C Major".
const KeyEntry& keyEntry(uint8_t key) {
    return KeyTable[key < KeyCount ? key : DefaultKey];
}

uint8_t accidentalOfCode(char code) {
    switch (code) {
    case 'd':
        return acc_double_flat;
    case 'b':
        return acc_flat;
    case '1':
        return acc_natural;
    case '#':
        return acc_sharp;
    case 'x':
        return acc_double_sharp;
    default:
        return acc_none;
    }
}

struct IntervalDef {
    const char* name;
    int fifths;  // coefficient of F
    int octaves; // coefficient of 1200 cents
};

// Size = fifths * F + octaves * 1200.
constexpr std::array<IntervalDef, IntervalTypeCount> Intervals = {{
    {"Chromatic Semitone", 7, -4},
    {"Diatonic Semitone", -5, 3},
    {"Second", 2, -1},
    {"Wolf Second", -10, 6},
    {"Wolf Minor Third", 9, -5},
    {"Minor Third", -3, 2},
    {"Major Third", 4, -2},
    {"Wolf Major Third", -8, 5},
    {"Wolf Fourth", 11, -6},
    {"Fourth", -1, 1},
    {"Augmented Fourth", 6, -3},
    {"Diminished Fifth", -6, 4},
    {"Fifth", 1, 0},
    {"Wolf Fifth", -11, 7},
    {"Wolf Minor Sixth", 8, -4},
    {"Minor Sixth", -4, 3},
    {"Major Sixth", 3, -1},
    {"Wolf Major Sixth", -9, 6},
    {"Wolf Minor Seventh", 10, -5},
    {"Minor Seventh", -2, 2},
    {"Major Seventh", 5, -2},
    {"Wolf Major Seventh", -7, 5},
    {"Octave", 0, 1},
    {"Wolf Ninth", 7, -3},
    {"Ninth", -5, 4},
    {"Tenth", 2, 0},
}};

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
        note.Accidental = accidentalOfCode(keyEntry(key).spelling[pc]);
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
    if (note.Number > 127 || note.Number < 0)
        note.Number = 0;
    note.Accidental = IsChromatic(note) ? acc_sharp : acc_none;
}

void StepDown(NoteValue& note) {
    if (IsChromatic(note) && note.Accidental == acc_flat) {
        note.Accidental = acc_sharp;
        return;
    }
    note.Number -= 1;
    if (note.Number < 0 || note.Number > 127)
        note.Number = 127;
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

std::string KeyName(uint8_t key) {
    return keyEntry(key).name;
}

std::string KeyList(int kind) {
    int first = 0, last = KeyCount - 1;
    if (kind == 0)
        last = 14;
    else if (kind == 1)
        first = 15;
    std::string text;
    for (int k = first; k <= last; ++k) {
        if (k != first)
            text += "\r\n";
        text += KeyTable[k].name;
    }
    return text;
}

int MiFaOf(const NoteValue& note, uint8_t key) {
    return keyEntry(key).mifa[PitchClass(note)] - '0';
}

double IntervalCents(int type, double fifth) {
    if (type < 0 || type >= IntervalTypeCount)
        return 0.0;
    const IntervalDef& d = Intervals[type];
    return d.fifths * fifth + d.octaves * 1200.0;
}

std::string IntervalName(int type) {
    if (type < 0 || type >= IntervalTypeCount)
        return {};
    return Intervals[type].name;
}

double RaiseByCents(double frequency, double cents) {
    return std::exp(std::log(2.0) * cents / 1200.0) * frequency;
}

double TemperedFifth(double commaFraction) {
    return 1200.0 * std::log(1.5) / std::log(2.0) -
           commaFraction * (1200.0 * std::log(1.0125) / std::log(2.0));
}

} // namespace vorn
