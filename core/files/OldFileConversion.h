#pragma once
// Import of documents written in the older (version 1.0) format.

#include "files/DocumentFile.h"

namespace vorn {

// Reads the old body that follows the version into the frame (which starts as a new,
// empty frame). Loaded on success; Failed with BowedMessage for bowed instruments or
// LoadFileMessage for a short or broken body, leaving the frame as it was.
LoadOutcome ImportOldDocument(TFileFrame& frame, ByteReader& in);

// ReadDocument, handing an old-format body on to the import: how the program opens a file.
LoadOutcome OpenDocument(TFileFrame& frame, ByteReader& in, const std::string& name);
// The same for a file on disk, which becomes the frame's FilePath; a file that cannot be read
// is refused like a broken one.
LoadOutcome OpenDocumentFile(TFileFrame& frame, const std::string& path);

} // namespace vorn
