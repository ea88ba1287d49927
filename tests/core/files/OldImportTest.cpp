// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "document/InstrumentTemplates.h"
#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "files/OldFileConversion.h"
#include "io/AtomicFile.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "pitch/Temperaments.h"
#include "strings/StringPhysics.h"
#include "support/OldBodyWriter.h"

namespace vorn {
namespace {

using testing::OldBody;
using testing::OldString;

class OldImport : public ::testing::Test {
protected:
    TGlobalData settings;

    void SetUp() override {
        settings.SetTensionUnit(tt_newtons);
        settings.DefaultTemperament = 2;
    }

    // A new tab, as the main window opens it before the import.
    std::unique_ptr<TFileFrame> NewTab(int type = 3) {
        settings.DefaultInstrumentType = type;
        auto frame = std::make_unique<TFileFrame>(settings);
        frame->NewFromDefaults();
        return frame;
    }

    // Six courses of the alto lute: chanterelle, four unison pairs and a bass pair, so seven
    // string records.
    static OldBody Lute() {
        OldBody b;
        b.TopLength = 61.234;
        b.Strings.assign(7, OldString{61.234, 3.2});
        return b;
    }

    // Returns the bytes left unread.
    size_t Import(TFileFrame& frame, const OldBody& body, LoadResult expected) {
        const std::string bytes = testing::OldBodyBytes(body);
        ByteReader in(bytes);
        const LoadOutcome outcome = ImportOldDocument(frame, in);
        EXPECT_EQ(outcome.Result, expected) << outcome.Message;
        return in.remaining();
    }
};

TEST_F(OldImport, NoteCodes) {
    // Octave = code / 32, name = code % 32; number = N[name] + 12 * (octave + 1).
    const std::pair<char16_t, int> cases[] = {
        {0x6E, 57}, {0x61, 60}, {0x00, 12},   {0xF1, 107},
        {0x22, 25}, {0x43, 37}, {0x016E, 57}, // only the low byte counts
    };
    for (const auto& [code, number] : cases) {
        auto frame = NewTab();
        OldBody body = Lute();
        body.Tuning = {code, 0x7F}; // the last character is never read, whatever it holds
        Import(*frame, body, LoadResult::Loaded);
        EXPECT_EQ(frame->Document.CourseNotes[0].Number, number) << int(code);
    }
}

TEST_F(OldImport, TuningAndSetupTexts) {
    auto frame = NewTab();
    OldBody body = Lute();
    body.Tuning = u"\x61\x61\x61\x61\x61\x61";
    body.Setup = {0, 1, 3, 4, 1};                   // course 2 single, 3 stays, 4 bass with octave
    body.Strings.assign(8, OldString{61.234, 3.2}); // courses 4 and 6 have two strings
    EXPECT_EQ(Import(*frame, body, LoadResult::Loaded), 0u);
    const TInstDataType& d = frame->Document;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(d.CourseNotes[i].Number, 60) << i;
    EXPECT_EQ(d.CourseNotes[5].Number, 43); // the template's G2
    EXPECT_EQ(frame->Chart.Course(0).First.Rec.Note.Number, 60);
    const uint8_t kinds[] = {ck_chanterelle, ck_single, ck_unison, ck_bass_with_octave, ck_unison};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(d.CourseKinds[i], kinds[i]) << i;
    EXPECT_TRUE(frame->Chart.Course(3).HasSecond());
}

TEST_F(OldImport, InstrumentCodes) {
    // The tab starts as a Baroque guitar, which codes without a template keep.
    const std::pair<uint8_t, int> cases[] = {{0, 3},  {1, 10}, {2, 8},  {3, 13},  {4, 15},
                                             {5, 16}, {6, 17}, {7, 17}, {12, 16}, {255, 16}};
    for (const auto& [code, type] : cases) {
        auto frame = NewTab(16);
        OldBody body = Lute();
        body.Code = code;
        body.Strings.assign(12, OldString{61.234, 3.2}); // enough for any of the set-ups
        Import(*frame, body, LoadResult::Loaded);
        EXPECT_EQ(frame->Document.InstrumentType, type) << int(code);
        EXPECT_EQ(frame->Family, FamilyOfType(type)) << int(code);
        EXPECT_EQ(frame->Document.CourseCount, 6) << int(code);
    }
}

TEST_F(OldImport, FieldsAndStringsFromTheFile) {
    auto frame = NewTab();
    OldBody body = Lute();
    body.First = 0x3C;
    body.PitchFlag = 0;
    body.Name = "Laute";
    body.Maker = "Tieffenbrucker";
    body.Strings[0] = {62.5, 3.2};
    body.Strings[5] = {63, 5.5};  // course 6, the bass
    body.Strings[6] = {99, 2.25}; // and its octave string
    Import(*frame, body, LoadResult::Loaded);
    const TInstDataType& d = frame->Document;
    EXPECT_EQ(d.LegacyByte, 0x3C);
    EXPECT_EQ(d.APitch, 415.0f);
    EXPECT_EQ(d.StringLength, static_cast<float>(61.234));
    EXPECT_EQ(d.TemperamentName(), "1/11 Comma (Equal Temperament)");
    EXPECT_DOUBLE_EQ(d.CommaFraction, 1.0 / 11);
    EXPECT_EQ(frame->DisplayName(), "Laute_Tieffenbrucker_6crs_sl61.23");

    const StringRecord& first = frame->Chart.Course(0).First.Rec;
    EXPECT_EQ(first.Length, 62.5f);
    // The file holds tens of newtons; they give the diameter, which a document file keeps, and
    // the tension shown is what that diameter gives back, as every reopening shows it.
    const float gut = settings.Materials.Reference().Density;
    const auto diameter = static_cast<float>(RoundToDigits(
        CalcDiameter(62.5f, first.Frequency, 32.0L, gut), settings.GutDiameterDigits));
    EXPECT_EQ(first.GutDiameter, diameter);
    EXPECT_EQ(first.TensionN, SettledTension(CalcTension(gut, diameter, 62.5f, first.Frequency),
                                             settings.TensionDigits));
    EXPECT_NEAR(first.TensionN, 32.0f, 0.05f);
    EXPECT_EQ(frame->Chart.Course(1).First.Rec.Length, 61.23f);
    const TOneCrsPanel& bass = frame->Chart.Course(5);
    ASSERT_TRUE(bass.HasSecond());
    EXPECT_NEAR(bass.First.Rec.TensionN, 55.0f, 0.05f);
    EXPECT_NEAR(bass.Second->Rec.TensionN, 22.5f, 0.05f);
    EXPECT_EQ(bass.Second->Rec.Length, 63.0f); // follows the bass

    settings.SetTensionUnit(tt_kilograms);
    auto inKilograms = NewTab();
    Import(*inKilograms, Lute(), LoadResult::Loaded);
    EXPECT_EQ(inKilograms->Chart.Course(0).First.ShownTension(settings), 3.26f); // 32 / 9.80665
}

TEST_F(OldImport, KeepsTheFilesSecondLength) {
    // The theorbo template has 160 from course 8; the file says 150 from course 9.
    auto frame = NewTab(13);
    frame->ViewStrings();
    OldBody body = Lute();
    body.Code = 3;
    body.Courses = 10;
    body.SecondLength = 150;
    body.SecondFrom = 9;
    body.UseSecond = 1;
    body.Strings.assign(10, OldString{150, 6});
    EXPECT_EQ(Import(*frame, body, LoadResult::Loaded), 0u);
    const TInstDataType& d = frame->Document;
    EXPECT_EQ(d.SecondStringLength, 150.0f);
    EXPECT_EQ(d.SecondLengthFrom, 9);
    EXPECT_EQ(d.UseSecondLength, 1);
    EXPECT_EQ(frame->Chart.CourseCount(), 10);
}

TEST_F(OldImport, RefusedFilesLeaveTheTab) {
    struct Case {
        const char* what;
        void (*change)(OldBody&);
        size_t cut; // bytes removed from the end
        const char* message = "Unable to load file";
    };
    const char* bowed = "Bowed instruments no longer supported";
    const Case cases[] = {
        {"code 8", [](OldBody& b) { b.Code = 8; }, 0, bowed},
        {"code 9", [](OldBody& b) { b.Code = 9; }, 0, bowed},
        {"code 11", [](OldBody& b) { b.Code = 11; }, 0, bowed},
        {"3 courses", [](OldBody& b) { b.Courses = 3; }, 0},
        {"20 courses", [](OldBody& b) { b.Courses = 20; }, 0},
        {"name code 18",
         [](OldBody& b) {
             b.Tuning = {0x6E, 0x72, 0x6E};
         },
         0},
        {"name code 31",
         [](OldBody& b) {
             b.Tuning = {0x1F, 0x6E};
         },
         0},
        {"top length 0", [](OldBody& b) { b.TopLength = 0; }, 0},
        {"top length 4.97e9", [](OldBody& b) { b.TopLength = 4.966e9; }, 0},
        {"top length 19.9", [](OldBody& b) { b.TopLength = 19.9; }, 0},
        {"second length -5", [](OldBody& b) { b.SecondLength = -5; }, 0},
        {"second length 221", [](OldBody& b) { b.SecondLength = 221; }, 0},
        {"string length 1001", [](OldBody& b) { b.Strings[1].Length = 1001; }, 0},
        {"string length 0.004", [](OldBody& b) { b.Strings[3].Length = 0.004; }, 0},
        {"tension -1", [](OldBody& b) { b.Strings[2].Tension = -1; }, 0},
        // 3.5e38 N is beyond a float, 3.57e37 kg is not: the calculations work in newtons.
        {"tension 3.5e37", [](OldBody& b) { b.Strings[5].Tension = 3.5e37; }, 0},
        // Beyond what a tension cell takes (10000 N); one file gave a bridge of 9.9e23 kg.
        {"tension 1000.5", [](OldBody& b) { b.Strings[0].Tension = 1000.5; }, 0},
        {"tension 9.7e23", [](OldBody& b) { b.Strings[6].Tension = 9.7e23; }, 0},
        {"a string record missing", [](OldBody& b) { b.Strings.pop_back(); }, 0},
        {"last byte missing", [](OldBody&) {}, 1},
        {"cut in the maker", [](OldBody&) {}, 7 * 55 + 20},
    };
    settings.SetTensionUnit(tt_kilograms);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto frame = NewTab();
        const TInstDataType before = frame->Document;
        OldBody body = Lute();
        c.change(body);
        std::string bytes = testing::OldBodyBytes(body);
        bytes.resize(bytes.size() - c.cut);
        ByteReader in(bytes);
        const LoadOutcome outcome = ImportOldDocument(*frame, in);
        EXPECT_EQ(outcome.Result, LoadResult::Failed);
        EXPECT_EQ(outcome.Message, c.message);
        EXPECT_EQ(frame->Document, before);
        EXPECT_FALSE(frame->HasCourseRows());
    }
}

TEST_F(OldImport, TensionsUpToWhatACellTakes) {
    auto frame = NewTab();
    OldBody body = Lute();
    body.Strings[0].Tension = 1000; // 10000 N
    EXPECT_EQ(Import(*frame, body, LoadResult::Loaded), 0u);
    // As reopened from its diameter, rounded to 0.01 mm.
    EXPECT_NEAR(frame->Chart.Course(0).First.Rec.TensionN, 10000, 30);
}

TEST_F(OldImport, OpenedOldFileSavesAndReopens) {
    auto frame = NewTab();
    const std::string bytes = testing::OldFileBytes(Lute());
    ByteReader in(bytes);
    ASSERT_EQ(OpenDocument(*frame, in, "/old/laute.vrd").Result, LoadResult::Loaded);
    EXPECT_TRUE(frame->FileName.empty());
    EXPECT_EQ(frame->ImportedFrom, "/old/laute.vrd");
    EXPECT_TRUE(frame->FilePath.empty());
    EXPECT_TRUE(in.atEnd());

    ByteWriter out;
    WriteDocument(*frame, out);
    TFileFrame reopened(settings);
    ByteReader again(out.bytes());
    ASSERT_EQ(ReadDocument(reopened, again, "laute.vrd").Result, LoadResult::Loaded);
    EXPECT_EQ(reopened.Document, frame->Document);
    EXPECT_EQ(reopened.Chart.Course(5).Second->Rec.GutDiameter,
              frame->Chart.Course(5).Second->Rec.GutDiameter);
}

TEST(ConvertedName, NamesANewFileBesideTheOld) {
    const std::pair<const char*, const char*> cases[] = {
        {"/old/lute.vrd", "lute (converted).vrd"},     {"lute.VRD", "lute (converted).vrd"},
        {"/old/theorbo", "theorbo (converted).vrd"},   {"/old/.hidden", ".hidden (converted).vrd"},
        {"/old/viol.1.vrd", "viol.1 (converted).vrd"},
    };
    for (const auto& [old, converted] : cases)
        EXPECT_EQ(ConvertedName(old), converted) << old;
}

// An old file on disk opens as an import with no file of its own: nothing a save does can
// replace it, and the first save names the new file.
TEST_F(OldImport, AnOpenedOldFileIsNotTheDocumentsOwnFile) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("vorn-import-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string old = (folder / "lute.vrd").string();
    const std::string oldBytes = testing::OldFileBytes(Lute());
    ASSERT_TRUE(WriteFileAtomically(old, oldBytes));

    auto frame = NewTab();
    ASSERT_EQ(OpenDocumentFile(*frame, old).Result, LoadResult::Loaded);
    EXPECT_EQ(frame->ImportedFrom, old);
    EXPECT_TRUE(frame->FilePath.empty());
    EXPECT_FALSE(frame->Disk.Known());
    // Never named for the old file, which a save would then propose to replace.
    EXPECT_NE(frame->DisplayName(), "lute.vrd");

    const std::string converted = (folder / "lute (converted).vrd").string();
    ASSERT_TRUE(SaveDocumentFile(*frame, converted));
    EXPECT_TRUE(frame->ImportedFrom.empty());
    EXPECT_EQ(frame->FilePath, converted);
    std::string after;
    ASSERT_TRUE(ReadWholeFile(old, after));
    EXPECT_EQ(after, oldBytes);

    // Reading a current file into the frame leaves no trace of the import.
    auto reopened = NewTab();
    ASSERT_EQ(OpenDocumentFile(*reopened, converted).Result, LoadResult::Loaded);
    EXPECT_TRUE(reopened->ImportedFrom.empty());
    EXPECT_EQ(reopened->FilePath, converted);
    fs::remove_all(folder);
}

// Every value a string row shows, one text per string.
std::vector<std::string> ShownRows(const TFileFrame& frame) {
    std::vector<std::string> rows;
    for (const auto& course : frame.Chart.Courses)
        for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
            const StringRecord& r = course->String(which).Rec;
            rows.push_back(std::to_string(r.Length) + " " + std::to_string(r.TensionN) + " " +
                           std::to_string(r.GutDiameter) + " " + r.AltChoice + " " +
                           r.AltText(frame.Settings.Materials));
        }
    return rows;
}

// What the user sees right after the import is what Save and Open brings back, for lutes of
// many lengths and tensions given with more decimals than the program shows.
TEST_F(OldImport, ImportedRowsAreWhatSaveAndOpenShow) {
    for (VornTensType unit : {tt_kilograms, tt_newtons}) {
        settings.SetTensionUnit(unit);
        for (int i = 0; i < 200; ++i) {
            OldBody body = Lute();
            body.TopLength = 55 + 0.173 * i;
            for (size_t s = 0; s < body.Strings.size(); ++s)
                body.Strings[s] = {body.TopLength, 2.3 + 0.0137 * ((i * 7 + s * 13) % 180)};
            auto frame = NewTab();
            const std::string bytes = testing::OldBodyBytes(body);
            ByteReader in(bytes);
            ASSERT_EQ(ImportOldDocument(*frame, in).Result, LoadResult::Loaded);

            ByteWriter out;
            WriteDocument(*frame, out);
            TFileFrame reopened(settings);
            ByteReader again(out.bytes());
            ASSERT_EQ(ReadDocument(reopened, again, "laute.vrd").Result, LoadResult::Loaded);
            ASSERT_EQ(ShownRows(reopened), ShownRows(*frame)) << "lute " << i;
        }
    }
}

} // namespace
} // namespace vorn
