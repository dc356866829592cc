#pragma once

#include "command_line.h"
#include "core/dose_settings.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace norvalis::cli {

// Each command prints its result to out and problems to err, and returns the exit status.
int RunPeriods(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
               std::ostream &err);
int RunTables(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
              std::ostream &err);
int RunDose(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
            std::ostream &err);
int RunCheck(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
             std::ostream &err);
// Prints the logbook; needs no settings file.
int RunLog(const CommandLine &commandLine, std::ostream &out, std::ostream &err);
// Records one entry; the settings file gives the period list and the tables.
int RunLogAdd(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
              std::ostream &err);
// Adds the entries of a CSV export to the logbook.
int RunLogImport(const CommandLine &commandLine, std::ostream &out, std::ostream &err);
// The active insulin from the logbook; the settings file gives the curve and its hours.
int RunActive(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
              std::ostream &err);

// The clinic report of a range of days as a PDF file or JSON.
int RunReport(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
              std::ostream &err);

// False only when nothing is at the path (a file that cannot be read still exists).
bool SettingsFileExists(const std::string &settingsPath);

// Loads settings as the program does; a missing file is said on err and reads as empty; a file that
// exists but cannot be read is reported on err and gives false.
bool LoadOrReport(DoseSettings &settings, std::string_view selector, std::string_view period,
                  const std::string &settingsPath, std::ostream &err);

// Runs whatever the arguments after the program name ask for.
int RunCommandLine(const std::vector<std::string_view> &arguments,
                   const std::string &defaultSettingsPath, std::ostream &out, std::ostream &err);

} // namespace norvalis::cli
