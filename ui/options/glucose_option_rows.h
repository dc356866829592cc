#pragma once

#include "core/ini_document.h"

#include <QString>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QWidget;

// The rows of the Options dialog for the report: the units readings are in and the target
// range. An empty target box means the default of the units.
class GlucoseOptionRows {
public:
    GlucoseOptionRows(QFormLayout *form, QWidget *parent);

    QComboBox *unitsBox() const { return units_; }
    QLineEdit *targetLowBox() const { return low_; }
    QLineEdit *targetHighBox() const { return high_; }

    void fill(const norvalis::IniDocument &file);
    // Why the rows cannot be stored, with the focus put on the box to correct; empty when
    // they can.
    QString refusal();
    // Puts the rows' values into file; the error of a value the file cannot hold, else empty.
    QString store(norvalis::IniDocument &file) const;

private:
    QComboBox *units_ = nullptr;
    QLineEdit *low_ = nullptr;
    QLineEdit *high_ = nullptr;
};
