#pragma once

#include "core/file_access.h"

#include <QString>
#include <functional>
#include <string>

namespace platform {

// Where the dose tables live: "Norvalis.ini" beside the executable, or, for the program
// installed as a package, in the user's configuration folder (~/.config/Norvalis/) unless
// one is beside the program (see core/settings_location.h for the rule).
QString settingsFilePath();

// True when settingsFilePath() is the user's own file in the configuration folder.
bool settingsFileIsPerUser();

// Stores the settings file through store, which gets the path in the file system's encoding;
// the first store of a per-user file makes its private folder first.
norvalis::FileResult
storeSettingsFile(const std::function<norvalis::FileResult(const std::string &path)> &store);

// Tests point the program at a scratch directory instead; an empty text restores the default.
void setSettingsDirectoryOverride(const QString &directory);

// Tests run the whole rule on scratch folders: the program's folder and the user's
// configuration folder. Empty texts restore the default.
void setSettingsLocationOverride(const QString &programDirectory,
                                 const QString &userConfigDirectory);

} // namespace platform
