#include "log_application.h"

#include "logbook/entry_time_input.h"

#include <QCoreApplication>
#include <ostream>

namespace norvalis::cli {

void EnsureApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "norvalis-cli";
        static char *argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("Norvalis"));
}

// The time an entry is for: --at, or now. Says on err what is wrong with --at.
std::optional<QDateTime> EntryTime(const CommandLine &commandLine, std::ostream &err) {
    if (!commandLine.at)
        return QDateTime::currentDateTime();
    const QDateTime at = logbook::entryTimeFromText(FromStd(*commandLine.at));
    if (!at.isValid()) {
        err << "norvalis-cli: --at wants an ISO 8601 date and time such as 2026-12-01T08:30 or "
               "2026-12-01T08:30+01:00, not \""
            << *commandLine.at << "\"\n";
        return std::nullopt;
    }
    return at;
}

} // namespace norvalis::cli
