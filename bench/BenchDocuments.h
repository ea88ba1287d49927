// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The large documents the benchmarks work on, made by the core alone.

#include <string>

namespace vorn {

// A D-minor lute widened to 19 courses, as a .vrd file holds it.
std::string BaroqueLute19File();
// A settings file that reopens ten such lutes at start.
std::string TenLutesSettings();

} // namespace vorn
