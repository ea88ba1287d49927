#include "io/ByteStream.h"

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

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string toUtf8(const std::u16string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t u = s[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            u = 0x10000 + ((u - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            u = 0xFFFD;
        }
        appendUtf8(out, u);
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

void ByteReader::need(size_t n) const {
    if (remaining() < n)
        throw ReadError("unexpected end of data");
}

uint8_t ByteReader::u8() {
    need(1);
    return static_cast<uint8_t>(data_[pos_++]);
}

template <class T> static T getRaw(std::string_view data, size_t& pos) {
    T v;
    std::memcpy(&v, data.data() + pos, sizeof(T));
    pos += sizeof(T);
    return v;
}

int32_t ByteReader::i32() {
    need(4);
    return getRaw<int32_t>(data_, pos_);
}

float ByteReader::f32() {
    need(4);
    return getRaw<float>(data_, pos_);
}

double ByteReader::f64() {
    need(8);
    return getRaw<double>(data_, pos_);
}

std::string_view ByteReader::raw(size_t n) {
    need(n);
    std::string_view v = data_.substr(pos_, n);
    pos_ += n;
    return v;
}

std::string ByteReader::str() {
    size_t n = u8();
    need(2 * n);
    std::u16string units;
    units.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        uint8_t lo = u8();
        uint8_t hi = u8();
        units.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return toUtf8(units);
}

} // namespace vorn
