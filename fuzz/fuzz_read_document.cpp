// Open on arbitrary bytes: a current or older document, or anything else.

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
    const LoadOutcome outcome = OpenDocument(frame, in, "fuzz.vrd");
    if (outcome.Result == LoadResult::Loaded) {
        fuzz::CheckSavesAndReopens(frame);
    } else {
        // Refused: the new tab is as it was and the user is told why.
        if (outcome.Result != LoadResult::Failed || outcome.Message.empty() ||
            !(frame.Document == before) || frame.HasCourseRows())
            std::abort();
    }
    return 0;
}
