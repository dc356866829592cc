#pragma once

#include "logbook/log_range.h"

#include <QWidget>

class LogChart;
class LogTableModel;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace logbook {
class LogStore;
}

// "Norvalis Log": the recorded doses, newest first, for a chosen date range, with a chart, and
// commands to delete an entry and to export what is shown to CSV.
class LogWindow : public QWidget {
    Q_OBJECT

public:
    LogWindow(logbook::LogStore &store, QWidget *parent = nullptr);

    // Reads the entries of the chosen range again (after a new record, for one).
    void reload();
    // Writes the shown entries to a file; reports a failure in a message box.
    bool exportTo(const QString &path);

    QComboBox *rangeBox() const { return range_; }
    QTableView *table() const { return table_; }
    LogTableModel *model() const { return model_; }
    LogChart *chart() const { return chart_; }

signals:
    void entryDeleted();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void deleteSelected();
    void exportShown();
    void updateButtons();

    logbook::LogStore &store_;
    QComboBox *range_ = nullptr;
    QTableView *table_ = nullptr;
    LogTableModel *model_ = nullptr;
    LogChart *chart_ = nullptr;
    QLabel *status_ = nullptr;
    QPushButton *delete_ = nullptr;
    QPushButton *export_ = nullptr;
};
