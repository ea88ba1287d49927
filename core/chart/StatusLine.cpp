// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/StatusLine.h"

#include <cmath>

#include "io/NumberText.h"
#include "strings/StringPhysics.h"

namespace vorn {

std::string PitchText(long double aPitch) {
    if (std::isfinite(static_cast<double>(aPitch)))
        aPitch = RoundToDigits(aPitch, 0);
    return "Pitch: A=" + FixedText(static_cast<double>(aPitch), 0);
}

std::string BridgeText(double totalTension, int unit) {
    return "Bridge: " + FixedText(totalTension, 3) + " " + TensionUnitSuffix(unit);
}

} // namespace vorn
