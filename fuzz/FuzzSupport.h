#pragma once
// What the three fuzz targets share: settings as a first start has them, and the check that a
// loaded document saves and loads again to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/DocumentFile.h"
#include "files/FileFrame.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

namespace vorn::fuzz {

inline TGlobalData& DefaultSettings() {
    static TGlobalData settings;
    return settings;
}

inline std::string Saved(TFileFrame& frame) {
    ByteWriter out;
    WriteDocument(frame, out);
    return out.take();
}

// Every value the string rows show.
inline std::string ShownRows(const TFileFrame& frame) {
    std::string shown;
    for (const auto& course : frame.Chart.Courses)
        for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
            const StringRecord& r = course->String(which).Rec;
            shown += std::to_string(r.Frequency) + " " + std::to_string(r.Length) + " " +
                     std::to_string(r.TensionN) + " " + std::to_string(r.GutDiameter) + " " +
                     r.AltChoice + " " + r.AltText(frame.Settings.Materials) + "\n";
        }
    return shown;
}

// A loaded document must survive Save and Open unchanged: what it shows now is what the
// reopened file shows, and a second save is byte for byte the first.
inline void CheckSavesAndReopens(TFileFrame& frame) {
    const std::string first = Saved(frame);
    TFileFrame reopened(frame.Settings);
    ByteReader in(first);
    if (ReadDocument(reopened, in, "again.vrd").Result != LoadResult::Loaded || !in.atEnd())
        std::abort();
    if (!(reopened.Document == frame.Document))
        std::abort();
    if (ShownRows(reopened) != ShownRows(frame))
        std::abort();
    if (Saved(reopened) != first)
        std::abort();
}

// A loaded document must save and reopen; a refused one leaves the new tab as it was
// (`before` is its document then) and tells the user why.
inline void CheckOutcome(TFileFrame& frame, const TInstDataType& before,
                         const LoadOutcome& outcome) {
    if (outcome.Result == LoadResult::Loaded) {
        CheckSavesAndReopens(frame);
        return;
    }
    if (outcome.Result != LoadResult::Failed || outcome.Message.empty() ||
        !(frame.Document == before) || frame.HasCourseRows())
        std::abort();
}

// A new tab's document given the bytes through load(frame, reader) -> LoadOutcome, then
// checked as above.
template <class Load> void CheckLoad(const uint8_t* data, size_t size, Load load) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TFileFrame frame(DefaultSettings());
    frame.NewFromDefaults();
    const TInstDataType before = frame.Document;
    ByteReader in(bytes);
    CheckOutcome(frame, before, load(frame, in));
}

} // namespace vorn::fuzz
