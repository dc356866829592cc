#include "ui/log_window/log_features_plugin.h"

#include "logbook/active_insulin.h"
#include "logbook/last_recorded_text.h"
#include "logbook/log_store.h"
#include "ui/log_window/log_window.h"
#include "ui/record_dose/record_dose_dialog.h"
#include "ui/report_window/report_window.h"
#include "ui/report_window/units_question.h"

namespace {

class StoreSession : public LogSession {
public:
    explicit StoreSession(const QString &path) : store_(path) {}

    QString open() override {
        const logbook::LogResult opened = store_.open();
        return opened.ok ? QString() : opened.error;
    }

    QString lastRecordedLine(const QDateTime &now) override {
        // With every entry dated later than now the line still names one rather than none.
        std::optional<logbook::LogEntry> newest = store_.latestUpTo(now);
        if (!newest)
            newest = store_.latest();
        return newest ? logbook::lastRecordedText(*newest, now) : QString();
    }

    QString activeInsulinLine(const QDateTime &now,
                              const norvalis::InsulinAction &action) override {
        QList<logbook::LogEntry> entries;
        if (!store_.entries(entries, logbook::activeSince(now, action)).ok)
            return {};
        return QString::fromStdString(
            norvalis::ActiveInsulinLine(logbook::activeInsulinAt(entries, now, action).units));
    }

    QDialog *createRecordDialog(const DoseSnapshot &snapshot, QWidget *parent,
                                std::function<void()> recorded) override {
        auto *dialog = new RecordDoseDialog(snapshot, store_, parent);
        QObject::connect(dialog, &RecordDoseDialog::recorded, dialog, std::move(recorded));
        return dialog;
    }

    QWidget *createLogWindow(QWidget *parent, std::function<void()> entryDeleted) override {
        auto *window = new LogWindow(store_, parent);
        QObject::connect(window, &LogWindow::entryDeleted, window, std::move(entryDeleted));
        return window;
    }

    void reloadLogWindow(QWidget *logWindow) override {
        if (auto *log = qobject_cast<LogWindow *>(logWindow))
            log->reload();
    }

    QWidget *createReportWindow(QWidget *parent, const QString &settingsPath) override {
        // Asked over the main window, before the report window exists.
        const std::optional<norvalis::GlucoseUnits> units = reportUnits(parent, settingsPath);
        if (!units)
            return nullptr;
        auto *window = new ReportWindow(store_, settingsPath, parent);
        window->useUnits(*units);
        return window;
    }

private:
    logbook::LogStore store_;
};

} // namespace

std::unique_ptr<LogSession> LogFeaturesPlugin::session(const QString &logPath) {
    return std::make_unique<StoreSession>(logPath);
}
