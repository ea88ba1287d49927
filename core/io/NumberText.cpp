// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/NumberText.h"

#include <algorithm>
#include <array>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <system_error>

namespace vorn {

namespace {

constexpr int MostDecimals = 60;

// Fixed notation of the largest long double has 4933 digits before the point.
constexpr std::size_t LongestFixed = 4940 + MostDecimals;

template <class Value, class... Format> std::string written(Value value, Format... format) {
    char buffer[80];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format...);
    if (result.ec == std::errc())
        return std::string(buffer, result.ptr);
    std::string text(LongestFixed, '\0');
    result = std::to_chars(text.data(), text.data() + text.size(), value, format...);
    text.resize(result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - text.data()) : 0);
    return text;
}

int decimalsWithin(int decimals) {
    return std::clamp(decimals, 0, MostDecimals);
}

int digitsWithin(int digits) {
    return std::clamp(digits, 1, MostDecimals);
}

std::string padded(std::string text, int width) {
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

constexpr int MinDigits = -20;
constexpr int MaxDigits = 20;

struct PowerPair {
    long double Scale;   // 10^k
    long double Inverse; // 10^-k
};

constexpr long double PowerOfTen(int n) {
    // Positive powers up to 10^20 are exact in the 64-bit mantissa; negative ones are a
    // single correctly rounded division.
    long double p = 1.0L;
    for (int i = 0; i < (n < 0 ? -n : n); ++i)
        p *= 10.0L;
    return n < 0 ? 1.0L / p : p;
}

constexpr std::array<PowerPair, MaxDigits - MinDigits + 1> MakePowerTable() {
    std::array<PowerPair, MaxDigits - MinDigits + 1> table{};
    for (int k = MinDigits; k <= MaxDigits; ++k)
        table[k - MinDigits] = {PowerOfTen(k), PowerOfTen(-k)};
    return table;
}

constexpr auto PowerTable = MakePowerTable();

// Forces round-to-nearest-even for one scope, whatever the caller set.
class NearestRounding {
public:
    NearestRounding() : saved_(std::fegetround()) { std::fesetround(FE_TONEAREST); }
    ~NearestRounding() { std::fesetround(saved_); }
    NearestRounding(const NearestRounding&) = delete;
    NearestRounding& operator=(const NearestRounding&) = delete;

private:
    int saved_;
};

} // namespace

std::string FixedText(double value, int decimals) {
    return written(value, std::chars_format::fixed, decimalsWithin(decimals));
}

std::string FixedText(long double value, int decimals) {
    return written(value, std::chars_format::fixed, decimalsWithin(decimals));
}

std::string FixedText(double value, int decimals, int width) {
    return padded(FixedText(value, decimals), width);
}

std::string FixedText(long double value, int decimals, int width) {
    return padded(FixedText(value, decimals), width);
}

std::string GeneralText(double value, int digits) {
    return written(value, std::chars_format::general, digitsWithin(digits));
}

std::string GeneralText(long double value, int digits) {
    return written(value, std::chars_format::general, digitsWithin(digits));
}

std::string FormatShortest(float value) {
    return written(value, std::chars_format::fixed);
}

std::string WholeText(long long value, int width, bool zeros) {
    std::string text = written(value);
    if (!zeros)
        return padded(std::move(text), width);
    const std::size_t sign = value < 0 ? 1 : 0;
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(sign, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

bool ParseNumber(const std::string& text, double& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    // from_chars takes '-' but not '+'; a second sign stays malformed.
    if (first != last && *first == '+') {
        ++first;
        if (first != last && (*first == '-' || *first == '+'))
            return false;
    }
    if (first == last)
        return false;
    double parsed = 0;
    // fixed: no exponent. from_chars may still read "inf" and "nan"; isfinite turns them away.
    const auto result = std::from_chars(first, last, parsed, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

long double RoundToDigits(long double x, int k) {
    if (k < MinDigits || k > MaxDigits)
        throw std::out_of_range("RoundToDigits: power of ten outside -20..20");
    const PowerPair& pair = PowerTable[k - MinDigits];
    NearestRounding nearest;
    // volatile keeps the product and the rounding inside the forced mode.
    volatile long double scaled = x * pair.Inverse;
    const long double whole = std::nearbyint(static_cast<long double>(scaled));
    return whole * pair.Scale;
}

long double RoundedOrKept(long double value, int digits) {
    if (!std::isfinite(value) || digits < MinDigits || digits > MaxDigits)
        return value;
    return RoundToDigits(value, digits);
}

std::string RoundedText(long double value, int digits, char decimalPoint) {
    std::string text = GeneralText(RoundedOrKept(value, digits), 15);
    if (text == "-0")
        text = "0";
    std::replace(text.begin(), text.end(), '.', decimalPoint);
    return text;
}

std::string LocalDecimals(const std::string& text, const std::string& point) {
    if (point == ".")
        return text;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '.' && i > 0 && i + 1 < text.size() && digit(text[i - 1]) &&
            digit(text[i + 1]))
            out += point;
        else
            out += text[i];
    }
    return out;
}

} // namespace vorn
