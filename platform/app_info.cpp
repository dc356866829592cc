#include "platform/app_info.h"

#include <QCoreApplication>

namespace platform {

QString applicationTitle() {
    return QStringLiteral("Norvalis");
}

Version applicationVersion() {
    return {NORVALIS_VERSION_MAJOR, NORVALIS_VERSION_MINOR, NORVALIS_VERSION_PATCH};
}

QString applicationDirectory() {
    return QCoreApplication::applicationDirPath();
}

} // namespace platform
