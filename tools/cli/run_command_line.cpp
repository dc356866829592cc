#include "commands.h"

#include <ostream>

namespace norvalis::cli {

int RunCommandLine(const std::vector<std::string_view> &arguments,
                   const std::string &defaultSettingsPath, std::ostream &out, std::ostream &err) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.commandLine) {
        err << "norvalis-cli: " << parsed.error << "\n" << UsageText();
        return kExitUsage;
    }
    const CommandLine &commandLine = *parsed.commandLine;
    const std::string path = commandLine.settingsPath.value_or(defaultSettingsPath);
    switch (commandLine.command) {
    case Command::Help:
        out << HelpText() << SettingsFileLine(path);
        return kExitSuccess;
    case Command::Version:
        out << VersionText();
        return kExitSuccess;
    case Command::Periods:
        return RunPeriods(commandLine, path, out, err);
    case Command::Tables:
        return RunTables(commandLine, path, out, err);
    case Command::Dose:
        return RunDose(commandLine, path, out, err);
    case Command::Check:
        return RunCheck(commandLine, path, out, err);
    case Command::Log:
        return RunLog(commandLine, out, err);
    case Command::Report:
        return RunReport(commandLine, path, out, err);
    case Command::LogAdd:
        return RunLogAdd(commandLine, path, out, err);
    case Command::LogImport:
        return RunLogImport(commandLine, out, err);
    case Command::Active:
        return RunActive(commandLine, path, out, err);
    }
    return kExitUsage;
}

} // namespace norvalis::cli
