// SPDX-License-Identifier: GPL-3.0-or-later

// The older-format import on arbitrary bytes after the version.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "files/OldFileConversion.h"

using namespace vorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CheckLoad(data, size,
                    [](TFileFrame& frame, ByteReader& in) { return ImportOldDocument(frame, in); });
    return 0;
}
