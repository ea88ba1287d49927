// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/OneStringPanelView.h"

#include <QComboBox>
#include <QEvent>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

#include "chart/StrFrame.h"
#include "strings/CatalogueLookup.h"
#include "strings/StringRecord.h"
#include "strings/StringWarnings.h"
#include "widgets/CachedPanelStyle.h"
#include "widgets/LocalNumbers.h"
#include "widgets/NotePanel.h"
#include "widgets/NoteSpinEdit.h"
#include "widgets/PendingTyping.h"
#include "widgets/StdText.h"
#include "widgets/TypedNumber.h"
#include "widgets/VornFloatEdit.h"

namespace vorn {

namespace {

const QString AltDiameterHint =
    QStringLiteral("Diameter of alternative string material or overwound string cataloque number");
const QString NoFittingStringHint =
    QStringLiteral("*: no string in this catalogue suits this note, length and tension. "
                   "Choose another catalogue or material, or change the tension.");

constexpr int MaxLengthChars = 6;
constexpr int MaxTensionChars = 5;
constexpr int MaxGutChars = 6;

// Programmatic text must not be cut by the typing limit, and an unchanged text must not move
// the cursor of a cell being edited. What the cell shows for the document is remembered, so
// that Ctrl+Z can tell the user's typing from it.
void showText(QLineEdit* edit, const QString& text, int typingLimit = 0) {
    RememberShownText(edit, text);
    if (typingLimit > 0) {
        const int limit = std::max<int>(typingLimit, static_cast<int>(text.size()));
        if (auto* spin = qobject_cast<TFloatSpinBase*>(edit))
            spin->SetMaxLength(limit);
        else if (edit->maxLength() != limit)
            edit->setMaxLength(limit);
    }
    if (edit->text() == text)
        return;
    edit->setText(text);
    if (!edit->hasFocus())
        edit->setCursorPosition(0);
}

void showItems(QComboBox* box, const QStringList& items, int index) {
    const QSignalBlocker blocker(box);
    bool same = box->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i)
        same = box->itemText(i) == items[i];
    if (!same) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentIndex(index < box->count() ? index : -1);
}

// Setting the size policy builds the drop-down there and then, which was most of the cost of a
// row. The cells are placed by hand and nothing asks them for a size while the chart is built,
// so the policy is set when a size is first asked for.
class TCellComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    QSize sizeHint() const override {
        applySizePolicy();
        return QComboBox::sizeHint();
    }
    QSize minimumSizeHint() const override {
        applySizePolicy();
        return QComboBox::minimumSizeHint();
    }

private:
    void applySizePolicy() const {
        if (sizeAdjustPolicy() != AdjustToMinimumContentsLengthWithIcon)
            const_cast<TCellComboBox*>(this)->setSizeAdjustPolicy(
                AdjustToMinimumContentsLengthWithIcon);
    }
};

// An out-of-limit value, or one close to breaking, keeps its red or amber text on either
// background; any other cell takes the row's colours.
void showWarning(QWidget* cell, const QColor* colour) {
    const QColor now = cell->palette().color(QPalette::Active, QPalette::Text);
    const TRowColours& rows = RowColours();
    const bool warned = now == rows.LimitText || now == rows.NearBreakText;
    if (colour ? now == *colour : !warned)
        return;
    QPalette p; // roles left unset come from the row
    if (colour)
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            for (QPalette::ColorRole role :
                 {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
                p.setColor(group, role, *colour);
    cell->setPalette(p);
}

// The limit's red comes first; a value within limits may still warn of breaking.
const QColor* warningColour(bool red, BreakWarning breaking) {
    if (red || breaking == bw_close)
        return &RowColours().LimitText;
    return breaking == bw_near ? &RowColours().NearBreakText : nullptr;
}

} // namespace

TOneStringPanelView::TOneStringPanelView(TStrFrame& chart, TRowResources& resources,
                                         int courseIndex, int which, QWidget* parent)
    : QWidget(parent), chart_(chart), resources_(resources), course_(courseIndex), which_(which),
      play_(new QToolButton(this)), type_(new TCellComboBox(this)), note_(new TNoteSpinEdit(this)),
      length_(new TChartFloatEdit(this)), tension_(new TChartTensionEdit(this)),
      gut_(new TChartFloatEdit(this)), alt_(new TCellComboBox(this)),
      altDiameter_(new TVornFloatEdit(this)) {
    for (QWidget* cell : {static_cast<QWidget*>(note_), static_cast<QWidget*>(length_),
                          static_cast<QWidget*>(tension_), static_cast<QWidget*>(gut_),
                          static_cast<QWidget*>(altDiameter_)})
        TCachedPanelStyle::Use(cell);
    setupPlayButton();
    describeCells();
    if (which_ == 1)
        setupOctaveString();
    else
        connectFirstString();
    connectEdits();

    setFixedHeight(ChartLayout::StringHeight);
}

void TOneStringPanelView::setupPlayButton() {
    play_->setCheckable(true);
    play_->setAutoRaise(true);
    // Reached with Tab and pressed with Space, as a click would.
    play_->setFocusPolicy(Qt::TabFocus);
    play_->setIcon(resources_.PlayIcon());
    play_->setIconSize(QSize(12, 12));
    play_->setToolTip(QStringLiteral("Play this note"));
    play_->setAccessibleName(QStringLiteral("Play this note"));
    // Below 100 the first string of that course, from 100 its octave string.
    play_->setProperty("tag", which_ == 1 ? 100 + course_ : course_);
    connect(play_, &QToolButton::clicked, this, [this](bool down) {
        if (!live())
            return;
        if (down && resources_.Play)
            resources_.Play(model().WholeHertz(), model().Rec.Note, play_);
        else if (!down && resources_.Stop)
            resources_.Stop();
    });
}

void TOneStringPanelView::describeCells() {
    type_->setToolTip(QStringLiteral(
        "Set up the course as chanterelle, single, unison pair or bass/octave pair."));
    type_->setAccessibleName(QStringLiteral("Course type"));
    note_->setToolTip(QStringLiteral("The note and frequecny this course is tuned to"));
    length_->setToolTip(QStringLiteral("Vibrating string length for this course"));
    length_->setAccessibleName(QStringLiteral("Length"));
    tension_->setToolTip(QStringLiteral("String tension in Newtons"));
    gut_->setToolTip(QStringLiteral("Diameter of a gut or gut-equivalent string"));
    gut_->installEventFilter(this);
    tension_->installEventFilter(this);
    altDiameter_->installEventFilter(this);
    gut_->setAccessibleName(QStringLiteral("Gut diameter"));
    alt_->setToolTip(QStringLiteral("Alternative string material or overwound string brand"));
    alt_->setAccessibleName(QStringLiteral("Alternative material"));
    altDiameter_->setToolTip(AltDiameterHint);

    length_->SetMaxLength(MaxLengthChars);
    tension_->SetMaxLength(MaxTensionChars);
    tension_->SetIncrement(TensionStep);
    gut_->SetMaxLength(MaxGutChars);
    gut_->SetIncrement(DiameterStep);
    gut_->setText(QStringLiteral("0"));
    alt_->setMaxVisibleItems(16);
}

// The octave string's kind, note and length follow the first string's, so it takes no edits.
void TOneStringPanelView::setupOctaveString() {
    type_->addItem(QStringLiteral("Octave"));
    type_->setEnabled(false);
    note_->SetButtonVisible(false);
    length_->SetReadOnly(true);
    length_->SetButtonVisible(false);
}

void TOneStringPanelView::connectFirstString() {
    connect(type_, &QComboBox::activated, this, [this](int position) {
        if (live())
            course().SelectType(position);
    });
    connect(note_, &TNoteSpinEdit::stepUp, this, [this] {
        if (live())
            course().StepNote(true);
    });
    connect(note_, &TNoteSpinEdit::stepDown, this, [this] {
        if (live())
            course().StepNote(false);
    });
    connect(length_, &QLineEdit::editingFinished, this, [this] { commitLength(); });
    // The control steps its own text; the model then takes it like a typed length.
    length_->OnStep = [this](int direction) {
        if (direction > 0)
            length_->SpinUp();
        else
            length_->SpinDown();
        commitLength();
    };
}

void TOneStringPanelView::connectEdits() {
    connect(note_->NotePanel(), &TNotePanel::clicked, this,
            [this] { note_->setFocus(Qt::MouseFocusReason); });

    connect(tension_, &QLineEdit::editingFinished, this, [this] { commitTension(); });
    tension_->OnStep = [this](int direction) {
        commitTension();
        if (live())
            course().SpinTension(which_, direction > 0);
    };
    connect(gut_, &QLineEdit::editingFinished, this, [this] { commitGut(); });
    gut_->OnStep = [this](int direction) {
        commitGut();
        if (live())
            course().SpinGutDiameter(which_, direction > 0);
    };
    connect(alt_, &QComboBox::activated, this, [this](int index) {
        if (live())
            course().SelectAlternative(which_, index);
    });
    connect(altDiameter_, &TVornFloatEdit::stepUp, this, [this] {
        commitAltDiameter();
        if (live())
            course().SpinAltDiameter(which_, true);
    });
    connect(altDiameter_, &TVornFloatEdit::stepDown, this, [this] {
        commitAltDiameter();
        if (live())
            course().SpinAltDiameter(which_, false);
    });
    // A catalogue label is not typed into: whatever the user types, the label comes back.
    connect(altDiameter_, &QLineEdit::textEdited, this, [this] {
        if (live() && altDiameter_->LabelMode())
            course().RestoreAltLabel(which_);
    });
    connect(altDiameter_, &QLineEdit::editingFinished, this, [this] { commitAltDiameter(); });
}

TOneCrsPanel& TOneStringPanelView::course() const {
    return chart_.Course(course_);
}

bool TOneStringPanelView::live() const {
    return !detached_ && course_ < chart_.CourseCount() &&
           (which_ == 0 || chart_.Course(course_).HasSecond());
}

void TOneStringPanelView::Detach() {
    detached_ = true;
    for (int slot = 0; slot < cs_count; ++slot)
        Cell(slot)->blockSignals(true);
    length_->OnStep = nullptr;
    tension_->OnStep = nullptr;
    gut_->OnStep = nullptr;
}

const TOneStringPanel& TOneStringPanelView::model() const {
    const TOneCrsPanel& c = course();
    return which_ == 1 && c.Second ? *c.Second : c.First;
}

QString TOneStringPanelView::shown(const std::string& modelText) const {
    // The model writes '.'; the cells read and write the user's separator.
    return LocalNumbers(QString::fromStdString(modelText));
}

QWidget* TOneStringPanelView::Cell(int slot) const {
    switch (slot) {
    case cs_type:
        return type_;
    case cs_note:
        return note_;
    case cs_length:
        return length_;
    case cs_tension:
        return tension_;
    case cs_gut:
        return gut_;
    case cs_alt_choice:
        return alt_;
    case cs_alt_diameter:
        return altDiameter_;
    default:
        return nullptr;
    }
}

void TOneStringPanelView::Refresh() {
    if (!live())
        return;
    const TOneCrsPanel& c = course();
    const TOneStringPanel& s = model();
    const TStringMaterialCollection& materials = chart_.Settings.Materials;

    if (which_ == 0)
        showItems(type_, QStrings(c.TypeItems()), c.TypeSelection());
    note_->SetNote(s.Rec.Note);
    showText(note_, shown(s.FrequencyText()));
    showText(length_, shown(s.LengthText()), which_ == 0 ? MaxLengthChars : 0);
    if (tension_->TensionType() != chart_.Settings.TensionUnit)
        tension_->SetTensionType(chart_.Settings.TensionUnit);
    showText(tension_, shown(s.TensionText(chart_.Settings)), MaxTensionChars);
    showText(gut_, shown(s.GutDiameterText()), MaxGutChars);
    showItems(alt_, QStrings(s.AltItems), s.AltIndex);
    altDiameter_->SetLabelMode(s.AltIsLabel(materials));
    const std::string altText = s.AltText(materials);
    showText(altDiameter_, shown(altText));
    // The bare mark explains itself nowhere else.
    const QString& altHint = altText == CatalogueSentinel ? NoFittingStringHint : AltDiameterHint;
    if (altDiameter_->toolTip() != altHint)
        altDiameter_->setToolTip(altHint);
    paintCells();
}

bool TOneStringPanelView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !live())
        return QWidget::eventFilter(watched, event);
    // A red or amber cell says why under its own hint.
    const auto withWhy = [this](const QString& hint, const std::string& why) {
        return why.empty() ? hint : hint + QLatin1Char('\n') + shown(why);
    };
    const StringRecord& row = model().Rec;
    if (watched == gut_)
        gut_->setToolTip(withWhy(QStringLiteral("Diameter of a gut or gut-equivalent string"),
                                 GutDiameterWarning(row, chart_.Settings)) +
                         QLatin1Char('\n') +
                         shown(model().GutDiameterHint(chart_.Settings.Materials)));
    else if (watched == tension_)
        tension_->setToolTip(withWhy(QStringLiteral("String tension in Newtons"),
                                     TensionWarning(row, chart_.Settings)));
    else if (watched == altDiameter_)
        altDiameter_->setToolTip(withWhy(
            model().AltText(chart_.Settings.Materials) == CatalogueSentinel ? NoFittingStringHint
                                                                            : AltDiameterHint,
            AltDiameterWarning(row, chart_.Settings)));
    return QWidget::eventFilter(watched, event);
}

void TOneStringPanelView::paintCells() {
    // The background and the other text come from the row.
    const TOneStringPanel& s = model();
    const TStringMaterialCollection& materials = chart_.Settings.Materials;
    showWarning(tension_, warningColour(s.TensionRed(), bw_none));
    const TOneStringPanel::BreakWarnings breaking = s.Warnings(materials);
    showWarning(gut_, warningColour(s.GutDiameterRed(), breaking.Gut));
    showWarning(altDiameter_, warningColour(s.AltDiameterRed(), breaking.Alt));
    // The current course's notes stand out in reverse: white on the row's dark text colour,
    // as the pale row background would swallow white.
    TNotePanel* panel = note_->NotePanel();
    const bool current = course().IsCurrent();
    if (panel->Inverted() != current) {
        QPalette p; // unset roles follow the row
        if (current)
            p.setColor(panel->backgroundRole(), RowColours().CurrentText);
        panel->setPalette(p);
        panel->SetInverted(current);
    }
}

// Empty or unreadable text reaches the model as "no value", which applies its entry rule.
void TOneStringPanelView::commitLength() {
    if (!live() || which_ != 0 || length_->text() == shown(model().LengthText()))
        return;
    course().EditLength(ReadTypedNumber(length_->text()));
}

void TOneStringPanelView::commitTension() {
    if (!live() || tension_->text() == shown(model().TensionText(chart_.Settings)))
        return;
    course().EditTension(which_, ReadTypedNumber(tension_->text()));
}

void TOneStringPanelView::commitGut() {
    if (!live() || gut_->text() == shown(model().GutDiameterText()))
        return;
    course().EditGutDiameter(which_, ReadTypedNumber(gut_->text()));
}

void TOneStringPanelView::commitAltDiameter() {
    if (!live())
        return;
    const TOneStringPanel& s = model();
    const TStringMaterialCollection& materials = chart_.Settings.Materials;
    if (s.AltIsLabel(materials)) {
        if (altDiameter_->text() != shown(s.AltText(materials)))
            course().RestoreAltLabel(which_);
        return;
    }
    if (altDiameter_->text() == shown(s.AltText(materials)))
        return;
    course().EditAltDiameter(which_, ReadTypedNumber(altDiameter_->text()));
}

void TOneStringPanelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

void TOneStringPanelView::place() {
    using namespace ChartLayout;
    // The panel starts after the number cell; cells sit at their header sections.
    const int h = StringHeight - 1;
    play_->setGeometry(0, 0, PlayWidth, h);
    for (int slot = 0; slot < cs_count; ++slot) {
        const int left = SectionLeft(slot + 1) - NumberWidth;
        int width = std::max(0, this->width() - left);
        if (slot < cs_alt_diameter)
            width = std::min(CellWidths[slot], SectionWidths[slot + 1] - 1);
        Cell(slot)->setGeometry(left, 0, width, h);
    }
}

} // namespace vorn
