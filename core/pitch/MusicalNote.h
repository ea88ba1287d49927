#pragma once
// Note values: spelling in the thirty keys, names, stepping through the seventeen-note
// meantone scale, the interval catalogue built on the tempered fifth.

#include <cstdint>
#include <string>

namespace vorn {

class ByteReader;
class ByteWriter;

// Six bytes in memory and in files: Number (semitones, 69 = the A of the pitch standard,
// 60 = the C below it; valid range 0..127), Accidental, SpellingFixed.
struct NoteValue {
    int32_t Number = 60;
    uint8_t Accidental = 0;    // one of the Accidental values below
    uint8_t SpellingFixed = 0; // nonzero: Accidental is kept instead of spelled from the key
    bool operator==(const NoteValue&) const = default;
};

enum Accidental : uint8_t {
    acc_none = 0,
    acc_double_flat = 1,
    acc_flat = 2,
    acc_natural = 3,
    acc_sharp = 4,
    acc_double_sharp = 5,
};

constexpr int KeyCount = 30;
constexpr uint8_t DefaultKey = 7; // "C Major"
constexpr int IntervalTypeCount = 26;

// 0..11 (C = 0); negative numbers wrap upward.
int PitchClass(const NoteValue& note);
// -1..9 for numbers 0..127 (60..71 are octave 4).
int OctaveOf(const NoteValue& note);
// true for the pitch classes 1, 3, 6, 8 and 10.
bool IsChromatic(const NoteValue& note);

// The note's letter in the key, lower case above 59. Repairs a negative Number to 0 and,
// unless SpellingFixed, sets Accidental from the key. Keys 30..255 act as key 7.
char SpellLetter(NoteValue& note, uint8_t key);
// "c-sharp" (long form) or "c-#" (short form) with the octave mark; spells like SpellLetter.
std::string NoteName(NoteValue& note, uint8_t key, bool longForm);

// One step of the seventeen-note scale; wraps between 127 and 0.
void StepUp(NoteValue& note);
void StepDown(NoteValue& note);

// The six bytes in field order, no header or check. ReadNote throws ReadError on short data.
void ReadNote(ByteReader& in, NoteValue& note);
void WriteNote(ByteWriter& out, const NoteValue& note);

// Key names: 0..14 major "Cb Major".."C# Major", 15..29 minor "Ab minor".."A# minor".
// Keys 30 and above give the name of key 7.
std::string KeyName(uint8_t key);
// kind 0 the major keys, 1 the minor keys, 2 all thirty; CR LF between names.
std::string KeyList(int kind);
// The key's Mi/Fa digit at the note's pitch class: 0 Mi, 1 Fa.
int MiFaOf(const NoteValue& note, uint8_t key);

// Size in cents of interval type 0..25 under the tempered fifth F (cents); 0 for other types.
double IntervalCents(int type, double fifth);
// The interval's name; empty text for other types.
std::string IntervalName(int type);

// frequency (Hz) raised by cents: exp(ln 2 * cents / 1200) * frequency.
double RaiseByCents(double frequency, double cents);
// The fifth in cents narrowed by the comma fraction x of the syntonic comma; x = 0 is pure
// (701.955 cents), x = 1/4 gives 696.578.
double TemperedFifth(double commaFraction);

} // namespace vorn
