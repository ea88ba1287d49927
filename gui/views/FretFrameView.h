// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The fret graphic under the fret chart: a fingerboard with frets 1..11 to scale for the
// document's temperament and, when asked, marks where equal temperament puts them.

#include <QWidget>

#include <optional>

#include "frets/FretFrame.h"

namespace vorn {

class TFretFrameView : public QWidget {
    Q_OBJECT
public:
    static constexpr int GraphicHeight = 69;

    explicit TFretFrameView(QWidget* parent = nullptr);

    // Draw: the choices in use and the comma fraction, or the scale the document is fretted
    // by; repaints.
    void Draw(const FretChoices& choices, double commaFraction,
              const std::optional<FretScale>& fretScale = std::nullopt);
    void SetEqualMarks(bool shown);
    bool EqualMarks() const { return equal_; }
    // What the last paint placed (or the next one will).
    FretGraphicLayout Layout();

    QSize sizeHint() const override { return {400, GraphicHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TFretFrame frame_;
    FretChoices choices_ = DefaultMiFa;
    double fraction_ = 0.25;
    std::optional<FretScale> scale_;
    bool equal_ = false;
};

} // namespace vorn
