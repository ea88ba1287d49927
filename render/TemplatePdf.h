// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The fret template's pages as a PDF at 1:1, one sheet per page, no scaling.

#include <QString>

#include <vector>

#include "frets/FretTemplate.h"

namespace vorn {

// Writes through a temporary file renamed over path; false with a reason in *error.
bool WriteFretTemplatePdf(const std::vector<TemplatePage>& pages, const TemplatePaper& paper,
                          const QString& path, QString* error);

} // namespace vorn
