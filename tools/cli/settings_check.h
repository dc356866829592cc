#pragma once

#include "core/ini_document.h"

#include <string>
#include <vector>

namespace norvalis::cli {

// One mistake in a hand-edited settings file and what the program will do because of it.
struct Finding {
    std::string section; // empty for the file as a whole
    std::string key;     // the culprit key, "[name]" for a whole section, empty for the file
    std::string problem;
    std::string consequence;
    int line = 0; // 1-based; 0 when the finding is about the whole file
};

// Looks at the file the way the program reads it: the period list, then each listed period's
// section (the first one of that name) and its CD_, BS_ and CW_ tables, and whatever in the
// file the program never reads. Takes time in proportion to the file's size.
std::vector<Finding> CheckSettings(const IniDocument &document);

// The finding for a settings file that is not there.
Finding MissingFileFinding(const std::string &path);

// "section, key: problem; consequence" (only "problem; consequence" for the whole file).
std::string FindingLine(const Finding &finding);

// The findings as a JSON array of {"key", "section", "line", "message"} objects; line is null
// for the file as a whole.
std::string FindingsJson(const std::vector<Finding> &findings);

} // namespace norvalis::cli
