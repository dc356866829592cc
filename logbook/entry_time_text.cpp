#include "logbook/entry_time_text.h"

#include <cstdlib>

namespace logbook {

namespace {
QString offsetText(int seconds) {
    const int minutes = std::abs(seconds) / 60;
    return QStringLiteral("UTC%1%2:%3")
        .arg(seconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

QString zoneSuffix(const QDateTime &at, const QDateTime &now, ZoneShown shown) {
    if (!at.isValid()) // a stored time that could not be read: nothing to qualify
        return {};
    const int offset = at.toLocalTime().offsetFromUtc();
    if (shown == ZoneShown::WhereItDiffers && offset == now.toLocalTime().offsetFromUtc())
        return {};
    return QLatin1Char(' ') + offsetText(offset);
}

QString entryTimeText(const QDateTime &at, const QDateTime &now, ZoneShown shown) {
    return at.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) +
           zoneSuffix(at, now, shown);
}

} // namespace logbook
