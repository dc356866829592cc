// The main window's extras driven as a person would: the pen dose and ceiling lines, the
// Options dialog, recording a dose with Ctrl+R, the log window with Ctrl+L, and a logbook
// that cannot be used. Without the settings and with no logbook the window keeps its design.

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

namespace {

// Breakfast: 10 g a unit, so the carbohydrate text alone sets the total.
const QByteArray kMeals = "[Period]\nP_1=Breakfast\nP_2=Options\nP_3=Lunch\n\n[Breakfast]\n"
                          "CD_1=10\n\n[Lunch]\nCD_1=12\n";

QRect designRect(const char *name) {
    for (const widget_table::WidgetRow &entry : mainwindow::kMainWindowWidgets)
        if (entry.name == name)
            return platform::twipsRect(entry.left, entry.top, entry.width, entry.height);
    return {};
}

template <typename T> T *activeModal() {
    return qobject_cast<T *>(QApplication::activeModalWidget());
}

void pressOk(QDialog *dialog) {
    dialog->findChild<QDialogButtonBox *>("buttons")->button(QDialogButtonBox::Ok)->click();
}

QString accessibleText(QObject *object, QAccessible::Text kind) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(kind) : QString();
}

} // namespace

class DoseExtrasTest : public QObject {
    Q_OBJECT
    std::optional<testsupport::TestEnvironment> env_;
    std::unique_ptr<MainWindow> window_;

    QString logPath() const { return env_->directory() + "/data/Norvalis/Norvalis-log.sqlite"; }

    bool open(const QByteArray &file = kMeals) {
        env_->writeSettingsFile(file);
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
    // Runs Ctrl+R and, inside the dialog, act; returns whether the dialog was seen.
    bool record(const std::function<void(RecordDoseDialog *)> &act) {
        bool seen = false;
        testsupport::whenIdle([&] {
            if (auto *dialog = activeModal<RecordDoseDialog>()) {
                seen = true;
                act(dialog);
                if (dialog->isVisible())
                    dialog->reject();
            }
        });
        QTest::keyClick(window_.get(), Qt::Key_R, Qt::ControlModifier);
        return seen;
    }

private slots:
    void init() {
        env_.emplace();
        env_->watchdog().allowModal("frmRecordDose");
        env_->watchdog().allowModal("frmOptions");
        logbook::setLogPathOverride(logPath());
    }
    void cleanup() {
        window_.reset();
        logbook::setLogPathOverride(QString());
    }

    // State: no [Options], no logbook. Expected: the designed layout, no extra line, no file.
    void keepsTheDesignWithoutTheNewSettings() {
        QVERIFY(open());
        QCOMPARE(find("Frame2")->geometry(), designRect("Frame2"));
        QCOMPARE(find("Exit")->geometry(), designRect("Exit"));
        QVERIFY(window_->centralWidget()->height() >= designRect("Exit").bottom());
        for (const char *line : {"Lab_pen", "Lab_max", "Lab_last"})
            QVERIFY2(find(line)->isHidden(), line);
        QCOMPARE(find("Lab_tot2")->palette().color(QPalette::WindowText),
                 QApplication::palette().color(QPalette::WindowText));
        QTest::qWait(20);
        QVERIFY2(!QFile::exists(logPath()), "start-up created the logbook");
        QStringList titles;
        for (QAction *action : window_->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, QStringList({"&Configuation", "&Log", "&Help"}));
    }

    // State: a logbook with entries of an earlier day and of today. Action: start. Expected:
    // the newest one is shown once the window is up, and the window grows to hold the line.
    void showsTheNewestEntryAfterStart_data() {
        QTest::addColumn<int>("minutesAgo");
        QTest::addColumn<double>("taken");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("dated");
        QTest::newRow("newest a few minutes ago")
            << 5 << 4.5 << "Last recorded: 4.5 units at " << false;
        QTest::newRow("newest two days ago")
            << 48 * 60 << 7.0 << "Last recorded: 7 units at " << true;
    }
    void showsTheNewestEntryAfterStart() {
        QFETCH(int, minutesAgo);
        QFETCH(double, taken);
        QFETCH(QString, start);
        QFETCH(bool, dated);
        {
            logbook::LogStore store(logPath());
            for (const auto &[ago, dose] :
                 {std::pair{minutesAgo + 600, 99.0}, {minutesAgo, taken}}) {
                logbook::LogEntry entry;
                entry.takenAt = QDateTime::currentDateTime().addSecs(-60 * ago);
                entry.period = "Breakfast";
                entry.taken = dose;
                QVERIFY(store.add(entry).ok);
            }
        }
        QVERIFY(open());
        auto *last = find<QLabel>("Lab_last");
        QTRY_VERIFY(last->isVisible());
        QVERIFY2(last->text().startsWith(start), qPrintable(last->text()));
        QCOMPARE(last->text().contains(" on "), dated);
        QVERIFY(find("Exit")->geometry().top() > last->geometry().bottom());
        QVERIFY(env_->watchdog().seen().isEmpty());
    }

    // A period named Options is not offered: that section holds the settings.
    void optionsIsNotAPeriod() {
        QVERIFY(open());
        auto *mealtime = find<QComboBox>("Mealtime");
        QCOMPARE(mealtime->count(), 2);
        QCOMPARE(mealtime->itemText(1), "Lunch");
    }

    void penLine_data() {
        QTest::addColumn<QByteArray>("options"); // the [Options] section's lines
        QTest::addColumn<QString>("carbs");
        QTest::addColumn<QString>("line"); // empty: not shown
        QTest::newRow("no setting") << QByteArray() << "112.5"
                                    << "";
        QTest::newRow("tie goes down") << QByteArray("PenStep=0.5\n") << "112.5"
                                       << "Pen dose: 11";
        QTest::newRow("above half goes up") << QByteArray("PenStep=0.5\n") << "113"
                                            << "Pen dose: 11.5";
        QTest::newRow("whole units") << QByteArray("PenStep=1\n") << "66"
                                     << "Pen dose: 7";
        QTest::newRow("zero step is off") << QByteArray("PenStep=0\n") << "112.5"
                                          << "";
        QTest::newRow("text is off") << QByteArray("PenStep=half\n") << "112.5"
                                     << "";
    }

    void penLine() {
        QFETCH(QByteArray, options);
        QFETCH(QString, carbs);
        QFETCH(QString, line);
        QVERIFY(open(kMeals + (options.isEmpty() ? QByteArray() : "\n[Options]\n" + options)));
        type("Carb", carbs);
        auto *pen = find<QLabel>("Lab_pen");
        QCOMPARE(pen->isVisible(), !line.isEmpty());
        if (line.isEmpty())
            return;
        QCOMPARE(pen->text(), line);
        // Below the total, inside the frame, which grew for it.
        QVERIFY(pen->geometry().top() > find("Lab_tot2")->geometry().bottom());
        QVERIFY(find("Frame2")->geometry().bottom() > designRect("Frame2").bottom());
        QVERIFY(find("Exit")->geometry().top() > find("Frame2")->geometry().bottom());
        QCOMPARE(accessibleText(pen, QAccessible::Name), "Pen dose, " + line.mid(10));
        QCOMPARE(accessibleText(pen, QAccessible::Description), "Pen dose");
        QVERIFY(!QAccessible::queryAccessibleInterface(pen)->state().invisible);
    }

    // Like the tables, the options are read again when a period is picked.
    void handEditCountsAtTheNextSelection() {
        QVERIFY(open());
        QVERIFY(find("Lab_pen")->isHidden());
        env_->writeSettingsFile(kMeals + "\n[Options]\nPenStep=1\n");
        find<QComboBox>("Mealtime")->setCurrentIndex(1);
        QVERIFY(find("Lab_pen")->isVisible());
        QCOMPARE(find<QLabel>("Lab_pen")->text(), "Pen dose: 0");
    }

    void ceilingLine_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QString>("carbs");
        QTest::addColumn<bool>("above");
        QTest::newRow("no setting") << QByteArray() << "500" << false;
        QTest::newRow("below") << QByteArray("MaxDose=20\n") << "190" << false;
        QTest::newRow("equal is not above") << QByteArray("MaxDose=20\n") << "200" << false;
        QTest::newRow("above") << QByteArray("MaxDose=20\n") << "201" << true;
    }

    void ceilingLine() {
        QFETCH(QByteArray, options);
        QFETCH(QString, carbs);
        QFETCH(bool, above);
        QVERIFY(open(kMeals + (options.isEmpty() ? QByteArray() : "\n[Options]\n" + options)));
        type("Carb", carbs);
        auto *warning = find<QLabel>("Lab_max");
        QCOMPARE(warning->isVisible(), above);
        const QColor total = find("Lab_tot2")->palette().color(QPalette::WindowText);
        QCOMPARE(total == QColor(192, 0, 0), above);
        if (above) {
            QCOMPARE(warning->text(), "Above your maximum of 20 units — check the numbers");
            QCOMPARE(accessibleText(find("Lab_tot2"), QAccessible::Description), warning->text());
            QCOMPARE(accessibleText(warning, QAccessible::Name), warning->text());
        }
        // Back below: the warning goes and the total is no longer red.
        type("Carb", "10");
        QVERIFY(warning->isHidden());
        QVERIFY(find("Lab_tot2")->palette().color(QPalette::WindowText) != QColor(192, 0, 0));
    }

    void recordsWhatTheWindowShows() {
        QVERIFY(open(kMeals + "\n[Options]\nPenStep=0.5\n"));
        type("Blood_Sugar", "190 mg");
        type("Carb", "112.5");
        const QString totalBefore = find<QLabel>("Lab_tot2")->text();
        QString prefilled;
        QVERIFY(record([&](RecordDoseDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), "Record Dose");
            prefilled = dialog->takenBox()->text();
            QTest::keyClicks(dialog->noteBox(), "after a walk, \"light\"");
            pressOk(dialog);
        }));
        QCOMPARE(prefilled, "11"); // the pen dose, not the total 11.25
        const QList<logbook::LogEntry> entries = stored();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].period, "Breakfast");
        QCOMPARE(entries[0].bloodSugarText, "190 mg");
        QCOMPARE(entries[0].bloodSugar, 190.0);
        QCOMPARE(entries[0].carbs, 112.5);
        QCOMPARE(entries[0].totalDose, "11.25");
        QCOMPARE(entries[0].taken, 11.0);
        QCOMPARE(entries[0].note, "after a walk, \"light\"");
        QCOMPARE(find<QLabel>("Lab_tot2")->text(), totalBefore);
        QVERIFY(env_->watchdog().seen().isEmpty());
        auto *last = find<QLabel>("Lab_last");
        QVERIFY(last->isVisible());
        QVERIFY2(last->text().startsWith("Last recorded: 11 units at ") &&
                     last->text().endsWith("(just now)"),
                 qPrintable(last->text()));
        QVERIFY(find("Exit")->geometry().top() > last->geometry().bottom());
        // A screen reader reads the line itself, not only what it is.
        QCOMPARE(accessibleText(last, QAccessible::Name), last->text());
        QCOMPARE(QFileInfo(logPath()).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    }

    void refusesAnUnreadableTaken_data() {
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << ""
                               << "\"Taken\" is empty";
        QTest::newRow("blanks") << "   "
                                << "\"Taken\" is empty";
        QTest::newRow("no number") << "six"
                                   << "\"Taken\" does not start with a number";
    }

    void refusesAnUnreadableTaken() {
        QFETCH(QString, taken);
        QFETCH(QString, message);
        QVERIFY(open());
        bool stayedOpen = false;
        QVERIFY(record([&](RecordDoseDialog *dialog) {
            dialog->takenBox()->setText(taken);
            pressOk(dialog);
            stayedOpen = dialog->isVisible();
        }));
        QVERIFY(stayedOpen);
        QCOMPARE(env_->watchdog().seen().size(), 1);
        QVERIFY(env_->watchdog().seen()[0].text.contains(message));
        QVERIFY(stored().isEmpty());
    }

    void asksBeforeRecordingAboveTheMaximum_data() {
        QTest::addColumn<QString>("carbs");
        QTest::addColumn<QString>("taken"); // empty: keep the prefilled total
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("entries");
        QTest::newRow("below: no question") << "150"
                                            << "" << false << false << 1;
        QTest::newRow("total above, yes") << "250"
                                          << "" << true << true << 1;
        QTest::newRow("total above, no") << "250"
                                         << "" << true << false << 0;
        QTest::newRow("total above, less taken, still asked") << "250"
                                                              << "18" << true << false << 0;
        QTest::newRow("taken above a total below") << "150"
                                                   << "25" << true << false << 0;
    }

    void asksBeforeRecordingAboveTheMaximum() {
        QFETCH(QString, carbs);
        QFETCH(QString, taken);
        QFETCH(bool, asked);
        QFETCH(bool, yes);
        QFETCH(int, entries);
        env_->watchdog().allowModal("confirmAboveMaximum");
        QVERIFY(open(kMeals + "\n[Options]\nMaxDose=20\n"));
        type("Carb", carbs);
        bool seenQuestion = false;
        QVERIFY(record([&](RecordDoseDialog *dialog) {
            if (!taken.isEmpty())
                dialog->takenBox()->setText(taken);
            testsupport::whenIdle([&] {
                if (auto *box = activeModal<QMessageBox>()) {
                    seenQuestion = box->objectName() == "confirmAboveMaximum";
                    box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
                }
            });
            pressOk(dialog);
        }));
        QCOMPARE(seenQuestion, asked);
        QCOMPARE(stored().size(), entries);
    }

    // The logbook cannot be created: the command says where and why; the doses go on.
    void reportsALogbookThatCannotBeUsed() {
        QVERIFY(open());
        QFile blocker(env_->directory() + "/data");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QTest::keyClick(window_.get(), Qt::Key_R, Qt::ControlModifier);
        find<QAction>("showlog")->trigger();
        QCOMPARE(env_->watchdog().seen().size(), 2);
        for (const testsupport::SeenMessageBox &box : env_->watchdog().seen()) {
            QVERIFY2(box.text.contains(logPath()), qPrintable(box.text));
            QVERIFY(box.text.contains("Reason: "));
        }
        type("Carb", "50");
        QCOMPARE(find<QLabel>("Lab_tot2")->text(), "5");
    }

    void optionsDialogSaves_data() {
        QTest::addColumn<QString>("penStep");
        QTest::addColumn<QString>("maxDose");
        QTest::addColumn<QByteArray>("file"); // the whole file after OK; empty: refused
        QTest::addColumn<QString>("message");
        const QByteArray before = kMeals + "; kept as it is\n";
        QTest::newRow("both set, normalised")
            << "0.50"
            << "20 units" << QByteArray(before + "\n[Options]\nPenStep=0.5\nMaxDose=20\n") << "";
        QTest::newRow("both empty: nothing added") << ""
                                                   << "" << before << "";
        QTest::newRow("no number refused naming the box")
            << "half"
            << "20" << QByteArray() << "\"Pen step\" must start with a number";
        QTest::newRow("zero refused") << "0.5"
                                      << "0" << QByteArray() << "\"Maximum dose\" must be above 0";
        QTest::newRow("negative refused") << "-1"
                                          << "" << QByteArray() << "\"Pen step\" must be above 0";
    }

    void optionsDialogSaves() {
        QFETCH(QString, penStep);
        QFETCH(QString, maxDose);
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QVERIFY(open(kMeals + "; kept as it is\n"));
        const QByteArray before = env_->readSettingsFile();
        bool closed = false;
        testsupport::whenIdle([&] {
            auto *dialog = activeModal<OptionsDialog>();
            QVERIFY(dialog);
            dialog->penStepBox()->setText(penStep);
            dialog->maxDoseBox()->setText(maxDose);
            pressOk(dialog);
            closed = !dialog->isVisible();
            if (!closed)
                dialog->reject();
        });
        find<QAction>("options")->trigger();
        QCOMPARE(closed, !file.isEmpty());
        QCOMPARE(env_->readSettingsFile(), file.isEmpty() ? before : file);
        if (!message.isEmpty()) {
            QCOMPARE(env_->watchdog().seen().size(), 1);
            QVERIFY2(env_->watchdog().seen()[0].text.contains(message),
                     qPrintable(env_->watchdog().seen()[0].text));
        }
    }

    // Set, then emptied: the key goes and the line disappears at once.
    void optionsDialogTurnsASettingOff() {
        QVERIFY(open(kMeals + "\n[Options]\nPenStep=0.5\nMaxDose=20\n"));
        QVERIFY(find("Lab_pen")->isVisible());
        testsupport::whenIdle([&] {
            auto *dialog = activeModal<OptionsDialog>();
            QCOMPARE(dialog->penStepBox()->text(), "0.5");
            dialog->penStepBox()->clear();
            pressOk(dialog);
        });
        find<QAction>("options")->trigger();
        QCOMPARE(env_->readSettingsFile(), kMeals + "\n[Options]\nMaxDose=20\n");
        QVERIFY(find("Lab_pen")->isHidden());
    }

    void logWindowFiltersDeletesAndExports() {
        const QDateTime now = QDateTime::currentDateTime();
        {
            logbook::LogStore store(logPath());
            for (int daysAgo : {100, 10, 1}) {
                logbook::LogEntry entry;
                entry.takenAt = now.addDays(-daysAgo);
                entry.period = "Breakfast";
                entry.bloodSugarText = QString::number(100 + daysAgo);
                entry.bloodSugar = 100 + daysAgo;
                entry.taken = daysAgo;
                entry.note = daysAgo == 1 ? "one, \"two\"\nthree" : "";
                QVERIFY(store.add(entry).ok);
            }
        }
        QVERIFY(open());
        QTest::keyClick(window_.get(), Qt::Key_L, Qt::ControlModifier);
        auto *log = window_->findChild<LogWindow *>();
        QVERIFY(log && log->isVisible());
        QCOMPARE(log->windowTitle(), "Norvalis Log");
        QCOMPARE(log->model()->rowCount(), 2); // the last 30 days
        QCOMPARE(log->model()->entries()[0].taken, 1.0);
        const std::pair<const char *, int> ranges[] = {
            {"Last 7 days", 1}, {"Last 14 days", 2}, {"Last 90 days", 2}, {"All", 3}};
        for (const auto &[caption, rows] : ranges) {
            log->rangeBox()->setCurrentText(caption);
            QCOMPARE(log->model()->rowCount(), rows);
            // Line and points of the readings, and the dose bars.
            const auto series = log->chart()->chart()->series();
            QCOMPARE(series.size(), 3);
            QCOMPARE(qobject_cast<QXYSeries *>(series[1])->count(), rows);
        }

        // Through the file dialog, as a person does it: the suffix is added, the file is private.
        env_->watchdog().allowModal("exportDialog");
        const QString exported = env_->directory() + "/shown.csv";
        testsupport::whenIdle([&] {
            auto *dialog = activeModal<QFileDialog>();
            QVERIFY(dialog);
            dialog->selectFile(env_->directory() + "/shown");
            static_cast<QDialog *>(dialog)->accept(); // checks the name as OK does
        });
        log->findChild<QPushButton *>("export")->click();
        QCOMPARE(QFileInfo(exported).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
        QFile csv(exported);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), logbook::entriesToCsv(log->model()->entries()));

        // Delete the newest with the keyboard: No keeps it, Yes removes it.
        env_->watchdog().allowModal("confirmDelete");
        for (bool yes : {false, true}) {
            testsupport::whenIdle([&] {
                if (auto *box = activeModal<QMessageBox>())
                    box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            log->table()->setFocus();
            log->table()->selectRow(0);
            QTest::keyClick(log->table(), Qt::Key_Delete);
            QCOMPARE(stored().size(), yes ? 2 : 3);
        }
        QVERIFY(find<QLabel>("Lab_last")->text().startsWith("Last recorded: 10 units"));
    }

    // Every control a person reaches with Tab has a name a screen reader can say.
    void logWindowControlsAreNamed() {
        QVERIFY(open());
        QTest::keyClick(window_.get(), Qt::Key_L, Qt::ControlModifier);
        auto *log = window_->findChild<LogWindow *>();
        QVERIFY(log);
        int named = 0;
        for (QWidget *widget : log->findChildren<QWidget *>()) {
            // Plain QWidgets are the views' viewports, reached through their views.
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisible() ||
                widget->metaObject() == &QWidget::staticMetaObject || !widget->isEnabledTo(log) ||
                widget->objectName().startsWith("qt_"))
                continue;
            QVERIFY2(!accessibleText(widget, QAccessible::Name).isEmpty(),
                     qPrintable(widget->metaObject()->className() + QString(" ") +
                                widget->objectName()));
            ++named;
        }
        QVERIFY(named >= 4);
        // The count of entries shown is read as it stands on screen.
        auto *status = log->findChild<QLabel *>("status");
        QVERIFY(!status->text().isEmpty());
        QCOMPARE(accessibleText(status, QAccessible::Name), status->text());
        QTest::keyClick(log, Qt::Key_Escape);
        QVERIFY(!log->isVisible() || log->isHidden());
    }
};

QTEST_MAIN(DoseExtrasTest)
#include "dose_extras_test.moc"
