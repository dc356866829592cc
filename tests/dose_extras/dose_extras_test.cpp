// The main window's extras driven as a person would: the pen dose and ceiling lines, the
// Options dialog, recording a dose with Ctrl+R, the log window with Ctrl+L, and a logbook
// that cannot be used. Without the settings and with no logbook the window keeps its design.

#include "tests/dose_extras/extras_fixture.h"

using namespace extrastest;

class DoseExtrasTest : public ExtrasFixture {
    Q_OBJECT

private slots:
    void init() { initExtras(); }
    void cleanup() { cleanupExtras(); }

    // State: no [Options], no logbook. Expected: the designed layout, no extra line, no file,
    // and no period for the section that holds the settings.
    void keepsTheDesignWithoutTheNewSettings() {
        QVERIFY(open());
        QCOMPARE(find("Frame2")->geometry(), designRect("Frame2"));
        QCOMPARE(find("Exit")->geometry(), designRect("Exit"));
        QVERIFY(window_->centralWidget()->height() >= designRect("Exit").bottom());
        for (const char *line : {"Lab_pen", "Lab_max", "Lab_low", "Lab_last", "Lab_active"})
            QVERIFY2(find(line)->isHidden(), line);
        QCOMPARE(find("Lab_tot2")->palette().color(QPalette::WindowText),
                 QApplication::palette().color(QPalette::WindowText));
        QTest::qWait(20);
        QVERIFY2(!QFile::exists(logPath()), "start-up created the logbook");
        QStringList titles;
        for (QAction *action : window_->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, QStringList({"&Configuation", "&Log", "&Help"}));
        auto *mealtime = find<QComboBox>("Mealtime");
        QCOMPARE(mealtime->count(), 2);
        QCOMPARE(mealtime->itemText(1), "Lunch");
    }

    // The lines under the total: the pen dose below it, the ceiling warning below that, in a
    // frame grown for them, and a red total while above the ceiling.
    void extraLines_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QString>("carbs");
        QTest::addColumn<QString>("pen"); // empty: not shown
        QTest::addColumn<bool>("above");
        QTest::newRow("no settings") << QByteArray() << "500" << QString() << false;
        QTest::newRow("pen step, tie goes down")
            << QByteArray("PenStep=0.5\n") << "112.5" << QString("Pen dose: 11") << false;
        QTest::newRow("ceiling reached is not above")
            << QByteArray("MaxDose=20\n") << "200" << QString() << false;
        QTest::newRow("above the ceiling, pen step goes up")
            << QByteArray("PenStep=0.5\nMaxDose=20\n") << "203" << QString("Pen dose: 20.5")
            << true;
    }

    void extraLines() {
        QFETCH(QByteArray, options);
        QFETCH(QString, carbs);
        QFETCH(QString, pen);
        QFETCH(bool, above);
        QVERIFY(open(options));
        type("Carb", carbs);
        auto *penLine = find<QLabel>("Lab_pen");
        auto *warning = find<QLabel>("Lab_max");
        QWidget *total = find("Lab_tot2");
        QCOMPARE(penLine->isVisible(), !pen.isEmpty());
        QCOMPARE(warning->isVisible(), above);
        QCOMPARE(total->palette().color(QPalette::WindowText) == kWarningRed, above);
        if (!pen.isEmpty()) {
            QCOMPARE(penLine->text(), pen);
            QVERIFY(penLine->geometry().top() > total->geometry().bottom());
            QCOMPARE(accessibleText(penLine, QAccessible::Name), "Pen dose, " + pen.mid(10));
            QCOMPARE(accessibleText(penLine, QAccessible::Description), "Pen dose");
            QVERIFY(!QAccessible::queryAccessibleInterface(penLine)->state().invisible);
        }
        if (above) {
            QCOMPARE(warning->text(), "Above your maximum of 20 units — check the numbers");
            QCOMPARE(accessibleText(total, QAccessible::Description), warning->text());
            QCOMPARE(accessibleText(warning, QAccessible::Name), warning->text());
            QVERIFY(warning->geometry().top() > penLine->geometry().bottom());
        }
        QCOMPARE(find("Frame2")->geometry().bottom() > designRect("Frame2").bottom(),
                 !pen.isEmpty());
        QVERIFY(find("Exit")->geometry().top() > find("Frame2")->geometry().bottom());
        // Back below: the warning goes and the total is no longer red.
        type("Carb", "10");
        QVERIFY(warning->isHidden());
        QVERIFY(total->palette().color(QPalette::WindowText) != kWarningRed);
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

    void recordsWhatTheWindowShows() {
        QVERIFY(open("PenStep=0.5\n"));
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
        QCOMPARE(prefilled, "11"); // the pen dose, with its tie going down, not the total 11.25
        const QList<logbook::LogEntry> entries = stored();
        QCOMPARE(entries.size(), 1);
        const logbook::LogEntry &e = entries[0];
        QCOMPARE(QVariantList({e.period, e.bloodSugarText, e.bloodSugar, e.carbs, e.totalDose,
                               e.taken, e.note}),
                 QVariantList({"Breakfast", "190 mg", 190.0, 112.5, "11.25", 11.0,
                               "after a walk, \"light\""}));
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

    // With a ceiling of 20: a Taken that cannot be read is refused, and a total or a taken dose
    // above the ceiling is recorded only after a Yes. A refused dose leaves the dialog open.
    void refusesOrAsksBeforeRecording_data() {
        QTest::addColumn<int>("carbs");
        QTest::addColumn<QString>("taken");   // empty: keep the prefilled dose
        QTest::addColumn<int>("answer");      // to the question, if one comes
        QTest::addColumn<QString>("message"); // empty: no message box
        QTest::addColumn<int>("recorded");
        const QString above = "25 units is above your maximum of 20 units.";
        QTest::newRow("blank taken") << 150 << "   " << 0 << "\"Taken\" is empty" << 0;
        QTest::newRow("taken without a number")
            << 150 << "six" << 0 << "\"Taken\" does not start with a number" << 0;
        QTest::newRow("taken with a decimal comma")
            << 150 << "9,5" << 0 << "\"9,5\" is read as 9 \u2014 use a full stop for decimals" << 0;
        QTest::newRow("taken in fullwidth digits")
            << 150 << "\uFF19" << 0 << "\"\uFF19\" is read as 0 \u2014 type the digits 0 to 9" << 0;
        QTest::newRow("below: no question") << 150 << QString() << 0 << QString() << 1;
        QTest::newRow("total above, yes")
            << 250 << QString() << int(QMessageBox::Yes) << above << 1;
        QTest::newRow("total above, no") << 250 << QString() << int(QMessageBox::No) << above << 0;
        QTest::newRow("total above, less taken, still asked")
            << 250 << "18" << int(QMessageBox::No) << above << 0;
        QTest::newRow("taken above a total below")
            << 150 << "25" << int(QMessageBox::No) << above << 0;
    }

    void refusesOrAsksBeforeRecording() {
        QFETCH(int, carbs);
        QFETCH(QString, taken);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(int, recorded);
        if (answer)
            env_->watchdog().answerNext(QMessageBox::StandardButton(answer));
        QVERIFY(open("MaxDose=20\n"));
        type("Carb", QString::number(carbs));
        bool stayedOpen = false;
        QVERIFY(record([&](RecordDoseDialog *dialog) {
            if (!taken.isEmpty())
                dialog->takenBox()->setText(taken);
            pressOk(dialog);
            stayedOpen = dialog->isVisible();
        }));
        const QList<testsupport::SeenMessageBox> &seen = env_->watchdog().seen();
        QCOMPARE(seen.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(seen[0].text.contains(message), qPrintable(seen[0].text));
        QCOMPARE(stored().size(), recorded);
        QCOMPARE(stayedOpen, !recorded);
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
        QTest::addColumn<QByteArray>("added"); // what OK appends to the file
        QTest::addColumn<QString>("message");  // empty: OK closes the dialog
        QTest::newRow("both set, normalised")
            << QString("0.50") << QString("20 units")
            << QByteArray("\n[Options]\nPenStep=0.5\nMaxDose=20\n") << QString();
        QTest::newRow("both empty: nothing added")
            << QString() << QString() << QByteArray() << QString();
        QTest::newRow("no number refused naming the box")
            << QString("half") << QString("20") << QByteArray()
            << "\"Pen step\" must start with a number";
        QTest::newRow("zero refused")
            << QString("0.5") << QString("0") << QByteArray() << "\"Maximum dose\" must be above 0";
        QTest::newRow("pen step with a decimal comma refused")
            << QString("1,5") << QString("20") << QByteArray()
            << "Pen step: \"1,5\" is read as 1 \u2014 use a full stop for decimals.";
        QTest::newRow("maximum with a decimal comma refused")
            << QString("0.5") << QString("12,5") << QByteArray()
            << "Maximum dose: \"12,5\" is read as 12 \u2014 use a full stop for decimals.";
        QTest::newRow("maximum in Arabic-Indic digits refused")
            << QString() << QString("\u0662\u0660") << QByteArray()
            << "Maximum dose: \"\u0662\u0660\" is read as 0 \u2014 type the digits 0 to 9";
    }

    void optionsDialogSaves() {
        QFETCH(QString, penStep);
        QFETCH(QString, maxDose);
        QFETCH(QByteArray, added);
        QFETCH(QString, message);
        QVERIFY(open());
        saveOptions(
            [&](OptionsDialog *dialog) {
                dialog->penStepBox()->setText(penStep);
                dialog->maxDoseBox()->setText(maxDose);
            },
            added, message);
    }

    // Set, then emptied: the key goes and the line disappears at once.
    void optionsDialogTurnsASettingOff() {
        QVERIFY(open("PenStep=0.5\nMaxDose=20\n"));
        QVERIFY(find("Lab_pen")->isVisible());
        QVERIFY(options([&](OptionsDialog *dialog) {
            QCOMPARE(dialog->penStepBox()->text(), "0.5");
            dialog->penStepBox()->clear();
            pressOk(dialog);
        }));
        QCOMPARE(env_->readSettingsFile(), kMeals + "\n[Options]\nMaxDose=20\n");
        QVERIFY(find("Lab_pen")->isHidden());
    }

    // State: a logbook with entries of 100, 10 and 1 days ago.
    void logWindowFiltersDeletesAndExports() {
        const QDateTime now = QDateTime::currentDateTime();
        for (int daysAgo : {100, 10, 1}) {
            logbook::LogEntry entry;
            entry.takenAt = now.addDays(-daysAgo);
            entry.period = "Breakfast";
            entry.bloodSugarText = QString::number(100 + daysAgo);
            entry.bloodSugar = 100 + daysAgo;
            entry.taken = daysAgo;
            entry.note = daysAgo == 1 ? "one, \"two\"\nthree" : "";
            logbook::LogStore store(logPath());
            QVERIFY(store.add(entry).ok);
        }
        QVERIFY(open());
        // The newest, dated, once the window is up, and the window grows to hold the line.
        auto *last = find<QLabel>("Lab_last");
        QTRY_VERIFY(last->isVisible());
        QVERIFY2(last->text().startsWith("Last recorded: 1 units at ") &&
                     last->text().contains(" on "),
                 qPrintable(last->text()));
        QVERIFY(find("Exit")->geometry().top() > last->geometry().bottom());
        QVERIFY(env_->watchdog().seen().isEmpty());

        QTest::keyClick(window_.get(), Qt::Key_L, Qt::ControlModifier);
        auto *log = window_->findChild<LogWindow *>();
        QVERIFY(log && log->isVisible());
        QCOMPARE(log->windowTitle(), "Norvalis Log");
        // Every control a person reaches with Tab has a name a screen reader can say.
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
        QCOMPARE(log->model()->rowCount(), 2); // the last 30 days
        QCOMPARE(log->model()->entries()[0].taken, 1.0);
        const std::pair<const char *, int> ranges[] = {
            {"Last 7 days", 1}, {"Last 14 days", 2}, {"Last 90 days", 2}, {"All", 3}};
        for (const auto &[caption, rows] : ranges) {
            log->rangeBox()->setCurrentText(caption);
            QCOMPARE(log->model()->rowCount(), rows);
            // The rapid and the long-acting bars, and the line and points of the readings.
            const auto series = log->chart()->chart()->series();
            QCOMPARE(series.size(), 4);
            QCOMPARE(qobject_cast<QXYSeries *>(series[2])->count(), rows);
        }

        // Through the file dialog, as a person does it: the suffix is added, the file is private.
        env_->watchdog().allowModal("exportDialog");
        const QString exported = env_->directory() + "/shown.csv";
        QVERIFY(inDialog<QFileDialog>(
            [&] { log->findChild<QPushButton *>("export")->click(); },
            [&](QFileDialog *dialog) {
                dialog->selectFile(env_->directory() + "/shown");
                static_cast<QDialog *>(dialog)->accept(); // checks the name as OK does
            }));
        QCOMPARE(QFileInfo(exported).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
        QFile csv(exported);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), logbook::entriesToCsv(log->model()->entries()));

        // Delete the newest with the keyboard: No keeps it, Yes removes it.
        for (bool yes : {false, true}) {
            env_->watchdog().answerNext(yes ? QMessageBox::Yes : QMessageBox::No);
            log->table()->setFocus();
            log->table()->selectRow(0);
            QTest::keyClick(log->table(), Qt::Key_Delete);
            QCOMPARE(stored().size(), yes ? 2 : 3);
        }
        QCOMPARE(env_->watchdog().seen().size(), 2);
        QVERIFY(last->text().startsWith("Last recorded: 10 units"));
        // The count of entries shown is read as it stands on screen.
        auto *status = log->findChild<QLabel *>("status");
        QVERIFY(!status->text().isEmpty());
        QCOMPARE(accessibleText(status, QAccessible::Name), status->text());
        QTest::keyClick(log, Qt::Key_Escape);
        QVERIFY(!log->isVisible() || log->isHidden());
    }

    // Every tick of the time axis reads differently, over an afternoon as over a month.
    void chartTicksReadDifferently_data() {
        QTest::addColumn<int>("hoursApart");
        QTest::newRow("one afternoon") << 4;
        QTest::newRow("two days") << 30;
        QTest::newRow("a month") << 24 * 30;
    }
    void chartTicksReadDifferently() {
        QFETCH(int, hoursApart);
        const QDateTime start(QDate(2026, 7, 1), QTime(12, 0));
        QList<logbook::LogEntry> entries(2);
        entries[0].takenAt = start.addSecs(3600 * hoursApart);
        entries[1].takenAt = start;
        LogChart chart;
        chart.setEntries(entries);
        const auto axes = chart.chart()->axes(Qt::Horizontal);
        QCOMPARE(axes.size(), 1);
        auto *time = qobject_cast<QDateTimeAxis *>(axes[0]);
        QVERIFY(time);
        const qint64 from = time->min().toMSecsSinceEpoch();
        const qint64 step = (time->max().toMSecsSinceEpoch() - from) / (time->tickCount() - 1);
        QStringList labels;
        for (int i = 0; i < time->tickCount(); ++i)
            labels << QDateTime::fromMSecsSinceEpoch(from + i * step).toString(time->format());
        labels.removeDuplicates();
        QCOMPARE(labels.size(), time->tickCount());
    }
};

QTEST_MAIN(DoseExtrasTest)
#include "dose_extras_test.moc"
