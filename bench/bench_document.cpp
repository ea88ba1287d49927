// SPDX-License-Identifier: GPL-3.0-or-later

// Costs of whole-document work on the largest document the program holds: 19 courses.
#include <benchmark/benchmark.h>

#include "chart/GlobalChanges.h"
#include "files/ChangeNames.h"
#include "files/DocumentFile.h"
#include "files/DocumentSnapshot.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

using namespace vorn;

namespace {

TGlobalData settingsWithMaterials() {
    return {};
}

// A Baroque lute template stretched to 19 courses, so that octave strings and catalogue
// lookups are part of the work.
void nineteenCourses(TFileFrame& frame) {
    frame.Document.ApplyTemplate(10, 5, "");
    frame.Document.CourseCount = 19;
}

} // namespace

static void BM_BuildNineteenCourseChart(benchmark::State& state) {
    TGlobalData settings = settingsWithMaterials();
    for (auto _ : state) {
        TFileFrame frame(settings);
        nineteenCourses(frame);
        frame.ViewStrings();
        benchmark::DoNotOptimize(frame.TotalTension());
    }
}
BENCHMARK(BM_BuildNineteenCourseChart)->Unit(benchmark::kMicrosecond);

// The same build with what the chart's rows add: every string's warnings of breaking (the
// hint is written only when the pointer asks for it).
static void BM_BuildNineteenCourseChartWithMargins(benchmark::State& state) {
    TGlobalData settings = settingsWithMaterials();
    for (auto _ : state) {
        TFileFrame frame(settings);
        nineteenCourses(frame);
        frame.ViewStrings();
        for (const auto& course : frame.Chart.Courses)
            for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
                benchmark::DoNotOptimize(course->String(which).Warnings(settings.Materials));
            }
        benchmark::DoNotOptimize(frame.TotalTension());
    }
}
BENCHMARK(BM_BuildNineteenCourseChartWithMargins)->Unit(benchmark::kMicrosecond);

static void BM_SaveNineteenCourseFile(benchmark::State& state) {
    TGlobalData settings = settingsWithMaterials();
    TFileFrame frame(settings);
    nineteenCourses(frame);
    frame.ViewStrings();
    for (auto _ : state) {
        ByteWriter w;
        WriteDocument(frame, w);
        benchmark::DoNotOptimize(w.bytes().data());
    }
}
BENCHMARK(BM_SaveNineteenCourseFile)->Unit(benchmark::kMicrosecond);

// What the main window pays whenever it waits for input: is the active document changed?
static void BM_ChangedCheckNineteenCourses(benchmark::State& state) {
    TGlobalData settings = settingsWithMaterials();
    TFileFrame frame(settings);
    nineteenCourses(frame);
    frame.ViewStrings();
    frame.MarkUnchanged();
    for (auto _ : state)
        benchmark::DoNotOptimize(frame.Changed());
}
BENCHMARK(BM_ChangedCheckNineteenCourses)->Unit(benchmark::kMicrosecond);

static void BM_LoadNineteenCourseFile(benchmark::State& state) {
    TGlobalData settings = settingsWithMaterials();
    std::string bytes;
    {
        TFileFrame frame(settings);
        nineteenCourses(frame);
        frame.ViewStrings();
        ByteWriter w;
        WriteDocument(frame, w);
        bytes = w.take();
    }
    for (auto _ : state) {
        TFileFrame frame(settings);
        ByteReader in(bytes);
        const LoadOutcome outcome = OpenDocument(frame, in, "bench.vrd");
        if (outcome.Result != LoadResult::Loaded)
            state.SkipWithError("the file did not load");
        benchmark::DoNotOptimize(frame.TotalTension());
    }
}
BENCHMARK(BM_LoadNineteenCourseFile)->Unit(benchmark::kMicrosecond);

// One step of a document's history, in the two halves the window runs: recording, when it
// waits for input after a change (the body, the comparison with the one before, the step's
// name), and taking a step back into the same frame (undo or redo).
static void BM_RecordHistoryStepNineteenCourses(benchmark::State& state) {
    TGlobalData settings = settingsWithMaterials();
    TFileFrame frame(settings);
    nineteenCourses(frame);
    frame.ViewStrings();
    const DocumentSnapshot before = TakeSnapshot(frame);
    frame.Chart.Course(12).EditTension(0, 5.5);
    const ChartEdit edit = frame.Chart.LastEdit;
    for (auto _ : state) {
        const DocumentSnapshot after = TakeSnapshot(frame);
        if (after == before)
            state.SkipWithError("the edit changed nothing");
        benchmark::DoNotOptimize(DescribeChange(before.Body, after.Body, edit));
    }
}
BENCHMARK(BM_RecordHistoryStepNineteenCourses)->Unit(benchmark::kMicrosecond);

static void BM_RestoreHistoryStepNineteenCourses(benchmark::State& state) {
    TGlobalData settings = settingsWithMaterials();
    TFileFrame frame(settings);
    nineteenCourses(frame);
    frame.ViewStrings();
    const DocumentSnapshot before = TakeSnapshot(frame);
    GlobalTension(frame.Chart, settings.TensionUnit, false, 40.0f);
    const DocumentSnapshot after = TakeSnapshot(frame);
    bool back = true;
    for (auto _ : state) {
        if (!RestoreSnapshot(frame, back ? before : after))
            state.SkipWithError("the step did not read back");
        back = !back;
        benchmark::DoNotOptimize(frame.TotalTension());
    }
}
BENCHMARK(BM_RestoreHistoryStepNineteenCourses)->Unit(benchmark::kMicrosecond);

static void BM_TransposeAllCourses(benchmark::State& state) {
    TGlobalData settings = settingsWithMaterials();
    TFileFrame frame(settings);
    nineteenCourses(frame);
    frame.ViewStrings();
    int step = 1;
    for (auto _ : state) {
        GlobalTuning(frame.Chart, frame.Document.Temperament, frame.Document.APitch, step);
        step = -step;
        benchmark::DoNotOptimize(frame.TotalTension());
    }
}
BENCHMARK(BM_TransposeAllCourses)->Unit(benchmark::kMicrosecond);
