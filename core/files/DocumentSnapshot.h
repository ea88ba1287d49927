// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A document as one step of its history holds it: the body a save would write, and what the
// rows show beyond it (see RowFigures). Taking one back reads the body into the same frame and
// puts the figures back, so that an undone change is what Save writes and what the chart
// showed.

#include <string>

namespace vorn {

class TFileFrame;

struct DocumentSnapshot {
    std::string Body;    // as WriteDocument writes it
    std::string Figures; // as RowFiguresOf gives them, of rows built on a copy when none are

    bool operator==(const DocumentSnapshot&) const = default;
};

DocumentSnapshot TakeSnapshot(TFileFrame& frame);

// Reads a snapshot that TakeSnapshot gave into the frame in place: document, rows, figures and
// family change; the file name and path, the saved state that Changed compares with and the
// current course (when the document still has it) stay. False, with the frame as it was, when
// the body does not load; figures that do not belong to the body are left out.
bool RestoreSnapshot(TFileFrame& frame, const DocumentSnapshot& snapshot);

} // namespace vorn
