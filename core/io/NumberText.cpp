#include "io/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

} // namespace vorn
