#pragma once

#include "command_line.h"

#include <QDateTime>
#include <QString>
#include <iosfwd>
#include <optional>
#include <string>

namespace norvalis::cli {

// Qt's SQL drivers are plugins and the data folder is named after the application; both want
// an application object, which a command-line tool otherwise does without.
void EnsureApplication();

// The time --at names, or now without it; nullopt, said on err, when --at is no ISO 8601 time.
std::optional<QDateTime> EntryTime(const CommandLine &commandLine, std::ostream &err);

inline std::string Std(const QString &text) {
    return text.toStdString();
}

inline QString FromStd(const std::string &text) {
    return QString::fromStdString(text);
}

} // namespace norvalis::cli
