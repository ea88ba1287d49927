// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One document in its tab: the "File Setup" page, the string chart, the fret chart and the
// placement chart, and the switching between them. The document and its rows live in the
// core frame; this only shows them.

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "dialogs/GlobalChangeDialogs.h"
#include "files/DocumentFile.h"
#include "files/DocumentSnapshot.h"
#include "files/FileFrame.h"
#include "io/AtomicFile.h"

class QAbstractButton;
class QFormLayout;
class QStackedWidget;

namespace vorn {

class TFretFrormView;
class TPlacementFrameView;
class TStrFrameView;

class TVornFrame : public QWidget {
    Q_OBJECT
public:
    enum Page { FileSetupPage = 0, StringChartPage = 1, FretChartPage = 2, PlacementChartPage = 3 };
    // What the main window's "Strings" and "Frets" buttons ask ShowPage for.
    enum PageCommand { ShowStringChart = 0, ShowFretChart = 1 };

    // A new document from the settings' default instrument type, on "File Setup".
    explicit TVornFrame(TGlobalData& settings, QWidget* parent = nullptr);
    // A document read from a file, on "String Chart". It never shows "File Setup", so that
    // page is not made.
    explicit TVornFrame(std::unique_ptr<TFileFrame> loaded, QWidget* parent = nullptr);
    ~TVornFrame() override;

    TFileFrame& Model() { return *model_; }
    const TFileFrame& Model() const { return *model_; }

    QString DisplayName() const;
    void SetFileName(const QString& name); // without directory; refreshes the caption
    // Saves the document to path (as the file system names it), which becomes its file, and
    // refreshes the caption; on failure `error` says why and nothing changed.
    bool SaveFile(const std::string& path, std::string* error, ReadOnlyTarget readOnly = ro_refuse);
    // Whether saving would write other than the document was made, read or saved with.
    bool Changed() { return model_->Changed(); }
    bool HasCourseRows() const { return model_->HasCourseRows(); }
    float TotalTension() const { return model_->TotalTension(); }
    int Family() const { return model_->Family; }

    // ShowStringChart runs ViewStrings; ShowFretChart copies the rows' notes into the
    // document and shows the fret chart for it. Other values do nothing.
    void ShowPage(int command);
    // The placement editor takes the document; "Placement Chart" is shown.
    void ShowPlacement();
    int CurrentPage() const;
    // Takes the second-length controls over while they describe this document (a new one),
    // builds the rows if needed, shows the chart.
    void ViewStrings();
    // A document read elsewhere (a reopened one) becomes this frame's, on the chart page.
    void TakeDocument(std::unique_ptr<TFileFrame> loaded);
    // The document body as the file holds it.
    std::string SaveToData();
    // The body with what the rows show beyond it: an undo step or a recovery copy.
    DocumentSnapshot SnapshotData();
    // A snapshot SnapshotData gave, back in place: an undone or redone step. The file name,
    // what Changed compares with and the page on screen stay; every page shows the document
    // again. False, with nothing changed, when the body does not load.
    bool RestoreData(const DocumentSnapshot& snapshot);
    // One of the whole-instrument dialogs on this document; applied on OK.
    bool GlobalCommand(GlobalChangeKind kind, const TGlobalDialog::Hooks& hooks);
    // A whole-instrument change on the rows, then every page and the status brought up to date.
    // A change that would leave a document that does not open again is refused (see
    // ApplyCheckedChange): false with the document as it was and *refusal saying why.
    bool ApplyGlobal(const std::function<void(TStrFrame&)>& change, std::string* refusal = nullptr);

    // The string chart page's view, made now if it was not yet: a tab builds its chart's
    // widgets only once the chart is on screen. The fret pages are made when first shown.
    TStrFrameView* StringView();
    TFretFrormView* FretView();
    // Shows a help topic by its context number, for the dialogs the pages open.
    std::function<void(int context)> ShowHelp;
    TPlacementFrameView* PlacementView();
    bool StringViewBuilt() const;

signals:
    void captionChanged(const QString& caption);
    void bridgeChanged();      // a tension may have changed
    void documentChanged();    // pitch, temperament or family changed: refresh the status
    void stringsShown();       // the chart page became visible
    void temperamentChanged(); // the fret chart changed the document's temperament
    // A string's play toggle: pressed asks for its whole-hertz tone, released for silence.
    void playRequested(int frequency, const vorn::NoteValue& note, QAbstractButton* button);
    void stopRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildPages(bool withSetup);
    void buildSetupPage();
    void buildSetupControls();
    QFormLayout* setupInstrumentForm();
    QFormLayout* setupStringsForm();
    void connectSetupPage();
    void hookModel();
    TStrFrameView* stringView();
    // Switches pages; the chart page builds its view when it is seen. Leaving the fret chart
    // retunes every string, since the temperament may have changed there.
    void showPage(int page);
    void retune();
    void refreshCaption();
    // Change handlers of the File Setup controls and of the chart's name boxes.
    void familyChanged(int family);
    void templateChanged(int position);
    void instrumentNameChanged(const QString& text);
    void makerNameChanged(const QString& text);
    void courseCountChanged(int index);
    void stringLengthChanged();
    void secondLengthChanged();
    void fromCourseChanged(int course);
    void applySetup(); // the page's form into the document
    void secondLengthTicked(bool ticked);
    void pitchStandardChanged(int index);
    void aPitchChanged();
    void setupTemperamentChanged(int index);
    // The controls show what a template wrote into the document.
    void showTemplate();

    std::unique_ptr<TFileFrame> model_;
    QStackedWidget* pages_ = nullptr;
    // File Setup controls and the string chart view are private members of the .cpp; the
    // File Setup page exists only for a frame made as a new document.
    struct Ui;
    std::unique_ptr<Ui> ui_;
};

} // namespace vorn
