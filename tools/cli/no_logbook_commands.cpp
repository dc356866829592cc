#include "commands.h"

namespace norvalis::cli {

// A build without Qt SQL: every logbook command says so, as log does.
int RunLogAdd(const CommandLine &commandLine, const std::string &, std::ostream &out,
              std::ostream &err) {
    return RunLog(commandLine, out, err);
}

int RunLogImport(const CommandLine &commandLine, std::ostream &out, std::ostream &err) {
    return RunLog(commandLine, out, err);
}

int RunActive(const CommandLine &commandLine, const std::string &, std::ostream &out,
              std::ostream &err) {
    return RunLog(commandLine, out, err);
}

} // namespace norvalis::cli
