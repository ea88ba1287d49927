// SPDX-License-Identifier: GPL-3.0-or-later

// The shell's speed as the user feels it: start to shown window, building a large string
// chart, opening a large file, one note step, a fret chart refresh and a slider step, the
// report into the print window, each with the widgets' layout and paint.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSlider>
#include <QTemporaryDir>

#include <memory>
#include <optional>

#include "Headless.h"
#include "app/MainForm.h"
#include "app/VornPrint.h"
#include "chart/GlobalChangeForms.h"
#include "document/InstDataType.h"
#include "report/Report.h"
#include "views/FretFrormView.h"
#include "views/StrFrameView.h"
#include "views/TensionProfileView.h"
#include "views/VornFrame.h"
#include "widgets/LabelledTrackBar.h"

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
    window->Documents().AskSaveChanges = [](const QString&) { return QMessageBox::Discard; };
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

// The fret chart on screen with its alternatives and graphic, as most users keep it.
TVornFrame* shownFretChart(TMainForm& window) {
    window.Settings().ShowAlternativeFrets = 1;
    window.Settings().FretGraphicVisible = 1;
    window.ViewStrings();
    window.ViewFrets();
    settle();
    return window.ActiveDocument();
}

// Everything again from the document: rows, graphic and the repaint they cause.
void BM_FretChartRefresh(benchmark::State& state) {
    auto window = shownWindow(settingsPath("frets.vrn"));
    TVornFrame* frame = shownFretChart(*window);
    // Two temperaments in turn, so that every figure changes and is painted again.
    int temperament = 2;
    for (auto _ : state) {
        frame->Model().Document.SetTemperament(temperament);
        frame->ShowPage(TVornFrame::ShowFretChart);
        settle();
        temperament = temperament == 2 ? 3 : 2;
    }
}
BENCHMARK(BM_FretChartRefresh)->Unit(benchmark::kMillisecond);

// One step of the temperament slider, from the handle to the repainted page.
void BM_FretSliderMove(benchmark::State& state) {
    auto window = shownWindow(settingsPath("slider.vrn"));
    TVornFrame* frame = shownFretChart(*window);
    QSlider* slider = frame->FretView()->TrackBar()->Slider();
    int position = 45;
    for (auto _ : state) {
        slider->setValue(position);
        settle();
        position = position == 45 ? 46 : 45;
    }
}
BENCHMARK(BM_FretSliderMove)->Unit(benchmark::kMillisecond);

// The report of a 19-course document: the text alone, then text and view together.
void BM_BuildReport19(benchmark::State& state) {
    auto window = shownWindow(settingsPath("report.vrn"));
    baroqueLute19(*window);
    window->ViewStrings();
    const TVornFrame* frame = window->ActiveDocument();
    const std::string title = frame->DisplayName().toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildReport(title, frame->Model().Chart, ReportOptions{}));
}
BENCHMARK(BM_BuildReport19)->Unit(benchmark::kMillisecond);

void BM_ReportIntoView19(benchmark::State& state) {
    auto window = shownWindow(settingsPath("report-view.vrn"));
    baroqueLute19(*window);
    window->ViewStrings();
    window->PrintDocument();
    settle();
    TVornFrame* frame = window->ActiveDocument();
    TVornPrint* print = window->PrintWindow();
    for (auto _ : state) {
        print->BuildReport(frame->DisplayName(), frame->Model().Chart);
        settle();
    }
}
BENCHMARK(BM_ReportIntoView19)->Unit(benchmark::kMillisecond);

// Each whole-instrument change on a 19-course chart on screen, two settings in turn so that
// every iteration changes something: model, rows and repaint. Arg: the Globals number.
void BM_GlobalChange19(benchmark::State& state) {
    auto window = shownWindow(settingsPath("globals.vrn"));
    baroqueLute19(*window);
    window->ViewStrings();
    settle();
    TVornFrame* frame = window->ActiveDocument();
    const int n = static_cast<int>(state.range(0));
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        frame->ApplyGlobal([n, flip](TStrFrame& chart) {
            switch (n) {
            case 0: {
                TuningForm f = TuningForm::Show(chart.Document);
                f.TypePitch(flip ? 415 : 440);
                f.Apply(chart);
                break;
            }
            case 1: {
                CourseTypeForm f;
                flip ? f.ChooseKind(ck_unison) : f.ChooseReset();
                f.Apply(chart);
                break;
            }
            case 2: {
                CoursesForm f = CoursesForm::Show(chart.Document);
                f.Count = flip ? 18 : 19;
                f.Apply(chart);
                break;
            }
            case 3: {
                TensionForm f = TensionForm::Show(chart.Settings);
                f.TypeValue(flip ? 3.5 : 3.0);
                f.Apply(chart);
                break;
            }
            case 4: {
                AlternativesForm f;
                f.ChooseIndex(flip ? 1 : 2);
                f.Apply(chart);
                break;
            }
            case 5: {
                GutForm f = GutForm::Show(chart.Settings);
                f.Density = flip ? 1.3 : 1.35;
                f.Apply(chart);
                break;
            }
            default: {
                LengthForm f = LengthForm::Show(chart.Document, chart.Settings);
                f.Top = flip ? 70 : 68;
                f.Apply(chart);
                break;
            }
            }
        });
        settle();
    }
}
BENCHMARK(BM_GlobalChange19)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// Redrawing the tension profile after a tension edit on a 19-course chart.
void BM_ProfileRedraw19(benchmark::State& state) {
    auto window = shownWindow(settingsPath("profile.vrn"));
    window->Settings().TensionProfileVisible = 1;
    baroqueLute19(*window);
    window->ViewStrings();
    settle();
    TVornFrame* frame = window->ActiveDocument();
    TTensionProfileView* profile = frame->StringView()->Profile();
    TOneCrsPanel& course = frame->Model().Chart.Course(8);
    bool up = false;
    for (auto _ : state) {
        state.PauseTiming();
        up = !up;
        course.EditTension(0, up ? 3.5 : 3.0);
        state.ResumeTiming();
        profile->repaint();
    }
}
BENCHMARK(BM_ProfileRedraw19)->Unit(benchmark::kMillisecond);

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
