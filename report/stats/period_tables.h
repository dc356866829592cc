#pragma once

#include "core/file_access.h"

#include <string>
#include <vector>

namespace report {

// One period's tables as the settings file holds them, entries as their texts.
struct PeriodTables {
    std::string period;
    std::vector<std::string> correction; // "level,dose"
    std::vector<std::string> weighting;  // "level,dose"
    std::string gramsPerUnit;            // empty when the file has none
};

// The file's dose settings for the care team to review: every period's tables in the
// file's order and the [Options] values that shape a dose, each as written in the file
// (empty when not set).
struct FileTables {
    std::vector<PeriodTables> periods;
    std::string penStep;
    std::string maxDose;
    std::string lowBelow;
};

// Reads them as the program does (one period's load per period). A file that exists but
// cannot be read gives what could be read and the reason in result.
FileTables ReadFileTables(const std::string &settingsPath, norvalis::FileResult &result);

std::vector<std::string> PeriodNames(const FileTables &tables);

} // namespace report
