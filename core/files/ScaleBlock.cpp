// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/ScaleBlock.h"

#include <cstdint>
#include <string_view>

#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/FileFingerprint.h"
#include "io/NameText.h"

namespace vorn {

namespace {

constexpr std::string_view Tag = "VornScl";
constexpr uint8_t Version = 1;
// A scale's texts are a line each and its pitches seventeen at most: anything larger is damage.
constexpr int32_t MaxText = 4096;
constexpr int32_t MaxPayload = 3 * (4 + MaxText) + 8 + 17 * 8;

void text(ByteWriter& out, std::string_view utf8) {
    const std::string_view cut = utf8.substr(0, MaxText);
    out.i32(static_cast<int32_t>(cut.size()));
    out.raw(cut);
}

std::string text(ByteReader& in, const char* what) {
    const int32_t size = in.i32Within(0, MaxText, what);
    const std::string_view bytes = in.raw(static_cast<size_t>(size));
    if (ValidUtf8(bytes) != bytes)
        throw ReadError(std::string(what) + " is not UTF-8 text");
    return std::string(bytes);
}

std::string payloadOf(const FretScale& scale) {
    ByteWriter out;
    text(out, scale.Name);
    text(out, scale.Source);
    text(out, scale.Remark);
    out.i32(scale.Notes);
    out.i32(static_cast<int32_t>(scale.Cents.size()));
    for (double cents : scale.Cents)
        out.f64(cents);
    return out.take();
}

void hash(ByteWriter& out, std::string_view payload) {
    const uint64_t h = HashBytes(payload);
    out.i32(static_cast<int32_t>(static_cast<uint32_t>(h)));
    out.i32(static_cast<int32_t>(static_cast<uint32_t>(h >> 32)));
}

FretScale scaleOf(std::string_view payload) {
    ByteReader in(payload);
    FretScale scale;
    scale.Name = text(in, "the name");
    scale.Source = text(in, "the source");
    scale.Remark = text(in, "the remark");
    scale.Notes = in.i32Within(12, 17, "the note count");
    const int32_t pitches = in.i32Within(0, 17, "the pitch count");
    for (int32_t i = 0; i < pitches; ++i)
        scale.Cents.push_back(in.f64());
    if (!in.atEnd())
        throw ReadError("bytes after the pitches");
    if (!IsUsableScale(scale))
        throw ReadError("the pitches are not 12 or 17 rising to the octave");
    return scale;
}

} // namespace

void WriteScaleBlock(const FretScale& scale, ByteWriter& out) {
    const std::string payload = payloadOf(scale);
    out.raw(Tag);
    out.u8(Version);
    out.i32(static_cast<int32_t>(payload.size()));
    out.raw(payload);
    hash(out, payload);
}

ScaleBlockRead ReadScaleBlock(ByteReader& in) {
    ByteReader at = in;
    if (at.remaining() < Tag.size() || at.raw(Tag.size()) != Tag)
        return {};
    const auto refused = [](const std::string& why) {
        return ScaleBlockRead{std::nullopt, "fret scale: " + why};
    };
    try {
        if (const uint8_t version = at.u8(); version != Version)
            return refused("written by a later version of this program (block version " +
                           std::to_string(version) + ")");
        const int32_t size = at.i32Within(1, MaxPayload, "the block's length");
        const std::string_view payload = at.raw(static_cast<size_t>(size));
        ByteWriter expected;
        hash(expected, payload);
        if (at.raw(8) != expected.bytes())
            return refused("the block is damaged (its check does not match)");
        FretScale scale = scaleOf(payload);
        in = at;
        return {std::move(scale), {}};
    } catch (const ReadError& e) {
        return refused(e.what());
    }
}

} // namespace vorn
