// Open on arbitrary bytes: a current or older document, or anything else.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "files/OldFileConversion.h"

using namespace vorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TFileFrame frame(fuzz::DefaultSettings());
    frame.NewFromDefaults();
    const TInstDataType before = frame.Document;
    ByteReader in(bytes);
    fuzz::CheckOutcome(frame, before, OpenDocument(frame, in, "fuzz.vrd"));
    return 0;
}
