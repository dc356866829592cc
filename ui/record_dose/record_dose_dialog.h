#pragma once

#include "ui/record_dose/dose_snapshot.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace logbook {
class LogStore;
}

// "Record Dose": shows the period, reading, carbohydrate and total, asks for the kind of entry,
// the dose taken (prefilled with the pen dose, or else the total) and a note, and stores them
// in the logbook on OK. A reading only takes no insulin; a long-acting dose stores neither the
// period nor the window's figures. Before a rapid dose it asks when the reading is below the
// low limit and when another rapid dose was recorded in the last 30 minutes (shown in the
// dialog too). Nothing in the main window changes.
class RecordDoseDialog : public QDialog {
    Q_OBJECT

public:
    RecordDoseDialog(const DoseSnapshot &snapshot, logbook::LogStore &store,
                     QWidget *parent = nullptr);

    QLineEdit *takenBox() const { return taken_; }
    QLineEdit *noteBox() const { return note_; }
    QComboBox *kindBox() const { return kind_; }
    QLabel *repeatLine() const { return repeat_; }

    void accept() override;

signals:
    void recorded();

private:
    bool confirmAboveMaximum(double taken);
    bool confirmRapidDose();
    bool ask(const char *objectName, const QString &text);
    void kindChanged();

    DoseSnapshot snapshot_;
    logbook::LogStore &store_;
    QComboBox *kind_ = nullptr;
    QLineEdit *taken_ = nullptr;
    QLineEdit *note_ = nullptr;
    QLabel *repeat_ = nullptr;
    QString prefill_;
};
