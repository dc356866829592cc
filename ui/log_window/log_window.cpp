#include "ui/log_window/log_window.h"

#include "core/file_access.h"
#include "logbook/log_csv.h"
#include "logbook/log_store.h"
#include "platform/app_info.h"
#include "platform/message_box.h"
#include "ui/log_window/log_chart.h"
#include "ui/log_window/log_table_model.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

LogWindow::LogWindow(logbook::LogStore &store, QWidget *parent)
    : QWidget(parent, Qt::Window), store_(store) {
    setObjectName(QStringLiteral("frmLog"));
    setWindowTitle(QStringLiteral("Norvalis Log"));
    resize(820, 620);

    range_ = new QComboBox(this);
    range_->setObjectName(QStringLiteral("range"));
    for (const logbook::LogRangeChoice &choice : logbook::logRangeChoices())
        range_->addItem(choice.caption, int(choice.range));
    range_->setCurrentIndex(range_->findData(int(logbook::LogRange::Last30Days)));
    range_->setAccessibleName(QStringLiteral("Date range"));
    auto *rangeLabel = new QLabel(QStringLiteral("&Show:"), this);
    rangeLabel->setBuddy(range_);

    model_ = new LogTableModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("entries"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false); // Tab moves on to the buttons
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    // Column widths from the first rows only: measuring ten thousand would make opening slow.
    table_->horizontalHeader()->setResizeContentsPrecision(100);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->setAccessibleName(QStringLiteral("Recorded doses, newest first"));

    chart_ = new LogChart(this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    // Read by its own text ("12 entries"); what it is goes in the description.
    status_->setAccessibleDescription(QStringLiteral("Entries shown"));

    delete_ = new QPushButton(QStringLiteral("&Delete…"), this);
    delete_->setObjectName(QStringLiteral("delete"));
    delete_->setAccessibleName(QStringLiteral("Delete the selected entry"));
    export_ = new QPushButton(QStringLiteral("&Export CSV…"), this);
    export_->setObjectName(QStringLiteral("export"));
    export_->setAccessibleName(QStringLiteral("Export the shown entries to CSV"));
    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setAccessibleName(QStringLiteral("Close"));

    auto *top = new QHBoxLayout;
    top->addWidget(rangeLabel);
    top->addWidget(range_);
    top->addStretch();
    top->addWidget(status_);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(table_);
    split->addWidget(chart_);
    split->setChildrenCollapsible(false);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(delete_);
    buttons->addWidget(export_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    setTabOrder(range_, table_);
    setTabOrder(table_, delete_);
    setTabOrder(delete_, export_);
    setTabOrder(export_, close);

    connect(range_, &QComboBox::currentIndexChanged, this, &LogWindow::reload);
    connect(delete_, &QPushButton::clicked, this, &LogWindow::deleteSelected);
    connect(export_, &QPushButton::clicked, this, &LogWindow::exportShown);
    connect(close, &QPushButton::clicked, this, &LogWindow::close);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LogWindow::updateButtons);
    reload();
    table_->setFocus();
}

void LogWindow::reload() {
    const auto range = logbook::LogRange(range_->currentData().toInt());
    QList<logbook::LogEntry> entries;
    const logbook::LogResult read =
        store_.entries(entries, logbook::rangeStart(range, QDateTime::currentDateTime()));
    model_->setEntries(entries);
    chart_->setEntries(model_->entries());
    if (!read.ok) {
        status_->setText(QStringLiteral("The logbook could not be read"));
        platform::messageBox(this,
                             QStringLiteral("The logbook could not be read.\n\n") + read.error);
    } else {
        status_->setText(entries.size() == 1 ? QStringLiteral("1 entry")
                                             : QStringLiteral("%1 entries").arg(entries.size()));
    }
    if (model_->rowCount() > 0)
        table_->selectRow(0);
    table_->resizeColumnsToContents();
    updateButtons();
}

void LogWindow::updateButtons() {
    delete_->setEnabled(table_->selectionModel()->hasSelection());
    export_->setEnabled(model_->rowCount() > 0);
}

void LogWindow::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    // Nothing else in the window uses Delete: it always means the selected entry.
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        deleteSelected();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LogWindow::deleteSelected() {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const int row = rows.front().row();
    const logbook::LogEntry entry = model_->entries().at(row);
    const QString what =
        entry.kind == logbook::EntryKind::Reading
            ? QStringLiteral("a reading of %1").arg(entry.bloodSugarText)
            : QStringLiteral("%1 units taken")
                  .arg(model_->data(model_->index(row, LogTableModel::Taken)).toString());
    QMessageBox ask(
        QMessageBox::Question, platform::applicationTitle(),
        QStringLiteral("Delete the entry of %1 (%2)?\n\nThis cannot be undone.")
            .arg(model_->data(model_->index(row, LogTableModel::Time)).toString(),
                 entry.period.isEmpty() ? what : entry.period + QStringLiteral(", ") + what),
        QMessageBox::Yes | QMessageBox::No, this);
    ask.setObjectName(QStringLiteral("confirmDelete"));
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes)
        return;
    const logbook::LogResult removed = store_.remove(entry.id);
    if (!removed.ok)
        platform::messageBox(this,
                             QStringLiteral("The entry was not deleted.\n\n") + removed.error);
    reload();
    table_->selectRow(std::min(row, model_->rowCount() - 1));
    emit entryDeleted();
}

void LogWindow::exportShown() {
    QFileDialog dialog(this, QStringLiteral("Export Log"),
                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                       QStringLiteral("CSV files (*.csv)"));
    dialog.setObjectName(QStringLiteral("exportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(QStringLiteral("Norvalis-log.csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    exportTo(dialog.selectedFiles().constFirst());
}

bool LogWindow::exportTo(const QString &path) {
    const QByteArray csv = logbook::entriesToCsv(model_->entries());
    // Health data: the export is as private as the logbook from its first byte on, also when
    // it replaces a file others could read.
    norvalis::ReplaceOptions options;
    options.ownerOnly = true;
    const norvalis::FileResult written = norvalis::ReplaceFileAtomically(
        QFile::encodeName(path).toStdString(), csv.toStdString(), options);
    if (!written.ok) {
        platform::messageBox(this, QStringLiteral("The log was not exported.\n\nFile: %1\n"
                                                  "Reason: %2")
                                       .arg(path, QString::fromStdString(written.error)));
        return false;
    }
    return true;
}
