// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The texts of the status bar's document panels, with '.' as the decimal point; the window
// shows them in the user's separator.

#include <string>

namespace vorn {

// "Pitch: A=440": the pitch in Hz rounded to a whole number, ties to even; a pitch that is not
// finite is shown as it is ("inf", "nan").
std::string PitchText(long double aPitch);
// "Bridge: 512.345 N.": the total tension in the display unit (tt_newtons, tt_kilograms,
// tt_pounds) with three decimals, and the unit's suffix.
std::string BridgeText(double totalTension, int unit);

} // namespace vorn
