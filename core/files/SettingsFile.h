// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The settings file beside the program: the settings block, then the documents to reopen.

#include <memory>
#include <string>
#include <vector>

#include "document/GlobalData.h"
#include "files/FileFrame.h"

namespace vorn {

// The program's path with its extension replaced by ".vrn" (appended when it has none).
std::string SettingsPathFor(const std::string& programPath);
// Where the settings live: beside the program for a copy run from its own folder, which keeps
// its settings with it; in configHome/Vorn/vorn.vrn for an installed program, one under /usr,
// /opt or /snap or in a folder the user cannot write (root included: an installed program
// never writes into its own folder).
std::string SettingsLocation(const std::string& programPath, const std::string& configHome,
                             bool programFolderWritable);

struct SettingsLoad {
    bool FileFound = false;
    std::string Message; // LoadSettingsMessage when the file was not ours or was broken
    // Where such a file was moved ("vorn.vrn.damaged"); empty when it stayed where it was.
    std::string KeptAs;
    bool BoundsRead = false;
    // Reopened, in order, each read once under its stored name; the window adopts them. One
    // kept under the whole path of its own file takes that file back (FilePath).
    std::vector<std::unique_ptr<TFileFrame>> Documents;
    std::vector<std::string> DocumentMessages; // one per refused document
};

// Reads the settings into `settings` and reopens the documents. With no file, or a file that
// is not ours or is broken: default materials, no documents (the caller opens a new one);
// the settings keep their defaults and the window keeps its own bounds. A file not ours or
// broken is renamed to path + ".damaged" (and the message says so) before anything can
// overwrite it.
SettingsLoad LoadSettingsFile(const std::string& path, TGlobalData& settings);
// The same from the file's bytes (FileFound is set), without looking at any other file: the
// documents count as unchanged.
SettingsLoad LoadSettingsData(const std::string& bytes, TGlobalData& settings);

// A reopened document with a file of its own counts as changed unless that file holds the same
// document (a missing or unreadable file counts as different). LoadSettingsFile does this for
// every document it reopens.
void MeasureAgainstOwnFile(TFileFrame& frame);

// The bytes SaveSettingsFile writes.
std::string SettingsFileBytes(const TGlobalData& settings,
                              const std::vector<TFileFrame*>& documents);

// The settings block followed by the given documents, written to a temporary file in the same
// folder and renamed over `path`. Returns false with `error` set when it could not be written;
// the previous file is then untouched.
bool SaveSettingsFile(const std::string& path, const TGlobalData& settings,
                      const std::vector<TFileFrame*>& documents, std::string* error);

// Which of the open documents the settings file keeps, by StartupChoice: 1 the active one
// when it has course rows, 2 every one with course rows, otherwise none.
std::vector<TFileFrame*> DocumentsToReopen(const TGlobalData& settings,
                                           const std::vector<TFileFrame*>& open, int active);

} // namespace vorn
