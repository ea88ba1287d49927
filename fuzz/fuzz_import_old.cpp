// The older-format import on arbitrary bytes after the version.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "document/OldFileConversion.h"

using namespace vorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TFileFrame frame(fuzz::DefaultSettings());
    frame.NewFromDefaults();
    const TInstDataType before = frame.Document;
    ByteReader in(bytes);
    const LoadOutcome outcome = ImportOldDocument(frame, in);
    if (outcome.Result == LoadResult::Loaded) {
        fuzz::CheckSavesAndReopens(frame);
    } else {
        if (outcome.Result != LoadResult::Failed || outcome.Message.empty() ||
            !(frame.Document == before) || frame.HasCourseRows())
            std::abort();
    }
    return 0;
}
