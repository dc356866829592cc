#include "commands.h"
#include "core/settings_file.h"
#include "json_text.h"

#include <ostream>

namespace norvalis::cli {

namespace {

std::vector<std::string> Slots(const TextTable &table, int count) {
    return std::vector<std::string>(table.begin() + 1, table.begin() + 1 + count);
}

void PrintTable(std::ostream &out, std::string_view title, std::string_view keyPrefix,
                const std::vector<std::string> &entries) {
    out << title << ":\n";
    if (entries.empty()) {
        out << "  (none)\n";
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        out << "  " << keyPrefix << i + 1 << "=" << entries[i] << "\n";
    }
}

} // namespace

int RunTables(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
              std::ostream &err) {
    DoseSettings settings;
    if (!LoadOrReport(settings, "dosages", commandLine.period, settingsPath, err)) {
        return kExitFindings;
    }
    const TableCounts &counts = settings.Counts;
    const auto carbDose = Slots(settings.CarbDoseTable, counts.CarbDoseCount);
    const auto correction = Slots(settings.CorrectionTable, counts.CorrectionCount);
    const auto weighting = Slots(settings.WeightingTable, counts.WeightingCount);
    if (commandLine.json) {
        out << "{\"period\":" << JsonString(commandLine.period)
            << ",\"carb_dose\":" << JsonStringArray(carbDose)
            << ",\"correction\":" << JsonStringArray(correction)
            << ",\"weighting\":" << JsonStringArray(weighting) << "}\n";
        return kExitSuccess;
    }
    out << "Period: " << commandLine.period << "\n";
    PrintTable(out, "Carbohydrate dose (grams per unit)", "CD_", carbDose);
    PrintTable(out, "Blood sugar correction (level,dose)", "BS_", correction);
    PrintTable(out, "Carbohydrate weighting (level,dose)", "CW_", weighting);
    return kExitSuccess;
}

} // namespace norvalis::cli
