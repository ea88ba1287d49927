// SPDX-License-Identifier: GPL-3.0-or-later

// Pictures of the main window for the documentation: runs the window offscreen with a
// settings file of its own and writes PNG files into the folder given (default
// "screenshots").

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <clocale>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "Headless.h"
#include "app/MainForm.h"
#include "app/StatusPanels.h"
#include "app/ToneControl.h"
#include "app/VornPrint.h"
#include "chart/GlobalChangeForms.h"
#include "dialogs/OptionsFormView.h"
#include "document/GlobalData.h"
#include "document/InstDataType.h"
#include "document/InstrumentTemplates.h"
#include "pitch/Temperaments.h"
#include "views/FretFrormView.h"
#include "views/OneCrsPanelView.h"
#include "views/OneStringPanelView.h"
#include "views/PlacementFrameView.h"
#include "views/StrFrameView.h"
#include "views/VornFrame.h"
#include "widgets/LabelledTrackBar.h"
#include "widgets/PageExtControl.h"

using namespace vorn;

namespace {

void settle(int ms = 60) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool shoot(QWidget& widget, const QDir& out, const QString& name) {
    settle();
    const QString path = out.filePath(name);
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool shoot(TMainForm& window, const QDir& out, const QString& name) {
    settle();
    // Whatever the pointer last rested on offscreen is of no interest in a picture.
    window.StatusPanels()->ShowHint(QString());
    const QString path = out.filePath(name);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The File Setup list of a new document, as a user would pick it.
bool pick(TVornFrame* frame, const char* list, int index) {
    auto* box = frame->findChild<QComboBox*>(QString::fromLatin1(list));
    if (!box || index >= box->count())
        return false;
    box->setCurrentIndex(index);
    return true;
}

int countRed(const TVornFrame* frame) {
    int red = 0;
    const TStrFrame& chart = frame->Model().Chart;
    for (const auto& course : chart.Courses)
        for (int which = 0; which < (course->HasSecond() ? 2 : 1); ++which) {
            const TOneStringPanel& s = course->String(which);
            red += s.TensionRed() + s.GutDiameterRed() + s.AltDiameterRed();
        }
    return red;
}

// The string charts: the default lute, a theorbo, and a lute out of its limits.
bool stringCharts(TMainForm& window, const QDir& out, const QTemporaryDir& work) {
    bool ok = true;
    // The default document is an "Alto Lute in G".
    window.ViewStrings();
    ok &= shoot(window, out, QStringLiteral("alto-lute.png"));

    // A continuo theorbo whose fifth and sixth courses carry octave strings.
    TVornFrame* theorbo = window.NewDocument();
    if (!pick(theorbo, "ComboInstType", FamilyOfType(13)) ||
        !pick(theorbo, "ComboTuning", PositionInFamily(13))) {
        throw std::runtime_error("the File Setup lists were not found");
    }
    window.ViewStrings();
    TStrFrame& chart = theorbo->Model().Chart;
    for (int course : {4, 5})
        if (course < chart.CourseCount())
            chart.Course(course).SelectType(2); // "Bass with Octave"
    chart.SelectCourse(-1);
    window.RefreshStatus();
    ok &= shoot(window, out, QStringLiteral("theorbo.png"));

    // A lute strung too hard and too thin, saved and opened again: the limits show red.
    TVornFrame* strained = window.NewDocument();
    window.ViewStrings();
    TStrFrame& lute = strained->Model().Chart;
    lute.Course(0).EditTension(0, 24.0);     // kg, well above what gut takes
    lute.Course(2).EditGutDiameter(0, 0.09); // thinner than gut is made
    lute.Course(9).EditGutDiameter(0, 2.2);  // a bass beyond the thickest gut
    lute.SelectCourse(-1);
    const QString saved = work.filePath(QStringLiteral("Strained lute.vrd"));
    if (!window.SaveDocumentFile(saved)) {
        throw std::runtime_error("saving " + saved.toStdString() + " failed");
    }
    window.CloseDocument();
    if (!window.OpenDocumentFile(saved)) {
        throw std::runtime_error("opening " + saved.toStdString() + " failed");
    }
    if (countRed(window.ActiveDocument()) == 0)
        std::fprintf(stderr, "warning: nothing is out of limits in %s\n", qPrintable(saved));
    ok &= shoot(window, out, QStringLiteral("limits.png"));
    return ok;
}

// The fret side: positions, placement, notes named by interval, and a transposed theorbo.
bool fretCharts(TMainForm& window, const QDir& out) {
    bool ok = true;
    // The fret side of a quarter-comma alto lute, alternatives and graphic shown.
    TVornFrame* fretted = window.NewDocument();
    window.ViewStrings();
    window.ViewFrets();
    TFretFrormView* fretView = fretted->FretView();
    fretView->AlternativesBox()->setChecked(true);
    if (!fretView->Model().GraphicVisible())
        fretView->GraphicButton()->click();
    fretView->EqualBox()->setChecked(true);
    fretView->TrackBar()->Slider()->setValue(TemperamentSliderPosition(2));
    ok &= shoot(window, out, QStringLiteral("fret-chart.png"));

    // Its placement chart in E-flat major.
    fretView->CustomizeButton()->click();
    QComboBox* major = fretted->PlacementView()->MajorKeys();
    major->setCurrentIndex(4);
    emit major->activated(4);
    ok &= shoot(window, out, QStringLiteral("placement-chart.png"));

    // A theorbo's top string A in quarter comma with the alternatives: each note named by its
    // interval (C-flat, B-sharp, E-sharp, F-double sharp).
    TVornFrame* overA = window.NewDocument();
    if (!pick(overA, "ComboInstType", FamilyOfType(13)) ||
        !pick(overA, "ComboTuning", PositionInFamily(13))) {
        throw std::runtime_error("the File Setup lists were not found");
    }
    window.ViewStrings();
    window.ViewFrets();
    TFretFrormView* overAView = overA->FretView();
    overAView->AlternativesBox()->setChecked(true);
    overAView->TrackBar()->Slider()->setValue(TemperamentSliderPosition(2));
    ok &= shoot(window, out, QStringLiteral("fret-chart-over-a.png"));

    // The same theorbo tuned up a semitone as the Global Tuning dialog does it: every course a
    // diatonic semitone higher, in B-flat minor.
    TVornFrame* transposed = window.NewDocument();
    if (!pick(transposed, "ComboInstType", FamilyOfType(13)) ||
        !pick(transposed, "ComboTuning", PositionInFamily(13)))
        throw std::runtime_error("the File Setup lists were not found");
    window.ViewStrings();
    TuningForm tuning = TuningForm::Show(transposed->Model().Document);
    tuning.Temperament = 2;
    tuning.Interval = 0;
    tuning.TuneDirection = TuningForm::td_up;
    transposed->ApplyGlobal([&tuning](TStrFrame& c) { tuning.Apply(c); });
    transposed->Model().Chart.SelectCourse(-1);
    window.RefreshStatus();
    ok &= shoot(window, out, QStringLiteral("theorbo-transposed.png"));
    return ok;
}

// The tension profile, the print window and the options dialog.
bool profileAndDialogs(TMainForm& window, const QDir& out) {
    bool ok = true;
    // The alto lute's string chart with its tension profile.
    window.Tabs()->setCurrentIndex(0);
    QAbstractButton* profile = window.ActiveDocument()->StringView()->ProfileButton();
    profile->setChecked(true);
    ok &= shoot(window, out, QStringLiteral("tension-profile.png"));
    profile->setChecked(false);

    // The print window with the alto lute's report.
    window.PrintDocument();
    ok &= shoot(*window.PrintWindow(), out, QStringLiteral("print-window.png"));
    window.PrintWindow()->close();

    // The options dialog on its Assignments page, then a maker's catalogue on Wounds.
    TOptionsFormView* options = window.OptionsDialog();
    options->Begin(op_assignments, window.Settings());
    options->show();
    ok &= shoot(*options, out, QStringLiteral("options-assignments.png"));
    options->Pages()->setCurrentIndex(op_wounds);
    options->ViewCatalogueButton(sc_savarez)->click();
    ok &= shoot(*options, out, QStringLiteral("options-wounds.png"));
    options->reject();
    return ok;
}

// What the status bar shows after a silent Play and on a German desktop.
bool statusBar(TMainForm& window, const QDir& out) {
    bool ok = true;
    // A silent Play: the status bar keeps its panels readable.
    window.Tabs()->setCurrentIndex(0);
    if (QToolButton* play =
            window.ActiveDocument()->StringView()->Row(2)->FirstString()->PlayButton()) {
        // Pressed as a pointer presses it, which also makes its course the current one.
        const QPointF centre = play->rect().center();
        QMouseEvent press(QEvent::MouseButtonPress, centre, play->mapToGlobal(centre),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, play->mapToGlobal(centre),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(play, &press);
        QApplication::sendEvent(play, &release);
    }
    ok &= shoot(window, out, QStringLiteral("silent-play.png"));
    window.Tone()->StopTone();

    // A German desktop: every number the chart, the caption and the status bar show takes its
    // comma, catalogue labels included.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TVornFrame* german = window.NewDocument();
    german->Model().Document.StringLength = 62.5f;
    window.ViewStrings();
    german->SetFileName(QString()); // names the tab after the new length
    ok &= shoot(window, out, QStringLiteral("german-locale.png"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    return ok;
}

// The Edit menu open after a change to a tension: its items name the step.
bool editMenu(TMainForm& window, const QDir& out) {
    window.Tabs()->setCurrentIndex(0);
    window.ViewStrings();
    window.ActiveDocument()->Model().Chart.Course(2).EditTension(0, 7.5);
    window.IdleUpdate(); // records the step, as the idle handler does
    QMenu* edit = window.findChild<QMenu*>(QStringLiteral("MenuEdit"));
    if (!edit)
        throw std::runtime_error("the Edit menu was not found");
    QMenuBar* bar = window.menuBar();
    edit->popup(bar->mapToGlobal(bar->actionGeometry(edit->menuAction()).bottomLeft()));
    settle();
    // The menu is a window of its own: it is drawn into the main window's picture where it
    // opened.
    window.StatusPanels()->ShowHint(QString());
    QPixmap picture = window.grab();
    {
        QPainter painter(&picture);
        painter.drawPixmap(window.mapFromGlobal(edit->pos()), edit->grab());
    }
    edit->hide();
    const QString path = out.filePath(QStringLiteral("edit-menu.png"));
    if (!picture.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    const auto runtime = vorn::PrepareHeadless();
    // No sound server: the pictures show what a silent Play leaves in the status bar.
    qputenv("PULSE_SERVER", "unix:/nonexistent");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // as the program does
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));

    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "could not create %s\n", qPrintable(out.path()));
        return 1;
    }
    QTemporaryDir work;
    if (!work.isValid())
        return 1;

    TMainForm window(work.filePath(QStringLiteral("vorn.vrn")));
    int problems = 0;
    window.MessageHook = [&problems](QMessageBox::Icon, const QString& caption,
                                     const QString& text) {
        if (text.startsWith(QStringLiteral("No audio output")))
            return; // expected here, see PULSE_SERVER above
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        ++problems;
    };
    window.Documents().AskSaveChanges = [](const QString&) { return QMessageBox::Discard; };
    window.SetSidebarWide(true);
    window.resize(1120, 720);
    window.show();
    settle(200);

    bool ok = shoot(window, out, QStringLiteral("file-setup.png"));

    try {
        ok &= stringCharts(window, out, work);
        ok &= fretCharts(window, out);
        ok &= profileAndDialogs(window, out);
        ok &= statusBar(window, out);
        ok &= editMenu(window, out);
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }

    window.SetSidebarWide(false);
    window.close();
    return ok && problems == 0 ? 0 : 1;
}
