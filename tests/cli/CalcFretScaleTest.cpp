// SPDX-License-Identifier: GPL-3.0-or-later

// vorn-calc frets by a historical rule or a Scala file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "support/CalcRunner.h"

using nlohmann::json;
using vorn::testing::calc;
using vorn::testing::CalcRun;
namespace fs = std::filesystem;

namespace {

class CalcFretScale : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("vorn_scale_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string file(const std::string& name, const std::string& text) const {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }

    fs::path dir_;
};

std::vector<double> mainDistances(const json& j) {
    std::vector<double> d;
    for (const json& f : j["frets"])
        d.push_back(f["main"]["distance"].get<double>());
    return d;
}

TEST_F(CalcFretScale, RulesGiveTheirFrets) {
    struct Case {
        const char* args;
        const char* name;
        std::vector<double> cm; // frets 1.. as far as given
    } cases[] = {
        {"frets --rule dowland",
         "Dowland 1610",
         {3.6364, 6.6667, 9.0909, 12.0455, 15.0, 17.5, 20.0, 22.4242, 24.4444, 26.0606, 28.0303,
          30.0, 31.8182, 33.3333}},
        {"frets --rule Galilei --length 54",
         "Galilei 18:17",
         {3.0, 54 * (1 - std::pow(17.0 / 18, 2)), 54 * (1 - std::pow(17.0 / 18, 3))}},
    };
    for (const Case& c : cases) {
        const CalcRun r = calc(std::string(c.args) + " --json");
        ASSERT_EQ(r.exitCode, 0) << c.args << ": " << r.err;
        const json j = r.parsed();
        EXPECT_EQ(j["temperament"], c.name) << c.args;
        EXPECT_TRUE(j["fifth"].is_null()) << c.args;
        EXPECT_FALSE(j["source"].get<std::string>().empty()) << c.args;
        ASSERT_EQ(j["frets"].size(), 14u) << c.args;
        const std::vector<double> got = mainDistances(j);
        for (size_t i = 0; i < c.cm.size(); ++i)
            EXPECT_NEAR(got[i], c.cm[i], 5e-5) << c.args << " fret " << i + 1;
        for (const json& f : j["frets"]) {
            EXPECT_TRUE(f["alt"].is_null()) << c.args;
            EXPECT_EQ(f["choice"], 2) << c.args;
        }
    }
    // A description is printed on its line whatever bytes it holds.
    const CalcRun odd = calc(
        "frets --scale " + file("esc.scl", "Odd \x1b[2J name\n12\n 100.0\n 200.0\n 300.0\n 400.0\n"
                                           " 500.0\n 600.0\n 700.0\n 800.0\n 900.0\n 1000.0\n"
                                           " 1100.0\n 2/1\n"));
    ASSERT_EQ(odd.exitCode, 0) << odd.err;
    EXPECT_NE(odd.out.find("Scale: Odd \\x1b[2J name\n"), std::string::npos) << odd.out;

    const CalcRun text = calc("frets --rule dowland --pitch 415");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    for (const char* line : {"Scale: Dowland 1610\n", "185/396", "Open string: c (246.76 hz.)",
                             "   7       g                20.00 cm   370.14 hz.\n"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line << "\n" << text.out;
}

// A 17-note file as `scl` writes it frets as the temperament does, both sides where it holds
// both notes; a 12-note one on the main side only.
TEST_F(CalcFretScale, OwnScalaFilesFretAsTheTemperament) {
    const CalcRun table = calc("frets --temperament 1 --length 65 --json");
    ASSERT_EQ(table.exitCode, 0) << table.err;
    const json want = table.parsed();
    for (const std::string notes : {"12", "17"}) {
        // Built by append: GCC 12 at -O3 warns (-Wrestrict) on "literal" + string.
        const std::string name = std::string("z").append(notes).append(".scl");
        const std::string path = (dir_ / name).string();
        const CalcRun w = calc(std::string("scl --temperament 1 --notes ")
                                   .append(notes)
                                   .append(" --output ")
                                   .append(path));
        ASSERT_EQ(w.exitCode, 0) << w.err;
        const CalcRun r = calc("frets --scale " + path + " --length 65 --json");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const json got = r.parsed();
        EXPECT_EQ(got["source"], name);
        for (size_t i = 0; i < 14; ++i) {
            const json& g = got["frets"][i];
            const json& t = want["frets"][i];
            EXPECT_NEAR(g["main"]["distance"].get<double>(), t["main"]["distance"].get<double>(),
                        1e-6)
                << notes << " fret " << i + 1;
            EXPECT_EQ(g["main"]["name"], t["main"]["name"]) << notes << " fret " << i + 1;
            if (!g["alt"].is_null()) {
                EXPECT_NEAR(g["alt"]["distance"].get<double>(), t["alt"]["distance"].get<double>(),
                            1e-6)
                    << notes << " fret " << i + 1;
            }
        }
        const auto pairs = std::count_if(got["frets"].begin(), got["frets"].end(),
                                         [](const json& f) { return !f["alt"].is_null(); });
        EXPECT_EQ(pairs, notes == "17" ? 6 : 0) << notes;
    }
}

TEST_F(CalcFretScale, RefusalsSayWhyAndExitTwo) {
    const std::string bad = file("bad.scl", "! bad\nBad\n12\n 100.0\n 90.0\n");
    const std::string big = file("big.scl", std::string(70000, '!'));
    const std::string odd = file("odd.scl", "Odd\n 7\n");
    const std::string fifo = (dir_ / "pipe.scl").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string missing = (dir_ / "missing.scl").string();
    struct Case {
        std::string args;
        std::string mentions;
    } cases[] = {
        {"frets --rule bach", "--rule: 'bach' must be dowland or galilei"},
        {"frets --rule ''", "--rule: '' must be dowland or galilei"},
        {"frets --scale ''", "cannot read"},
        {"frets --rule dowland --temperament 2", "--temperament excludes --rule"},
        {"frets --rule dowland --comma 0.2", "excludes --rule"},
        {"frets --rule dowland --choices 00000000000", "excludes --rule"},
        {"frets --rule dowland --scale " + bad, "excludes"},
        {"frets --scale " + bad + " --temperament 1", "excludes --scale"},
        {"frets --scale " + bad, bad + ": line 5: '90.0' does not rise above the pitch before it"},
        {"frets --scale " + odd, odd + ": line 2: a scale of 7 notes"},
        {"frets --scale " + big, "larger than 64 KiB"},
        {"frets --scale " + missing, "cannot read " + missing},
        {"frets --scale " + fifo, "cannot read " + fifo},
        {"frets --rule galilei --length 10", "outside 20..120 cm"},
    };
    for (const Case& c : cases) {
        const CalcRun r = calc(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args;
        EXPECT_TRUE(r.out.empty()) << c.args << " printed: " << r.out;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << c.args << " said: " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.args << ": " << r.err;
    }
}

} // namespace
