// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Single-line number entry with a spin button: a filtered keyboard, a clamped value, stepping
// by an increment and a normalised text. TFloatEdit is the plain kind; TTensionEdit and
// TVornFloatEdit build on the same base.

#include <QLineEdit>

namespace vorn {

class TSpinButton;

// The text is the value: textChanged() is the change event owners hang their handlers on.
// Numbers are written with the decimal separator of the default QLocale and read with '.' or
// ',' as the separator.
class TFloatSpinBase : public QLineEdit {
    Q_OBJECT
public:
    // Step of the spin button and the Up/Down keys.
    double Increment() const { return increment_; }
    void SetIncrement(double step) { increment_ = step; }
    // Clamp range; no clamping while both are equal. MinValue is also the value of unreadable
    // text. Both default to 0.
    double MinValue() const { return minValue_; }
    void SetMinValue(double value) { minValue_ = value; }
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double value) { maxValue_ = value; }
    // When false a negative value is stored as 0 (not in TVornFloatEdit). Default true.
    bool AllowNegative() const { return allowNegative_; }
    void SetAllowNegative(bool allow) { allowNegative_ = allow; }
    // When false only the spin button and the Up/Down keys change the value. Default true.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool enabled);
    // No change at all; a spin then only beeps. Default false.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // Most characters the text may hold; 0 means no limit (the default).
    int MaxLength() const { return maxChars_; }
    void SetMaxLength(int chars);
    // The spin button can be hidden (a read-only cell); the text then takes its room.
    bool ButtonVisible() const;
    void SetButtonVisible(bool visible);

    // The text as a number; MinValue when it is not a finite number.
    double GetValue() const;
    // Clamps x and writes it in shortest form with the locale's separator.
    void SetValue(double x);
    // The value SetValue would store for x.
    double Clamp(double x) const;
    // GetValue() +/- Increment; with ReadOnly only a beep.
    void SpinUp();
    void SpinDown();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    TFloatSpinBase(double increment, const QString& initialText, QWidget* parent);

    // Variations of the derived controls.
    virtual bool ClampsNegative() const { return true; }
    virtual bool NormalisesOnFocusOut() const { return true; }
    virtual bool NormalisesOnEnter() const { return true; }
    virtual bool AcceptsAnyCharacter() const { return false; }
    // What the spin button and the Up/Down keys do; +1 up, -1 down.
    virtual void Step(int direction);
    // Width kept free between the text and the spin button, and its placement.
    virtual int TrailingWidth() const { return 0; }
    virtual void PlaceTrailing(const QRect&) {}

    // Refused input: the system beep, and inputRejected() for anyone listening.
    void Refuse();
    void Relayout();

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool acceptsCharacter(QChar c) const;
    void syncEditable();

    TSpinButton* button_;
    double increment_;
    double minValue_ = 0;
    double maxValue_ = 0;
    bool allowNegative_ = true;
    bool editorEnabled_ = true;
    bool readOnly_ = false;
    int maxChars_ = 0;
};

} // namespace vorn
