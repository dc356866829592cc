#include "full_tables.h"

namespace norvalis::benchmarks {

DoseSettings FullTables(int variant) {
    DoseSettings settings;
    for (int i = 1; i <= kTableSlots; ++i) {
        settings.CorrectionTable[i] =
            std::to_string(100 + 20 * i + variant) + "," + std::to_string(i) + ".5";
        settings.WeightingTable[i] =
            std::to_string(30 + 10 * i + variant) + ",0." + std::to_string(i);
        settings.CarbDoseTable[i] = std::to_string(8 + i + variant);
    }
    settings.Counts.CorrectionCount = kTableSlots;
    settings.Counts.WeightingCount = kTableSlots;
    settings.Counts.CarbDoseCount = kTableSlots;
    return settings;
}

std::string PeriodName(int index) {
    return "Period " + std::to_string(index);
}

std::string TwelvePeriodFile() {
    std::string file = "[Period]\r\n";
    for (int p = 1; p <= kPeriods; ++p) {
        file += "P_" + std::to_string(p) + "=" + PeriodName(p) + "\r\n";
    }
    const DoseSettings tables = FullTables();
    for (int p = 1; p <= kPeriods; ++p) {
        file += "\r\n[" + PeriodName(p) + "]\r\n";
        for (int i = 1; i <= kTableSlots; ++i) {
            file += "CD_" + std::to_string(i) + "=" + tables.CarbDoseTable[i] + "\r\n";
        }
        for (int i = 1; i <= kTableSlots; ++i) {
            file += "BS_" + std::to_string(i) + "=" + tables.CorrectionTable[i] + "\r\n";
        }
        for (int i = 1; i <= kTableSlots; ++i) {
            file += "CW_" + std::to_string(i) + "=" + tables.WeightingTable[i] + "\r\n";
        }
    }
    return file;
}

} // namespace norvalis::benchmarks
