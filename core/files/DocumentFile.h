#pragma once
// The document file (".vrd"): a header of the document's fields and one record per course.
// The same body is stored for each document the settings file reopens.

#include <string>
#include <string_view>

namespace vorn {

class ByteReader;
class ByteWriter;
class TFileFrame;
class TStrFrame;

// The program's title, compared by the readers.
inline constexpr const char* ProgramTitle = "Vorn";
inline constexpr const char* LoadFileMessage = "Unable to load file";
inline constexpr const char* LoadSettingsMessage = "Unable to load configuration file";
inline constexpr const char* BowedMessage = "Bowed instruments no longer supported";
inline constexpr const char* MessageCaption = "Oops!";

// The 6-byte reals of the version field: 2.0 and 1.0.
void WriteVersion(ByteWriter& out, double version);
double ReadVersion(ByteReader& in); // 0 for a value that is neither 2.0 nor 1.0's form

// Any 6-byte real: exponent byte, 39-bit fraction, sign in bit 7 of the last byte; 0 when the
// exponent byte is 0. DecodeReal48 needs exactly six bytes.
double DecodeReal48(std::string_view sixBytes);
double ReadReal48(ByteReader& in);
// The nearest 6-byte real; magnitudes below its range become 0. Throws std::out_of_range
// for values above its range (about 1.7e38) and for NaN.
void WriteReal48(ByteWriter& out, double value);

enum class LoadResult { Failed = 0, OldFormat = 1, Loaded = 2 };

struct LoadOutcome {
    LoadResult Result = LoadResult::Failed;
    std::string Message; // for the user, empty when there is nothing to say
};

// Every string of every row holds what a document file can hold again: a length that is
// finite and above 0, a tension and a gut diameter that are finite and not negative.
bool RowsAreSound(const TStrFrame& chart);

// Writes the document body; rows that exist are first copied into the document. A document
// whose rows were never built gets the records of rows built on a copy of it.
void WriteDocument(TFileFrame& frame, ByteWriter& out);
// Reads one document body into a frame. Loaded: the frame holds the document and its rows,
// FileName is the final component of name. OldFormat: only the version was read; the reader
// stands after it. Failed: Message says why; the frame is left as it was before the call.
LoadOutcome ReadDocument(TFileFrame& frame, ByteReader& in, const std::string& name);

// Save: the body written to a temporary file beside `path` and renamed over it; on success the
// frame takes the file's name without directory. On failure `error` says why and both the
// frame's name and any previous file are untouched.
bool SaveDocumentFile(TFileFrame& frame, const std::string& path, std::string* error = nullptr);

} // namespace vorn
