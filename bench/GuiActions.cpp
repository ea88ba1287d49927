// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiActions.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSlider>
#include <QUndoStack>

#include "BenchDocuments.h"
#include "app/DocumentHistory.h"
#include "app/MainForm.h"
#include "app/VornPrint.h"
#include "chart/GlobalChangeForms.h"
#include "document/CourseLimits.h"
#include "document/GlobalData.h"
#include "views/FretFrormView.h"
#include "views/StrFrameView.h"
#include "views/TensionProfileView.h"
#include "views/VornFrame.h"
#include "widgets/LabelledTrackBar.h"

namespace vorn {

void SettleEvents() {
    // Twice: layout requests posted while the first round handles the others.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

namespace {

std::unique_ptr<TMainForm> shownWindow(const QString& settings) {
    auto window = std::make_unique<TMainForm>(settings);
    window->MessageHook = [](QMessageBox::Icon, const QString&, const QString&) {};
    window->Documents().AskSaveChanges = [](const QString&) { return QMessageBox::Discard; };
    window->resize(1100, 720);
    window->show();
    SettleEvents();
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

// A window showing the string chart of a 19-course Baroque lute.
std::unique_ptr<TMainForm> windowWithChart(const QString& folder, const char* settings) {
    auto window = shownWindow(QDir(folder).filePath(QString::fromLatin1(settings)));
    baroqueLute19(*window);
    window->ViewStrings();
    SettleEvents();
    return window;
}

void writeFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// The window from its constructor to its first paint; the settings file is written anew
// before each start, so every run reads the same one.
class StartWindow : public GuiAction {
public:
    StartWindow(const QString& folder, std::string settings)
        : path_(QDir(folder).filePath(QStringLiteral("start.vrn"))), bytes_(std::move(settings)) {}
    void Prepare() override {
        QFile::remove(path_);
        QFile::remove(QDir(QFileInfo(path_).path()).filePath(QStringLiteral("vorn.ini")));
        if (!bytes_.empty())
            writeFile(path_, bytes_);
    }
    void Run() override { window_ = shownWindow(path_); }
    void Finish() override {
        window_.reset();
        SettleEvents();
    }

private:
    QString path_;
    std::string bytes_;
    std::unique_ptr<TMainForm> window_;
};

class BuildStringChart : public GuiAction {
public:
    explicit BuildStringChart(const QString& folder)
        : window_(shownWindow(QDir(folder).filePath(QStringLiteral("build.vrn")))) {}
    void Prepare() override {
        baroqueLute19(*window_);
        SettleEvents();
    }
    void Run() override {
        window_->ViewStrings();
        SettleEvents();
    }
    void Finish() override {
        window_->CloseDocument();
        SettleEvents();
    }

private:
    std::unique_ptr<TMainForm> window_;
};

class OpenFile : public GuiAction {
public:
    explicit OpenFile(const QString& folder)
        : file_(QDir(folder).filePath(QStringLiteral("baroque19.vrd"))),
          window_(shownWindow(QDir(folder).filePath(QStringLiteral("open.vrn")))) {
        writeFile(file_, BaroqueLute19File());
    }
    void Run() override {
        window_->OpenDocumentFile(file_);
        SettleEvents();
    }
    void Finish() override {
        window_->CloseDocument();
        SettleEvents();
    }

private:
    QString file_;
    std::unique_ptr<TMainForm> window_;
};

class NoteStep : public GuiAction {
public:
    explicit NoteStep(const QString& folder) : window_(windowWithChart(folder, "step.vrn")) {}
    void Run() override {
        // Course 7, on screen: a bass with its octave string, the most a step recalculates
        // and redraws (rows scrolled out of sight would not be painted at all).
        window_->ActiveDocument()->Model().Chart.Course(6).StepNote(up_);
        SettleEvents();
        up_ = !up_;
    }

private:
    std::unique_ptr<TMainForm> window_;
    bool up_ = true;
};

// The fret chart on screen with its alternatives and graphic, as most users keep it.
std::unique_ptr<TMainForm> windowWithFretChart(const QString& folder, const char* settings) {
    auto window = shownWindow(QDir(folder).filePath(QString::fromLatin1(settings)));
    window->Settings().ShowAlternativeFrets = 1;
    window->Settings().FretGraphicVisible = 1;
    window->ViewStrings();
    window->ViewFrets();
    SettleEvents();
    return window;
}

// Everything again from the document: rows, graphic and the repaint they cause; two
// temperaments in turn, so that every figure changes.
class FretChartRefresh : public GuiAction {
public:
    explicit FretChartRefresh(const QString& folder)
        : window_(windowWithFretChart(folder, "frets.vrn")) {}
    void Run() override {
        TVornFrame* frame = window_->ActiveDocument();
        frame->Model().Document.SetTemperament(temperament_);
        frame->ShowPage(TVornFrame::ShowFretChart);
        SettleEvents();
        temperament_ = temperament_ == 2 ? 3 : 2;
    }

private:
    std::unique_ptr<TMainForm> window_;
    int temperament_ = 2;
};

// One step of the temperament slider, from the handle to the repainted page.
class FretSliderStep : public GuiAction {
public:
    explicit FretSliderStep(const QString& folder)
        : window_(windowWithFretChart(folder, "slider.vrn")) {}
    void Run() override {
        window_->ActiveDocument()->FretView()->TrackBar()->Slider()->setValue(position_);
        SettleEvents();
        position_ = position_ == 45 ? 46 : 45;
    }

private:
    std::unique_ptr<TMainForm> window_;
    int position_ = 45;
};

// A tension typed into one string, then Print: the report of the changed document into the
// print window.
class ReportIntoView : public GuiAction {
public:
    explicit ReportIntoView(const QString& folder)
        : window_(windowWithChart(folder, "report.vrn")) {
        window_->PrintDocument();
        SettleEvents();
    }
    void Prepare() override {
        up_ = !up_;
        window_->ActiveDocument()->Model().Chart.Course(8).EditTension(0, up_ ? 3.5 : 3.0);
        SettleEvents();
    }
    void Run() override {
        window_->PrintDocument();
        SettleEvents();
    }

private:
    std::unique_ptr<TMainForm> window_;
    bool up_ = false;
};

// One of the whole-instrument changes on a chart on screen: model, rows and repaint.
void applyGlobal(TStrFrame& chart, int kind, bool flip) {
    switch (kind) {
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
}

class GlobalChange : public GuiAction {
public:
    GlobalChange(const QString& folder, int kind)
        : window_(windowWithChart(folder, "globals.vrn")), kind_(kind) {}
    void Run() override {
        flip_ = !flip_;
        window_->ActiveDocument()->ApplyGlobal(
            [this](TStrFrame& chart) { applyGlobal(chart, kind_, flip_); });
        SettleEvents();
    }

private:
    std::unique_ptr<TMainForm> window_;
    int kind_;
    bool flip_ = false;
};

// Undo and redo in turn of a whole-instrument tension change, as Ctrl+Z and Ctrl+Y do.
class UndoStep : public GuiAction {
public:
    explicit UndoStep(const QString& folder) : window_(windowWithChart(folder, "undo.vrn")) {
        TVornFrame* frame = window_->ActiveDocument();
        window_->IdleUpdate();
        frame->ApplyGlobal([](TStrFrame& chart) { applyGlobal(chart, 3, true); });
        SettleEvents();
        window_->IdleUpdate();
        stack_ = window_->History().Stack(frame);
    }
    void Run() override {
        // Only the tension step goes back and forth, never the steps that made the courses.
        if (undo_)
            stack_->undo();
        else
            stack_->redo();
        undo_ = !undo_;
        SettleEvents();
        // What the window does when it waits for input again: the changed marks.
        window_->IdleUpdate();
    }

private:
    std::unique_ptr<TMainForm> window_;
    QUndoStack* stack_ = nullptr;
    bool undo_ = true;
};

// A new tension unit from Options: every chart hears of it from the settings and shows its
// rows again, as OK in the dialog does.
class TensionUnitNotice : public GuiAction {
public:
    explicit TensionUnitNotice(const QString& folder)
        : window_(windowWithChart(folder, "unit.vrn")) {}
    void Run() override {
        TGlobalData& settings = window_->Settings();
        settings.TensionUnit = settings.TensionUnit == tt_newtons ? tt_kilograms : tt_newtons;
        settings.Notice.Notify(sc_tension_unit);
        window_->OptionsApplied();
        SettleEvents();
    }

private:
    std::unique_ptr<TMainForm> window_;
};

// Redrawing the tension profile after a tension edit.
class ProfileRedraw : public GuiAction {
public:
    explicit ProfileRedraw(const QString& folder) {
        window_ = shownWindow(QDir(folder).filePath(QStringLiteral("profile.vrn")));
        window_->Settings().TensionProfileVisible = 1;
        baroqueLute19(*window_);
        window_->ViewStrings();
        SettleEvents();
    }
    void Prepare() override {
        up_ = !up_;
        window_->ActiveDocument()->Model().Chart.Course(8).EditTension(0, up_ ? 3.5 : 3.0);
    }
    void Run() override { window_->ActiveDocument()->StringView()->Profile()->repaint(); }

private:
    std::unique_ptr<TMainForm> window_;
    bool up_ = false;
};

template <typename Action> GuiActionEntry entry(const char* name) {
    return {name, [](const QString& folder) { return std::make_unique<Action>(folder); }};
}

} // namespace

const std::vector<GuiActionEntry>& GuiActions() {
    static const std::vector<GuiActionEntry> actions = [] {
        std::vector<GuiActionEntry> list{
            {"start/no_settings",
             [](const QString& folder) { return std::make_unique<StartWindow>(folder, ""); }},
            {"start/ten_documents",
             [](const QString& folder) {
                 return std::make_unique<StartWindow>(folder, TenLutesSettings());
             }},
            entry<BuildStringChart>("string_chart/build"),
            entry<OpenFile>("string_chart/open_file"),
            entry<NoteStep>("string_chart/note_step"),
            entry<UndoStep>("string_chart/undo"),
            entry<TensionUnitNotice>("string_chart/tension_unit"),
            entry<ProfileRedraw>("string_chart/profile_redraw"),
        };
        static const char* const globals[] = {"tuning",       "course_type", "courses", "tension",
                                              "alternatives", "gut",         "length"};
        for (int kind = 0; kind < 7; ++kind)
            list.push_back({std::string("globals/") + globals[kind], [kind](const QString& folder) {
                                return std::make_unique<GlobalChange>(folder, kind);
                            }});
        list.push_back(entry<FretChartRefresh>("fret_chart/refresh"));
        list.push_back(entry<FretSliderStep>("fret_chart/slider_step"));
        list.push_back(entry<ReportIntoView>("report/into_view"));
        return list;
    }();
    return actions;
}

} // namespace vorn
