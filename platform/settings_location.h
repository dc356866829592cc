#pragma once

#include <QString>

namespace platform {

// Where the dose tables live: "Norvalis.ini" beside the executable.
QString settingsFilePath();

// Tests point the program at a scratch directory instead; an empty text restores the default.
void setSettingsDirectoryOverride(const QString &directory);

} // namespace platform
