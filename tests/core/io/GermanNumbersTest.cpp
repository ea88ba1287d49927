// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <string>

#include "files/FileFrame.h"
#include "files/FretTemplateDxf.h"
#include "frets/FretFrorm.h"
#include "frets/FretTemplate.h"
#include "frets/ScalaReader.h"
#include "frets/ScalaScale.h"
#include "io/NumberText.h"
#include "pitch/FretDistribution.h"
#include "pitch/FretRecord.h"
#include "report/OrderList.h"
#include "report/Report.h"
#include "strings/CatalogueLookup.h"

using namespace vorn;

namespace {

// The C library's numbers as a Qt program on a German desktop has them, for one scope.
class GermanNumbers {
public:
    GermanNumbers() : saved_(std::setlocale(LC_NUMERIC, nullptr)) {
        installed_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    }
    ~GermanNumbers() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    bool Installed() const { return installed_; }

private:
    std::string saved_;
    bool installed_ = false;
};

// A Scala file's cents read back: a reader that took the C library's decimal comma would stop
// at the point or refuse the file.
std::string readScala() {
    const ScalaReading r = ReadScalaScale("Cents\n12\n 100.5\n 200.25\n 300.0\n 400.0\n 500.0\n"
                                          " 600.0\n 700.0\n 800.0\n 900.0\n 1000.0\n 1100.0\n"
                                          " 1200.0\n",
                                          "c.scl");
    if (!r.Scale)
        return r.Refusal->Message();
    std::string text;
    for (double c : r.Scale->Cents)
        text += FixedText(c, 3) + " ";
    return text;
}

std::string report() {
    TGlobalData settings;
    TFileFrame frame(settings);
    frame.ApplyTemplate(3);
    frame.ViewStrings();
    return BuildReport(frame.DisplayName(), frame.Chart, ReportOptions{});
}

std::string orderList(bool csv) {
    TGlobalData settings;
    TFileFrame frame(settings);
    frame.ApplyTemplate(3);
    frame.ViewStrings();
    const auto lines = BuildOrderList(frame.Chart, OrderOptions{});
    return csv ? OrderListCsv(lines) : OrderListText(frame.DisplayName(), OrderOptions{}, lines);
}

TemplateInput fretInput() {
    TemplateInput in;
    in.Frets = ComputeFretDistribution(NoteValue{67, 0, 0}, 64.5, 0.25, 415.3, DefaultMiFa);
    in.Temperament = "1/4 Comma (Pure major third)";
    in.Title = "Alto lute";
    in.APitch = 415.3;
    in.Length = 64.5;
    return in;
}

std::string fretTemplate() {
    const TemplateInput in = fretInput();
    return FretTemplateSvg(LayoutFretTemplate(in), in.Paper);
}

bool hasDecimalPoint(const std::string& text) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 1; i + 1 < text.size(); ++i)
        if (text[i] == '.' && digit(text[i - 1]) && digit(text[i + 1]))
            return true;
    return false;
}

struct Writer {
    const char* name;
    std::function<std::string()> write;
};

// clang-format off
const Writer Writers[] = {
    {"fixed",         [] { return FixedText(76.049, 5); }},
    {"padded",        [] { return FixedText(3.92L, 2, 7); }},
    {"general",       [] { return GeneralText(59.3, 15); }},
    {"shortest",      [] { return FormatShortest(35.21f); }},
    {"scala",         [] { return ScalaFile("q.scl", "1/4 Comma", 0.25, DefaultMiFa, 12); }},
    {"scala_17",      [] { return ScalaFile("q.scl", "1/6 Comma", 1.0 / 6, DefaultMiFa, 17); }},
    {"scala_read",    [] { return readScala(); }},
    {"svg_template",  [] { return fretTemplate(); }},
    {"report",        [] { return report(); }},
    {"dxf_layout",    [] { return FretTemplateDxf(FretLayoutLines(fretInput()), "Alto lute"); }},
    {"csv_frets",     [] { return FretTemplateCsv(fretInput()); }},
    {"order_text",    [] { return orderList(false); }},
    {"order_csv",     [] { return orderList(true); }},
    {"fret_distance", [] { return FormatFixed(3.9178); }},
    {"fret_page",     [] { return WidenedText(59.3f); }},
    {"catalogue",     [] { return TensionPart(345.3L, tt_kilograms); }},
};
// clang-format on

class GermanDesktop : public ::testing::TestWithParam<Writer> {};

// What goes into a file or a report is the same text, with points, whatever the C library's
// locale says.
TEST_P(GermanDesktop, WritesPointsAsInTheCLocale) {
    const Writer& w = GetParam();
    const std::string plain = w.write();
    ASSERT_TRUE(hasDecimalPoint(plain)) << "no decimals to check in " << plain;

    const GermanNumbers german;
    if (!german.Installed())
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5") << "the German locale did not take";
    const std::string written = w.write();
    EXPECT_EQ(written.size(), plain.size());
    const auto differ = std::mismatch(written.begin(), written.end(), plain.begin(), plain.end());
    if (differ.first != written.end()) {
        const std::size_t at = static_cast<std::size_t>(differ.first - written.begin());
        const std::size_t from = at < 30 ? 0 : at - 30;
        ADD_FAILURE() << "\"" << written.substr(from, 60) << "\" instead of \""
                      << plain.substr(from, 60) << "\"";
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, GermanDesktop, ::testing::ValuesIn(Writers),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
