#pragma once

#include "dose_settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace norvalis {

inline constexpr const char *kWeightingCaptionDesign = "Weighting if over ? grams";

// The texts of the main window's result labels after one calculation.
struct DoseLabels {
    std::string Lab_cw2;         // weighting dose
    std::string Lab_bs2;         // correction dose
    std::string Lab_cd1;         // "Dose for carbohydrate @ 1 unit per N grams."
    std::string Lab_cd2;         // carbohydrate dose
    std::string Lab_cd3;         // "1 Unit Insulin per N grms Carbohydrate"
    std::string Lab_tot2;        // total dose
    std::string Lab_cw1;         // weighting caption; the design text when the table is empty
    std::optional<double> total; // nullopt when the total cannot be computed soundly
};

// Works out the correction, weighting, carbohydrate and total doses for a blood sugar text
// and a carbohydrate text from the tables settings holds. Never fails: a dose that cannot be
// computed soundly (unreadable number, a negative carbohydrate amount, no, zero or negative
// grams per unit for a non-zero amount, a quotient that is not finite) shows empty text, and
// so does the total then.
DoseLabels CalculateDoses(const DoseSettings &settings, std::string_view bloodSugarText,
                          std::string_view carbText);

// Rounds to two decimal places, a value exactly halfway going to the even hundredth.
double RoundToHundredths(double value);

// The caption of Lab_cw1 for a first weighting level text ("Weighting if over 60 grams").
std::string WeightingCaption(std::string_view firstLevelText);

} // namespace norvalis
