// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/SvgIcon.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>
#include <utility>

namespace vorn {

namespace {

class TSvgIconEngine : public QIconEngine {
public:
    explicit TSvgIconEngine(QString path)
        : path_(std::move(path)), present_(QFile::exists(path_)) {}
    TSvgIconEngine(const TSvgIconEngine& other)
        : QIconEngine(other), path_(other.path_), present_(other.present_) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        QSize size = rect.size();
        if (painter->device())
            size *= painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(size, mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QPixmap drawn = pixmap(size, mode, state);
        return drawn.isNull() ? QSize() : drawn.size();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const quint64 key = (quint64(quint32(size.width())) << 34) |
                            (quint64(quint32(size.height())) << 4) | quint64(mode);
        if (const auto found = drawn_.constFind(key); found != drawn_.cend())
            return *found;
        QPixmap result = render(size, mode);
        if (!result.isNull())
            drawn_.insert(key, result);
        return result;
    }

    QIconEngine* clone() const override { return new TSvgIconEngine(*this); }
    // Answered without parsing: the file is there; a damaged one draws nothing.
    bool isNull() override { return !present_; }

private:
    // As Qt's SVG icon engine draws a picture given for the normal mode only: scaled into the
    // size keeping its proportions, and the style's look for the other modes.
    QPixmap render(const QSize& size, QIcon::Mode mode) {
        if (!renderer_)
            renderer_ = std::make_unique<QSvgRenderer>(path_);
        if (!renderer_->isValid())
            return {};
        QSize fitted = renderer_->defaultSize();
        if (!fitted.isNull())
            fitted.scale(size, Qt::KeepAspectRatio);
        if (fitted.isEmpty())
            return {};
        QImage image(fitted, QImage::Format_ARGB32_Premultiplied);
        image.fill(0x00000000);
        {
            QPainter painter(&image);
            renderer_->render(&painter);
        }
        QPixmap result = QPixmap::fromImage(image);
        if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QStyleOption option(0);
            option.palette = QGuiApplication::palette();
            const QPixmap styled =
                QApplication::style()->generatedIconPixmap(mode, result, &option);
            if (!styled.isNull())
                result = styled;
        }
        return result;
    }

    QString path_;
    bool present_;
    std::unique_ptr<QSvgRenderer> renderer_;
    QHash<quint64, QPixmap> drawn_;
};

} // namespace

QIcon SvgIcon(const QString& path) {
    return QIcon(new TSvgIconEngine(path));
}

} // namespace vorn
