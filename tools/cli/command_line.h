#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvalis::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFindings = 1; // also: the settings file cannot be read
inline constexpr int kExitUsage = 2;

enum class Command {
    Help,
    Version,
    Periods,
    Tables,
    Dose,
    Check,
    Log,
    LogAdd,
    LogImport,
    Active,
    Report
};

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
    // log add: what to record; --blood-sugar and --carbs land in bloodSugar and carbs. The
    // "= {}" lets tables of command lines leave these out.
    std::optional<std::string> taken = {};
    std::optional<std::string> kind = {};
    std::optional<std::string> periodOption = {}; // --period
    std::optional<std::string> note = {};
    bool bloodSugarGiven = false;
    std::optional<std::string> at = {}; // log add and active: an ISO 8601 time
    std::string file = {};              // log import: the CSV file
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
