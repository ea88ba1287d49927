// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "chart/StatusLine.h"
#include "strings/StringPhysics.h"

namespace vorn {
namespace {

struct PitchCase {
    float pitch;
    const char* shown;
};

class PitchTextTest : public testing::TestWithParam<PitchCase> {};

TEST_P(PitchTextTest, RoundsHalfToEven) {
    EXPECT_EQ(PitchText(GetParam().pitch), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Pitches, PitchTextTest,
    testing::Values(PitchCase{415.0f, "Pitch: A=415"}, PitchCase{440.5f, "Pitch: A=440"},
                    PitchCase{441.5f, "Pitch: A=442"}, PitchCase{466.6f, "Pitch: A=467"},
                    PitchCase{2100.0f, "Pitch: A=2100"},
                    PitchCase{std::numeric_limits<float>::infinity(), "Pitch: A=inf"}));

struct BridgeCase {
    double tension;
    int unit;
    const char* shown;
};

class BridgeTextTest : public testing::TestWithParam<BridgeCase> {};

TEST_P(BridgeTextTest, ThreeDecimalsAndTheUnit) {
    EXPECT_EQ(BridgeText(GetParam().tension, GetParam().unit), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Tensions, BridgeTextTest,
                         testing::Values(BridgeCase{512.3456, tt_newtons, "Bridge: 512.346 N."},
                                         BridgeCase{0.0, tt_kilograms, "Bridge: 0.000 kg."},
                                         BridgeCase{1234.5, tt_pounds, "Bridge: 1234.500 lb."}));

} // namespace
} // namespace vorn
