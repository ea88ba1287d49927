// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentCommands.h"

#include <QGuiApplication>
#include <QString>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "CalcOptions.h"
#include "CalcOutput.h"
#include "Headless.h"
#include "ReportPdf.h"
#include "TemplatePdf.h"
#include "chart/GlobalChangeForms.h"
#include "document/InstrumentTemplates.h"
#include "files/CheckedChange.h"
#include "files/DocumentFile.h"
#include "files/DocumentStore.h"
#include "files/FileFrame.h"
#include "files/FretTemplateDxf.h"
#include "files/PreferencesFile.h"
#include "files/SettingsFile.h"
#include "frets/FretFrorm.h"
#include "frets/FretTemplate.h"
#include "frets/PlacementFrame.h"
#include "frets/ScalaScale.h"
#include "io/AtomicFile.h"
#include "pitch/FretScale.h"
#include "pitch/Temperaments.h"
#include "report/OrderList.h"
#include "report/Report.h"

namespace vorn::calc {

namespace {

// One line on standard error; names and paths in it may be any bytes.
void complain(std::ostream& err, const std::string& message) {
    err << "vorn-calc: " << OneLine(message) << "\n";
}

// A document's name as reports, lists and templates carry it: a file name may be any bytes.
std::string titleOf(const TFileFrame& frame) {
    return OneLine(frame.DisplayName());
}

} // namespace

std::string FileFailure(const std::string& verb, const std::string& path,
                        const std::string& error) {
    const std::string prefix = path + ": ";
    const bool named = error.compare(0, prefix.size(), prefix) == 0;
    return "cannot " + verb + " " + prefix + (named ? error.substr(prefix.size()) : error);
}

bool LoadCalcSettings(const std::string& path, TGlobalData& settings, std::ostream& err) {
    std::string data, error;
    if (!ReadWholeFile(path, data, &error)) {
        complain(err, FileFailure("read", path, error));
        return false;
    }
    const SettingsLoad load = LoadSettingsData(data, settings);
    if (!load.Message.empty()) {
        complain(err, path + ": " + load.Message);
        return false;
    }
    // The preferences beside it are optional: without them the defaults hold.
    ApplyPreferences(LoadPreferencesFile(PreferencesPathFor(path)), settings);
    return true;
}

namespace {

// Default settings with their materials, or those of a settings file.
bool loadSettings(const std::optional<std::string>& path, TGlobalData& settings,
                  std::ostream& err) {
    return !path || LoadCalcSettings(*path, settings, err);
}

bool openFile(const std::string& path, TFileFrame& frame, std::ostream& err) {
    const LoadOutcome outcome = OpenDocumentFile(frame, path);
    if (outcome.Result == LoadResult::Loaded)
        return true;
    if (!outcome.ReadFailure.empty())
        complain(err, FileFailure("read", path, outcome.ReadFailure));
    else
        complain(err, path + ": " + (outcome.Message.empty() ? LoadFileMessage : outcome.Message) +
                          (outcome.Reason.empty() ? "" : " (" + outcome.Reason + ")"));
    return false;
}

// A document opened as the program opens it, computed with the default settings or with
// those of a settings file.
struct OpenedDocument {
    TGlobalData settings;
    TFileFrame frame{settings};

    bool open(const std::optional<std::string>& settingsPath, const std::string& path,
              std::ostream& err) {
        return loadSettings(settingsPath, settings, err) && openFile(path, frame, err);
    }
};

// Runs work with a Qt application object, which laying out a page needs, but no display.
template <class Work> auto withOffscreenApplication(Work&& work) {
    const auto runtime = PrepareHeadless();
    static char name[] = "vorn-calc";
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {name, platformOption, offscreen, nullptr};
    int argc = 3;
    QGuiApplication app(argc, argv);
    // Qt gave the C library the environment's locale; vorn-calc's numbers keep their '.'.
    std::setlocale(LC_NUMERIC, "C");
    return work();
}

bool writeFile(const std::string& path, const std::string& bytes, std::ostream& err) {
    std::string error;
    if (WriteFileAtomically(path, bytes, &error))
        return true;
    complain(err, FileFailure("write", path, error));
    return false;
}

// Saves as the program does and says so under the name the document had before.
bool saveFile(const std::string& path, TFileFrame& frame, std::ostream& out, std::ostream& err) {
    const std::string name = titleOf(frame);
    std::string error;
    if (!SaveDocumentFile(frame, path, &error)) {
        complain(err, FileFailure("write", path, error));
        return false;
    }
    out << "Wrote " << name << " to " << OneLine(path) << "\n";
    return true;
}

} // namespace

int RunNew(int type, const std::string& path, const std::optional<std::string>& settingsPath,
           std::ostream& out, std::ostream& err) {
    TGlobalData settings;
    if (!loadSettings(settingsPath, settings, err))
        return 1;
    TFileFrame frame(settings);
    frame.ApplyTemplate(type);
    frame.ViewStrings();
    if (!saveFile(path, frame, out, err))
        return 1;
    return 0;
}

int RunShow(const std::string& path, const std::optional<std::string>& settingsPath, bool json,
            std::ostream& out, std::ostream& err) {
    OpenedDocument opened;
    if (!opened.open(settingsPath, path, err))
        return 1;
    const TFileFrame& frame = opened.frame;
    if (json)
        out << JsonText(ShowJson(frame));
    else
        out << ShowTable(frame);
    return 0;
}

int RunDocumentFrets(const std::string& path, const std::optional<std::string>& settingsPath,
                     bool json, std::ostream& out, std::ostream& err) {
    OpenedDocument opened;
    if (!opened.open(settingsPath, path, err))
        return 1;
    // As the Fret Chart page takes the document: off-grid custom fractions move to the slider.
    TFretFrorm page(opened.settings);
    page.Bind(opened.frame.Document);
    const TInstDataType& d = opened.frame.Document;
    if (d.Scale) {
        // As `frets --rule` or `--scale` gives it for the page's top string. A customized
        // page's Mi and Fa also pick the sides of a 17-note scale's frets.
        const FretDistribution scaled = ScaleFretDistribution(
            *d.Scale, page.TopNote, static_cast<double>(d.StringLength),
            ScaleOpenFrequency(page.TopNote.Number, static_cast<double>(d.APitch)),
            page.ChoicesInUse);
        out << (json ? JsonText(ScaleFretsJson(scaled, *d.Scale))
                     : ScaleFretsTable(scaled, *d.Scale));
        return 0;
    }
    const std::string name = TemperamentShortName(d.Temperament, d.CommaFraction);
    if (json)
        out << JsonText(FretsJson(page.Distribution, name));
    else
        out << FretsTable(page.Distribution, name);
    return 0;
}

int RunPlacement(const std::string& path, std::optional<int> key,
                 const std::optional<std::string>& settingsPath, bool json, std::ostream& out,
                 std::ostream& err) {
    OpenedDocument opened;
    if (!opened.open(settingsPath, path, err))
        return 1;
    TFileFrame& frame = opened.frame;
    if (key)
        frame.Document.Key = static_cast<uint8_t>(*key);
    TPlacementFrame editor;
    editor.Bind(frame.Document);
    editor.Refresh();
    if (json)
        out << JsonText(PlacementJson(editor, frame.Document.Key));
    else
        out << PlacementTable(editor, frame.Document.Key);
    return 0;
}

namespace {

// The position of an alternative in the settings' list, or -1 after saying what the list holds.
int alternativeIndex(const TGlobalData& settings, const std::string& name, std::ostream& err) {
    const auto items = settings.Materials.AlternativeChoiceList();
    const auto at = std::find(items.begin(), items.end(), name);
    if (at == items.end()) {
        std::string list;
        for (const auto& item : items)
            list += (list.empty() ? "" : ", ") + item;
        complain(err, "--alt: '" + name + "' is not an alternative (" + list + ")");
        return -1;
    }
    return static_cast<int>(at - items.begin());
}

// Each change reads the document and settings of the chart it is given: a rehearsal works on
// copies of both.
void changeTuning(const ChangeRequest& r, TStrFrame& chart) {
    if (r.Pitch || r.Temperament || r.Comma || r.Transpose) {
        TuningForm tuning = TuningForm::Show(chart.Document);
        if (r.Pitch)
            tuning.TypePitch(*r.Pitch);
        if (r.Temperament) {
            tuning.Temperament = *r.Temperament;
        } else if (r.Comma) {
            chart.Document.CommaFraction = *r.Comma;
            tuning.Temperament = CustomTemperament;
        }
        if (r.Transpose && *r.Transpose != 0) {
            tuning.TuneDirection = *r.Transpose > 0 ? TuningForm::td_up : TuningForm::td_down;
            tuning.Interval = std::abs(*r.Transpose) - 1;
        }
        tuning.Apply(chart);
    }
    // After the tuning, which keeps the temperament for the strings whatever frets the
    // document has.
    if (r.Scale)
        chart.Document.Scale = *r.Scale;
    else if (r.Temperament || r.Comma)
        chart.Document.Scale.reset();
}

void changeCourses(const ChangeRequest& r, TStrFrame& chart) {
    if (r.CourseKinds) {
        CourseTypeForm types;
        if (*r.CourseKinds == 0)
            types.ChooseReset();
        else
            types.ChooseKind(*r.CourseKinds);
        types.Apply(chart);
    }
    if (r.Courses) {
        CoursesForm courses = CoursesForm::Show(chart.Document);
        courses.Count = *r.Courses;
        courses.NewKindPosition = r.NewKindPosition;
        courses.Apply(chart);
    }
}

void changeStrings(const ChangeRequest& r, int alternative, TStrFrame& chart) {
    if (r.Tension || r.DefaultTensions) {
        TensionForm tension = TensionForm::Show(chart.Settings);
        tension.SetUnit(r.TensionUnit);
        if (r.Tension)
            tension.TypeValue(*r.Tension);
        else
            tension.Chosen = TensionForm::tc_defaults;
        tension.Apply(chart);
    }
    if (r.Alternative || r.DefaultAlternatives) {
        AlternativesForm alternatives;
        if (r.Alternative)
            alternatives.ChooseIndex(alternative);
        else
            alternatives.Chosen = AlternativesForm::ac_defaults;
        alternatives.Apply(chart);
    }
    if (r.GutDensity) {
        GutForm gut = GutForm::Show(chart.Settings);
        if (r.GutAffects >= 0)
            gut.Mode = static_cast<uint8_t>(r.GutAffects);
        gut.Density = *r.GutDensity;
        gut.Apply(chart);
    }
}

void changeLengths(const ChangeRequest& r, TStrFrame& chart) {
    if (r.Length) {
        LengthForm lengths = LengthForm::Show(chart.Document, chart.Settings);
        lengths.Top = *r.Length;
        if (r.SecondLength) {
            lengths.UseSecond = true;
            lengths.Second = *r.SecondLength;
            lengths.FromCourse = r.FromCourse;
        } else if (r.NoSecondLength) {
            lengths.UseSecond = false;
        }
        lengths.Apply(chart);
    }
}

} // namespace

int RunChange(const ChangeRequest& r, std::ostream& out, std::ostream& err) {
    OpenedDocument opened;
    if (!opened.open(r.Settings, r.Path, err))
        return 1;
    TFileFrame& frame = opened.frame;

    int alternative = -1;
    if (r.Alternative) {
        alternative = alternativeIndex(opened.settings, *r.Alternative, err);
        if (alternative < 0)
            return 2;
    }
    // As the Globals menu changes a document: only into one that opens again. The file is
    // then written only once it has been read back (SaveDocumentFile).
    std::string refusal;
    const bool changed = ApplyCheckedChange(
        frame,
        [&](TStrFrame& chart) {
            changeTuning(r, chart);
            changeCourses(r, chart);
            changeStrings(r, alternative, chart);
            changeLengths(r, chart);
            chart.StoreCourses();
        },
        &refusal);
    if (!changed) {
        complain(err, "cannot change " + r.Path + ": " + refusal);
        return 1;
    }
    if (!saveFile(r.Output, frame, out, err))
        return 1;
    return 0;
}

int RunScala(const std::optional<std::string>& documentPath, int temperament, double fraction,
             int notes, const std::string& output, std::ostream& out, std::ostream& err) {
    FretChoices choices = DefaultMiFa;
    std::string description = TemperamentShortName(temperament, fraction);
    if (documentPath) {
        OpenedDocument opened;
        if (!opened.open(std::nullopt, *documentPath, err))
            return 1;
        const TFileFrame& frame = opened.frame;
        // As the Fret Chart shows it: its fraction on the slider, its choices in use.
        TFretFrorm page(opened.settings);
        page.Bind(opened.frame.Document);
        fraction = frame.Document.CommaFraction;
        choices = page.ChoicesInUse;
        description =
            TemperamentShortName(frame.Document.Temperament, fraction) + ", " + titleOf(frame);
        // A document fretted by a rule or a Scala scale exports that scale as it is.
        if (const std::optional<FretScale>& scale = frame.Document.Scale) {
            const std::string name = OneLine(std::filesystem::path(output).filename().string());
            if (!writeFile(output, ScalaFileOfScale(name, *scale), err))
                return 1;
            out << "Wrote " << OneLine(scale->Name) << " to " << OneLine(output) << "\n";
            return 0;
        }
    }
    description += notes == 17 ? " (17 notes, sharps and flats)" : " (12 notes, as fretted)";
    const std::string name = OneLine(std::filesystem::path(output).filename().string());
    if (!writeFile(output, ScalaFile(name, description, fraction, choices, notes), err))
        return 1;
    out << "Wrote " << description << " to " << OneLine(output) << "\n";
    return 0;
}

int RunTemplate(const std::string& path, const std::string& output, bool letter, bool alternatives,
                std::ostream& out, std::ostream& err) {
    OpenedDocument opened;
    if (!opened.open(std::nullopt, path, err))
        return 1;
    TFileFrame& frame = opened.frame;
    TFretFrorm page(opened.settings);
    page.Bind(frame.Document);
    const TemplateInput in = TemplateOf(page, titleOf(frame), alternatives,
                                        letter ? TemplatePaper::Letter() : TemplatePaper::A4());
    if (const std::string refusal = TemplateRefusal(in); !refusal.empty()) {
        complain(err, refusal);
        return 1;
    }
    const std::string ext = std::filesystem::path(output).extension().string();
    if (ext == ".dxf" || ext == ".csv") {
        const std::string bytes =
            ext == ".dxf" ? FretTemplateDxf(FretLayoutLines(in), in.Title) : FretTemplateCsv(in);
        if (!writeFile(output, bytes, err))
            return 1;
        out << "Wrote the fret " << (ext == ".dxf" ? "layout" : "table") << " of " << in.Title
            << " to " << OneLine(output) << "\n";
        return 0;
    }
    const std::vector<TemplatePage> pages = LayoutFretTemplate(in);
    if (ext == ".svg") {
        if (!writeFile(output, FretTemplateSvg(pages, in.Paper), err))
            return 1;
    } else {
        std::string error;
        if (!withOffscreenApplication(
                [&] { return WriteFretTemplatePdf(pages, in.Paper, output, &error); })) {
            complain(err, FileFailure("write", output, error));
            return 1;
        }
    }
    out << "Wrote the fret template of " << in.Title << " (" << pages.size()
        << (pages.size() == 1 ? " page" : " pages") << ") to " << OneLine(output) << "\n";
    return 0;
}

int RunOrder(const std::string& path, const std::optional<std::string>& settingsPath, bool csv,
             bool byAlternative, std::ostream& out, std::ostream& err) {
    OpenedDocument opened;
    if (!opened.open(settingsPath, path, err))
        return 1;
    OrderOptions options;
    options.ByAlternative = byAlternative;
    const std::vector<OrderLine> lines = BuildOrderList(opened.frame.Chart, options);
    out << (csv ? OrderListCsv(lines) : OrderListText(titleOf(opened.frame), options, lines));
    return 0;
}

int RunReport(const ReportRequest& request, std::ostream& out, std::ostream& err) {
    OpenedDocument opened;
    if (!opened.open(request.Settings, request.Path, err))
        return 1;
    const TFileFrame& frame = opened.frame;
    ReportOptions options;
    options.Strings = request.Strings;
    options.Frets = request.Frets;
    const std::string title = titleOf(frame);
    const std::string text = request.Format == ReportFormat::Text
                                 ? BuildReportText(title, frame.Chart, options)
                                 : BuildReport(title, frame.Chart, options);
    if (request.Format == ReportFormat::Pdf) {
        std::string error;
        if (!withOffscreenApplication([&] {
                return WriteReportPdf(QString::fromStdString(text), *request.Output, request.Letter,
                                      &error);
            })) {
            complain(err, FileFailure("write", *request.Output, error));
            return 1;
        }
        out << "Wrote the report of " << title << " to " << OneLine(*request.Output) << "\n";
        return 0;
    }
    if (!request.Output) {
        out << text;
        return 0;
    }
    return writeFile(*request.Output, text, err) ? 0 : 1;
}

int RunConvert(const std::string& oldPath, const std::string& newPath, std::ostream& out,
               std::ostream& err) {
    OpenedDocument opened;
    if (!opened.open(std::nullopt, oldPath, err) || !saveFile(newPath, opened.frame, out, err))
        return 1;
    return 0;
}

} // namespace vorn::calc
