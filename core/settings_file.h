#pragma once

#include "dose_settings.h"
#include "file_access.h"

#include <string>
#include <string_view>

namespace norvalis {

inline constexpr const char *kSettingsFileName = "Norvalis.ini";

// The settings file path for a program directory: the directory plus "/Norvalis.ini".
std::string SettingsFilePath(const std::string &directory);

// Moves the period list ("periods") or one period's three tables ("dosages") from the
// settings file into settings. Every selector first empties slots 1..12 of the three dose
// tables; selectors are compared exactly. The file is read once per call; a missing file
// reads as empty. The result reports a file that exists but cannot be read (which then also
// reads as empty).
FileResult LoadSettings(DoseSettings &settings, std::string_view selector,
                        std::string_view periodName, const std::string &path);

// Writes the period list ("period") or the three tables of settings under periodName
// ("dosages"): entries 1..count, keys of that table above the count (up to 12) removed. All
// writes are applied in memory and the file is replaced once, atomically; a failure is
// reported with its reason and leaves the file as it was. An empty period name writes
// nothing and is reported as a failure.
FileResult SaveSettings(const DoseSettings &settings, std::string_view selector,
                        std::string_view periodName, const std::string &path);

} // namespace norvalis
