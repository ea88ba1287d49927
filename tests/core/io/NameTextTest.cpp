// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <string>

#include "io/NameText.h"
#include "support/CaseName.h"

namespace vorn {
namespace {

struct NameCase {
    const char* what;
    std::string name;
    std::string utf8;      // ValidUtf8
    std::string printable; // PrintableText
};

const std::string Fffd = "\xEF\xBF\xBD";

// clang-format off
const NameCase NameCases[] = {
    {"plain", "Alto Lute in G.vrd", "Alto Lute in G.vrd", "Alto Lute in G.vrd"},
    {"empty", "", "", ""},
    {"accents and signs", "Laute \xC3\xA4 \xE2\x99\xAD \xF0\x9D\x84\x9E", "Laute \xC3\xA4 \xE2\x99\xAD \xF0\x9D\x84\x9E",
     "Laute \xC3\xA4 \xE2\x99\xAD \xF0\x9D\x84\x9E"},
    {"latin-1 byte", "lute\xFF.vrd", "lute" + Fffd + ".vrd", "lute\\xff.vrd"},
    {"stray continuation", "a\x80z", "a" + Fffd + "z", "a\\x80z"},
    {"cut sequence at the end", "a\xE2\x99", "a" + Fffd + Fffd, "a\\xe2\\x99"},
    {"cut sequence before ascii", "\xC3(", Fffd + "(", "\\xc3("},
    {"overlong slash", "\xC0\xAF", Fffd + Fffd, "\\xc0\\xaf"},
    {"overlong three bytes", "\xE0\x80\xAF", Fffd + Fffd + Fffd, "\\xe0\\x80\\xaf"},
    {"surrogate", "\xED\xA0\x80", Fffd + Fffd + Fffd, "\\xed\\xa0\\x80"},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80", Fffd + Fffd + Fffd + Fffd, "\\xf4\\x90\\x80\\x80"},
    {"last code point", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
    {"line breaks and tab", "a\nb\r\tc", "a\nb\r\tc", "a\\nb\\r\\tc"},
    {"escape and bell", "\x1B[2J\x07", "\x1B[2J\x07", "\\x1b[2J\\x07"},
    {"delete", "x\x7Fy", "x\x7Fy", "x\\x7fy"},
    {"C1 control", "x\xC2\x85y", "x\xC2\x85y", "x\\xc2\\x85y"},
    {"first printable after C1", "\xC2\xA0", "\xC2\xA0", "\xC2\xA0"},
    {"backslash kept", "a\\b", "a\\b", "a\\b"},
};
// clang-format on

class NameText : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameText, ShownAsValidUtf8AndOnOneLine) {
    const NameCase& c = GetParam();
    EXPECT_EQ(ValidUtf8(c.name), c.utf8);
    EXPECT_EQ(PrintableText(c.name), c.printable);
    // What either gives is valid already.
    EXPECT_EQ(ValidUtf8(c.utf8), c.utf8);
    EXPECT_EQ(ValidUtf8(c.printable), c.printable);
    EXPECT_EQ(c.printable.find_first_of("\n\r\t\x1B\x7F"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Names, NameText, ::testing::ValuesIn(NameCases),
                         [](const auto& info) { return testing::CaseName(info.param.what); });

} // namespace
} // namespace vorn
