// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/CachedPanelStyle.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include <array>
#include <cmath>

namespace vorn {

namespace {

// Styles that draw a panel from the option alone. Others may animate a frame from the widget
// (a focus glow fading in), which a copy would freeze; they draw every time.
bool drawsFromOption(const QStyle* style) {
    const QString name = style->name().toLower();
    return name == QLatin1String("fusion") || name == QLatin1String("windows");
}

// A copy drawn at whole pixels lands on the same pixels only under a whole-pixel shift.
bool wholePixelShift(const QPainter* painter) {
    const QTransform& t = painter->worldTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy()) && painter->opacity() == 1.0 &&
           painter->compositionMode() == QPainter::CompositionMode_SourceOver;
}

// Everything the base style's drawing of a panel depends on. The colours, not the palette's
// identity: rows get new palettes of the same colours as they become current and stop being
// it, which would fill the cache with copies of one look.
struct PanelLook {
    int Element = 0;
    uint State = 0;
    int Width = 0;
    int Height = 0;
    qreal Ratio = 1;
    int Shape = 0;
    int Direction = 0;
    int Group = 0;
    std::array<QRgb, QPalette::NColorRoles> Colours{};
    bool operator==(const PanelLook&) const = default;
};

size_t qHash(const PanelLook& look, size_t seed = 0) {
    const size_t h = qHashMulti(seed, look.Element, look.State, look.Width, look.Height, look.Ratio,
                                look.Shape, look.Direction, look.Group);
    return qHashRange(look.Colours.begin(), look.Colours.end(), h);
}

PanelLook lookOf(QStyle::PrimitiveElement element, const QStyleOptionFrame& option, qreal ratio) {
    PanelLook look;
    look.Element = int(element);
    look.State = uint(option.state);
    look.Width = option.rect.width();
    look.Height = option.rect.height();
    look.Ratio = ratio;
    look.Shape = option.lineWidth | option.midLineWidth << 8 | int(option.features) << 16 |
                 int(option.frameShape) << 20;
    look.Direction = int(option.direction);
    const QPalette::ColorGroup group = option.palette.currentColorGroup();
    look.Group = int(group);
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        look.Colours[role] = option.palette.color(group, QPalette::ColorRole(role)).rgba();
    return look;
}

// Images, not pixmaps: they may outlive the application object.
QHash<PanelLook, QImage>& keptLooks() {
    static QHash<PanelLook, QImage> kept;
    return kept;
}

} // namespace

TCachedPanelStyle::TCachedPanelStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

TCachedPanelStyle* TCachedPanelStyle::Shared() {
    static QPointer<TCachedPanelStyle> shared;
    if (!shared) {
        shared = new TCachedPanelStyle;
        shared->setParent(qApp);
    }
    return shared;
}

void TCachedPanelStyle::Use(QWidget* widget) {
    widget->setStyle(Shared());
}

void TCachedPanelStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                      QPainter* painter, const QWidget* widget) const {
    // Only entry-cell panels are copied. A line edit inside a list or spin box has its panel
    // drawn by its owner, which the base style tells from the widget.
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const bool inner = widget && (qobject_cast<const QComboBox*>(widget->parentWidget()) ||
                                  qobject_cast<const QAbstractSpinBox*>(widget->parentWidget()));
    if (element != PE_PanelLineEdit || !frame || frame->rect.isEmpty() || inner ||
        !drawsFromOption(baseStyle()) || !painter->device() || !wholePixelShift(painter)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatioF();
    const PanelLook look = lookOf(element, *frame, ratio);
    QHash<PanelLook, QImage>& kept = keptLooks();
    auto found = kept.constFind(look);
    if (found == kept.cend()) {
        // Plenty for the looks a window has; a long run of others starts afresh.
        if (kept.size() >= 256)
            kept.clear();
        QImage copy(frame->rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        copy.setDevicePixelRatio(ratio);
        copy.fill(Qt::transparent);
        QPainter on(&copy);
        // The base style draws into the copy as it would onto the widget.
        QStyleOptionFrame moved(*frame);
        moved.rect.moveTo(0, 0);
        baseStyle()->drawPrimitive(element, &moved, &on, widget);
        on.end();
        found = kept.insert(look, copy);
    }
    painter->drawImage(frame->rect.topLeft(), *found);
}

} // namespace vorn
