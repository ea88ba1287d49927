// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

#include "chart/GlobalChanges.h"
#include "document/InstrumentTemplates.h"
#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "io/AtomicFile.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "support/Bytes.h"

namespace vorn {
namespace {

using testing::Bytes;
using testing::Put;

std::string Written(TFileFrame& frame) {
    ByteWriter out;
    WriteDocument(frame, out);
    return out.take();
}

size_t TextSize(const std::string& ascii) {
    return 1 + 2 * ascii.size();
}

// Offsets in a body titled "Vorn"; the fields before the name have fixed places.
struct Layout {
    size_t maker, type, notes, kinds, miFa, records;
    Layout(const std::string& name, const std::string& makerName) {
        maker = 42 + TextSize(name);
        type = maker + TextSize(makerName);
        notes = type + 1;
        kinds = notes + 19 * 6;
        miFa = kinds + 19;
        records = miFa + 11;
    }
};

class DocumentFile : public ::testing::Test {
protected:
    TGlobalData settings;

    std::unique_ptr<TFileFrame> NewFrame(int type, bool rows = true) {
        settings.DefaultInstrumentType = type;
        auto frame = std::make_unique<TFileFrame>(settings);
        frame->NewFromDefaults();
        if (rows)
            frame->ViewStrings();
        return frame;
    }
};

TEST_F(DocumentFile, BytesOfTheAltoLute) {
    auto frame = NewFrame(3);
    frame->Document.LegacyByte = 0x5A;
    const std::string bytes = Written(*frame);
    const TInstDataType& d = frame->Document;

    std::string header = Bytes({0x82, 0, 0, 0, 0, 0, 4, 'V', 0, 'o', 0, 'r', 0, 'n', 0, 0x5A});
    header += Bytes({0, 0, 0x80, 0x42, 0, 0, 0, 0, 0, 0, 0xDC, 0x43, 5}); // 64, 0, 440, 1/6 comma
    header += std::string(8, '\0');
    Put(header, header.size() - 8, 1 / 6.05);
    header += Bytes({0, 0, 10, 20, 0, 14}); // from, use, courses, key, placement, name length
    const Layout at(d.InstrumentName, "");
    ASSERT_GT(bytes.size(), at.records);
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    EXPECT_EQ(bytes.substr(at.maker, 8), Bytes({0, 3, 67, 0, 0, 0, 0, 1})); // no maker; G4
    EXPECT_EQ(bytes.substr(at.kinds, 19),
              Bytes({0, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(bytes.substr(at.miFa, 11), Bytes({1, 0, 1, 0, 1, 0, 2, 1, 0, 1, 0}));

    // Header plus one record per course; course 1 has a single string and the filler.
    size_t size = 6 + (1 + 2 * 4) + 27 + TextSize(d.InstrumentName) + TextSize("") + 145;
    for (const auto& c : frame->Chart.Courses)
        size += 16 + TextSize(c->First.Rec.AltChoice) +
                TextSize(c->HasSecond() ? c->Second->Rec.AltChoice : "Gut");
    EXPECT_EQ(bytes.size(), size);
    const size_t filler = at.records + 10 + TextSize(frame->Chart.Course(0).First.Rec.AltChoice);
    EXPECT_EQ(bytes.substr(filler, 13), Bytes({0, 0, 0, 0, 0, 0, 3, 'G', 0, 'u', 0, 't', 0}));
}

TEST_F(DocumentFile, LongNamesAreCutAt255CodeUnits) {
    auto frame = NewFrame(3);
    frame->Document.MakerName = std::string(300, 'm');
    TFileFrame read(settings);
    const std::string bytes = Written(*frame);
    ByteReader in(bytes);
    ASSERT_EQ(ReadDocument(read, in, "a.vrd").Result, LoadResult::Loaded);
    EXPECT_EQ(read.Document.MakerName, std::string(255, 'm'));
}

TEST_F(DocumentFile, DocumentWithoutRowsIsWrittenAsIfTheyWereBuilt) {
    auto unbuilt = NewFrame(12, false);
    const std::string bytes = Written(*unbuilt);
    EXPECT_FALSE(unbuilt->HasCourseRows());
    EXPECT_EQ(bytes, Written(*NewFrame(12)));
}

class TemplateRoundTrip : public DocumentFile, public ::testing::WithParamInterface<int> {};

TEST_P(TemplateRoundTrip, WriteReadWriteKeepsBytesAndFields) {
    auto frame = NewFrame(GetParam());
    TInstDataType& d = frame->Document;
    d.LegacyByte = 0xA7;
    d.MakerName = "Meister";
    d.CustomPlacement = 1;
    d.FretMiFa[2] = 2;
    const std::string first = Written(*frame);

    TFileFrame read(settings);
    ByteReader in(first);
    ASSERT_EQ(ReadDocument(read, in, "/lutes\\my lute.vrd").Result, LoadResult::Loaded);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(read.Document, d); // the 19 notes and kinds beyond the count too
    EXPECT_EQ(read.FileName, "my lute.vrd");
    EXPECT_EQ(read.Family, FamilyOfType(GetParam()));
    ASSERT_EQ(read.Chart.CourseCount(), d.CourseCount);
    for (int i = 0; i < d.CourseCount; ++i) {
        const TOneCrsPanel& a = frame->Chart.Course(i);
        const TOneCrsPanel& b = read.Chart.Course(i);
        ASSERT_EQ(b.HasSecond(), a.HasSecond());
        for (int s = 0; s < (a.HasSecond() ? 2 : 1); ++s) {
            EXPECT_EQ(b.String(s).Rec.Length, a.String(s).Rec.Length);
            EXPECT_EQ(b.String(s).Rec.GutDiameter, a.String(s).Rec.GutDiameter);
            EXPECT_EQ(b.String(s).Rec.AltChoice, a.String(s).Rec.AltChoice);
        }
    }
    EXPECT_EQ(Written(read), first);
}

INSTANTIATE_TEST_SUITE_P(AllTypes, TemplateRoundTrip, ::testing::Range(0, InstrumentTypeCount));

using Mutation = std::function<void(std::string&, const Layout&)>;
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

// The first course record: accidental, length at +1, diameter at +5, step, choice at +10;
// then the second string's accidental and diameter.
size_t SecondOf(const std::string& b, size_t record) {
    return record + 11 + 2 * static_cast<uint8_t>(b[record + 10]);
}

const std::pair<const char*, Mutation> Refused[] = {
    {"version 3.0", [](std::string& b, const Layout&) { b[0] = '\x83'; }},
    {"version -2.0", [](std::string& b, const Layout&) { b[5] = '\x80'; }},
    {"title", [](std::string& b, const Layout&) { b[13] = 'm'; }},
    {"3 courses", [](std::string& b, const Layout&) { b[39] = 3; }},
    {"20 courses", [](std::string& b, const Layout&) { b[39] = 20; }},
    {"type 24", [](std::string& b, const Layout& at) { b[at.type] = 24; }},
    {"temperament 10", [](std::string& b, const Layout&) { b[28] = 10; }},
    {"key 30", [](std::string& b, const Layout&) { b[40] = 30; }},
    {"kind 5 of course 19", [](std::string& b, const Layout& at) { b[at.kinds + 18] = 5; }},
    {"note 128", [](std::string& b, const Layout& at) { Put<int32_t>(b, at.notes + 108, 128); }},
    {"note -1", [](std::string& b, const Layout& at) { Put<int32_t>(b, at.notes, -1); }},
    {"accidental 6 in course 12", [](std::string& b, const Layout& at) { b[at.notes + 70] = 6; }},
    {"length 0", [](std::string& b, const Layout&) { Put(b, 16, 0.0f); }},
    {"length NaN", [](std::string& b, const Layout&) { Put(b, 16, NaN); }},
    {"second length -1", [](std::string& b, const Layout&) { Put(b, 20, -1.0f); }},
    {"second length NaN", [](std::string& b, const Layout&) { Put(b, 20, NaN); }},
    {"pitch 0", [](std::string& b, const Layout&) { Put(b, 24, 0.0f); }},
    {"pitch infinite", [](std::string& b, const Layout&) { Put(b, 24, Inf); }},
    {"comma NaN", [](std::string& b, const Layout&) { Put(b, 29, std::nan("")); }},
    {"comma infinite", [](std::string& b, const Layout&) { Put(b, 29, HUGE_VAL); }},
    // Finite, but the pitch table would hold "-nan Hz." and "inf Hz." everywhere.
    {"comma 1e5", [](std::string& b, const Layout&) { Put(b, 29, 1e5); }},
    {"comma -0.01", [](std::string& b, const Layout&) { Put(b, 29, -0.01); }},
    {"comma 0.3401", [](std::string& b, const Layout&) { Put(b, 29, 0.3401); }},
    {"pitch 19.9", [](std::string& b, const Layout&) { Put(b, 24, 19.9f); }},
    {"pitch 2100.5", [](std::string& b, const Layout&) { Put(b, 24, 2100.5f); }},
    // Lengths no entry takes: one damaged byte gave a lute of 4,966,055,936 cm.
    {"length 4966055936", [](std::string& b, const Layout&) { Put(b, 16, 4966055936.0f); }},
    {"length 19.9", [](std::string& b, const Layout&) { Put(b, 16, 19.9f); }},
    {"length 120.5", [](std::string& b, const Layout&) { Put(b, 16, 120.5f); }},
    {"second length 10", [](std::string& b, const Layout&) { Put(b, 20, 10.0f); }},
    {"second length 230", [](std::string& b, const Layout&) { Put(b, 20, 230.0f); }},
    {"record length 0.5", [](std::string& b, const Layout& at) { Put(b, at.records + 1, .5f); }},
    {"record length 1000.5",
     [](std::string& b, const Layout& at) { Put(b, at.records + 1, 1000.5f); }},
    {"record accidental 6", [](std::string& b, const Layout& at) { b[at.records] = 6; }},
    {"record length -1", [](std::string& b, const Layout& at) { Put(b, at.records + 1, -1.f); }},
    {"record length NaN", [](std::string& b, const Layout& at) { Put(b, at.records + 1, NaN); }},
    // Shown with two decimals it would be 0, and saved so it could not be opened again.
    {"record length 0.004",
     [](std::string& b, const Layout& at) { Put(b, at.records + 1, .004f); }},
    {"diameter -0.5", [](std::string& b, const Layout& at) { Put(b, at.records + 5, -0.5f); }},
    {"diameter infinite", [](std::string& b, const Layout& at) { Put(b, at.records + 5, Inf); }},
    {"second accidental 6",
     [](std::string& b, const Layout& at) { b[SecondOf(b, at.records)] = 6; }},
    {"second diameter NaN",
     [](std::string& b, const Layout& at) { Put(b, SecondOf(b, at.records) + 1, NaN); }},
    // No string is that thick; one file gave 3.4e38 mm, shown beside a tension.
    {"diameter 3.4e38", [](std::string& b, const Layout& at) { Put(b, at.records + 5, 3.4e38f); }},
    {"diameter 100.5", [](std::string& b, const Layout& at) { Put(b, at.records + 5, 100.5f); }},
    {"second diameter 101",
     [](std::string& b, const Layout& at) { Put(b, SecondOf(b, at.records) + 1, 101.0f); }},
    {"cut in the version", [](std::string& b, const Layout&) { b.resize(3); }},
    {"cut in the header", [](std::string& b, const Layout& at) { b.resize(at.notes + 7); }},
    {"cut before the records", [](std::string& b, const Layout& at) { b.resize(at.records); }},
    {"cut in the last record", [](std::string& b, const Layout&) { b.pop_back(); }},
};

const std::pair<const char*, Mutation> Accepted[] = {
    {"type 23", [](std::string& b, const Layout& at) { b[at.type] = 23; }},
    {"temperament 9", [](std::string& b, const Layout&) { b[28] = 9; }},
    {"key 29", [](std::string& b, const Layout&) { b[40] = 29; }},
    {"kind 4", [](std::string& b, const Layout& at) { b[at.kinds + 18] = 4; }},
    {"note 127", [](std::string& b, const Layout& at) { Put<int32_t>(b, at.notes + 108, 127); }},
    {"double sharp", [](std::string& b, const Layout& at) { b[at.records] = 5; }},
    {"diameter 0", [](std::string& b, const Layout& at) { Put(b, at.records + 5, 0.0f); }},
    {"diameter 100", [](std::string& b, const Layout& at) { Put(b, at.records + 5, 100.0f); }},
    // Older files set the flag beside a second length of 0: one length for every course.
    {"second length flag without a length",
     [](std::string& b, const Layout&) {
         b[37] = 6;
         b[38] = 1;
     }},
    {"comma 0.34", [](std::string& b, const Layout&) { Put(b, 29, 0.34); }},
    {"pitch 20", [](std::string& b, const Layout&) { Put(b, 24, 20.0f); }},
    {"pitch 2100", [](std::string& b, const Layout&) { Put(b, 24, 2100.0f); }},
    {"length 20", [](std::string& b, const Layout&) { Put(b, 16, 20.0f); }},
    {"length 120", [](std::string& b, const Layout&) { Put(b, 16, 120.0f); }},
    {"second length 220", [](std::string& b, const Layout&) { Put(b, 20, 220.0f); }},
    {"record length 1000",
     [](std::string& b, const Layout& at) { Put(b, at.records + 1, 1000.0f); }},
    {"trailing bytes", [](std::string& b, const Layout&) { b += "more"; }},
};

TEST_F(DocumentFile, RefusedBodiesLeaveTheFrameAsItWas) {
    const std::string good = Written(*NewFrame(3));
    const Layout at("Alto Lute in G", "");
    for (const auto& [what, mutate] : Refused) {
        SCOPED_TRACE(what);
        std::string bytes = good;
        mutate(bytes, at);
        auto frame = NewFrame(13); // already showing a theorbo, rows and all
        frame->Chart.Course(2).EditLength(70.5);
        frame->FileName = "theorbo.vrd";
        const TInstDataType before = frame->Document;
        ByteReader in(bytes);
        const LoadOutcome outcome = ReadDocument(*frame, in, "bad.vrd");
        EXPECT_EQ(outcome.Result, LoadResult::Failed);
        EXPECT_EQ(outcome.Message, "Unable to load file");
        EXPECT_EQ(frame->Document, before);
        EXPECT_EQ(frame->FileName, "theorbo.vrd");
        EXPECT_EQ(frame->Family, 2);
        ASSERT_EQ(frame->Chart.CourseCount(), 14);
        EXPECT_EQ(frame->Chart.Course(2).First.Rec.Length, 70.5f);

        // A frame that never had rows is loaded in one pass and put back.
        auto fresh = NewFrame(13, false);
        const TInstDataType freshBefore = fresh->Document;
        ByteReader again(bytes);
        EXPECT_EQ(ReadDocument(*fresh, again, "bad.vrd").Result, LoadResult::Failed);
        EXPECT_EQ(fresh->Document, freshBefore);
        EXPECT_EQ(fresh->Family, 2);
        EXPECT_FALSE(fresh->HasCourseRows());
        EXPECT_TRUE(fresh->FileName.empty());
    }
    for (const auto& [what, mutate] : Accepted) {
        std::string bytes = good;
        mutate(bytes, at);
        TFileFrame frame(settings);
        ByteReader in(bytes);
        EXPECT_EQ(ReadDocument(frame, in, "edge.vrd").Result, LoadResult::Loaded) << what;
    }
}

// The reader says which value it refused, for vorn-calc and the checked changes; the message
// the window shows stays the one it always was.
TEST_F(DocumentFile, RefusalsNameTheValue) {
    const std::string good = Written(*NewFrame(3));
    const Layout at("Alto Lute in G", "");
    const struct {
        const char* what;
        Mutation mutate;
        const char* reason;
    } cases[] = {
        {"diameter", [](std::string& b, const Layout& l) { Put(b, l.records + 5, 3.4e38f); },
         "course 1: gut diameter 3.4e+38 mm is outside 0..100"},
        {"length", [](std::string& b, const Layout&) { Put(b, 16, 4966055936.0f); },
         "string length 4.96606e+09 cm is outside 20..120"},
        {"kind", [](std::string& b, const Layout& l) { b[l.kinds + 18] = 5; },
         "course 19: kind 5 is beyond 4"},
        {"cut", [](std::string& b, const Layout&) { b.pop_back(); },
         "course 10: unexpected end of data"},
        {"not a document", [](std::string& b, const Layout&) { b[13] = 'm'; }, ""},
    };
    for (const auto& c : cases) {
        std::string bytes = good;
        c.mutate(bytes, at);
        TFileFrame frame(settings);
        ByteReader in(bytes);
        const LoadOutcome outcome = ReadDocument(frame, in, "bad.vrd");
        EXPECT_EQ(outcome.Message, "Unable to load file") << c.what;
        EXPECT_EQ(outcome.Reason, c.reason) << c.what;
    }
}

// A flag without a length is read as no second length and written so: every course, those
// added later too, takes the top length, and saving gives a file that says so.
TEST_F(DocumentFile, SecondLengthFlagWithoutALengthIsOneLength) {
    std::string bytes = Written(*NewFrame(3));
    bytes[37] = 6; // from course 6
    bytes[38] = 1; // in use
    TFileFrame frame(settings);
    ByteReader in(bytes);
    ASSERT_EQ(ReadDocument(frame, in, "old.vrd").Result, LoadResult::Loaded);
    EXPECT_EQ(frame.Document.UseSecondLength, 0);
    frame.Chart.AppendCourse(ck_bass_with_octave);
    frame.Chart.AppendCourse(ck_bass_with_octave);
    for (const auto& course : frame.Chart.Courses)
        EXPECT_EQ(course->First.Rec.Length, 64.0f) << course->Number;
    const std::string saved = Written(frame);
    EXPECT_EQ(saved[38], 0);
    EXPECT_EQ(saved[37], 6); // carried as it was
    TFileFrame again(settings);
    ByteReader back(saved);
    EXPECT_EQ(ReadDocument(again, back, "new.vrd").Result, LoadResult::Loaded);
}

TEST_F(DocumentFile, VersionOneHandsOverRightAfterTheVersion) {
    const std::string bytes = Bytes({0x81, 0, 0, 0, 0, 0, 0x99});
    auto frame = NewFrame(3, false);
    const TInstDataType before = frame->Document;
    ByteReader in(bytes);
    const LoadOutcome outcome = ReadDocument(*frame, in, "old.vrd");
    EXPECT_EQ(outcome.Result, LoadResult::OldFormat);
    EXPECT_EQ(outcome.Message, "");
    EXPECT_EQ(in.position(), 6u);
    EXPECT_EQ(frame->Document, before);
}

TEST(SafeFileName, OneNameInAnyFolder) {
    const std::pair<std::string, std::string> cases[] = {
        {"Theorbo in A", "Theorbo in A"},
        {"../x", ".._x"},
        {"..", "_.."},
        {"", "_"},
        {std::string("a\x01\x7f/b", 5), "a___b"},
        {std::string(199, 'x') + "\xc3\xa9", std::string(199, 'x')}, // not half a character
        {std::string(300, 'y'), std::string(200, 'y')},
    };
    for (const auto& [name, safe] : cases)
        EXPECT_EQ(SafeFileName(name), safe) << name;
}

TEST_F(DocumentFile, NewDocumentAndItsName) {
    settings.DefaultTemperament = 2;
    settings.DefaultMaker = "Hans";
    const std::pair<int, int> types[] = {{13, 13}, {22, 22}, {24, 3}, {-1, 3}};
    for (const auto& [wanted, type] : types) {
        auto frame = NewFrame(wanted, false);
        EXPECT_EQ(frame->Document.InstrumentType, type);
        EXPECT_EQ(frame->Family, FamilyOfType(type));
        EXPECT_EQ(frame->Document.Temperament, 2);
        EXPECT_EQ(frame->Document.MakerName, "Hans");
    }

    struct Case {
        const char *maker, *fileName;
        float length;
        int digits;
        const char* name;
    };
    const Case cases[] = {
        {"", "", 64, -2, "Alto Lute in G_10crs_sl64"},
        {"X", "", 64, -2, "Alto Lute in G_X_10crs_sl64"},
        {"", "", 70.5f, -2, "Alto Lute in G_10crs_sl70.5"},
        {"", "", 64.375f, -2, "Alto Lute in G_10crs_sl64.38"}, // exact tie, to even
        {"", "", 64.125f, -2, "Alto Lute in G_10crs_sl64.12"},
        {"", "", 64.12345f, -4, "Alto Lute in G_10crs_sl64.1235"},
        {"X", "lute.vrd", 64, -2, "lute.vrd"},
        // A default name is one file name: separators and refused characters become '_'.
        {"Basso Continu/", "", 64, -2, "Alto Lute in G_Basso Continu__10crs_sl64"},
        {"a\\b:c*d?e\"f<g>h|i\tj", "", 64, -2, "Alto Lute in G_a_b_c_d_e_f_g_h_i_j_10crs_sl64"},
    };
    for (const Case& c : cases) {
        settings.LengthDigits = c.digits;
        auto frame = NewFrame(3, false);
        frame->Document.MakerName = c.maker;
        frame->Document.StringLength = c.length;
        frame->FileName = c.fileName;
        EXPECT_EQ(frame->DisplayName(), c.name);
    }
}

TEST_F(DocumentFile, SaveAndOpenFiles) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("vorn-doc-" + std::to_string(getpid()));
    fs::create_directories(folder / "taken.vrd");
    auto frame = NewFrame(10);
    std::string error;
    EXPECT_FALSE(SaveDocumentFile(*frame, (folder / "taken.vrd").string(), &error));
    EXPECT_TRUE(frame->FileName.empty());

    ASSERT_TRUE(SaveDocumentFile(*frame, (folder / "d.vrd").string(), &error)) << error;
    EXPECT_EQ(frame->FileName, "d.vrd");
    TFileFrame opened(settings), missing(settings);
    EXPECT_EQ(OpenDocumentFile(opened, (folder / "d.vrd").string()).Result, LoadResult::Loaded);
    EXPECT_EQ(opened.Document, frame->Document);
    // A file that cannot be read says why; one that reads but is broken has nothing to add.
    const LoadOutcome none = OpenDocumentFile(missing, (folder / "none.vrd").string());
    EXPECT_EQ(none.Message, "Unable to load file");
    EXPECT_FALSE(none.ReadFailure.empty());
    std::ofstream(folder / "broken.vrd") << "not a document";
    const LoadOutcome broken = OpenDocumentFile(missing, (folder / "broken.vrd").string());
    EXPECT_EQ(broken.Message, "Unable to load file");
    EXPECT_TRUE(broken.ReadFailure.empty());

    // A document that would not open again is not written: the file on disk stays.
    const std::string saved = Written(*frame);
    // 2000 N on 20 cm strings an octave down at A = 20 Hz: basses thicker than any string.
    GlobalTension(frame->Chart, tt_newtons, false, 2000.0f);
    GlobalStringLength(frame->Chart, 20.0f, false, 0.0f, 6);
    GlobalTuning(frame->Chart, 5, 20.0f, -12);
    EXPECT_FALSE(SaveDocumentFile(*frame, (folder / "d.vrd").string(), &error));
    EXPECT_NE(error.find("would not open again (course"), std::string::npos) << error;
    std::string onDisk;
    ASSERT_TRUE(ReadWholeFile((folder / "d.vrd").string(), onDisk));
    EXPECT_EQ(onDisk, saved);
    fs::remove_all(folder);
}

// Closing asks only when work would be lost: a document is changed when saving it would write
// other bytes than it was made, read or saved with.
TEST_F(DocumentFile, ChangedSinceMadeReadOrSaved) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("vorn-chg-" + std::to_string(getpid()));
    fs::create_directories(folder);
    auto frame = NewFrame(3, false);
    EXPECT_FALSE(frame->Changed()); // new, and its rows not built yet
    frame->ViewStrings();
    EXPECT_FALSE(frame->Changed()); // building the rows is no edit
    const float length = frame->Chart.Course(2).First.Rec.Length;
    frame->Chart.Course(2).EditLength(70.5);
    EXPECT_TRUE(frame->Changed());
    frame->Chart.Course(2).EditLength(length);
    EXPECT_FALSE(frame->Changed()); // undone by hand

    frame->Chart.Course(2).EditLength(70.5);
    const std::string path = (folder / "lute.vrd").string();
    ASSERT_TRUE(SaveDocumentFile(*frame, path));
    EXPECT_FALSE(frame->Changed());
    EXPECT_EQ(frame->FilePath, path);

    TFileFrame opened(settings);
    ASSERT_EQ(OpenDocumentFile(opened, path).Result, LoadResult::Loaded);
    EXPECT_FALSE(opened.Changed());
    EXPECT_EQ(opened.FilePath, path);
    opened.Document.InstrumentName = "Laute";
    EXPECT_TRUE(opened.Changed());
    fs::remove_all(folder);
}

} // namespace
} // namespace vorn

namespace vorn {
namespace {

// One document opened with settings in N, kg and lb: the same diameters and catalogue strings,
// every tension the same in newtons.
class OpenedInEveryUnit : public ::testing::TestWithParam<int> {};

TEST_P(OpenedInEveryUnit, GivesTheSameFigures) {
    TGlobalData made;
    made.DefaultInstrumentType = GetParam();
    TFileFrame source(made);
    source.NewFromDefaults();
    source.ViewStrings();
    ByteWriter out;
    WriteDocument(source, out);
    const std::string bytes = out.take();

    std::vector<std::string> first;
    for (VornTensType unit : {tt_newtons, tt_kilograms, tt_pounds}) {
        TGlobalData settings;
        settings.SetTensionUnit(unit);
        TFileFrame opened(settings);
        ByteReader in(bytes);
        ASSERT_EQ(ReadDocument(opened, in, "a.vrd").Result, LoadResult::Loaded);
        std::vector<std::string> figures;
        for (const auto& course : opened.Chart.Courses)
            for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
                const StringRecord& r = course->String(which).Rec;
                const std::string alt = r.IsCatalogue(settings.Materials)
                                            ? std::to_string(r.CatalogueIndex)
                                            : r.AltText(settings.Materials);
                figures.push_back(std::to_string(r.TensionN) + " " + std::to_string(r.GutDiameter) +
                                  " " + r.AltChoice + " " + alt);
            }
        if (first.empty())
            first = figures;
        else
            EXPECT_EQ(figures, first) << "unit " << unit;
    }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, OpenedInEveryUnit, ::testing::Range(0, InstrumentTypeCount));

} // namespace
} // namespace vorn
