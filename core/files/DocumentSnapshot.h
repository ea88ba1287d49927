// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A document as one step of its history holds it: the body a save would write. Taking one
// back reads it into the same frame, so that an undone change is what Save and Open give.

#include <string>

namespace vorn {

class TFileFrame;

// The document body, as WriteDocument writes it.
std::string TakeSnapshot(TFileFrame& frame);

// Reads a body that TakeSnapshot gave into the frame in place: document, rows and family
// change; the file name and path, the saved state that Changed compares with and the current
// course (when the document still has it) stay. False, with the frame as it was, when the
// bytes do not load.
bool RestoreSnapshot(TFileFrame& frame, const std::string& bytes);

} // namespace vorn
