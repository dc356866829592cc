#pragma once

#include "ui/record_dose/dose_snapshot.h"

#include <QDialog>

class QLineEdit;

namespace logbook {
class LogStore;
}

// "Record Dose": shows the period, reading, carbohydrate and total, asks for the dose taken
// (prefilled with the pen dose, or else the total) and a note, and stores them in the logbook
// on OK. Nothing in the main window changes.
class RecordDoseDialog : public QDialog {
    Q_OBJECT

public:
    RecordDoseDialog(const DoseSnapshot &snapshot, logbook::LogStore &store,
                     QWidget *parent = nullptr);

    QLineEdit *takenBox() const { return taken_; }
    QLineEdit *noteBox() const { return note_; }

    void accept() override;

signals:
    void recorded();

private:
    bool confirmAboveMaximum(double taken);

    DoseSnapshot snapshot_;
    logbook::LogStore &store_;
    QLineEdit *taken_ = nullptr;
    QLineEdit *note_ = nullptr;
};
