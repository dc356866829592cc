#include "commands.h"
#include "core/file_access.h"
#include "core/ini_document.h"
#include "settings_check.h"

#include <ostream>

namespace norvalis::cli {

int RunCheck(const CommandLine &, const std::string &settingsPath, std::ostream &out,
             std::ostream &err) {
    std::string bytes;
    if (const FileResult read = ReadWholeFile(settingsPath, bytes); !read.ok) {
        err << "norvalis-cli: " << read.error << "\n";
        return kExitFindings;
    }
    const std::vector<Finding> findings = CheckSettings(IniDocument(std::move(bytes)));
    for (const Finding &finding : findings) {
        out << FindingLine(finding) << "\n";
    }
    if (findings.empty()) {
        out << "No findings.\n";
        return kExitSuccess;
    }
    return kExitFindings;
}

} // namespace norvalis::cli
