// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// `vorn-calc fit`: the temperament an instrument's frets were set to, from their distances.

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "frets/TemperamentFit.h"

namespace vorn::calc {

// --frets: up to eleven comma-separated distances in cm for frets 1..11, an empty field for a
// fret not measured (ReadFitInput). Throws UsageError.
FitInput FitInputOf(const std::string& length, const std::string& frets);

nlohmann::ordered_json FitJson(const FitResult& r);
std::string FitTable(const FitResult& r);

// Refused input, and a fit that leaves a fret far off (FitResult::Doubt), throw UsageError
// with the reason.
int RunFit(const std::string& length, const std::string& frets, bool json, std::ostream& out);

} // namespace vorn::calc
