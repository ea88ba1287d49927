#pragma once
// The interval catalogue of meantone: every interval an integer combination of the tempered
// fifth and the octave, in cents.

#include <string>

namespace vorn {

constexpr int IntervalTypeCount = 26;

// Size in cents of interval type 0..25 under the tempered fifth F (cents); 0 for other types.
double IntervalCents(int type, double fifth);
// The interval's name; empty text for other types.
std::string IntervalName(int type);

// frequency (Hz) raised by cents: exp(ln 2 * cents / 1200) * frequency.
double RaiseByCents(double frequency, double cents);
// Play buttons carry whole hertz: halves go to the even neighbour; 0 for a frequency that
// cannot be played (not finite or absurdly large).
int WholeHertz(double frequency);
// The fifth in cents narrowed by the comma fraction x of the syntonic comma; x = 0 is pure
// (701.955 cents), x = 1/4 gives 696.578.
double TemperedFifth(double commaFraction);

} // namespace vorn
