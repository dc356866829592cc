#include "platform/help_viewer.h"

#include "platform/app_info.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {
std::function<bool(const QUrl &)> &urlOpener() {
    static std::function<bool(const QUrl &)> opener;
    return opener;
}
} // namespace

QString manualPath() {
    return QDir(dataDirectory()).filePath(QString::fromLatin1(kManualFileName));
}

bool showHelpContents(const QString &manual, QString *error) {
    const QString path = QDir::toNativeSeparators(manual);
    QString reason;
    if (!QFileInfo(manual).isFile()) {
        reason = QStringLiteral("The user manual is missing. It belongs at:\n\n%1").arg(path);
    } else {
        const QUrl url = QUrl::fromLocalFile(QFileInfo(manual).absoluteFilePath());
        const bool opened = urlOpener() ? urlOpener()(url) : QDesktopServices::openUrl(url);
        if (opened)
            return true;
        reason = QStringLiteral("The user manual could not be opened: no web browser took it. "
                                "You can open it yourself:\n\n%1")
                     .arg(path);
    }
    if (error)
        *error = reason;
    return false;
}

void setUrlOpenerForTesting(std::function<bool(const QUrl &)> opener) {
    urlOpener() = std::move(opener);
}

} // namespace platform
