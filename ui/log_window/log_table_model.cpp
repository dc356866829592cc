#include "ui/log_window/log_table_model.h"

#include "core/number_text.h"

namespace {
QString number(double value) {
    return QString::fromStdString(norvalis::NumberText(value));
}

QString kindCaption(logbook::EntryKind kind) {
    switch (kind) {
    case logbook::EntryKind::Rapid:
        return QStringLiteral("Rapid");
    case logbook::EntryKind::Long:
        return QStringLiteral("Long-acting");
    case logbook::EntryKind::Reading:
        return QStringLiteral("Reading only");
    }
    return {};
}
} // namespace

void LogTableModel::setEntries(QList<logbook::LogEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
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
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Time:
        // Shown in the offset it was recorded with: the clock the person looked at.
        return role == Qt::ToolTipRole ? logbook::offsetTimeText(entry.takenAt)
                                       : entry.takenAt.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case Kind:
        return kindCaption(entry.kind);
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
