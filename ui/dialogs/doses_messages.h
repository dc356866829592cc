#pragma once

#include <QString>

// The texts the "Configure Dosages" dialog shows in message boxes.
namespace doses_messages {

inline constexpr const char *kApply = "Apply Code goes here to set options w/o closing dialog!";

QString saveFailed(const QString &period, const QString &path, const QString &reason);
QString loadFailed(const QString &period, const QString &path, const QString &reason);
QString noPeriods(const QString &path);

} // namespace doses_messages
