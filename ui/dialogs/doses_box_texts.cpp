#include "ui/dialogs/doses_box_texts.h"

#include "core/dose_calculation.h"
#include "core/number_text.h"
#include "core/table_entry.h"

#include <string_view>

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
        if (boxes[r].empty())
            return r - 1;
        table[r] = levelText(boxes[r]) + "," + NormalisedNumberText(boxes[r + kRows]);
    }
    return kRows;
}

} // namespace

BoxTexts boxTextsFromTables(const norvalis::DoseSettings &settings) {
    BoxTexts boxes;
    showRows(settings.CorrectionTable, boxes.correction);
    showRows(settings.WeightingTable, boxes.weighting);
    for (int r = 1; r <= kRows; ++r) {
        const std::string &entry = settings.CarbDoseTable[r];
        boxes.carb[r] = entry.empty() ? std::string() : NormalisedNumberText(entry);
    }
    return boxes;
}

std::optional<std::string> tablesFromBoxTexts(const BoxTexts &boxes,
                                              norvalis::DoseSettings &settings) {
    for (int i = 1; i <= kRows; ++i) {
        settings.CorrectionTable[i].clear();
        settings.CarbDoseTable[i].clear();
        settings.WeightingTable[i].clear();
    }
    settings.Counts.CorrectionCount = storeRows(boxes.correction, settings.CorrectionTable);

    std::optional<std::string> caption;
    if (!boxes.weighting[1].empty())
        caption = norvalis::WeightingCaption(boxes.weighting[1]);
    settings.Counts.WeightingCount = storeRows(boxes.weighting, settings.WeightingTable);

    int carbCount = kRows;
    for (int r = 1; r <= kRows; ++r) {
        if (boxes.carb[r].empty()) {
            carbCount = r - 1;
            break;
        }
        settings.CarbDoseTable[r] = NormalisedNumberText(boxes.carb[r]);
    }
    settings.Counts.CarbDoseCount = carbCount;
    return caption;
}

} // namespace doses_boxes
