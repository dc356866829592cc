#include "commands.h"
#include "log_application.h"
#include "logbook/log_csv_import.h"
#include "logbook/log_location.h"
#include "logbook/log_store.h"

#include <QFile>
#include <ostream>

namespace norvalis::cli {

int RunLogImport(const CommandLine &commandLine, std::ostream &out, std::ostream &err) {
    EnsureApplication();
    QFile file(QFile::decodeName(commandLine.file.c_str()));
    if (!file.open(QIODevice::ReadOnly)) {
        err << "norvalis-cli: " << commandLine.file
            << " could not be read: " << Std(file.errorString()) << "\n";
        return kExitFindings;
    }
    const logbook::CsvImport read =
        logbook::entriesFromCsv(file.readAll(), QDateTime::currentDateTime());
    if (!read.error.isEmpty()) {
        err << "norvalis-cli: " << commandLine.file
            << " was not imported, nothing was stored: " << Std(read.error) << "\n";
        return kExitFindings;
    }
    QList<logbook::LogEntry> entries = read.entries;
    logbook::LogStore store(logbook::defaultLogPath());
    logbook::LogStore::ImportCount count;
    const logbook::LogResult stored = store.importEntries(entries, count);
    if (!stored.ok) {
        err << "norvalis-cli: " << commandLine.file << " was not imported, nothing was stored.\n"
            << Std(stored.error) << "\n";
        return kExitFindings;
    }
    out << "Added " << count.added << (count.added == 1 ? " entry" : " entries") << ", skipped "
        << count.skipped << " already in the logbook.\n";
    return kExitSuccess;
}

} // namespace norvalis::cli
