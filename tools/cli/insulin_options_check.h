#pragma once

#include "core/ini_document.h"
#include "settings_check.h"

#include <vector>

namespace norvalis::cli {

// The [Options] keys for active insulin and the low warning that the program ignores: a curve
// it does not know, hours outside 5 to 8 or without a number, a low limit of no number or not
// above 0. Each says what the program uses instead.
std::vector<Finding> CheckInsulinOptions(const IniDocument &document);

} // namespace norvalis::cli
