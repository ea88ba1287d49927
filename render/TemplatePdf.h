// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The fret template's pages as a PDF at 1:1, one sheet per page, no scaling.

#include <string>
#include <vector>

#include "frets/FretTemplate.h"

namespace vorn {

// Draws the pages in memory and writes them to path (the file system's bytes) through
// WriteFileAtomically, so a path that names no regular file is refused; false with a reason
// in *error when nothing was written.
bool WriteFretTemplatePdf(const std::vector<TemplatePage>& pages, const TemplatePaper& paper,
                          const std::string& path, std::string* error);

} // namespace vorn
