// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The 6-byte real of the older Pascal file formats: exponent byte, 39-bit fraction, sign in
// bit 7 of the last byte; 0 when the exponent byte is 0. Range about 2.9e-39 to 1.7e38.

#include <string_view>

namespace vorn {

class ByteReader;
class ByteWriter;

// DecodeReal48 needs exactly six bytes (std::invalid_argument otherwise).
double DecodeReal48(std::string_view sixBytes);
double ReadReal48(ByteReader& in);
// The nearest 6-byte real; magnitudes below its range become 0. Throws std::out_of_range
// for values above its range and for NaN.
void WriteReal48(ByteWriter& out, double value);

} // namespace vorn
