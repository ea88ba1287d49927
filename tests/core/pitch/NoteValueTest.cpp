// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "pitch/Intervals.h"
#include "pitch/Keys.h"
#include "pitch/NoteValue.h"

using namespace vorn;

namespace {

struct NameCase {
    int number;
    uint8_t accidental;
    uint8_t fixed;
    uint8_t key;
    const char* longName;
    const char* shortName;
};

class NoteNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NoteNameTest, LongAndShortForms) {
    const NameCase c = GetParam();
    NoteValue n{c.number, c.accidental, c.fixed};
    EXPECT_EQ(NoteName(n, c.key, true), c.longName);
    NoteValue m{c.number, c.accidental, c.fixed};
    EXPECT_EQ(NoteName(m, c.key, false), c.shortName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NoteNameTest,
    ::testing::Values(NameCase{69, 0, 0, 7, "a", "a"}, NameCase{81, 0, 0, 7, "a'", "a'"},
                      NameCase{57, 0, 0, 7, "A", "A"}, NameCase{45, 0, 0, 7, "A'", "A'"},
                      NameCase{60, 0, 0, 7, "c", "c"}, NameCase{61, 4, 1, 7, "c-sharp", "c-#"},
                      NameCase{70, 2, 1, 7, "b-flat", "b-b"},
                      NameCase{0, 0, 0, 7, "C''''", "C''''"}, NameCase{33, 0, 0, 7, "A\"", "A\""},
                      NameCase{93, 0, 0, 7, "a\"", "a\""},
                      NameCase{127, 0, 0, 7, "g'''''", "g'''''"},
                      // key 7 spells the black keys C#, Eb, F#, G#, Bb
                      NameCase{61, 0, 0, 7, "c-sharp", "c-#"},
                      NameCase{63, 0, 0, 7, "e-flat", "e-b"},
                      NameCase{58, 0, 0, 7, "B-flat", "B-b"},
                      // G Major spells F with a natural sign, which has no text
                      NameCase{65, 0, 0, 8, "f", "f"},
                      // Cb Major spells D as E double flat
                      NameCase{62, 0, 0, 0, "e-double flat", "e-bb"},
                      // C# Major spells C as B sharp, one octave mark lower letter case kept
                      NameCase{60, 0, 0, 14, "b-sharp", "b-#"},
                      // F# Major spells G as F double sharp
                      NameCase{67, 0, 0, 13, "f-double sharp", "f-x"},
                      // fixed spellings are kept whatever the key
                      NameCase{66, 2, 1, 7, "g-flat", "g-b"},
                      // keys beyond the table read as C Major
                      NameCase{63, 0, 0, 77, "e-flat", "e-b"}, NameCase{59, 0, 0, 7, "B", "B"},
                      NameCase{48, 0, 0, 7, "C", "C"}, NameCase{36, 0, 0, 7, "C'", "C'"},
                      NameCase{24, 0, 0, 7, "C\"", "C\""}, NameCase{12, 0, 0, 7, "C'''", "C'''"},
                      NameCase{84, 0, 0, 7, "c\"", "c\""}, NameCase{96, 0, 0, 7, "c'''", "c'''"},
                      NameCase{108, 0, 0, 7, "c''''", "c''''"}));

TEST(Spelling, KeyDecidesAccidentalUnlessFixed) {
    NoteValue free{65, 0, 0};
    EXPECT_EQ(SpellLetter(free, 8), 'f');
    EXPECT_EQ(free.Accidental, acc_natural);

    NoteValue fixed{65, 0, 1};
    EXPECT_EQ(NoteName(fixed, 8, true), "f");
    EXPECT_EQ(fixed.Accidental, acc_none);
}

TEST(Spelling, NegativeNumberIsRepairedToZero) {
    NoteValue n{-7, 0, 0};
    EXPECT_EQ(NoteName(n, 7, true), "C''''");
    EXPECT_EQ(n.Number, 0);
}

TEST(Spelling, EveryKeySpellsEveryPitchClassWithItsOwnLetterName) {
    // A spelled letter plus its accidental must land back on the pitch class it came from.
    const int letterPc[7] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    const int shift[6] = {0, -2, -1, 0, 1, 2};
    for (int key = 0; key < KeyCount; ++key) {
        for (int number = 60; number < 72; ++number) {
            NoteValue n{number, 0, 0};
            const char letter = SpellLetter(n, static_cast<uint8_t>(key));
            const int pc = (letterPc[letter - 'a'] + shift[n.Accidental] + 12) % 12;
            EXPECT_EQ(pc, number % 12) << "key " << key << " note " << number;
        }
    }
}

struct StepCase {
    NoteValue from;
    bool up;
    NoteValue to;
};

class StepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepTest, OneStep) {
    StepCase c = GetParam();
    if (c.up)
        StepUp(c.from);
    else
        StepDown(c.from);
    EXPECT_EQ(c.from.Number, c.to.Number);
    EXPECT_EQ(c.from.Accidental, c.to.Accidental);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepTest,
    ::testing::Values(
        StepCase{{127, 0, 0}, true, {0, 0, 0}}, StepCase{{0, 0, 0}, false, {127, 0, 0}},
        StepCase{{61, 4, 0}, true, {61, 2, 0}}, StepCase{{61, 2, 0}, true, {62, 0, 0}},
        StepCase{{63, 0, 0}, false, {62, 0, 0}}, StepCase{{62, 0, 0}, false, {61, 2, 0}},
        StepCase{{61, 2, 0}, false, {61, 4, 0}}, StepCase{{60, 0, 0}, true, {61, 4, 0}},
        // a natural sign on a black key steps by semitone like a white key
        StepCase{{61, 3, 0}, true, {62, 0, 0}}));

TEST(Stepping, SeventeenStepsMakeAnOctave) {
    NoteValue n{48, 0, 0};
    for (int i = 0; i < 17; ++i)
        StepUp(n);
    EXPECT_EQ(n.Number, 60);
    EXPECT_EQ(n.Accidental, acc_none);
    for (int i = 0; i < 17; ++i)
        StepDown(n);
    EXPECT_EQ(n.Number, 48);
}

TEST(Keys, NamesAndLists) {
    EXPECT_EQ(KeyName(7), "C Major");
    EXPECT_EQ(KeyName(200), "C Major");
    EXPECT_EQ(KeyName(0), "Cb Major");
    EXPECT_EQ(KeyName(29), "A# minor");

    const std::string major = KeyList(0);
    EXPECT_EQ(major.substr(0, 10), "Cb Major\r\n");
    EXPECT_EQ(major.substr(major.size() - 8), "C# Major");
    size_t lines = 1;
    for (size_t p = major.find("\r\n"); p != std::string::npos; p = major.find("\r\n", p + 2))
        ++lines;
    EXPECT_EQ(lines, 15u);
    const std::string minor = KeyList(1);
    EXPECT_EQ(minor.substr(0, 8), "Ab minor");
    EXPECT_EQ(minor.substr(minor.size() - 8), "A# minor");
    EXPECT_EQ(KeyList(2), major + "\r\n" + minor);
}

TEST(Keys, MiFaDigits) {
    // C Major: 101101010110
    const int expected[12] = {1, 0, 1, 1, 0, 1, 0, 1, 0, 1, 1, 0};
    for (int pc = 0; pc < 12; ++pc)
        EXPECT_EQ(MiFaOf(pc, 7), expected[pc]) << pc;
    EXPECT_EQ(MiFaOf(1, 0), 1);
}

TEST(Intervals, SizesAndNames) {
    const double F = 696.578;
    EXPECT_DOUBLE_EQ(IntervalCents(0, F), 7 * F - 4800);
    EXPECT_DOUBLE_EQ(IntervalCents(13, F), 8400 - 11 * F);
    EXPECT_DOUBLE_EQ(IntervalCents(22, F), 1200);
    EXPECT_DOUBLE_EQ(IntervalCents(25, F), 2 * F);
    EXPECT_EQ(IntervalCents(26, F), 0.0);
    EXPECT_EQ(IntervalCents(-1, F), 0.0);
    EXPECT_EQ(IntervalName(12), "Fifth");
    EXPECT_EQ(IntervalName(21), "Wolf Major Seventh");
    EXPECT_EQ(IntervalName(26), "");
    // Each wolf interval and its plain partner differ by a diesis or more, never zero,
    // and minor third + major sixth is exactly an octave.
    EXPECT_DOUBLE_EQ(IntervalCents(5, F) + IntervalCents(16, F), 1200.0);
}

TEST(Fifth, PureAndNarrowed) {
    EXPECT_NEAR(TemperedFifth(0), 701.955, 0.0005);
    EXPECT_NEAR(TemperedFifth(0.25), 696.578, 0.0005);
    EXPECT_NEAR(TemperedFifth(1.0 / 11.0), 700.0, 0.0005);
    EXPECT_NEAR(TemperedFifth(1.0 / 3.0), 694.786, 0.0005);
}

TEST(NoteBytes, SixBytesInFieldOrder) {
    ByteWriter w;
    WriteNote(w, NoteValue{0x01020304, 4, 1});
    ASSERT_EQ(w.bytes().size(), 6u);
    EXPECT_EQ(w.bytes(), std::string("\x04\x03\x02\x01\x04\x01", 6));

    ByteReader r(w.bytes());
    NoteValue n{0, 0, 0};
    ReadNote(r, n);
    EXPECT_EQ(n, (NoteValue{0x01020304, 4, 1}));
    EXPECT_TRUE(r.atEnd());
}

TEST(NoteBytes, ShortDataThrowsInsteadOfReadingPastTheEnd) {
    ByteReader r(std::string_view("\x01\x00\x00", 3));
    NoteValue n;
    EXPECT_THROW(ReadNote(r, n), ReadError);
}

} // namespace
