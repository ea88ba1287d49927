// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Import of documents written in the older (version 1.0) format.

#include "files/DocumentFile.h"

namespace vorn {

// Reads the old body that follows the version into the frame (which starts as a new,
// empty frame). Loaded on success; Failed with BowedMessage for bowed instruments or
// LoadFileMessage for a short or broken body, leaving the frame as it was.
LoadOutcome ImportOldDocument(TFileFrame& frame, ByteReader& in);

} // namespace vorn
