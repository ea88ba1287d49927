#pragma once
// Whole-file reads and writes. Writes go to a temporary file in the same folder that is then
// renamed over the target, so an interrupted write never destroys the previous file.

#include <string>

namespace vorn {

bool ReadWholeFile(const std::string& path, std::string& data, std::string* error = nullptr);
bool WriteFileAtomically(const std::string& path, const std::string& data,
                         std::string* error = nullptr);

} // namespace vorn
