#include "platform/deferred_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <optional>
#include <utility>

namespace platform {

namespace {

class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(std::function<QIcon()> make, bool knownNotNull)
        : make_(std::move(make)), knownNotNull_(knownNotNull) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
               QIcon::State state) override {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return real().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return real().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return real().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return real().availableSizes(mode, state);
    }
    bool isNull() override { return !knownNotNull_ && real().isNull(); }
    QIconEngine *clone() const override {
        auto *copy = new DeferredIconEngine(make_, knownNotNull_);
        copy->icon_ = icon_;
        return copy;
    }

private:
    const QIcon &real() {
        if (!icon_)
            icon_ = make_();
        return *icon_;
    }

    std::function<QIcon()> make_;
    bool knownNotNull_;
    std::optional<QIcon> icon_;
};

} // namespace

QIcon deferredIcon(std::function<QIcon()> make, bool knownNotNull) {
    return QIcon(new DeferredIconEngine(std::move(make), knownNotNull));
}

} // namespace platform
