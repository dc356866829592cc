#include "ui/main_window/dose_figure_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

namespace mainwindow {

namespace {
// The dynamic property that marks a dose figure and holds the label that captions it.
constexpr const char *kCaptionProperty = "doseFigureCaption";

class DoseFigureAccessible : public QAccessibleWidget {
public:
    DoseFigureAccessible(QLabel *figure, QLabel *caption)
        : QAccessibleWidget(figure, QAccessible::StaticText), caption_(caption) {}

    QString text(QAccessible::Text t) const override {
        const QString value = static_cast<const QLabel *>(widget())->text();
        const QString caption = caption_ ? fullCaption(caption_) : QString();
        switch (t) {
        case QAccessible::Name:
            return spokenDoseFigure(caption, value);
        case QAccessible::Value:
            return value;
        case QAccessible::Description: {
            // A warning about the figure (the dose ceiling) is said in place of the caption.
            const QString own = widget()->accessibleDescription();
            return own.isEmpty() ? caption : own;
        }
        default:
            return QAccessibleWidget::text(t);
        }
    }

private:
    QPointer<QLabel> caption_;
};

QAccessibleInterface *doseFigureFactory(const QString &, QObject *object) {
    auto *figure = qobject_cast<QLabel *>(object);
    if (!figure)
        return nullptr;
    auto *caption = qobject_cast<QLabel *>(figure->property(kCaptionProperty).value<QObject *>());
    return caption ? new DoseFigureAccessible(figure, caption) : nullptr;
}
} // namespace

QString spokenDoseFigure(const QString &caption, const QString &value) {
    return caption + QStringLiteral(", ") + (value.isEmpty() ? QStringLiteral("blank") : value);
}

QString fullCaption(const QLabel *caption) {
    // A caption cut to fit keeps its whole text as its accessible name.
    return caption->accessibleName().isEmpty() ? caption->text() : caption->accessibleName();
}

void makeDoseFigure(QLabel *figure, QLabel *caption) {
    static const bool installed = [] {
        QAccessible::installFactory(doseFigureFactory);
        return true;
    }();
    Q_UNUSED(installed);
    figure->setProperty(kCaptionProperty, QVariant::fromValue<QObject *>(caption));
    // An interface made for the label before it was marked would stay in use.
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(figure))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    // Announced by setDoseFigure with the spoken text, not by the label under its own name.
    figure->setAccessibleName(QString());
    caption->setBuddy(figure);
}

void setDoseFigure(QLabel *figure, const QString &value) {
    if (figure->text() == value)
        return;
    figure->setText(value);
    QAccessibleValueChangeEvent valueChanged(figure, value);
    QAccessible::updateAccessibility(&valueChanged);
}

} // namespace mainwindow
