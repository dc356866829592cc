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

// A text that itself starts with the apostrophe of a guarded formula gets one more, so that
// the import can take exactly one off wherever the export put one on.
bool needsGuard(QStringView text) {
    while (text.startsWith(QLatin1Char('\'')))
        text = text.mid(1);
    return readAsFormula(text.toString());
}
} // namespace

QString unguardedField(const QString &cell) {
    if (cell.startsWith(QLatin1Char('\'')) && needsGuard(QStringView(cell).mid(1)))
        return cell.mid(1);
    return cell;
}

QString csvField(const QString &plain) {
    const QString text = needsGuard(plain) ? QLatin1Char('\'') + plain : plain;
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quote)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

const QStringList &csvColumns() {
    static const QStringList columns = {
        QStringLiteral("time"),
        QStringLiteral("period"),
        QStringLiteral("blood_sugar_text"),
        QStringLiteral("blood_sugar"),
        QStringLiteral("carbohydrate_text"),
        QStringLiteral("carbohydrate"),
        QStringLiteral("correction_dose"),
        QStringLiteral("carbohydrate_dose"),
        QStringLiteral("weighting_dose"),
        QStringLiteral("total_dose"),
        QStringLiteral("taken"),
        QStringLiteral("note"),
        QStringLiteral("kind"),
    };
    return columns;
}

QByteArray entriesToCsv(const QList<LogEntry> &entries) {
    QString csv = csvColumns().join(QLatin1Char(',')) + QStringLiteral("\r\n");
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
