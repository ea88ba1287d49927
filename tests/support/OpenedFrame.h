// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A document file's bytes opened as the program opens a file, then handed to a tab's frame.

#include <memory>
#include <string>

#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "io/ByteReader.h"
#include "views/VornFrame.h"

namespace vorn::testing {

// The frame takes the document only when it loaded in full.
inline LoadOutcome OpenInto(TVornFrame& frame, const std::string& bytes, const std::string& name) {
    auto loaded = std::make_unique<TFileFrame>(frame.Model().Settings);
    ByteReader in(bytes);
    const LoadOutcome outcome = OpenDocument(*loaded, in, name);
    if (outcome.Result == LoadResult::Loaded)
        frame.TakeDocument(std::move(loaded));
    return outcome;
}

} // namespace vorn::testing
