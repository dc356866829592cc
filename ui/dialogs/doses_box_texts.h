#pragma once

#include "core/dose_settings.h"

#include <array>
#include <optional>
#include <string>

// What the boxes of the "Configure Dosages" dialog show for a period's tables, and the tables
// the boxes stand for. Kept apart from the widgets so the rules live in one plain unit.
namespace doses_boxes {

inline constexpr int kRows = norvalis::kTableSlots;
inline constexpr int kTableBoxes = 2 * kRows; // box r: level of row r; box r + 12: its dose

// Indexed like the box groups: slot 0 unused, INPUT_BS(1..24), INPUT_CW(1..24), INPUT_CD(1..12).
struct BoxTexts {
    std::array<std::string, kTableBoxes + 1> correction;
    std::array<std::string, kTableBoxes + 1> weighting;
    std::array<std::string, kRows + 1> carb;
};

// Every box, from slots 1..12 of the three tables whatever their counts, numbers normalised.
// An entry without a comma shows its number as the level and leaves the dose box empty.
BoxTexts boxTextsFromTables(const norvalis::DoseSettings &settings);

// Rebuilds the three tables and their counts from the boxes: a table ends at its first empty
// level box, an empty dose box stores 0. Returns the caption for the main window's Lab_cw1
// when weighting row 1 is stored. The period list is left alone.
std::optional<std::string> tablesFromBoxTexts(const BoxTexts &boxes,
                                              norvalis::DoseSettings &settings);

} // namespace doses_boxes
