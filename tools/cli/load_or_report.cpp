#include "commands.h"
#include "core/dose_options.h"
#include "core/settings_file.h"

#include <ostream>

namespace norvalis::cli {

bool LoadOrReport(DoseSettings &settings, std::string_view selector, std::string_view period,
                  const std::string &settingsPath, std::ostream &err) {
    // As in the program: [Options] holds settings, never a period's tables.
    if (selector == "dosages" && IsReservedPeriodName(period)) {
        err << "norvalis-cli: " << period << " is not a period: [Options] holds the settings\n";
        return false;
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
