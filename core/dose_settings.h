#pragma once

#include <array>
#include <string>

namespace norvalis {

// Slots 1..12 hold entries; slot 0 exists so that indexes match the settings file keys.
inline constexpr int kTableSlots = 12;
using TextTable = std::array<std::string, kTableSlots + 1>;

struct TableCounts {
    int PeriodCount = 0;
    int CarbDoseCount = 0;
    int CorrectionCount = 0;
    int WeightingCount = 0;
};

// The period list and the three dose tables of one period at a time. Correction and
// weighting entries are "level,dose" texts; carbohydrate entries are one number text.
struct DoseSettings {
    TextTable CorrectionTable;
    TextTable CarbDoseTable;
    TextTable WeightingTable;
    TextTable PeriodList;
    TableCounts Counts;
};

// The one instance every window of the program shares. Tests build their own DoseSettings
// and pass it explicitly instead.
DoseSettings &SharedDoseSettings();

} // namespace norvalis
