#pragma once

#include <QString>

namespace platform {

// The per-user store of small text values (window placement), kept between runs.
// Backed by QSettings in native format: ~/.config/<application>/<application>.conf on Linux,
// one group per section. Tests redirect it with QSettings::setPath().
QString readUserSetting(const QString &application, const QString &section, const QString &key,
                        const QString &defaultValue);
void writeUserSetting(const QString &application, const QString &section, const QString &key,
                      const QString &value);

} // namespace platform
