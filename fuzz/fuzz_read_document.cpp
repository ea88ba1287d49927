// SPDX-License-Identifier: GPL-3.0-or-later

// Open on arbitrary bytes: a current or older document, or anything else.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "files/DocumentStore.h"

using namespace vorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::CheckLoad(data, size, [](TFileFrame& frame, ByteReader& in) {
        return OpenDocument(frame, in, "fuzz.vrd");
    });
    return 0;
}
