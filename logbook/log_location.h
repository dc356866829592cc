#pragma once

#include <QString>

namespace logbook {

inline constexpr const char *kLogFileName = "Norvalis-log.sqlite";

// Norvalis-log.sqlite in the user's data folder (~/.local/share/Norvalis/ by default).
QString defaultLogPath();

// Tests point the logbook at a scratch file instead; an empty text restores the default.
void setLogPathOverride(const QString &path);

} // namespace logbook
