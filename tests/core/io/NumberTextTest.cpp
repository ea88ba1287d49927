// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "io/NumberText.h"

using namespace vorn;

namespace {

// printf in the "C" locale is what the texts have always been; it is the reference here only.
class CNumbers {
public:
    CNumbers() : saved_(std::setlocale(LC_NUMERIC, nullptr)) { std::setlocale(LC_NUMERIC, "C"); }
    ~CNumbers() { std::setlocale(LC_NUMERIC, saved_.c_str()); }

private:
    std::string saved_;
};

template <class... A> std::string printed(const char* format, A... args) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

// Ties in binary (0.125, 2.5), near-ties in decimal (1.005, 2.675), signed zeros, the edges of
// the range and of the exponent switch of %g, and what the program writes (76.049 cents).
std::vector<long double> awkwardValues() {
    // clang-format off
    std::vector<long double> v = {
        0.0L, -0.0L, 0.5L, 1.5L, 2.5L, -2.5L, 0.125L, 0.375L, -0.125L, 1.005L, 2.675L, 56.405L,
        76.049L, -0.001L, -0.004L, 0.0001L, 0.00009999L, 123456789.125L, 999999999999999.5L,
        1e15L, 1e16L, 1e22L, 59.2999992370605L, static_cast<long double>(59.3f),
        static_cast<long double>(DBL_MIN), static_cast<long double>(FLT_MAX),
        std::numeric_limits<long double>::infinity(), -std::numeric_limits<long double>::infinity(),
        std::numeric_limits<long double>::quiet_NaN()};
    // clang-format on
    // Random values over the magnitudes the program meets, with a fixed seed.
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-6, 8);
    for (int i = 0; i < 3000; ++i)
        v.push_back(mantissa(random) * std::pow(10.0L, exponent(random)));
    // Decimal halves at the second and third decimal (x.xx5), which binary holds a hair above
    // or below, and eighths, which are exact ties at two decimals and at none.
    for (int i = 0; i < 400; ++i)
        v.push_back((2 * i + 1) / 200.0L + i);
    for (int i = 0; i < 400; ++i)
        v.push_back((2 * i + 1) / 2000.0L);
    for (int i = -80; i < 400; ++i)
        v.push_back(i / 8.0L);
    return v;
}

struct FormatCase {
    const char* name;
    // The helper's text and printf's for the same value.
    std::string (*helper)(long double);
    std::string (*reference)(long double);
};

// clang-format off
const FormatCase Formats[] = {
    {"fixed_5",        [](long double v) { return FixedText(double(v), 5); },
                       [](long double v) { return printed("%.5f", double(v)); }},
    {"fixed_0",        [](long double v) { return FixedText(double(v), 0); },
                       [](long double v) { return printed("%.0f", double(v)); }},
    {"fixed_4",        [](long double v) { return FixedText(double(v), 4); },
                       [](long double v) { return printed("%.4f", double(v)); }},
    {"fixed_2_long",   [](long double v) { return FixedText(v, 2); },
                       [](long double v) { return printed("%.2Lf", v); }},
    {"width_7_2",      [](long double v) { return FixedText(double(v), 2, 7); },
                       [](long double v) { return printed("%7.2f", double(v)); }},
    {"width_7_0",      [](long double v) { return FixedText(double(v), 0, 7); },
                       [](long double v) { return printed("%7.0f", double(v)); }},
    {"width_5_2_long", [](long double v) { return FixedText(v, 2, 5); },
                       [](long double v) { return printed("%5.2Lf", v); }},
    {"general_15",     [](long double v) { return GeneralText(double(v), 15); },
                       [](long double v) { return printed("%.15g", double(v)); }},
    {"general_15_long",[](long double v) { return GeneralText(v, 15); },
                       [](long double v) { return printed("%.15Lg", v); }},
    {"general_6",      [](long double v) { return GeneralText(double(v), 6); },
                       [](long double v) { return printed("%.6g", double(v)); }},
};
// clang-format on

class NumberTextFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberTextFormat, WritesWhatPrintfWritesInTheCLocale) {
    const CNumbers c;
    const FormatCase& f = GetParam();
    int differences = 0;
    for (long double v : awkwardValues()) {
        const std::string expected = f.reference(v);
        if (f.helper(v) != expected && ++differences <= 5)
            ADD_FAILURE() << f.name << " of " << printed("%.21Lg", v) << ": " << f.helper(v)
                          << " instead of " << expected;
    }
    EXPECT_EQ(differences, 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, NumberTextFormat, ::testing::ValuesIn(Formats),
                         [](const auto& info) { return std::string(info.param.name); });

struct WholeCase {
    long long value;
    int width;
    bool zeros;
    const char* shown;
};

class WholeTextTest : public ::testing::TestWithParam<WholeCase> {};

TEST_P(WholeTextTest, PadsAsPrintfDoes) {
    const WholeCase& c = GetParam();
    EXPECT_EQ(WholeText(c.value, c.width, c.zeros), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Values, WholeTextTest,
    ::testing::Values(WholeCase{55, 4, false, "  55"}, WholeCase{-5, 4, false, "  -5"},
                      WholeCase{12345, 3, false, "12345"}, WholeCase{78, 3, true, "078"},
                      WholeCase{-7, 3, true, "-07"}, WholeCase{5078, 3, true, "5078"},
                      WholeCase{0, 0, false, "0"}, WholeCase{13, 0, true, "13"}));

TEST(NumberText, FormatShortest) {
    EXPECT_EQ(FormatShortest(35.21f), "35.21");
    EXPECT_EQ(FormatShortest(1.0f), "1");
    EXPECT_EQ(FormatShortest(0.001f), "0.001");
    EXPECT_EQ(FormatShortest(1.118f), "1.118");
    EXPECT_EQ(FormatShortest(1e6f), "1000000");
}

TEST(NumberText, ParseNumberIsStrict) {
    const std::pair<const char*, double> good[] = {
        {"1.5", 1.5}, {"-2", -2}, {"+3.25", 3.25}, {".5", 0.5}, {"60", 60}};
    for (const auto& [text, expected] : good) {
        double v = -99;
        EXPECT_TRUE(ParseNumber(text, v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
    for (const char* text : {"", "+", "-", "1,5", "abc", "1.5x", " 1", "1 ", "1e3", "inf", "nan",
                             "+-1", "--1", "++1"}) {
        double v = 7;
        EXPECT_FALSE(ParseNumber(text, v)) << text;
        EXPECT_EQ(v, 7) << "untouched on failure: " << text;
    }
}

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

INSTANTIATE_TEST_SUITE_P(Values, RoundTies,
                         ::testing::Values(RoundCase{0.125L, -2, 0.12L},
                                           RoundCase{0.375L, -2, 0.38L}, RoundCase{0.5L, 0, 0},
                                           RoundCase{1.5L, 0, 2}, RoundCase{2.5L, 0, 2},
                                           RoundCase{-1.5L, 0, -2}, RoundCase{1250, 2, 1200},
                                           RoundCase{1350, 2, 1400}, RoundCase{0.1234L, -3, 0.123L},
                                           RoundCase{59.9979L, -2, 60}));

TEST(NumberText, RoundingIgnoresAndRestoresTheCallersMode) {
    const int saved = std::fegetround();
    std::fesetround(FE_UPWARD);
    EXPECT_EQ(RoundToDigits(0.5L, 0), 0.0L);
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    std::fesetround(FE_DOWNWARD);
    EXPECT_EQ(RoundToDigits(1.5L, 0), 2.0L);
    EXPECT_EQ(std::fegetround(), FE_DOWNWARD);
    std::fesetround(saved);
}

TEST(NumberText, RoundingDigitsOutsideTheTableThrow) {
    EXPECT_NO_THROW(RoundToDigits(1, 20));
    EXPECT_NO_THROW(RoundToDigits(1, -20));
    EXPECT_THROW(RoundToDigits(1, 21), std::out_of_range);
    EXPECT_THROW(RoundToDigits(1, -21), std::out_of_range);
}

struct RoundedCase {
    long double value;
    int digits;
    char decimal;
    const char* shown;
};

class RoundedTextTest : public ::testing::TestWithParam<RoundedCase> {};

TEST_P(RoundedTextTest, RoundedThenShortest) {
    const RoundedCase& c = GetParam();
    EXPECT_EQ(RoundedText(c.value, c.digits, c.decimal), c.shown);
}

constexpr long double Infinity = std::numeric_limits<long double>::infinity();

// Digits outside -20..20 and values that are not finite are shown as they stand.
INSTANTIATE_TEST_SUITE_P(
    Values, RoundedTextTest,
    ::testing::Values(RoundedCase{62.50L, -2, '.', "62.5"}, RoundedCase{63.0L, -2, '.', "63"},
                      RoundedCase{0.125L, -2, '.', "0.12"}, RoundedCase{0.135L, -2, '.', "0.14"},
                      RoundedCase{1.0005L, -3, '.', "1"}, RoundedCase{62.5L, -2, ',', "62,5"},
                      RoundedCase{-0.001L, -2, '.', "0"}, RoundedCase{3.3689L, -2, '.', "3.37"},
                      RoundedCase{3.3689L, -21, '.', "3.3689"},
                      RoundedCase{3.3689L, 99, ',', "3,3689"},
                      RoundedCase{1234.5L, 21, '.', "1234.5"},
                      RoundedCase{Infinity, -2, '.', "inf"},
                      RoundedCase{-Infinity, 30, '.', "-inf"}));

TEST(NumberText, RoundedOrKeptKeepsWhatCannotBeRounded) {
    EXPECT_EQ(RoundedOrKept(2.5L, 0), 2.0L);
    EXPECT_EQ(RoundedOrKept(1234.5L, 20), 0.0L);
    EXPECT_EQ(RoundedOrKept(1234.5L, 21), 1234.5L);
    EXPECT_EQ(RoundedOrKept(0.125L, -21), 0.125L);
    EXPECT_TRUE(std::isnan(RoundedOrKept(std::numeric_limits<long double>::quiet_NaN(), -2)));
}

struct LocalCase {
    const char* text;
    const char* point;
    const char* shown;
};

class LocalDecimalsTest : public ::testing::TestWithParam<LocalCase> {};

TEST_P(LocalDecimalsTest, OnlyPointsBetweenDigitsChange) {
    const LocalCase& c = GetParam();
    EXPECT_EQ(LocalDecimals(c.text, c.point), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Values, LocalDecimalsTest,
                         ::testing::Values(LocalCase{"1.25 kg.", ",", "1,25 kg."},
                                           LocalCase{"A = 415.3 Hz.", ",", "A = 415,3 Hz."},
                                           LocalCase{".5 and 5. stay", ",", ".5 and 5. stay"},
                                           LocalCase{"1.2.3", ",", "1,2,3"},
                                           LocalCase{"1.25", ".", "1.25"},
                                           LocalCase{"0.72 / 1.5", "\xd9\xab",
                                                     "0\xd9\xab"
                                                     "72 / 1\xd9\xab"
                                                     "5"},
                                           LocalCase{"", ",", ""}, LocalCase{".", ",", "."}));

} // namespace
