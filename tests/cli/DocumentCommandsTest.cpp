// SPDX-License-Identifier: GPL-3.0-or-later

// vorn-calc's document commands end to end: files written, opened, refused and converted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "document/InstDataType.h"
#include "document/InstrumentTemplates.h"
#include "files/DocumentFile.h"
#include "files/FileFrame.h"
#include "files/SettingsFile.h"
#include "io/ByteWriter.h"
#include "io/NumberText.h"
#include "pitch/Intervals.h"
#include "pitch/Temperaments.h"
#include "support/CalcRunner.h"
#include "support/PdfWords.h"

using nlohmann::json;
using vorn::testing::calc;
using vorn::testing::CalcRun;
namespace fs = std::filesystem;

namespace {

class DocumentFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vorncalc_docs_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string read(const std::string& p) { return vorn::testing::slurp(p); }
    static void write(const std::string& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }

    fs::path dir_;
};

TEST_F(DocumentFiles, EveryTemplateRoundTripsThroughNewAndShow) {
    for (int type = 0; type < vorn::InstrumentTypeCount; ++type) {
        // Not "t" + std::string: GCC 12 at -O3 warns (-Wrestrict) inside that operator+.
        const std::string file = path(std::to_string(type).insert(0, 1, 't') + ".vrd");
        const CalcRun made = calc("new " + std::to_string(type) + " " + file);
        ASSERT_EQ(made.exitCode, 0) << type << ": " << made.err;
        const CalcRun shown = calc("show " + file + " --json");
        ASSERT_EQ(shown.exitCode, 0) << type << ": " << shown.err;
        const json j = shown.parsed();

        vorn::TInstDataType expected;
        expected.ApplyTemplate(type, 5, "");
        const json& h = j["header"];
        EXPECT_EQ(h["instrument_type"], type);
        EXPECT_EQ(h["instrument_name"], expected.InstrumentName);
        EXPECT_EQ(h["course_count"], expected.CourseCount);
        EXPECT_EQ(h["key"], expected.Key);
        EXPECT_EQ(h["temperament"], 5);
        EXPECT_DOUBLE_EQ(h["comma_fraction"].get<double>(), expected.CommaFraction);
        EXPECT_FLOAT_EQ(h["string_length"].get<float>(), expected.StringLength);
        EXPECT_FLOAT_EQ(h["second_string_length"].get<float>(), expected.SecondStringLength);
        EXPECT_EQ(h["use_second_length"], expected.UseSecondLength);
        EXPECT_EQ(h["second_length_from"], expected.SecondLengthFrom);
        EXPECT_FLOAT_EQ(h["a_pitch"].get<float>(), expected.APitch);
        ASSERT_EQ(h["course_notes"].size(), 19u);
        for (int n = 0; n < 19; ++n) {
            EXPECT_EQ(h["course_notes"][n][0], expected.CourseNotes[n].Number) << type << "/" << n;
            EXPECT_EQ(h["course_notes"][n][1], expected.CourseNotes[n].Accidental)
                << type << "/" << n;
            EXPECT_EQ(h["course_kinds"][n], expected.CourseKinds[n]) << type << "/" << n;
        }
        ASSERT_EQ(j["courses"].size(), expected.CourseCount);
        int strings = 0;
        for (const json& c : j["courses"]) {
            strings += static_cast<int>(c["strings"].size());
            EXPECT_EQ(c["strings"].size(), c["kind"] == 3 ? 2u : 1u);
        }
        EXPECT_GE(strings, expected.CourseCount);
        EXPECT_GT(j["bridge_tension"].get<double>(), 0);

        // Opening and saving again gives the same bytes.
        const std::string again = path("again.vrd");
        ASSERT_EQ(calc("convert " + file + " " + again).exitCode, 0);
        EXPECT_EQ(read(again), read(file)) << type;
    }
}

TEST_F(DocumentFiles, NewAltoLuteShowsItsDefaults) {
    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const json j = calc("show " + file + " --json").parsed();
    EXPECT_EQ(j["display_name"], "alto.vrd");
    EXPECT_EQ(j["unit"], "kg");
    const json& c6 = j["courses"][5];
    ASSERT_EQ(c6["strings"].size(), 2u);
    const json& bass = c6["strings"][0];
    const json& octave = c6["strings"][1];
    EXPECT_EQ(octave["number"], bass["number"].get<int>() + 12);
    EXPECT_EQ(bass["alternative"], "Savarez");
    EXPECT_FALSE(bass["catalogue_index"].is_null());
    EXPECT_EQ(octave["alternative"], "Nylgut");
    // 27 N for the octave string, shown in kilogram-force
    EXPECT_NEAR(octave["tension"].get<double>(), 27 / 9.80665, 0.006);
}

// The margins to breaking are the chart's, also with indexes from the preferences file beside a
// settings file.
TEST_F(DocumentFiles, ShowGivesTheChartsMarginsToBreaking) {
    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const std::string settingsFile = path("vorn.vrn");
    vorn::TGlobalData settings;
    std::string error;
    ASSERT_TRUE(vorn::SaveSettingsFile(settingsFile, settings, {}, &error)) << error;
    write(path("vorn.ini"), "[BreakingIndex]\n1\\Material=Gut\n1\\HzM=240\n"
                            "2\\Material=Nylgut\n2\\HzM=0\nsize=2\n");

    for (double gutIndex : {260.0, 240.0}) {
        const bool withIni = gutIndex == 240;
        const CalcRun r =
            calc("show " + file + (withIni ? " --settings " + settingsFile : "") + " --json");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const json j = r.parsed();

        vorn::TGlobalData core;
        core.Materials[0].BreakingIndex = static_cast<float>(gutIndex);
        if (withIni)
            core.Materials[2].BreakingIndex = 0;
        vorn::TFileFrame frame(core);
        frame.ApplyTemplate(3);
        frame.ViewStrings();
        ASSERT_EQ(j["courses"].size(), frame.Chart.Courses.size());
        for (size_t c = 0; c < frame.Chart.Courses.size(); ++c) {
            const auto& course = *frame.Chart.Courses[c];
            for (int which = 0; which < (course.HasSecond() ? 2 : 1); ++which) {
                const json& s = j["courses"][c]["strings"][which];
                const vorn::BreakFigures figures = course.String(which).Breaking(core.Materials);
                EXPECT_EQ(s["f_l"].get<double>(), vorn::ShownFrequencyLength(figures.FL));
                EXPECT_EQ(s["gut_break_margin"].get<double>(),
                          vorn::ShownBreakMargin(figures.GutMargin));
                if (figures.AltMargin)
                    EXPECT_EQ(s["alt_break_margin"].get<double>(),
                              vorn::ShownBreakMargin(*figures.AltMargin));
                else
                    EXPECT_TRUE(s["alt_break_margin"].is_null()) << c;
            }
        }
        const json& chanterelle = j["courses"][0]["strings"][0];
        EXPECT_EQ(chanterelle["f_l"].get<double>(), 251.3);
        EXPECT_EQ(chanterelle["gut_break_margin"].get<double>(), withIni ? -0.8 : 0.59);
        // Nylgut has no index in the preferences: its strings show none.
        EXPECT_EQ(j["courses"][1]["strings"][0]["alternative"], "Nylgut");
        EXPECT_EQ(j["courses"][1]["strings"][0]["alt_break_margin"].is_null(), withIni);
    }

    // The calculator's limit takes the same file's indexes.
    const json limit = calc("limit --length 64 --settings " + settingsFile + " --json").parsed();
    EXPECT_EQ(limit["index"].get<double>(), 240);
    EXPECT_EQ(limit["max_frequency"].get<double>(), 375);
    EXPECT_EQ(calc("limit --length 64 --material Nylgut --settings " + settingsFile).exitCode, 2);
}

// One damaged byte made a loadable lute of 4,966,055,936 cm; its template must end at once.
// One damaged byte once gave a loadable 50,000 km string whose template never ended.
TEST_F(DocumentFiles, AnAbsurdLengthIsRefusedBeforeAnyWork) {
    const std::string good = path("lute.vrd");
    ASSERT_EQ(calc("new 3 " + good).exitCode, 0);
    std::string bytes = read(good);
    const float length = 4966055936.0f;
    bytes.replace(15 + 1, sizeof length, reinterpret_cast<const char*>(&length), sizeof length);
    const std::string damaged = path("damaged.vrd");
    write(damaged, bytes);
    for (const char* suffix : {".svg", ".pdf"}) {
        const std::string output = path(std::string("t") + suffix);
        const CalcRun r = calc("template " + damaged + " --output " + output);
        EXPECT_EQ(r.exitCode, 1) << suffix;
        EXPECT_NE(r.err.find("Unable to load file"), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(output)) << suffix;
    }
    EXPECT_NE(calc("show " + damaged).err.find("Unable to load file"), std::string::npos);
}

TEST_F(DocumentFiles, RefusedFilesSayWhyAndExitOne) {
    const std::string good = path("good.vrd");
    ASSERT_EQ(calc("new 3 " + good).exitCode, 0);
    const std::string bytes = read(good);
    // offsets after the 6-byte version and the title "Vorn" (1 + 8 bytes)
    const size_t header = 15;
    struct Case {
        const char* name;
        std::string data;
    } cases[] = {
        {"short", bytes.substr(0, bytes.size() - 3)},
        {"foreign version", std::string("\x83\0\0\0\0\0", 6) + bytes.substr(6)},
        {"course count 25", bytes.substr(0, header + 24) + '\x19' + bytes.substr(header + 25)},
        {"temperament 12", bytes.substr(0, header + 13) + '\x0c' + bytes.substr(header + 14)},
        {"empty", std::string()},
    };
    for (const Case& c : cases) {
        const std::string file = path("bad.vrd");
        write(file, c.data);
        // Every command that opens a document refuses it the same way.
        for (const std::string command : {"show ", "frets --document ", "placement ", "report "}) {
            const CalcRun r = calc(command + file + (command == "report " ? "" : " --json"));
            EXPECT_EQ(r.exitCode, 1) << command << c.name;
            EXPECT_TRUE(r.out.empty()) << command << c.name;
            EXPECT_NE(r.err.find("Unable to load file"), std::string::npos)
                << command << c.name << ": " << r.err;
        }
    }
    const CalcRun missing = calc("show " + path("nowhere.vrd"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("nowhere.vrd"), std::string::npos);
    const CalcRun badType = calc("new 24 " + path("x.vrd"));
    EXPECT_EQ(badType.exitCode, 2);
    EXPECT_FALSE(fs::exists(path("x.vrd")));
}

TEST_F(DocumentFiles, FretsOfADocumentAreThoseOfItsTopString) {
    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const CalcRun fromDocument = calc("frets --document " + file + " --json");
    ASSERT_EQ(fromDocument.exitCode, 0) << fromDocument.err;
    // The Alto Lute in G: top string g' (67) at 64 cm, A = 440, 1/6.05 comma.
    const CalcRun byHand = calc("frets --open 67 --length 64 --temperament 5 --json");
    ASSERT_EQ(byHand.exitCode, 0) << byHand.err;
    EXPECT_EQ(fromDocument.parsed(), byHand.parsed());
    EXPECT_EQ(calc("frets --document " + file + " --length 60").exitCode, 2);
}

TEST_F(DocumentFiles, FretsFollowTheDocumentsOwnChoicesAndSlider) {
    vorn::TGlobalData settings;
    vorn::TFileFrame frame(settings);
    frame.ApplyTemplate(3);
    frame.Document.CustomPlacement = 1;
    frame.Document.FretMiFa[0] = vorn::fc_mi;
    frame.Document.SetTemperament(vorn::CustomTemperament);
    frame.Document.CommaFraction = 0.2237; // off the slider's half-percent grid
    frame.ViewStrings();
    vorn::ByteWriter bytes;
    vorn::WriteDocument(frame, bytes);
    const std::string file = path("custom.vrd");
    write(file, bytes.bytes());

    const CalcRun r = calc("frets --document " + file + " --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const json j = r.parsed();
    EXPECT_EQ(j["temperament"], "22% Comma Meantone");
    EXPECT_DOUBLE_EQ(j["fifth"].get<double>(), vorn::TemperedFifth(0.225));
    EXPECT_EQ(j["frets"][0]["choice"], vorn::fc_mi);
    EXPECT_EQ(j["frets"][0]["main"]["name"], "g-sharp");
    EXPECT_EQ(j["frets"][2]["choice"], vorn::fc_fa);
}

TEST_F(DocumentFiles, PlacementGridInTheDocumentsKeyOrAnother) {
    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const CalcRun own = calc("placement " + file + " --json");
    ASSERT_EQ(own.exitCode, 0) << own.err;
    const json j = own.parsed();
    vorn::TInstDataType alto;
    alto.ApplyTemplate(3, 5, "");
    EXPECT_EQ(j["key"], alto.Key);
    ASSERT_EQ(j["header"].size(), 12u);
    EXPECT_EQ(j["header"][0], (json{{"fret", 1}, {"state", 1}, {"text", "Fa"}, {"width", 45}}));
    EXPECT_EQ(j["header"][11]["text"], "ve");
    ASSERT_EQ(j["courses"].size(), 6u);
    for (const json& course : j["courses"])
        ASSERT_EQ(course["cells"].size(), 13u);
    const json& nut = j["courses"][0]["cells"][0];
    EXPECT_EQ(nut["number"], alto.CourseNotes[0].Number);
    EXPECT_EQ(nut["colour"], "nut");

    // Db major spells pitch class 9 as a double flat; the file keeps its own key.
    const CalcRun flat = calc("placement " + file + " --key 2 --json");
    ASSERT_EQ(flat.exitCode, 0) << flat.err;
    const json f = flat.parsed();
    EXPECT_EQ(f["key_name"], "Db Major");
    bool sawDoubleFlat = false;
    for (const json& cell : f["courses"][0]["cells"])
        if (cell["number"].get<int>() % 12 == 9) {
            EXPECT_EQ(cell["accidental"], vorn::acc_double_flat);
            sawDoubleFlat = true;
        }
    EXPECT_TRUE(sawDoubleFlat);
    EXPECT_EQ(calc("placement " + file + " --json").parsed(), j);
    EXPECT_EQ(calc("placement " + file + " --key 30").exitCode, 2);
}

TEST_F(DocumentFiles, ReportInEachFormat) {
    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const CalcRun html = calc("report " + file);
    ASSERT_EQ(html.exitCode, 0) << html.err;
    EXPECT_EQ(html.out.rfind("<html>\r\n<head>\r\n<title>alto.vrd</title>\r\n", 0), 0u);
    EXPECT_NE(html.out.find("Fret Chart for 64 cm."), std::string::npos);

    const CalcRun frets = calc("report " + file + " --charts frets --format text");
    ASSERT_EQ(frets.exitCode, 0) << frets.err;
    EXPECT_EQ(frets.out.rfind("Fret Chart for 64 cm. string length.\r\n", 0), 0u);
    EXPECT_EQ(frets.out.find("String Chart"), std::string::npos);

    const std::string written = path("alto.html");
    ASSERT_EQ(calc("report " + file + " --output " + written).exitCode, 0);
    EXPECT_EQ(read(written), html.out);

    const std::string pdf = path("alto.pdf");
    const CalcRun made = calc("report " + file + " --format pdf --output " + pdf);
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(read(pdf).rfind("%PDF", 0), 0u);

    for (const char* bad : {" --format pdf", " --format rtf", " --charts none"}) {
        const CalcRun r = calc("report " + file + bad);
        EXPECT_EQ(r.exitCode, 2) << bad;
        EXPECT_FALSE(r.err.empty()) << bad;
    }
}

// A wide report (a 14-course theorbo with octave strings and catalogue numbers) set on either
// paper: every word of its text is in the PDF, and every word lies within the page's 15 mm
// margins, where the PDF clips what it draws.
TEST_F(DocumentFiles, ReportPdfFitsThePage) {
    const double ReportMargin = 15 / 25.4 * 72 - 0.5; // points
    const std::string made = path("theorbo.vrd"), file = path("wide.vrd");
    ASSERT_EQ(calc("new 13 " + made).exitCode, 0);
    const CalcRun changed =
        calc("change " + made + " --course-kinds bass-octave --alt Pyramid --output " + file);
    ASSERT_EQ(changed.exitCode, 0) << changed.err;
    const CalcRun text = calc("report " + file + " --format text");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    ASSERT_NE(text.out.find("Catalogue number"), std::string::npos);

    const struct {
        const char* paper;
        double width, height; // points
    } papers[] = {{"a4", 595.3, 841.9}, {"letter", 612, 792}};
    for (const auto& p : papers) {
        const std::string pdf = path(std::string(p.paper) + ".pdf");
        const CalcRun r =
            calc("report " + file + " --format pdf --paper " + p.paper + " --output " + pdf);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const vorn::testing::PdfWords words = vorn::testing::ReadPdfWords(pdf);
        ASSERT_TRUE(words.Read) << "pdftotext (poppler-utils) is needed";
        for (const auto& [width, height] : words.Pages) {
            EXPECT_NEAR(width, p.width, 0.5) << p.paper;
            EXPECT_NEAR(height, p.height, 0.5) << p.paper;
        }
        for (const std::string& off : words.Outside(ReportMargin))
            ADD_FAILURE() << p.paper << ": outside the printed area: " << off;
        std::istringstream tokens(text.out);
        std::string token;
        while (tokens >> token)
            EXPECT_TRUE(words.Has(token)) << p.paper << ": '" << token << "' missing";
    }
    EXPECT_EQ(
        calc("report " + file + " --format pdf --paper a3 --output " + path("x.pdf")).exitCode, 2);
}

// Each change of `vorn-calc change` on an Alto Lute in G, read back with `show`.
// A theorbo in A in quarter comma: its fret names spelled by the interval in the octave of their
// letter (the C-flat above B is c-flat, the B-sharp below c is B-sharp), and transposed a
// semitone up, the fret page of the result starts from the top string `change` wrote, and every
// string has moved by the same interval.
TEST_F(DocumentFiles, FretNamesAndTranspositionAgree) {
    const std::string theorbo = path("theorbo.vrd"), quarter = path("quarter.vrd"),
                      moved = path("moved.vrd");
    ASSERT_EQ(calc("new 13 " + theorbo).exitCode, 0);
    ASSERT_EQ(calc("change " + theorbo + " --temperament 2 --output " + quarter).exitCode, 0);
    const CalcRun frets = calc("frets --document " + quarter + " --json");
    ASSERT_EQ(frets.exitCode, 0) << frets.err;
    const json f = frets.parsed();
    EXPECT_EQ(f["open"]["name"], "A");
    const struct {
        int fret;
        const char* side;
        const char* name;
    } spelled[] = {{2, "alt", "c-flat"}, {2, "main", "B"},      {3, "alt", "B-sharp"},
                   {3, "main", "c"},     {8, "alt", "e-sharp"}, {10, "alt", "f-double sharp"},
                   {10, "main", "g"},    {12, "main", "a"}};
    for (const auto& s : spelled)
        EXPECT_EQ(f["frets"][s.fret - 1][s.side]["name"], s.name) << s.fret << " " << s.side;

    const CalcRun changed = calc("change " + quarter + " --transpose 1 --output " + moved);
    ASSERT_EQ(changed.exitCode, 0) << changed.err;
    const json before = calc("show " + quarter + " --json").parsed();
    const json after = calc("show " + moved + " --json").parsed();
    const json top = after["courses"][0]["strings"][0];
    EXPECT_EQ(top["name"], "B-flat");
    const json up = calc("frets --document " + moved + " --json").parsed();
    EXPECT_EQ(up["open"]["name"], top["name"]);
    EXPECT_DOUBLE_EQ(up["open"]["frequency"].get<double>(), top["frequency"].get<double>());
    EXPECT_EQ(up["frets"][11]["main"]["name"], "b-flat");
    // fret 5: Mi and Fa are both the fourth
    EXPECT_EQ(up["frets"][4]["main"]["name"], "e-flat");
    EXPECT_EQ(up["frets"][4]["alt"]["name"], "e-flat");

    const auto cents = [&](size_t c) {
        return 1200 * std::log2(after["courses"][c]["strings"][0]["frequency"].get<double>() /
                                before["courses"][c]["strings"][0]["frequency"].get<double>());
    };
    ASSERT_EQ(after["courses"].size(), before["courses"].size());
    EXPECT_NEAR(cents(0), 117.108, 0.001); // the diatonic semitone of quarter comma
    for (size_t c = 1; c < after["courses"].size(); ++c)
        EXPECT_NEAR(cents(c), cents(0), 1e-6) << "course " << c + 1;
}

TEST_F(DocumentFiles, ChangeAppliesEachOption) {
    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const json before = calc("show " + file + " --json").parsed();
    const std::string original = read(file);
    const auto each = [](const json& j, const auto& check) {
        for (const json& course : j["courses"])
            for (const json& s : course["strings"])
                check(course, s);
    };
    struct Case {
        const char* options;
        std::function<void(const json&)> check;
    } cases[] = {
        {"--pitch 415", [](const json& j) { EXPECT_EQ(j["header"]["a_pitch"], 415.0); }},
        {"--temperament 2", [](const json& j) { EXPECT_EQ(j["header"]["temperament"], 2); }},
        {"--comma 0.23",
         [](const json& j) {
             EXPECT_EQ(j["header"]["temperament"], 9);
             EXPECT_DOUBLE_EQ(j["header"]["comma_fraction"].get<double>(), 0.23);
         }},
        {"--transpose -2",
         [&](const json& j) {
             for (size_t c = 0; c < j["courses"].size(); ++c)
                 EXPECT_EQ(j["courses"][c]["strings"][0]["number"].get<int>(),
                           before["courses"][c]["strings"][0]["number"].get<int>() - 2);
         }},
        {"--course-kinds single",
         [&](const json& j) {
             each(j, [](const json& course, const json&) { EXPECT_EQ(course["kind"], 1); });
         }},
        {"--courses 12 --new-kind unison",
         [](const json& j) {
             EXPECT_EQ(j["header"]["course_count"], 12);
             EXPECT_EQ(j["courses"][11]["kind"], 2);
         }},
        {"--tension 3 --unit kg",
         [&](const json& j) {
             each(j, [](const json&, const json& s) {
                 EXPECT_NEAR(s["tension"].get<double>(), 3.0, 0.011);
             });
         }},
        {"--alt Nylgut",
         [&](const json& j) {
             each(j, [](const json&, const json& s) { EXPECT_EQ(s["alternative"], "Nylgut"); });
         }},
        {"--length 70 --no-second-length",
         [&](const json& j) {
             EXPECT_EQ(j["header"]["use_second_length"], 0);
             each(j, [](const json&, const json& s) {
                 if (!s["length"].is_null()) {
                     EXPECT_EQ(s["length"], 70.0);
                 }
             });
         }},
        {"--length 70 --second-length 120 --from 8",
         [](const json& j) {
             EXPECT_EQ(j["courses"][6]["strings"][0]["length"], 70.0);
             EXPECT_EQ(j["courses"][7]["strings"][0]["length"], 120.0);
         }},
        {"--gut-density 1.2 --gut-affects length",
         [&](const json& j) {
             // The density is a setting, not part of the file: what the file keeps is the
             // lengths the lighter gut needs for the same diameters and tensions.
             EXPECT_GT(j["courses"][0]["strings"][0]["length"].get<double>(),
                       before["courses"][0]["strings"][0]["length"].get<double>());
         }},
    };
    for (const Case& c : cases) {
        const std::string out = path("changed.vrd");
        const CalcRun r = calc("change " + file + " " + c.options + " --output " + out);
        ASSERT_EQ(r.exitCode, 0) << c.options << ": " << r.err;
        const CalcRun shown = calc("show " + out + " --json");
        ASSERT_EQ(shown.exitCode, 0) << c.options << ": " << shown.err;
        SCOPED_TRACE(c.options);
        c.check(shown.parsed());
    }
    EXPECT_EQ(read(file), original); // the input is left alone
}

TEST_F(DocumentFiles, ChangeRefusesBadValuesAndWritesNothing) {
    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const std::string out = path("never.vrd");
    for (const char* bad :
         {"--pitch 5", "--temperament 9", "--comma 0.5", "--transpose 13", "--courses 3",
          "--course-kinds triple", "--tension 0", "--tension 3000 --unit N", "--alt Silk",
          "--length 200", "--length 70 --second-length 120", "--gut-density 1.2 --gut-affects x",
          "--temperament 2 --comma 0.2"}) {
        const CalcRun r = calc("change " + file + " " + bad + " --output " + out);
        EXPECT_EQ(r.exitCode, 2) << bad << ": " << r.err;
        EXPECT_FALSE(r.err.empty()) << bad;
        EXPECT_FALSE(fs::exists(out)) << bad;
    }
    write(path("broken.vrd"), "not a document");
    const CalcRun refused = calc("change " + path("broken.vrd") + " --pitch 415 --output " + out);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Unable to load file"), std::string::npos);
}

TEST_F(DocumentFiles, ScalaOfATemperamentOrADocument) {
    const std::string scl = path("q.scl");
    const CalcRun q = calc("scl --temperament 2 --output " + scl);
    ASSERT_EQ(q.exitCode, 0) << q.err;
    const std::string text = read(scl);
    EXPECT_NE(text.find("\n 12\n"), std::string::npos);
    EXPECT_NE(text.find("\n 117.10786\n 193.15686\n 310.26471\n"), std::string::npos);
    EXPECT_NE(text.find("\n 1082.89214\n 2/1\n"), std::string::npos);

    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const CalcRun doc = calc("scl " + file + " --notes 17 --output " + path("a.scl"));
    ASSERT_EQ(doc.exitCode, 0) << doc.err;
    EXPECT_NE(read(path("a.scl")).find("1/6 Comma (Gerle-Dowland), alto.vrd"), std::string::npos);

    for (const char* bad : {"--temperament 9", "--comma 0.5", "--temperament 2 --notes 13", "",
                            "--temperament 2 --comma 0.2"}) {
        const CalcRun r = calc(std::string("scl ") + bad + " --output " + path("bad.scl"));
        EXPECT_EQ(r.exitCode, 2) << bad;
        EXPECT_FALSE(fs::exists(path("bad.scl"))) << bad;
    }
}

TEST_F(DocumentFiles, TemplateAsSvgAndPdf) {
    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const CalcRun svg = calc("template " + file + " --output " + path("t.svg"));
    ASSERT_EQ(svg.exitCode, 0) << svg.err;
    EXPECT_NE(read(path("t.svg")).find("class=\"fret\" data-fret=\"14\""), std::string::npos);
    const CalcRun plain = calc("template " + file + " --no-alternatives --output " + path("p.svg"));
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(read(path("p.svg")).find("class=\"alt\""), std::string::npos);
    const CalcRun pdf = calc("template " + file + " --paper letter --output " + path("t.pdf"));
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err;
    EXPECT_EQ(read(path("t.pdf")).rfind("%PDF", 0), 0u);
    EXPECT_EQ(calc("template " + file + " --paper a3 --output " + path("x.pdf")).exitCode, 2);
    EXPECT_EQ(calc("template " + file + " --output " + path("x.png")).exitCode, 2);
    EXPECT_FALSE(fs::exists(path("x.pdf")));
}

// The DXF and CSV carry the distances the document's Fret Chart shows (`frets --document`).
TEST_F(DocumentFiles, TemplateAsDxfAndCsvHoldTheChartsDistances) {
    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const CalcRun chart = calc("frets --document " + file + " --json");
    ASSERT_EQ(chart.exitCode, 0) << chart.err;
    const json frets = chart.parsed()["frets"];
    ASSERT_EQ(calc("template " + file + " --output " + path("t.csv")).exitCode, 0);
    std::istringstream csv(read(path("t.csv")));
    std::string row;
    std::getline(csv, row);
    for (const json& fret : frets) {
        ASSERT_TRUE(std::getline(csv, row));
        std::vector<std::string> f;
        std::istringstream fields(row + ",");
        for (std::string cell; std::getline(fields, cell, ',');)
            f.push_back(cell);
        ASSERT_EQ(f.size(), 6u) << row;
        EXPECT_NEAR(std::stod(f[3]), fret["main"]["distance"].get<double>() * 10, 0.0005);
        if (!fret["alt"].is_null()) {
            const double alt = fret["alt"]["distance"].get<double>() * 10;
            // An alternative on the main position is left out, as the drawings leave it.
            if (f[5].empty()) {
                EXPECT_NEAR(alt, fret["main"]["distance"].get<double>() * 10, 0.01) << row;
            } else {
                EXPECT_NEAR(std::stod(f[5]), alt, 0.0005);
            }
        }
    }

    const CalcRun dxf = calc("template " + file + " --output " + path("t.dxf"));
    ASSERT_EQ(dxf.exitCode, 0) << dxf.err;
    const std::string drawing = read(path("t.dxf"));
    EXPECT_NE(drawing.find("AC1009"), std::string::npos);
    // Fret 14's line starts at its distance, written to the micrometre and beyond.
    const std::string x = vorn::FixedText(frets[13]["main"]["distance"].get<double>() * 10, 6);
    EXPECT_NE(drawing.find(" 10\n" + x + "\n"), std::string::npos) << x;
    ASSERT_EQ(calc("template " + file + " --no-alternatives --output " + path("p.dxf")).exitCode,
              0);
    EXPECT_EQ(read(path("p.dxf")).find("ALTERNATIVES"), std::string::npos);
    EXPECT_NE(drawing.find("ALTERNATIVES"), std::string::npos);
}

TEST_F(DocumentFiles, OrderListAsTextOrCsv) {
    const std::string file = path("alto.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    const CalcRun text = calc("order " + file);
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out.rfind("String order: ", 0), 0u) << text.out;
    EXPECT_NE(text.out.find("\r\nGut\r\n"), std::string::npos);
    EXPECT_NE(text.out.find("\r\nListed: gut strings\r\n"), std::string::npos);
    EXPECT_EQ(text.out.find("Savarez"), std::string::npos); // gut means every string
    const CalcRun csv = calc("order " + file + " --format csv");
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_EQ(csv.out.rfind("supplier,gauge,unit,count,course,string,note\n", 0), 0u);
    const CalcRun nylon = calc("order " + file + " --format csv --by-alternative");
    ASSERT_EQ(nylon.exitCode, 0) << nylon.err;
    EXPECT_NE(nylon.out.find("\nNylon,"), std::string::npos);
    // The basses' catalogue strings as a maker names them.
    EXPECT_NE(nylon.out.find("\nSavarez,"), std::string::npos) << nylon.out;
    EXPECT_EQ(nylon.out.find('('), std::string::npos) << nylon.out;
    EXPECT_EQ(nylon.out.find("  "), std::string::npos) << nylon.out;
    EXPECT_EQ(calc("order " + file + " --format html").exitCode, 2);
    EXPECT_EQ(calc("order " + path("missing.vrd")).exitCode, 1);
}

// Printed at 100%, the PDF's ruler is 100 mm: rendered at 254 dpi (10 pixels a millimetre)
// its line is 1000 pixels long, plus the pen's square ends.
TEST_F(DocumentFiles, TemplatePdfIsFullScale) {
    const std::string file = path("a63.vrd");
    ASSERT_EQ(calc("new 3 " + file).exitCode, 0);
    ASSERT_EQ(calc("change " + file + " --length 63 --output " + file).exitCode, 0);
    const std::string pdf = path("a63.pdf");
    ASSERT_EQ(calc("template " + file + " --output " + pdf).exitCode, 0);
    const std::string pgm = path("page1.pgm");
    ASSERT_EQ(std::system(("pdftoppm -r 254 -gray -f 1 -l 1 " + pdf + " > " + pgm).c_str()), 0)
        << "pdftoppm (poppler-utils) is needed";
    const std::string image = read(pgm);
    std::istringstream header(image);
    std::string magic;
    int width = 0, height = 0, depth = 0;
    header >> magic >> width >> height >> depth;
    ASSERT_EQ(magic, "P5");
    const size_t start = image.size() - static_cast<size_t>(width) * height;
    int longest = 0;
    for (int y = height * 3 / 4; y < height; ++y) {
        int run = 0;
        for (int x = 0; x < width; ++x) {
            const auto v =
                static_cast<unsigned char>(image[start + static_cast<size_t>(y) * width + x]);
            run = v < 128 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_GE(longest, 1000);
    EXPECT_LE(longest, 1006);
}

// The older format's 6-byte reals.
std::string r48(double v) {
    std::string b(6, '\0');
    if (v == 0)
        return b;
    int e = 0;
    const double m = std::frexp(v, &e); // v = m * 2^e, m in [0.5, 1)
    b[0] = static_cast<char>(e - 1 + 129);
    uint64_t f = static_cast<uint64_t>(std::llround((m * 2 - 1) * std::ldexp(1.0, 39)));
    for (int i = 1; i <= 5; ++i, f >>= 8)
        b[i] = static_cast<char>(f & 0xFF);
    return b;
}

std::string str8(const std::string& ascii) {
    std::string s(1, static_cast<char>(ascii.size()));
    for (char c : ascii) {
        s += c;
        s += '\0';
    }
    return s;
}

std::string oldAltoLute(uint8_t code) {
    std::string b("\x81\0\0\0\0\0", 6);
    b += '\x07';
    for (int block : {5, 5, 5, 9}) {
        b += str8("x");
        for (int i = 0; i < block; ++i)
            b += r48(1.5);
    }
    b += std::string("\0\0\0\0", 4);
    b += r48(60) + r48(0);
    b += std::string("\x00\x01\x00", 3);
    b += static_cast<char>(code);
    b += '\x06';
    b += '\0';
    b += str8("Old Lute") + str8("Maker");
    // six courses and one unused character; 0x6E is A (57), 0x61 c (60)
    b += str8(std::string("\x8E\x6C\x6E\x66\x61\x4E\x00", 7));
    b += str8(std::string("\0\0\0\0\0\0\0", 7));
    b += str8("") + str8("");
    for (int s = 0; s < 7; ++s) { // five single strings, then bass and octave
        b += r48(60) + r48(3.2) + str8("");
        for (int i = 0; i < 5; ++i)
            b += r48(0);
    }
    return b;
}

// Each command that writes a document says so under the name the document had before it was
// written: its own name when it has no file yet, the file it was read from otherwise.
TEST_F(DocumentFiles, WrittenDocumentsAreNamedAsBeforeTheWrite) {
    write(path("old.vrd"), oldAltoLute(0));
    ASSERT_EQ(calc("new 3 " + path("alto.vrd")).exitCode, 0);
    const struct {
        std::string command, output, name;
    } cases[] = {
        {"new 10 ", "lute.vrd", "crs_sl"},
        {"convert " + path("old.vrd") + " ", "now.vrd", "Old Lute_Maker_6crs"},
        {"change " + path("alto.vrd") + " --pitch 415 --output ", "changed.vrd", "alto.vrd"},
    };
    for (const auto& c : cases) {
        const CalcRun r = calc(c.command + path(c.output));
        ASSERT_EQ(r.exitCode, 0) << c.command << r.err;
        const size_t to = r.out.find(" to " + path(c.output) + "\n");
        ASSERT_TRUE(r.out.starts_with("Wrote ") && to != std::string::npos) << r.out;
        const std::string name = r.out.substr(6, to - 6);
        EXPECT_NE(name.find(c.name), std::string::npos) << c.command << name;
        EXPECT_NE(name, c.output) << c.command;
    }
    // A file that cannot be read is told apart from one that reads but is no document.
    const CalcRun missing = calc("show " + path("nowhere.vrd"));
    EXPECT_NE(missing.err.find("cannot read " + path("nowhere.vrd") + ": "), std::string::npos)
        << missing.err;
    // The path once, then why: for a document and for a settings file alike.
    for (const std::string& args :
         {"show " + path("nowhere.vrd"),
          "new 10 " + path("n.vrd") + " --settings " + path("nowhere.vrd")})
        EXPECT_EQ(calc(args).err,
                  "vorn-calc: cannot read " + path("nowhere.vrd") + ": No such file or directory\n")
            << args;
    write(path("broken.vrd"), "not a document");
    EXPECT_EQ(calc("show " + path("broken.vrd")).err,
              "vorn-calc: " + path("broken.vrd") + ": Unable to load file\n");
}

TEST_F(DocumentFiles, ConvertImportsAnOlderFile) {
    const std::string old = path("old.vrd");
    write(old, oldAltoLute(0));
    const std::string now = path("now.vrd");
    const CalcRun r = calc("convert " + old + " " + now);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const json j = calc("show " + now + " --json").parsed();
    const json& h = j["header"];
    EXPECT_EQ(h["legacy_byte"], 7);
    EXPECT_EQ(h["temperament"], 7);
    EXPECT_EQ(h["course_count"], 6);
    EXPECT_EQ(h["instrument_name"], "Old Lute");
    EXPECT_EQ(h["maker_name"], "Maker");
    EXPECT_FLOAT_EQ(h["string_length"].get<float>(), 60);
    EXPECT_EQ(h["course_notes"][2][0], 57);
    EXPECT_EQ(h["course_notes"][4][0], 60);
    // 3.2 in the old file is 32 N
    EXPECT_NEAR(j["courses"][0]["strings"][0]["tension"].get<double>(), 32 / 9.80665, 0.006);

    const std::string bowed = path("viol.vrd");
    write(bowed, oldAltoLute(9));
    const CalcRun refused = calc("convert " + bowed + " " + path("viol2.vrd"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Bowed instruments no longer supported"), std::string::npos);
    EXPECT_FALSE(fs::exists(path("viol2.vrd")));
}

} // namespace

namespace {

TEST_F(DocumentFiles, ToneWritesTheImageAndRefusesBadInput) {
    const std::string wav = path("a.wav");
    const CalcRun r = calc("tone 440 --volume 127 --output " + wav);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string img = read(wav);
    ASSERT_EQ(img.size(), 11071u);
    EXPECT_EQ(img.substr(0, 4), "RIFF");
    EXPECT_EQ(static_cast<uint8_t>(img[47]), 158);
    EXPECT_EQ(static_cast<uint8_t>(img[52]), 253);

    struct Case {
        const char* args;
        const char* mentions;
    } cases[] = {{"tone 11 --output x.wav", "HZ"},
                 {"tone 6616 --output x.wav", "HZ"},
                 {"tone 440 --volume 128 --output x.wav", "--volume"},
                 {"tone 44o --output x.wav", "HZ"},
                 {"tone 440", "--output"}};
    for (const Case& c : cases) {
        const CalcRun bad = calc(c.args);
        EXPECT_EQ(bad.exitCode, 2) << c.args;
        EXPECT_NE(bad.err.find(c.mentions), std::string::npos) << c.args << ": " << bad.err;
    }
    EXPECT_EQ(calc("tone 440 --output " + path("no/such/dir/a.wav")).exitCode, 1);
}

} // namespace
