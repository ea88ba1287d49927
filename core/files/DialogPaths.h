// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The names file dialogs propose and give back, and the folder they start in. Paths are whole,
// with '/' between folders, as Qt gives them on every system.

#include <functional>
#include <string>

namespace vorn {

// The extension of Vorn documents, without its dot.
inline constexpr const char* DocumentExtension = "vrd";

// name with "." and extension added unless it ends so already (letters of either case); a name
// ending in '.' gets the extension alone. An extension another type uses stays part of the name:
// the type chosen decides what the file holds, and its name then says so ("board.pdf" as a DXF
// drawing is "board.pdf.dxf"). An empty name stays empty.
std::string WithExtension(const std::string& name, const std::string& extension);

// A document's name without its ".vrd", as its save dialog and its exports propose it
// ("lute-a.vrd" gives "lute-a", to which "pdf" or "vrd" is added); other names as they are.
std::string DocumentBaseName(const std::string& documentName);

// The folder of a whole path ("/a/b/c.vrd" gives "/a/b", "/c.vrd" gives "/"); empty for a path
// without a folder.
std::string FolderOf(const std::string& path);

// Where a file dialog starts: the folder of the document's own file, else the last folder a
// dialog was answered in, else home; each only when it is absolute and isFolder says it is one.
// "/" when none is: a relative folder would be the process's working folder.
std::string StartFolder(const std::string& documentFile, const std::string& lastFolder,
                        const std::string& home,
                        const std::function<bool(const std::string&)>& isFolder);

} // namespace vorn
