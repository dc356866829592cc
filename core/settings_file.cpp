#include "settings_file.h"

#include "ini_document.h"

#include <string>

namespace norvalis {

namespace {

constexpr std::string_view kPeriodSection = "Period";
constexpr std::string_view kPeriodKey = "P_";
constexpr std::string_view kCarbDoseKey = "CD_";
constexpr std::string_view kCorrectionKey = "BS_";
constexpr std::string_view kWeightingKey = "CW_";

std::string SlotKey(std::string_view prefix, int index) {
    return std::string(prefix) + std::to_string(index);
}

// A table in the file is the run of keys 1, 2, 3 ... up to the first missing or empty one.
int ReadTable(const IniDocument &document, std::string_view section, std::string_view prefix,
              TextTable &table) {
    for (int i = 1; i <= kTableSlots; ++i) {
        table[i] = document.Value(section, SlotKey(prefix, i));
        if (table[i].empty()) {
            return i - 1;
        }
    }
    return kTableSlots;
}

// Writes slots 1..count and removes the keys above, so that rows the user deleted do not
// come back with the next load.
bool WriteTable(IniDocument &document, std::string_view section, std::string_view prefix,
                const TextTable &table, int count) {
    for (int i = 1; i <= count; ++i) {
        if (!document.SetValue(section, SlotKey(prefix, i), table[i])) {
            return false;
        }
    }
    for (int i = count + 1; i <= kTableSlots; ++i) {
        document.RemoveKey(section, SlotKey(prefix, i));
    }
    return true;
}

int ClampedCount(int count) {
    return count < 0 ? 0 : (count > kTableSlots ? kTableSlots : count);
}

} // namespace

std::string SettingsFilePath(const std::string &directory) {
    if (directory.empty()) {
        return kSettingsFileName;
    }
    if (directory.back() == '/') {
        return directory + kSettingsFileName;
    }
    return directory + "/" + kSettingsFileName;
}

FileResult LoadSettings(DoseSettings &settings, std::string_view selector,
                        std::string_view periodName, const std::string &path) {
    std::string bytes;
    const FileResult read = ReadWholeFile(path, bytes);
    const IniDocument document(std::move(bytes));

    for (int i = 1; i <= kTableSlots; ++i) {
        settings.CorrectionTable[i].clear();
        settings.CarbDoseTable[i].clear();
        settings.WeightingTable[i].clear();
    }
    if (selector == "periods") {
        settings.Counts.PeriodCount =
            ReadTable(document, kPeriodSection, kPeriodKey, settings.PeriodList);
    } else if (selector == "dosages") {
        settings.Counts.CarbDoseCount =
            ReadTable(document, periodName, kCarbDoseKey, settings.CarbDoseTable);
        settings.Counts.CorrectionCount =
            ReadTable(document, periodName, kCorrectionKey, settings.CorrectionTable);
        settings.Counts.WeightingCount =
            ReadTable(document, periodName, kWeightingKey, settings.WeightingTable);
    }
    return read;
}

FileResult SaveSettings(const DoseSettings &settings, std::string_view selector,
                        std::string_view periodName, const std::string &path) {
    const bool savePeriods = selector == "period";
    const bool saveTables = selector == "dosages";
    if (!savePeriods && !saveTables) {
        return {};
    }
    if (saveTables && periodName.find_first_not_of(" \t") == std::string_view::npos) {
        return {false, "No period is selected, so the tables were not saved."};
    }

    std::string bytes;
    if (const FileResult read = ReadWholeFile(path, bytes); !read.ok) {
        return {false, read.error + " (nothing was saved, so that the file's other contents "
                                    "are not lost)"};
    }
    const std::string original = bytes;
    IniDocument document(std::move(bytes));

    bool stored = true;
    if (savePeriods) {
        stored = WriteTable(document, kPeriodSection, kPeriodKey, settings.PeriodList,
                            ClampedCount(settings.Counts.PeriodCount));
    } else {
        const TableCounts &counts = settings.Counts;
        stored = WriteTable(document, periodName, kCarbDoseKey, settings.CarbDoseTable,
                            ClampedCount(counts.CarbDoseCount)) &&
                 WriteTable(document, periodName, kCorrectionKey, settings.CorrectionTable,
                            ClampedCount(counts.CorrectionCount)) &&
                 WriteTable(document, periodName, kWeightingKey, settings.WeightingTable,
                            ClampedCount(counts.WeightingCount));
    }
    if (!stored) {
        return {false, "A period name or an entry holds a line break, which the settings file "
                       "cannot store; nothing was saved."};
    }
    if (document.Bytes() == original) {
        return {}; // nothing changed: leave the file, and a read-only folder, alone
    }
    return ReplaceFileAtomically(path, document.Bytes());
}

} // namespace norvalis
