// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the string chart shows beyond its document body. A document file keeps no tensions
// and its reader rounds lengths and diameters and looks each catalogue entry up again, so
// rows read from a body alone may show other figures than the rows it was written from. An
// undo step and a recovery copy keep these figures beside the body:
//
//   u8 courses, then for each course u8 strings (1, or 2 with an octave string), then for
//   each string: f32 length (cm), f32 tension (N), f32 gut diameter (mm), u8 1 and f32
//   alternative diameter (mm) or u8 0, u8 catalogue entry (see TOneCrsPanel::Shown).
//
// Little-endian, as the document file. Values only: labels are made again in the display
// unit of the day.

#include <string>
#include <string_view>

namespace vorn {

class TStrFrame;

// Empty for a chart without rows.
std::string RowFiguresOf(const TStrFrame& chart);

// Puts figures back onto rows just read from `body`, and tells the chart: only figures taken
// with that body, that is for the same courses and strings, and such that the rows write
// `body` again. False, with the rows as they were, for any others and for damaged bytes.
bool PutBackRowFigures(TStrFrame& chart, std::string_view figures, const std::string& body);

} // namespace vorn
