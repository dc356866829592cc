#include "commands.h"
#include "core/file_access.h"
#include "core/ini_document.h"
#include "insulin_options_check.h"
#include "settings_check.h"

#include <ostream>

namespace norvalis::cli {

int RunCheck(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
             std::ostream &err) {
    std::vector<Finding> findings;
    if (!SettingsFileExists(settingsPath)) {
        findings.push_back(MissingFileFinding(settingsPath));
    } else {
        std::string bytes;
        if (const FileResult read = ReadWholeFile(settingsPath, bytes); !read.ok) {
            err << "norvalis-cli: " << read.error << "\n";
            return kExitFindings;
        }
        const IniDocument document(std::move(bytes));
        findings = CheckSettings(document);
        const std::vector<Finding> insulin = CheckInsulinOptions(document);
        findings.insert(findings.end(), insulin.begin(), insulin.end());
    }
    if (commandLine.json) {
        out << FindingsJson(findings) << "\n";
    } else {
        for (const Finding &finding : findings) {
            out << FindingLine(finding) << "\n";
        }
        if (findings.empty()) {
            out << "No findings.\n";
        }
    }
    return findings.empty() ? kExitSuccess : kExitFindings;
}

} // namespace norvalis::cli
