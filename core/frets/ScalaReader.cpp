// SPDX-License-Identifier: GPL-3.0-or-later

#include "frets/ScalaReader.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

#include "io/NumberText.h"

namespace vorn {

namespace {

constexpr double OctaveTolerance = 0.001; // cents
constexpr size_t MaxQuoted = 24;

struct Line {
    int Number = 0;
    std::string_view Text;
};

// Lines end at LF, CR LF or a lone CR (an old Mac file is still many lines).
std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    int number = 1;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back({number++, text.substr(start, i - start)});
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back({number, text.substr(start)});
    return lines;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The value of a line: its first word after leading blanks.
std::string_view firstWord(std::string_view line) {
    size_t b = 0;
    while (b < line.size() && isBlank(line[b]))
        ++b;
    size_t e = b;
    while (e < line.size() && !isBlank(line[e]))
        ++e;
    return line.substr(b, e - b);
}

std::string trimmed(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

// Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) on "literal" + string.
std::string quoted(std::string_view word) {
    std::string s = "'";
    s.append(word.substr(0, MaxQuoted));
    return s.append(word.size() > MaxQuoted ? "...'" : "'");
}

bool allDigits(std::string_view s) {
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Cents of one pitch word, or the reason it is none.
std::optional<double> pitchCents(std::string_view word, std::string& reason) {
    if (word.empty()) {
        reason = "no pitch on this line";
        return std::nullopt;
    }
    if (word.find('.') != std::string_view::npos) {
        double cents = 0;
        if (!ParseNumber(std::string(word), cents)) {
            reason = quoted(word) + " is not a number of cents";
            return std::nullopt;
        }
        return cents;
    }
    const bool negative = word.front() == '-';
    const std::string_view body = negative ? word.substr(1) : word;
    const size_t slash = body.find('/');
    const std::string_view top = body.substr(0, slash);
    const std::string_view bottom =
        slash == std::string_view::npos ? std::string_view("1") : body.substr(slash + 1);
    if (!allDigits(top) || !allDigits(bottom)) {
        reason = quoted(word) + " is not a pitch: cents hold a '.', a ratio is written as 3/2";
        return std::nullopt;
    }
    unsigned long long num = 0, den = 0;
    const auto a = std::from_chars(top.data(), top.data() + top.size(), num);
    const auto b = std::from_chars(bottom.data(), bottom.data() + bottom.size(), den);
    if (a.ec != std::errc() || b.ec != std::errc()) {
        reason = "the ratio " + quoted(word) + " has a term too large";
        return std::nullopt;
    }
    if (den == 0) {
        reason = "the ratio " + quoted(word) + " has a zero denominator";
        return std::nullopt;
    }
    if (num == 0) {
        reason = "the ratio " + quoted(word) + " is zero";
        return std::nullopt;
    }
    if (negative) {
        reason = "the ratio " + quoted(word) + " is negative";
        return std::nullopt;
    }
    return static_cast<double>(
        1200.0L * std::log2(static_cast<long double>(num) / static_cast<long double>(den)));
}

ScalaReading refuse(int line, std::string reason) {
    ScalaReading r;
    r.Refusal = ScalaRefusal{line, std::move(reason)};
    return r;
}

std::string nameOfFile(const std::string& fileName) {
    const std::string ext = ".scl";
    if (fileName.size() > ext.size()) {
        std::string tail = fileName.substr(fileName.size() - ext.size());
        for (char& c : tail)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (tail == ext)
            return fileName.substr(0, fileName.size() - ext.size());
    }
    return fileName;
}

} // namespace

std::string ScalaRefusal::Message() const {
    return Line > 0 ? "line " + std::to_string(Line) + ": " + Reason : Reason;
}

ScalaReading ReadScalaScale(const std::string& text, const std::string& fileName) {
    if (text.size() > MaxScalaBytes)
        return refuse(0, "the file is larger than " + std::to_string(MaxScalaBytes / 1024) +
                             " KiB: no scale of 12 or 17 notes needs that");
    std::string_view view(text);
    if (view.substr(0, 3) == "\xEF\xBB\xBF")
        view.remove_prefix(3);
    const std::vector<Line> lines = splitLines(view);
    for (const Line& line : lines)
        if (line.Text.find('\0') != std::string_view::npos)
            return refuse(line.Number, "a NUL byte: this is not a text file");

    FretScale scale;
    scale.Source = fileName;
    enum { description, count, pitches } field = description;
    int lastLine = 0;
    for (const Line& line : lines) {
        lastLine = line.Number;
        if (!line.Text.empty() && line.Text.front() == '!')
            continue;
        if (field == description) {
            scale.Name = trimmed(line.Text);
            field = count;
            continue;
        }
        const std::string_view word = firstWord(line.Text);
        if (field == count) {
            int notes = 0;
            const auto r = std::from_chars(word.data(), word.data() + word.size(), notes);
            if (!allDigits(word) || r.ec != std::errc())
                return refuse(line.Number, word.empty() ? std::string("no note count on this line")
                                                        : quoted(word) + " is not a note count");
            if (notes != 12 && notes != 17)
                return refuse(line.Number, "a scale of " + std::to_string(notes) +
                                               " notes: frets follow scales of 12 or 17 notes");
            scale.Notes = notes;
            field = pitches;
            continue;
        }
        const bool full = scale.Cents.size() == static_cast<size_t>(scale.Notes);
        if (full) {
            // Blank lines may close the file; nothing else may follow the last pitch.
            if (word.empty())
                continue;
            return refuse(line.Number,
                          "more pitches than the note count of " + std::to_string(scale.Notes));
        }
        std::string reason;
        const std::optional<double> cents = pitchCents(word, reason);
        if (!cents)
            return refuse(line.Number, reason);
        const bool last = scale.Cents.size() + 1 == static_cast<size_t>(scale.Notes);
        if (scale.Cents.empty() ? !(*cents > 0) : !(*cents > scale.Cents.back()))
            return refuse(line.Number, quoted(word) + " does not rise above " +
                                           (scale.Cents.empty() ? "the open string (1/1)"
                                                                : "the pitch before it"));
        if (last) {
            if (std::fabs(*cents - 1200.0) > OctaveTolerance)
                return refuse(line.Number, quoted(word) +
                                               " is not the octave: the last pitch must be 2/1 "
                                               "(1200 cents), as fret 12 halves the string");
            scale.Cents.push_back(1200.0);
        } else {
            if (*cents >= 1200.0 - OctaveTolerance)
                return refuse(line.Number,
                              quoted(word) + " reaches the octave before the last pitch");
            scale.Cents.push_back(*cents);
        }
    }
    if (field == description || field == count)
        return refuse(lastLine + 1, "the file ends before the note count");
    if (scale.Cents.size() != static_cast<size_t>(scale.Notes))
        return refuse(lastLine + 1, "the file ends after " + std::to_string(scale.Cents.size()) +
                                        " of the " + std::to_string(scale.Notes) + " pitches");
    if (scale.Name.empty())
        scale.Name = nameOfFile(fileName);
    ScalaReading r;
    r.Scale = std::move(scale);
    return r;
}

} // namespace vorn
