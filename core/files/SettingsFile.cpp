// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/SettingsFile.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "io/AtomicFile.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

namespace vorn {

namespace {

// Longest name the reopen block can hold whole (one length byte of UTF-16 units).
constexpr size_t MaxStoredName = 255;

// The documents after the settings block. A missing count means none; the first document
// that does not load ends the list.
void readReopenBlock(ByteReader& in, TGlobalData& settings, SettingsLoad& result) {
    int32_t count = 0;
    try {
        count = in.i32();
    } catch (const ReadError&) {
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        std::string name;
        try {
            name = in.str();
        } catch (const ReadError&) {
            result.DocumentMessages.push_back(LoadFileMessage);
            return;
        }
        auto frame = std::make_unique<TFileFrame>(settings);
        const LoadOutcome outcome = ReadDocument(*frame, in, name);
        if (outcome.Result != LoadResult::Loaded) {
            result.DocumentMessages.push_back(outcome.Message.empty() ? LoadFileMessage
                                                                      : outcome.Message);
            return;
        }
        // The name the document was kept under, whole, even if it looks like a path; a
        // whole path is the document's own file.
        frame->FileName = name;
        if (std::filesystem::path(name).is_absolute()) {
            frame->FilePath = name;
            frame->FileName = std::filesystem::path(name).filename().string();
        }
        result.Documents.push_back(std::move(frame));
    }
}

} // namespace

std::string SettingsPathFor(const std::string& programPath) {
    std::filesystem::path p(programPath);
    p.replace_extension(".vrn");
    return p.string();
}

std::string SettingsLocation(const std::string& programPath, const std::string& configHome,
                             bool programFolderWritable) {
    const std::filesystem::path folder =
        std::filesystem::path(programPath).parent_path().lexically_normal();
    bool installed = !programFolderWritable;
    for (const char* name : {"/usr", "/opt", "/snap"}) {
        const std::filesystem::path root(name);
        const auto mismatch = std::mismatch(root.begin(), root.end(), folder.begin(), folder.end());
        installed = installed || mismatch.first == root.end();
    }
    if (!installed || configHome.empty())
        return SettingsPathFor(programPath);
    return (std::filesystem::path(configHome) / "Vorn" / "vorn.vrn").string();
}

SettingsLoad LoadSettingsData(const std::string& bytes, TGlobalData& settings) {
    SettingsLoad result;
    result.FileFound = true;
    ByteReader in(bytes);
    bool ours = false;
    try {
        ours = settings.LoadSettings(in);
    } catch (const ReadError&) {
        ours = false;
    }
    if (!ours) {
        result.Message = LoadSettingsMessage;
        return result;
    }
    result.BoundsRead = true;
    readReopenBlock(in, settings, result);
    return result;
}

namespace {

// A settings file that cannot be used moves aside before the exit writes a new one, so that
// a single damaged byte does not cost every setting and stored document for good.
void keepDamaged(const std::string& path, SettingsLoad& result) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(path, ec)))
        return;
    const std::string kept = path + ".damaged";
    fs::rename(path, kept, ec);
    if (ec)
        return;
    result.KeptAs = kept;
    result.Message +=
        "\n(The damaged file was kept as " + fs::path(kept).filename().string() + ".)";
}

} // namespace

void MeasureAgainstOwnFile(TFileFrame& frame) {
    if (frame.FilePath.empty())
        return;
    TFileFrame onDisk(frame.Settings);
    if (OpenDocumentFile(onDisk, frame.FilePath).Result == LoadResult::Loaded)
        frame.MarkUnchangedAs(onDisk);
    else
        frame.MarkChanged();
}

SettingsLoad LoadSettingsFile(const std::string& path, TGlobalData& settings) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        SettingsLoad result;
        return result;
    }
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        SettingsLoad result;
        result.FileFound = true;
        result.Message = LoadSettingsMessage;
        keepDamaged(path, result);
        return result;
    }
    SettingsLoad result = LoadSettingsData(bytes, settings);
    if (!result.Message.empty())
        keepDamaged(path, result);
    for (const std::unique_ptr<TFileFrame>& frame : result.Documents)
        MeasureAgainstOwnFile(*frame);
    return result;
}

std::string SettingsFileBytes(const TGlobalData& settings,
                              const std::vector<TFileFrame*>& documents) {
    ByteWriter out;
    settings.SaveSettings(out);
    out.i32(static_cast<int32_t>(documents.size()));
    for (TFileFrame* frame : documents) {
        // A document with a file of its own is kept under that file's path, when it fits.
        const std::string& own = frame->FilePath;
        const bool byPath = std::filesystem::path(own).is_absolute() && own.size() <= MaxStoredName;
        out.str(byPath ? own : frame->DisplayName());
        WriteDocument(*frame, out);
    }
    return out.take();
}

bool SaveSettingsFile(const std::string& path, const TGlobalData& settings,
                      const std::vector<TFileFrame*>& documents, std::string* error) {
    return WriteFileAtomically(path, SettingsFileBytes(settings, documents), error);
}

std::vector<TFileFrame*> DocumentsToReopen(const TGlobalData& settings,
                                           const std::vector<TFileFrame*>& open, int active) {
    std::vector<TFileFrame*> kept;
    switch (settings.StartupChoice) {
    case 1:
        if (active >= 0 && active < static_cast<int>(open.size()) && open[active] &&
            open[active]->HasCourseRows())
            kept.push_back(open[active]);
        break;
    case 2:
        for (TFileFrame* frame : open)
            if (frame && frame->HasCourseRows())
                kept.push_back(frame);
        break;
    default:
        break;
    }
    return kept;
}

} // namespace vorn
