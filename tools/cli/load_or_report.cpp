#include "commands.h"
#include "core/blank_text.h"
#include "core/dose_options.h"
#include "core/ini_name.h"
#include "core/settings_file.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace norvalis::cli {

bool SettingsFileExists(const std::string &settingsPath) {
    std::error_code error;
    const auto status = std::filesystem::status(settingsPath, error);
    // Anything but "not there" (such as a folder we may not enter) is for the read to report.
    return status.type() != std::filesystem::file_type::not_found;
}

namespace {

// Whether the period list, as the program offers it, holds the name (letter case aside, as
// section names are matched).
bool IsListedPeriod(std::string_view period, const std::string &settingsPath) {
    DoseSettings list;
    LoadSettings(list, "periods", {}, settingsPath);
    DropReservedPeriods(list);
    for (int i = 1; i <= list.Counts.PeriodCount; ++i) {
        if (SameIniName(TrimmedOf(list.PeriodList[i], kIniBlanks), TrimmedOf(period, kIniBlanks))) {
            return true;
        }
    }
    return false;
}

} // namespace

bool LoadOrReport(DoseSettings &settings, std::string_view selector, std::string_view period,
                  const std::string &settingsPath, std::ostream &err) {
    // As in the program: [Options] holds settings, never a period's tables.
    if (selector == "dosages" && IsReservedPeriodName(period)) {
        err << "norvalis-cli: " << period << " is not a period: [Options] holds the settings\n";
        return false;
    }
    if (!SettingsFileExists(settingsPath)) {
        err << "norvalis-cli: the settings file \"" << settingsPath
            << "\" does not exist; reading it as empty\n";
    }
    const FileResult read = LoadSettings(settings, selector, period, settingsPath);
    if (!read.ok) {
        err << "norvalis-cli: " << read.error << "\n";
        return false;
    }
    // A misspelt name would otherwise print empty tables and doses, and a script could not
    // tell them from real ones.
    if (selector == "dosages" && !IsListedPeriod(period, settingsPath)) {
        err << "norvalis-cli: \"" << period << "\" is not a period of the settings file \""
            << settingsPath << "\" (norvalis-cli periods lists them)\n";
        return false;
    }
    if (selector == "periods") {
        DropReservedPeriods(settings);
    }
    return read.ok;
}

} // namespace norvalis::cli
