#pragma once

#include "core/dose_options.h"
#include "core/insulin_options.h"

#include <QHash>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <memory>
#include <optional>

class LogSession;
class QLabel;
class QMainWindow;
class QWidget;
struct DoseSnapshot;

// What the main window shows and offers beyond the doses themselves: the pen dose, the
// ceiling warning and the low warning under the total, the last recorded entry and the active
// insulin under the Corrections frame, and the commands Record dose, Show log and Options. Without
// the settings and with an empty logbook none of its lines are shown and the window keeps its
// designed layout.
class DoseExtras : public QObject {
    Q_OBJECT

public:
    // widgets: the main window's widgets by object name; the menu items are found by theirs.
    DoseExtras(QMainWindow *window, const QHash<QString, QWidget *> &widgets);
    ~DoseExtras() override;

    // Run after every calculation with its total (nullopt when none could be worked out).
    void afterRecalculation(std::optional<double> total);

    // The logbook, its plugin loaded on first use so that start-up does not wait for it. Null
    // when the plugin cannot be loaded; error then says which file and why.
    LogSession *logSession(QString *error = nullptr);

    void recordDose();
    void showLog();
    void showReport();
    void showOptions();
    // Rereads the newest entry for the "Last recorded" line, and the active insulin.
    void refreshLastRecorded();
    // Reads the pen step and the ceiling from the settings file again.
    void readOptions();

signals:
    // Record dose was chosen: whoever shows the doses brings them up to date first.
    void aboutToRecord();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The open logbook, or null after a message that starts with failure and says why.
    LogSession *openedLog(const QString &failure);
    void connectMenu();
    void relayout();
    DoseSnapshot snapshot() const;

    QMainWindow *window_;
    QHash<QString, QWidget *> widgets_;
    QLabel *penLine_ = nullptr;
    QLabel *maxLine_ = nullptr;
    QLabel *lowLine_ = nullptr;
    QLabel *lastLine_ = nullptr;
    QLabel *activeLine_ = nullptr;
    QRect frameDesign_;
    QRect exitDesign_;
    QPalette totalPalette_;
    QTimer minuteTimer_;
    std::optional<double> total_;
    norvalis::DoseOptions options_;
    norvalis::InsulinOptions insulin_;
    std::unique_ptr<LogSession> log_;
    QPointer<QWidget> logWindow_; // owned by the main window; gone once closed
    QPointer<QWidget> reportWindow_;
};
