#pragma once

#include "core/file_access.h"

#include <functional>
#include <string>

// Which settings file a program reads: the rule the window program and norvalis-cli share.
//
// A portable folder or the archive keeps "Norvalis.ini" beside the program. An installed
// package puts the program in a "bin" folder with "../share/norvalis" beside it, where the
// program's folder belongs to the system, so the file is the user's own instead. The layout
// decides, not whether the folder is writable: root may write anywhere, and a package
// unpacked elsewhere must behave as the installed one.

namespace norvalis {

// The name of the folder in the user's configuration folder (as Qt names it after the
// application).
inline constexpr const char *kUserConfigFolderName = "Norvalis";

struct SettingsFileChoice {
    std::string path;
    // True when the file lives in the user's configuration folder, which the first store may
    // have to make.
    bool perUser = false;
};

// True when programDirectory is a "bin" folder with "../share/norvalis" beside it.
bool IsPackageLayout(const std::string &programDirectory);

// The user's configuration folder for Norvalis, as QStandardPaths::AppConfigLocation names it
// on Linux: $XDG_CONFIG_HOME/Norvalis when that is set, else $HOME/.config/Norvalis ("/" for
// an empty home). Null pointers stand for unset variables.
std::string UserConfigDirectory(const char *xdgConfigHome, const char *home);
// The same, from this process's environment.
std::string UserConfigDirectory();

// Beside the program, unless the program is in the package's layout: then the file in
// userConfigDirectory, except that a "Norvalis.ini" beside the program is still read first,
// so nothing moves under a person who keeps one there.
SettingsFileChoice ChooseSettingsFile(const std::string &programDirectory,
                                      const std::string &userConfigDirectory);

// Stores the settings file through store, which is given the path. A file in the user's
// configuration folder is kept private: when it is new, the folder is made (or tightened) to
// owner-only (0700) before the store and the file is owner-only (0600) after it. A folder that
// cannot be made is reported naming it, and store is not called.
FileResult StoreSettingsFile(const SettingsFileChoice &choice,
                             const std::function<FileResult(const std::string &path)> &store);

} // namespace norvalis
