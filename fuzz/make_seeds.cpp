// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the seed corpora of the fuzz targets into <folder>/read_document, load_settings,
// import_old, read_recovery and read_scala: a document of every template, settings files,
// older-format documents, recovery copies, Scala scales.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "document/InstrumentTemplates.h"
#include "files/DocumentFile.h"
#include "files/DocumentSnapshot.h"
#include "files/FileFrame.h"
#include "files/RecoveryFile.h"
#include "files/SettingsFile.h"
#include "frets/ScalaScale.h"
#include "io/AtomicFile.h"
#include "io/ByteWriter.h"
#include "pitch/FretScale.h"
#include "pitch/Temperaments.h"
#include "support/OldBodyWriter.h"

using namespace vorn;
namespace fs = std::filesystem;

namespace {

bool Put(const fs::path& path, const std::string& bytes) {
    std::string error;
    if (!WriteFileAtomically(path.string(), bytes, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}

std::string Saved(TFileFrame& frame) {
    ByteWriter out;
    WriteDocument(frame, out);
    return out.take();
}

std::vector<testing::OldBody> OldBodies() {
    testing::OldBody lute;
    lute.Courses = 6;
    // Name codes below 18 in every octave byte, so that the import reaches the string records.
    lute.Tuning = u"\x6E\x61\x4B\x51\x47\x43\x00";
    lute.Setup = {1, 2, 2, 2, 2, 4, 0};
    lute.Strings.assign(7, {60.5, 3.2});
    testing::OldBody theorbo = lute;
    theorbo.Code = 3;
    theorbo.Courses = 14;
    theorbo.UseSecond = 1;
    theorbo.SecondLength = 150;
    theorbo.SecondFrom = 8;
    theorbo.Setup.clear();
    theorbo.Strings.assign(14, {85, 6.1});
    testing::OldBody bowed = lute;
    bowed.Code = 9;
    return {lute, theorbo, bowed};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const fs::path root(argv[1]);
    for (const char* sub :
         {"read_document", "load_settings", "import_old", "read_recovery", "read_scala"})
        fs::create_directories(root / sub);

    TGlobalData settings;
    std::vector<std::unique_ptr<TFileFrame>> frames;
    bool ok = true;
    for (int type = 0; type < InstrumentTypeCount; ++type) {
        settings.DefaultInstrumentType = type;
        auto frame = std::make_unique<TFileFrame>(settings);
        frame->NewFromDefaults();
        frame->ViewStrings();
        ok &= Put(root / "read_document" / ("type" + std::to_string(type) + ".vrd"), Saved(*frame));
        frames.push_back(std::move(frame));
    }
    // Recovery copies of a document that had a file and of a new one, each with a typed
    // tension, which only the figures hold.
    for (size_t type : {3u, 13u}) {
        TFileFrame copy(settings);
        copy.Document = frames[type]->Document;
        copy.ViewStrings();
        copy.FilePath = type == 3 ? "/nowhere/lute.vrd" : "";
        copy.Chart.Course(2).EditTension(0, 4.567);
        const DocumentSnapshot now = TakeSnapshot(copy);
        ok &= Put(root / "read_recovery" / ("type" + std::to_string(type) + ".vrr"),
                  RecoveryFileBytes(RecordOf(copy, now.Body, now.Figures)));
    }
    // A catalogue string and a custom placement, so that those paths are in the corpus too.
    frames[3]->Chart.Course(1).SelectAlternative(0, 6);
    frames[3]->Document.CustomPlacement = 1;
    ok &= Put(root / "read_document" / "catalogue.vrd", Saved(*frames[3]));
    // Documents fretted by a rule, with the scale block after the body.
    for (const FretRule rule : {fr_dowland, fr_galilei}) {
        frames[10]->Document.Scale = RuleScale(rule);
        ok &= Put(root / "read_document" / ("scale-" + FretRuleKey(rule) + ".vrd"),
                  Saved(*frames[10]));
    }
    frames[10]->Document.Scale.reset();

    // Lengths and diameters far outside any instrument, where the recalculation overflows.
    {
        std::string extreme = Saved(*frames[3]);
        const size_t record = 42 + (1 + 2 * 14) + 1 + 1 + 19 * 6 + 19 + 11;
        const float huge = 1e20f;
        std::memcpy(extreme.data() + record + 1, &huge, sizeof huge);
        std::memcpy(extreme.data() + record + 5, &huge, sizeof huge);
        ok &= Put(root / "read_document" / "extreme.vrd", extreme);
    }

    const auto old = OldBodies();
    for (size_t i = 0; i < old.size(); ++i) {
        ok &= Put(root / "read_document" / ("old" + std::to_string(i) + ".vrd"),
                  testing::OldFileBytes(old[i]));
        ok &= Put(root / "import_old" / ("old" + std::to_string(i) + ".bin"),
                  testing::OldBodyBytes(old[i]));
    }

    settings.DefaultInstrumentType = 3;
    settings.StartupChoice = 2;
    ok &= Put(root / "load_settings" / "two.vrn",
              SettingsFileBytes(settings, {frames[3].get(), frames[13].get()}));
    settings.StartupChoice = 0;
    settings.SetTensionUnit(tt_pounds);
    ok &= Put(root / "load_settings" / "none.vrn", SettingsFileBytes(settings, {}));

    // Scala files as the program writes them, of a meantone and of Pythagorean tuning (whose
    // sharps lie above the flats), and a just scale in ratios with comments and CR LF.
    for (const int id : {2, 8})
        for (const int notes : {12, 17}) {
            const std::string name = "t" + std::to_string(id) + "_" + std::to_string(notes);
            ok &= Put(root / "read_scala" / (name + ".scl"),
                      ScalaFile(name + ".scl", TemperamentName(id, 0), TemperamentFraction(id),
                                DefaultMiFa, notes));
        }
    ok &= Put(root / "read_scala" / "just.scl",
              "! just.scl\r\n!\r\nJust intonation\r\n 12\r\n!\r\n 16/15\r\n 9/8 tone\r\n"
              " 6/5\r\n 5/4\r\n 4/3\r\n 45/32\r\n 3/2\r\n 8/5\r\n 5/3\r\n 9/5 ! x\r\n"
              " 15/8\r\n 2\r\n");
    return ok ? 0 : 1;
}
