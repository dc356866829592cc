#include "logbook/log_location.h"

#include <QStandardPaths>

namespace logbook {

namespace {
QString &pathOverride() {
    static QString path;
    return path;
}
} // namespace

void setLogPathOverride(const QString &path) {
    pathOverride() = path;
}

QString defaultLogPath() {
    if (!pathOverride().isEmpty())
        return pathOverride();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') +
           QLatin1String(kLogFileName);
}

} // namespace logbook
