// SPDX-License-Identifier: GPL-3.0-or-later

// End-to-end runs of the vorn-calc program: arguments in, JSON or a message out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <string>

#include "support/CalcRunner.h"

using nlohmann::json;
using vorn::testing::calc;
using vorn::testing::CalcRun;

namespace {

double round2(double v) {
    return std::nearbyint(v * 100) / 100;
}

TEST(CalcNote, QuarterCommaFrequenciesAndNames) {
    struct Case {
        const char* args;
        const char* name;
        const char* shortName;
        int accidental;
        double hz;
    } cases[] = {
        {"note 60 --comma 0.25", "c", "c", 0, 263.181},
        {"note 61 --temperament 2", "c-sharp", "c-#", 4, 275.000},
        {"note 61 --accidental 2 --temperament 2", "d-flat", "d-b", 2, 281.600},
        {"note 64 --temperament 2", "e", "e", 0, 328.977},
        {"note 57 --pitch 415", "A", "A", 0, 207.5},
        {"note 69 --pitch 220", "a", "a", 0, 440.0},
        // quarter comma: the fifth is 5^(1/4), so F lies a fourth 2 / 5^(1/4) above C
        {"note 65 --key 8 --temperament 2", "f", "f", 3, 263.181385 * 2 / std::pow(5.0, 0.25)},
        {"note 61 --comma 0", "c-sharp", "c-#", 4, 278.4375},
    };
    for (const Case& c : cases) {
        const CalcRun r = calc(std::string(c.args) + " --json");
        ASSERT_EQ(r.exitCode, 0) << c.args << ": " << r.err;
        const json j = r.parsed();
        EXPECT_EQ(j["name"], c.name) << c.args;
        EXPECT_EQ(j["short_name"], c.shortName) << c.args;
        EXPECT_EQ(j["accidental"], c.accidental) << c.args;
        EXPECT_NEAR(j["frequency"].get<double>(), c.hz, 0.0006) << c.args;
    }
}

TEST(CalcFrets, DistancesAtSixtyCentimetres) {
    const double quarterMain[14] = {3.92,  6.33,  9.84,  12.00, 15.14, 17.07, 19.88,
                                    22.50, 24.11, 26.46, 27.90, 30.00, 31.96, 33.17};
    const double quarterAlt[14] = {2.58,  7.59,  8.64,  13.12, 15.14, 18.07, 19.88,
                                   21.60, 24.95, 25.65, 28.65, 30.00, 31.29, 33.17};
    const double equal[14] = {3.37,  6.55,  9.55,  12.38, 15.05, 17.57, 19.95,
                              22.20, 24.32, 26.33, 28.22, 30.00, 31.68, 33.27};

    const CalcRun q = calc("frets --temperament 2 --json");
    ASSERT_EQ(q.exitCode, 0) << q.err;
    const json jq = q.parsed();
    EXPECT_EQ(jq["temperament"], "1/4 Comma (Pure major third)");
    EXPECT_NEAR(jq["fifth"].get<double>(), 696.578, 0.0005);
    EXPECT_EQ(jq["open"]["name"], "c");
    ASSERT_EQ(jq["frets"].size(), 14u);
    for (int i = 0; i < 14; ++i) {
        const json& f = jq["frets"][i];
        EXPECT_EQ(f["fret"], i + 1);
        EXPECT_DOUBLE_EQ(round2(f["main"]["distance"].get<double>()), quarterMain[i]) << i + 1;
        if (i == 6 || i == 11) {
            EXPECT_TRUE(f["alt"].is_null()) << "fixed fret " << i + 1;
        } else {
            ASSERT_FALSE(f["alt"].is_null()) << i + 1;
            EXPECT_DOUBLE_EQ(round2(f["alt"]["distance"].get<double>()), quarterAlt[i]) << i + 1;
        }
    }
    EXPECT_EQ(jq["frets"][0]["main"]["name"], "d-flat");
    EXPECT_EQ(jq["frets"][0]["alt"]["name"], "c-sharp");
    EXPECT_EQ(jq["frets"][0]["main"]["interval"], "Diatonic Semitone");

    const CalcRun e = calc("frets --temperament 7 --json");
    ASSERT_EQ(e.exitCode, 0) << e.err;
    const json je = e.parsed();
    for (int i = 0; i < 14; ++i) {
        const json& f = je["frets"][i];
        EXPECT_DOUBLE_EQ(round2(f["main"]["distance"].get<double>()), equal[i]) << i + 1;
        if (!f["alt"].is_null()) {
            EXPECT_DOUBLE_EQ(round2(f["alt"]["distance"].get<double>()), equal[i]) << i + 1;
        }
    }
}

TEST(CalcFrets, ChoicesAndCustomFraction) {
    const CalcRun r = calc("frets --comma 0.23 --choices 00001020000 --length 50 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const json j = r.parsed();
    EXPECT_EQ(j["temperament"], "23% Comma Meantone");
    EXPECT_EQ(j["frets"][0]["choice"], 0);
    EXPECT_EQ(j["frets"][0]["main"]["name"], "c-sharp");
    EXPECT_EQ(j["frets"][0]["main"]["interval"], "Chromatic Semitone");
    EXPECT_DOUBLE_EQ(j["frets"][11]["main"]["distance"].get<double>(), 25.0);
    // frets 13 and 14 follow frets 1 and 2
    EXPECT_EQ(j["frets"][12]["choice"], 0);
}

TEST(CalcString, WorkedExampleBothWays) {
    // Note 69 sounds exactly at the pitch standard: 392 Hz.
    const CalcRun t = calc("string --note 69 --pitch 392 --length 60 --diameter 1 --unit N --json");
    ASSERT_EQ(t.exitCode, 0) << t.err;
    const json jt = t.parsed();
    EXPECT_NEAR(jt["frequency"].get<double>(), 392.0, 1e-9);
    EXPECT_NEAR(jt["tension"].get<double>(), 234.6, 0.05);
    EXPECT_EQ(jt["unit"], "N");
    EXPECT_EQ(jt["alternative"], "Nylon");
    EXPECT_TRUE(jt["catalogue_index"].is_null());
    // above the 200 N limit of gut and nylon
    EXPECT_EQ(jt["limits"]["tension"], 1);

    const CalcRun d =
        calc("string --note 69 --pitch 392 --length 60 --tension 234.6 --unit N --json");
    ASSERT_EQ(d.exitCode, 0) << d.err;
    EXPECT_DOUBLE_EQ(d.parsed()["gut_diameter"].get<double>(), 1.0);
    // nylon of equal tension is thicker than gut: sqrt(1.35 / 1.08) mm
    EXPECT_NEAR(std::stod(d.parsed()["alt_text"].get<std::string>()), std::sqrt(1.35 / 1.08),
                0.0015);
}

TEST(CalcString, KilogramsAndCatalogueAlternative) {
    const CalcRun r = calc("string --note 43 --length 70 --tension 3 --alt Savarez --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const json j = r.parsed();
    EXPECT_EQ(j["unit"], "kg");
    EXPECT_DOUBLE_EQ(j["tension"].get<double>(), 3.0);
    EXPECT_EQ(j["alternative"], "Savarez");
    ASSERT_FALSE(j["catalogue_index"].is_null());
    EXPECT_GT(j["catalogue_index"].get<int>(), 0);
    EXPECT_NE(j["alt_text"].get<std::string>().find("kg.)"), std::string::npos);
    EXPECT_EQ(j["limits"]["alternative"], 0);
}

TEST(CalcString, MarginsToBreaking) {
    // 392 Hz at 60 cm: f·L 235.2 Hz·m, 1.74 semitones under gut's 260 and nylon's 260.
    const CalcRun r = calc("string --note 69 --pitch 392 --length 60 --tension 4 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const json j = r.parsed();
    EXPECT_DOUBLE_EQ(j["f_l"].get<double>(), 235.2);
    EXPECT_DOUBLE_EQ(j["gut_break_margin"].get<double>(), 1.74);
    EXPECT_DOUBLE_EQ(j["alt_break_margin"].get<double>(), 1.74);
    // A wound string has no margin of its own; carbon's index is higher.
    const json wound =
        calc("string --note 69 --pitch 392 --length 60 --tension 4 --alt Pyramid --json").parsed();
    EXPECT_TRUE(wound["alt_break_margin"].is_null());
    EXPECT_DOUBLE_EQ(wound["gut_break_margin"].get<double>(), 1.74);
    const json carbon =
        calc("string --note 69 --pitch 392 --length 60 --tension 4 --alt \"Carbon PVF\" --json")
            .parsed();
    EXPECT_DOUBLE_EQ(carbon["alt_break_margin"].get<double>(), 2.71);
}

// The text gives the margins the JSON gives, and the string's mark with its legend line.
TEST(CalcString, TextMarksByMargin) {
    const struct {
        const char* args;
        const char* lines[3];
        const char* mark; // empty: no "Marks" line and no legend
    } cases[] = {
        {"--pitch 392 --length 55 --tension 4",
         {"Gut margin     3.24 semitones below breaking (Gut, 260 Hz\u00B7m)\n",
          "Alt. margin    3.24 semitones below breaking (Nylon, 260 Hz\u00B7m)\n", ""},
         ""},
        {"--pitch 392 --length 60 --tension 4 --alt Pyramid",
         {"f\u00B7L            235.2 Hz\u00B7m\n",
          "Gut margin     1.74 semitones below breaking (Gut, 260 Hz\u00B7m)\n", ""},
         "^"},
        {"--length 70 --tension 3",
         {"Gut margin     2.93 semitones above breaking (Gut, 260 Hz\u00B7m)\n", "", ""},
         "^^^"},
        {"--length 30 --tension 30",
         {"Tension        30 kg.  (above the maximum tension)\n", "", ""},
         "!"},
    };
    for (const auto& k : cases) {
        const CalcRun r = calc(std::string("string --note 69 ") + k.args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        for (const char* line : k.lines)
            EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
        const std::string mark = k.mark;
        EXPECT_EQ(r.out.find("Marks"), mark.empty() ? std::string::npos : r.out.find("Marks"))
            << r.out;
        if (!mark.empty()) {
            EXPECT_NE(r.out.find("Marks          " + mark + "\n\n" + mark + " "), std::string::npos)
                << r.out;
        }
    }
    EXPECT_EQ(
        calc("string --note 69 --alt Pyramid --length 60 --tension 4").out.find("Alt. margin"),
        std::string::npos);
}

TEST(CalcLimit, HighestNoteBeforeBreaking) {
    struct Case {
        const char* args;
        double index, length, margin, maxFrequency;
        int note;
        const char* name;
    } cases[] = {
        // 260 / 0.64 = 406.25 Hz; g' (392.72 in meantone) is the highest note below.
        {"--length 64", 260, 64, 0, 406.25, 67, "g"},
        // A semitone to spare: 383.45 Hz, f-sharp' (368.97 Hz).
        {"--length 64 --margin 1", 260, 64, 1, 383.4489, 66, "f-sharp"},
        // At A = 415 every note is lower, and g-sharp' (389.90 Hz) comes within the limit.
        {"--length 64 --pitch 415", 260, 64, 0, 406.25, 68, "g-sharp"},
        {"--length 60 --material \"Carbon PVF\"", 275, 60, 0, 458.3333, 69, "a"},
        {"--length 100 --material Copper --margin 12", 105, 100, 12, 52.5, 32, "G-sharp"},
    };
    for (const Case& c : cases) {
        const CalcRun r = calc(std::string("limit ") + c.args + " --json");
        ASSERT_EQ(r.exitCode, 0) << c.args << ": " << r.err;
        const json j = r.parsed();
        EXPECT_DOUBLE_EQ(j["index"].get<double>(), c.index) << c.args;
        EXPECT_DOUBLE_EQ(j["length"].get<double>(), c.length) << c.args;
        EXPECT_DOUBLE_EQ(j["margin"].get<double>(), c.margin) << c.args;
        EXPECT_NEAR(j["max_frequency"].get<double>(), c.maxFrequency, 5e-5) << c.args;
        EXPECT_EQ(j["note"]["number"], c.note) << c.args;
        EXPECT_EQ(j["note"]["name"].get<std::string>().substr(0, std::string(c.name).size()),
                  c.name)
            << c.args;
        const double f = j["note"]["frequency"].get<double>();
        EXPECT_LE(f, j["max_frequency"].get<double>()) << c.args;
        // The next note up would be past the limit.
        const CalcRun next =
            calc(std::string("note ") + std::to_string(c.note + 1) + " " +
                 (std::string(c.args).find("415") != std::string::npos ? "--pitch 415 " : "") +
                 "--json");
        EXPECT_GT(next.parsed()["frequency"].get<double>(), j["max_frequency"].get<double>())
            << c.args;
    }
    const json exact = calc("limit --length 64 --json").parsed();
    EXPECT_EQ(exact["material"], "Gut");
    EXPECT_EQ(exact["max_frequency"].get<double>(), 406.25);
}

TEST(CalcCatalogue, LabelsOfEachMaker) {
    // z = 2.45e8 T / (f L)^2 = 55 at fL = 100 * 392.19 puts Savarez row 1 (NP 55) in reach.
    const CalcRun s =
        calc("catalogue Savarez --frequency 392.19 --length 100 --tension 345.3 --json");
    ASSERT_EQ(s.exitCode, 0) << s.err;
    EXPECT_EQ(s.parsed()["label"], "NP   55 (35.21 kg.)");
    EXPECT_EQ(s.parsed()["index"], 1);

    const CalcRun thin = calc("catalogue Savarez --frequency 400 --length 60 --tension 1 --json");
    ASSERT_EQ(thin.exitCode, 0) << thin.err;
    EXPECT_EQ(thin.parsed()["label"], " * ");
    EXPECT_EQ(thin.parsed()["index"], 0);

    const CalcRun p = calc("catalogue Pyramid --frequency 392.19 --length 100 --tension 345.3 "
                           "--index 1 --unit N --json");
    ASSERT_EQ(p.exitCode, 0) << p.err;
    EXPECT_EQ(p.parsed()["label"].get<std::string>().substr(0, 7), "809al (");
    EXPECT_NE(p.parsed()["label"].get<std::string>().find(" N.)"), std::string::npos);

    const CalcRun k = calc("catalogue Kuerschner --frequency 100 --length 120 --tension 50 --json");
    ASSERT_EQ(k.exitCode, 0) << k.err;
    EXPECT_EQ(k.parsed()["label"].get<std::string>().substr(0, 4), "VN 6");

    const CalcRun a = calc("catalogue Aquila --frequency 100 --length 60 --tension 50 --index 1 "
                           "--json");
    ASSERT_EQ(a.exitCode, 0) << a.err;
    EXPECT_EQ(a.parsed()["label"].get<std::string>().substr(0, 5), "D076 ");
}

TEST(CalcErrors, BadInputNamesTheProblemAndExitsTwo) {
    struct Case {
        const char* args;
        const char* mentions;
    } cases[] = {
        {"note 128", "NUMBER"},
        {"note abc", "NUMBER"},
        {"note 60 --key 30", "--key"},
        {"note 60 --temperament 10", "--temperament"},
        {"note 60 --temperament 2 --comma 0.25", "--comma"},
        {"note 60 --accidental 6", "--accidental"},
        {"note 60 --pitch 0", "--pitch"},
        {"note 60 --pitch nan", "--pitch"},
        {"note 60 --pitch 5000", "20..2100"},
        {"frets --pitch 19.9", "--pitch"},
        {"note 60 --comma 1e6", "--comma"},
        {"frets --comma 0.35", "0..0.34"},
        // Control characters in an argument stay on the message's one line.
        {"frets --length \"$(printf 'six\\nty')\"", "six\\nty"},
        {"\"$(printf 'fr\\tets')\"", "fr\\tets"},
        {"frets --length -3", "--length"},
        {"frets --choices 0101", "--choices"},
        // Frets 2, 5 and 7 keep their standard choice, as in the window.
        {"frets --choices 10101011010", "fret 7 is fixed; its digit must be 2"},
        {"frets --choices 10100021010", "fret 5 is fixed; its digit must be 1"},
        {"frets --choices 12101021010", "fret 2 is fixed; its digit must be 0"},
        {"frets --bogus", "--bogus"},
        {"string --note 60 --length 60", "--tension"},
        {"string --note 60 --length 60 --tension 3 --diameter 1", "--diameter"},
        {"string --note 60 --length 60 --tension 3 --alt Silk", "Silk"},
        {"string --note 60 --length 60 --tension 3 --unit oz", "--unit"},
        {"string --note 60 --length 6x0 --tension 3", "--length"},
        {"catalogue Dunlop --frequency 100 --length 60 --tension 50", "Dunlop"},
        {"limit --length 64 --material Savarez", "Savarez"},
        {"limit --length 64 --material Aquila", "Aquila"},
        {"limit --length 64 --material Silk", "Silk"},
        {"limit --length 64 --margin -1", "--margin"},
        {"limit --length 0.5", "--length"},
        {"limit --material Gut", "--length"},
        {"catalogue Savarez --frequency 100 --length 60 --tension 50 --index 256", "--index"},
        {"catalogue Savarez --length 60 --tension 50", "--frequency"},
        // Finite numbers beyond what the program's fields take, which printed inf, nan or 0.
        {"frets --length 1000000000000000000000000000000000000000",
         "--length: '1000000000000000000000000000000000000000' is outside 20..120 cm"},
        {"frets --length 0.000001", "outside 20..120 cm"},
        {"string --note 60 --length 1000000000000000000000000000000000000000 --tension 30",
         "outside 1..1000 cm"},
        {"string --note 60 --length 0.5 --tension 30", "outside 1..1000 cm"},
        {"string --note 60 --length 60 --tension 1000000000000000000000000000000000000000",
         "--tension: '1000000000000000000000000000000000000000' is outside 0.1..1019"},
        {"string --note 60 --length 60 --tension 2300 --unit lb", "outside 0.1..2248"},
        {"string --note 60 --length 60 --tension 10001 --unit N", "outside 0.1..10000 N"},
        {"string --note 60 --length 60 --diameter 1000000000000000000000000000000000000000",
         "outside 0.1..100 mm"},
        {"catalogue Savarez --frequency 1000000000000000000000000000000000000000 --length 60 "
         "--tension 30",
         "outside 1..100000 Hz"},
        {"catalogue Savarez --frequency 100 --length 1000000000000000000000000000000000000000 "
         "--tension 30",
         "outside 1..1000 cm"},
        {"catalogue Savarez --frequency 100 --length 60 --tension "
         "1000000000000000000000000000000000000000",
         "outside 0.1..10000 N"},
        {"scl --comma 0.5 --output x.scl", "outside 0..0.34"},
        {"", "usage: vorn-calc [--json] command [options]; see vorn-calc --help"},
        {"--json", "see vorn-calc --help"},
        {"sing", "sing"},
    };
    for (const Case& c : cases) {
        const CalcRun r = calc(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args;
        EXPECT_TRUE(r.out.empty()) << c.args << " printed: " << r.out;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << c.args << " said: " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.args << ": " << r.err;
    }
}

TEST(CalcVersion, NamesThePackageVersion) {
    const CalcRun r = calc("--version");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, std::string("vorn-calc ") + VORN_VERSION + "\n");
    EXPECT_TRUE(r.err.empty()) << r.err;
}

// A key may spell A as B-double-flat: it still sounds where the pitch standard puts A.
TEST(CalcNote, KeySpellingKeepsThePitch) {
    for (const char* key : {"0", "1", "7", "13"}) {
        const CalcRun r =
            calc(std::string("note 69 --pitch 440 --temperament 8 --key ") + key + " --json");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_DOUBLE_EQ(r.parsed()["frequency"].get<double>(), 440.0) << "key " << key;
    }
}

TEST(CalcOutput, TablesWithoutJson) {
    const CalcRun r = calc("string --note 69 --pitch 392 --length 60 --diameter 1 --unit N");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // 234.6163 N, held as 23.92 kgf like every solved tension.
    EXPECT_NE(r.out.find("234.58 N."), std::string::npos) << r.out;
    const CalcRun f = calc("frets");
    ASSERT_EQ(f.exitCode, 0);
    EXPECT_NE(f.out.find("1/6 Comma (Gerle-Dowland)"), std::string::npos);
    const CalcRun l = calc("limit --length 64 --margin 1");
    ASSERT_EQ(l.exitCode, 0) << l.err;
    for (const char* line : {"Gut (breaking index 260 Hz\u00B7m)", "1 semitone\n", "383.45 Hz.",
                             "f-sharp (66), 368.97 Hz."})
        EXPECT_NE(l.out.find(line), std::string::npos) << line << "\n" << l.out;
}

} // namespace
