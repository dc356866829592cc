#include "app_directory.h"

#include <filesystem>
#include <system_error>

namespace norvalis {

std::string ExecutableDirectory() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || executable.empty()) {
        return {};
    }
    return executable.parent_path().string();
}

} // namespace norvalis
