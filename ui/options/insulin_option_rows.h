#pragma once

#include <QString>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QWidget;

namespace norvalis {
class IniDocument;
}

// The rows of the Options dialog for active insulin and the low warning: the curve, its hours
// (empty for 6) and the low limit (empty turns it off).
class InsulinOptionRows {
public:
    InsulinOptionRows(QFormLayout *form, QWidget *parent);

    QComboBox *curveBox() const { return curve_; }
    QLineEdit *hoursBox() const { return hours_; }
    QLineEdit *lowBelowBox() const { return lowBelow_; }

    // Shows the file's values; a curve the program does not know shows as the rapid curve it
    // uses instead.
    void fill(const norvalis::IniDocument &file);

    // Sets the keys in the file from the boxes. On a refusal returns why, changes nothing and
    // puts the focus in the box; an edit the file cannot take goes to editError.
    QString store(norvalis::IniDocument &file, QString &editError);

private:
    QComboBox *curve_ = nullptr;
    QLineEdit *hours_ = nullptr;
    QLineEdit *lowBelow_ = nullptr;
};
