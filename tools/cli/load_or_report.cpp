#include "commands.h"
#include "core/dose_options.h"
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
    }
    if (selector == "periods") {
        DropReservedPeriods(settings);
    }
    return read.ok;
}

} // namespace norvalis::cli
