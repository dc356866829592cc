#pragma once

// The main window with its extras, started on the meal tables with chosen [Options] lines, a
// scratch logbook, and helpers to act in its modal dialogs as a person does.

#include "logbook/log_csv.h"
#include "logbook/log_location.h"
#include "logbook/log_store.h"
#include "platform/twips.h"
#include "tests/support/test_environment.h"
#include "ui/log_window/log_chart.h"
#include "ui/log_window/log_table_model.h"
#include "ui/log_window/log_window.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/main_window_layout.h"
#include "ui/options/options_dialog.h"
#include "ui/record_dose/record_dose_dialog.h"

#include <QAccessible>
#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QXYSeries>
#include <optional>

namespace extrastest {

// Breakfast: 10 g a unit, so the carbohydrate text alone sets the total. The comment shows
// that saving the options leaves the rest of the file as it is.
inline const QByteArray kMeals = "[Period]\nP_1=Breakfast\nP_2=Options\nP_3=Lunch\n\n[Breakfast]\n"
                                 "CD_1=10\n\n[Lunch]\nCD_1=12\n; kept as it is\n";
inline const QColor kWarningRed(192, 0, 0);

inline QRect designRect(const char *name) {
    for (const widget_table::WidgetRow &entry : mainwindow::kMainWindowWidgets)
        if (entry.name == name)
            return platform::twipsRect(entry.left, entry.top, entry.width, entry.height);
    return {};
}

inline void pressOk(QDialog *dialog) {
    dialog->findChild<QDialogButtonBox *>("buttons")->button(QDialogButtonBox::Ok)->click();
}

inline QString accessibleText(QObject *object, QAccessible::Text kind) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(kind) : QString();
}

// Runs go, which opens a modal dialog of kind T, and act inside it; closes it if act left it
// open. Returns whether the dialog was seen.
template <typename T>
inline bool inDialog(const std::function<void()> &go, const std::function<void(T *)> &act) {
    bool seen = false;
    testsupport::whenIdle([&] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            seen = true;
            act(dialog);
            if (dialog->isVisible())
                static_cast<QDialog *>(dialog)->reject();
        }
    });
    go();
    return seen;
}

class ExtrasFixture : public QObject {
protected:
    std::optional<testsupport::TestEnvironment> env_;
    std::unique_ptr<MainWindow> window_;

    QString logPath() const { return env_->directory() + "/data/Norvalis/Norvalis-log.sqlite"; }

    // Starts the window on the meal tables and these [Options] lines (none when empty).
    bool open(const QByteArray &options = {}) {
        env_->writeSettingsFile(kMeals + (options.isEmpty() ? "" : "\n[Options]\n" + options));
        window_.reset(new MainWindow);
        window_->show();
        return QTest::qWaitForWindowActive(window_.get());
    }
    template <typename T = QWidget> T *find(const char *name) const {
        return window_->findChild<T *>(name);
    }
    void type(const char *box, const QString &text) {
        auto *edit = find<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    QList<logbook::LogEntry> stored() {
        logbook::LogStore store(logPath());
        QList<logbook::LogEntry> entries;
        store.entries(entries);
        return entries;
    }
    bool record(const std::function<void(RecordDoseDialog *)> &act) {
        return inDialog<RecordDoseDialog>(
            [&] { QTest::keyClick(window_.get(), Qt::Key_R, Qt::ControlModifier); }, act);
    }
    bool options(const std::function<void(OptionsDialog *)> &act) {
        return inDialog<OptionsDialog>([&] { find<QAction>("options")->trigger(); }, act);
    }
    // Fills the Options dialog and presses OK: with no message expected it closes and the file
    // gains exactly `added`; otherwise it stays open, says message and leaves the file alone.
    void saveOptions(const std::function<void(OptionsDialog *)> &fill, const QByteArray &added,
                     const QString &message) {
        bool closed = false;
        QVERIFY(options([&](OptionsDialog *dialog) {
            fill(dialog);
            pressOk(dialog);
            closed = !dialog->isVisible();
        }));
        QCOMPARE(closed, message.isEmpty());
        QCOMPARE(env_->readSettingsFile(), kMeals + added);
        QCOMPARE(env_->watchdog().seen().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(env_->watchdog().seen()[0].text.contains(message),
                     qPrintable(env_->watchdog().seen()[0].text));
    }

    void initExtras() {
        env_.emplace();
        env_->watchdog().allowModal("frmRecordDose");
        env_->watchdog().allowModal("frmOptions");
        logbook::setLogPathOverride(logPath());
    }
    void cleanupExtras() {
        window_.reset();
        logbook::setLogPathOverride(QString());
    }
};

} // namespace extrastest
