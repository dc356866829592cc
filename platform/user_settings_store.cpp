#include "platform/user_settings_store.h"

#include <QSettings>

namespace platform {

namespace {
QString storeKey(const QString &section, const QString &key) {
    return section + QLatin1Char('/') + key;
}
} // namespace

QString readUserSetting(const QString &application, const QString &section, const QString &key,
                        const QString &defaultValue) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, application, application);
    return store.value(storeKey(section, key), defaultValue).toString();
}

void writeUserSetting(const QString &application, const QString &section, const QString &key,
                      const QString &value) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, application, application);
    store.setValue(storeKey(section, key), value);
    store.sync();
}

} // namespace platform
