// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/ByteWriter.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vorn {

static_assert(std::endian::native == std::endian::little, "file fields are little-endian");

namespace {

template <class T> void putRaw(std::string& out, T v) {
    char buf[sizeof(T)];
    std::memcpy(buf, &v, sizeof(T));
    out.append(buf, sizeof(T));
}

// Decodes UTF-8 into UTF-16 code units; malformed bytes become U+FFFD.
std::u16string toUtf16(std::string_view s) {
    std::u16string out;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp = 0xFFFD;
        size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c >> 5) == 0x6 && i + 1 < s.size()) {
            cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
            len = 2;
        } else if ((c >> 4) == 0xE && i + 2 < s.size()) {
            cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
            len = 3;
        } else if ((c >> 3) == 0x1E && i + 3 < s.size()) {
            cp = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 12) |
                 ((static_cast<unsigned char>(s[i + 2]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(s[i + 3]) & 0x3Fu);
            len = 4;
        }
        i += len;
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else if (cp > 0x10FFFF) {
            out.push_back(u'\uFFFD');
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

} // namespace

void ByteWriter::i32(int32_t v) {
    putRaw(bytes_, v);
}
void ByteWriter::f32(float v) {
    putRaw(bytes_, v);
}
void ByteWriter::f64(double v) {
    putRaw(bytes_, v);
}

void ByteWriter::str(std::string_view utf8) {
    std::u16string units = toUtf16(utf8);
    // The length is one byte: longer texts are cut rather than wrapped, and never in the
    // middle of a surrogate pair.
    size_t n = std::min<size_t>(units.size(), 255);
    if (n == 255 && units[254] >= 0xD800 && units[254] <= 0xDBFF)
        n = 254;
    u8(static_cast<uint8_t>(n));
    for (size_t i = 0; i < n; ++i) {
        u8(static_cast<uint8_t>(units[i] & 0xFF));
        u8(static_cast<uint8_t>(units[i] >> 8));
    }
}

} // namespace vorn
