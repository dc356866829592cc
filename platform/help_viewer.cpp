#include "platform/help_viewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

bool showHelpContents(QWidget *, const QString &helpFile, QString *error) {
    if (QFileInfo::exists(helpFile) && QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile)))
        return true;
    if (error)
        *error = QStringLiteral("Cannot open the help file \"%1\".").arg(helpFile);
    return false;
}

} // namespace platform
