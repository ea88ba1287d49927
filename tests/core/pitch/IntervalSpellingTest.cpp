// SPDX-License-Identifier: GPL-3.0-or-later

// Every interval of the catalogue above three open strings: the note is named by the interval
// it stands for, in the octave of its letter, and the letter lies where the interval puts it.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <tuple>

#include "pitch/Intervals.h"
#include "pitch/Keys.h"
#include "pitch/Temperaments.h"

namespace vorn {
namespace {

struct OpenString {
    const char* label;
    NoteValue note;
    std::array<const char*, IntervalTypeCount> names; // by interval type 0..25
};

// clang-format off
const OpenString Opens[] = {
    {"A", {57, acc_none, 1},
     {"A-sharp", "B-flat", "B", "c-flat", "B-sharp", "c", "c-sharp", "d-flat",
      "c-double sharp", "d", "d-sharp", "e-flat", "e", "f-flat", "e-sharp", "f",
      "f-sharp", "g-flat", "f-double sharp", "g", "g-sharp", "a-flat", "a", "a-sharp",
      "b-flat", "b"}},
    {"B-flat", {58, acc_flat, 1},
     {"B", "c-flat", "c", "d-double flat", "c-sharp", "d-flat", "d", "e-double flat",
      "d-sharp", "e-flat", "e", "f-flat", "f", "g-double flat", "f-sharp", "g-flat",
      "g", "a-double flat", "g-sharp", "a-flat", "a", "b-double flat", "b-flat", "b",
      "c-flat'", "c'"}},
    {"e", {64, acc_none, 1},
     {"e-sharp", "f", "f-sharp", "g-flat", "f-double sharp", "g", "g-sharp", "a-flat",
      "g-double sharp", "a", "a-sharp", "b-flat", "b", "c-flat'", "b-sharp", "c'",
      "c-sharp'", "d-flat'", "c-double sharp'", "d'", "d-sharp'", "e-flat'", "e'",
      "e-sharp'", "f'", "f-sharp'"}},
};
// clang-format on

class IntervalSpelling
    : public ::testing::TestWithParam<std::tuple<OpenString, double /* comma fraction */>> {};

// The note number of the note's letter without its sign, from its name's letter and octave.
int letterNumber(NoteValue note) {
    static constexpr int LetterPc[7] = {9, 11, 0, 2, 4, 5, 7}; // a..g
    const char letter = SpellLetter(note, DefaultKey);
    const int index = (letter | 0x20) - 'a';
    return 12 * (LetterOctaveOf(note, DefaultKey) + 1) + LetterPc[index];
}

TEST_P(IntervalSpelling, NameAndLetterFollowTheInterval) {
    const auto& [open, fraction] = GetParam();
    const double fifth = TemperedFifth(fraction);
    const int openLetter = letterNumber(open.note);
    for (int type = 0; type < IntervalTypeCount; ++type) {
        SCOPED_TRACE(std::string(open.label) + " + " + IntervalName(type));
        NoteValue note = NoteAbove(open.note, type);
        EXPECT_EQ(note.SpellingFixed, 1);
        EXPECT_EQ(note.Number, open.note.Number + IntervalSemitones(type));
        EXPECT_EQ(LetterNoteName(note, DefaultKey, true), open.names[type]);
        // The letter stands within two signs of where the interval sounds: a C-flat a diesis
        // above B belongs to the C above it, not to the octave of its B.
        const double sounding = 100.0 * openLetter + IntervalCents(type, fifth);
        EXPECT_LE(std::fabs(100.0 * letterNumber(note) - sounding), 250.0);
    }
}

INSTANTIATE_TEST_SUITE_P(ThreeStringsThreeTemperaments, IntervalSpelling,
                         ::testing::Combine(::testing::ValuesIn(Opens),
                                            ::testing::Values(TemperamentFraction(2),
                                                              TemperamentFraction(5), 0.0)));

// Spelling a note as a place on the line of fifths and reading the place back agree for every
// spelling a note can have, and a place that is another pitch class is refused.
TEST(LineOfFifths, EveryWrittenSpellingRoundTrips) {
    for (int fifths = -15; fifths <= 19; ++fifths) {
        const int pc = ((7 * fifths) % 12 + 12) % 12;
        NoteValue note{60 + pc, acc_none, 0};
        ASSERT_TRUE(SpellAtFifths(note, fifths)) << fifths;
        EXPECT_EQ(FifthsOf(note), fifths);
        NoteValue other{61 + pc, acc_none, 0};
        EXPECT_FALSE(SpellAtFifths(other, fifths));
        EXPECT_EQ(other.Accidental, acc_none);
    }
    NoteValue tripleSharp{65, acc_none, 0}; // D-triple-sharp is F
    EXPECT_FALSE(SpellAtFifths(tripleSharp, 23));
}

struct TranspositionKeyCase {
    uint8_t key;
    int semitones;
    int fifths;
    uint8_t to;
};

class TranspositionKey : public ::testing::TestWithParam<TranspositionKeyCase> {};

TEST_P(TranspositionKey, TheKeyOfFewerSigns) {
    const TranspositionKeyCase c = GetParam();
    EXPECT_EQ(TranspositionFifths(c.key, c.semitones), c.fifths);
    EXPECT_EQ(TransposedKey(c.key, c.fifths), c.to) << KeyName(c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TranspositionKey,
    ::testing::Values(TranspositionKeyCase{22, 1, -5, 17},  // A minor to B-flat minor
                      TranspositionKeyCase{22, -1, 5, 27},  // A minor to G-sharp minor
                      TranspositionKeyCase{7, 6, -6, 1},    // C up a tritone: G-flat, not F-sharp
                      TranspositionKeyCase{7, -6, 6, 13},   // and down: F-sharp
                      TranspositionKeyCase{10, 1, -5, 5},   // A major to B-flat major
                      TranspositionKeyCase{2, 1, 7, 9},     // D-flat major to D major
                      TranspositionKeyCase{0, 12, 0, 0},    // an octave keeps every spelling
                      TranspositionKeyCase{200, 2, 2, 9})); // an unknown key acts as C major

} // namespace
} // namespace vorn
