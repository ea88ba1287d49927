// SPDX-License-Identifier: GPL-3.0-or-later

// A document fretted by a historical rule or a Scala file: vorn-calc change puts the scale in
// and takes it out again, frets and show follow it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <unistd.h>

#include "document/GlobalData.h"
#include "files/DocumentFile.h"
#include "files/FileFrame.h"
#include "io/ByteWriter.h"
#include "pitch/FretRecord.h"
#include "support/CalcRunner.h"

using nlohmann::json;
using vorn::testing::calc;
using vorn::testing::CalcRun;
namespace fs = std::filesystem;

namespace {

// Ratios on purpose: the file's pitches are read as fractions, not as cents.
const char* const justScale = "! just.scl\n"
                              "Just intonation, Zarlino's ratios\n"
                              " 12\n"
                              "16/15\n9/8\n6/5\n5/4\n4/3\n45/32\n3/2\n8/5\n5/3\n9/5\n15/8\n2/1\n";

class CalcDocumentScale : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vorn_docscale_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        std::ofstream(path("just.scl"), std::ios::binary) << justScale;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string read(const std::string& p) { return vorn::testing::slurp(p); }

    // A new document of an instrument template; fails the test when it cannot be written.
    std::string newDocument(int type, const std::string& name) const {
        const std::string file = path(name);
        const CalcRun r = calc("new " + std::to_string(type) + " " + file);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return file;
    }

    fs::path dir_;
};

// The document's frets are those of the scale on its own top string, length and pitch, in
// both outputs. The second template differs in length, note and pitch from the first.
TEST_F(CalcDocumentScale, FretsOfADocumentFollowItsScale) {
    struct Case {
        int type;
        const char* change; // --rule or --scale, the same for change and frets
    } cases[] = {
        {3, "--rule dowland"},  {3, "--rule galilei"}, {3, "--scale JUST"},
        {11, "--rule Dowland"}, {11, "--scale JUST"},
    };
    for (const Case& c : cases) {
        std::string option = c.change;
        if (const size_t at = option.find("JUST"); at != std::string::npos)
            option.replace(at, 4, path("just.scl"));
        SCOPED_TRACE(std::to_string(c.type) + " " + option);
        const std::string file = newDocument(c.type, "doc.vrd");
        const std::string fretted = path("fretted.vrd");
        const CalcRun changed = calc("change " + file + " " + option + " --output " + fretted);
        ASSERT_EQ(changed.exitCode, 0) << changed.err;

        const json header = calc("show " + fretted + " --json").parsed()["header"];
        const std::string byHand =
            "frets " + option + " --length " + header["string_length"].dump() + " --open " +
            header["course_notes"][0][0].dump() + " --pitch " + header["a_pitch"].dump();
        for (const char* format : {"", " --json"}) {
            const CalcRun fromDocument = calc("frets --document " + fretted + format);
            ASSERT_EQ(fromDocument.exitCode, 0) << fromDocument.err;
            const CalcRun fromScale = calc(byHand + format);
            ASSERT_EQ(fromScale.exitCode, 0) << byHand << ": " << fromScale.err;
            EXPECT_EQ(fromDocument.out, fromScale.out) << byHand;
        }
        // Before the change the same document frets in its temperament.
        const json meantone = calc("frets --document " + file + " --json").parsed();
        EXPECT_FALSE(meantone["fifth"].is_null());
        EXPECT_EQ(meantone.count("source"), 0u);
    }
}

// A 17-note scale of the document's own temperament holds both sides of a chromatic fret: the
// document's Mi and Fa choose, as they do in meantone; a standard page takes the standard ones.
TEST_F(CalcDocumentScale, CustomizedChoicesPickTheSidesOfASeventeenNoteScale) {
    const std::string scl = path("z17.scl");
    ASSERT_EQ(calc("scl --temperament 5 --notes 17 --output " + scl).exitCode, 0);
    for (const bool customized : {false, true}) {
        SCOPED_TRACE(customized ? "customized" : "standard");
        vorn::TGlobalData settings;
        vorn::TFileFrame frame(settings);
        frame.ApplyTemplate(3);
        frame.Document.CustomPlacement = customized ? 1 : 0;
        frame.Document.FretMiFa[0] = vorn::fc_mi; // the standard first fret is a Fa
        frame.ViewStrings();
        vorn::ByteWriter bytes;
        vorn::WriteDocument(frame, bytes);
        const std::string file = path("doc.vrd"), fretted = path("fretted.vrd");
        std::ofstream(file, std::ios::binary) << bytes.bytes();
        ASSERT_EQ(calc("change " + file + " --scale " + scl + " --output " + fretted).exitCode, 0);

        const CalcRun r = calc("frets --document " + fretted + " --json");
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const json first = r.parsed()["frets"][0];
        const json meantone = calc("frets --document " + file + " --json").parsed()["frets"][0];
        EXPECT_EQ(first["choice"], customized ? vorn::fc_mi : vorn::fc_fa);
        EXPECT_EQ(first["choice"], meantone["choice"]);
        EXPECT_EQ(first["main"]["name"], meantone["main"]["name"]);
        EXPECT_NEAR(first["main"]["distance"].get<double>(),
                    meantone["main"]["distance"].get<double>(), 1e-6);
        EXPECT_NEAR(first["alt"]["distance"].get<double>(),
                    meantone["alt"]["distance"].get<double>(), 1e-6);
    }
}

// A scale is kept beside the temperament, not in its place: a temperament or a comma given
// afterwards gives back the very file the scale was put into.
TEST_F(CalcDocumentScale, TakingTheScaleOutRestoresTheFile) {
    struct Case {
        const char* start; // change made before the scale; empty for the template as it is
        const char* scale;
        const char* back;
    } cases[] = {
        {"", "--scale JUST", "--temperament 5"}, // the Alto Lute's own 1/6 comma
        {"", "--rule galilei", "--temperament 5"},
        {"--comma 0.2", "--rule dowland", "--comma 0.2"},
        {"--temperament 2 --pitch 415", "--scale JUST", "--temperament 2"},
    };
    for (const Case& c : cases) {
        std::string scale = c.scale;
        if (const size_t at = scale.find("JUST"); at != std::string::npos)
            scale.replace(at, 4, path("just.scl"));
        SCOPED_TRACE(std::string(c.start) + " / " + scale + " / " + c.back);
        std::string original = newDocument(3, "alto.vrd");
        if (*c.start != '\0') {
            const std::string started = path("started.vrd");
            ASSERT_EQ(calc("change " + original + " " + c.start + " --output " + started).exitCode,
                      0);
            original = started;
        }
        const std::string fretted = path("fretted.vrd"), back = path("back.vrd");
        const CalcRun in = calc("change " + original + " " + scale + " --output " + fretted);
        ASSERT_EQ(in.exitCode, 0) << in.err;
        EXPECT_NE(read(fretted), read(original));
        EXPECT_EQ(read(fretted).compare(0, read(original).size(), read(original)), 0)
            << "the scale's block follows the body, which stays as it was";
        const CalcRun out =
            calc("change " + fretted + " " + std::string(c.back) + " --output " + back);
        ASSERT_EQ(out.exitCode, 0) << out.err;
        EXPECT_EQ(read(back), read(original));
        EXPECT_TRUE(calc("show " + back + " --json").parsed()["header"]["scale"].is_null());
    }
}

// Nothing is written for a scale that cannot be had or options that contradict each other.
TEST_F(CalcDocumentScale, RefusedScalesWriteNothing) {
    std::ofstream(path("bad.scl"), std::ios::binary) << "Broken\n12\n100.0\nhalf\n";
    std::ofstream(path("short.scl"), std::ios::binary)
        << "Five notes\n5\n200.0\n400.0\n700.0\n900.0\n2/1\n";
    const std::string file = newDocument(3, "alto.vrd");
    struct Case {
        std::string options;
        std::string said; // part of the message
    } cases[] = {
        {"--rule kepler", "must be dowland or galilei"},
        {"--scale " + path("missing.scl"), "cannot read"},
        {"--scale " + path("bad.scl"), "line 4"},
        {"--scale " + path("short.scl"), "line "},
        {"--rule dowland --scale " + path("just.scl"), "exclude"},
        {"--rule dowland --temperament 5", "exclude"},
        {"--scale " + path("just.scl") + " --comma 0.2", "exclude"},
    };
    const std::string out = path("never.vrd");
    for (const Case& c : cases) {
        const CalcRun r = calc("change " + file + " " + c.options + " --output " + out);
        EXPECT_EQ(r.exitCode, 2) << c.options << ": " << r.err;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << c.options << ": " << r.err;
        EXPECT_FALSE(fs::exists(out)) << c.options;
    }
}

TEST_F(CalcDocumentScale, ShowNamesTheScaleBesideTheTemperament) {
    const std::string file = newDocument(3, "alto.vrd");
    const json plain = calc("show " + file + " --json").parsed();
    EXPECT_TRUE(plain["header"]["scale"].is_null());
    struct Case {
        std::string option, name, source;
    } cases[] = {
        {"--rule dowland", "Dowland 1610", ""},
        {"--scale " + path("just.scl"), "Just intonation, Zarlino's ratios", "just.scl"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        const std::string fretted = path("fretted.vrd");
        ASSERT_EQ(calc("change " + file + " " + c.option + " --output " + fretted).exitCode, 0);
        json shown = calc("show " + fretted + " --json").parsed();
        const json scale = shown["header"]["scale"];
        EXPECT_EQ(scale["name"], c.name);
        EXPECT_FALSE(scale["source"].get<std::string>().empty());
        if (!c.source.empty()) {
            EXPECT_EQ(scale["source"], c.source);
        }
        // Everything else is as before: the strings keep the temperament.
        shown["header"]["scale"] = nullptr;
        shown["display_name"] = plain["display_name"];
        EXPECT_EQ(shown, plain);

        const CalcRun table = calc("show " + fretted);
        ASSERT_EQ(table.exitCode, 0) << table.err;
        const std::string line = table.out.substr(0, table.out.find("Bridge tension"));
        EXPECT_NE(line.find("Comma"), std::string::npos) << line;
        EXPECT_NE(line.find("frets: " + c.name + " (" + scale["source"].get<std::string>() + ")"),
                  std::string::npos)
            << line;
    }
}

} // namespace

namespace {

// `scl` of a document fretted by a scale writes that scale, which frets as the document does.
TEST_F(CalcDocumentScale, ScalaExportOfADocumentIsItsScale) {
    for (const char* option : {"--rule dowland", "--rule galilei"}) {
        SCOPED_TRACE(option);
        const std::string file = newDocument(3, "doc.vrd");
        const std::string fretted = path("fretted.vrd");
        ASSERT_EQ(calc("change " + file + " " + option + " --output " + fretted).exitCode, 0);
        const std::string scl = path("export.scl");
        const CalcRun exported = calc("scl " + fretted + " --output " + scl);
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        const json byRule = calc(std::string("frets --json --length 60 ") + option).parsed();
        const json byFile = calc("frets --json --length 60 --scale " + scl).parsed();
        ASSERT_EQ(byRule["frets"].size(), byFile["frets"].size());
        for (size_t i = 0; i < byRule["frets"].size(); ++i)
            EXPECT_NEAR(byRule["frets"][i]["main"]["distance"].get<double>(),
                        byFile["frets"][i]["main"]["distance"].get<double>(), 1e-6)
                << i;
    }
}

} // namespace
