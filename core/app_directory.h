#pragma once

#include <string>

namespace norvalis {

// The directory of the running executable (empty if the system cannot tell).
std::string ExecutableDirectory();

} // namespace norvalis
