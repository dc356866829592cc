#pragma once

#include "core/ini_document.h"
#include "settings_check.h"

#include <vector>

namespace norvalis::cli {

// The findings for the program's own [Options] section (the first one, as the program reads
// it): keys it does not read, keys given twice, and values it ignores.
std::vector<Finding> CheckOptionsSection(const IniDocument::Section &section);

} // namespace norvalis::cli
