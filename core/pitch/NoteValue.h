// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Note values: spelling in a key, names, stepping through the seventeen-note meantone scale,
// and their six bytes in files.

#include <cstdint>
#include <string>

#include "pitch/Accidental.h"

namespace vorn {

class ByteReader;
class ByteWriter;

// Six bytes in files (eight in memory, padding included): Number (semitones, 69 = the A of
// the pitch standard, 60 = the C below it; valid range 0..127), Accidental, SpellingFixed.
struct NoteValue {
    int32_t Number = 60;
    uint8_t Accidental = 0;    // one of the Accidental values below
    uint8_t SpellingFixed = 0; // nonzero: Accidental is kept instead of spelled from the key
    bool operator==(const NoteValue&) const = default;
};
// The note numbers a file, a cell or a step may hold.
inline constexpr int32_t MinNoteNumber = 0;
inline constexpr int32_t MaxNoteNumber = 127;

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
// The mark NoteName writes after a note of octave -1..9: apostrophes counting away from
// octaves 3 and 4, a double quote for two.
std::string OctaveMark(int octave);

// The octave (-1..9) of the note's letter, which a sign can push across the octave line:
// C-flat at 71 is the C of octave 5, B-sharp at 72 the B of octave 4. Spells like SpellLetter.
int LetterOctaveOf(NoteValue& note, uint8_t key);
// NoteName for notes spelled by interval (the frets): letter case and octave mark follow the
// letter's octave, so C-flat at 71 reads "c-flat'" above b and B-sharp at 72 "b-sharp" below c'.
std::string LetterNoteName(NoteValue& note, uint8_t key, bool longForm);

// The note's place on the line of fifths (C 0, G 1, F -1, F-sharp 6, B-flat -2). A chromatic
// note with no sign or a natural takes the spelling it sounds as (C-sharp, E-flat, F-sharp,
// G-sharp, B-flat); so does a sign that names no letter for its pitch class.
int FifthsOf(const NoteValue& note);
// Spells the note, Number unchanged, as place `fifths` on the line of fifths and fixes the
// spelling. False, and the note unchanged, when that place is another pitch class or needs
// more than a double sharp or flat.
bool SpellAtFifths(NoteValue& note, int fifths);
// Moves the note by `semitones` and its spelling by `fifths` along the line of fifths (7 *
// fifths and semitones agree modulo 12), so that every note moved together keeps its
// intervals. A note that would leave 0..127 or need a third sign is kept within range and
// spelled in key 7 instead; the result then says false.
bool TransposeNote(NoteValue& note, int semitones, int fifths);

// One step of the seventeen-note scale; wraps between 127 and 0.
void StepUp(NoteValue& note);
void StepDown(NoteValue& note);

// The six bytes in field order, no header or check. ReadNote throws ReadError on short data.
void ReadNote(ByteReader& in, NoteValue& note);
void WriteNote(ByteWriter& out, const NoteValue& note);

} // namespace vorn
