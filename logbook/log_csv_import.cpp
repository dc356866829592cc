#include "logbook/log_csv_import.h"

#include "core/taken_units.h"
#include "logbook/entry_kind.h"
#include "logbook/entry_time_input.h"
#include "logbook/log_csv.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringList>
#include <cmath>

namespace logbook {

namespace {

struct Record {
    QStringList fields;
    int row = 0;
};

// Splits RFC 4180 text into records; blank lines are skipped. Returns an empty text, or the
// reason the text is not CSV.
QString splitRecords(const QString &text, QList<Record> &records) {
    Record current;
    QString field;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the current field was quoted (only a separator may follow)
    bool anything = false;  // the current record has any character
    int row = 1;
    const auto endField = [&] {
        current.fields.append(field);
        field.clear();
        wasQuoted = false;
    };
    const auto endRecord = [&] {
        if (anything) {
            endField();
            current.row = row;
            records.append(current);
            ++row;
        }
        current = Record();
        field.clear();
        wasQuoted = false;
        anything = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != QLatin1Char('"')) {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else {
                quoted = false;
                wasQuoted = true;
            }
            continue;
        }
        if (c == QLatin1Char(',')) {
            anything = true;
            endField();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                   text[i + 1] == QLatin1Char('\n')) {
            // the line feed ends the record
        } else if (c == QLatin1Char('\n')) {
            endRecord();
        } else if (wasQuoted) {
            return QStringLiteral("row %1: there is text after a quoted field").arg(row);
        } else if (c == QLatin1Char('"')) {
            if (!field.isEmpty())
                return QStringLiteral("row %1: a quote inside a field that is not quoted").arg(row);
            quoted = true;
            anything = true;
        } else {
            field += c;
            anything = true;
        }
    }
    if (quoted)
        return QStringLiteral("row %1: a quoted field is not closed").arg(row);
    endRecord();
    return {};
}

std::optional<double> strictNumber(const QString &text) {
    bool ok = false;
    const double value = text.toDouble(&ok); // always the full stop, whatever the locale
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value == 0 ? 0.0 : value;
}

class RowReader {
public:
    RowReader(const QHash<QString, int> &columns, const Record &record)
        : columns_(columns), record_(record) {}

    QString cell(const QString &column) const {
        const auto found = columns_.constFind(column);
        return found == columns_.cend() ? QString() : record_.fields[*found];
    }
    QString text(const QString &column) const { return unguardedField(cell(column)); }
    QString problem(const QString &what) const {
        return QStringLiteral("row %1: %2").arg(record_.row).arg(what);
    }
    bool number(const QString &column, double &out, QString &error) const {
        const std::optional<double> value = strictNumber(cell(column));
        if (!value) {
            error = problem(QStringLiteral("%1 \"%2\" is not a number").arg(column, cell(column)));
            return false;
        }
        out = *value;
        return true;
    }

private:
    const QHash<QString, int> &columns_;
    const Record &record_;
};

QString readEntry(const RowReader &row, const QDateTime &now, LogEntry &entry) {
    const QString time = row.cell(QStringLiteral("time"));
    entry.takenAt = entryTimeFromText(time);
    if (!entry.takenAt.isValid())
        return row.problem(
            QStringLiteral("time \"%1\" is not an ISO 8601 date and time").arg(time));
    if (tooFarAhead(entry.takenAt, now))
        return row.problem(QStringLiteral("time %1 is more than a day ahead").arg(time));
    const QString kind = row.cell(QStringLiteral("kind"));
    if (kind.isNull()) {
        entry.kind = EntryKind::Rapid;
    } else if (const std::optional<EntryKind> known = kindFromName(kind)) {
        entry.kind = *known;
    } else {
        return row.problem(
            QStringLiteral("unknown kind \"%1\" (rapid, long or reading)").arg(kind));
    }
    QString error;
    if (!row.number(QStringLiteral("blood_sugar"), entry.bloodSugar, error) ||
        !row.number(QStringLiteral("carbohydrate"), entry.carbs, error))
        return error;
    const QString taken = row.cell(QStringLiteral("taken"));
    const norvalis::TakenUnits units = norvalis::ReadTakenUnits(taken.toStdString());
    if (!strictNumber(taken) || !units.units)
        return row.problem(QStringLiteral("taken \"%1\" %2")
                               .arg(taken, units.units ? QStringLiteral("is not a number")
                                                       : QString::fromStdString(units.problem)));
    entry.taken = *units.units;
    if (entry.kind == EntryKind::Reading && entry.taken != 0)
        return row.problem(
            QStringLiteral("a reading records no insulin, but taken is %1").arg(taken));
    entry.period = row.text(QStringLiteral("period"));
    entry.bloodSugarText = row.text(QStringLiteral("blood_sugar_text"));
    entry.carbText = row.text(QStringLiteral("carbohydrate_text"));
    entry.correctionDose = row.text(QStringLiteral("correction_dose"));
    entry.carbDose = row.text(QStringLiteral("carbohydrate_dose"));
    entry.weightingDose = row.text(QStringLiteral("weighting_dose"));
    entry.totalDose = row.text(QStringLiteral("total_dose"));
    entry.note = row.text(QStringLiteral("note"));
    return {};
}

CsvImport refused(const QString &error) {
    return {{}, error};
}

} // namespace

CsvImport entriesFromCsv(const QByteArray &bytes, const QDateTime &now) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return refused(QStringLiteral("the file is not UTF-8 text"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<Record> records;
    if (const QString error = splitRecords(text, records); !error.isEmpty())
        return refused(error);
    if (records.isEmpty())
        return refused(QStringLiteral("the file is empty; it has no header line"));

    QHash<QString, int> columns;
    const QStringList &header = records.front().fields;
    for (int i = 0; i < header.size(); ++i) {
        const QString name = header[i].trimmed();
        if (!csvColumns().contains(name))
            return refused(QStringLiteral("row 1: unknown column \"%1\"").arg(name));
        if (columns.contains(name))
            return refused(QStringLiteral("row 1: the column %1 is there twice").arg(name));
        columns.insert(name, i);
    }
    for (const QString &name : csvColumns()) {
        if (!columns.contains(name) && name != QLatin1String("kind"))
            return refused(QStringLiteral("row 1: the column %1 is missing").arg(name));
    }

    CsvImport result;
    result.entries.reserve(records.size() - 1);
    for (qsizetype r = 1; r < records.size(); ++r) {
        const Record &record = records[r];
        if (record.fields.size() != header.size())
            return refused(QStringLiteral("row %1 has %2 fields, the header %3")
                               .arg(record.row)
                               .arg(record.fields.size())
                               .arg(header.size()));
        LogEntry entry;
        if (const QString error = readEntry(RowReader(columns, record), now, entry);
            !error.isEmpty())
            return refused(error);
        result.entries.append(entry);
    }
    return result;
}

} // namespace logbook
