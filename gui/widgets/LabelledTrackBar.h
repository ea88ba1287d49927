// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A vertical slider with text labels beside chosen positions: the temperament slider of the
// fret chart. The minimum sits at the top.

#include <QSlider>
#include <QWidget>

#include <utility>
#include <vector>

namespace vorn {

class TTrackSlider;

class TLabelledTrackBar : public QWidget {
    Q_OBJECT
public:
    explicit TLabelledTrackBar(QWidget* parent = nullptr);

    // Integer positions min..max; labels are drawn beside their positions.
    void SetRange(int minimum, int maximum);
    void SetLabels(std::vector<std::pair<int, QString>> labels);
    int Position() const;
    // Moves the handle without telling anyone.
    void SetPosition(int position);
    QSlider* Slider() const;
    // Vertical centre of a position's label, in this widget's coordinates.
    int LabelCentre(int position) const;

    QSize sizeHint() const override;

signals:
    // The user moved the handle (mouse, wheel or keys).
    void positionChanged(int position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TTrackSlider* slider_;
    std::vector<std::pair<int, QString>> labels_;
};

} // namespace vorn
