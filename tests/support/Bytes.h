// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Byte strings for the file format tests: written out by value, or patched in place.

#include <cstring>
#include <initializer_list>
#include <string>

namespace vorn::testing {

// {0x82, 0, 'V'} as the bytes 82 00 56.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

// Overwrites the bytes at `at` with v as it lies in memory (little-endian).
template <class T> void Put(std::string& bytes, size_t at, T v) {
    std::memcpy(bytes.data() + at, &v, sizeof(T));
}

} // namespace vorn::testing
