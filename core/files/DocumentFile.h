// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The document file (".vrd"): a header of the document's fields and one record per course.
// The same body is stored for each document the settings file reopens.

#include <string>
#include <utility>

namespace vorn {

class ByteReader;
class ByteWriter;
class TFileFrame;

inline constexpr const char* LoadFileMessage = "Unable to load file";
inline constexpr const char* LoadSettingsMessage = "Unable to load configuration file";
inline constexpr const char* BowedMessage = "Bowed instruments no longer supported";
inline constexpr const char* MessageCaption = "Oops!";

enum class LoadResult { Failed = 0, OldFormat = 1, Loaded = 2 };

struct LoadOutcome {
    LoadOutcome() = default;
    LoadOutcome(LoadResult result, std::string message = {}, std::string readFailure = {})
        : Result(result), Message(std::move(message)), ReadFailure(std::move(readFailure)) {}

    LoadResult Result = LoadResult::Failed;
    std::string Message;     // for the user, empty when there is nothing to say
    std::string ReadFailure; // why the file itself could not be read; empty when it was
    // Which value the reader refused ("course 3: gut diameter 400 mm is outside 0..100"),
    // where it can say; the window shows Message alone, vorn-calc both.
    std::string Reason;
};

// The file name after the last '/' or '\\': stored names may come from either kind of path.
std::string FinalComponent(const std::string& name);

// Writes the document body; rows that exist are first copied into the document. A document
// whose rows were never built gets the records of rows built on a copy of it.
void WriteDocument(TFileFrame& frame, ByteWriter& out);
// Reads one document body into a frame. Loaded: the frame holds the document and its rows,
// FileName is the final component of name and the document counts as unchanged. OldFormat:
// only the version was read; the reader stands after it. Failed: Message says why; the frame
// is left as it was before the call.
LoadOutcome ReadDocument(TFileFrame& frame, ByteReader& in, const std::string& name);

} // namespace vorn
