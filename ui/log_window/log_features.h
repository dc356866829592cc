#pragma once

#include "core/insulin_curve.h"
#include "ui/record_dose/dose_snapshot.h"

#include <QDateTime>
#include <QString>
#include <QtPlugin>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

// One logbook file as the main window reaches it: the "Last recorded" line, the Record Dose
// dialog and the log window.
class LogSession {
public:
    virtual ~LogSession() = default;

    // Opens (and on first use creates) the logbook. Empty when it is open; otherwise the file
    // and the reason, in words a person can act on.
    virtual QString open() = 0;
    // The reminder of the newest entry; empty when there is none or it cannot be read.
    virtual QString lastRecordedLine(const QDateTime &now) = 0;
    // "Active insulin: 2.3 units" from the rapid doses still acting at now; empty when nothing
    // is or the logbook cannot be read.
    virtual QString activeInsulinLine(const QDateTime &now,
                                      const norvalis::InsulinAction &action) = 0;
    // Record Dose for what the window shows; recorded runs after every stored entry.
    virtual QDialog *createRecordDialog(const DoseSnapshot &snapshot, QWidget *parent,
                                        std::function<void()> recorded) = 0;
    // The log window; entryDeleted runs after an entry has been deleted in it.
    virtual QWidget *createLogWindow(QWidget *parent, std::function<void()> entryDeleted) = 0;
    // Reads the entries of a window made by createLogWindow again.
    virtual void reloadLogWindow(QWidget *logWindow) = 0;
    // The report window on the program's settings file, after asking once for the glucose
    // units while it names none; null when the person gave no answer.
    virtual QWidget *createReportWindow(QWidget *parent, const QString &settingsPath) = 0;
};

// The logbook and its windows live in a plugin beside the program, loaded on their first use,
// so that Qt SQL and Qt Charts are not loaded and relocated at every start.
class LogFeatures {
public:
    virtual ~LogFeatures() = default;
    virtual std::unique_ptr<LogSession> session(const QString &logPath) = 0;
};

// Raised with every change to the interfaces, so an older plugin is refused, not misused.
#define NorvalisLogFeatures_iid "org.norvalis.Norvalis.LogFeatures/3"
Q_DECLARE_INTERFACE(LogFeatures, NorvalisLogFeatures_iid)
