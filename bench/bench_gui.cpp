// SPDX-License-Identifier: GPL-3.0-or-later

// The shell's speed as the user feels it: each action of GuiActions, from the prepared state
// to the repainted window, and the report's text alone for comparison.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "GuiActions.h"
#include "Headless.h"
#include "document/CourseLimits.h"
#include "files/FileFrame.h"
#include "report/Report.h"

using namespace vorn;

namespace {

QTemporaryDir* workDir = nullptr;

void runAction(benchmark::State& state, const GuiActionEntry& entry) {
    const std::unique_ptr<GuiAction> action = entry.Make(workDir->path());
    for (auto _ : state) {
        state.PauseTiming();
        action->Prepare();
        state.ResumeTiming();
        action->Run();
        state.PauseTiming();
        action->Finish();
        state.ResumeTiming();
    }
}

// The report of a 19-course document as text, without a window.
void BM_BuildReport19(benchmark::State& state) {
    TGlobalData settings;
    TFileFrame frame(settings);
    frame.ApplyTemplate(10);
    frame.Document.CourseCount = MaxCourses;
    frame.ViewStrings();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildReport("Lute", frame.Chart, ReportOptions{}));
}
BENCHMARK(BM_BuildReport19)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const auto runtime = vorn::PrepareHeadless();
    QApplication app(argc, argv);
    QTemporaryDir work;
    workDir = &work;
    for (const GuiActionEntry& entry : GuiActions())
        benchmark::RegisterBenchmark(entry.Name.c_str(), runAction, entry)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
