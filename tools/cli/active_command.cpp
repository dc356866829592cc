#include "commands.h"
#include "core/file_access.h"
#include "core/insulin_options.h"
#include "core/number_text.h"
#include "log_application.h"
#include "logbook/active_insulin.h"
#include "logbook/log_location.h"
#include "logbook/log_store.h"

#include <QFile>
#include <ostream>

namespace norvalis::cli {

namespace {
InsulinOptions ReadOptions(const std::string &settingsPath, std::ostream &err) {
    if (!SettingsFileExists(settingsPath)) {
        err << "norvalis-cli: the settings file \"" << settingsPath
            << "\" does not exist; using the rapid curve over 6 hours\n";
        return {};
    }
    std::string bytes;
    if (const FileResult read = ReadWholeFile(settingsPath, bytes); !read.ok) {
        err << "norvalis-cli: " << read.error << "; using the rapid curve over 6 hours\n";
        return {};
    }
    return ReadInsulinOptions(IniDocument(std::move(bytes)));
}
} // namespace

int RunActive(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
              std::ostream &err) {
    EnsureApplication();
    const std::optional<QDateTime> at = EntryTime(commandLine, err);
    if (!at)
        return kExitFindings;
    const InsulinOptions options = ReadOptions(settingsPath, err);
    const InsulinAction action = ActionOf(options.curve, options.hours);

    QList<logbook::LogEntry> entries;
    const QString path = logbook::defaultLogPath();
    if (QFile::exists(path)) { // asking must not create a logbook
        logbook::LogStore store(path);
        const logbook::LogResult read = store.entries(entries, logbook::activeSince(*at, action));
        if (!read.ok) {
            err << "norvalis-cli: the logbook could not be read.\n" << Std(read.error) << "\n";
            return kExitFindings;
        }
    } else {
        err << "norvalis-cli: no logbook yet at " << Std(path) << "\n";
    }
    // Asked for an earlier time, the doses recorded after it had not been taken yet; a dose
    // ahead of the real clock (set back since) counts whole, as in the main window.
    const QDateTime now = QDateTime::currentDateTime();
    entries.removeIf(
        [&](const logbook::LogEntry &e) { return e.takenAt > *at && e.takenAt <= now; });
    const ActiveInsulin active = logbook::activeInsulinAt(entries, *at, action);
    const std::string units = NumberText(RoundedActiveUnits(active.units));
    const std::string curve(CurveName(options.curve));
    if (commandLine.json) {
        out << "{\"active_insulin\":" << units << ",\"doses\":" << active.doses << ",\"curve\":\""
            << curve << "\",\"hours\":" << NumberText(options.hours) << "}\n";
        return kExitSuccess;
    }
    out << "Active insulin: " << units << " units from " << active.doses
        << (active.doses == 1 ? " dose" : " doses") << " (" << curve << " curve, "
        << NumberText(options.hours) << " hours)\n"
        << "Information only: it is not taken off any dose.\n";
    return kExitSuccess;
}

} // namespace norvalis::cli
