// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/ByteReader.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace vorn {

static_assert(std::endian::native == std::endian::little, "file fields are little-endian");

namespace {

template <class T> T getRaw(std::string_view data, size_t& pos) {
    T v;
    std::memcpy(&v, data.data() + pos, sizeof(T));
    pos += sizeof(T);
    return v;
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

void ByteReader::need(size_t n) const {
    if (remaining() < n)
        throw ReadError("unexpected end of data");
}

uint8_t ByteReader::u8() {
    need(1);
    return static_cast<uint8_t>(data_[pos_++]);
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

std::u16string ByteReader::units() {
    const size_t n = u8();
    need(2 * n);
    std::u16string units(n, u'\0');
    for (size_t i = 0; i < n; ++i) {
        const uint8_t lo = u8();
        const uint8_t hi = u8();
        units[i] = static_cast<char16_t>(lo | (hi << 8));
    }
    return units;
}

std::string ByteReader::str() {
    return toUtf8(units());
}

void ByteReader::skipStr() {
    raw(2 * static_cast<size_t>(u8()));
}

float ByteReader::finiteF32(const char* what) {
    const float v = f32();
    if (!std::isfinite(v))
        throw ReadError(what);
    return v;
}

uint8_t ByteReader::u8AtMost(uint8_t max, const char* what) {
    const uint8_t v = u8();
    if (v > max)
        throw ReadError(what);
    return v;
}

int32_t ByteReader::i32Within(int32_t min, int32_t max, const char* what) {
    const int32_t v = i32();
    if (v < min || v > max)
        throw ReadError(what);
    return v;
}

} // namespace vorn
