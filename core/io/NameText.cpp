// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/NameText.h"

namespace vorn {

namespace {

bool continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at text[at] with its code point, or 0 when the
// bytes there start none (the table of well-formed sequences in the Unicode standard, 3.9).
size_t sequenceAt(std::string_view text, size_t at, char32_t& point) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong below
        else if (lead == 0xED)
            high = 0x9F; // surrogates above
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // beyond U+10FFFF above
    } else {
        return 0;
    }
    if (text.size() - at < length || byte(1) < low || byte(1) > high)
        return 0;
    char32_t p = lead & (0xFF >> (length + 1));
    for (size_t i = 1; i < length; ++i) {
        if (!continuation(byte(i)))
            return 0;
        p = (p << 6) | (byte(i) & 0x3F);
    }
    point = p;
    return length;
}

void appendHex(std::string& out, unsigned char c) {
    static constexpr char Digits[] = "0123456789abcdef";
    out += "\\x";
    out += Digits[c >> 4];
    out += Digits[c & 0xF];
}

} // namespace

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        char32_t point = 0;
        const size_t n = sequenceAt(text, at, point);
        if (n == 0) {
            out += "\xEF\xBF\xBD"; // U+FFFD
            ++at;
        } else {
            out.append(text.substr(at, n));
            at += n;
        }
    }
    return out;
}

std::string PrintableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        char32_t point = 0;
        size_t n = sequenceAt(text, at, point);
        if (point == '\n' && n == 1) {
            out += "\\n";
        } else if (point == '\r' && n == 1) {
            out += "\\r";
        } else if (point == '\t' && n == 1) {
            out += "\\t";
        } else if (n == 0 || point < 0x20 || (point >= 0x7F && point <= 0x9F)) {
            n = n == 0 ? 1 : n;
            for (size_t i = 0; i < n; ++i)
                appendHex(out, static_cast<unsigned char>(text[at + i]));
        } else {
            out.append(text.substr(at, n));
        }
        at += n;
    }
    return out;
}

std::string ShortQuote(std::string_view text, std::size_t limit) {
    std::size_t end = 0, characters = 0;
    while (end < text.size() && characters < limit) {
        ++end;
        // Continuation bytes belong to the character before them.
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        ++characters;
    }
    std::string quoted(text.substr(0, end));
    if (end < text.size())
        quoted += "\xE2\x80\xA6"; // …
    return quoted;
}

} // namespace vorn
