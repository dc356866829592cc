#pragma once

#include "logbook/log_entry.h"

#include <QAbstractTableModel>
#include <QList>

// The log window's table: one row per entry, in the order given (newest first). Times read in
// local time; an entry dated after the moment the entries were set is marked.
class LogTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Time,
        Kind,
        Period,
        BloodSugar,
        Carbohydrate,
        Correction,
        CarbDose,
        Weighting,
        Total,
        Taken,
        Note,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setEntries(QList<logbook::LogEntry> entries);
    const QList<logbook::LogEntry> &entries() const { return entries_; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<logbook::LogEntry> entries_;
    QDateTime now_;
};
