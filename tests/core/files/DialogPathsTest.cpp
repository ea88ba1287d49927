// SPDX-License-Identifier: GPL-3.0-or-later

// The names file dialogs propose and give back, and the folder they start in.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "files/DialogPaths.h"
#include "support/CaseName.h"

namespace vorn {
namespace {

struct ExtensionCase {
    const char* what;
    std::string typed;
    std::string extension;
    std::string saved;
};

class WithExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(WithExtensionTest, TheChosenTypeNamesTheFile) {
    EXPECT_EQ(WithExtension(GetParam().typed, GetParam().extension), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    DialogPaths, WithExtensionTest,
    ::testing::Values(
        ExtensionCase{"bare name", "/w/board", "dxf", "/w/board.dxf"},
        ExtensionCase{"its own extension", "/w/board.dxf", "dxf", "/w/board.dxf"},
        ExtensionCase{"its own in capitals", "/w/BOARD.DXF", "dxf", "/w/BOARD.DXF"},
        ExtensionCase{"another type's extension", "/w/board.pdf", "dxf", "/w/board.pdf.dxf"},
        ExtensionCase{"typed html stays single", "/w/chart.html", "html", "/w/chart.html"},
        ExtensionCase{"a figure after a point", "/w/Alto_10crs_sl64.5", "vrd",
                      "/w/Alto_10crs_sl64.5.vrd"},
        ExtensionCase{"a point in the folder only", "/w/v1.2/board", "svg", "/w/v1.2/board.svg"},
        ExtensionCase{"ending in a point", "/w/board.", "csv", "/w/board.csv"},
        ExtensionCase{"the extension without its point", "/w/boardpdf", "pdf", "/w/boardpdf.pdf"},
        ExtensionCase{"cancelled", "", "pdf", ""}),
    [](const auto& info) { return vorn::testing::CaseName(info.param.what); });

struct BaseNameCase {
    const char* what;
    std::string document;
    std::string base;
};

class DocumentBaseNameTest : public ::testing::TestWithParam<BaseNameCase> {};

TEST_P(DocumentBaseNameTest, DropsTheDocumentsExtension) {
    EXPECT_EQ(DocumentBaseName(GetParam().document), GetParam().base);
}

INSTANTIATE_TEST_SUITE_P(
    DialogPaths, DocumentBaseNameTest,
    ::testing::Values(
        BaseNameCase{"saved document", "lute-a.vrd", "lute-a"},
        BaseNameCase{"capitals", "LUTE-A.VRD", "LUTE-A"},
        BaseNameCase{"new document", "Alto Lute in G_10crs_sl64", "Alto Lute in G_10crs_sl64"},
        BaseNameCase{"a figure after a point", "Theorbo_14crs_sl88.5", "Theorbo_14crs_sl88.5"},
        BaseNameCase{"vrd inside the name", "lute.vrd.old", "lute.vrd.old"},
        BaseNameCase{"only the extension", ".vrd", ".vrd"}),
    [](const auto& info) { return vorn::testing::CaseName(info.param.what); });

struct StartCase {
    const char* what;
    std::string document;
    std::string last;
    std::string home;
    std::string start;
};

class StartFolderTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartFolderTest, NeverTheWorkingFolder) {
    // "docs" and "last" are there as relative names, as the working folder would hold them.
    const std::set<std::string> folders{"/", "/docs", "/last", "/home/a", "docs", "last"};
    const auto isFolder = [&](const std::string& f) { return folders.count(f) > 0; };
    const StartCase& c = GetParam();
    EXPECT_EQ(StartFolder(c.document, c.last, c.home, isFolder), c.start);
}

INSTANTIATE_TEST_SUITE_P(
    DialogPaths, StartFolderTest,
    ::testing::Values(
        StartCase{"the document's folder", "/docs/lute-a.vrd", "/last", "/home/a", "/docs"},
        StartCase{"a file at the root", "/lute-a.vrd", "/last", "/home/a", "/"},
        StartCase{"a new document, the last folder", "", "/last", "/home/a", "/last"},
        StartCase{"the document's folder gone", "/gone/lute-a.vrd", "/last", "/home/a", "/last"},
        StartCase{"the last folder gone", "", "/gone", "/home/a", "/home/a"},
        StartCase{"a relative last folder", "", "last", "/home/a", "/home/a"},
        StartCase{"a relative document path", "docs/lute-a.vrd", "", "/home/a", "/home/a"},
        StartCase{"nothing known", "", "", "", "/"},
        StartCase{"home gone too", "", "/gone", "/nohome", "/"}),
    [](const auto& info) { return vorn::testing::CaseName(info.param.what); });

} // namespace
} // namespace vorn
