// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The "Fret Chart" page: temperament selector and slider, the top string, fourteen fret rows
// and the fret graphic. It shows the fret chart model and hands every action to it.

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "frets/FretFrorm.h"
#include "widgets/FileDialogs.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QToolButton;

namespace vorn {

class TFileFrame;
class TFitTemperamentDialog;
class TFretFrameView;
class TFretPositionView;
class TLabelledTrackBar;
class TNotePanel;

class TFretFrormView : public QWidget {
    Q_OBJECT
public:
    TFretFrormView(TGlobalData& settings, QWidget* parent = nullptr);

    // Takes the document the frame shows and brings every control up to date.
    void Bind(TInstDataType& document);
    TFretFrorm& Model() { return model_; }

    QComboBox* Selector() const { return selector_; }
    QLabel* FifthLabel() const { return fifth_; }
    TLabelledTrackBar* TrackBar() const { return slider_; }
    QRadioButton* StandardButton() const { return standard_; }
    QRadioButton* CustomizedButton() const { return customized_; }
    QPushButton* CustomizeButton() const { return customize_; }
    QCheckBox* AlternativesBox() const { return alternatives_; }
    TNotePanel* TopNote() const { return topNote_; }
    QToolButton* TopPlay() const { return topPlay_; }
    QLineEdit* LengthField() const { return length_; }
    QLineEdit* PitchField() const { return pitch_; }
    QLabel* HeaderTitle(int column) const; // 0..6
    TFretPositionView* Row(int fret) const { return rows_.at(fret - 1); }
    QPushButton* ExtraFretsButton() const { return extra_; }
    QToolButton* GraphicButton() const { return graphicButton_; }
    TFretFrameView* Graphic() const { return graphic_; }
    QCheckBox* EqualBox() const { return equal_; }
    QScrollArea* RowsArea() const { return scroll_; }
    QPushButton* ScalaButton() const { return scala_; }
    QPushButton* TemplateButton() const { return template_; }
    QPushButton* FitButton() const { return fit_; }
    // "Scale...": fret by a historical rule or a Scala file instead of the temperament.
    QToolButton* ScaleButton() const { return scale_; }
    // Reads a Scala file for the document's frets; a refused file is reported with its line
    // and the frets stay as they were. False when nothing was taken.
    bool UseScalaFile(const QString& path);
    // Stands in for the open dialog of "Scala File..." (tests): the path chosen, empty for
    // Cancel.
    std::function<QString()> AskScalaFile;

    // The document the page belongs to: its file is where the save dialogs start, its name
    // what the template proposes. Without it they start in the last folder.
    std::function<const TFileFrame*()> DocumentFrame;

    // "Export Scala...": the temperament with the frets as they are tied, as a Scala file.
    // false when cancelled or not written (the reason was shown).
    bool ExportScala();
    // Stand in for the save dialogs and the question whether to replace a file (tests), as
    // SaveNameHook and OverwriteHook describe.
    SaveNameHook AskScalaName;
    OverwriteHook AskOverwrite;
    // "Fret template...": the top string's fingerboard at 1:1 as PDF or SVG pages, a one-piece
    // DXF drawing or a CSV table (types 0 to 3, by the type chosen in the dialog),
    // alternatives as the page shows them. Same answers as ExportScala.
    bool ExportTemplate();
    SaveNameHook AskTemplateName;
    // "Fit temperament...": after Apply the document takes the temperament the slider can
    // hold nearest the fitted fraction, and the fitted choices as its own. false when
    // cancelled.
    bool FitTemperament();
    // Stand in for the dialog's exec() (tests).
    std::function<int(TFitTemperamentDialog& dialog)> RunFitDialog;
    // Shows a help topic by its context number, for the fit dialog's Help button.
    std::function<void(int context)> ShowHelp;

signals:
    void temperamentChanged();
    void placementRequested(); // "Customize Frets"
    void playRequested(int frequency, const vorn::NoteValue& note, QAbstractButton* button);
    void stopRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    QString askScalaFile();
    SaveChoice askFile(const QString& caption, const QString& name, std::vector<SaveFileType> types,
                       const SaveNameHook& hook);
    QLayout* buildControls();
    void buildSlider();
    void connectControls();
    QWidget* buildRows();
    QLayout* buildTopLine(QWidget* content);
    QWidget* buildHeader(QWidget* content);
    QWidget* buildGraphicArea();
    // Every control again from the model.
    void refresh();
    void showAlternatives();
    void showExtraFrets(bool scroll);
    void showGraphic();

    TFretFrorm model_;
    QComboBox* selector_ = nullptr;
    QLabel* fifth_ = nullptr;
    QRadioButton* standard_ = nullptr;
    QRadioButton* customized_ = nullptr;
    QPushButton* customize_ = nullptr;
    QCheckBox* alternatives_ = nullptr;
    TNotePanel* topNote_ = nullptr;
    QToolButton* topPlay_ = nullptr;
    QLineEdit* length_ = nullptr;
    QLineEdit* pitch_ = nullptr;
    std::array<QLabel*, 7> header_{};
    std::array<TFretPositionView*, FretRowCount> rows_{};
    QWidget* extraRows_ = nullptr;
    QPushButton* extra_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TLabelledTrackBar* slider_ = nullptr;
    QWidget* graphicArea_ = nullptr;
    QToolButton* graphicButton_ = nullptr;
    TFretFrameView* graphic_ = nullptr;
    QCheckBox* equal_ = nullptr;
    QPushButton* scala_ = nullptr;
    QToolButton* scale_ = nullptr;
    QPushButton* template_ = nullptr;
    QPushButton* fit_ = nullptr;
};

} // namespace vorn
