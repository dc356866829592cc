#include "ui/log_window/log_table_model.h"

#include "core/number_text.h"
#include "logbook/entry_kind.h"
#include "logbook/entry_time_text.h"

#include <QFont>

namespace {
QString number(double value) {
    return QString::fromStdString(norvalis::NumberText(value));
}
} // namespace

void LogTableModel::setEntries(QList<logbook::LogEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    now_ = QDateTime::currentDateTime();
    endResetModel();
}

int LogTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int LogTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LogTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    const logbook::LogEntry &entry = entries_[index.row()];
    if (role == Qt::TextAlignmentRole) {
        const bool figure = index.column() != Period && index.column() != Note &&
                            index.column() != Time && index.column() != Kind;
        return QVariant::fromValue(Qt::AlignVCenter | (figure ? Qt::AlignRight : Qt::AlignLeft));
    }
    const bool future = logbook::isInFuture(entry.takenAt, now_);
    if (role == Qt::FontRole && index.column() == Time && future) {
        QFont marked;
        marked.setItalic(true);
        return marked;
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Time:
        if (role == Qt::ToolTipRole) {
            // The tip keeps the time as recorded, with the offset of that moment.
            const QString recorded =
                QStringLiteral("Recorded as ") + logbook::offsetTimeText(entry.takenAt);
            return future ? recorded + QStringLiteral("\nThis is later than now: the computer's "
                                                      "clock was wrong then or is wrong now.")
                          : recorded;
        }
        return logbook::entryTimeText(entry.takenAt, now_) +
               (future ? QStringLiteral(" (in the future)") : QString());
    case Kind:
        return logbook::kindCaption(entry.kind);
    case Period:
        return entry.period;
    case BloodSugar:
        return entry.bloodSugarText;
    case Carbohydrate:
        return entry.carbText;
    case Correction:
        return entry.correctionDose;
    case CarbDose:
        return entry.carbDose;
    case Weighting:
        return entry.weightingDose;
    case Total:
        return entry.totalDose;
    case Taken:
        // A reading records no insulin: no "0" that could be read as a dose of nothing.
        return entry.kind == logbook::EntryKind::Reading ? QString() : number(entry.taken);
    case Note:
        return entry.note;
    default:
        return {};
    }
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const kTitles[ColumnCount] = {
        "Time",      "Kind",      "Period", "Blood sugar", "Carbohydrate", "Correction",
        "Carb dose", "Weighting", "Total",  "Taken",       "Note"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kTitles[section])
                                                 : QVariant();
}
