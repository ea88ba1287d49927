// SPDX-License-Identifier: GPL-3.0-or-later

// What vorn-calc writes and prints, whatever stands at the output or is in a name: only
// regular files are written, an output's extension says what it holds, a changed document
// is read back before it lands, and names of any bytes are printed without harm.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "support/CalcRunner.h"
#include "support/FileKinds.h"

using vorn::testing::calc;
using vorn::testing::CalcRun;
namespace fs = std::filesystem;

namespace {

// A short folder of its own: a socket's path must stay within 107 bytes.
class Outputs : public ::testing::Test {
protected:
    void SetUp() override {
        static int count = 0;
        dir_ = fs::temp_directory_path() /
               ("vc-out-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        lute_ = path("alto.vrd");
        ASSERT_EQ(calc("new 3 " + lute_).exitCode, 0);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string quoted(const std::string& p) { return "'" + p + "'"; }

    fs::path dir_;
    std::string lute_;
};

// The two PDF writers, as the report and the fret template use them, against every kind of
// file that may stand at the output.
class PdfOutputs : public Outputs,
                   public ::testing::WithParamInterface<vorn::testing::FileKindCase> {};

TEST_P(PdfOutputs, OnlyARegularFileTakesThePdf) {
    const vorn::testing::FileKindCase& c = GetParam();
    for (const std::string& command :
         {"report " + lute_ + " --format pdf --output ", "template " + lute_ + " --output "}) {
        const fs::path target = dir_ / (command.starts_with("report") ? "r.pdf" : "t.pdf");
        ASSERT_TRUE(vorn::testing::MakeFileKind(c.Kind, target)) << c.Name;
        const std::string before = vorn::testing::DescribeFile(target);
        const CalcRun r = calc(command + target.string());
        const std::string after = vorn::testing::DescribeFile(target);
        if (c.Writable) {
            EXPECT_EQ(r.exitCode, 0) << command << r.err;
            const std::string link =
                c.Kind == vorn::testing::FileKind::link_to_regular ? "link to " : "";
            EXPECT_EQ(after.rfind(link + "regular: %PDF", 0), 0u) << command << after.substr(0, 40);
        } else {
            EXPECT_EQ(r.exitCode, 1) << command;
            EXPECT_EQ(r.out, "") << command;
            EXPECT_NE(r.err.find("cannot write " + target.string()), std::string::npos) << r.err;
            EXPECT_EQ(after, before) << command;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, PdfOutputs, ::testing::ValuesIn(vorn::testing::FileKindCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// An output named for another format than the one written is refused before anything is
// done; no extension, or one the program does not know, is taken as given.
TEST_F(Outputs, AnOutputsExtensionNamesWhatItHolds) {
    const struct {
        std::string args; // %D the document, %O the output
        const char* output;
        int exitCode;
    } cases[] = {
        {"report %D --format pdf --output %O", "r.html", 2},
        {"report %D --format pdf --output %O", "r.vrd", 2},
        {"report %D --format html --output %O", "r.PDF", 2},
        {"report %D --format text --output %O", "r.htm", 2},
        {"report %D --output %O", "r.txt", 2},
        {"scl --temperament 3 --output %O", "s.pdf", 2},
        {"tone 440 --output %O", "t.vrd", 2},
        {"new 3 %O", "n.txt", 2},
        {"convert %D %O", "c.csv", 2},
        {"change %D --pitch 415 --output %O", "c.pdf", 2},
        {"report %D --format pdf --output %O", "r", 0},
        {"report %D --format pdf --output %O", "r.Pdf", 0},
        {"report %D --format pdf --output %O", "r.out", 0},
        {"report %D --format text --output %O", "r.txt", 0},
        {"report %D --output %O", "r.htm", 0},
        {"scl --temperament 3 --output %O", "s.scl", 0},
        {"change %D --pitch 415 --output %O", "c.bak", 0},
    };
    for (const auto& c : cases) {
        std::string args = c.args;
        args.replace(args.find("%O"), 2, path(c.output));
        if (const size_t at = args.find("%D"); at != std::string::npos)
            args.replace(at, 2, lute_);
        const CalcRun r = calc(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << args << ": " << r.err;
        EXPECT_EQ(fs::exists(path(c.output)), c.exitCode == 0) << args;
        if (c.exitCode == 2) {
            EXPECT_NE(r.err.find("has the extension of"), std::string::npos) << r.err;
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        }
        fs::remove(path(c.output));
    }
}

// A read-only output is refused by every writer, root or not: its mode is the owner's word,
// whatever the folder allows.
TEST_F(Outputs, AReadOnlyOutputIsRefusedWithTheReason) {
    const std::pair<std::string, const char*> commands[] = {
        {"new 3 %O", "kept.vrd"},
        {"change %D --pitch 415 --output %O", "kept.vrd"},
        {"report %D --format pdf --output %O", "kept.pdf"},
        {"report %D --format html --output %O", "kept.html"},
        {"template %D --output %O", "kept.pdf"},
        {"template %D --output %O", "kept.dxf"},
        {"scl --temperament 3 --output %O", "kept.scl"},
        {"tone 440 --output %O", "kept.wav"},
    };
    for (const auto& [command, name] : commands) {
        const std::string output = path(name);
        std::ofstream(output) << "kept";
        fs::permissions(output,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        std::string args = command;
        args.replace(args.find("%O"), 2, output);
        if (const size_t at = args.find("%D"); at != std::string::npos)
            args.replace(at, 2, lute_);
        const CalcRun r = calc(args);
        EXPECT_EQ(r.exitCode, 1) << args << ": " << r.err;
        EXPECT_NE(r.err.find("the file is read-only"), std::string::npos) << args << ": " << r.err;
        EXPECT_EQ(vorn::testing::slurp(output), "kept") << args;
        fs::remove(output);
    }
}

// A change that would give a document the reader refuses is refused, and the input stays as
// it was, also when it is the output too.
TEST_F(Outputs, AChangeIsReadBackBeforeItLands) {
    const std::string viol = path("viol.vrd");
    ASSERT_EQ(calc("new 23 " + viol).exitCode, 0);
    const std::string bytes = vorn::testing::slurp(viol);
    // 2000 N on 20 cm strings an octave down at A = 20 Hz: the basses would be some 20 cm
    // of gut.
    const std::string absurd =
        " --pitch 20 --transpose -12 --tension 2000 --unit N --length 20 --output ";
    for (const std::string& output : {viol, path("other.vrd")}) {
        const CalcRun r = calc("change " + viol + absurd + output);
        EXPECT_EQ(r.exitCode, 1) << output;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("cannot change " + viol +
                             ": the change would leave a document "
                             "that does not open again (course "),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(vorn::testing::slurp(viol), bytes);
    }
    EXPECT_FALSE(fs::exists(path("other.vrd")));
    // Each half alone gives a document that opens.
    EXPECT_EQ(calc("change " + viol + " --tension 2000 --unit N --output " + viol).exitCode, 0);
    EXPECT_EQ(calc("show " + viol).exitCode, 0);
}

// File names are bytes: one that is not UTF-8 and holds a control character is shown as valid
// JSON with U+FFFD, escaped in every text, and never ends the program abnormally.
TEST_F(Outputs, NamesOfAnyBytesArePrintedSafely) {
    const std::string odd = path("lute\xff\x1b.vrd");
    fs::copy_file(lute_, odd);
    const CalcRun json = calc("show " + quoted(odd) + " --json");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.parsed()["display_name"], "lute\xEF\xBF\xBD\x1b.vrd");
    EXPECT_EQ(json.out.find('\xff'), std::string::npos);

    const CalcRun table = calc("show " + quoted(odd));
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_EQ(table.out.rfind("lute\\xff\\x1b.vrd\n", 0), 0u) << table.out.substr(0, 40);

    for (const std::string& command : {"report " + quoted(odd) + " --format text",
                                       "order " + quoted(odd), "report " + quoted(odd)}) {
        const CalcRun r = calc(command);
        EXPECT_EQ(r.exitCode, 0) << command << r.err;
        EXPECT_EQ(r.out.find_first_of("\xff\x1b"), std::string::npos) << command;
    }
    const CalcRun missing = calc("show " + quoted(path("gone\xfe\n.vrd")) + " --json");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("gone\\xfe\\n.vrd"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.err.find('\n'), missing.err.size() - 1) << missing.err;
}

} // namespace
