#pragma once
// Little-endian byte streams for the document and settings files.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Thrown when a reader runs past the end of its data or meets a value it cannot accept.
// Readers of whole files catch it and report failure; it never reaches the user.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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

class ByteReader {
public:
    explicit ByteReader(std::string_view data) : data_(data) {}

    uint8_t u8();
    int32_t i32();
    float f32();
    double f64();
    std::string_view raw(size_t n);
    std::string str(); // back to UTF-8

    size_t position() const { return pos_; }
    size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }

private:
    void need(size_t n) const;
    std::string_view data_;
    size_t pos_ = 0;
};

} // namespace vorn
