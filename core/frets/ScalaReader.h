// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reading a Scala scale file (.scl) as a fret scale. The format: lines that begin with '!'
// are comments; the first other line is the description (may be empty), the next the note
// count, then one pitch per line: cents when it holds a '.', else a ratio "a/b" or a whole
// number; blanks may lead, and text after the value is ignored. The 1/1 is implied.
//
// Strict on purpose: frets cut from a misread file are wood wasted, so anything the format
// does not allow, and any scale a fretboard cannot take, is refused with its line.

#include <cstddef>
#include <optional>
#include <string>

#include "pitch/FretScale.h"

namespace vorn {

// A scale file is a few hundred bytes; comments may make it some kilobytes.
constexpr size_t MaxScalaBytes = 64 * 1024;

struct ScalaRefusal {
    int Line = 0;       // 1-based line of the fault; 0 when it is the file as a whole
    std::string Reason; // one line, may quote bytes of the file

    // "line N: reason", or the reason alone for the file as a whole.
    std::string Message() const;
    bool operator==(const ScalaRefusal&) const = default;
};

// Exactly one of the two is set: Scale, or a Refusal with a reason.
struct ScalaReading {
    std::optional<FretScale> Scale;
    std::optional<ScalaRefusal> Refusal;
};

// text: the file's bytes (line ends LF, CR LF or CR; a UTF-8 byte order mark is skipped).
// fileName (no folder) becomes the scale's Source, and its Name when the description is
// empty. The scale must hold 12 notes, or 17 laid out as Vorn writes them (ScalaCents), and
// end on the octave, 2/1 or 1200 cents within a thousandth of a cent.
ScalaReading ReadScalaScale(const std::string& text, const std::string& fileName);

} // namespace vorn
