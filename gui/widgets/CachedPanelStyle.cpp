// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/CachedPanelStyle.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include <cmath>

namespace vorn {

namespace {

// Styles that draw a panel from the option alone. Others may animate a frame from the widget
// (a focus glow fading in), which a copy would freeze; they draw every time.
bool drawsFromOption(const QStyle* style) {
    const QString name = style->name().toLower();
    return name == QLatin1String("fusion") || name == QLatin1String("windows");
}

bool cachedElement(QStyle::PrimitiveElement element) {
    return element == QStyle::PE_PanelLineEdit || element == QStyle::PE_PanelButtonCommand;
}

// A copy drawn at whole pixels lands on the same pixels only under a whole-pixel shift.
bool wholePixelShift(const QPainter* painter) {
    const QTransform& t = painter->worldTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy()) && painter->opacity() == 1.0 &&
           painter->compositionMode() == QPainter::CompositionMode_SourceOver;
}

QString cacheKey(QStyle::PrimitiveElement element, const QStyleOption& option, qreal ratio) {
    int shape = 0;
    if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option))
        shape = frame->lineWidth | frame->midLineWidth << 8 | int(frame->features) << 16 |
                int(frame->frameShape) << 20;
    else if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&option))
        shape = int(button->features);
    return QStringLiteral("vorn-panel-%1-%2-%3x%4-%5-%6-%7-%8")
        .arg(int(element))
        .arg(uint(option.state))
        .arg(option.rect.width())
        .arg(option.rect.height())
        .arg(option.palette.cacheKey())
        .arg(shape)
        .arg(int(option.direction))
        .arg(ratio);
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
    // A line edit inside a list or spin box has its panel drawn by its owner, which the
    // base style tells from the widget.
    const bool inner = widget && (qobject_cast<const QComboBox*>(widget->parentWidget()) ||
                                  qobject_cast<const QAbstractSpinBox*>(widget->parentWidget()));
    if (!cachedElement(element) || !option || option->rect.isEmpty() || inner ||
        !drawsFromOption(baseStyle()) || !painter->device() || !wholePixelShift(painter)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatioF();
    const QString key = cacheKey(element, *option, ratio);
    QPixmap copy;
    if (!QPixmapCache::find(key, &copy)) {
        copy = QPixmap(option->rect.size() * ratio);
        copy.setDevicePixelRatio(ratio);
        copy.fill(Qt::transparent);
        QPainter on(&copy);
        // The base style draws into the copy as it would onto the widget.
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
            QStyleOptionFrame moved(*frame);
            moved.rect.moveTo(0, 0);
            baseStyle()->drawPrimitive(element, &moved, &on, widget);
        } else if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
            QStyleOptionButton moved(*button);
            moved.rect.moveTo(0, 0);
            baseStyle()->drawPrimitive(element, &moved, &on, widget);
        } else {
            QStyleOption moved(*option);
            moved.rect.moveTo(0, 0);
            baseStyle()->drawPrimitive(element, &moved, &on, widget);
        }
        on.end();
        QPixmapCache::insert(key, copy);
    }
    painter->drawPixmap(option->rect.topLeft(), copy);
}

} // namespace vorn
