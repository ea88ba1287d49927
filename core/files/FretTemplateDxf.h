// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The full-scale fret layout as a DXF drawing for CAD programs and laser or CNC cutters:
// release 12, ASCII, millimetres, one piece. Lines on three layers: FRETS (the nut and every
// main fret), ALTERNATIVES (the other position of each two-position fret) and BOARD (its
// edges). Written through dxflib; its numbers through NumberText, so '.' whatever the locale.

#include <string>
#include <vector>

#include "frets/FretTemplate.h"

namespace vorn {

// The layer name of a line: "FRETS", "ALTERNATIVES" or "BOARD".
std::string LayoutLayerName(LayoutLine::Layer layer);

// The whole file; title goes into a comment at its head.
std::string FretTemplateDxf(const std::vector<LayoutLine>& lines, const std::string& title);

} // namespace vorn
