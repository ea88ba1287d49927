// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Little-endian byte input for the document and settings files, with the checked reads the
// file readers share.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vorn {

// Thrown when a reader runs past the end of its data or meets a value it cannot accept.
// Readers of whole files catch it and report failure; it never reaches the user.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ByteReader {
public:
    explicit ByteReader(std::string_view data) : data_(data) {}

    uint8_t u8();
    int32_t i32();
    float f32();
    double f64();
    std::string_view raw(size_t n);
    // A length byte and that many UTF-16LE code units, as they stand or as UTF-8 (unpaired
    // surrogates become U+FFFD).
    std::u16string units();
    std::string str();
    void skipStr();

    // Reads that refuse a value with ReadError(what): a float that is not finite, a byte
    // above max, a 32-bit integer outside [min, max].
    float finiteF32(const char* what);
    uint8_t u8AtMost(uint8_t max, const char* what);
    int32_t i32Within(int32_t min, int32_t max, const char* what);

    size_t position() const { return pos_; }
    size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }

private:
    void need(size_t n) const;
    std::string_view data_;
    size_t pos_ = 0;
};

} // namespace vorn
