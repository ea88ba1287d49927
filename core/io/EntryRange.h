// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a number entry takes: its bounds and the value a new entry shows. The unit is the one
// stated beside each constant.

#include <algorithm>

namespace vorn {

struct EntryRange {
    double Min;
    double Max;
    double Initial;
    constexpr double Clamp(double value) const { return std::clamp(value, Min, Max); }
    // False for a value outside, and for one that is not a number.
    constexpr bool Holds(double value) const { return value >= Min && value <= Max; }
};

} // namespace vorn
