#include "logbook/log_location.h"

#include <QStandardPaths>

namespace logbook {

QString defaultLogPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') +
           QLatin1String(kLogFileName);
}

} // namespace logbook
