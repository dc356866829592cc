#include "ui/main_window/input_hints.h"

#include "ui/number_input/typed_number.h"

namespace mainwindow {

namespace {
QString readingIf(QStringView text, number_input::Misreading kind) {
    return number_input::misreadingOf(text) == kind ? number_input::readingOf(text) : QString();
}
} // namespace

QString commaReading(QStringView text) {
    return readingIf(text, number_input::Misreading::DecimalComma);
}

QString foreignDigitsReading(QStringView text) {
    return readingIf(text, number_input::Misreading::ForeignDigits);
}

QString misreadingHint(const QStringList &texts) {
    QStringList commas;
    QStringList foreign;
    for (const QString &text : texts) {
        commas << commaReading(text);
        foreign << foreignDigitsReading(text);
    }
    commas.removeAll(QString());
    foreign.removeAll(QString());
    QStringList notes;
    if (!commas.isEmpty())
        notes << commaHint(commas);
    if (!foreign.isEmpty())
        notes << QStringLiteral("Read as %1 \u2014 type the digits 0 to 9")
                     .arg(foreign.join(QStringLiteral(" and ")));
    return notes.join(QStringLiteral("; "));
}

QString commaHint(const QStringList &readings) {
    if (readings.isEmpty())
        return QString();
    return QStringLiteral("Read as %1 \u2014 use a full stop for decimals")
        .arg(readings.join(QStringLiteral(" and ")));
}

QString noPeriodsHint(const QString &settingsFilePath) {
    return QStringLiteral("No periods are listed in %1. Add them with Configuation \u25b8 Periods.")
        .arg(settingsFilePath);
}

} // namespace mainwindow
