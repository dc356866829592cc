#pragma once

#include "ui/log_window/log_features.h"

#include <QObject>

// The logbook, Record Dose and the log window behind the LogFeatures interface.
class LogFeaturesPlugin : public QObject, public LogFeatures {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID NorvalisLogFeatures_iid)
    Q_INTERFACES(LogFeatures)

public:
    std::unique_ptr<LogSession> session(const QString &logPath) override;
};
