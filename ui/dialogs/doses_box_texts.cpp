#include "ui/dialogs/doses_box_texts.h"

#include "core/number_text.h"
#include "core/table_entry.h"

#include <algorithm>

namespace doses_boxes {

namespace {

using norvalis::NormalisedNumberText;
using norvalis::TextTable;

void showRows(const TextTable &table, std::array<std::string, kTableBoxes + 1> &boxes) {
    for (int r = 1; r <= kRows; ++r) {
        const std::string &entry = table[r];
        if (entry.empty()) {
            boxes[r].clear();
            boxes[r + kRows].clear();
            continue;
        }
        const norvalis::EntryParts parts = norvalis::SplitEntry(entry);
        const bool hasDose = entry.find(',') != std::string::npos;
        boxes[r] = NormalisedNumberText(parts.level);
        boxes[r + kRows] = hasDose ? NormalisedNumberText(parts.dose) : std::string();
    }
}

// A level's number ends at a comma anyway; cutting there first keeps a level that cannot be
// read as a number (kept as typed) from adding a comma that would split the entry wrongly.
std::string levelText(std::string_view box) {
    return NormalisedNumberText(box.substr(0, box.find(',')));
}

int storeRows(const std::array<std::string, kTableBoxes + 1> &boxes, TextTable &table) {
    for (int r = 1; r <= kRows; ++r) {
        if (isBlank(boxes[r]))
            return r - 1;
        const std::string &dose = boxes[r + kRows];
        table[r] = levelText(boxes[r]) + "," + (isBlank(dose) ? "0" : NormalisedNumberText(dose));
    }
    return kRows;
}

} // namespace

bool isBlank(std::string_view box) {
    return box.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

int carbBoxOfSlot(int slot, int carbSlot) {
    if (slot == carbSlot)
        return 1;
    return slot == 1 ? carbSlot : slot;
}

BoxTexts boxTextsFromTables(const norvalis::DoseSettings &settings) {
    BoxTexts boxes;
    showRows(settings.CorrectionTable, boxes.correction);
    showRows(settings.WeightingTable, boxes.weighting);
    for (int r = 1; r <= kRows; ++r) {
        const std::string &entry = settings.CarbDoseTable[r];
        boxes.carb[r] = entry.empty() ? std::string() : NormalisedNumberText(entry);
    }
    boxes.carbSlot = std::clamp(settings.Counts.CarbDoseCount, 1, kRows);
    return boxes;
}

void tablesFromBoxTexts(const BoxTexts &boxes, norvalis::DoseSettings &settings) {
    for (int i = 1; i <= kRows; ++i) {
        settings.CorrectionTable[i].clear();
        settings.CarbDoseTable[i].clear();
        settings.WeightingTable[i].clear();
    }
    settings.Counts.CorrectionCount = storeRows(boxes.correction, settings.CorrectionTable);
    settings.Counts.WeightingCount = storeRows(boxes.weighting, settings.WeightingTable);

    int carbCount = 0;
    if (!isBlank(boxes.carb[boxes.carbSlot])) {
        while (carbCount < kRows && !isBlank(boxes.carb[carbCount + 1])) {
            ++carbCount;
            settings.CarbDoseTable[carbCount] = NormalisedNumberText(boxes.carb[carbCount]);
        }
    }
    settings.Counts.CarbDoseCount = carbCount;
}

} // namespace doses_boxes
