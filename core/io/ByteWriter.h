// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Little-endian byte output for the document and settings files.

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

class ByteWriter {
public:
    void u8(uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
    void i32(int32_t v);
    void f32(float v);
    void f64(double v);
    void raw(std::string_view data) { bytes_.append(data); }
    // UTF-8 text stored as a length byte and UTF-16LE code units; cut at 255 code units.
    void str(std::string_view utf8);

    const std::string& bytes() const { return bytes_; }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

} // namespace vorn
