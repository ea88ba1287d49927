// SPDX-License-Identifier: GPL-3.0-or-later

#include "pitch/Keys.h"

#include <algorithm>
#include <array>

namespace vorn {

namespace {

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

// Place 0..14 of a key among its kind: 7 is no sign, 0 seven flats, 14 seven sharps.
int keyPlace(uint8_t key) {
    return (key < KeyCount ? key : DefaultKey) % MajorKeyCount;
}

} // namespace

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

uint8_t KeyAccidental(uint8_t key, int pitchClass) {
    if (pitchClass < 0 || pitchClass > 11)
        return acc_none;
    return accidentalOfCode(keyEntry(key).spelling[pitchClass]);
}

int TranspositionFifths(uint8_t key, int semitones) {
    const int place = keyPlace(key);
    const int first = ((7 * semitones) % 12 + 12) % 12;
    // Octaves and unisons keep every spelling.
    if (first == 0)
        return 0;
    int best = 0;
    int bestSigns = MajorKeyCount;
    for (int fifths : {first - 12, first}) {
        const int to = place + fifths;
        if (to < 0 || to >= MajorKeyCount)
            continue;
        const int signs = to > 7 ? to - 7 : 7 - to;
        const bool tieWins = signs == bestSigns && (semitones > 0 ? fifths < best : fifths > best);
        if (signs < bestSigns || tieWins) {
            best = fifths;
            bestSigns = signs;
        }
    }
    return best;
}

uint8_t TransposedKey(uint8_t key, int fifths) {
    const int k = key < KeyCount ? key : DefaultKey;
    const int minor = k >= MajorKeyCount ? MajorKeyCount : 0;
    const int place = std::clamp(keyPlace(key) + fifths, 0, MajorKeyCount - 1);
    return static_cast<uint8_t>(minor + place);
}

int MiFaOf(int pitchClass, uint8_t key) {
    return keyEntry(key).mifa[pitchClass] - '0';
}

} // namespace vorn
