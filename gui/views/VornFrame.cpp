// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/VornFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <array>
#include <optional>
#include <utility>

#include "document/FileSetupForm.h"
#include "document/InstrumentTemplates.h"
#include "files/CheckedChange.h"
#include "files/DocumentSnapshot.h"
#include "files/DocumentStore.h"
#include "io/ByteWriter.h"
#include "pitch/FretRecord.h"
#include "pitch/Temperaments.h"
#include "views/FretFrormView.h"
#include "views/PlacementFrameView.h"
#include "views/StrFrameView.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/FloatEdit.h"
#include "widgets/HelpContext.h"

namespace vorn {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

void setRange(TFloatEdit* box, const EntryRange& range) {
    box->SetMinValue(range.Min);
    box->SetMaxValue(range.Max);
    box->SetIncrement(1);
    box->SetValue(range.Initial);
}

// Enter on the File Setup page presses its default button, as in a dialog.
class TDefaultButtonFilter : public QObject {
public:
    TDefaultButtonFilter(QPushButton* button, QObject* parent) : QObject(parent), button_(button) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && button_->isEnabled()) {
                button_->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPushButton* button_;
};

} // namespace

struct TVornFrame::Ui {
    // What the File Setup controls show; each change is applied to the document at once.
    FileSetupForm Setup;

    QWidget* SetupPage = nullptr;
    QLineEdit* EditnstName = nullptr;
    QLineEdit* EditMakerName = nullptr;
    QComboBox* ComboInstType = nullptr;
    QComboBox* ComboTuning = nullptr;
    QComboBox* ComboNumCourses = nullptr;
    TFloatEdit* EditStringLength = nullptr;
    QCheckBox* CheckSecondSL = nullptr;
    QLabel* SecondSLLabel = nullptr;
    TFloatEdit* EditSecondStLength = nullptr;
    QLabel* FromCourseLabel = nullptr;
    QSpinBox* EditFromCourse = nullptr;
    QComboBox* ComboPitchStandard = nullptr;
    TFloatEdit* EditAPitch = nullptr;
    QComboBox* ComboTemperament = nullptr;
    QPushButton* ViewStringsButton = nullptr;

    QWidget* ChartPage = nullptr;
    TStrFrameView* StringFrame = nullptr; // made when the chart page is first shown
    TFretFrormView* FretView = nullptr;
    TPlacementFrameView* PlacementEditor = nullptr;
    // The fret chart changed the temperament and the strings have not followed yet.
    bool RetunePending = false;
    // The strings were retuned out of sight; their rows follow when the chart comes back.
    bool RetuningHidden = false;
    bool RowsStale = false;
};

TVornFrame::TVornFrame(TGlobalData& settings, QWidget* parent)
    : QWidget(parent), model_(std::make_unique<TFileFrame>(settings)),
      pages_(new QStackedWidget(this)), ui_(std::make_unique<Ui>()) {
    buildPages(true);
    model_->FileName.clear();
    pages_->setCurrentIndex(FileSetupPage);

    const int type = settings.NewDocumentType();
    ui_->ComboInstType->setCurrentIndex(FamilyOfType(type)); // runs the family change
    if (ui_->ComboTuning->currentIndex() != PositionInFamily(type))
        ui_->ComboTuning->setCurrentIndex(PositionInFamily(type)); // runs the template change
    // A new document as the page first shows it is no work of the user's yet.
    model_->MarkUnchanged();
}

TVornFrame::TVornFrame(std::unique_ptr<TFileFrame> loaded, QWidget* parent)
    : QWidget(parent), model_(std::move(loaded)), pages_(new QStackedWidget(this)),
      ui_(std::make_unique<Ui>()) {
    buildPages(false);
    showPage(StringChartPage);
}

void TVornFrame::buildPages(bool withSetup) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);

    if (withSetup) {
        buildSetupPage();
        // Scrolls rather than holds the window wider than a small screen.
        auto* setupScroll = new QScrollArea(pages_);
        setupScroll->setFrameShape(QFrame::NoFrame);
        setupScroll->setWidgetResizable(true);
        setupScroll->setWidget(ui_->SetupPage);
        pages_->addWidget(setupScroll);
    } else {
        pages_->addWidget(new QWidget(pages_)); // keeps the page numbers
    }

    // The chart's widgets are made when the page is first seen (see stringView()).
    ui_->ChartPage = new QWidget(pages_);
    ui_->ChartPage->setObjectName(QStringLiteral("StringChartPage"));
    auto* chartLayout = new QVBoxLayout(ui_->ChartPage);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    pages_->addWidget(ui_->ChartPage);
    // The fret pages' views are made when first shown.
    for (const char* name : {"FretChartHolder", "PlacementChartHolder"}) {
        auto* holder = new QWidget(pages_);
        holder->setObjectName(QString::fromLatin1(name));
        auto* holderLayout = new QVBoxLayout(holder);
        holderLayout->setContentsMargins(0, 0, 0, 0);
        pages_->addWidget(holder);
    }
    hookModel();
}

TFretFrormView* TVornFrame::FretView() {
    Ui& u = *ui_;
    if (u.FretView)
        return u.FretView;
    QWidget* holder = pages_->widget(FretChartPage);
    u.FretView = new TFretFrormView(model_->Settings, holder);
    holder->layout()->addWidget(u.FretView);
    u.FretView->DocumentFrame = [this]() -> const TFileFrame* { return model_.get(); };
    u.FretView->ShowHelp = [this](int context) {
        if (ShowHelp)
            ShowHelp(context);
    };
    connect(u.FretView, &TFretFrormView::temperamentChanged, this, [this] {
        ui_->RetunePending = true;
        emit temperamentChanged();
    });
    connect(u.FretView, &TFretFrormView::placementRequested, this, &TVornFrame::ShowPlacement);
    connect(u.FretView, &TFretFrormView::playRequested, this, &TVornFrame::playRequested);
    connect(u.FretView, &TFretFrormView::stopRequested, this, &TVornFrame::stopRequested);
    return u.FretView;
}

TPlacementFrameView* TVornFrame::PlacementView() {
    Ui& u = *ui_;
    if (u.PlacementEditor)
        return u.PlacementEditor;
    QWidget* holder = pages_->widget(PlacementChartPage);
    u.PlacementEditor = new TPlacementFrameView(holder);
    holder->layout()->addWidget(u.PlacementEditor);
    return u.PlacementEditor;
}

void TVornFrame::hookModel() {
    model_->Chart.OnRowsChanged = [this](int index) {
        if (ui_->RetuningHidden)
            ui_->RowsStale = true;
        else if (ui_->StringFrame)
            ui_->StringFrame->RowsChanged(index);
    };
    model_->Chart.OnBridgeChanged = [this] { emit bridgeChanged(); };
}

TStrFrameView* TVornFrame::stringView() {
    Ui& u = *ui_;
    if (u.StringFrame)
        return u.StringFrame;
    u.StringFrame = new TStrFrameView(model_->Chart, u.ChartPage);
    u.StringFrame->setObjectName(QStringLiteral("StringFrame"));
    u.ChartPage->layout()->addWidget(u.StringFrame);
    connect(u.StringFrame, &TStrFrameView::instrumentNameEdited, this,
            &TVornFrame::instrumentNameChanged);
    connect(u.StringFrame, &TStrFrameView::makerNameEdited, this, &TVornFrame::makerNameChanged);
    connect(u.StringFrame, &TStrFrameView::playRequested, this, &TVornFrame::playRequested);
    connect(u.StringFrame, &TStrFrameView::stopRequested, this, &TVornFrame::stopRequested);
    return u.StringFrame;
}

void TVornFrame::showPage(int page) {
    const bool leavingFrets = pages_->currentIndex() == FretChartPage && page != FretChartPage;
    pages_->setCurrentIndex(page);
    if (leavingFrets)
        retune();
    if (page == StringChartPage && ui_->RowsStale && ui_->StringFrame) {
        ui_->RowsStale = false;
        ui_->StringFrame->RowsChanged(-1);
    }
    if (page == StringChartPage && isVisible())
        stringView();
}

void TVornFrame::showEvent(QShowEvent* event) {
    if (pages_->currentIndex() == StringChartPage)
        stringView();
    QWidget::showEvent(event);
}

TVornFrame::~TVornFrame() {
    // The views go before the document they show.
    model_->Chart.OnRowsChanged = nullptr;
    model_->Chart.OnBridgeChanged = nullptr;
    delete pages_;
    pages_ = nullptr;
}

void TVornFrame::buildSetupPage() {
    Ui& u = *ui_;
    u.SetupPage = new QWidget(pages_);
    u.SetupPage->setObjectName(QStringLiteral("FileSetupPage"));
    SetHelpContext(u.SetupPage, FileSetupHelpContext);

    auto* heading = new QLabel(QStringLiteral("File Setup"), u.SetupPage);
    heading->setObjectName(QStringLiteral("Heading"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    buildSetupControls();

    auto* columns = new QHBoxLayout;
    columns->setSpacing(32);
    columns->addLayout(setupInstrumentForm());
    columns->addLayout(setupStringsForm());
    columns->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(u.ViewStringsButton);

    auto* form = new QWidget(u.SetupPage);
    auto* formLayout = new QVBoxLayout(form);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->setSpacing(18);
    formLayout->addLayout(columns);
    formLayout->addLayout(buttons);
    form->setMaximumWidth(form->sizeHint().width());
    form->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    auto* page = new QVBoxLayout(u.SetupPage);
    page->setContentsMargins(24, 18, 24, 18);
    page->setSpacing(18);
    page->addWidget(heading);
    page->addWidget(form);
    page->addStretch(1);

    connectSetupPage();
}

// The page's controls, their names, lists, ranges and widths.
void TVornFrame::buildSetupControls() {
    Ui& u = *ui_;
    u.EditnstName = new QLineEdit(u.SetupPage);
    u.EditMakerName = new QLineEdit(u.SetupPage);
    u.ComboInstType = new QComboBox(u.SetupPage);
    u.ComboTuning = new QComboBox(u.SetupPage);
    u.ComboNumCourses = new QComboBox(u.SetupPage);
    u.EditStringLength = new TFloatEdit(u.SetupPage);
    u.CheckSecondSL = new QCheckBox(QStringLiteral("Use Second Strng Length"), u.SetupPage);
    u.EditSecondStLength = new TFloatEdit(u.SetupPage);
    u.EditFromCourse = new QSpinBox(u.SetupPage);
    u.ComboPitchStandard = new QComboBox(u.SetupPage);
    u.EditAPitch = new TFloatEdit(u.SetupPage);
    u.ComboTemperament = new QComboBox(u.SetupPage);
    u.ViewStringsButton = new QPushButton(QStringLiteral("View Strings"), u.SetupPage);

    u.EditnstName->setObjectName(QStringLiteral("EditnstName"));
    u.EditMakerName->setObjectName(QStringLiteral("EditMakerName"));
    u.ComboInstType->setObjectName(QStringLiteral("ComboInstType"));
    u.ComboTuning->setObjectName(QStringLiteral("ComboTuning"));
    u.ComboNumCourses->setObjectName(QStringLiteral("ComboNumCourses"));
    u.EditStringLength->setObjectName(QStringLiteral("EditStringLength"));
    u.CheckSecondSL->setObjectName(QStringLiteral("CheckSecondSL"));
    u.EditSecondStLength->setObjectName(QStringLiteral("EditSecondStLength"));
    u.EditFromCourse->setObjectName(QStringLiteral("EditFromCourse"));
    u.ComboPitchStandard->setObjectName(QStringLiteral("ComboPitchStandard"));
    u.EditAPitch->setObjectName(QStringLiteral("EditAPitch"));
    u.ComboTemperament->setObjectName(QStringLiteral("ComboTemperament"));
    u.ViewStringsButton->setObjectName(QStringLiteral("ViewStringsButton"));

    for (int f = 0; f < FamilyCount; ++f)
        u.ComboInstType->addItem(text(FamilyName(f)));
    u.ComboInstType->setCurrentIndex(-1);
    u.ComboTuning->setMaxVisibleItems(12);
    for (int n = MinCourses; n <= MaxCourses; ++n)
        u.ComboNumCourses->addItem(QString::number(n));
    for (int pitch : PitchStandards)
        u.ComboPitchStandard->addItem(QStringLiteral("A = %1 hz").arg(pitch));
    u.ComboTemperament->setMaxVisibleItems(10);
    for (int t = 0; t < NamedTemperamentCount; ++t)
        u.ComboTemperament->addItem(text(TemperamentName(t, TemperamentFraction(t))));

    setRange(u.EditStringLength, TopLengthRange);
    u.EditStringLength->SetAllowNegative(false);
    setRange(u.EditSecondStLength, SecondLengthRange);
    u.EditFromCourse->setRange(static_cast<int>(SecondFromRange.Min),
                               static_cast<int>(SecondFromRange.Max));
    u.EditFromCourse->setValue(static_cast<int>(SecondFromRange.Initial));
    setRange(u.EditAPitch, APitchRange);

    u.ViewStringsButton->setToolTip(QStringLiteral("Accept file setup and view string chart."));
    u.ViewStringsButton->setDefault(true);
    u.ViewStringsButton->setEnabled(false);
    u.SetupPage->installEventFilter(new TDefaultButtonFilter(u.ViewStringsButton, u.SetupPage));

    for (QWidget* w : {static_cast<QWidget*>(u.EditnstName), static_cast<QWidget*>(u.EditMakerName),
                       static_cast<QWidget*>(u.ComboInstType), static_cast<QWidget*>(u.ComboTuning),
                       static_cast<QWidget*>(u.ComboTemperament)})
        w->setMinimumWidth(240);
    for (QWidget* w :
         {static_cast<QWidget*>(u.EditStringLength), static_cast<QWidget*>(u.EditSecondStLength),
          static_cast<QWidget*>(u.EditFromCourse), static_cast<QWidget*>(u.EditAPitch),
          static_cast<QWidget*>(u.ComboNumCourses), static_cast<QWidget*>(u.ComboPitchStandard)})
        w->setFixedWidth(120);
    u.ViewStringsButton->setMinimumWidth(120);
}

QFormLayout* TVornFrame::setupInstrumentForm() {
    Ui& u = *ui_;
    auto* instrument = new QFormLayout;
    instrument->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    instrument->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    // Explicit, or the forms inherit the wide gap between the two columns.
    instrument->setHorizontalSpacing(10);
    instrument->setVerticalSpacing(8);
    instrument->addRow(QStringLiteral("Instrument Name "), u.EditnstName);
    instrument->addRow(QStringLiteral("Maker "), u.EditMakerName);
    instrument->addRow(QStringLiteral("Instrument Type"), u.ComboInstType);
    instrument->addRow(QStringLiteral("Tuning Template"), u.ComboTuning);
    instrument->addRow(QStringLiteral("Number of Courses"), u.ComboNumCourses);
    instrument->addRow(QStringLiteral("Musical Temperament"), u.ComboTemperament);
    return instrument;
}

QFormLayout* TVornFrame::setupStringsForm() {
    Ui& u = *ui_;
    auto* strings = new QFormLayout;
    strings->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    strings->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    // Explicit, or the forms inherit the wide gap between the two columns.
    strings->setHorizontalSpacing(10);
    strings->setVerticalSpacing(8);
    strings->addRow(QStringLiteral("Top String Length"), u.EditStringLength);
    strings->addRow(QString(), u.CheckSecondSL);
    u.SecondSLLabel = new QLabel(QStringLiteral("Second String Length"), u.SetupPage);
    u.FromCourseLabel = new QLabel(QStringLiteral("From Course"), u.SetupPage);
    strings->addRow(u.SecondSLLabel, u.EditSecondStLength);
    strings->addRow(u.FromCourseLabel, u.EditFromCourse);
    strings->addRow(QStringLiteral("Pitch Standard"), u.ComboPitchStandard);
    strings->addRow(QStringLiteral("A-pitch"), u.EditAPitch);
    // The number boxes name themselves "Number"; a screen reader needs their labels' words.
    u.EditStringLength->setAccessibleName(QStringLiteral("Top String Length"));
    u.EditSecondStLength->setAccessibleName(QStringLiteral("Second String Length"));
    u.EditFromCourse->setAccessibleName(QStringLiteral("From Course"));
    u.EditAPitch->setAccessibleName(QStringLiteral("A-pitch"));
    u.SecondSLLabel->setBuddy(u.EditSecondStLength);
    u.FromCourseLabel->setBuddy(u.EditFromCourse);
    u.SecondSLLabel->setEnabled(false);
    u.EditSecondStLength->setEnabled(false);
    u.FromCourseLabel->setEnabled(false);
    return strings;
}

void TVornFrame::connectSetupPage() {
    Ui& u = *ui_;
    connect(u.ComboInstType, &QComboBox::currentIndexChanged, this, &TVornFrame::familyChanged);
    connect(u.ComboTuning, &QComboBox::currentIndexChanged, this, &TVornFrame::templateChanged);
    connect(u.EditnstName, &QLineEdit::textEdited, this, &TVornFrame::instrumentNameChanged);
    connect(u.EditMakerName, &QLineEdit::textEdited, this, &TVornFrame::makerNameChanged);
    connect(u.ComboNumCourses, &QComboBox::currentIndexChanged, this,
            &TVornFrame::courseCountChanged);
    connect(u.EditStringLength, &QLineEdit::textChanged, this, &TVornFrame::stringLengthChanged);
    connect(u.EditSecondStLength, &QLineEdit::textChanged, this, &TVornFrame::secondLengthChanged);
    connect(u.CheckSecondSL, &QCheckBox::toggled, this, &TVornFrame::secondLengthTicked);
    connect(u.EditFromCourse, &QSpinBox::valueChanged, this, &TVornFrame::fromCourseChanged);
    connect(u.ComboPitchStandard, &QComboBox::currentIndexChanged, this,
            &TVornFrame::pitchStandardChanged);
    connect(u.EditAPitch, &QLineEdit::textChanged, this, &TVornFrame::aPitchChanged);
    connect(u.ComboTemperament, &QComboBox::currentIndexChanged, this,
            &TVornFrame::setupTemperamentChanged);
    connect(u.ViewStringsButton, &QPushButton::clicked, this, [this] { ViewStrings(); });
}

// --- change handlers ------------------------------------------------------------------------

void TVornFrame::familyChanged(int family) {
    Ui& u = *ui_;
    if (family < 0 || family >= FamilyCount)
        return;
    model_->Family = family;
    {
        const QSignalBlocker blocker(u.ComboTuning);
        u.ComboTuning->clear();
        for (int position = 0; position < FamilyTypeCount(family); ++position)
            u.ComboTuning->addItem(
                text(InstrumentTypeName(TypeOfFamilyPosition(family, position))));
        u.ComboTuning->setCurrentIndex(PositionInFamily(DefaultTypeOfFamily(family)));
    }
    templateChanged(u.ComboTuning->currentIndex());
    u.ViewStringsButton->setEnabled(true);
    emit documentChanged();
}

void TVornFrame::templateChanged(int position) {
    model_->ApplyTemplate(TypeOfFamilyPosition(model_->Family, position));
    showTemplate();
    refreshCaption();
    emit documentChanged();
}

void TVornFrame::showTemplate() {
    Ui& u = *ui_;
    u.Setup = FileSetupForm::Show(model_->Document, u.Setup);
    const FileSetupForm& f = u.Setup;
    const QSignalBlocker b1(u.EditnstName), b2(u.EditMakerName), b3(u.ComboNumCourses),
        b4(u.EditStringLength), b5(u.ComboTemperament), b6(u.ComboPitchStandard), b7(u.EditAPitch),
        b8(u.CheckSecondSL), b9(u.EditSecondStLength), b10(u.EditFromCourse);
    u.EditnstName->setText(text(f.InstrumentName));
    u.EditMakerName->setText(text(f.MakerName));
    u.ComboNumCourses->setCurrentIndex(f.CourseCount - MinCourses);
    u.EditStringLength->SetValue(f.StringLength);
    u.ComboTemperament->setCurrentIndex(f.Temperament);
    u.EditAPitch->SetValue(f.APitch);
    u.ComboPitchStandard->setCurrentIndex(f.PitchIndex);
    const bool second = f.UseSecondLength;
    u.CheckSecondSL->setChecked(second);
    u.EditSecondStLength->SetValue(f.SecondStringLength);
    u.EditFromCourse->setValue(f.SecondLengthFrom);
    u.SecondSLLabel->setEnabled(second);
    u.EditSecondStLength->setEnabled(second);
    u.FromCourseLabel->setEnabled(second);
    u.EditFromCourse->setEnabled(second);
}

void TVornFrame::instrumentNameChanged(const QString& name) {
    // Also the string chart's own box, after the page is gone: only the name changes.
    ui_->Setup.InstrumentName = name.toStdString();
    model_->Document.InstrumentName = ui_->Setup.InstrumentName;
    refreshCaption();
}

void TVornFrame::makerNameChanged(const QString& name) {
    ui_->Setup.MakerName = name.toStdString();
    model_->Document.MakerName = ui_->Setup.MakerName;
    refreshCaption();
}

void TVornFrame::applySetup() {
    ui_->Setup.Apply(model_->Document);
    refreshCaption();
    emit documentChanged();
}

void TVornFrame::courseCountChanged(int index) {
    if (index < 0)
        return;
    ui_->Setup.ChooseCourseCount(index + MinCourses);
    applySetup();
}

void TVornFrame::stringLengthChanged() {
    ui_->Setup.TypeStringLength(ui_->EditStringLength->GetValue());
    applySetup();
}

void TVornFrame::secondLengthChanged() {
    ui_->Setup.TypeSecondLength(ui_->EditSecondStLength->GetValue());
    applySetup();
}

void TVornFrame::fromCourseChanged(int course) {
    ui_->Setup.TypeFromCourse(course);
    applySetup();
}

void TVornFrame::secondLengthTicked(bool ticked) {
    Ui& u = *ui_;
    u.SecondSLLabel->setEnabled(ticked);
    u.EditSecondStLength->setEnabled(ticked);
    u.FromCourseLabel->setEnabled(ticked);
    u.EditFromCourse->setEnabled(ticked);
    u.Setup.UseSecondLength = ticked;
    applySetup();
}

void TVornFrame::pitchStandardChanged(int index) {
    Ui& u = *ui_;
    if (index < 0)
        return;
    u.Setup.ChoosePitch(index);
    {
        const QSignalBlocker blocker(u.EditAPitch);
        u.EditAPitch->SetValue(u.Setup.APitch);
    }
    applySetup();
}

void TVornFrame::aPitchChanged() {
    Ui& u = *ui_;
    u.Setup.TypePitch(u.EditAPitch->GetValue());
    {
        const QSignalBlocker blocker(u.ComboPitchStandard);
        u.ComboPitchStandard->setCurrentIndex(u.Setup.PitchIndex);
    }
    applySetup();
}

void TVornFrame::setupTemperamentChanged(int index) {
    if (index < 0)
        return;
    ui_->Setup.Temperament = index;
    applySetup();
}

// --- public operations ----------------------------------------------------------------------

QString TVornFrame::DisplayName() const {
    return text(model_->DisplayName());
}

void TVornFrame::refreshCaption() {
    emit captionChanged(DisplayName());
}

void TVornFrame::SetFileName(const QString& name) {
    model_->FileName = name.toStdString();
    refreshCaption();
}

bool TVornFrame::SaveFile(const std::string& path, std::string* error, ReadOnlyTarget readOnly) {
    // The strings are stored as they sound in the document's temperament.
    if (ui_->RetunePending)
        retune();
    if (!SaveDocumentFile(*model_, path, error, readOnly))
        return false;
    refreshCaption();
    return true;
}

void TVornFrame::ShowPage(int command) {
    if (command == ShowStringChart) {
        ViewStrings();
    } else if (command == ShowFretChart) {
        model_->Chart.StoreCourses();
        FretView()->Bind(model_->Document);
        showPage(FretChartPage);
    }
}

void TVornFrame::ShowPlacement() {
    PlacementView()->Bind(model_->Document);
    showPage(PlacementChartPage);
}

void TVornFrame::retune() {
    Ui& u = *ui_;
    u.RetunePending = false;
    // Each step of a dragged temperament slider is retuned (the window's idle check takes
    // what a save would write): rows out of sight are rebuilt once, when they are seen again.
    u.RetuningHidden = pages_->currentIndex() != StringChartPage;
    std::optional<TRowHold> hold;
    if (u.StringFrame && !u.RetuningHidden)
        hold.emplace(*u.StringFrame);
    model_->Chart.RefreshTuning();
    u.RetuningHidden = false;
}

int TVornFrame::CurrentPage() const {
    return pages_->currentIndex();
}

void TVornFrame::ViewStrings() {
    Ui& u = *ui_;
    // The File Setup page applied each change as it was made: nothing is copied here, so a
    // later Globals change is never undone by coming back to the strings.
    {
        // Building tells of the rows twice: the first course becoming current, then all.
        std::optional<TRowHold> hold;
        if (u.StringFrame)
            hold.emplace(*u.StringFrame);
        model_->ViewStrings();
    }
    showPage(StringChartPage);
    emit stringsShown();
    emit bridgeChanged();
}

void TVornFrame::TakeDocument(std::unique_ptr<TFileFrame> loaded) {
    Ui& u = *ui_;
    // The old views go with the old document.
    delete u.StringFrame;
    u.StringFrame = nullptr;
    delete u.FretView;
    u.FretView = nullptr;
    delete u.PlacementEditor;
    u.PlacementEditor = nullptr;
    u.RetunePending = false;
    u.RowsStale = false;
    model_->Chart.OnRowsChanged = nullptr;
    model_->Chart.OnBridgeChanged = nullptr;
    model_ = std::move(loaded);
    hookModel();
    showPage(StringChartPage);
    refreshCaption();
    emit documentChanged();
    emit bridgeChanged();
    emit stringsShown();
}

std::string TVornFrame::SaveToData() {
    // The strings are stored as they sound in the document's temperament.
    if (ui_->RetunePending)
        retune();
    ByteWriter out;
    WriteDocument(*model_, out);
    return out.take();
}

DocumentSnapshot TVornFrame::SnapshotData() {
    // As SaveToData: the strings as they sound in the document's temperament.
    if (ui_->RetunePending)
        retune();
    return TakeSnapshot(*model_);
}

bool TVornFrame::RestoreData(const DocumentSnapshot& snapshot) {
    Ui& u = *ui_;
    const auto [course, column] =
        u.StringFrame ? u.StringFrame->FocusedCell() : std::pair<int, int>(-1, 0);
    {
        std::optional<TRowHold> hold;
        if (u.StringFrame)
            hold.emplace(*u.StringFrame);
        if (!RestoreSnapshot(*model_, snapshot))
            return false;
    }
    u.RowsStale = false; // the rows were rebuilt for the document's new courses
    if (u.StringFrame) {
        u.StringFrame->ShowNames();
        // The new rows are shown once control returns to the event loop; the focus goes
        // back to the cell of the same place then.
        if (course >= 0)
            QMetaObject::invokeMethod(
                this,
                [this, course = course, column = column] {
                    if (ui_->StringFrame)
                        ui_->StringFrame->FocusCell(course, column);
                },
                Qt::QueuedConnection);
    }
    if (pages_->currentIndex() == FretChartPage)
        FretView()->Bind(model_->Document);
    else if (pages_->currentIndex() == PlacementChartPage)
        PlacementView()->Bind(model_->Document);
    // The bytes hold the strings as they sound in the temperament they name, which binding
    // the fret chart announces again.
    u.RetunePending = false;
    refreshCaption();
    emit documentChanged();
    emit bridgeChanged();
    return true;
}

bool TVornFrame::GlobalCommand(GlobalChangeKind kind, const TGlobalDialog::Hooks& hooks) {
    GlobalChangeDialog change =
        MakeGlobalChangeDialog(kind, model_->Document, model_->Settings, hooks, this);
    if (!change.Dialog || change.Dialog->exec() != QDialog::Accepted)
        return false;
    // The step an undo takes back is named after the dialog.
    model_->Chart.LastEdit.Label = change.Dialog->windowTitle().toStdString();
    std::string refusal;
    if (!ApplyGlobal(change.Apply, &refusal)) {
        model_->Chart.LastEdit.Label.clear();
        TFittedMessageBox::Ask(
            this, QMessageBox::Warning, change.Dialog->windowTitle(),
            QStringLiteral("Nothing was changed: %1.").arg(QString::fromStdString(refusal)));
        return false;
    }
    return true;
}

bool TVornFrame::ApplyGlobal(const std::function<void(TStrFrame&)>& change, std::string* refusal) {
    TStrFrame& chart = model_->Chart;
    bool applied = false;
    {
        std::optional<TRowHold> hold;
        if (ui_->StringFrame)
            hold.emplace(*ui_->StringFrame);
        applied = ApplyCheckedChange(*model_, change, refusal);
    }
    if (!applied)
        return false;
    // A fret page on screen shows the document as it is now.
    if (pages_->currentIndex() == FretChartPage) {
        chart.StoreCourses();
        FretView()->Bind(model_->Document);
    } else if (pages_->currentIndex() == PlacementChartPage) {
        chart.StoreCourses();
        PlacementView()->Bind(model_->Document);
    }
    refreshCaption();
    emit documentChanged();
    emit bridgeChanged();
    return true;
}

TStrFrameView* TVornFrame::StringView() {
    return stringView();
}

bool TVornFrame::StringViewBuilt() const {
    return ui_->StringFrame != nullptr;
}

} // namespace vorn
