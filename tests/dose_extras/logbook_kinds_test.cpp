// Record Dose's kinds and its two questions, the main window's low warning and active insulin
// line, and the Options rows for them, driven with the keyboard on the offscreen platform.

#include "core/insulin_curve.h"
#include "tests/dose_extras/extras_fixture.h"

using namespace extrastest;

namespace {

logbook::LogEntry dose(const QDateTime &at, logbook::EntryKind kind, double taken) {
    logbook::LogEntry entry;
    entry.kind = kind;
    entry.takenAt = at;
    entry.period = QStringLiteral("Breakfast");
    entry.taken = taken;
    return entry;
}

} // namespace

class LogbookKindsTest : public ExtrasFixture {
    Q_OBJECT

    void storeEntry(const logbook::LogEntry &entry) {
        logbook::LogStore store(logPath());
        logbook::LogEntry copy = entry;
        QVERIFY(store.add(copy).ok);
    }

private slots:
    void init() { initExtras(); }
    void cleanup() { cleanupExtras(); }

    // Kind is reached with Tab from Taken and chosen with the arrow keys. A reading only
    // takes nothing (Taken disabled); a long-acting dose starts empty and stores neither the
    // period nor the figures; a rapid dose keeps what the window showed.
    void recordsEachKind_data() {
        QTest::addColumn<int>("downs");     // arrow presses in the Kind box
        QTest::addColumn<QString>("typed"); // into Taken, when enabled
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("taken");
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("total");
        QTest::newRow("rapid keeps the prefilled total")
            << 0 << QString() << int(logbook::EntryKind::Rapid) << 7.5 << "Breakfast"
            << "7.5";
        QTest::newRow("long-acting starts empty, no period or figures")
            << 1 << "14" << int(logbook::EntryKind::Long) << 14.0 << ""
            << "";
        QTest::newRow("reading only takes nothing")
            << 2 << QString() << int(logbook::EntryKind::Reading) << 0.0 << "Breakfast"
            << "";
    }

    void recordsEachKind() {
        QFETCH(int, downs);
        QFETCH(QString, typed);
        QFETCH(int, kind);
        QFETCH(double, taken);
        QFETCH(QString, period);
        QFETCH(QString, total);
        QVERIFY(open());
        type("Blood_Sugar", "120");
        type("Carb", "75");
        bool takenEnabled = true;
        QString takenAfterSwitch;
        QVERIFY(record([&](RecordDoseDialog *dialog) {
            QCOMPARE(dialog->focusWidget(), dialog->takenBox());
            QTest::keyClick(dialog->takenBox(), Qt::Key_Tab);
            QCOMPARE(dialog->focusWidget(), dialog->kindBox());
            for (int i = 0; i < downs; ++i)
                QTest::keyClick(dialog->kindBox(), Qt::Key_Down);
            takenEnabled = dialog->takenBox()->isEnabled();
            takenAfterSwitch = dialog->takenBox()->text();
            QTest::keyClick(dialog->kindBox(), Qt::Key_Tab);
            QCOMPARE(dialog->focusWidget(), dialog->noteBox());
            if (!typed.isEmpty())
                dialog->takenBox()->setText(typed);
            pressOk(dialog);
        }));
        QCOMPARE(takenEnabled, kind != int(logbook::EntryKind::Reading));
        QCOMPARE(takenAfterSwitch, kind == int(logbook::EntryKind::Rapid) ? "7.5" : "");
        QVERIFY(env_->watchdog().seen().isEmpty());
        const QList<logbook::LogEntry> entries = stored();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(int(entries[0].kind), kind);
        QCOMPARE(entries[0].taken, taken);
        QCOMPARE(entries[0].period, period);
        QCOMPARE(entries[0].totalDose, total);
        QCOMPARE(entries[0].bloodSugarText, "120");
    }

    // Another rapid dose up to 30 minutes back is named in the dialog and OK asks; No keeps
    // the new dose out. Further back, or a long-acting dose, asks nothing.
    void repeatQuestion_data() {
        QTest::addColumn<int>("secondsAgo");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("asks");
        QTest::newRow("29:59 ago asks") << 29 * 60 + 59 << int(logbook::EntryKind::Rapid) << true;
        QTest::newRow("30:01 ago does not")
            << 30 * 60 + 1 << int(logbook::EntryKind::Rapid) << false;
        QTest::newRow("a long-acting dose does not")
            << 60 << int(logbook::EntryKind::Long) << false;
    }

    void repeatQuestion() {
        QFETCH(int, secondsAgo);
        QFETCH(int, kind);
        QFETCH(bool, asks);
        // The dialog opens a moment after the entry is written: keep 29:59 inside the window.
        const QDateTime before = QDateTime::currentDateTime().addSecs(-secondsAgo + (asks ? 2 : 0));
        storeEntry(dose(before, logbook::EntryKind(kind), 6.5));
        QVERIFY(open());
        type("Carb", "50");
        env_->watchdog().answerNext(QMessageBox::No);
        QString shown;
        QVERIFY(record([&](RecordDoseDialog *dialog) {
            shown = dialog->repeatLine()->isVisible() ? dialog->repeatLine()->text() : QString();
            pressOk(dialog);
        }));
        const QString expected = QStringLiteral("You recorded 6.5 units at %1 (%2 min ago).")
                                     .arg(before.toString("HH:mm"))
                                     .arg((secondsAgo - 2) / 60);
        QCOMPARE(shown, asks ? expected : QString());
        const QList<testsupport::SeenMessageBox> &seen = env_->watchdog().seen();
        QCOMPARE(seen.size(), asks ? 1 : 0);
        if (asks) {
            QCOMPARE(seen[0].text, expected + "\n\nRecord another dose?");
            QCOMPARE(seen[0].buttons, QStringList({"&Yes", "&No"}));
        }
        QCOMPARE(stored().size(), asks ? 1 : 2);
    }

    // Closing the question (Escape) is No, as the default is.
    void repeatQuestionClosedRecordsNothing() {
        storeEntry(dose(QDateTime::currentDateTime().addSecs(-60), logbook::EntryKind::Rapid, 3));
        QVERIFY(open());
        QVERIFY(record([&](RecordDoseDialog *dialog) { pressOk(dialog); }));
        QCOMPARE(env_->watchdog().seen().size(), 1);
        QCOMPARE(stored().size(), 1);
    }

    // The low line shows while the reading is above 0 and below LowBelow; a rapid dose then
    // asks first, a reading only does not.
    void lowReading_data() {
        QTest::addColumn<QString>("reading");
        QTest::addColumn<bool>("low");
        QTest::newRow("just below the limit") << "69.9" << true;
        QTest::newRow("at the limit") << "70" << false;
        QTest::newRow("above the limit") << "180" << false;
        QTest::newRow("no reading") << "" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("text only") << "low" << false;
    }

    void lowReading() {
        QFETCH(QString, reading);
        QFETCH(bool, low);
        QVERIFY(open("LowBelow=70\n"));
        type("Blood_Sugar", reading);
        auto *line = find<QLabel>("Lab_low");
        QCOMPARE(line->isVisible(), low);
        QCOMPARE(find<QLabel>("Lab_tot2")->text().isEmpty(), false); // the doses as always
        if (low) {
            QCOMPARE(line->text(), "Below your low limit of 70 — treat the low first");
            QCOMPARE(accessibleText(line, QAccessible::Name), line->text());
            QVERIFY(line->palette().color(QPalette::WindowText) == kWarningRed);
        }
        env_->watchdog().answerNext(QMessageBox::No);
        QVERIFY(record([&](RecordDoseDialog *dialog) { pressOk(dialog); }));
        QCOMPARE(env_->watchdog().seen().size(), low ? 1 : 0);
        if (low)
            QVERIFY(env_->watchdog().seen()[0].text.contains("below your low limit of 70"));
        QCOMPARE(stored().size(), low ? 0 : 1);
        if (low) {
            window_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window_.get()));
            QVERIFY(record([&](RecordDoseDialog *dialog) {
                dialog->kindBox()->setCurrentIndex(2); // reading only
                pressOk(dialog);
            }));
            QCOMPARE(env_->watchdog().seen().size(), 1);
            QCOMPARE(stored().size(), 1);
        }
    }

    // Active insulin from the rapid doses only, under the last-recorded line, read by its text;
    // hidden when nothing is acting.
    void activeInsulinLine_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("minutesAgo");
        QTest::addColumn<QString>("line"); // empty: hidden
        // 4 units 70 minutes back leave 4 × 0.7792959814 = 3.1171839256.
        QTest::newRow("rapid dose acting")
            << int(logbook::EntryKind::Rapid) << 70 << "Active insulin: 3.12 units";
        QTest::newRow("rapid dose done") << int(logbook::EntryKind::Rapid) << 371 << "";
        QTest::newRow("long-acting dose") << int(logbook::EntryKind::Long) << 70 << "";
    }

    void activeInsulinLine() {
        QFETCH(int, kind);
        QFETCH(int, minutesAgo);
        QFETCH(QString, line);
        storeEntry(dose(QDateTime::currentDateTime().addSecs(-minutesAgo * 60),
                        logbook::EntryKind(kind), 4));
        QVERIFY(open());
        auto *active = find<QLabel>("Lab_active");
        auto *last = find<QLabel>("Lab_last");
        QTRY_VERIFY(last->isVisible());
        QCOMPARE(active->isVisible(), !line.isEmpty());
        if (!line.isEmpty()) {
            QCOMPARE(active->text(), line);
            QCOMPARE(accessibleText(active, QAccessible::Name), line);
            QVERIFY(active->geometry().top() > last->geometry().bottom());
            QVERIFY(find("Exit")->geometry().top() > active->geometry().bottom());
        }
        // The doses are not touched by it.
        type("Carb", "50");
        QCOMPARE(find<QLabel>("Lab_tot2")->text(), "5");
    }

    void optionsRows_data() {
        QTest::addColumn<int>("curve"); // index in the box
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QByteArray>("added");
        QTest::addColumn<QString>("message"); // empty: saved
        const auto row = [](const char *name, int curve, const char *hours, const char *low,
                            const QByteArray &added, const char *message) {
            QTest::newRow(name) << curve << QString(hours) << QString(low) << added
                                << QString(message);
        };
        row("all set, normalised", 1, "5.50", "3.9 mmol",
            "\n[Options]\nInsulinCurve=ultra-rapid\nInsulinHours=5.5\nLowBelow=3.9\n", "");
        row("defaults add nothing", 0, "", "", {}, "");
        row("hours out of range", 0, "9", "", {},
            "\"Insulin hours\" must be a number of hours from 5 to 8");
        row("hours not a number", 0, "six", "", {}, "\"Insulin hours\" must be a number");
        row("low of zero", 0, "", "0", {}, "\"Low below\" must be a number above 0");
    }

    void optionsRows() {
        QFETCH(int, curve);
        QFETCH(QString, hours);
        QFETCH(QString, low);
        QFETCH(QByteArray, added);
        QFETCH(QString, message);
        QVERIFY(open());
        saveOptions(
            [&](OptionsDialog *dialog) {
                dialog->insulinRows().curveBox()->setCurrentIndex(curve);
                dialog->insulinRows().hoursBox()->setText(hours);
                dialog->insulinRows().lowBelowBox()->setText(low);
            },
            added, message);
    }

    // A hand-edited curve the program does not know shows as the rapid curve it uses.
    void optionsShowTheFile() {
        QVERIFY(open("InsulinCurve=ultra-rapid\nInsulinHours=7\nLowBelow=70\n"));
        QVERIFY(options([&](OptionsDialog *dialog) {
            QCOMPARE(dialog->insulinRows().curveBox()->currentText(), "ultra-rapid");
            QCOMPARE(dialog->insulinRows().hoursBox()->text(), "7");
            QCOMPARE(dialog->insulinRows().lowBelowBox()->text(), "70");
        }));
    }
};

QTEST_MAIN(LogbookKindsTest)
#include "logbook_kinds_test.moc"
