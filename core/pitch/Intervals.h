// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The interval catalogue of meantone: every interval an integer combination of the tempered
// fifth and the octave, in cents.

#include <string>

#include "pitch/NoteValue.h"

namespace vorn {

constexpr int IntervalTypeCount = 26;

// Size in cents of interval type 0..25 under the tempered fifth F (cents); 0 for other types.
double IntervalCents(int type, double fifth);
// The interval's name; empty text for other types.
std::string IntervalName(int type);

// Tempered fifths and semitones the interval spans (0 for other types): a Wolf Second is ten
// fifths down and two semitones up, so above A it is C-flat.
int IntervalFifths(int type);
int IntervalSemitones(int type);
// The note the interval reaches from `open`, spelled by the interval (above A a Wolf Second is
// C-flat, a Wolf Minor Third B-sharp); SpellingFixed. Where that spelling would need a third
// sign the note is spelled in key 7.
NoteValue NoteAbove(NoteValue open, int type);

// frequency (Hz) raised by cents: exp(ln 2 * cents / 1200) * frequency.
double RaiseByCents(double frequency, double cents);
// Play buttons carry whole hertz: halves go to the even neighbour; 0 for a frequency that
// cannot be played (not finite or absurdly large).
int WholeHertz(double frequency);
// The fifth in cents narrowed by the comma fraction x of the syntonic comma; x = 0 is pure
// (701.955 cents), x = 1/4 gives 696.578.
double TemperedFifth(double commaFraction);

} // namespace vorn
