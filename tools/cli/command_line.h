#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvalis::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFindings = 1; // also: the settings file cannot be read
inline constexpr int kExitUsage = 2;

enum class Command { Help, Version, Periods, Tables, Dose, Check, Log, Report };

// The report's range and output, as given; the command checks the dates.
struct ReportArguments {
    std::optional<std::string> from; // YYYY-MM-DD
    std::optional<std::string> to;
    std::optional<std::string> units;
    std::optional<std::string> out;
};

struct CommandLine {
    Command command = Command::Help;
    std::optional<std::string> settingsPath; // the file beside the executable when absent
    std::string period;
    std::string bloodSugar;
    std::string carbs;
    bool json = false;
    bool csv = false;                 // log only
    std::optional<std::string> since; // log only: YYYY-MM-DD
    ReportArguments report{};         // report only
};

struct ParsedCommandLine {
    std::optional<CommandLine> commandLine;
    std::string error; // what is wrong with the usage, when commandLine is empty
};

// Reads the arguments after the program name. Option values are taken exactly as given,
// also when empty or starting with '-'; "--name=value" works as well as "--name value".
ParsedCommandLine ParseCommandLine(const std::vector<std::string_view> &arguments);

std::string UsageText();
std::string HelpText();
// The help's last line: "Settings file: PATH", the file the commands read.
std::string SettingsFileLine(const std::string &path);
std::string VersionText(); // "norvalis-cli 1.0.0", the project's version

} // namespace norvalis::cli
