#pragma once

#include <QString>

class LogFeatures;

namespace logfeatures {

// The plugin's file name without its suffix; it is installed beside the program (the Debian
// package puts it in lib/<arch>/norvalis, see platform::pluginDirectory()).
inline constexpr const char *kPluginBaseName = "norvalis-log";

struct Loaded {
    LogFeatures *features = nullptr; // owned by Qt's plugin loader, for the program's life
    QString error;                   // why it could not be loaded, naming the file
};

// A plugin linked into the program (tests do) first, else the file in directory. A failed load
// is tried again at the next call, so a plugin put back is found without a restart.
Loaded load(const QString &directory);

} // namespace logfeatures
