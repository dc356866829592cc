#include "logbook/log_csv.h"

#include "core/number_text.h"
#include "logbook/entry_kind.h"

#include <QStringList>

namespace logbook {

namespace {
QString number(double value) {
    return QString::fromStdString(norvalis::NumberText(value));
}

// A spreadsheet takes a cell that starts with one of these for a formula, and a formula can
// fetch or run things. A number such as "-2" stays a number there and is left alone.
bool readAsFormula(const QString &text) {
    if (text.isEmpty() || !QStringLiteral("=+-@\t\r").contains(text.front()))
        return false;
    bool number = false;
    text.toDouble(&number);
    return !number;
}
} // namespace

QString csvField(const QString &plain) {
    const QString text = readAsFormula(plain) ? QLatin1Char('\'') + plain : plain;
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quote)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QByteArray entriesToCsv(const QList<LogEntry> &entries) {
    const QString header =
        QStringLiteral("time,period,blood_sugar_text,blood_sugar,carbohydrate_text,carbohydrate,"
                       "correction_dose,carbohydrate_dose,weighting_dose,total_dose,taken,note,"
                       "kind");
    QString csv = header + QStringLiteral("\r\n");
    for (const LogEntry &entry : entries) {
        const QStringList fields = {
            offsetTimeText(entry.takenAt),
            entry.period,
            entry.bloodSugarText,
            number(entry.bloodSugar),
            entry.carbText,
            number(entry.carbs),
            entry.correctionDose,
            entry.carbDose,
            entry.weightingDose,
            entry.totalDose,
            number(entry.taken),
            entry.note,
            kindName(entry.kind),
        };
        QStringList line;
        for (const QString &field : fields)
            line.append(csvField(field));
        csv += line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return csv.toUtf8();
}

} // namespace logbook
