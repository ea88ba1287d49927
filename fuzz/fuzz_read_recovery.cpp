// SPDX-License-Identifier: GPL-3.0-or-later

// A recovery copy on arbitrary bytes: a whole copy gives back its document, anything else is
// refused with a reason and leaves the new tab as it was. The rows of a copy may show figures
// that its body does not hold: the body must survive Save and Open, and every figure a copy
// of the recovered tab.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "files/DocumentSnapshot.h"
#include "files/RecoveryFile.h"

using namespace vorn;

namespace {

// A copy of the recovered tab, written and read back, shows every figure it shows.
void CheckCopyGivesBack(TFileFrame& frame) {
    const DocumentSnapshot now = TakeSnapshot(frame);
    RecoveryRecord copy;
    if (!ReadRecoveryBytes(RecoveryFileBytes(RecordOf(frame, now.Body, now.Figures)), copy,
                           nullptr))
        std::abort();
    TFileFrame again(frame.Settings);
    again.NewFromDefaults();
    if (RestoreRecovered(again, copy).Result != LoadResult::Loaded)
        std::abort();
    if (fuzz::ShownRows(again) != fuzz::ShownRows(frame) || !(TakeSnapshot(again) == now) ||
        again.Chart.Current() != frame.Chart.Current())
        std::abort();
}

} // namespace

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
    const LoadOutcome outcome = RestoreRecovered(frame, record);
    if (outcome.Result != LoadResult::Loaded) {
        fuzz::CheckOutcome(frame, before, outcome);
        return 0;
    }
    TFileFrame reopened(frame.Settings);
    fuzz::CheckBodyReopens(frame, reopened);
    CheckCopyGivesBack(frame);
    fuzz::CheckConsumers(frame);
    return 0;
}
