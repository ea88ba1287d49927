// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/DialogPaths.h"

#include <cctype>

namespace vorn {

namespace {

bool endsWithIgnoringCase(const std::string& text, const std::string& tail) {
    if (tail.size() > text.size())
        return false;
    const std::size_t start = text.size() - tail.size();
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[start + i])) !=
            std::tolower(static_cast<unsigned char>(tail[i])))
            return false;
    return true;
}

// "/home/a", or "C:/Users/a" as Qt writes a Windows path.
bool isAbsolute(const std::string& path) {
    if (!path.empty() && path.front() == '/')
        return true;
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && path[2] == '/';
}

} // namespace

std::string WithExtension(const std::string& name, const std::string& extension) {
    if (name.empty() || extension.empty())
        return name;
    const std::string dotted = "." + extension;
    if (endsWithIgnoringCase(name, dotted))
        return name;
    return name.back() == '.' ? name + extension : name + dotted;
}

std::string DocumentBaseName(const std::string& documentName) {
    const std::string dotted = std::string(".") + DocumentExtension;
    // A name that is only ".vrd" keeps it rather than becoming nothing.
    if (documentName.size() > dotted.size() && endsWithIgnoringCase(documentName, dotted))
        return documentName.substr(0, documentName.size() - dotted.size());
    return documentName;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string StartFolder(const std::string& documentFile, const std::string& lastFolder,
                        const std::string& home,
                        const std::function<bool(const std::string&)>& isFolder) {
    for (const std::string& folder : {FolderOf(documentFile), lastFolder, home})
        if (isAbsolute(folder) && isFolder(folder))
            return folder;
    return "/";
}

} // namespace vorn
