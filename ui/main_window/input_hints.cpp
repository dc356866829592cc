#include "ui/main_window/input_hints.h"

#include "core/leading_number.h"
#include "core/number_text.h"

namespace mainwindow {

namespace {
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

QString commaReading(QStringView text) {
    // Runs on every keystroke: a plain scan, no pattern to compile. Blanks before the number
    // and a sign are skipped as the reading of the number skips them.
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        // The reading skips blanks inside a number too ("1 2,5" is read as 12).
        if (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))
            continue;
        if (isDigit(text[i]))
            digits = true;
        else if (text[i] == QLatin1Char('.') && !point)
            point = true;
        else
            break;
    }
    if (!digits || i >= text.size() || text[i] != QLatin1Char(','))
        return QString();
    return QString::fromStdString(
        norvalis::NumberText(norvalis::LeadingNumber(text.toString().toStdString())));
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
