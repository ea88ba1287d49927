// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/RecoveryFile.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "files/FileFrame.h"
#include "files/RowFigures.h"
#include "files/SettingsFile.h"
#include "io/AtomicFile.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/NumberText.h"

namespace vorn {

namespace {

constexpr std::string_view Magic = "Vorn recovery copy\n";
constexpr size_t MaxNameBytes = 8192; // far beyond any path the system takes
constexpr std::string_view BrokenMessage = "the recovery copy is damaged or cut short";

uint32_t crc32(std::string_view data) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (const char ch : data)
        c = table[(c ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::string hex8(uint32_t value) {
    char digits[8];
    for (int i = 7; i >= 0; --i, value >>= 4)
        digits[i] = "0123456789abcdef"[value & 0xF];
    return std::string(digits, 8);
}

void appendField(std::string& out, const char* key, const std::string& value) {
    out.append(key).append(" ").append(WholeText(static_cast<long long>(value.size())));
    out.append("\n").append(value).append("\n");
}

// Reads the copy front to back; every step either consumes what it expects or fails.
class Cursor {
public:
    explicit Cursor(std::string_view bytes) : rest_(bytes) {}

    bool Literal(std::string_view text) {
        if (rest_.substr(0, text.size()) != text)
            return false;
        rest_.remove_prefix(text.size());
        return true;
    }
    // Digits up to the end of the line: no sign, no leading zero, at most `max`.
    bool Number(size_t max, size_t& value) {
        const size_t end = rest_.find('\n');
        if (end == std::string_view::npos || end == 0 || (rest_[0] == '0' && end > 1))
            return false;
        const auto r = std::from_chars(rest_.data(), rest_.data() + end, value);
        if (r.ec != std::errc() || r.ptr != rest_.data() + end || value > max)
            return false;
        rest_.remove_prefix(end + 1);
        return true;
    }
    bool Field(std::string_view key, size_t max, std::string& value) {
        size_t size = 0;
        if (!Literal(key) || !Literal(" ") || !Number(max, size) || rest_.size() < size + 1 ||
            rest_[size] != '\n')
            return false;
        value.assign(rest_.substr(0, size));
        rest_.remove_prefix(size + 1);
        return true;
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

bool fail(std::string* error, std::string_view why) {
    if (error)
        *error = std::string(why);
    return false;
}

// The figures line's bytes: the current course, then the rows' figures.
std::string figuresSection(const RecoveryRecord& record) {
    ByteWriter out;
    out.i32(record.Current);
    out.raw(record.Figures);
    return out.take();
}

bool readFiguresSection(std::string_view bytes, RecoveryRecord& record) {
    try {
        ByteReader in(bytes);
        record.Current = in.i32Within(-1, MaxCourses - 1, "current course");
        record.Figures = std::string(in.raw(in.remaining()));
        return true;
    } catch (const ReadError&) {
        return false;
    }
}

} // namespace

RecoveryRecord RecordOf(const TFileFrame& frame, std::string body, std::string figures) {
    return {frame.FilePath,  frame.FileName,     frame.DisplayName(),
            std::move(body), std::move(figures), frame.Chart.Current()};
}

std::string RecoveryFileBytes(const RecoveryRecord& record) {
    std::string out(Magic);
    out.append("version ").append(WholeText(RecoveryVersion)).append("\n");
    appendField(out, "path", record.FilePath);
    appendField(out, "name", record.FileName);
    appendField(out, "shown", record.DisplayName);
    appendField(out, "body", record.Body);
    appendField(out, "figures", figuresSection(record));
    const std::string sum = hex8(crc32(out));
    out.append("crc32 ").append(sum).append("\n");
    return out;
}

bool ReadRecoveryBytes(std::string_view bytes, RecoveryRecord& record, std::string* error) {
    Cursor in(bytes);
    if (!in.Literal(Magic) || !in.Literal("version "))
        return fail(error, "not a recovery copy of this program");
    size_t version = 0;
    if (!in.Number(1000, version) || version == 0)
        return fail(error, BrokenMessage);
    // Version 1 is what an older run left: the same without figures.
    if (version != static_cast<size_t>(RecoveryVersion) && version != 1)
        return fail(error, "the recovery copy was written by another version of this program");
    RecoveryRecord read;
    if (!in.Field("path", MaxNameBytes, read.FilePath) ||
        !in.Field("name", MaxNameBytes, read.FileName) ||
        !in.Field("shown", MaxNameBytes, read.DisplayName) ||
        !in.Field("body", MaxReadBytes, read.Body) || read.Body.empty())
        return fail(error, BrokenMessage);
    std::string figures;
    if (version >= 2 &&
        (!in.Field("figures", MaxReadBytes, figures) || !readFiguresSection(figures, read)))
        return fail(error, BrokenMessage);
    const std::string_view covered = bytes.substr(0, bytes.size() - in.Rest().size());
    std::string line = "crc32 ";
    line.append(hex8(crc32(covered))).append("\n");
    if (in.Rest() != line)
        return fail(error, BrokenMessage);
    record = std::move(read);
    return true;
}

bool ReadRecoveryFile(const std::string& path, RecoveryRecord& record, std::string* error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error))
        return false;
    return ReadRecoveryBytes(bytes, record, error);
}

LoadOutcome RestoreRecovered(TFileFrame& frame, const RecoveryRecord& record) {
    // A copy is made only from a document this program saves: the body is in the current
    // format, and anything else is damage.
    ByteReader in(record.Body);
    LoadOutcome outcome = ReadDocument(frame, in, record.FileName);
    if (outcome.Result != LoadResult::Loaded)
        return {LoadResult::Failed, LoadFileMessage};
    // Figures that do not fit the body are left out: the body alone still gives the
    // document back.
    if (!record.Figures.empty())
        PutBackRowFigures(frame.Chart, record.Figures, record.Body);
    if (record.Current >= 0 && record.Current < frame.Chart.CourseCount())
        frame.Chart.SelectCourse(record.Current);
    frame.FileName = record.FileName;
    frame.FilePath = record.FilePath;
    if (frame.FilePath.empty())
        frame.MarkChanged();
    else
        MeasureAgainstOwnFile(frame);
    return outcome;
}

} // namespace vorn
