// SPDX-License-Identifier: GPL-3.0-or-later

#include "frets/ScalaScale.h"

#include <algorithm>

#include "io/NumberText.h"
#include "pitch/FrequencyRecord.h"
#include "pitch/Intervals.h"

namespace vorn {

std::vector<double> ScalaCents(double commaFraction, const FretChoices& choices, int notes) {
    std::vector<double> cents;
    if (notes == 17) {
        FrequencyRecord table;
        table.Compute(commaFraction, 440);
        cents.assign(table.Cents.begin() + 1, table.Cents.end());
        std::sort(cents.begin(), cents.end());
        return cents;
    }
    FretRecord record;
    record.Length = 1;
    record.Choices = choices;
    record.Prepare();
    const double fifth = TemperedFifth(commaFraction);
    for (int fret = 1; fret <= 11; ++fret)
        cents.push_back(MainCents(record, fifth, fret));
    return cents;
}

namespace {

std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

// The notes in cents, the octave (not in the list) as 2/1.
std::string scalaText(const std::string& fileName, const std::string& description,
                      const std::string& comment, const std::vector<double>& cents) {
    // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) on "literal" + string.
    std::string s = "! ";
    s.append(oneLine(fileName)).append("\n!\n");
    if (!comment.empty())
        s.append("! ").append(oneLine(comment)).append("\n!\n");
    s.append(oneLine(description)).append("\n ");
    s.append(WholeText(static_cast<long long>(cents.size() + 1))).append("\n!\n");
    for (double c : cents)
        s.append(" ").append(FixedText(c, 5)).append("\n");
    return s.append(" 2/1\n");
}

} // namespace

std::string ScalaFileOfScale(const std::string& fileName, const FretScale& scale) {
    std::vector<double> cents = scale.Cents;
    if (!cents.empty())
        cents.pop_back(); // the octave
    return scalaText(fileName, scale.Name, scale.Source, cents);
}

std::string ScalaFile(const std::string& fileName, const std::string& description,
                      double commaFraction, const FretChoices& choices, int notes) {
    const std::vector<double> cents = ScalaCents(commaFraction, choices, notes);
    return scalaText(fileName, description, {}, cents);
}

} // namespace vorn
