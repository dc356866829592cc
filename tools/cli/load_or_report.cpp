#include "commands.h"
#include "core/settings_file.h"

#include <ostream>

namespace norvalis::cli {

bool LoadOrReport(DoseSettings &settings, std::string_view selector, std::string_view period,
                  const std::string &settingsPath, std::ostream &err) {
    const FileResult read = LoadSettings(settings, selector, period, settingsPath);
    if (!read.ok) {
        err << "norvalis-cli: " << read.error << "\n";
    }
    return read.ok;
}

} // namespace norvalis::cli
