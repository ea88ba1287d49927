// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/FitTemperamentDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

#include "io/NameText.h"
#include "io/NumberText.h"
#include "pitch/Temperaments.h"
#include "widgets/HelpContext.h"
#include "widgets/LocalNumbers.h"
#include "widgets/StdText.h"
#include "widgets/TypedNumber.h"

namespace vorn {

namespace {

// Without a minus sign on a figure that rounds to zero.
std::string signedText(double value, int decimals) {
    return FixedText(std::fabs(value) < std::pow(10.0, -decimals) / 2 ? 0.0 : value, decimals);
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

TFitTemperamentDialog::TFitTemperamentDialog(double length, const FretChoices& base,
                                             std::function<void(int)> showHelp, QWidget* parent)
    : QDialog(parent), base_(base), showHelp_(std::move(showHelp)), length_(new QLineEdit(this)),
      summary_(new QLabel(this)), table_(new QTableWidget(0, 6, this)) {
    setObjectName(QStringLiteral("FitTemperament"));
    setWindowTitle(QStringLiteral("Fit temperament"));
    SetHelpContext(this, FitTemperamentHelpContext);

    auto* intro = new QLabel(QStringLiteral("Measure each fret from the nut to its middle, in cm. "
                                            "Leave a fret blank that you did not measure; three "
                                            "frets are the least."),
                             this);
    intro->setWordWrap(true);
    auto* entries = new QGridLayout;
    auto* lengthLabel = new QLabel(QStringLiteral("String length (cm):"), this);
    lengthLabel->setBuddy(length_);
    length_->setAccessibleName(QStringLiteral("String length"));
    length_->setText(LocalNumbers(qs(GeneralText(length, 6)), locale()));
    entries->addWidget(lengthLabel, 0, 0, 1, 2);
    entries->addWidget(length_, 0, 2, 1, 2);
    for (int fret = 1; fret <= 11; ++fret) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("Fret%1").arg(fret));
        field->setAccessibleName(QStringLiteral("Fret %1").arg(fret));
        field->setMaximumWidth(90);
        auto* label = new QLabel(QStringLiteral("Fret %1:").arg(fret), this);
        label->setBuddy(field);
        // Two columns: frets 1..6 left, 7..11 right.
        const int row = 1 + (fret - 1) % 6, column = fret <= 6 ? 0 : 2;
        entries->addWidget(label, row, column);
        entries->addWidget(field, row, column + 1);
        frets_[fret - 1] = field;
        connect(field, &QLineEdit::textChanged, this, &TFitTemperamentDialog::fit);
    }
    connect(length_, &QLineEdit::textChanged, this, &TFitTemperamentDialog::fit);

    summary_->setObjectName(QStringLiteral("FitSummary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    table_->setHorizontalHeaderLabels({QStringLiteral("Fret"), QStringLiteral("Typ"),
                                       QStringLiteral("Measured cm"), QStringLiteral("Fitted cm"),
                                       QStringLiteral("Error mm"), QStringLiteral("Error cents")});
    table_->verticalHeader()->hide();
    table_->setAccessibleName(QStringLiteral("Fitted frets"));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The table asks for the width of all its columns, so that the dialog grows to show the
    // error columns whole rather than scroll them out of sight.
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setMinimumHeight(200);

    auto* buttons = new QDialogButtonBox(this);
    apply_ = buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::AcceptRole);
    apply_->setToolTip(
        QStringLiteral("Set the document's temperament and fret choices to the fitted ones"));
    cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    help_ = buttons->addButton(QDialogButtonBox::Help);
    // A modal dialog keeps the main window's F1 from it: its Help button takes the key.
    help_->setShortcut(QKeySequence(Qt::Key_F1));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (showHelp_)
            showHelp_(FitTemperamentHelpContext);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(entries);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    fit();
}

void TFitTemperamentDialog::fit() {
    FitInput in;
    in.BaseChoices = base_;
    QString unreadable;
    const std::optional<double> length = ReadTypedNumber(length_->text());
    in.Length = length.value_or(0);
    if (!length)
        unreadable = QStringLiteral("The string length is not a number.");
    for (int fret = 1; fret <= 11 && unreadable.isEmpty(); ++fret) {
        const QString text = frets_[fret - 1]->text();
        if (text.trimmed().isEmpty())
            continue;
        in.Distances[fret - 1] = ReadTypedNumber(text);
        if (!in.Distances[fret - 1])
            unreadable = QStringLiteral("Fret %1: \"%2\" is not a number.")
                             .arg(fret)
                             .arg(qs(ShortQuote(text.toStdString())));
    }
    result_ = unreadable.isEmpty() ? FitTemperament(in) : FitResult{};
    if (!unreadable.isEmpty())
        result_.Refusal = unreadable.toStdString();

    table_->setRowCount(0);
    apply_->setEnabled(result_.Plausible());
    if (!result_.Refusal.empty()) {
        // The user's own text is echoed as typed.
        summary_->setText(unreadable.isEmpty() ? LocalNumbers(qs(result_.Refusal), locale())
                                               : unreadable);
        return;
    }
    fillTable();
    if (!result_.Doubt.empty()) {
        // No temperament is named: with one fret far off, any would mislead.
        summary_->setText(LocalNumbers(qs(result_.Doubt + "."), locale()));
        return;
    }
    const SliderTemperament applied = SliderTemperamentOf(result_.CommaFraction);
    const std::string text =
        "Comma fraction " + FixedText(result_.CommaFraction, 3) + ", nearest to " +
        TemperamentName(result_.Nearest, 0) + "; RMS error " + FixedText(result_.RmsCents, 2) +
        " cents.\nApply sets " + TemperamentShortName(applied.Identifier, applied.Fraction) +
        " and the Mi/Fa choices below.";
    summary_->setText(LocalNumbers(qs(text), locale()));
}

// The measured frets against the fit; the doubted one stands out, so the user sees which to
// measure again.
void TFitTemperamentDialog::fillTable() {
    table_->setRowCount(static_cast<int>(result_.Frets.size()));
    int row = 0;
    for (const FittedFret& f : result_.Frets) {
        const std::array<std::string, 6> texts{
            std::to_string(f.Fret), FretChoiceText(f.Choice), FixedText(f.Measured, 2),
            FixedText(f.Fitted, 2), signedText(f.ErrorMm, 2), signedText(f.ErrorCents, 1)};
        for (int column = 0; column < 6; ++column) {
            QTableWidgetItem* item = cell(LocalNumbers(qs(texts[column]), locale()));
            if (f.Fret == result_.Outlier) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table_->setItem(row, column, item);
        }
        ++row;
    }
}

} // namespace vorn
