#include "ui/dialogs/doses_messages.h"

namespace doses_messages {

QString saveFailed(const QString &period, const QString &path, const QString &reason) {
    return QStringLiteral("The dosages of \"%1\" were not saved.\n\nSettings file: %2\nReason: %3"
                          "\n\nYour entries are still in the dialog: press OK again once the "
                          "cause is fixed, or Cancel to drop them.")
        .arg(period, path, reason);
}

QString loadFailed(const QString &period, const QString &path, const QString &reason) {
    return QStringLiteral("The dosages of \"%1\" could not be read, so the boxes show empty "
                          "tables.\n\nSettings file: %2\nReason: %3")
        .arg(period, path, reason);
}

QString noPeriods(const QString &path) {
    return QStringLiteral("Nothing was saved: there is no period to store these dosages under."
                          "\n\nList the periods first in the settings file, in the section "
                          "\"Period\" with the keys P_1, P_2, ... (one period name each):\n%1")
        .arg(path);
}

} // namespace doses_messages
