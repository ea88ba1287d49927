// SPDX-License-Identifier: GPL-3.0-or-later

#include "frets/TemperamentFit.h"

#include <algorithm>
#include <cmath>

#include "document/InstDataType.h"
#include "frets/FretFrorm.h"
#include "io/NameText.h"
#include "io/NumberText.h"
#include "pitch/Intervals.h"
#include "pitch/Temperaments.h"

namespace vorn {

namespace {

// Cents a stopped string sounds above the open one, length and distance in one unit.
double centsOfDistance(double length, double distance) {
    return 1200.0 * std::log2(length / (length - distance));
}

std::string cm(double value) {
    return GeneralText(value, 6) + " cm";
}

FretRecord recordWith(double length, const FretChoices& choices) {
    FretRecord r;
    r.Length = length;
    r.Choices = choices;
    r.Prepare();
    return r;
}

// Every measured fret where the fitted record puts it; the rms error in cents.
double listFrets(const FitInput& input, const FretRecord& fitted, double fifth,
                 const std::array<double, 11>& measuredCents, std::vector<FittedFret>& frets) {
    double sum = 0;
    for (int fret = 1; fret <= 11; ++fret) {
        if (!input.Distances[fret - 1])
            continue;
        FittedFret f;
        f.Fret = fret;
        f.Measured = *input.Distances[fret - 1];
        const double cents = MainCents(fitted, fifth, fret);
        f.Fitted = FretDistance(input.Length, cents);
        f.ErrorMm = (f.Measured - f.Fitted) * 10.0;
        f.ErrorCents = measuredCents[fret - 1] - cents;
        f.Choice = fitted.Entry(fret).Choice;
        sum += f.ErrorCents * f.ErrorCents;
        frets.push_back(f);
    }
    return std::sqrt(sum / static_cast<double>(frets.size()));
}

// The named temperament whose fraction is closest.
int nearestNamed(double commaFraction) {
    int nearest = 0;
    double nearestGap = HUGE_VAL;
    for (int id = 0; id < NamedTemperamentCount; ++id) {
        const double gap = std::fabs(TemperamentFraction(id) - commaFraction);
        if (gap < nearestGap) {
            nearestGap = gap;
            nearest = id;
        }
    }
    return nearest;
}

} // namespace

bool FitDecidesFret(int fret) {
    return fret >= 1 && fret <= 11 && fret != 2 && fret != 5 && fret != 7;
}

std::string FitRefusal(const FitInput& input) {
    const double length = input.Length;
    if (!std::isfinite(length) || length < TopLengthRange.Min || length > TopLengthRange.Max)
        return "The string length " + (std::isfinite(length) ? cm(length) : "given") +
               " is outside " + GeneralText(TopLengthRange.Min, 6) + ".." +
               GeneralText(TopLengthRange.Max, 6) + " cm";
    // Past the octave by a tenth: no fret 1..11 sits there, but a worn or misread one may.
    const double limit = length / 2.0 * 1.1;
    int measured = 0;
    int previous = 0; // the last measured fret before this one
    for (int i = 0; i < 11; ++i) {
        if (!input.Distances[i])
            continue;
        const double d = *input.Distances[i];
        const std::string fret = "Fret " + std::to_string(i + 1);
        if (!std::isfinite(d) || d <= 0 || d >= limit)
            return fret + " at " + (std::isfinite(d) ? cm(d) : "?") +
                   " is not between the nut and " + cm(limit) + " from it";
        // Frets follow each other down the neck: a smaller figure is a slip or a swapped pair.
        if (previous > 0 && !(d > *input.Distances[previous - 1]))
            return fret + " at " + cm(d) + " is not further from the nut than fret " +
                   std::to_string(previous) + " at " + cm(*input.Distances[previous - 1]);
        previous = i + 1;
        ++measured;
    }
    if (measured < MinFittedFrets)
        return "Measure at least " + std::to_string(MinFittedFrets) + " frets (" +
               std::to_string(measured) + " given)";
    return {};
}

std::string ReadFitInput(const std::string& length, const std::string& frets, FitInput& input) {
    const auto quoted = [](const std::string& text) {
        std::string q(1, '\'');
        q.append(ShortQuote(text)).push_back('\'');
        return q;
    };
    FitInput read = input;
    if (!ParseNumber(length, read.Length))
        return "The string length " + quoted(length) + " is not a number";
    read.Distances = {};
    std::size_t at = 0;
    for (int i = 0;; ++i) {
        const std::size_t comma = frets.find(',', at);
        const std::string field = frets.substr(at, comma == std::string::npos ? comma : comma - at);
        if (i == 11)
            return "The distances " + quoted(frets) + " are more than eleven";
        if (field.find_first_not_of(" \t") != std::string::npos) {
            double d = 0;
            if (!ParseNumber(field, d))
                return "Fret " + std::to_string(i + 1) + ": " + quoted(field) + " is not a number";
            read.Distances[i] = d;
        }
        if (comma == std::string::npos)
            break;
        at = comma + 1;
    }
    input = read;
    return {};
}

FitResult FitTemperament(const FitInput& input) {
    FitResult result;
    result.Refusal = FitRefusal(input);
    if (!result.Refusal.empty())
        return result;

    FretChoices allMi = input.BaseChoices, allFa = input.BaseChoices;
    for (int fret = 1; fret <= 11; ++fret) {
        if (FitDecidesFret(fret)) {
            allMi[fret - 1] = fc_mi;
            allFa[fret - 1] = fc_fa;
        }
    }
    const FretRecord base = recordWith(input.Length, input.BaseChoices);
    const FretRecord mi = recordWith(input.Length, allMi);
    const FretRecord fa = recordWith(input.Length, allFa);

    std::array<double, 11> measuredCents{};
    for (int i = 0; i < 11; ++i)
        if (input.Distances[i])
            measuredCents[i] = centsOfDistance(input.Length, *input.Distances[i]);

    // Given the fraction, each fret's best choice is its own: the sum splits per fret.
    auto squares = [&](double fifth, FretChoices* choices) {
        double sum = 0;
        for (int fret = 1; fret <= 11; ++fret) {
            if (!input.Distances[fret - 1])
                continue;
            const double target = measuredCents[fret - 1];
            if (!FitDecidesFret(fret)) {
                const double e = target - MainCents(base, fifth, fret);
                sum += e * e;
                continue;
            }
            const double eMi = target - MainCents(mi, fifth, fret);
            const double eFa = target - MainCents(fa, fifth, fret);
            uint8_t pick = input.BaseChoices[fret - 1] == fc_fa ? fc_fa : fc_mi;
            if (eMi * eMi < eFa * eFa)
                pick = fc_mi;
            else if (eFa * eFa < eMi * eMi)
                pick = fc_fa;
            sum += pick == fc_mi ? eMi * eMi : eFa * eFa;
            if (choices)
                (*choices)[fret - 1] = pick;
        }
        return sum;
    };

    const int steps = static_cast<int>(std::lround(MaxCommaFraction / FitFractionStep));
    int bestStep = 0;
    double best = squares(TemperedFifth(0.0), nullptr);
    for (int s = 1; s <= steps; ++s) {
        const double sum = squares(TemperedFifth(s * FitFractionStep), nullptr);
        if (sum < best) {
            best = sum;
            bestStep = s;
        }
    }

    result.CommaFraction = bestStep * FitFractionStep;
    const double fifth = TemperedFifth(result.CommaFraction);
    result.Choices = input.BaseChoices;
    squares(fifth, &result.Choices);
    const FretRecord fitted = recordWith(input.Length, result.Choices);
    result.RmsCents = listFrets(input, fitted, fifth, measuredCents, result.Frets);
    result.Nearest = nearestNamed(result.CommaFraction);
    const auto worst = std::max_element(
        result.Frets.begin(), result.Frets.end(), [](const auto& a, const auto& b) {
            return std::fabs(a.ErrorCents) < std::fabs(b.ErrorCents);
        });
    if (worst != result.Frets.end() && std::fabs(worst->ErrorCents) > FitOutlierCents) {
        result.Outlier = worst->Fret;
        result.Doubt = "Fret " + std::to_string(worst->Fret) + " at " + cm(worst->Measured) +
                       " is " + FixedText(std::fabs(worst->ErrorCents), 0) +
                       " cents from the best fit (more than " + GeneralText(FitOutlierCents, 6) +
                       "): measure it again";
    }
    return result;
}

SliderTemperament SliderTemperamentOf(double commaFraction) {
    // The named positions only approximate their fractions (1/6 sits at 0.17): match the
    // fraction itself.
    int match = -1;
    double gap = 0.5 / 200.0;
    for (int id = 0; id < NamedTemperamentCount; ++id) {
        const double g = std::fabs(TemperamentFraction(id) - commaFraction);
        if (g <= gap) {
            gap = g;
            match = id;
        }
    }
    if (match >= 0)
        return {TemperamentSliderPosition(match), match, TemperamentFraction(match)};
    SliderTemperament t;
    const double p = std::nearbyint(commaFraction * 200.0);
    t.Position = std::isfinite(p) ? static_cast<int>(std::clamp(p, 0.0, double(FretSliderMax))) : 0;
    t.Identifier = CustomTemperament;
    for (int id = 0; id < NamedTemperamentCount; ++id)
        if (TemperamentSliderPosition(id) == t.Position)
            t.Identifier = id;
    // As the slider computes it, so that the document gets the very same number.
    t.Fraction = t.Identifier == CustomTemperament ? 1.0 / (100.0 / (t.Position / 2.0))
                                                   : TemperamentFraction(t.Identifier);
    return t;
}

} // namespace vorn
