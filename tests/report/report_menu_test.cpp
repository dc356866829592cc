// Log ▸ Report… in the main window, with the log plugin linked in.

#include "logbook/log_location.h"
#include "tests/support/test_environment.h"
#include "ui/main_window/main_window.h"
#include "ui/report_window/report_window.h"

#include <QAction>
#include <QComboBox>
#include <QTest>
#include <optional>

namespace {
const QByteArray kMeals = "[Period]\nP_1=Breakfast\n[Breakfast]\nCD_1=10\n";
} // namespace

class ReportMenuTest : public QObject {
    Q_OBJECT
    std::optional<testsupport::TestEnvironment> env_;
    std::unique_ptr<MainWindow> window_;

    bool open(const QByteArray &settings) {
        env_->writeSettingsFile(settings);
        window_ = std::make_unique<MainWindow>();
        window_->show();
        return QTest::qWaitForWindowActive(window_.get());
    }
    ReportWindow *reportWindow() const { return window_->findChild<ReportWindow *>("frmReport"); }

private slots:
    void init() {
        env_.emplace();
        logbook::setLogPathOverride(env_->directory() + "/Norvalis-log.sqlite");
    }
    void cleanup() {
        window_.reset();
        logbook::setLogPathOverride(QString());
        env_.reset();
    }

    // Expected: the item sits under Log as "Report…" and Ctrl+P opens the window, once.
    void ctrlPOpensTheReportWindow() {
        QVERIFY(open(kMeals + "[Options]\nGlucoseUnits=mmol/L\n"));
        auto *item = window_->findChild<QAction *>("report");
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("Re&port…"));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QTest::keyClick(window_.get(), Qt::Key_P, Qt::ControlModifier);
        ReportWindow *report = reportWindow();
        QVERIFY(report && report->isVisible());
        QCOMPARE(report->unitsBox()->currentText(), QStringLiteral("mmol/L"));
        QTest::keyClick(window_.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(window_->findChildren<ReportWindow *>().size(), 1);
        QVERIFY(env_->watchdog().seen().isEmpty());
    }

    // State: no units in the file. Action: Cancel the question. Expected: no window, and the
    // file as it was.
    void cancellingTheUnitsQuestionOpensNothing() {
        QVERIFY(open(kMeals));
        env_->watchdog().answerNext(QMessageBox::Cancel);
        QTest::keyClick(window_.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(env_->watchdog().seen().size(), 1);
        QVERIFY(!reportWindow());
        QCOMPARE(env_->readSettingsFile(), kMeals);
    }
};

QTEST_MAIN(ReportMenuTest)
#include "report_menu_test.moc"
