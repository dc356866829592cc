#pragma once

#include <QString>

namespace platform {

struct Version {
    int major;
    int minor;
    int revision;
};

// "Norvalis": names the program in the per-user store, message boxes and the about box.
QString applicationTitle();

// The program's version from the build (1.0.0).
Version applicationVersion();

// The directory of the running executable.
QString applicationDirectory();

// Where the program's own files are: beside the executable in the portable folder; in the
// package's layout (see core/settings_location.h) the log plugin is in lib/<arch>/norvalis and
// the user manual in share/norvalis under the package's prefix.
QString pluginDirectory();
QString dataDirectory();

} // namespace platform
