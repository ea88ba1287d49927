// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>

#include "strings/StringPhysics.h"

namespace vorn {
namespace {

TEST(StringPhysics, WorkedExampleAndItsInverses) {
    // pi * 1.35f * (1 * 60 * 392)^2 / 1e7
    EXPECT_NEAR(CalcTension(1.35f, 1.0f, 60, 392), 234.6163551947877L, 1e-9);
    // As the fields store them.
    EXPECT_EQ(static_cast<float>(RoundToDigits(CalcDiameter(60, 392, 234.6L, 1.35f), -3)), 1.0f);
    EXPECT_EQ(static_cast<float>(RoundToDigits(CalcLength(1.35f, 234.6L, 392, 1.0f), -2)), 60.0f);
}

struct PhysicsCase {
    float rho, d, L;
    double f;
};
class FormulaInverses : public ::testing::TestWithParam<PhysicsCase> {};

TEST_P(FormulaInverses, DiameterAndLengthUndoTension) {
    const auto& c = GetParam();
    const long double T = CalcTension(c.rho, c.d, c.L, c.f);
    // The diameter passes through a 32-bit float; the length does not.
    EXPECT_NEAR(CalcDiameter(c.L, c.f, T, c.rho), c.d, c.d * 2e-7);
    EXPECT_NEAR(CalcLength(c.rho, T, c.f, c.d), c.L, c.L * 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Strings, FormulaInverses,
                         ::testing::Values(PhysicsCase{1.35f, 1.0f, 60, 392},
                                           PhysicsCase{1.08f, 0.42f, 67.5f, 440},
                                           PhysicsCase{8.89f, 1.95f, 150, 43.65},
                                           PhysicsCase{1.776f, 0.3f, 88, 659.26},
                                           PhysicsCase{1.3f, 3.2f, 180, 27.5}));

TEST(StringPhysics, TensionUnits) {
    EXPECT_EQ(ToNewtons(1, tt_kilograms), 9.80665L);
    EXPECT_EQ(ToNewtons(1, tt_pounds), 4.448221615L);
    EXPECT_NEAR(FromNewtons(9.80665L, tt_kilograms, -2), 1.0L, 1e-15L);
    EXPECT_NEAR(FromNewtons(10, tt_pounds, -2), 2.25L, 1e-15L);
    EXPECT_NEAR(FromNewtons(1, tt_kilograms, -4), 0.102L, 1e-15L);
    EXPECT_NEAR(FromNewtons(12.346L, 9, -2), 12.35L, 1e-15L);
}

} // namespace
} // namespace vorn
