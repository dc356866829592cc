#include "commands.h"
#include "core/file_access.h"
#include "core/settings_location.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char **argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    // The same file as the window program reads: the rule is the core's.
    const std::string defaultPath = norvalis::ChooseSettingsFile(norvalis::ExecutableDirectory(),
                                                                 norvalis::UserConfigDirectory())
                                        .path;
    const int status = norvalis::cli::RunCommandLine(arguments, defaultPath, std::cout, std::cerr);
    std::cout.flush();
    return std::cout.good() ? status : norvalis::cli::kExitFindings;
}
