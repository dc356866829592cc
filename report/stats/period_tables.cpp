#include "report/stats/period_tables.h"

#include "core/dose_options.h"
#include "core/ini_document.h"
#include "core/insulin_options.h"
#include "core/settings_file.h"

#include <algorithm>

namespace report {

namespace {

std::vector<std::string> Used(const norvalis::TextTable &table, int count) {
    const int used = std::clamp(count, 0, norvalis::kTableSlots);
    return {table.begin() + 1, table.begin() + 1 + used};
}

} // namespace

FileTables ReadFileTables(const std::string &settingsPath, norvalis::FileResult &result) {
    FileTables out;
    norvalis::DoseSettings settings;
    result = norvalis::LoadSettings(settings, "periods", "", settingsPath);
    if (!result.ok) {
        return out;
    }
    norvalis::DropReservedPeriods(settings);
    const int periodCount = std::clamp(settings.Counts.PeriodCount, 0, norvalis::kTableSlots);
    const norvalis::TextTable names = settings.PeriodList;
    for (int i = 1; i <= periodCount; ++i) {
        const std::string &name = names[static_cast<std::size_t>(i)];
        result = norvalis::LoadSettings(settings, "dosages", name, settingsPath);
        if (!result.ok) {
            return out;
        }
        PeriodTables period{name, Used(settings.CorrectionTable, settings.Counts.CorrectionCount),
                            Used(settings.WeightingTable, settings.Counts.WeightingCount),
                            settings.Counts.CarbDoseCount > 0 ? settings.CarbDoseTable[1]
                                                              : std::string()};
        out.periods.push_back(std::move(period));
    }
    std::string bytes;
    result = norvalis::ReadWholeFile(settingsPath, bytes);
    const norvalis::IniDocument file(std::move(bytes));
    out.penStep = file.Value(norvalis::kOptionsSection, norvalis::kPenStepKey);
    out.maxDose = file.Value(norvalis::kOptionsSection, norvalis::kMaxDoseKey);
    out.lowBelow = file.Value(norvalis::kOptionsSection, norvalis::kLowBelowKey);
    return out;
}

std::vector<std::string> PeriodNames(const FileTables &tables) {
    std::vector<std::string> names;
    names.reserve(tables.periods.size());
    for (const PeriodTables &period : tables.periods) {
        names.push_back(period.period);
    }
    return names;
}

} // namespace report
