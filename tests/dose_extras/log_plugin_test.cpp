// The log plugin as the program reaches it: loaded from a folder, refused with the file and the
// reason when it is missing or broken, and the doses worked out without it.

#include "logbook/log_location.h"
#include "tests/support/test_environment.h"
#include "ui/log_window/log_features.h"
#include "ui/log_window/log_features_loader.h"
#include "ui/main_window/main_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kMeals = "[Period]\nP_1=Breakfast\n\n[Breakfast]\nCD_1=10\n";

} // namespace

class LogPluginTest : public QObject {
    Q_OBJECT

private slots:
    // State: a folder without a loadable plugin. Expected: no features and a reason naming the
    // file looked for.
    void refusesAFolderWithoutAPlugin_data() {
        QTest::addColumn<bool>("junk");
        QTest::newRow("no plugin in the folder") << false;
        QTest::newRow("a file of that name that is no library") << true;
    }
    void refusesAFolderWithoutAPlugin() {
        QFETCH(bool, junk);
        QTemporaryDir scratch;
        QFile file(scratch.path() + "/norvalis-log.so");
        if (junk)
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a shared object") > 0);
        file.close();
        const logfeatures::Loaded loaded = logfeatures::load(scratch.path());
        QVERIFY(!loaded.features);
        QVERIFY2(loaded.error.contains(QDir::toNativeSeparators(scratch.path() + "/norvalis-log")),
                 qPrintable(loaded.error));
        QVERIFY2(loaded.error.contains("Reason: "), qPrintable(loaded.error));
    }

    // State: the plugin built beside the program. Expected: it loads, and its session opens a
    // new logbook, which has no newest entry yet.
    void loadsThePluginAndOpensALogbook() {
        const logfeatures::Loaded loaded =
            logfeatures::load(QStringLiteral(NORVALIS_LOG_PLUGIN_DIR));
        QVERIFY2(loaded.features, qPrintable(loaded.error));
        QCOMPARE(loaded.error, QString());
        QTemporaryDir scratch;
        const QString path = scratch.path() + "/data/Norvalis-log.sqlite";
        const std::unique_ptr<LogSession> session = loaded.features->session(path);
        QCOMPARE(session->open(), QString());
        QVERIFY(QFile::exists(path));
        QCOMPARE(session->lastRecordedLine(QDateTime::currentDateTime()), QString());
    }

    // State: the program's folder holds no plugin (the test program's folder). Action: Record
    // dose, then Show log. Expected: each says what was not loaded and why; the doses go on.
    void commandsSayWhyWithoutThePlugin() {
        testsupport::TestEnvironment env;
        logbook::setLogPathOverride(env.directory() + "/Norvalis-log.sqlite");
        env.writeSettingsFile(kMeals);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
        window.findChild<QAction *>("showlog")->trigger();
        QCOMPARE(env.watchdog().seen().size(), 2);
        for (const testsupport::SeenMessageBox &box : env.watchdog().seen()) {
            QVERIFY2(box.text.contains("The logbook could not be opened"), qPrintable(box.text));
            QVERIFY2(box.text.contains(QDir::toNativeSeparators(
                         QCoreApplication::applicationDirPath() + "/norvalis-log")),
                     qPrintable(box.text));
            QVERIFY2(box.text.contains("Reason: "), qPrintable(box.text));
        }
        QVERIFY(!QFile::exists(env.directory() + "/Norvalis-log.sqlite"));
        auto *carb = window.findChild<QLineEdit *>("Carb");
        carb->setFocus();
        QTest::keyClicks(carb, "50");
        QCOMPARE(window.findChild<QLabel *>("Lab_tot2")->text(), "5");
        logbook::setLogPathOverride(QString());
    }
};

QTEST_MAIN(LogPluginTest)
#include "log_plugin_test.moc"
