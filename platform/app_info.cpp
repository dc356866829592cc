#include "platform/app_info.h"

#include "core/file_access.h"
#include "core/settings_location.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

namespace platform {

QString applicationTitle() {
    return QStringLiteral("Norvalis");
}

Version applicationVersion() {
    return {NORVALIS_VERSION_MAJOR, NORVALIS_VERSION_MINOR, NORVALIS_VERSION_PATCH};
}

// The core finds the folder for the command-line companion too; one answer for both.
QString applicationDirectory() {
    return QFile::decodeName(QByteArray::fromStdString(norvalis::ExecutableDirectory()));
}

namespace {
// The folder below the package's prefix, or the program's own folder outside that layout.
QString packageFolderOr(const char *belowPrefix) {
    const QString program = applicationDirectory();
    if (!norvalis::IsPackageLayout(QFile::encodeName(program).toStdString()))
        return program;
    return QDir::cleanPath(program + QStringLiteral("/../") + QLatin1String(belowPrefix));
}
} // namespace

QString pluginDirectory() {
    return packageFolderOr(NORVALIS_PACKAGE_PLUGIN_DIR);
}

QString dataDirectory() {
    return packageFolderOr(NORVALIS_PACKAGE_DATA_DIR);
}

} // namespace platform
