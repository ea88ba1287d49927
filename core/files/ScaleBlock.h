// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A document's fret scale (a historical rule or a Scala file's scale) as its file holds it:
// a block after the body, which a document fretted by its temperament does not have. Readers
// that stop after the body (older versions of this program) pass it by.
//
//   "VornScl" and a version byte (1)
//   i32 payload length (bytes), then the payload:
//     name, source and remark: each an i32 byte count and that much UTF-8
//     i32 note count (12 or 17), i32 pitch count, the pitches as f64 cents, the octave last
//   the payload's 64-bit hash (HashBytes), little-endian

#include <optional>
#include <string>

#include "pitch/FretScale.h"

namespace vorn {

class ByteReader;
class ByteWriter;

void WriteScaleBlock(const FretScale& scale, ByteWriter& out);

struct ScaleBlockRead {
    std::optional<FretScale> Scale; // none: no block stands here
    std::string Fault;              // why a block that stands here was refused; empty if not
};

// Reads the block where `in` stands and moves past it. Anything else there is no block and is
// left alone. A block that is damaged, of a later version or holds no usable scale is refused
// with the reason.
ScaleBlockRead ReadScaleBlock(ByteReader& in);

} // namespace vorn
