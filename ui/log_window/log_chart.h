#pragma once

#include "logbook/log_entry.h"

#include <QChartView>
#include <QList>

// Blood sugar readings over time as a line on the left axis, and the doses taken as bars on a
// right-hand axis, both over one time axis.
class LogChart : public QChartView {
    Q_OBJECT

public:
    explicit LogChart(QWidget *parent = nullptr);
    void setEntries(const QList<logbook::LogEntry> &entries);
};
