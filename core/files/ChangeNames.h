// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The name of one change to a document, as the undo and redo commands show it ("Undo Tension
// of course 3"): from the edit the chart noted, checked against what the two bodies differ in.

#include <string>

#include "chart/ChartEdit.h"

namespace vorn {

// before and after are document bodies (TakeSnapshot). A whole-instrument change is named by
// edit.Label. A noted cell edit names the step when only its course changed: "Tension of
// course 3". Otherwise the bodies tell: one field of the document ("Temperament", "Fret
// choices", "Pitch", "Instrument name", ...; several at once are "File Setup", but the fret
// chart's own fields give the first of temperament, key and fret choices); one course
// ("Course type of course 5", "Gut diameter of course 2"); several courses, the same in the
// plural ("Gut diameters"). "Change" when the bodies do not read.
std::string DescribeChange(const std::string& before, const std::string& after,
                           const ChartEdit& edit = {});

} // namespace vorn
