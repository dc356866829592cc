// "Norvalis Report" and the report rows of Options, driven by keys and clicks on the offscreen
// platform, on a logbook and settings file made here.
#include "logbook/log_store.h"
#include "tests/support/test_environment.h"
#include "ui/options/glucose_option_rows.h"
#include "ui/options/options_dialog.h"
#include "ui/report_window/report_window.h"
#include "ui/report_window/units_question.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <optional>

namespace {

const QByteArray kSettings = "[Period]\nP_1=Breakfast\n[Breakfast]\nCD_1=10\nBS_1=140,1\n";

} // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT

    std::optional<testsupport::TestEnvironment> env_;
    std::unique_ptr<logbook::LogStore> store_;

    QString logPath() const { return env_->directory() + "/log.sqlite"; }

    void addEntries(int count) {
        const QDateTime start = QDate::currentDate().startOfDay().addDays(-10);
        for (int i = 0; i < count; ++i) {
            logbook::LogEntry entry;
            entry.takenAt = start.addSecs(qint64(i) * 600);
            entry.period = QStringLiteral("Breakfast");
            entry.bloodSugar = 80 + i % 150;
            entry.bloodSugarText = QString::number(entry.bloodSugar);
            entry.taken = 4;
            QVERIFY(store_->add(entry).ok);
        }
    }

    std::unique_ptr<ReportWindow> openWindow() {
        auto window = std::make_unique<ReportWindow>(*store_, env_->settingsFilePath());
        window->show();
        return window;
    }

private slots:
    void init() {
        env_.emplace();
        env_->watchdog().allowModal(QStringLiteral("reportProgress"));
        env_->watchdog().allowModal(QStringLiteral("frmOptions"));
        env_->writeSettingsFile(kSettings + "[Options]\nGlucoseUnits=mg/dL\n");
        store_ = std::make_unique<logbook::LogStore>(logPath());
        QVERIFY(store_->open().ok);
    }
    void cleanup() {
        store_.reset();
        env_.reset();
    }

    // Expected: 14 days up to today first, the dates fixed until "From–to dates" is chosen,
    // every control named for a screen reader, and Tab walking them in reading order.
    void opensOnFourteenDaysWithEveryControlReachable() {
        auto window = openWindow();
        QCOMPARE(window->rangeBox()->currentText(), QStringLiteral("Last 14 days"));
        QCOMPARE(window->toBox()->date(), QDate::currentDate());
        QCOMPARE(window->fromBox()->date(), QDate::currentDate().addDays(-13));
        QVERIFY(!window->fromBox()->isEnabled());
        QCOMPARE(window->targetLowBox()->text(), QStringLiteral("70"));
        QCOMPARE(window->targetHighBox()->text(), QStringLiteral("180"));

        const QStringList walk = {"range",   "units",   "targetLow", "targetHigh", "name",
                                  "preview", "savePdf", "print",     "close"};
        QApplication::setActiveWindow(window.get());
        window->rangeBox()->setFocus();
        for (const QString &name : walk) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY2(focus, qPrintable(name));
            QCOMPARE(focus->objectName(), name);
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(focus);
            QVERIFY2(spoken && !spoken->text(QAccessible::Name).isEmpty(), qPrintable(name));
            QTest::keyClick(focus, Qt::Key_Tab);
        }

        // The last choice of the range box by keyboard: the dates open up.
        window->rangeBox()->setFocus();
        QTest::keyClick(window->rangeBox(), Qt::Key_End);
        QCOMPARE(window->rangeBox()->currentText(), QStringLiteral("From–to dates"));
        QVERIFY(window->fromBox()->isEnabled());
        QVERIFY(window->toBox()->isEnabled());
    }

    void asksForTheUnitsOnceAndStoresThem() {
        env_->writeSettingsFile(kSettings);
        auto window = openWindow();
        env_->watchdog().answerNext(QMessageBox::No); // the button captioned "mmol/L"
        QCOMPARE(reportUnits(window.get(), env_->settingsFilePath()),
                 norvalis::GlucoseUnits::MmolPerL);
        QCOMPARE(env_->watchdog().seen().size(), 1);
        QStringList buttons = env_->watchdog().seen().first().buttons;
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Cancel", "mg/dL", "mmol/L"}));
        QVERIFY(env_->readSettingsFile().contains("GlucoseUnits=mmol/L"));
        // A new window reads them from the file, with their default target range.
        auto second = openWindow();
        QCOMPARE(second->unitsBox()->currentText(), QStringLiteral("mmol/L"));
        QCOMPARE(second->targetLowBox()->text(), QStringLiteral("3.9"));

        // Stored now: no second question.
        env_->watchdog().clear();
        QCOMPARE(reportUnits(second.get(), env_->settingsFilePath()),
                 norvalis::GlucoseUnits::MmolPerL);
        QVERIFY(env_->watchdog().seen().isEmpty());
    }

    void savesAPdfOfTheRange() {
        addEntries(20);
        auto window = openWindow();
        const QString path = env_->directory() + "/report.pdf";
        QVERIFY(window->saveTo(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QCOMPARE(window->status()->text(), QStringLiteral("Saved ") + path);
        QVERIFY(env_->watchdog().seen().isEmpty());
    }

    void saveRefusals_data() {
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("says");
        const auto row = [](const char *name, const char *low, const char *high, const char *path,
                            const char *says) {
            QTest::newRow(name) << QString(low) << QString(high) << QString(path) << QString(says);
        };
        row("target low above target high", "200", "100", "report.pdf", "target range");
        row("target without a number", "low", "180", "report.pdf", "target range");
        row("a folder that is a file", "70", "180", "Norvalis.ini/report.pdf", "Reason:");
        row("decimal comma in the target", "3,9", "10", "report.pdf", "is read as 3");
    }
    // Expected: a message that says nothing was saved, and no file.
    void saveRefusals() {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(QString, path);
        QFETCH(QString, says);
        auto window = openWindow();
        window->targetLowBox()->setText(low);
        window->targetHighBox()->setText(high);
        const QString full = env_->directory() + "/" + path;
        QVERIFY(!window->saveTo(full));
        QVERIFY(!QFile::exists(full));
        QCOMPARE(env_->watchdog().seen().size(), 1);
        const QString text = env_->watchdog().seen().first().text;
        QVERIFY2(text.startsWith("The report was not saved") && text.contains(says),
                 qPrintable(text));
    }

    // State: a report already at the path; many pages. Action: Cancel in the progress dialog.
    // Expected: the old file as it was, no temporary file left beside it.
    void cancelledReportWritesNothing() {
        addEntries(600);
        auto window = openWindow();
        window->rangeBox()->setCurrentIndex(window->rangeBox()->count() - 1);
        window->fromBox()->setDate(QDate::currentDate().addDays(-30));
        const QString path = env_->directory() + "/report.pdf";
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("the report of last month");
        }
        bool cancelled = false;
        testsupport::whenIdle([&] {
            if (auto *progress = window->findChild<QProgressDialog *>("reportProgress")) {
                progress->cancel();
                cancelled = true;
            }
        });
        QVERIFY(!window->saveTo(path));
        QVERIFY(cancelled);
        QCOMPARE(window->status()->text(), QStringLiteral("Cancelled: nothing was written"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the report of last month"));
        QCOMPARE(QDir(env_->directory()).entryList({"report.pdf*"}, QDir::Files),
                 QStringList({"report.pdf"}));
    }

    void optionsRefusals_data() {
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QString>("focus");
        const auto row = [](const char *name, const char *low, const char *high, const char *says,
                            const char *focus) {
            QTest::newRow(name) << QString(low) << QString(high) << QString(says) << QString(focus);
        };
        row("low equal to high", "100", "100", "\"Target low\" must be below \"Target high\"",
            "TargetLow");
        row("high without a number", "70", "high", "\"Target high\" must start with a number",
            "TargetHigh");
        row("low of zero", "0", "180", "\"Target low\" must be above 0", "TargetLow");
        row("decimal comma that would store 3", "3,9", "10", "is read as 3", "TargetLow");
    }
    // Expected: OK refuses with the reason, the focus on the box to correct, the file unchanged.
    void optionsRefusals() {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(QString, says);
        QFETCH(QString, focus);
        const QByteArray before = env_->readSettingsFile();
        OptionsDialog dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.glucoseRows().targetLowBox()->setText(low);
        dialog.glucoseRows().targetHighBox()->setText(high);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(env_->watchdog().seen().size(), 1);
        QVERIFY2(env_->watchdog().seen().first().text.contains(says),
                 qPrintable(env_->watchdog().seen().first().text));
        QVERIFY(dialog.focusWidget());
        QCOMPARE(dialog.focusWidget()->objectName(), focus);
        QCOMPARE(env_->readSettingsFile(), before);
    }

    void optionsStoreTheUnitsAndRange() {
        OptionsDialog dialog;
        dialog.show();
        QCOMPARE(dialog.glucoseRows().unitsBox()->currentText(), QStringLiteral("mg/dL"));
        dialog.glucoseRows().unitsBox()->setCurrentIndex(2);
        dialog.glucoseRows().targetLowBox()->setText("4.0");
        dialog.glucoseRows().targetHighBox()->setText("9.5 mmol/L");
        dialog.accept();
        const QByteArray file = env_->readSettingsFile();
        QVERIFY2(file.contains("GlucoseUnits=mmol/L\n") && file.contains("TargetLow=4\n") &&
                     file.contains("TargetHigh=9.5\n") && file.startsWith(kSettings),
                 file.constData());
    }
};

QTEST_MAIN(ReportWindowTest)
#include "report_window_test.moc"
