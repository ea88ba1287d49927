// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reading the calculator's option texts: numbers, ranges, pitch and temperament, spellings
// and tension units. Bad input throws UsageError with a message naming the option.

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "strings/StringPhysics.h"

namespace vorn::calc {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A finite number written with '.'; no exponent.
double ParseReal(const std::string& option, const std::string& text);
// The same, above 0.
double ParsePositive(const std::string& option, const std::string& text);
// The same, in [lo, hi]; unit (" cm", " Hz") follows the range in the message.
double ParseWithin(const std::string& option, const std::string& text, double lo, double hi,
                   const std::string& unit = {});
// A whole number in [lo, hi].
long ParseWhole(const std::string& option, const std::string& text, long lo, long hi);
// A message's text on one line and valid UTF-8 (PrintableText): a name or path in it may be
// any bytes.
std::string OneLine(const std::string& text);
// What a file the calculator writes holds.
enum OutputFormat : int {
    of_html,
    of_text,
    of_pdf,
    of_svg,
    of_dxf,
    of_csv,
    of_scala,
    of_wav,
    of_document,
    of_settings
};
// Refuses (UsageError) a path whose extension, in any case, is that of another format than the
// one written: a PDF report named ".html", a tone over a ".vrd". A path without an extension
// or with one of no format the program knows is taken as given.
void CheckOutputFormat(const std::string& option, const std::string& path, OutputFormat format);
// --accidental 0..5; nothing when the option was not given.
std::optional<uint8_t> AccidentalOption(const std::string& text);
// --unit: "N", "kg" or "lb".
VornTensType UnitOption(const std::string& text);

// --pitch, --comma and --temperament, which every pitch-aware command shares.
struct PitchOptions {
    std::string pitch = "440";
    std::string comma;
    std::string temperament;

    void add(CLI::App* cmd);
    double pitchA() const; // Hz
    // The temperament identifier (9 for --comma) and its comma fraction.
    std::pair<int, double> temperamentAndFraction() const;
};

} // namespace vorn::calc
