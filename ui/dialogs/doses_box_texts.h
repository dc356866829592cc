#pragma once

#include "core/dose_settings.h"

#include <array>
#include <string>
#include <string_view>

// What the boxes of the "Configure Dosages" dialog show for a period's tables, and the tables
// the boxes stand for. Kept apart from the widgets so the rules live in one plain unit.
namespace doses_boxes {

inline constexpr int kRows = norvalis::kTableSlots;
inline constexpr int kTableBoxes = 2 * kRows; // box r: level of row r; box r + 12: its dose

// Indexed like the table slots: slot 0 unused; correction and weighting 1..24 as their boxes.
// carb[i] is carbohydrate entry i; carbSlot is the entry the one visible box edits: the
// calculation uses the last entry, so that is the one the person must see.
struct BoxTexts {
    std::array<std::string, kTableBoxes + 1> correction;
    std::array<std::string, kTableBoxes + 1> weighting;
    std::array<std::string, kRows + 1> carb;
    int carbSlot = 1;

    bool operator==(const BoxTexts &) const = default;
};

// A box that holds only blanks is as empty as one that holds nothing.
bool isBlank(std::string_view box);

// The carbohydrate box (INPUT_CD index) that shows entry slot: the visible box 1 trades
// places with the box of the entry it edits, every other entry keeps its own hidden box.
int carbBoxOfSlot(int slot, int carbSlot);

// Every box, from slots 1..12 of the three tables whatever their counts, numbers normalised.
// An entry without a comma shows its number as the level and leaves the dose box empty.
BoxTexts boxTextsFromTables(const norvalis::DoseSettings &settings);

// Rebuilds the three tables and their counts from the boxes: a table ends at its first empty
// level box, an empty dose box stores 0 (the dialog refuses one before it gets here). An empty
// grams-per-unit box stores no carbohydrate entry at all, so the doses agree with what the box
// shows. The period list is left alone.
void tablesFromBoxTexts(const BoxTexts &boxes, norvalis::DoseSettings &settings);

} // namespace doses_boxes
