// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/DocumentFile.h"

#include <exception>

#include "document/InstrumentTemplates.h"
#include "files/CourseRecord.h"
#include "files/DocumentBody.h"
#include "files/FileFrame.h"
#include "files/ScaleBlock.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/FileHeader.h"

namespace vorn {

namespace {

// Reads the records into a frame that already holds the header; false when the rows refused.
bool loadRows(TFileFrame& frame, ByteReader& in) {
    try {
        return ReadCourseRecords(frame.Chart, in);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

std::string FinalComponent(const std::string& name) {
    const size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

void WriteDocument(TFileFrame& frame, ByteWriter& out) {
    WriteDocumentBody(frame.Chart, out);
}

LoadOutcome ReadDocument(TFileFrame& frame, ByteReader& in, const std::string& name) {
    const auto refused = [](std::string reason = {}) {
        LoadOutcome outcome{LoadResult::Failed, LoadFileMessage};
        outcome.Reason = std::move(reason);
        return outcome;
    };
    ByteReader body = in;
    try {
        const double version = ReadVersion(body);
        if (version == 1.0) {
            in = body;
            return {LoadResult::OldFormat, {}};
        }
        if (version != 2.0 || body.str() != ProgramTitle)
            return refused();
    } catch (const ReadError&) {
        return refused();
    }
    TInstDataType staged;
    try {
        ReadDocumentHeader(body, staged);
    } catch (const ReadError& e) {
        return refused(std::string("header: ") + e.what());
    }
    if (std::string fault = HeaderFault(staged); !fault.empty())
        return refused(std::move(fault));
    ByteReader records = body;
    if (std::string fault = CourseRecordsFault(records, staged.CourseCount); !fault.empty())
        return refused(std::move(fault));
    // The records checked, `records` stands where a fret scale's block may follow them.
    ScaleBlockRead block = ReadScaleBlock(records);
    if (!block.Fault.empty())
        return refused(std::move(block.Fault));
    staged.Scale = std::move(block.Scale);

    // Values can pass the checks above and still not survive the rounding and recalculation
    // of loading (a length that shows as 0, a tension beyond any float): only a body that
    // loads in full may change the frame.
    ByteReader rest = body;
    std::string rowsFault;
    const bool loaded = frame.LoadWholly([&](TFileFrame& target) {
        rest = body;
        target.Document = staged;
        rowsFault = loadRows(target, rest) ? RowsFault(target.Chart) : "the courses do not load";
        return rowsFault.empty();
    });
    if (!loaded)
        return refused(std::move(rowsFault));
    frame.FileName = FinalComponent(name);
    frame.Family = FamilyOfType(staged.InstrumentType);
    frame.MarkUnchanged();
    in = records; // past the records and the scale block, if there is one
    return {LoadResult::Loaded, {}};
}

} // namespace vorn
