// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/Real48.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "io/ByteReader.h"
#include "io/ByteWriter.h"

namespace vorn {

namespace {

constexpr double Fraction39 = 549755813888.0; // 2^39

} // namespace

double DecodeReal48(std::string_view b) {
    if (b.size() != 6)
        throw std::invalid_argument("a 6-byte real needs six bytes");
    const auto byte = [&](int i) { return static_cast<uint8_t>(b[i]); };
    const int exponent = byte(0);
    if (exponent == 0)
        return 0;
    uint64_t fraction = byte(5) & 0x7F;
    for (int i = 4; i >= 1; --i)
        fraction = (fraction << 8) | byte(i);
    const double magnitude =
        std::ldexp(1.0 + static_cast<double>(fraction) / Fraction39, exponent - 129);
    return (byte(5) & 0x80) ? -magnitude : magnitude;
}

double ReadReal48(ByteReader& in) {
    return DecodeReal48(in.raw(6));
}

void WriteReal48(ByteWriter& out, double value) {
    if (std::isnan(value))
        throw std::out_of_range("NaN has no 6-byte real");
    uint8_t b[6] = {};
    if (value != 0) {
        int exp2 = 0;
        const double m = std::frexp(std::fabs(value), &exp2); // |value| = m * 2^exp2, m in [0.5, 1)
        int exponent = exp2 + 128;
        auto fraction = static_cast<uint64_t>(std::nearbyint((2 * m - 1) * Fraction39));
        if (fraction == static_cast<uint64_t>(Fraction39)) {
            fraction = 0;
            ++exponent;
        }
        if (exponent > 255)
            throw std::out_of_range("value too large for a 6-byte real");
        if (exponent >= 1) {
            b[0] = static_cast<uint8_t>(exponent);
            for (int i = 1; i <= 5; ++i) {
                b[i] = static_cast<uint8_t>(fraction & 0xFF);
                fraction >>= 8;
            }
            if (value < 0)
                b[5] |= 0x80;
        }
    }
    for (uint8_t v : b)
        out.u8(v);
}

} // namespace vorn
