// The shell's speed as the user feels it: start to shown window, building a large string
// chart, opening a large file and one note step, each with the widgets' layout and paint.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <optional>

#include "app/Headless.h"
#include "app/MainForm.h"
#include "document/InstDataType.h"
#include "views/VornFrame.h"

using namespace vorn;

namespace {

QTemporaryDir* workDir = nullptr;

void settle() {
    // Twice: layout requests posted while the first round handles the others.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

std::unique_ptr<TMainForm> shownWindow(const QString& settings) {
    auto window = std::make_unique<TMainForm>(settings);
    window->MessageHook = [](QMessageBox::Icon, const QString&, const QString&) {};
    window->resize(1100, 720);
    window->show();
    settle();
    return window;
}

// A new document set up as a Baroque lute with 19 courses on its File Setup page.
TVornFrame* baroqueLute19(TMainForm& window) {
    TVornFrame* frame = window.NewDocument();
    frame->findChild<QComboBox*>(QStringLiteral("ComboInstType"))->setCurrentIndex(1);
    frame->findChild<QComboBox*>(QStringLiteral("ComboNumCourses"))
        ->setCurrentIndex(MaxCourses - MinCourses);
    return frame;
}

QString settingsPath(const char* name) {
    return workDir->filePath(QString::fromLatin1(name));
}

// A settings file that reopens one 19-course document, as after a day's work.
QString settingsWithDocument() {
    const QString path = settingsPath("reopen.vrn");
    if (!QFile::exists(path)) {
        auto window = shownWindow(path);
        window->Settings().StartupChoice = 1;
        baroqueLute19(*window);
        window->ViewStrings();
        window->close();
    }
    return path;
}

QString lute19File() {
    const QString path = workDir->filePath(QStringLiteral("baroque19.vrd"));
    if (!QFile::exists(path)) {
        auto window = shownWindow(settingsPath("maker.vrn"));
        baroqueLute19(*window);
        window->ViewStrings();
        window->SaveDocumentFile(path);
    }
    return path;
}

void BM_StartToShownWindow(benchmark::State& state) {
    const bool reopen = state.range(0) != 0;
    const QString settings = reopen ? settingsWithDocument() : settingsPath("none.vrn");
    for (auto _ : state) {
        auto window = shownWindow(settings);
        benchmark::DoNotOptimize(window.get());
        state.PauseTiming();
        window.reset();
        settle();
        state.ResumeTiming();
    }
    state.SetLabel(reopen ? "reopening a 19-course document" : "first start");
}
BENCHMARK(BM_StartToShownWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BuildStringChart19(benchmark::State& state) {
    auto window = shownWindow(settingsPath("build.vrn"));
    for (auto _ : state) {
        state.PauseTiming();
        TVornFrame* frame = baroqueLute19(*window);
        settle();
        state.ResumeTiming();
        window->ViewStrings();
        settle();
        benchmark::DoNotOptimize(frame->HasCourseRows());
        state.PauseTiming();
        window->CloseDocument();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildStringChart19)->Unit(benchmark::kMillisecond);

void BM_OpenFile19(benchmark::State& state) {
    const QString file = lute19File();
    auto window = shownWindow(settingsPath("open.vrn"));
    for (auto _ : state) {
        const bool opened = window->OpenDocumentFile(file);
        settle();
        benchmark::DoNotOptimize(opened);
        state.PauseTiming();
        window->CloseDocument();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenFile19)->Unit(benchmark::kMillisecond);

void BM_NoteStep19(benchmark::State& state) {
    auto window = shownWindow(settingsPath("step.vrn"));
    baroqueLute19(*window);
    window->ViewStrings();
    settle();
    TStrFrame& chart = window->ActiveDocument()->Model().Chart;
    // Course 7, on screen: a bass with its octave string, the most a step recalculates and
    // redraws (rows scrolled out of sight would not be painted at all).
    TOneCrsPanel& course = chart.Course(6);
    bool up = true;
    for (auto _ : state) {
        course.StepNote(up);
        settle();
        up = !up;
    }
}
BENCHMARK(BM_NoteStep19)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const auto runtime = vorn::PrepareHeadless();
    QApplication app(argc, argv);
    QTemporaryDir work;
    workDir = &work;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
