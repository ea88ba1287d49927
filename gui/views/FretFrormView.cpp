// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/FretFrormView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "ReportPdf.h"
#include "TemplatePdf.h"
#include "dialogs/FitTemperamentDialog.h"
#include "files/DialogPaths.h"
#include "files/FileFrame.h"
#include "files/FretTemplateDxf.h"
#include "frets/FretTemplate.h"
#include "frets/ScalaReader.h"
#include "frets/ScalaScale.h"
#include "io/AtomicFile.h"
#include "pitch/Temperaments.h"
#include "views/FretFrameView.h"
#include "views/FretPositionView.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/HelpContext.h"
#include "widgets/LabelledTrackBar.h"
#include "widgets/LocalNumbers.h"
#include "widgets/NotePanel.h"
#include "widgets/StdText.h"
#include "widgets/SvgIcon.h"

namespace vorn {

namespace {

constexpr int HeaderHeight = 20;
constexpr int StripThickness = 14;
constexpr int HiddenGraphicHeight = 15;

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(text.trimmed());
    return label;
}

} // namespace

TFretFrormView::TFretFrormView(TGlobalData& settings, QWidget* parent)
    : QWidget(parent), model_(settings) {
    setObjectName(QStringLiteral("FretChartPage"));
    SetHelpContext(this, FretChartHelpContext);
    build();
    model_.OnTemperamentChanged = [this] { emit temperamentChanged(); };
}

void TFretFrormView::build() {
    QLayout* controls = buildControls();
    buildSlider();

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildRows(), 1);
    middle->addWidget(slider_);

    auto* page = new QVBoxLayout(this);
    page->addLayout(controls);
    page->addLayout(middle, 1);
    page->addWidget(buildGraphicArea());

    connectControls();
}

QLayout* TFretFrormView::buildControls() {
    selector_ = new QComboBox(this);
    selector_->setObjectName(QStringLiteral("ComboTemperament"));
    selector_->setMaxVisibleItems(TemperamentSelectorItems);
    for (const std::string& item : model_.SelectorItems)
        selector_->addItem(qs(item));
    selector_->setCurrentIndex(model_.SelectorIndex);
    selector_->setMinimumWidth(240);
    fifth_ = new QLabel(this);
    fifth_->setObjectName(QStringLiteral("FifthLabel"));
    fifth_->setFont(QFont(QStringLiteral("monospace")));

    standard_ = new QRadioButton(QStringLiteral("Standard"), this);
    customized_ = new QRadioButton(QStringLiteral("Customized"), this);
    standard_->setChecked(true);
    customize_ = new QPushButton(QStringLiteral("Customize Frets"), this);
    alternatives_ = new QCheckBox(QStringLiteral("Show alternative frets "), this);
    alternatives_->setChecked(true);
    customize_->setToolTip(QStringLiteral("Set each fret to Mi or Fa for the key you play in"));
    template_ = new QPushButton(QStringLiteral("Fret template..."), this);
    template_->setToolTip(QStringLiteral("Print the frets at full size to mark the fingerboard"));
    fit_ = new QPushButton(QStringLiteral("Fit temperament..."), this);
    fit_->setToolTip(QStringLiteral("Find the temperament an instrument's frets were set to"));
    scala_ = new QPushButton(QStringLiteral("Export Scala..."), this);
    scala_->setToolTip(
        QStringLiteral("Save the temperament, with the frets as tied, for a tuner or synthesizer"));

    scale_ = new QToolButton(this);
    scale_->setText(QStringLiteral("Scale..."));
    scale_->setToolTip(
        QStringLiteral("Fret by a historical rule or a Scala file instead of the temperament"));
    scale_->setAccessibleName(QStringLiteral("Scale"));
    scale_->setPopupMode(QToolButton::InstantPopup);
    auto* scales = new QMenu(scale_);
    for (const FretRule rule : {fr_dowland, fr_galilei})
        connect(scales->addAction(qs(RuleScale(rule).Name)), &QAction::triggered, this,
                [this, rule] {
                    model_.SetScale(RuleScale(rule));
                    refresh();
                });
    scales->addSeparator();
    connect(scales->addAction(QStringLiteral("Scala File...")), &QAction::triggered, this, [this] {
        const QString path = AskScalaFile ? AskScalaFile() : askScalaFile();
        if (!path.isEmpty())
            UseScalaFile(path);
    });
    scale_->setMenu(scales);

    auto* controls = new QGridLayout;
    controls->addWidget(buddyLabel(QStringLiteral("Selected Temperament:"), selector_, this), 0, 0);
    auto* temperamentLine = new QHBoxLayout;
    temperamentLine->addWidget(selector_, 1);
    temperamentLine->addWidget(scale_);
    controls->addLayout(temperamentLine, 0, 1, 1, 2);
    controls->addWidget(fifth_, 0, 3, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    auto* placementLabel = new QLabel(QStringLiteral("Meantone Fret Placement:"), this);
    placementLabel->setBuddy(standard_);
    controls->addWidget(placementLabel, 1, 0);
    controls->addWidget(standard_, 1, 1);
    controls->addWidget(customized_, 1, 2);
    controls->addWidget(customize_, 1, 3);
    controls->addWidget(alternatives_, 1, 4);
    controls->addWidget(template_, 0, 5);
    controls->addWidget(scala_, 1, 5);
    controls->addWidget(fit_, 0, 6);
    controls->setColumnStretch(7, 1);
    return controls;
}

void TFretFrormView::buildSlider() {
    slider_ = new TLabelledTrackBar(this);
    slider_->setObjectName(QStringLiteral("TemperamentSlider"));
    slider_->SetRange(0, FretSliderMax);
    slider_->Slider()->setAccessibleName(
        QStringLiteral("Move slider to change percentage of syntonic comma"));
    std::vector<std::pair<int, QString>> labels;
    for (int i = 0; i < NamedTemperamentCount; ++i) {
        // 1/6 and Gerle-Dowland's 1/6.05 are one step apart: one label for both.
        if (i == 5)
            continue;
        const std::string name = TemperamentName(i, TemperamentFraction(i));
        labels.emplace_back(TemperamentSliderPosition(i), qs(name.substr(0, name.find(' '))));
    }
    labels.back().second = QStringLiteral("Pyth.");
    slider_->SetLabels(std::move(labels));
    slider_->SetPosition(model_.SliderPosition);
}

void TFretFrormView::connectControls() {
    connect(selector_, &QComboBox::activated, this, [this](int index) {
        model_.SelectorChanged(index);
        refresh();
    });
    connect(slider_, &TLabelledTrackBar::positionChanged, this, [this](int position) {
        model_.SliderMoved(position);
        refresh();
    });
    connect(standard_, &QRadioButton::clicked, this, [this] {
        model_.SetCustomized(false);
        refresh();
    });
    connect(customized_, &QRadioButton::clicked, this, [this] {
        model_.SetCustomized(true);
        refresh();
    });
    connect(customize_, &QPushButton::clicked, this, &TFretFrormView::placementRequested);
    connect(scala_, &QPushButton::clicked, this, [this] { ExportScala(); });
    connect(template_, &QPushButton::clicked, this, [this] { ExportTemplate(); });
    connect(fit_, &QPushButton::clicked, this, [this] { FitTemperament(); });
    connect(alternatives_, &QCheckBox::toggled, this, [this](bool shown) {
        model_.SetShowAlternatives(shown);
        showAlternatives();
    });
    connect(extra_, &QPushButton::clicked, this, [this] {
        model_.ToggleExtraFrets();
        showExtraFrets(true);
    });
    connect(graphicButton_, &QToolButton::clicked, this, [this] {
        model_.ToggleGraphic();
        showGraphic();
    });
    connect(equal_, &QCheckBox::toggled, graphic_, &TFretFrameView::SetEqualMarks);
    connect(topPlay_, &QToolButton::clicked, this, [this](bool down) {
        if (down)
            emit playRequested(model_.TopPlayHertz, model_.TopNote, topPlay_);
        else
            emit stopRequested();
    });
}

QWidget* TFretFrormView::buildRows() {
    using namespace FretChartLayout;
    auto* content = new QWidget;
    auto* rows = new QVBoxLayout(content);
    rows->setSpacing(0);

    rows->addLayout(buildTopLine(content));
    rows->addSpacing(4);
    rows->addWidget(buildHeader(content));

    for (int fret = 1; fret <= FretRowCount; ++fret) {
        auto* row = new TFretPositionView(fret, content);
        rows_[fret - 1] = row;
        connect(row, &TFretPositionView::markerPressed, this, [this](int f) {
            if (model_.PressMarker(f))
                refresh();
        });
        connect(row, &TFretPositionView::playToggled, this,
                [this](int hertz, const NoteValue& note, QAbstractButton* button, bool down) {
                    if (down)
                        emit playRequested(hertz, note, button);
                    else
                        emit stopRequested();
                });
    }
    for (int fret = 1; fret < FirstExtraFret; ++fret)
        rows->addWidget(rows_[fret - 1]);

    extra_ = new QPushButton(QStringLiteral("Show extra frets"), content);
    extra_->setObjectName(QStringLiteral("ExtraFretsButton"));
    extra_->setFixedWidth(RowWidth / 2);
    rows->addWidget(extra_);
    extraRows_ = new QWidget(content);
    auto* extraLayout = new QVBoxLayout(extraRows_);
    extraLayout->setContentsMargins(0, 0, 0, 0);
    extraLayout->setSpacing(0);
    for (int fret = FirstExtraFret; fret <= FretRowCount; ++fret)
        extraLayout->addWidget(rows_[fret - 1]);
    rows->addWidget(extraRows_);
    rows->addStretch(1);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("FretRows"));
    scroll_->setWidget(content);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    return scroll_;
}

// The top string line.
QLayout* TFretFrormView::buildTopLine(QWidget* content) {
    using namespace FretChartLayout;
    topNote_ = new TNotePanel(content);
    topNote_->setFixedSize(NoteWidth, PartHeight);
    topNote_->setAccessibleName(QStringLiteral("Top String Note"));
    topPlay_ = new QToolButton(content);
    topPlay_->setCheckable(true);
    topPlay_->setAutoRaise(true);
    topPlay_->setFocusPolicy(Qt::TabFocus);
    topPlay_->setIcon(SvgIcon(QStringLiteral(":/app/icons/play-small.svg")));
    topPlay_->setIconSize(QSize(12, 12));
    length_ = new QLineEdit(content);
    pitch_ = new QLineEdit(content);
    for (QLineEdit* field : {length_, pitch_}) {
        field->setReadOnly(true);
        field->setFixedWidth(110);
        field->setFocusPolicy(Qt::TabFocus);
    }
    auto* topLine = new QHBoxLayout;
    auto* topLabel = new QLabel(QStringLiteral("Top String Note: "), content);
    topLabel->setBuddy(topNote_);
    topLine->addWidget(topLabel);
    topLine->addWidget(topNote_);
    topLine->addWidget(topPlay_);
    topLine->addSpacing(12);
    topLine->addWidget(buddyLabel(QStringLiteral("String Length: "), length_, content));
    topLine->addWidget(length_);
    topLine->addSpacing(12);
    topLine->addWidget(buddyLabel(QStringLiteral("\"A\" Pitch:"), pitch_, content));
    topLine->addWidget(pitch_);
    topLine->addSpacing(12);
    auto* hint =
        new QLabel(QStringLiteral("Move slider to change percentage of syntonic comma"), content);
    hint->setWordWrap(true);
    topLine->addWidget(hint, 1);
    return topLine;
}

QWidget* TFretFrormView::buildHeader(QWidget* content) {
    using namespace FretChartLayout;
    auto* header = new QWidget(content);
    header->setFixedSize(RowWidth, HeaderHeight);
    const std::array<std::pair<int, int>, 7> columns{{
        {0, NumberWidth},
        {MainX, MarkerWidth},
        {MainX + MarkerWidth, NoteWidth},
        {MainX + MarkerWidth + NoteWidth, DistanceWidth},
        {MainX + PartWidth - PlayWidth, PlayWidth},
        {AltX - 8, PartWidth - PlayWidth + 8},
        {AltX + PartWidth - PlayWidth, PlayWidth},
    }};
    const std::array<const char*, 7> titles{"Fret", "Typ", "Note", "Position", "Play", "", ""};
    for (int c = 0; c < 7; ++c) {
        header_[c] = new QLabel(QString::fromLatin1(titles[c]), header);
        header_[c]->setAlignment(Qt::AlignCenter);
        header_[c]->setGeometry(columns[c].first, 0, columns[c].second, HeaderHeight);
    }
    return header;
}

QWidget* TFretFrormView::buildGraphicArea() {
    graphicArea_ = new QWidget(this);
    graphicButton_ = new QToolButton(graphicArea_);
    graphicButton_->setObjectName(QStringLiteral("GraphicButton"));
    graphic_ = new TFretFrameView(graphicArea_);
    equal_ = new QCheckBox(QStringLiteral("Equal"), graphicArea_);
    equal_->setToolTip(QStringLiteral("Mark where equal temperament puts the frets"));
    auto* layout = new QHBoxLayout(graphicArea_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(graphicButton_);
    layout->addWidget(graphic_, 1);
    layout->addWidget(equal_);
    return graphicArea_;
}

QLabel* TFretFrormView::HeaderTitle(int column) const {
    return header_.at(column);
}

void TFretFrormView::Bind(TInstDataType& document) {
    model_.Bind(document);
    scroll_->verticalScrollBar()->setValue(0);
    {
        const QSignalBlocker block(alternatives_);
        alternatives_->setChecked(model_.ShowAlternatives());
    }
    showExtraFrets(false);
    showGraphic();
    refresh();
}

void TFretFrormView::refresh() {
    if (!model_.IsBound())
        return;
    {
        const QSignalBlocker block(selector_);
        for (int i = 0; i < TemperamentSelectorItems; ++i)
            selector_->setItemText(i, qs(model_.SelectorItems[i]));
        selector_->setCurrentIndex(model_.SelectorIndex);
    }
    slider_->SetPosition(model_.SliderPosition);
    fifth_->setText(LocalNumbers(qs(model_.FifthLabel), locale()));
    // Fixed in size, a new figure asks for no layout of the whole window; it only grows,
    // should a text come out longer.
    if (const QSize size = fifth_->minimumSize().expandedTo(fifth_->sizeHint());
        size != fifth_->maximumSize())
        fifth_->setFixedSize(size);
    {
        const QSignalBlocker a(standard_), b(customized_);
        (model_.Customized ? customized_ : standard_)->setChecked(true);
    }
    length_->setText(LocalNumbers(qs(model_.StringLengthText), locale()));
    pitch_->setText(LocalNumbers(qs(model_.PitchText), locale()));
    // Read-only shown as such: the window's colour instead of an entry's white. Set here, once
    // the page has its place, as the colour it had while being built was not the window's.
    for (QLineEdit* field : {length_, pitch_}) {
        const QColor window = palette().color(QPalette::Window);
        if (field->palette().color(QPalette::Base) != window) {
            QPalette look = field->palette();
            look.setColor(QPalette::Base, window);
            field->setPalette(look);
        }
    }
    topNote_->SetNote(model_.TopNote);
    const QString topHint = LocalNumbers(qs(model_.TopPlayHint), locale());
    topPlay_->setToolTip(topHint);
    topPlay_->setAccessibleName(topHint);
    for (TFretPositionView* row : rows_)
        row->ShowFret(model_.Rows[row->Fret() - 1], model_.MarkerActive(row->Fret()),
                      model_.ShowAlternatives());
    showAlternatives();
    graphic_->Draw(model_.ChoicesInUse, model_.Document()->CommaFraction, model_.Document()->Scale);
    // The placement chart and the fit work in meantone, whatever the frets follow.
    const QString meantoneOnly = model_.ScaleName.empty()
                                     ? QString()
                                     : QStringLiteral(" (a meantone tool: the scale is not used)");
    fit_->setToolTip(QStringLiteral("Find the temperament an instrument's frets were set to") +
                     meantoneOnly);
    customize_->setToolTip(QStringLiteral("Set each fret to Mi or Fa for the key you play in") +
                           meantoneOnly);
}

void TFretFrormView::showAlternatives() {
    const bool shown = model_.ShowAlternatives();
    header_[5]->setText(qs(model_.AltPositionTitle()));
    header_[6]->setText(qs(model_.AltPlayTitle()));
    for (TFretPositionView* row : rows_)
        row->AltPart()->setVisible(shown);
}

void TFretFrormView::showExtraFrets(bool scroll) {
    const bool shown = model_.ExtraFretsVisible();
    extraRows_->setVisible(shown);
    extra_->setText(qs(model_.ExtraFretsCaption()));
    if (shown && scroll) {
        scroll_->widget()->adjustSize();
        QScrollBar* bar = scroll_->verticalScrollBar();
        bar->setValue(bar->value() + 3 * FretChartLayout::RowHeight);
    }
}

void TFretFrormView::showGraphic() {
    const bool shown = model_.GraphicVisible();
    graphic_->setVisible(shown);
    equal_->setVisible(shown);
    graphicButton_->setText(qs(model_.GraphicButtonCaption()));
    graphicButton_->setToolTip(qs(model_.GraphicButtonHint()));
    graphicButton_->setAccessibleName(shown ? qs(model_.GraphicButtonHint())
                                            : qs(model_.GraphicButtonCaption()));
    if (shown) {
        graphicButton_->setFixedSize(StripThickness, TFretFrameView::GraphicHeight);
        graphicButton_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        graphicArea_->setFixedHeight(TFretFrameView::GraphicHeight);
    } else {
        graphicButton_->setMinimumWidth(0);
        graphicButton_->setMaximumWidth(QWIDGETSIZE_MAX);
        graphicButton_->setFixedHeight(StripThickness);
        graphicButton_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        graphicArea_->setFixedHeight(HiddenGraphicHeight);
    }
    if (model_.IsBound())
        graphic_->Draw(model_.ChoicesInUse, model_.Document()->CommaFraction,
                       model_.Document()->Scale);
}

SaveChoice TFretFrormView::askFile(const QString& caption, const QString& name,
                                   std::vector<SaveFileType> types, const SaveNameHook& hook) {
    const TFileFrame* frame = DocumentFrame ? DocumentFrame() : nullptr;
    const SaveRequest request{caption,
                              frame ? QFile::decodeName(frame->FilePath.c_str()) : QString(), name,
                              std::move(types)};
    return AskSaveFile(this, model_.Settings, request, hook, AskOverwrite);
}

QString TFretFrormView::askScalaFile() {
    const TFileFrame* frame = DocumentFrame ? DocumentFrame() : nullptr;
    QFileDialog dialog(this, QStringLiteral("Scala File"),
                       DialogFolder(model_.Settings,
                                    frame ? QFile::decodeName(frame->FilePath.c_str()) : QString()),
                       QStringLiteral("Scala scale (*.scl);;All files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    RememberFolder(model_.Settings, path);
    return path;
}

bool TFretFrormView::UseScalaFile(const QString& path) {
    if (!model_.IsBound())
        return false;
    std::string bytes, error;
    const std::string local = QFile::encodeName(path).toStdString();
    if (!ReadWholeFile(local, bytes, &error)) {
        TFittedMessageBox::Ask(this, QMessageBox::Warning, QStringLiteral("Vorn"),
                               QStringLiteral("Could not read %1: %2").arg(path, qs(error)));
        return false;
    }
    const ScalaReading read = ReadScalaScale(bytes, QFileInfo(path).fileName().toStdString());
    if (!read.Scale) {
        TFittedMessageBox::Ask(
            this, QMessageBox::Warning, QStringLiteral("Vorn"),
            QStringLiteral("%1 cannot fret this document: %2")
                .arg(QFileInfo(path).fileName(),
                     qs(read.Refusal ? read.Refusal->Message() : std::string())));
        return false;
    }
    model_.SetScale(*read.Scale);
    refresh();
    return true;
}

bool TFretFrormView::ExportScala() {
    if (!model_.IsBound())
        return false;
    const TInstDataType& d = *model_.Document();
    const std::string name =
        d.Scale ? d.Scale->Name : TemperamentShortName(d.Temperament, d.CommaFraction);
    const QString path =
        askFile(QStringLiteral("Export Scala"),
                qs(name).replace(QLatin1Char('/'), QLatin1Char('-')),
                {{QStringLiteral("Scala scale"), QStringLiteral("scl")}}, AskScalaName)
            .Path;
    if (path.isEmpty())
        return false;
    // A rule or a read scale goes out as it is; a temperament with its frets as tied.
    const std::string fileName = QFileInfo(path).fileName().toStdString();
    const std::string text = d.Scale ? ScalaFileOfScale(fileName, *d.Scale)
                                     : ScalaFile(fileName, name + " (12 notes, as fretted)",
                                                 d.CommaFraction, model_.ChoicesInUse, 12);
    std::string error;
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), text, &error)) {
        TFittedMessageBox::Ask(
            this, QMessageBox::Warning, QStringLiteral("Vorn"),
            QStringLiteral("Could not save %1: %2").arg(path, QString::fromStdString(error)));
        return false;
    }
    return true;
}

bool TFretFrormView::ExportTemplate() {
    if (!model_.IsBound())
        return false;
    const TemplateInput in =
        TemplateOf(model_, model_.Document()->InstrumentName, model_.ShowAlternatives(),
                   ReportPageIsLetter() ? TemplatePaper::Letter() : TemplatePaper::A4());
    // Said before a file is asked for, so nobody chooses a name for nothing.
    if (const std::string refusal = TemplateRefusal(in); !refusal.empty()) {
        TFittedMessageBox::Ask(this, QMessageBox::Warning, QStringLiteral("Vorn"), qs(refusal));
        return false;
    }
    const TFileFrame* frame = DocumentFrame ? DocumentFrame() : nullptr;
    const QString name =
        // Not the document's bare name: Export PDF proposes that one in the same folder.
        frame ? QStringLiteral("%1 fret template").arg(qs(DocumentBaseName(frame->DisplayName())))
              : QStringLiteral("Fret template %1 cm").arg(qs(model_.StringLengthText));
    constexpr int PdfType = 0, SvgType = 1, DxfType = 2; // as listed below
    const SaveChoice choice =
        askFile(QStringLiteral("Fret template"), name,
                {{QStringLiteral("PDF to print"), QStringLiteral("pdf")},
                 {QStringLiteral("SVG drawing"), QStringLiteral("svg")},
                 {QStringLiteral("DXF drawing for CAD, one piece"), QStringLiteral("dxf")},
                 {QStringLiteral("CSV table of the frets"), QStringLiteral("csv")}},
                AskTemplateName);
    const QString& path = choice.Path;
    if (path.isEmpty())
        return false;
    const std::string file = QFile::encodeName(path).toStdString();
    std::string error;
    bool written = false;
    if (choice.Type != PdfType) {
        const std::string bytes =
            choice.Type == SvgType
                ? FretTemplateSvg(LayoutFretTemplate(in), in.Paper)
                : (choice.Type == DxfType ? FretTemplateDxf(FretLayoutLines(in), in.Title)
                                          : FretTemplateCsv(in));
        written = WriteFileAtomically(file, bytes, &error);
    } else {
        const std::vector<TemplatePage> pages = LayoutFretTemplate(in);
        written = WriteFretTemplatePdf(pages, in.Paper, file, &error);
    }
    if (!written)
        TFittedMessageBox::Ask(this, QMessageBox::Warning, QStringLiteral("Vorn"),
                               QStringLiteral("Could not save %1: %2").arg(path, qs(error)));
    return written;
}

bool TFretFrormView::FitTemperament() {
    if (!model_.IsBound())
        return false;
    TInstDataType& d = *model_.Document();
    TFitTemperamentDialog dialog(static_cast<double>(d.StringLength), model_.ChoicesInUse, ShowHelp,
                                 this);
    const int answer = RunFitDialog ? RunFitDialog(dialog) : dialog.exec();
    if (answer != QDialog::Accepted || !dialog.Result().Plausible())
        return false;
    const FitResult& r = dialog.Result();
    d.FretMiFa = r.Choices;
    model_.SetCustomized(true);
    const SliderTemperament t = SliderTemperamentOf(r.CommaFraction);
    if (t.Identifier < NamedTemperamentCount)
        model_.SelectorChanged(t.Identifier);
    else
        model_.SliderMoved(t.Position);
    refresh();
    return true;
}

void TFretFrormView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (model_.IsBound())
        graphic_->Draw(model_.ChoicesInUse, model_.Document()->CommaFraction,
                       model_.Document()->Scale);
}

} // namespace vorn
