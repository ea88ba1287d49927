// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/CheckedChange.h"

#include "files/DocumentFile.h"
#include "files/DocumentSnapshot.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

namespace vorn {

namespace {

std::string bodyOf(TFileFrame& frame) {
    ByteWriter out;
    WriteDocument(frame, out);
    return out.take();
}

// The frame and its settings as they were before a change. Only a changed unit or gut density
// is announced, as the Globals changes announce them, so that other open charts move back too.
void takeBack(TFileFrame& frame, const TGlobalData& settings, const DocumentSnapshot& before) {
    TGlobalData& live = frame.Settings;
    unsigned changes = 0;
    if (live.TensionUnit != settings.TensionUnit)
        changes |= sc_tension_unit;
    if (live.Materials.Reference().Density != settings.Materials.Reference().Density)
        changes |= sc_reference_density;
    live = settings; // an assignment keeps the live listeners
    if (changes != 0)
        live.NotifyChanged(changes);
    RestoreSnapshot(frame, before);
}

} // namespace

bool ApplyCheckedChange(TFileFrame& frame, const std::function<void(TStrFrame&)>& change,
                        std::string* refusal) {
    const auto refuse = [refusal](const std::string& why) {
        if (refusal)
            *refusal = why;
        return false;
    };
    // Taken whole, so that a change taken back shows every figure as it was.
    const DocumentSnapshot before = TakeSnapshot(frame);
    {
        TGlobalData settings = frame.Settings;
        TFileFrame copy(settings);
        ByteReader in(before.Body);
        const LoadOutcome read = ReadDocument(copy, in, frame.FileName);
        if (read.Result != LoadResult::Loaded)
            return refuse("the document as it stands would not open again (" +
                          (read.Reason.empty() ? read.Message : read.Reason) + ")");
        change(copy.Chart);
        if (const std::string fault = ReadBackFault(bodyOf(copy), settings); !fault.empty())
            return refuse("the change would leave a document that does not open again (" + fault +
                          ")");
    }
    // The frame's rows hold typed figures that its file rounds, so its own result is checked
    // too: it may differ from the rehearsal's by a rounding step.
    const TGlobalData settings = frame.Settings;
    change(frame.Chart);
    if (const std::string fault = ReadBackFault(bodyOf(frame), frame.Settings); !fault.empty()) {
        takeBack(frame, settings, before);
        return refuse("the change would leave a document that does not open again (" + fault + ")");
    }
    return true;
}

} // namespace vorn
