#include "platform/settings_location.h"

#include "core/settings_location.h"
#include "platform/app_info.h"

#include <QFile>
#include <QStandardPaths>

namespace platform {

namespace {

struct Override {
    QString programDirectory;
    QString userConfigDirectory;
};

Override &locationOverride() {
    static Override folders;
    return folders;
}

std::string encoded(const QString &path) {
    return QFile::encodeName(path).toStdString();
}

// QStandardPaths::AppConfigLocation's folder, spelt out so that the answer does not depend on
// whether the application's name has been set yet (--help is answered before it is).
QString userConfigDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + QLatin1String(norvalis::kUserConfigFolderName);
}

norvalis::SettingsFileChoice choice() {
    const Override &o = locationOverride();
    if (!o.programDirectory.isEmpty())
        return norvalis::ChooseSettingsFile(encoded(o.programDirectory),
                                            encoded(o.userConfigDirectory));
    return norvalis::ChooseSettingsFile(encoded(applicationDirectory()),
                                        encoded(userConfigDirectory()));
}

} // namespace

QString settingsFilePath() {
    return QFile::decodeName(QByteArray::fromStdString(choice().path));
}

bool settingsFileIsPerUser() {
    return choice().perUser;
}

norvalis::FileResult
storeSettingsFile(const std::function<norvalis::FileResult(const std::string &path)> &store) {
    return norvalis::StoreSettingsFile(choice(), store);
}

void setSettingsDirectoryOverride(const QString &directory) {
    // Without a configuration folder the rule keeps the file beside the "program".
    locationOverride() = {directory, QString()};
}

void setSettingsLocationOverride(const QString &programDirectory,
                                 const QString &userConfigDirectory) {
    locationOverride() = {programDirectory, userConfigDirectory};
}

} // namespace platform
