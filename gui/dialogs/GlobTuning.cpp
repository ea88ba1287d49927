// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/GlobTuning.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "pitch/Temperaments.h"
#include "widgets/FloatEdit.h"

namespace vorn {

namespace {

const char* const Intervals[TuningForm::IntervalCount] = {
    "Semitone", "Whole Tone",  "Minor Third", "MajorThird",    "Fourth",        "Diminished Fifth",
    "Fifth",    "Minor Sixth", "Major Sixth", "Minor Seventh", "Major Seventh", "Octave"};

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

TGlobTuning::TGlobTuning(const TInstDataType& document, Hooks hooks, QWidget* parent)
    : TGlobalDialog(QStringLiteral("Global Tuning"), QString(), PitchHelp, std::move(hooks),
                    parent),
      form_(TuningForm::Show(document)), pages_(new QTabWidget(this)), pitch_(new QComboBox(this)),
      aPitch_(new TFloatEdit(this)), temperament_(new QComboBox(this)),
      interval_(new QComboBox(this)), up_(new QRadioButton(QStringLiteral("Tune Up"), this)),
      down_(new QRadioButton(QStringLiteral("Tune Down"), this)),
      direction_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("GlobTuning"));
    for (int hz : PitchStandards)
        pitch_->addItem(QStringLiteral("A = %1 hz").arg(hz));
    aPitch_->SetMinValue(APitchRange.Min);
    aPitch_->SetMaxValue(APitchRange.Max);
    aPitch_->SetIncrement(1);
    aPitch_->SetAllowNegative(false);
    temperament_->setMaxVisibleItems(10);
    for (int t = 0; t < NamedTemperamentCount; ++t)
        temperament_->addItem(QString::fromStdString(TemperamentName(t, TemperamentFraction(t))));
    temperament_->addItem(QString::fromStdString(form_.CustomText));
    temperament_->setCurrentIndex(form_.Temperament);
    for (const char* name : Intervals)
        interval_->addItem(QString::fromLatin1(name));
    interval_->setCurrentIndex(form_.Interval);
    direction_->addButton(up_, TuningForm::td_up);
    direction_->addButton(down_, TuningForm::td_down);

    auto* pitchPage = new QWidget(pages_);
    auto* pitchForm = new QFormLayout;
    pitchForm->addRow(QStringLiteral("Pitch Standard"), pitch_);
    pitchForm->addRow(QStringLiteral("A-pitch"), aPitch_);
    pitchForm->addRow(QStringLiteral("Musical Teperament"), temperament_);
    auto* pitchLayout = new QVBoxLayout(pitchPage);
    pitchLayout->addWidget(heading(QStringLiteral("Change the pitch and temeprament"), pitchPage));
    pitchLayout->addLayout(pitchForm);
    pitchLayout->addStretch(1);

    auto* transposePage = new QWidget(pages_);
    auto* transposeForm = new QFormLayout;
    transposeForm->addRow(QStringLiteral("Interval "), interval_);
    auto* directions = new QVBoxLayout;
    directions->addWidget(up_);
    directions->addWidget(down_);
    transposeForm->addRow(QStringLiteral("Direction"), directions);
    up_->setAccessibleName(QStringLiteral("Tune Up"));
    auto* transposeLayout = new QVBoxLayout(transposePage);
    transposeLayout->addWidget(
        heading(QStringLiteral("Transpose the tuning of the whole instrument."), transposePage));
    transposeLayout->addLayout(transposeForm);
    transposeLayout->addStretch(1);

    pages_->addTab(pitchPage, QStringLiteral("Pitch and Temperament"));
    pages_->addTab(transposePage, QStringLiteral("Transpose Tuning"));
    Body()->addWidget(pages_);
    showPitch();

    connect(pages_, &QTabWidget::currentChanged, this,
            [this](int page) { setHelp(page == 0 ? PitchHelp : TransposeHelp); });
    connect(pitch_, &QComboBox::activated, this, [this](int index) {
        form_.ChoosePitch(index);
        showPitch();
    });
    connect(aPitch_, &QLineEdit::textEdited, this, [this] {
        form_.TypePitch(aPitch_->GetValue());
        const QSignalBlocker block(pitch_);
        pitch_->setCurrentIndex(form_.PitchIndex);
    });
    connect(temperament_, &QComboBox::activated, this,
            [this](int index) { form_.Temperament = index; });
    connect(interval_, &QComboBox::activated, this, [this](int index) { form_.Interval = index; });
    connect(direction_, &QButtonGroup::idClicked, this,
            [this](int id) { form_.TuneDirection = id; });
}

void TGlobTuning::showPitch() {
    const QSignalBlocker a(pitch_), b(aPitch_);
    pitch_->setCurrentIndex(form_.PitchIndex);
    aPitch_->SetValue(form_.APitch);
}

} // namespace vorn
