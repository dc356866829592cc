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

} // namespace platform
