// SPDX-License-Identifier: GPL-3.0-or-later

#include "CalcOptions.h"

#include <cctype>
#include <cmath>
#include <filesystem>

#include "document/InstDataType.h"
#include "io/NameText.h"
#include "io/NumberText.h"
#include "pitch/Temperaments.h"

namespace vorn::calc {

double ParseReal(const std::string& option, const std::string& text) {
    double v = 0;
    if (!ParseNumber(text, v) || !std::isfinite(v))
        throw UsageError(option + ": '" + text + "' is not a number");
    return v;
}

double ParsePositive(const std::string& option, const std::string& text) {
    const double v = ParseReal(option, text);
    if (!(v > 0))
        throw UsageError(option + ": " + text + " must be greater than 0");
    return v;
}

double ParseWithin(const std::string& option, const std::string& text, double lo, double hi,
                   const std::string& unit) {
    const double v = ParseReal(option, text);
    if (v < lo || v > hi) {
        throw UsageError(option + ": '" + text + "' is outside " + GeneralText(lo, 6) + ".." +
                         GeneralText(hi, 6) + unit);
    }
    return v;
}

long ParseWhole(const std::string& option, const std::string& text, long lo, long hi) {
    double v = 0;
    if (!ParseNumber(text, v) || v != std::floor(v) || text.find('.') != std::string::npos)
        throw UsageError(option + ": '" + text + "' is not a whole number");
    if (v < lo || v > hi)
        throw UsageError(option + ": " + text + " is out of range (" + std::to_string(lo) + ".." +
                         std::to_string(hi) + ")");
    return static_cast<long>(v);
}

std::string OneLine(const std::string& text) {
    return PrintableText(text);
}

namespace {

struct FormatName {
    const char* Extension; // lower case, without the dot
    OutputFormat Format;
    const char* Name;
};

constexpr FormatName FormatNames[] = {
    {"html", of_html, "HTML"},
    {"htm", of_html, "HTML"},
    {"txt", of_text, "text"},
    {"pdf", of_pdf, "PDF"},
    {"svg", of_svg, "SVG"},
    {"dxf", of_dxf, "DXF"},
    {"csv", of_csv, "CSV"},
    {"scl", of_scala, "Scala"},
    {"wav", of_wav, "WAV"},
    {"vrd", of_document, "Vorn document"},
    {"vrn", of_settings, "Vorn settings"},
};

const char* formatName(OutputFormat format) {
    for (const FormatName& f : FormatNames)
        if (f.Format == format)
            return f.Name;
    return "";
}

} // namespace

void CheckOutputFormat(const std::string& option, const std::string& path, OutputFormat format) {
    std::string extension = std::filesystem::path(path).extension().string();
    if (extension.empty())
        return;
    extension.erase(0, 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const FormatName& f : FormatNames)
        if (extension == f.Extension && f.Format != format)
            throw UsageError(option + ": '" + path + "' has the extension of " + f.Name +
                             " files, not of " + formatName(format) + " files");
}

std::optional<uint8_t> AccidentalOption(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    return static_cast<uint8_t>(ParseWhole("--accidental", text, 0, 5));
}

VornTensType UnitOption(const std::string& text) {
    if (text == "N")
        return tt_newtons;
    if (text == "kg")
        return tt_kilograms;
    if (text == "lb")
        return tt_pounds;
    throw UsageError("--unit: '" + text + "' is not a tension unit (N, kg or lb)");
}

void PitchOptions::add(CLI::App* cmd) {
    cmd->add_option("--pitch", pitch, "Pitch standard: frequency of A in Hz (default 440)");
    auto* c = cmd->add_option("--comma", comma,
                              "Temperament as a fraction of the syntonic comma (0 = pure fifths)");
    auto* t = cmd->add_option("--temperament", temperament,
                              "Temperament 0..8 (default 5, 1/6 Comma (Gerle-Dowland))");
    c->excludes(t);
}

double PitchOptions::pitchA() const {
    // What the program's own A-pitch box takes.
    return ParseWithin("--pitch", pitch, APitchRange.Min, APitchRange.Max, " Hz");
}

std::pair<int, double> PitchOptions::temperamentAndFraction() const {
    if (!comma.empty()) {
        return {CustomTemperament,
                ParseWithin("--comma", comma, MinCommaFraction, MaxCommaFraction)};
    }
    int id = 5;
    if (!temperament.empty())
        id = static_cast<int>(ParseWhole("--temperament", temperament, 0, 8));
    return {id, TemperamentFraction(id)};
}

} // namespace vorn::calc
