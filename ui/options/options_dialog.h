#pragma once

#include "ui/options/insulin_option_rows.h"

#include <QDialog>
#include <memory>
#include <optional>

class GlucoseOptionRows;
class QLineEdit;

// "Options": the pen's dose step and the person's own maximum dose, and the rows for active
// insulin and the low limit, kept in the section [Options] of Norvalis.ini. An empty box turns the
// setting off. OK saves the file in one atomic step that keeps every other line; a refusal or a
// failed save leaves the dialog open.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    explicit OptionsDialog(QWidget *parent = nullptr);
    ~OptionsDialog() override;

    QLineEdit *penStepBox() const { return penStep_; }
    QLineEdit *maxDoseBox() const { return maxDose_; }
    GlucoseOptionRows &glucoseRows() const { return *glucose_; }
    const InsulinOptionRows &insulinRows() const { return *insulin_; }

    void accept() override;

private:
    void fillFromFile();

    QLineEdit *penStep_ = nullptr;
    QLineEdit *maxDose_ = nullptr;
    std::unique_ptr<GlucoseOptionRows> glucose_;
    std::optional<InsulinOptionRows> insulin_;
};
