#pragma once

#include "ui/dialogs/doses_box_texts.h"

#include <array>

class QComboBox;
class QDialog;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace platform {
class TabStrip;
}

// The widgets the dialog's handlers work on, built from the layout table.
struct DosesWidgets {
    QComboBox *mealtime = nullptr;
    platform::TabStrip *tbsOptions = nullptr;
    std::array<QGroupBox *, 3> frameDosages{};
    std::array<QLineEdit *, doses_boxes::kTableBoxes + 1> inputBs{}; // 1..24
    std::array<QLineEdit *, doses_boxes::kTableBoxes + 1> inputCw{}; // 1..24
    std::array<QLineEdit *, doses_boxes::kRows + 1> inputCd{};       // 1..12
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
};

// Creates every widget of the layout table on the dialog, named as the table names them
// (an indexed widget is "Name_index" and carries its index in the property "index"), and
// chains the focus order by the table's tab indexes.
void buildDosesWidgets(QDialog *dialog, DosesWidgets &widgets);
