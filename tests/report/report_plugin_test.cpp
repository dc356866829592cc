// The report window as the program reaches it: through the log plugin loaded from its folder.

#include "tests/support/test_environment.h"
#include "ui/log_window/log_features.h"
#include "ui/log_window/log_features_loader.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

class ReportPluginTest : public QObject {
    Q_OBJECT

private slots:
    // State: units in the settings file. Expected: the plugin's session opens the window
    // without a question, and it closes cleanly.
    void opensTheReportWindowFromThePlugin() {
        testsupport::TestEnvironment env;
        env.writeSettingsFile("[Period]\nP_1=Breakfast\n[Options]\nGlucoseUnits=mg/dL\n");
        const logfeatures::Loaded loaded =
            logfeatures::load(QStringLiteral(NORVALIS_LOG_PLUGIN_DIR));
        QVERIFY2(loaded.features, qPrintable(loaded.error));
        const std::unique_ptr<LogSession> session =
            loaded.features->session(env.directory() + "/Norvalis-log.sqlite");
        QCOMPARE(session->open(), QString());
        QWidget *window = session->createReportWindow(nullptr, env.settingsFilePath());
        QVERIFY(window);
        QCOMPARE(window->objectName(), QStringLiteral("frmReport"));
        window->show();
        QTest::qWait(600); // the preview is drawn
        QVERIFY(env.watchdog().seen().isEmpty());
        delete window;
    }
};

QTEST_MAIN(ReportPluginTest)
#include "report_plugin_test.moc"
