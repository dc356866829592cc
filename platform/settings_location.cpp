#include "platform/settings_location.h"

#include "core/settings_file.h"
#include "platform/app_info.h"

namespace platform {

namespace {
QString &directoryOverride() {
    static QString directory;
    return directory;
}
} // namespace

QString settingsFilePath() {
    const QString directory =
        directoryOverride().isEmpty() ? applicationDirectory() : directoryOverride();
    return directory + QLatin1Char('/') + QLatin1String(norvalis::kSettingsFileName);
}

void setSettingsDirectoryOverride(const QString &directory) {
    directoryOverride() = directory;
}

} // namespace platform
