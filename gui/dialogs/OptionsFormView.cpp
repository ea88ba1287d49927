// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/OptionsFormView.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/StrMatFormView.h"
#include "document/InstrumentTemplates.h"
#include "pitch/Temperaments.h"
#include "strings/StringRecord.h"
#include "widgets/ButtonIcons.h"
#include "widgets/FittedMessageBox.h"
#include "widgets/FloatEdit.h"
#include "widgets/HelpContext.h"
#include "widgets/StdText.h"
#include "widgets/TensionEdit.h"

namespace vorn {

namespace {

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    label->setFont(bold);
    return label;
}

// A label naming a control, for the eye and for screen readers.
QLabel* labelFor(const QString& text, QWidget* control, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(control);
    control->setAccessibleName(text.trimmed());
    return label;
}

// A figure box with its unit to the right; the label's own words stay as they are.
QHBoxLayout* withUnit(QWidget* box, const QString& unit, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->addWidget(box, 1);
    row->addWidget(new QLabel(unit, parent));
    return row;
}

// The range is the one the logic keeps, so that leaving a box shows what is stored.
void figureBox(TFloatSpinBase* box, const EntryRange& range) {
    box->SetIncrement(MaterialStep);
    box->SetAllowNegative(false);
    box->SetMinValue(range.Min);
    box->SetMaxValue(range.Max);
}

void setItems(QComboBox* box, const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& item : items)
        list << qs(item);
    bool same = box->count() == list.size();
    for (int i = 0; same && i < list.size(); ++i)
        same = box->itemText(i) == list.at(i);
    if (!same) {
        box->clear();
        box->addItems(list);
    }
}

void showValue(TFloatSpinBase* box, double value) {
    if (box->GetValue() != value || box->text().isEmpty())
        box->SetValue(value);
}

} // namespace

TOptionsFormView::TOptionsFormView(std::function<void(int)> showHelp, QWidget* parent)
    : QDialog(parent), showHelp_(std::move(showHelp)) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("OptionsPages"));
    const std::array<QWidget*, OptionsPageCount> built{buildNewFiles(),     buildAssignments(),
                                                       buildCalculations(), buildPrecision(),
                                                       buildMaterials(),    buildWounds()};
    for (int page = 0; page < OptionsPageCount; ++page) {
        SetHelpContext(built[page], OptionsPageHelp[page]);
        pages_->addTab(built[page], QString::fromLatin1(OptionsPageCaptions[page]));
    }
    buttons_ = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    SetStandardButtonIcons(buttons_);
    buttons_->button(QDialogButtonBox::Ok)->setDefault(true);
    // A modal dialog keeps the main window's F1 from it: its Help button takes the key.
    buttons_->button(QDialogButtonBox::Help)->setShortcut(QKeySequence(Qt::Key_F1));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons_);

    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons_, &QDialogButtonBox::helpRequested, this, [this] {
        if (showHelp_)
            showHelp_(OptionsPageHelp[pages_->currentIndex()]);
    });
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == op_materials) {
            model_.ShowMaterialsPage();
            materials_->clearSelection();
            refreshMaterialPanel();
        }
    });
}

QWidget* TOptionsFormView::buildNewFiles() {
    auto* page = new QWidget;
    temperament_ = new QComboBox(page);
    temperament_->setObjectName(QStringLiteral("ComboTemperament"));
    for (int t = 0; t < NamedTemperamentCount; ++t)
        temperament_->addItem(qs(TemperamentName(t, TemperamentFraction(t))));
    maker_ = new QLineEdit(page);
    maker_->setObjectName(QStringLiteral("EditMakerName"));
    startup_ = new QComboBox(page);
    startup_->setObjectName(QStringLiteral("StartupCombo"));
    for (const char* item : StartupItems)
        startup_->addItem(QString::fromLatin1(item));
    newFile_ = new QComboBox(page);
    newFile_->setObjectName(QStringLiteral("NewFileCombo"));
    newFile_->setMaxVisibleItems(InstrumentTypeCount);
    for (int type = 0; type < InstrumentTypeCount; ++type)
        newFile_->addItem(qs(InstrumentTypeName(type)));
    unit_ = new QComboBox(page);
    unit_->setObjectName(QStringLiteral("TensTypeCombo"));
    for (const char* item : UnitItems)
        unit_->addItem(QString::fromUtf8(item));

    auto* form = new QFormLayout;
    form->addRow(labelFor(QStringLiteral("Default Temperament"), temperament_, page), temperament_);
    form->addRow(labelFor(QStringLiteral("Default Instrument Maker "), maker_, page), maker_);
    form->addRow(labelFor(QStringLiteral("Load on Startup:"), startup_, page), startup_);
    form->addRow(labelFor(QStringLiteral("Load on New File:"), newFile_, page), newFile_);
    form->addRow(labelFor(QStringLiteral("Display Tension As:"), unit_, page), unit_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Default settings for new files"), page));
    layout->addLayout(form);
    layout->addStretch(1);

    connect(temperament_, &QComboBox::activated, this, [this](int i) { model_.SetTemperament(i); });
    connect(maker_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.SetMaker(text.toStdString()); });
    connect(startup_, &QComboBox::activated, this, [this](int i) { model_.SetStartup(i); });
    connect(newFile_, &QComboBox::activated, this, [this](int i) { model_.SetNewFileType(i); });
    connect(unit_, &QComboBox::activated, this, [this](int i) {
        model_.SetUnit(i);
        refresh();
    });
    return page;
}

QWidget* TOptionsFormView::buildAssignments() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Course Type"), page), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Tension"), page), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Alternative String Type"), page), 0, 3);
    for (int row = 0; row < 9; ++row) {
        const auto& [type, second] = AssignmentRowTexts[row];
        auto* name = new QLabel(QString::fromLatin1(type), page);
        auto* detail = new QLabel(QString::fromLatin1(second), page);
        auto* tension = new TTensionEdit(page);
        figureBox(tension, model_.TensionRange());
        auto* choice = new QComboBox(page);
        choice->setMaxVisibleItems(16);
        tension->setAccessibleName(QStringLiteral("%1 tension").arg(QString::fromLatin1(type)));
        choice->setAccessibleName(
            QStringLiteral("%1 alternative string").arg(QString::fromLatin1(type)));
        grid->addWidget(name, row + 1, 0);
        grid->addWidget(detail, row + 1, 1);
        grid->addWidget(tension, row + 1, 2);
        grid->addWidget(choice, row + 1, 3);
        assignmentTension_[row] = tension;
        assignmentChoice_[row] = choice;
        connect(choice, &QComboBox::activated, this,
                [this, row](int i) { model_.SetAssignmentChoice(row, i); });
        connect(tension, &QLineEdit::textChanged, this, [this, row, tension] {
            if (!refreshing_)
                model_.SetAssignmentTension(row, tension->GetValue());
        });
    }
    auto* edit = new QPushButton(QStringLiteral("Edit String Materials"), page);
    auto* defaults = new QPushButton(QStringLiteral("Default Assignments"), page);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(edit);
    buttons->addWidget(defaults);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        heading(QStringLiteral("Tension and string assignment based on course type"), page));
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addStretch(1);
    connect(edit, &QPushButton::clicked, this, [this] { pages_->setCurrentIndex(op_materials); });
    connect(defaults, &QPushButton::clicked, this, [this] {
        model_.DefaultAssignments();
        refresh();
    });
    return page;
}

QWidget* TOptionsFormView::buildCalculations() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Value changed by user:"), page), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Variable affected by change:"), page), 0, 1);
    for (int row = 0; row < 4; ++row) {
        auto* box = new QComboBox(page);
        setItems(box, CalculationItems[row]);
        box->setCurrentIndex(-1);
        grid->addWidget(labelFor(QString::fromLatin1(CalculationRows[row]), box, page), row + 1, 0);
        grid->addWidget(box, row + 1, 1);
        calculation_[row] = box;
        connect(box, &QComboBox::activated, this,
                [this, row](int i) { model_.SetCalculation(row, i); });
    }
    auto* defaults = new QPushButton(QStringLiteral("Defaults"), page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        heading(QStringLiteral("How  a string is calculated when a value is changed"), page));
    layout->addLayout(grid);
    layout->addWidget(defaults, 0, Qt::AlignLeft);
    layout->addStretch(1);
    connect(defaults, &QPushButton::clicked, this, [this] {
        model_.DefaultCalculations();
        refresh();
    });
    return page;
}

QWidget* TOptionsFormView::buildPrecision() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Value:"), page), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Decimal precision:"), page), 0, 1);
    for (int row = 0; row < 4; ++row) {
        auto* box = new QComboBox(page);
        for (const char* item : PrecisionItems)
            box->addItem(QString::fromLatin1(item));
        box->setCurrentIndex(-1);
        grid->addWidget(labelFor(QString::fromLatin1(PrecisionRows[row]), box, page), row + 1, 0);
        grid->addWidget(box, row + 1, 1);
        precision_[row] = box;
        connect(box, &QComboBox::activated, this, [this, row](int i) {
            model_.SetPrecision(row, i);
            refresh();
        });
    }
    auto* defaults = new QPushButton(QStringLiteral("Defaults"), page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Decimal precision for calculated values"), page));
    layout->addLayout(grid);
    layout->addWidget(defaults, 0, Qt::AlignLeft);
    layout->addStretch(1);
    connect(defaults, &QPushButton::clicked, this, [this] {
        model_.DefaultPrecision();
        refresh();
    });
    return page;
}

QWidget* TOptionsFormView::buildMaterials() {
    auto* page = new QWidget;
    materials_ = new QListWidget(page);
    materials_->setObjectName(QStringLiteral("MaterialsListBox"));
    materials_->setAccessibleName(QStringLiteral("String Material"));
    defaultMaterials_ = new QPushButton(QStringLiteral("Defaults"), page);
    addMaterial_ = new QPushButton(QStringLiteral("Add"), page);
    deleteMaterial_ = new QPushButton(QStringLiteral("Del"), page);

    buildMaterialPanel(page);

    auto* list = new QVBoxLayout;
    list->addWidget(heading(QStringLiteral("String Material"), page));
    list->addWidget(materials_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaultMaterials_);
    buttons->addWidget(addMaterial_);
    buttons->addWidget(deleteMaterial_);
    list->addLayout(buttons);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(list);
    layout->addWidget(materialPanel_, 1);
    // The panel keeps its room while hidden, so that choosing a material moves no button.
    QSizePolicy keepRoom = materialPanel_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    materialPanel_->setSizePolicy(keepRoom);

    connectMaterials();
    return page;
}

// The chosen material's figures and its filters.
void TOptionsFormView::buildMaterialPanel(QWidget* page) {
    materialPanel_ = new QWidget(page);
    materialPanel_->setObjectName(QStringLiteral("MaterialPanel"));
    materialName_ = new QLineEdit(materialPanel_);
    materialDensity_ = new TFloatEdit(materialPanel_);
    materialMaxTension_ = new TTensionEdit(materialPanel_);
    materialMinTension_ = new TTensionEdit(materialPanel_);
    materialMaxDiameter_ = new TFloatEdit(materialPanel_);
    materialMinDiameter_ = new TFloatEdit(materialPanel_);
    materialBreakingIndex_ = new TFloatEdit(materialPanel_);
    materialBreakingIndex_->setObjectName(QStringLiteral("BreakingIndexBox"));
    figureBox(materialDensity_, DensityRange);
    figureBox(materialBreakingIndex_, BreakingIndexRange);
    materialBreakingIndex_->SetIncrement(BreakingIndexStep);
    figureBox(materialMaxTension_, model_.TensionRange());
    figureBox(materialMinTension_, model_.TensionRange());
    figureBox(materialMaxDiameter_, MaterialDiameterRange);
    figureBox(materialMinDiameter_, MaterialDiameterRange);
    // Room for a whole tension and its unit beside the spin button.
    const int figureWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000.00 kg.")) + 28;
    for (QWidget* box :
         {static_cast<QWidget*>(materialDensity_), static_cast<QWidget*>(materialMaxTension_),
          static_cast<QWidget*>(materialMinTension_), static_cast<QWidget*>(materialMaxDiameter_),
          static_cast<QWidget*>(materialMinDiameter_)})
        box->setMinimumWidth(figureWidth);
    auto* panelForm = new QFormLayout;
    panelForm->addRow(labelFor(QStringLiteral("String Material Name"), materialName_, page),
                      materialName_);
    const QString density = QStringLiteral("g/cm³");
    const QString mm = QStringLiteral("mm");
    panelForm->addRow(labelFor(QStringLiteral("String Density:"), materialDensity_, page),
                      withUnit(materialDensity_, density, materialPanel_));
    panelForm->addRow(labelFor(QStringLiteral("Breaking index (Hz\u00B7m, 0 none):"),
                               materialBreakingIndex_, page),
                      materialBreakingIndex_);
    auto* filters = new QGroupBox(QStringLiteral("Filters "), materialPanel_);
    auto* limits = new QFormLayout(filters);
    limits->addRow(labelFor(QStringLiteral("Tension  maximum:"), materialMaxTension_, page),
                   materialMaxTension_);
    limits->addRow(QStringLiteral("minimum:"), materialMinTension_);
    limits->addRow(labelFor(QStringLiteral("Diameter maximum:"), materialMaxDiameter_, page),
                   withUnit(materialMaxDiameter_, mm, filters));
    auto* minDiameter = new QLabel(QStringLiteral("minimum:"), filters);
    minDiameter->setBuddy(materialMinDiameter_);
    limits->addRow(minDiameter, withUnit(materialMinDiameter_, mm, filters));
    materialMinTension_->setAccessibleName(QStringLiteral("Tension minimum:"));
    materialMinDiameter_->setAccessibleName(QStringLiteral("Diameter minimum:"));
    auto* panelLayout = new QVBoxLayout(materialPanel_);
    panelLayout->addLayout(panelForm);
    panelLayout->addWidget(filters);
    panelLayout->addStretch(1);
}

void TOptionsFormView::connectMaterials() {
    connect(materials_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (refreshing_ || row < 0)
            return;
        model_.ChooseMaterial(row);
        refreshMaterialPanel();
    });
    connect(materialName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int at = materialName_->cursorPosition();
        model_.EditName(text.toStdString());
        refresh();
        materialName_->setCursorPosition(std::min(at, int(materialName_->text().size())));
    });
    const auto edited = [this](TFloatSpinBase* box, void (TOptionsForm::*edit)(double)) {
        connect(box, &QLineEdit::textChanged, this, [this, box, edit] {
            if (!refreshing_)
                (model_.*edit)(box->GetValue());
        });
    };
    edited(materialDensity_, &TOptionsForm::EditDensity);
    edited(materialMaxTension_, &TOptionsForm::EditMaxTension);
    edited(materialMinTension_, &TOptionsForm::EditMinTension);
    edited(materialMaxDiameter_, &TOptionsForm::EditMaxDiameter);
    edited(materialMinDiameter_, &TOptionsForm::EditMinDiameter);
    edited(materialBreakingIndex_, &TOptionsForm::EditBreakingIndex);
    connect(defaultMaterials_, &QPushButton::clicked, this, [this] {
        if (confirm(QString::fromLatin1(TOptionsForm::DefaultMaterialsCaption),
                    QString::fromLatin1(TOptionsForm::DefaultMaterialsText))) {
            model_.DefaultMaterials();
            refresh();
        }
    });
    connect(addMaterial_, &QPushButton::clicked, this, &TOptionsFormView::addMaterial);
    connect(deleteMaterial_, &QPushButton::clicked, this, &TOptionsFormView::deleteMaterial);
}

QWidget* TOptionsFormView::buildWounds() {
    auto* page = new QWidget;
    const std::array<std::pair<int, const char*>, 4> views{{{sc_savarez, "View Savarez"},
                                                            {sc_pyramid, "View Pyramid"},
                                                            {sc_kuerschner, "View Kuerschner"},
                                                            {sc_aquila, "View Aquila"}}};
    auto* buttons = new QVBoxLayout;
    for (const auto& [shown, text] : views) {
        auto* button = new QPushButton(QString::fromLatin1(text), page);
        viewCatalogue_[shown] = button;
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, shown = shown] {
            model_.ViewCatalogue(shown);
            refreshWounds();
        });
    }
    deleteSelected_ = new QPushButton(QStringLiteral("Delete Selected"), page);
    restoreCatalogue_ = new QPushButton(QStringLiteral("Restore Default Catalog"), page);
    buttons->addSpacing(12);
    buttons->addWidget(deleteSelected_);
    buttons->addWidget(restoreCatalogue_);
    buttons->addStretch(1);
    wounds_ = new QListWidget(page);
    wounds_->setObjectName(QStringLiteral("WoundsList"));
    wounds_->setAccessibleName(QStringLiteral("Catalogue entries"));
    wounds_->setFont(QFont(QStringLiteral("monospace")));
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(buttons);
    layout->addWidget(wounds_, 1);

    connect(wounds_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (refreshing_)
            return;
        model_.TickWound(wounds_->row(item), item->checkState() == Qt::Checked);
        deleteSelected_->setEnabled(model_.DeleteSelectedEnabled);
    });
    connect(deleteSelected_, &QPushButton::clicked, this, [this] {
        model_.DeleteSelected();
        refreshWounds();
    });
    connect(restoreCatalogue_, &QPushButton::clicked, this, [this] {
        model_.RestoreCatalogue();
        refreshWounds();
    });
    return page;
}

QPushButton* TOptionsFormView::ViewCatalogueButton(int shown) const {
    return shown > sc_none && shown <= sc_aquila ? viewCatalogue_[shown] : nullptr;
}

int TOptionsFormView::CurrentPage() const {
    return pages_->currentIndex();
}

bool TOptionsFormView::Open(int page, TGlobalData& live) {
    Begin(page, live);
    const bool ok = exec() == QDialog::Accepted;
    Finish(ok, live);
    return ok;
}

void TOptionsFormView::Begin(int page, const TGlobalData& live) {
    model_.Load(live);
    {
        const QSignalBlocker block(pages_);
        pages_->setCurrentIndex(page >= 0 && page < OptionsPageCount ? page : op_new_files);
    }
    materials_->clearSelection();
    refresh();
    refreshWounds();
}

void TOptionsFormView::Finish(bool ok, TGlobalData& live) {
    if (ok)
        model_.Store(live);
}

void TOptionsFormView::accept() {
    const TOptionsForm::MaterialProblem problem = model_.CheckMaterials();
    if (problem.Index < 0) {
        QDialog::accept();
        return;
    }
    inform(qs(problem.Text));
    // Straight to the material, for the user to put right.
    pages_->setCurrentIndex(op_materials);
    model_.ChooseMaterial(problem.Index);
    refresh();
}

void TOptionsFormView::refresh() {
    refreshing_ = true;
    const QSignalBlocker a(temperament_), b(startup_), c(newFile_), d(unit_), e(materials_);
    temperament_->setCurrentIndex(model_.Temperament);
    if (maker_->text() != qs(model_.Maker))
        maker_->setText(qs(model_.Maker));
    startup_->setCurrentIndex(model_.Startup);
    newFile_->setCurrentIndex(model_.NewFileType);
    unit_->setCurrentIndex(model_.Unit);
    const auto unit = static_cast<VornTensType>(model_.Unit);
    const EntryRange tensions = model_.TensionRange();
    for (int row = 0; row < 9; ++row) {
        const QSignalBlocker block(assignmentChoice_[row]);
        setItems(assignmentChoice_[row], model_.AlternativeItems);
        assignmentChoice_[row]->setCurrentIndex(model_.AssignmentChoice[row]);
        assignmentTension_[row]->SetTensionType(unit);
        figureBox(assignmentTension_[row], tensions);
        showValue(assignmentTension_[row], model_.AssignmentTension[row]);
    }
    for (int row = 0; row < 4; ++row) {
        const QSignalBlocker f(calculation_[row]), g(precision_[row]);
        if (model_.Calculation[row] >= 0)
            calculation_[row]->setCurrentIndex(model_.Calculation[row]);
        if (model_.Precision[row] >= 0)
            precision_[row]->setCurrentIndex(model_.Precision[row]);
    }
    materialMaxTension_->SetTensionType(unit);
    materialMinTension_->SetTensionType(unit);
    figureBox(materialMaxTension_, tensions);
    figureBox(materialMinTension_, tensions);
    QStringList names;
    for (const std::string& name : model_.MaterialItems)
        names << qs(name);
    bool same = materials_->count() == names.size();
    for (int i = 0; same && i < names.size(); ++i)
        same = materials_->item(i)->text() == names.at(i);
    if (!same) {
        materials_->clear();
        materials_->addItems(names);
    }
    materials_->setCurrentRow(model_.SelectedMaterial);
    refreshing_ = false;
    refreshMaterialPanel();
}

void TOptionsFormView::refreshMaterialPanel() {
    refreshing_ = true;
    materialPanel_->setVisible(model_.EditPanelVisible);
    if (model_.EditPanelVisible) {
        const MaterialFigures& f = model_.Figures;
        if (materialName_->text() != qs(f.Name))
            materialName_->setText(qs(f.Name));
        showValue(materialDensity_, f.Density);
        showValue(materialMaxTension_, f.MaxTension);
        showValue(materialMinTension_, f.MinTension);
        showValue(materialMaxDiameter_, f.MaxDiameter);
        showValue(materialMinDiameter_, f.MinDiameter);
        showValue(materialBreakingIndex_, f.BreakingIndex);
    }
    deleteMaterial_->setEnabled(model_.SelectedMaterial >= 0);
    refreshing_ = false;
}

void TOptionsFormView::refreshWounds() {
    refreshing_ = true;
    wounds_->clear();
    for (size_t i = 0; i < model_.WoundLines.size(); ++i) {
        auto* item = new QListWidgetItem(qs(model_.WoundLines[i]), wounds_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(model_.WoundTicks[i] ? Qt::Checked : Qt::Unchecked);
    }
    deleteSelected_->setEnabled(model_.DeleteSelectedEnabled);
    restoreCatalogue_->setEnabled(model_.RestoreEnabled);
    refreshing_ = false;
}

bool TOptionsFormView::confirm(const QString& caption, const QString& text) {
    if (Confirm)
        return Confirm(caption, text);
    return TFittedMessageBox::Ask(this, QMessageBox::Warning, caption, text,
                                  QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void TOptionsFormView::inform(const QString& text) {
    if (Inform)
        Inform(text);
    else
        TFittedMessageBox::Ask(this, QMessageBox::Information, windowTitle(), text);
}

void TOptionsFormView::addMaterial() {
    const auto unit = static_cast<VornTensType>(model_.Unit);
    MaterialFigures added;
    bool ok = false;
    if (AskNewMaterial) {
        ok = AskNewMaterial(unit, added);
    } else {
        TStrMatFormView dialog(unit, showHelp_, this);
        ok = dialog.exec() == QDialog::Accepted;
        added = dialog.Figures();
    }
    if (!ok || !CanAddMaterial(added))
        return;
    model_.AddMaterial(added);
    refresh();
}

void TOptionsFormView::deleteMaterial() {
    const MaterialDeletion question = model_.DeleteQuestion();
    if (question.Ask == MaterialDeletion::md_refused) {
        inform(qs(question.Text));
    } else if (question.Ask == MaterialDeletion::md_confirm &&
               confirm(qs(question.Caption), qs(question.Text))) {
        model_.DeleteMaterial();
        refresh();
    }
}

} // namespace vorn
