// SPDX-License-Identifier: GPL-3.0-or-later

// A recovery copy on arbitrary bytes: a whole copy gives back its document, anything else is
// refused with a reason and leaves the new tab as it was.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "files/RecoveryFile.h"

using namespace vorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    RecoveryRecord record;
    std::string error;
    if (!ReadRecoveryBytes(bytes, record, &error)) {
        if (error.empty() || !(record == RecoveryRecord{}))
            std::abort();
        return 0;
    }
    // The copy's own file would be read to compare with: not whatever path the input names.
    record.FilePath.clear();
    TFileFrame frame(fuzz::DefaultSettings());
    frame.NewFromDefaults();
    const TInstDataType before = frame.Document;
    fuzz::CheckOutcome(frame, before, RestoreRecovered(frame, record));
    return 0;
}
