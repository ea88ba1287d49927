// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/DocumentSnapshot.h"

#include "files/DocumentFile.h"
#include "files/FileFrame.h"
#include "files/RowFigures.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

namespace vorn {

DocumentSnapshot TakeSnapshot(TFileFrame& frame) {
    ByteWriter out;
    WriteDocument(frame, out);
    if (frame.HasCourseRows())
        return {out.take(), RowFiguresOf(frame.Chart)};
    // Rows not built yet will show what rows built on a copy show, as the body holds theirs.
    TInstDataType copy = frame.Document;
    TStrFrame rows(copy, frame.Settings);
    rows.BuildCourses();
    return {out.take(), RowFiguresOf(rows)};
}

bool RestoreSnapshot(TFileFrame& frame, const DocumentSnapshot& snapshot) {
    // Reading counts the document as read from a file of the given name; neither is so here.
    const std::string name = frame.FileName;
    std::string saved = frame.SavedBytes();
    const int current = frame.Chart.Current();
    ByteReader in(snapshot.Body);
    if (ReadDocument(frame, in, name).Result != LoadResult::Loaded)
        return false;
    if (!snapshot.Figures.empty())
        PutBackRowFigures(frame.Chart, snapshot.Figures, snapshot.Body);
    frame.FileName = name;
    frame.SetSavedBytes(std::move(saved));
    if (current >= 0 && current < frame.Chart.CourseCount())
        frame.Chart.SelectCourse(current);
    return true;
}

} // namespace vorn
