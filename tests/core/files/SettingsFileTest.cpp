// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/SettingsFile.h"
#include "io/AtomicFile.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/FileFingerprint.h"
#include "support/ChangedSettings.h"

namespace vorn {
namespace {

std::string BlockBytes(const TGlobalData& s) {
    ByteWriter out;
    s.SaveSettings(out);
    return out.take();
}

// The bytes before the index that ends a file with documents: what older versions write, and
// all they read.
std::string WithoutIndex(const std::string& bytes) {
    int32_t length = 0;
    std::memcpy(&length, bytes.data() + bytes.size() - 12, 4);
    return bytes.substr(0, bytes.size() - static_cast<size_t>(length));
}

// Every field, the materials and the catalogue rows are in the block: equal blocks, equal
// settings.
void ExpectSame(const TGlobalData& a, const TGlobalData& b) {
    EXPECT_EQ(BlockBytes(a), BlockBytes(b));
}

TEST(SettingsFile, BlockRoundTrip) {
    const TGlobalData saved = testing::ChangedSettings();
    TGlobalData loaded;
    const SettingsLoad result = LoadSettingsData(SettingsFileBytes(saved, {}), loaded);
    EXPECT_TRUE(result.Message.empty());
    EXPECT_TRUE(result.BoundsRead);
    EXPECT_TRUE(result.Documents.empty());
    ExpectSame(loaded, saved);
    EXPECT_EQ(loaded.WindowTop, 20);
    EXPECT_EQ(loaded.Materials.Count(), 9);
    EXPECT_EQ(loaded.Catalogues.Aquila.Items.back(), (TAquilaItem{321, 1}));
    EXPECT_EQ(loaded.Catalogues.Aquila.Unit, tt_pounds);
}

TEST(SettingsFile, NotOursOrBrokenGivesDefaultsAndAMessage) {
    const std::string good = SettingsFileBytes(testing::ChangedSettings(), {});
    size_t modes = 6 + 9; // past version, title and the nine string defaults
    for (const TStringDefs& d : testing::ChangedSettings().StringDefs)
        modes += 1 + 2 * d.Name.size() + 4;
    std::string title = good, version = good, mode = good, digits = good;
    title[13] = 'x';
    version[0] = '\x81';
    mode[modes] = 3;
    const int32_t seven = 7;
    std::memcpy(digits.data() + modes + 4, &seven, 4);
    const std::pair<const char*, std::string> cases[] = {
        {"title", title},
        {"version 1.0", version},
        {"mode 3", mode},
        {"digits 7", digits},
        {"cut after the string defaults", good.substr(0, modes + 2)},
        {"cut in the materials", good.substr(0, modes + 60)},
        {"cut in the Aquila rows", good.substr(0, good.size() - 7)},
        {"empty", ""},
    };
    // Finite but beyond what the options let anyone set: the bridge would add up to "inf".
    const auto absurd = [](auto change) {
        TGlobalData s = testing::ChangedSettings();
        change(s);
        return SettingsFileBytes(s, {});
    };
    const std::pair<const char*, std::string> implausible[] = {
        {"default tension 3e38 N", absurd([](TGlobalData& s) { s.StringDefs[0].Tension = 3e38f; })},
        {"default tension -1 N", absurd([](TGlobalData& s) { s.StringDefs[8].Tension = -1; })},
        {"gut density 1e-30", absurd([](TGlobalData& s) { s.Materials[0].Density = 1e-30f; })},
        {"density 101", absurd([](TGlobalData& s) { s.Materials[1].Density = 101; })},
        {"material tension 1e20 N",
         absurd([](TGlobalData& s) { s.Materials[2].MaxTension = 1e20f; })},
    };
    TGlobalData defaults;
    for (const auto& [what, bytes] : implausible) {
        SCOPED_TRACE(what);
        TGlobalData loaded;
        EXPECT_EQ(LoadSettingsData(bytes, loaded).Message, "Unable to load configuration file");
        ExpectSame(loaded, defaults);
    }
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        TGlobalData loaded;
        const SettingsLoad result = LoadSettingsData(bytes, loaded);
        EXPECT_EQ(result.Message, "Unable to load configuration file");
        EXPECT_FALSE(result.BoundsRead);
        EXPECT_TRUE(result.Documents.empty());
        ExpectSame(loaded, defaults);
    }
}

class ReopenBlock : public ::testing::Test {
protected:
    TGlobalData settings = testing::ChangedSettings();
    std::vector<std::unique_ptr<TFileFrame>> tabs;

    std::vector<TFileFrame*> Open(std::initializer_list<std::pair<int, bool>> types) {
        std::vector<TFileFrame*> open;
        for (const auto& [type, rows] : types) {
            settings.DefaultInstrumentType = type;
            tabs.push_back(std::make_unique<TFileFrame>(settings));
            tabs.back()->NewFromDefaults();
            if (rows)
                tabs.back()->ViewStrings();
            open.push_back(tabs.back().get());
        }
        return open;
    }
};

TEST_F(ReopenBlock, ByStartupChoice) {
    const auto open = Open({{3, true}, {10, false}, {16, true}});
    open[2]->FileName = "guitar.vrd";
    settings.StartupChoice = 1;
    EXPECT_EQ(DocumentsToReopen(settings, open, 2), std::vector<TFileFrame*>{open[2]});
    EXPECT_TRUE(DocumentsToReopen(settings, open, 1).empty()); // no rows
    EXPECT_TRUE(DocumentsToReopen(settings, open, 5).empty());
    settings.StartupChoice = 0;
    EXPECT_TRUE(DocumentsToReopen(settings, open, 0).empty());
    EXPECT_EQ(SettingsFileBytes(settings, {}), BlockBytes(settings) + std::string(4, '\0'));

    settings.StartupChoice = 2;
    const auto kept = DocumentsToReopen(settings, open, 0);
    ASSERT_EQ(kept, (std::vector<TFileFrame*>{open[0], open[2]}));
    TGlobalData loaded;
    const SettingsLoad result = LoadSettingsData(SettingsFileBytes(settings, kept), loaded);
    ExpectSame(loaded, settings);
    ASSERT_EQ(result.Documents.size(), 2u);
    EXPECT_EQ(result.Documents[0]->Document, open[0]->Document);
    EXPECT_EQ(result.Documents[1]->Document, open[2]->Document);
    // Unsaved documents come back under their default names.
    EXPECT_EQ(result.Documents[0]->FileName, "Alto Lute in G_Hans Frei_10crs_sl64");
    EXPECT_EQ(result.Documents[1]->FileName, "guitar.vrd");
    EXPECT_EQ(&result.Documents[0]->Settings, &loaded);
}

TEST_F(ReopenBlock, FirstBrokenDocumentEndsTheList) {
    const auto open = Open({{3, true}, {16, true}, {9, true}});
    std::string bytes = SettingsFileBytes(settings, open);
    ByteWriter first;
    WriteDocument(*open[0], first);
    // The second body's title: block, count, first name and body, second name.
    const size_t second = BlockBytes(settings).size() + 4 + 1 + 2 * open[0]->DisplayName().size() +
                          first.bytes().size() + 1 + 2 * open[1]->DisplayName().size();
    bytes[second + 7] = 'W';

    // By the index, the damaged document costs only itself.
    TGlobalData loaded;
    const SettingsLoad result = LoadSettingsData(bytes, loaded);
    EXPECT_TRUE(result.Message.empty());
    ASSERT_EQ(result.Documents.size(), 2u);
    EXPECT_EQ(result.Documents[0]->Document, open[0]->Document);
    EXPECT_EQ(result.Documents[1]->Document, open[2]->Document);
    ASSERT_EQ(result.Refused.size(), 1u);
    EXPECT_EQ(result.Refused[0].Name, open[1]->DisplayName());
    EXPECT_EQ(result.Refused[0].Message, "Unable to load file");
    EXPECT_EQ(result.Refused[0].Reason, "Its copy in the settings file is damaged.");
    ExpectSame(loaded, settings);

    // A file of an older version has no index: the first that does not load ends the list.
    TGlobalData older;
    const SettingsLoad inOrder = LoadSettingsData(WithoutIndex(bytes), older);
    ASSERT_EQ(inOrder.Documents.size(), 1u);
    ASSERT_EQ(inOrder.Refused.size(), 1u);
    EXPECT_EQ(inOrder.Refused[0].Name, open[1]->DisplayName());
    EXPECT_EQ(inOrder.Refused[0].Message, "Unable to load file");
    ExpectSame(older, settings);

    // A file without a reopen block keeps its settings and reopens nothing.
    TGlobalData blockOnly;
    const SettingsLoad none = LoadSettingsData(BlockBytes(settings), blockOnly);
    EXPECT_TRUE(none.Message.empty() && none.Documents.empty() && none.BoundsRead);
}

// After the settings block the file holds a count, then each document as its name and the
// very bytes of its document file.
TEST_F(ReopenBlock, StoredBodiesAreDocumentFiles) {
    const auto open = Open({{3, true}, {13, true}});
    open[1]->FileName = "theorbo.vrd";
    const std::string bytes = SettingsFileBytes(settings, open);
    ByteReader in(bytes);
    in.raw(BlockBytes(settings).size());
    ASSERT_EQ(in.i32(), 2);
    for (size_t i = 0; i < open.size(); ++i) {
        EXPECT_EQ(in.str(), open[i]->DisplayName());
        ByteWriter body;
        WriteDocument(*open[i], body);
        EXPECT_EQ(in.raw(body.bytes().size()), body.bytes());
    }
    // Older versions stop here; the index they never read follows.
    EXPECT_EQ(WithoutIndex(bytes).size(), in.position());
    EXPECT_EQ(bytes.substr(bytes.size() - 8), "VornIdx1");

    TGlobalData loaded;
    const SettingsLoad result = LoadSettingsData(bytes, loaded);
    ASSERT_EQ(result.Documents.size(), 2u);
    for (size_t i = 0; i < open.size(); ++i) {
        EXPECT_EQ(result.Documents[i]->Document, open[i]->Document);
        EXPECT_EQ(result.Documents[i]->FileName, open[i]->DisplayName());
    }
}

// A name kept in an older settings file comes back whole, even where it looks like a path.
TEST_F(ReopenBlock, StoredNamesComeBackAsStored) {
    const auto open = Open({{13, true}});
    open[0]->FileName = "Basso Continu/ Theorbo in A_8crs_sl85";
    TGlobalData loaded;
    const SettingsLoad result = LoadSettingsData(SettingsFileBytes(settings, open), loaded);
    ASSERT_EQ(result.Documents.size(), 1u);
    EXPECT_EQ(result.Documents[0]->FileName, "Basso Continu/ Theorbo in A_8crs_sl85");
    EXPECT_EQ(result.Documents[0]->ProposedFileName(), "Basso Continu_ Theorbo in A_8crs_sl85");
}

// A document with a file of its own is kept under that file's path and comes back changed
// exactly when the file does not hold what the settings kept.
TEST_F(ReopenBlock, KeptDocumentIsMeasuredAgainstItsOwnFile) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("vorn-own-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    enum class Disk { same, editedSince, removed, notADocument };
    const struct {
        const char* name;
        Disk disk;
        bool changed;
    } cases[] = {{"same", Disk::same, false},
                 {"edited", Disk::editedSince, true},
                 {"removed", Disk::removed, true},
                 {"junk", Disk::notADocument, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto open = Open({{13, true}});
        const std::string path = (folder / (std::string(c.name) + ".vrd")).string();
        ASSERT_TRUE(SaveDocumentFile(*open[0], path));
        if (c.disk == Disk::editedSince)
            open[0]->Document.InstrumentName = "Arciliuto";
        if (c.disk == Disk::removed)
            fs::remove(path);
        if (c.disk == Disk::notADocument)
            std::ofstream(path, std::ios::binary) << "not a document";

        const std::string kept = (folder / "vorn.vrn").string();
        ASSERT_TRUE(SaveSettingsFile(kept, settings, open, nullptr));
        TGlobalData loaded;
        const SettingsLoad result = LoadSettingsFile(kept, loaded);
        ASSERT_EQ(result.Documents.size(), 1u);
        TFileFrame& back = *result.Documents[0];
        EXPECT_EQ(back.Document, open[0]->Document);
        EXPECT_EQ(back.FilePath, path);
        EXPECT_EQ(back.FileName, std::string(c.name) + ".vrd");
        EXPECT_EQ(back.Changed(), c.changed);
    }
    fs::remove_all(folder);
}

// The index keeps what the list's fixed fields cannot: whole paths, what each file was when
// last read or written, and which documents had unsaved edits. Older versions read the same
// documents from the bytes before it.
TEST_F(ReopenBlock, IndexKeepsWhatTheListCannot) {
    const auto open = Open({{3, true}, {13, true}, {16, true}});
    const std::string longPath = "/" + std::string(300, 'p') + "/lute.vrd";
    open[0]->FilePath = longPath;
    open[0]->FileName = "lute.vrd";
    open[0]->Disk = {FileFingerprint::fp_read, 1234, -5678, 0x1122334455667788u};
    open[1]->FilePath = "/music/theorbo.vrd";
    open[1]->FileName = "theorbo.vrd";
    open[1]->Disk = {FileFingerprint::fp_missing, 0, 0, 0};
    open[1]->Document.InstrumentName = "Arciliuto"; // edited since read
    const std::string bytes = SettingsFileBytes(settings, open);

    TGlobalData loaded;
    const SettingsLoad result = LoadSettingsData(bytes, loaded);
    ASSERT_EQ(result.Documents.size(), 3u);
    const struct {
        std::string path;
        std::string name;
        bool changed;
    } expected[] = {{longPath, "lute.vrd", false},
                    {"/music/theorbo.vrd", "theorbo.vrd", true},
                    {"", open[2]->DisplayName(), true}}; // lives only in the settings
    for (size_t i = 0; i < open.size(); ++i) {
        SCOPED_TRACE(i);
        const TFileFrame& back = *result.Documents[i];
        EXPECT_EQ(back.Document, open[i]->Document);
        EXPECT_EQ(back.FilePath, expected[i].path);
        EXPECT_EQ(back.FileName, expected[i].name);
        EXPECT_EQ(back.Disk, open[i]->Disk);
        EXPECT_EQ(result.Documents[i]->Changed(), expected[i].changed);
    }

    // An older version: the same documents in the same order; the path too long for the list
    // comes back as the document's name, the others as their files.
    TGlobalData older;
    const SettingsLoad old = LoadSettingsData(WithoutIndex(bytes), older);
    ASSERT_EQ(old.Documents.size(), 3u);
    for (size_t i = 0; i < open.size(); ++i)
        EXPECT_EQ(old.Documents[i]->Document, open[i]->Document);
    EXPECT_TRUE(old.Documents[0]->FilePath.empty());
    EXPECT_EQ(old.Documents[0]->FileName, "lute.vrd");
    EXPECT_EQ(old.Documents[1]->FilePath, "/music/theorbo.vrd");
    EXPECT_FALSE(old.Documents[0]->Disk.Known());

    // An index that does not add up is passed over: the list is read in order.
    std::string spoilt = bytes;
    spoilt[spoilt.size() - 30] ^= 0x10;
    TGlobalData passedOver;
    const SettingsLoad inOrder = LoadSettingsData(spoilt, passedOver);
    ASSERT_EQ(inOrder.Documents.size(), 3u);
    EXPECT_TRUE(inOrder.Refused.empty());
    EXPECT_FALSE(inOrder.Documents[1]->Disk.Known());
}

// A reopened document against its own file as it is now: the file wins unless the document
// had unsaved edits, and then both are given back for the user to choose.
TEST_F(ReopenBlock, DiskWinsUnlessTheDocumentHadEdits) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("vorn-disk-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    enum class Disk { untouched, touched, rewritten, gone };
    enum class Shown { kept, file };
    const struct {
        const char* name;
        bool edited;
        Disk disk;
        Shown shown;
        bool changed;
        bool asked;
    } cases[] = {
        {"untouched", false, Disk::untouched, Shown::kept, false, false},
        {"untouched, edited", true, Disk::untouched, Shown::kept, true, false},
        {"same bytes, new time", false, Disk::touched, Shown::kept, false, false},
        {"same bytes, new time, edited", true, Disk::touched, Shown::kept, true, false},
        {"rewritten", false, Disk::rewritten, Shown::file, false, false},
        {"rewritten, edited", true, Disk::rewritten, Shown::file, false, true},
        {"gone", false, Disk::gone, Shown::kept, true, false},
        {"gone, edited", true, Disk::gone, Shown::kept, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TFileFrame& kept = *Open({{13, true}})[0];
        const std::string path = (folder / "theorbo.vrd").string();
        ASSERT_TRUE(SaveDocumentFile(kept, path));
        if (c.edited)
            kept.Document.InstrumentName = "Arciliuto";
        const std::string settingsPath = (folder / "vorn.vrn").string();
        ASSERT_TRUE(SaveSettingsFile(settingsPath, settings, {&kept}, nullptr));

        TFileFrame other(settings);
        other.ApplyTemplate(16);
        other.ViewStrings();
        if (c.disk == Disk::touched) {
            std::string same;
            ASSERT_TRUE(ReadWholeFile(path, same));
            fs::remove(path);
            std::ofstream(path, std::ios::binary) << same;
            fs::last_write_time(path, fs::last_write_time(path) + std::chrono::hours(2));
        }
        if (c.disk == Disk::rewritten) {
            ASSERT_TRUE(SaveDocumentFile(other, path));
        }
        if (c.disk == Disk::gone)
            fs::remove(path);

        TGlobalData loaded;
        const SettingsLoad result = LoadSettingsFile(settingsPath, loaded);
        ASSERT_EQ(result.Documents.size(), 1u);
        const TFileFrame& shown = *result.Documents[0];
        EXPECT_EQ(shown.Document, c.shown == Shown::kept ? kept.Document : other.Document);
        EXPECT_EQ(shown.FilePath, path);
        EXPECT_EQ(result.Documents[0]->Changed(), c.changed);
        ASSERT_EQ(result.NewerFiles.size(), c.asked ? 1u : 0u);
        if (c.disk != Disk::gone) {
            EXPECT_FALSE(FileChanged(shown.Disk, TakeFingerprint(path)));
        }
        if (c.asked) {
            const KeptEdits& edits = result.NewerFiles[0];
            EXPECT_EQ(edits.Index, 0u);
            EXPECT_EQ(edits.Edits->Document, kept.Document);
            EXPECT_EQ(edits.Edits->FilePath, path);
            EXPECT_TRUE(edits.Edits->Changed()); // against the file as it is now
        }
        fs::remove(path);
    }
    fs::remove_all(folder);
}

// One damaged byte in the first document: the second still opens, the first is named with the
// reason, and the file as it was is kept beside it before anything rewrites it.
TEST_F(ReopenBlock, DamagedFirstDocumentCostsOnlyItself) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("vorn-first-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const auto open = Open({{3, true}, {13, true}});
    const std::string lute = (folder / "lute.vrd").string();
    ASSERT_TRUE(SaveDocumentFile(*open[0], lute));
    const std::string path = (folder / "vorn.vrn").string();
    std::string bytes = SettingsFileBytes(settings, open);
    // A byte of the first body's header, after the block, the count and the first name.
    bytes[BlockBytes(settings).size() + 4 + 1 + 2 * lute.size() + 20] ^= 0x5a;
    std::ofstream(path, std::ios::binary) << bytes;

    TGlobalData loaded;
    const SettingsLoad result = LoadSettingsFile(path, loaded);
    EXPECT_TRUE(result.Message.empty());
    ASSERT_EQ(result.Documents.size(), 1u);
    EXPECT_EQ(result.Documents[0]->Document, open[1]->Document);
    EXPECT_TRUE(result.Documents[0]->Changed());
    ASSERT_EQ(result.Refused.size(), 1u);
    EXPECT_EQ(result.Refused[0].Name, lute);
    EXPECT_EQ(result.Refused[0].Message, "Unable to load file");
    EXPECT_EQ(result.Refused[0].Reason, "Its copy in the settings file is damaged.");
    EXPECT_EQ(result.KeptAs, path + ".damaged");
    for (const std::string& kept : {path, path + ".damaged"}) {
        std::string now;
        ASSERT_TRUE(ReadWholeFile(kept, now));
        EXPECT_EQ(now, bytes) << kept;
    }
    fs::remove_all(folder);
}

TEST(SettingsFile, OnDisk) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("vorn-settings-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "vorn.vrn").string();

    TGlobalData fresh;
    const SettingsLoad missing = LoadSettingsFile(path, fresh);
    EXPECT_FALSE(missing.FileFound || missing.BoundsRead || !missing.Message.empty());
    EXPECT_EQ(fresh.Materials.Count(), 8);

    TGlobalData settings = testing::ChangedSettings();
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    frame.ViewStrings();
    std::string error;
    ASSERT_TRUE(SaveSettingsFile(path, settings, {&frame}, &error)) << error;
    TGlobalData loaded;
    const SettingsLoad result = LoadSettingsFile(path, loaded);
    EXPECT_TRUE(result.FileFound && result.BoundsRead);
    ASSERT_EQ(result.Documents.size(), 1u);
    EXPECT_EQ(result.Documents[0]->Document, frame.Document);
    ExpectSame(loaded, settings);
    fs::remove_all(folder);
}

TEST(SettingsFile, BrokenFileIsKeptAsDamaged) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("vorn-damaged-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "vorn.vrn").string();
    // A second incident keeps the first one's copy.
    const std::pair<std::string, std::string> incidents[] = {
        {std::string("not ours"), "vorn.vrn.damaged"},
        {std::string("\x82\0\0\0", 4), "vorn.vrn.damaged-2"}};
    for (const auto& [bytes, name] : incidents) {
        std::ofstream(path, std::ios::binary) << bytes;
        TGlobalData settings;
        const SettingsLoad result = LoadSettingsFile(path, settings);
        EXPECT_EQ(result.Message,
                  "Unable to load configuration file\n(The damaged file was kept as " + name +
                      ".)");
        EXPECT_EQ(result.KeptAs, (folder / name).string());
        EXPECT_FALSE(fs::exists(path));
        std::ifstream kept(folder / name, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), bytes);
    }
    std::ifstream first(folder / "vorn.vrn.damaged", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(first), {}), "not ours");
    // A good file stays where it is.
    TGlobalData good;
    std::string error;
    ASSERT_TRUE(SaveSettingsFile(path, good, {}, &error)) << error;
    TGlobalData read;
    EXPECT_TRUE(LoadSettingsFile(path, read).KeptAs.empty());
    EXPECT_TRUE(fs::exists(path));
    fs::remove_all(folder);
}

// Through a link the damaged bytes are copied aside beside the link, which still names its
// file; the copy takes the first free name.
TEST(SettingsFile, DamagedFileThroughALinkIsCopiedAside) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("vorn-link-" + std::to_string(getpid()));
    struct Case {
        std::vector<std::string> earlier; // set-aside copies already there
        std::string kept;
    } cases[] = {{{}, "vorn.vrn.damaged"},
                 {{"vorn.vrn.damaged"}, "vorn.vrn.damaged-2"},
                 {{"vorn.vrn.damaged", "vorn.vrn.damaged-2"}, "vorn.vrn.damaged-3"}};
    for (const Case& c : cases) {
        fs::remove_all(folder);
        fs::create_directories(folder / "real");
        const fs::path target = folder / "real" / "settings.vrn";
        const fs::path link = folder / "vorn.vrn";
        std::ofstream(target, std::ios::binary) << "damaged bytes";
        fs::create_symlink(target, link);
        for (const std::string& name : c.earlier)
            std::ofstream(folder / name, std::ios::binary) << "earlier " << name;
        TGlobalData settings;
        const SettingsLoad result = LoadSettingsFile(link.string(), settings);
        EXPECT_EQ(result.KeptAs, (folder / c.kept).string());
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link), target);
        std::string kept, earlier;
        ASSERT_TRUE(ReadWholeFile((folder / c.kept).string(), kept));
        EXPECT_EQ(kept, "damaged bytes");
        for (const std::string& name : c.earlier) {
            ASSERT_TRUE(ReadWholeFile((folder / name).string(), earlier));
            EXPECT_EQ(earlier, "earlier " + name);
        }
    }
    fs::remove_all(folder);
}

// A path longer than the reopen block's name field: older readers see the file's name, the
// index gives the whole path back.
TEST(SettingsFile, LongPathComesBackWhole) {
    std::string path = "/tmp";
    while (path.size() < 290)
        path += "/folder-" + std::to_string(path.size());
    path += "/lute.vrd";
    ASSERT_GT(path.size(), 255u);
    TGlobalData settings;
    TFileFrame frame(settings);
    frame.NewFromDefaults();
    frame.ViewStrings();
    frame.FilePath = path;
    frame.FileName = "lute.vrd";
    const std::string bytes = SettingsFileBytes(settings, {&frame});

    TGlobalData loaded;
    const SettingsLoad result = LoadSettingsData(bytes, loaded);
    ASSERT_EQ(result.Documents.size(), 1u);
    EXPECT_EQ(result.Documents[0]->FilePath, path);
    EXPECT_EQ(result.Documents[0]->FileName, "lute.vrd");

    TGlobalData older;
    const SettingsLoad old = LoadSettingsData(WithoutIndex(bytes), older);
    ASSERT_EQ(old.Documents.size(), 1u);
    EXPECT_EQ(old.Documents[0]->FileName, "lute.vrd");
    EXPECT_TRUE(old.Documents[0]->FilePath.empty());
}

ProcessIdentity Copy(long pid) {
    return {"host", "boot", pid, 100u + static_cast<uint64_t>(pid)};
}

// Which entries a starting copy reopens, by who wrote them and whether that copy still runs.
TEST(SettingsFile, TakesOverOnlyWhatEndedCopiesLeft) {
    const ProcessIdentity self = Copy(10);
    struct Case {
        ProcessIdentity writer;
        ProcessState state;
        bool takes;
    } cases[] = {
        {{}, ps_running, true},        // an older version wrote it
        {Copy(10), ps_running, true},  // itself
        {Copy(11), ps_ended, true},    // a copy that ended
        {Copy(11), ps_running, false}, // a copy that runs
        {Copy(11), ps_unknown, false}, // a copy on another machine
    };
    for (const Case& c : cases)
        EXPECT_EQ(TakesOver(c.writer, self, [&](const ProcessIdentity&) { return c.state; }),
                  c.takes)
            << c.writer.Pid << " " << c.state;
}

// Two copies writing in turn: each replaces its own entries and keeps the other's, whichever
// writes last.
TEST(SettingsFile, WritesKeepOtherCopiesEntries) {
    TGlobalData settings;
    auto document = [&](const std::string& path) {
        auto frame = std::make_unique<TFileFrame>(settings);
        frame->NewFromDefaults();
        frame->ViewStrings();
        frame->FilePath = path;
        frame->FileName = FinalComponent(path);
        return frame;
    };
    auto a = document("/music/a.vrd"), a2 = document("/music/a2.vrd"), b = document("/music/b.vrd");
    const ProcessIdentity copyA = Copy(1), copyB = Copy(2);
    auto write = [&](const std::string& onDisk, TFileFrame* frame, const ProcessIdentity& self) {
        return SettingsFileBytes(settings, {frame}, self,
                                 EntriesOfOthers(StoredEntries(onDisk).Entries, self));
    };
    auto paths = [](const std::string& bytes) {
        std::vector<std::pair<std::string, long>> out;
        for (const StoredEntry& e : StoredEntries(bytes).Entries)
            out.emplace_back(e.Path, e.Writer.Pid);
        return out;
    };
    using List = std::vector<std::pair<std::string, long>>;
    std::string file = write({}, a.get(), copyA);
    file = write(file, b.get(), copyB);
    EXPECT_EQ(paths(file), (List{{"/music/b.vrd", 2}, {"/music/a.vrd", 1}}));
    // A writes again with another document: its old entry goes, B's stays.
    file = write(file, a2.get(), copyA);
    EXPECT_EQ(paths(file), (List{{"/music/a2.vrd", 1}, {"/music/b.vrd", 2}}));
    // Both come back for a third copy once both ended.
    TGlobalData loaded;
    const SettingsLoad result = LoadSettingsData(file, loaded);
    ASSERT_EQ(result.Documents.size(), 2u);
    EXPECT_EQ(result.Documents[1]->FilePath, "/music/b.vrd");
}

TEST(SettingsFile, PathBesideTheProgram) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/vorn/vorn", "/opt/vorn/vorn.vrn"},
        {"/opt/vorn/vorn.exe", "/opt/vorn/vorn.vrn"},
        {"/opt/vorn.d/vorn", "/opt/vorn.d/vorn.vrn"},
        {"/opt/vorn/vorn.bin.exe", "/opt/vorn/vorn.bin.vrn"},
    };
    for (const auto& [program, settings] : cases)
        EXPECT_EQ(SettingsPathFor(program), settings);
}

TEST(SettingsFile, InstalledProgramsKeepSettingsInTheUsersFolder) {
    struct Case {
        const char* program;
        bool writable;
        const char* settings;
    } cases[] = {
        {"/usr/bin/vorn", true, "/home/u/.config/Vorn/vorn.vrn"}, // root can write there
        {"/usr/local/bin/vorn", true, "/home/u/.config/Vorn/vorn.vrn"},
        {"/opt/vorn/bin/vorn", true, "/home/u/.config/Vorn/vorn.vrn"},
        {"/home/u/apps/vorn/vorn", false, "/home/u/.config/Vorn/vorn.vrn"},
        {"/home/u/apps/vorn/vorn", true, "/home/u/apps/vorn/vorn.vrn"}, // a portable copy
        {"/usrlocal/vorn", true, "/usrlocal/vorn.vrn"},
        {"/work/build/gui/vorn", true, "/work/build/gui/vorn.vrn"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsLocation(c.program, "/home/u/.config", c.writable), c.settings)
            << c.program;
}

} // namespace
} // namespace vorn
