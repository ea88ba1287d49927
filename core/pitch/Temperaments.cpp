// SPDX-License-Identifier: GPL-3.0-or-later

#include "pitch/Temperaments.h"

#include <array>
#include <cmath>

#include "io/NumberText.h"

namespace vorn {

namespace {

struct TemperamentDef {
    const char* name;
    double fraction;
    int slider;
};

const std::array<TemperamentDef, NamedTemperamentCount> Temperaments = {{
    {"1/3 Comma (Pure minor third)", 1.0 / 3.0, 68},
    {"2/7 Comma (Zarlino)", 2.0 / 7.0, 58},
    {"1/4 Comma (Pure major third)", 1.0 / 4.0, 50},
    {"1/5 Comma", 1.0 / 5.0, 40},
    {"1/6 Comma", 1.0 / 6.0, 34},
    {"1/6 Comma (Gerle-Dowland)", 1.0 / 6.05, 33},
    {"1/8 Comma", 1.0 / 8.0, 24},
    {"1/11 Comma (Equal Temperament)", 1.0 / 11.0, 18},
    {"Pythagorian Temperament", 0.0, 0},
}};

} // namespace

std::string TemperamentList() {
    std::string text;
    for (const auto& t : Temperaments) {
        text += t.name;
        text += "\r\n";
    }
    text += " ";
    return text;
}

std::string TemperamentName(int identifier, double fraction) {
    if (identifier >= 0 && identifier < NamedTemperamentCount)
        return Temperaments[identifier].name;
    if (identifier != CustomTemperament)
        return {};
    const double percent = std::nearbyint(fraction * 100.0);
    const std::string shown = std::isfinite(percent) && std::fabs(percent) < 1e15
                                  ? FixedText(percent == 0.0 ? 0.0 : percent, 0, 7)
                                  : std::string("      ?");
    return shown + "% Comma Meantone";
}

std::string TemperamentShortName(int identifier, double fraction) {
    const std::string name = TemperamentName(identifier, fraction);
    const size_t b = name.find_first_not_of(' ');
    const size_t e = name.find_last_not_of(' ');
    return b == std::string::npos ? std::string() : name.substr(b, e - b + 1);
}

double TemperamentFraction(int identifier) {
    if (identifier >= 0 && identifier < NamedTemperamentCount)
        return Temperaments[identifier].fraction;
    return 0.0;
}

int TemperamentSliderPosition(int identifier) {
    if (identifier >= 0 && identifier < NamedTemperamentCount)
        return Temperaments[identifier].slider;
    return -1;
}

} // namespace vorn
