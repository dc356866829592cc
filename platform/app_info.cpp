#include "platform/app_info.h"

#include "core/file_access.h"

#include <QByteArray>
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

} // namespace platform
