// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The thirty keys: their names, how each spells the twelve pitch classes and which
// semitone frets each wants on the Mi (sharp) or Fa (flat) side.

#include <cstdint>
#include <string>

#include "pitch/Accidental.h"

namespace vorn {

constexpr int KeyCount = 30;
constexpr int MajorKeyCount = 15; // keys 0..14 are major, 15..29 their minors
constexpr uint8_t DefaultKey = 7; // "C Major"

// Key names: 0..14 major "Cb Major".."C# Major", 15..29 minor "Ab minor".."A# minor".
// Keys 30 and above give the name of key 7.
std::string KeyName(uint8_t key);
// kind 0 the major keys, 1 the minor keys, 2 all thirty; CR LF between names.
std::string KeyList(int kind);
// The accidental the key writes on pitch class 0..11 (acc_none for a plain letter). Keys
// 30..255 act as key 7.
uint8_t KeyAccidental(uint8_t key, int pitchClass);
// The key's Mi/Fa digit at pitch class 0..11: 0 Mi, 1 Fa.
int MiFaOf(int pitchClass, uint8_t key);

// The fifths (-11..11) a transposition by `semitones` moves a piece in `key` by: of the two
// spellings of that step (a diatonic or a chromatic semitone, ...), the one whose key has
// fewer sharps or flats; a tie goes to the step down the line of fifths when transposing up,
// so up a tritone is a diminished fifth. Octaves and unisons move by no fifths.
int TranspositionFifths(uint8_t key, int semitones);
// The key `fifths` further along the line of fifths, major staying major; keys 30..255 act as
// key 7. Steps beyond seven sharps or flats stop there.
uint8_t TransposedKey(uint8_t key, int fifths);

} // namespace vorn
