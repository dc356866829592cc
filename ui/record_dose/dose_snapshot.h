#pragma once

#include <QString>
#include <optional>

// What the main window shows at the moment a dose is recorded.
struct DoseSnapshot {
    QString period;
    QString bloodSugarText;
    QString carbText;
    QString correctionDose;
    QString carbDose;
    QString weightingDose;
    QString totalDose;
    std::optional<double> total;    // nullopt when the window shows no total
    std::optional<double> penDose;  // when a pen step is set
    std::optional<double> maxDose;  // when a maximum is set
    std::optional<double> lowBelow; // when a low limit is set
};
