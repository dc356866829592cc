#pragma once

#include "core/ini_document.h"

#include <string>
#include <vector>

namespace norvalis::cli {

// One mistake in a hand-edited settings file and what the program will do because of it.
struct Finding {
    std::string section;
    std::string key;
    std::string problem;
    std::string consequence;
};

// Looks at the file the way the program reads it: the period list, then each listed period's
// section (the first one of that name) and its CD_, BS_ and CW_ tables.
std::vector<Finding> CheckSettings(const IniDocument &document);

// "section, key: problem; consequence"
std::string FindingLine(const Finding &finding);

} // namespace norvalis::cli
