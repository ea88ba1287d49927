// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/FileHeader.h"
#include "io/Real48.h"
#include "support/Bytes.h"

namespace vorn {
namespace {

using testing::Bytes;

TEST(Real48, KnownBytes) {
    // 2^(e-129) * (1 + f/2^39), worked out by hand; 3.2 = 2 * 1.6 with f = 0.6 * 2^39 rounded.
    const std::pair<double, std::string> cases[] = {
        {2.0, Bytes({0x82, 0, 0, 0, 0, 0})},
        {1.0, Bytes({0x81, 0, 0, 0, 0, 0})},
        {0.5, Bytes({0x80, 0, 0, 0, 0, 0})},
        {3.0, Bytes({0x82, 0, 0, 0, 0, 0x40})},
        {-1.0, Bytes({0x81, 0, 0, 0, 0, 0x80})},
        {0.0, Bytes({0, 0, 0, 0, 0, 0})},
        {3.2, Bytes({0x82, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C})},
    };
    for (const auto& [value, bytes] : cases) {
        ByteWriter out;
        WriteReal48(out, value);
        EXPECT_EQ(out.bytes(), bytes) << value;
        EXPECT_NEAR(DecodeReal48(bytes), value, 1e-11) << value;
        ByteReader in(bytes);
        EXPECT_EQ(ReadVersion(in), value == 2.0 || value == 1.0 ? value : 0) << value;
    }
    EXPECT_EQ(DecodeReal48(Bytes({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})), 0.0);
}

} // namespace
} // namespace vorn
