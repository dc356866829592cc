#include "logbook/entry_time_input.h"

#include <QRegularExpression>

namespace logbook {

QDateTime entryTimeFromText(const QString &text) {
    // Qt also reads a bare date, a week date and blanks around; the logbook wants a moment.
    static const QRegularExpression shape(QStringLiteral(
        R"(^\d{4}-\d{2}-\d{2}T\d{2}:\d{2}(:\d{2}(\.\d{1,3})?)?(Z|[+-]\d{2}:\d{2})?$)"));
    if (!shape.match(text).hasMatch())
        return {};
    return QDateTime::fromString(text, Qt::ISODateWithMs);
}

bool tooFarAhead(const QDateTime &at, const QDateTime &now) {
    return at > now.addDays(1);
}

} // namespace logbook
