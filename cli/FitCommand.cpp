// SPDX-License-Identifier: GPL-3.0-or-later

#include "FitCommand.h"

#include <cmath>
#include <sstream>

#include "CalcOptions.h"
#include "CalcOutput.h"
#include "io/NumberText.h"
#include "pitch/Temperaments.h"

namespace vorn::calc {

using nlohmann::ordered_json;

namespace {

std::string padLeft(const std::string& s, size_t width) {
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

// Without a minus sign on a figure that rounds to zero.
std::string signedText(double value, int decimals, int width) {
    const double unit = std::pow(10.0, -decimals) / 2;
    return FixedText(std::fabs(value) < unit ? 0.0 : value, decimals, width);
}

} // namespace

FitInput FitInputOf(const std::string& length, const std::string& frets) {
    FitInput in;
    const std::string refusal = ReadFitInput(length, frets, in);
    if (!refusal.empty())
        throw UsageError("fit: " + refusal);
    return in;
}

ordered_json FitJson(const FitResult& r) {
    ordered_json choices = ordered_json::array();
    for (uint8_t c : r.Choices)
        choices.push_back(c);
    ordered_json frets = ordered_json::array();
    for (const FittedFret& f : r.Frets)
        frets.push_back(ordered_json{{"fret", f.Fret},
                                     {"measured", f.Measured},
                                     {"fitted", f.Fitted},
                                     {"error_mm", f.ErrorMm},
                                     {"error_cents", f.ErrorCents},
                                     {"choice", f.Choice}});
    return ordered_json{{"comma_fraction", r.CommaFraction},
                        {"nearest", TemperamentName(r.Nearest, 0)},
                        {"rms_cents", r.RmsCents},
                        {"choices", choices},
                        {"frets", frets}};
}

std::string FitTable(const FitResult& r) {
    const SliderTemperament slider = SliderTemperamentOf(r.CommaFraction);
    std::ostringstream s;
    s << "Comma fraction: " << FixedText(r.CommaFraction, 3) << "\n"
      << "Nearest temperament: " << TemperamentName(r.Nearest, 0) << "\n"
      << "On the fret chart: " << TemperamentShortName(slider.Identifier, slider.Fraction) << "\n"
      << "RMS error: " << FixedText(r.RmsCents, 2) << " cents\n\n"
      << "Fret  Typ  Measured    Fitted   Error mm  Error cents\n";
    for (const FittedFret& f : r.Frets) {
        const std::string typ = FretChoiceText(f.Choice);
        s << padLeft(std::to_string(f.Fret), 4) << "  " << typ << std::string(3 - typ.size(), ' ')
          << FixedText(f.Measured, 2, 9) << " cm" << FixedText(f.Fitted, 2, 7) << " cm"
          << signedText(f.ErrorMm, 2, 11) << signedText(f.ErrorCents, 2, 13) << "\n";
    }
    return s.str();
}

int RunFit(const std::string& length, const std::string& frets, bool json, std::ostream& out) {
    const FitResult r = FitTemperament(FitInputOf(length, frets));
    if (!r.Refusal.empty())
        throw UsageError("fit: " + r.Refusal);
    // A fit that leaves a fret far off is no answer: no temperament is named.
    if (!r.Doubt.empty())
        throw UsageError("fit: " + r.Doubt);
    if (json)
        out << JsonText(FitJson(r));
    else
        out << FitTable(r);
    return 0;
}

} // namespace vorn::calc
