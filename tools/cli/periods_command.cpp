#include "commands.h"
#include "core/settings_file.h"
#include "json_text.h"

#include <ostream>

namespace norvalis::cli {

int RunPeriods(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
               std::ostream &err) {
    DoseSettings settings;
    if (!LoadOrReport(settings, "periods", "", settingsPath, err)) {
        return kExitFindings;
    }
    const std::vector<std::string> names(settings.PeriodList.begin() + 1,
                                         settings.PeriodList.begin() + 1 +
                                             settings.Counts.PeriodCount);
    if (commandLine.json) {
        out << JsonStringArray(names) << "\n";
    } else {
        for (const std::string &name : names) {
            out << name << "\n";
        }
    }
    return kExitSuccess;
}

} // namespace norvalis::cli
