// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/DocumentSnapshot.h"

#include "files/DocumentFile.h"
#include "files/FileFrame.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

namespace vorn {

std::string TakeSnapshot(TFileFrame& frame) {
    ByteWriter out;
    WriteDocument(frame, out);
    return out.take();
}

bool RestoreSnapshot(TFileFrame& frame, const std::string& bytes) {
    // Reading counts the document as read from a file of the given name; neither is so here.
    const std::string name = frame.FileName;
    std::string saved = frame.SavedBytes();
    const int current = frame.Chart.Current();
    ByteReader in(bytes);
    if (ReadDocument(frame, in, name).Result != LoadResult::Loaded)
        return false;
    frame.FileName = name;
    frame.SetSavedBytes(std::move(saved));
    if (current >= 0 && current < frame.Chart.CourseCount())
        frame.Chart.SelectCourse(current);
    return true;
}

} // namespace vorn
