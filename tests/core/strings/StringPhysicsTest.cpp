#include <cfenv>
#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>

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

struct RoundCase {
    long double x;
    int k;
    long double expected;
};
class RoundTies : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundTies, NearestWithTiesToEven) {
    const auto& c = GetParam();
    EXPECT_NEAR(RoundToDigits(c.x, c.k), c.expected, 1e-15L);
}

INSTANTIATE_TEST_SUITE_P(Strings, RoundTies,
                         ::testing::Values(RoundCase{0.125L, -2, 0.12L},
                                           RoundCase{0.375L, -2, 0.38L}, RoundCase{0.5L, 0, 0},
                                           RoundCase{1.5L, 0, 2}, RoundCase{2.5L, 0, 2},
                                           RoundCase{-1.5L, 0, -2}, RoundCase{1250, 2, 1200},
                                           RoundCase{1350, 2, 1400}, RoundCase{0.1234L, -3, 0.123L},
                                           RoundCase{59.9979L, -2, 60}));

TEST(StringPhysics, RoundingIgnoresAndRestoresTheCallersMode) {
    const int saved = std::fegetround();
    std::fesetround(FE_UPWARD);
    EXPECT_EQ(RoundToDigits(0.5L, 0), 0.0L);
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    std::fesetround(FE_DOWNWARD);
    EXPECT_EQ(RoundToDigits(1.5L, 0), 2.0L);
    EXPECT_EQ(std::fegetround(), FE_DOWNWARD);
    std::fesetround(saved);
}

TEST(StringPhysics, RoundingDigitsOutsideTheTableThrow) {
    EXPECT_NO_THROW(RoundToDigits(1, 20));
    EXPECT_NO_THROW(RoundToDigits(1, -20));
    EXPECT_THROW(RoundToDigits(1, 21), std::out_of_range);
    EXPECT_THROW(RoundToDigits(1, -21), std::out_of_range);
}

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
