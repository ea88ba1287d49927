#include "widgets/TensionEdit.h"

#include <QLabel>

namespace vorn {

TTensionEdit::TTensionEdit(QWidget* parent)
    : TFloatSpinBase(0.01, QStringLiteral("0"), parent), m_unitLabel(new QLabel(this)) {
    setAccessibleName(QStringLiteral("Tension"));
    m_unitLabel->setAlignment(Qt::AlignCenter);
    // The label sits on the edit's base colour and follows its text colour (selected rows).
    m_unitLabel->setForegroundRole(QPalette::Text);
    m_unitLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    SetTensionType(tt_newtons);
}

void TTensionEdit::SetTensionType(VornTensType unit) {
    m_unit = unit;
    m_unitLabel->setText(QString::fromStdString(TensionUnitSuffix(unit)));
    setAccessibleDescription(QStringLiteral("Unit: ") + m_unitLabel->text());
    Relayout();
}

QString TTensionEdit::UnitText() const {
    return m_unitLabel->text();
}

int TTensionEdit::TrailingWidth() const {
    return m_unitLabel->fontMetrics().horizontalAdvance(m_unitLabel->text()) + 6;
}

void TTensionEdit::PlaceTrailing(const QRect& area) {
    m_unitLabel->setGeometry(area);
}

} // namespace vorn
