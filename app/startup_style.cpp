#include "startup_style.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <optional>

namespace {

// Stands for a standard icon of the base style and asks it only when first drawn.
class DeferredStandardIcon : public QIconEngine {
public:
    DeferredStandardIcon(QStyle *base, QStyle::StandardPixmap which) : base_(base), which_(which) {}

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
    bool isNull() override { return real().isNull(); }
    QIconEngine *clone() const override {
        auto *copy = new DeferredStandardIcon(base_, which_);
        copy->icon_ = icon_;
        return copy;
    }

private:
    const QIcon &real() {
        if (!icon_)
            icon_ = base_ ? base_->standardIcon(which_) : QIcon();
        return *icon_;
    }

    QPointer<QStyle> base_;
    QStyle::StandardPixmap which_;
    std::optional<QIcon> icon_;
};

} // namespace

StartupStyle::StartupStyle(const QString &key) : QProxyStyle(key) {}

QIcon StartupStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                 const QWidget *widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredStandardIcon(baseStyle(), icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}
