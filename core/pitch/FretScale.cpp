// SPDX-License-Identifier: GPL-3.0-or-later

#include "pitch/FretScale.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "pitch/Intervals.h"
#include "pitch/Keys.h"

namespace vorn {

namespace {

// Index into a 17-note scale of the single note of frets 1..11, or of a pair's first note.
// clang-format off
constexpr std::array<int, 11> SeventeenIndex = {0, 2, 3, 5, 6, 7, 9, 10, 12, 13, 15};
constexpr std::array<bool, 11> SeventeenPair = {true, false, true, false, false, true,
                                                false, true, false, true, false};
// clang-format on
constexpr int SeventeenFifth = 9;

struct Fraction {
    long long num, den;
};

// Dowland's frets 1..10 as fractions of the string, and fret 11 of our own (see the remark).
// clang-format off
constexpr std::array<Fraction, 11> DowlandFrets = {{
    {2, 33}, {1, 9}, {5, 33}, {53, 264}, {1, 4}, {7, 24}, {1, 3}, {37, 99}, {11, 27}, {43, 99},
    {185, 396},
}};
// clang-format on

// Dowland sets fret 4 halfway between frets 3 and 5 and builds frets 8 to 10 as frets 1 to 3
// a fifth higher. Fret 11 halfway between fret 10 and the octave is also fret 4 a fifth
// higher (3/2 * 264/211 = 396/211): both of his own constructions give the same place.
const char* const DowlandRemark =
    "Dowland gives no eleventh fret; Vorn sets it at 185/396 of the string (ratio 396/211), "
    "halfway between the tenth fret and the octave as his fourth fret lies halfway between the "
    "third and the fifth, which is also his fourth fret a fifth higher.";

FretScale scaleOfFractions(const std::array<Fraction, 11>& frets) {
    FretScale s;
    for (const Fraction& f : frets)
        s.Cents.push_back(static_cast<double>(
            1200.0L * std::log2(static_cast<long double>(f.den) / (f.den - f.num))));
    s.Cents.push_back(1200.0);
    return s;
}

double halfString(double fraction) {
    return 0.5 + 0.5 * fraction;
}

} // namespace

bool IsUsableScale(const FretScale& scale) {
    if ((scale.Notes != 12 && scale.Notes != 17) ||
        scale.Cents.size() != static_cast<size_t>(scale.Notes) || scale.Cents.back() != 1200.0)
        return false;
    double before = 0;
    for (double c : scale.Cents) {
        if (!(c > before))
            return false;
        before = c;
    }
    return true;
}

double FractionOfCents(double cents) {
    return 1.0 - std::exp2(-cents / 1200.0);
}

double CentsOfFraction(double fraction) {
    return -1200.0 * std::log2(1.0 - fraction);
}

ScaleFret ScaleFretOf(const FretScale& scale, int fret) {
    if (fret < 1 || fret > ScaleFretCount || !IsUsableScale(scale))
        return {};
    if (fret == 12)
        return {0.5, std::nullopt};
    if (fret > 12) {
        ScaleFret low = ScaleFretOf(scale, fret - 12);
        low.Position = halfString(low.Position);
        if (low.Fa)
            low.Fa = halfString(*low.Fa);
        return low;
    }
    const size_t step = static_cast<size_t>(fret - 1);
    if (scale.Notes == 12)
        return {FractionOfCents(scale.Cents[step]), std::nullopt};
    const auto index = static_cast<size_t>(SeventeenIndex[step]);
    if (!SeventeenPair[step])
        return {FractionOfCents(scale.Cents[index]), std::nullopt};
    const double lower = FractionOfCents(scale.Cents[index]);
    const double upper = FractionOfCents(scale.Cents[index + 1]);
    if (scale.Cents[SeventeenFifth] < 700.0)
        return {lower, upper};
    return {upper, lower};
}

std::array<ScaleFret, ScaleFretCount> ScaleFrets(const FretScale& scale) {
    std::array<ScaleFret, ScaleFretCount> frets;
    for (int fret = 1; fret <= ScaleFretCount; ++fret)
        frets[static_cast<size_t>(fret - 1)] = ScaleFretOf(scale, fret);
    return frets;
}

std::string FretRuleKey(FretRule rule) {
    switch (rule) {
    case fr_dowland:
        return "dowland";
    case fr_galilei:
        return "galilei";
    }
    return {};
}

std::optional<FretRule> FretRuleOfKey(const std::string& key) {
    std::string lower = key;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (int r = 0; r < FretRuleCount; ++r)
        if (FretRuleKey(static_cast<FretRule>(r)) == lower)
            return static_cast<FretRule>(r);
    return std::nullopt;
}

FretScale RuleScale(FretRule rule) {
    FretScale s;
    if (rule == fr_dowland) {
        s = scaleOfFractions(DowlandFrets);
        s.Name = "Dowland 1610";
        s.Source = "John Dowland, Varietie of Lute Lessons (1610)";
        s.Remark = DowlandRemark;
    } else {
        // Each fret takes an eighteenth of what is left of the string; the twelfth closes the
        // octave, a little short of where a twelfth step would fall.
        const long double step = 1200.0L * std::log2(18.0L / 17.0L);
        for (int n = 1; n <= 11; ++n)
            s.Cents.push_back(static_cast<double>(n * step));
        s.Cents.push_back(1200.0);
        s.Name = "Galilei 18:17";
        s.Source = "Vincenzo Galilei, Dialogo della musica antica et della moderna (1581)";
        s.Remark = "Each of frets 1 to 11 lies an eighteenth of the remaining string beyond the "
                   "one before; fret 12 closes the octave at the half.";
    }
    s.Notes = 12;
    return s;
}

double ScaleOpenFrequency(int noteNumber, double pitchA) {
    return pitchA * std::exp2((noteNumber - 69) / 12.0);
}

FretDistribution ScaleFretDistribution(const FretScale& scale, NoteValue openNote, double length,
                                       double openFrequency, const FretChoices& choices) {
    FretDistribution d;
    SpellLetter(openNote, DefaultKey);
    openNote.SpellingFixed = 1;
    d.OpenNote = openNote;
    d.OpenName = NoteName(d.OpenNote, DefaultKey, true);
    d.OpenFrequency = openFrequency;
    d.Fifth = 0;

    FretRecord record;
    record.Length = length;
    record.OpenNote = openNote;
    record.Choices = choices;
    record.Prepare();

    const auto info = [&](const FretEntry& entry, bool alternative, double fraction) {
        FretPositionInfo p;
        p.IntervalType = alternative ? AltType(entry) : MainType(entry);
        p.IntervalName = IntervalName(p.IntervalType);
        p.Cents = CentsOfFraction(fraction);
        p.Distance = length * fraction;
        p.Note = FretPositionNote(openNote, entry, alternative);
        p.Name = LetterNoteName(p.Note, DefaultKey, true);
        p.Frequency = RaiseByCents(openFrequency, p.Cents);
        return p;
    };

    for (int fret = 1; fret <= ScaleFretCount; ++fret) {
        const ScaleFret place = ScaleFretOf(scale, fret);
        FretEntry entry = record.Entry(fret);
        FretRow& row = d.Rows[static_cast<size_t>(fret - 1)];
        row.Fret = fret;
        if (place.Fa) {
            const bool mainIsMi = entry.Choice == fc_mi;
            row.Choice = mainIsMi ? fc_mi : fc_fa;
            entry.Choice = row.Choice;
            row.Main = info(entry, false, mainIsMi ? place.Position : *place.Fa);
            row.Alt = info(entry, true, mainIsMi ? *place.Fa : place.Position);
            continue;
        }
        // The one note of a 17-note scale is the natural of its step (the Mi side of the
        // table); a 12-note scale's is spelled as the choices spell the fret.
        if (scale.Notes == 17)
            entry.Choice = fc_mi;
        row.Choice = fc_fixed;
        row.Main = info(entry, false, place.Position);
    }
    return d;
}

} // namespace vorn
