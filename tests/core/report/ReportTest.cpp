// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "files/FileFrame.h"
#include "pitch/FretScale.h"
#include "report/Report.h"
#include "report/ReportTables.h"

using namespace vorn;

namespace {

// An instrument from a template with its rows built, as the window prints it.
struct Instrument {
    TGlobalData settings;
    TFileFrame frame{settings};
    explicit Instrument(int type = 3) {
        frame.ApplyTemplate(type);
        frame.ViewStrings();
    }
    std::string report(bool strings = true, bool frets = true, char decimal = '.') {
        ReportOptions o;
        o.Strings = strings;
        o.Frets = frets;
        o.DecimalSeparator = decimal;
        return BuildReport(frame.DisplayName(), frame.Chart, o);
    }
};

size_t count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Report, AltoLuteMatchesTheGoldenFile) {
    Instrument alto;
    const std::string built = alto.report();
    const std::string path = std::string(VORN_TEST_DATA) + "/alto-lute-in-g.report.html";
    if (std::getenv("VORN_UPDATE_GOLDEN"))
        std::ofstream(path, std::ios::binary) << built;
    const std::string golden = slurp(path);
    ASSERT_FALSE(golden.empty()) << path;
    EXPECT_EQ(built, golden);
    // Every line ends with CR LF; no bare LF anywhere.
    EXPECT_EQ(count(built, "\n"), count(built, "\r\n"));
    EXPECT_EQ(count(built, "<td"), 0u);
}

// A German desktop's report: every number with a comma, catalogue labels' tensions too, while
// their "kg." keeps its point.
TEST(Report, DecimalCommaReachesCatalogueLabels) {
    Instrument alto; // the basses take Savarez strings
    const std::string r = alto.report(true, false, ',');
    EXPECT_EQ(r.find("3.16"), std::string::npos);
    EXPECT_NE(r.find(" ( 3,16 kg.)</th>"), std::string::npos) << r;
    EXPECT_NE(r.find("<th>0,432</th>"), std::string::npos);
}

TEST(Report, OctaveStringsTakeADittoForTheirLength) {
    Instrument alto; // courses 6..10 have octave strings
    const std::string r = alto.report();
    EXPECT_NE(r.find("<tr>\r\n<th>octave 6</th>\r\n<th>G</th>\r\n<th>&quot;</th>\r\n"),
              std::string::npos);
    EXPECT_EQ(count(r, "<th>octave "), 5u);
}

TEST(Report, HeaderRowsNameMakerPitchAndBridge) {
    Instrument alto;
    EXPECT_NE(alto.report().find("<th colspan=\"2\">&nbsp;</th>\r\n</tr>\r\n"), std::string::npos);
    alto.frame.Document.MakerName = "Hans <Frei> & Sons";
    alto.frame.Document.APitch = 415;
    std::string r = alto.report();
    EXPECT_NE(r.find("<th colspan=\"2\">Maker: Hans &lt;Frei&gt; &amp; Sons</th>\r\n"),
              std::string::npos);
    EXPECT_NE(r.find("<th colspan=\"2\">Pitch: A = 415hz.</th>\r\n"), std::string::npos);
    for (const auto& [pitch, shown] : {std::pair{415.5f, "416"}, std::pair{414.5f, "414"}}) {
        alto.frame.Document.APitch = pitch;
        EXPECT_NE(alto.report().find(std::string("Pitch: A = ") + shown + "hz."), std::string::npos)
            << pitch;
    }
    EXPECT_NE(r.find("Bridge tension: 56.41 kg.</th>"), std::string::npos);

    alto.settings.SetTensionUnit(tt_newtons);
    alto.frame.Chart.RefreshChoices();
    r = alto.report();
    EXPECT_NE(r.find("<th width=\"62\">Tension (N.)</th>"), std::string::npos);
    EXPECT_NE(r.find(" N.</th>"), std::string::npos);
}

// The bridge figure follows the report's number rule like the cells: 56.40 is written 56.4.
TEST(Report, BridgeTensionIsRoundedThenShortest) {
    const std::pair<float, const char*> cases[] = {
        {56.4f, "56.4"}, {56.0f, "56"}, {56.41f, "56.41"}, {56.1f, "56.1"}};
    for (const auto& [total, shown] : cases) {
        Instrument alto;
        // The first course is a single string: its tension, as shown in kg, counts once.
        TOneStringPanel& first = alto.frame.Chart.Courses[0]->First;
        const float wanted =
            first.ShownTension(alto.frame.Settings) + total - alto.frame.Chart.TotalTension();
        first.Rec.TensionN = static_cast<float>(ToNewtons(wanted, tt_kilograms));
        ASSERT_NEAR(alto.frame.Chart.TotalTension(), total, 1e-4f);
        for (const char decimal : {'.', ','}) {
            std::string number = shown;
            std::replace(number.begin(), number.end(), '.', decimal);
            const std::string expected = "Bridge tension: " + number + " kg.</th>";
            EXPECT_NE(alto.report(true, false, decimal).find(expected), std::string::npos)
                << expected;
        }
    }
}

// A document fretted by a rule prints the rule's positions under its name; the equal and
// quarter-comma columns stay as they are.
TEST(Report, FretChartFollowsTheDocumentsScale) {
    Instrument alto;
    alto.frame.Document.StringLength = 60;
    const ReportTable meantone = FretChartTable(alto.frame.Chart, ',');
    alto.frame.Document.Scale = RuleScale(fr_dowland);
    const ReportTable t = FretChartTable(alto.frame.Chart, ',');
    EXPECT_EQ(t.Rows[1].Cells[1].Text, "Dowland 1610");
    const char* const firstFour[] = {"3,64", "6,67", "9,09", "12,05"};
    for (int fret = 1; fret <= 4; ++fret) {
        EXPECT_EQ(t.Rows[2 + fret].Cells[1].Text, firstFour[fret - 1]) << fret;
        EXPECT_EQ(t.Rows[2 + fret].Cells[2].Text, firstFour[fret - 1]) << "one position";
        for (int column = 3; column < 6; ++column)
            EXPECT_EQ(t.Rows[2 + fret].Cells[column].Text,
                      meantone.Rows[2 + fret].Cells[column].Text);
    }
    EXPECT_EQ(t.Rows[14].Cells[1].Text, "30");
}

TEST(Report, FretChartHasTwelveRowsOfSixColumns) {
    Instrument alto;
    alto.frame.Document.StringLength = 60;
    alto.frame.Document.SetTemperament(7);
    const std::string r = alto.report(false, true);
    EXPECT_EQ(r.find("String Chart"), std::string::npos);
    EXPECT_NE(r.find("<th colspan=\"6\" scope=\"col\">Fret Chart for 60 cm. string length.</th>"),
              std::string::npos);
    EXPECT_EQ(count(r, "<th scope=\"row\">"), 12u);

    const ReportTable t = FretChartTable(alto.frame.Chart, '.');
    ASSERT_EQ(t.Rows.size(), 15u);
    for (size_t i = 3; i < t.Rows.size(); ++i) {
        const auto& cells = t.Rows[i].Cells;
        ASSERT_EQ(cells.size(), 6u) << "fret " << i - 2;
        // The "Equal" column carries no mark.
        EXPECT_EQ(cells[3].Text.find('('), std::string::npos) << cells[3].Text;
    }
    // 100 cents at 60 cm.
    EXPECT_EQ(t.Rows[3].Cells[3].Text, "3.37");
    EXPECT_EQ(t.Rows[3].Cells[1].Text, "3.37 (Fa)");
    EXPECT_EQ(t.Rows[3].Cells[4].Text, "3.92 (Fa)");
    EXPECT_EQ(t.Rows[3].Cells[5].Text, "2.58 (Mi)");
    // Fret 7 is fixed: no marks; fret 12 at half the length.
    EXPECT_EQ(t.Rows[9].Cells[1].Text.find('('), std::string::npos);
    EXPECT_EQ(t.Rows[14].Cells[1].Text, "30");
}

// In 1/4 comma meantone fret 8 (Fa) is a pure 8:5, so at an odd whole length its distance (3/8
// of the length) is an exact tie at two decimals. At these lengths the extended-precision
// distance the report has always printed from lands just below the tie, the double one does not.
TEST(Report, MeantoneTiesRoundAsTheyAlwaysHave) {
    const std::pair<float, const char*> cases[] = {
        {33, "12.37 (Fa)"}, {37, "13.87 (Fa)"}, {49, "18.37 (Fa)"}};
    for (const auto& [length, shown] : cases) {
        Instrument alto;
        alto.frame.Document.StringLength = length;
        const ReportTable t = FretChartTable(alto.frame.Chart, '.');
        ASSERT_EQ(t.Rows.size(), 15u);
        EXPECT_EQ(t.Rows[10].Cells[4].Text, shown) << length;
    }
}

TEST(Report, FretMarksFollowTheDocumentsChoices) {
    Instrument alto;
    alto.frame.Document.FretMiFa[0] = fc_mi;
    alto.frame.Document.FretMiFa[2] = fc_fixed;
    const ReportTable t = FretChartTable(alto.frame.Chart, '.');
    EXPECT_NE(t.Rows[3].Cells[1].Text.find(" (Mi)"), std::string::npos);
    EXPECT_NE(t.Rows[3].Cells[2].Text.find(" (Fa)"), std::string::npos);
    EXPECT_EQ(t.Rows[5].Cells[1].Text.find('('), std::string::npos);
    // The quarter-comma columns keep the standard choices.
    EXPECT_NE(t.Rows[3].Cells[4].Text.find(" (Fa)"), std::string::npos);
}

TEST(Report, TensionProfileOnlyWhenAsked) {
    Instrument alto;
    const std::string plain = alto.report();
    EXPECT_EQ(plain.find("<img"), std::string::npos);
    ReportOptions o;
    o.ProfileImage = "data:image/png;base64,AAAA";
    const std::string html = BuildReport("Alto", alto.frame.Chart, o);
    EXPECT_NE(html.find("<div align=\"center\">\r\n<img src=\"data:image/png;base64,AAAA\" "
                        "width=\"646\" alt=\"Tension profile\">\r\n<p>"),
              std::string::npos);
    // Its legend follows as text, every entry the picture draws: the chanterelle's red cap,
    // no amber one. Colour samples come from the window when it gives them.
    const size_t legend = html.find("<p>", html.find("<img"));
    const std::string after = html.substr(legend);
    EXPECT_EQ(after.substr(after.find("</p>")), "</p>\r\n</div>\r\n</body>\r\n</html>\r\n");
    EXPECT_NE(after.find("Gut range 2.04 to 20.39 kg."), std::string::npos);
    EXPECT_NE(after.find("Cap: under 1 semitone from breaking, or beyond"), std::string::npos);
    EXPECT_EQ(after.find("under 2 semitones"), std::string::npos);
    EXPECT_EQ(after.find("<font"), std::string::npos);
    o.ProfileColours = {"#c8e4c8", "#466ea0", "#c00000", "#d06000", "#c00000"};
    o.DecimalSeparator = ',';
    const std::string coloured = BuildReport("Alto", alto.frame.Chart, o);
    EXPECT_NE(coloured.find("<font color=\"#c8e4c8\">&#9632;</font> Gut range 2,04 to 20,39 kg."),
              std::string::npos);
    EXPECT_NE(coloured.find("<font color=\"#c00000\">&#9632;</font> Cap: under 1 semitone"),
              std::string::npos);
    o.DecimalSeparator = '.';
    // The text names the gut band and marks the bars drawn red.
    alto.frame.Chart.Course(1).EditTension(0, 24.0);
    const std::string text = BuildReportText("Alto", alto.frame.Chart, o);
    EXPECT_NE(text.find("\r\nTension Profile\r\nGut range 2.04 to 20.39 kg.\r\nCourse 1: "),
              std::string::npos);
    EXPECT_NE(text.find("\r\nCourse 2: 24 kg. (out of range)\r\n"), std::string::npos);
    EXPECT_NE(text.find("Course 6 octave: "), std::string::npos);
    EXPECT_EQ(text.find("(out of range)"), text.rfind("(out of range)"));
}

TEST(Report, PlainTextKeepsTitlesAndAlignsColumns) {
    Instrument alto;
    ReportOptions o;
    const std::string text = BuildReportText("Alto", alto.frame.Chart, o);
    std::istringstream lines(text);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) {
        ASSERT_EQ(line.back(), '\r') << line;
        all.push_back(line.substr(0, line.size() - 1));
    }
    ASSERT_GT(all.size(), 20u);
    EXPECT_EQ(all[0], "Alto   Vorn File");
    EXPECT_EQ(all[1], "Name: Alto Lute in G");
    const std::string& headings = all[3];
    const size_t noteColumn = headings.find("Note");
    ASSERT_NE(noteColumn, std::string::npos);
    // Course 1's note starts under "Note"; an octave row's ditto under "Length".
    EXPECT_EQ(all[4].find('g'), noteColumn);
    const auto octave = std::find_if(
        all.begin(), all.end(), [](const std::string& l) { return l.rfind("octave", 0) == 0; });
    ASSERT_NE(octave, all.end());
    EXPECT_EQ(octave->find('"'), headings.find("Length"));
    EXPECT_NE(std::find(all.begin(), all.end(), ""), all.end()); // a blank line between tables
    EXPECT_NE(text.find("Fret Chart for 64 cm. string length."), std::string::npos);
}

// The print window builds both forms at once; each must be the one built alone.
TEST(Report, BothFormsAtOnceEqualEachAlone) {
    Instrument alto;
    struct Case {
        bool strings, frets;
        const char* profile;
        char decimal;
    };
    const std::vector<Case> cases{
        {true, true, "", '.'},
        {true, false, "", ','},
        {false, true, "", '.'},
        {true, true, "data:image/png;base64,AAAA", ','},
    };
    for (const Case& c : cases) {
        ReportOptions o;
        o.Strings = c.strings;
        o.Frets = c.frets;
        o.ProfileImage = c.profile;
        o.DecimalSeparator = c.decimal;
        const ReportForms both = BuildReportForms("Alto", alto.frame.Chart, o);
        SCOPED_TRACE(std::string(c.strings ? "strings " : "") + (c.frets ? "frets " : "") +
                     c.profile + c.decimal);
        EXPECT_EQ(both.Html, BuildReport("Alto", alto.frame.Chart, o));
        EXPECT_EQ(both.Text, BuildReportText("Alto", alto.frame.Chart, o));
    }
}

} // namespace
