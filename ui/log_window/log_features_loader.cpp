#include "ui/log_window/log_features_loader.h"

#include "ui/log_window/log_features.h"

#include <QDir>
#include <QPluginLoader>

namespace logfeatures {

Loaded load(const QString &directory) {
    for (QObject *linked : QPluginLoader::staticInstances()) {
        if (auto *features = qobject_cast<LogFeatures *>(linked))
            return {features, QString()};
    }
    // The loader keeps the library loaded; it is never unloaded, since windows made by it may
    // live until the program ends.
    const QString wanted = QDir(directory).filePath(QString::fromLatin1(kPluginBaseName));
    QPluginLoader loader(wanted);
    // Names the file found (with its suffix) when there is one, else the one looked for.
    const QString shown =
        QDir::toNativeSeparators(loader.fileName().isEmpty() ? wanted : loader.fileName());
    QObject *instance = loader.instance();
    if (!instance)
        return {nullptr, QStringLiteral("File: %1\nReason: %2").arg(shown, loader.errorString())};
    if (auto *features = qobject_cast<LogFeatures *>(instance))
        return {features, QString()};
    return {nullptr,
            QStringLiteral("File: %1\nReason: it is not this version's log plugin.").arg(shown)};
}

} // namespace logfeatures
