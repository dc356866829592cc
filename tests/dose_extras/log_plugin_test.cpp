// The log plugin as the program reaches it: loaded from a folder, refused with the file and the
// reason when it is missing or broken, and the doses worked out without it.

#include "logbook/log_location.h"
#include "tests/support/test_environment.h"
#include "ui/log_window/log_features.h"
#include "ui/log_window/log_features_loader.h"
#include "ui/main_window/main_window.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace {

const QByteArray kMeals = "[Period]\nP_1=Breakfast\n\n[Breakfast]\nCD_1=10\n";

} // namespace

class LogPluginTest : public QObject {
    Q_OBJECT

private slots:
    // State: a folder with or without a loadable plugin. Expected: the features, or no features
    // and a reason naming the file looked for.
    void loadsFromAFolder_data() {
        QTest::addColumn<QString>("contents");
        QTest::addColumn<bool>("loads");
        QTest::newRow("the plugin built beside the program") << QString("built") << true;
        QTest::newRow("no plugin in the folder") << QString() << false;
        QTest::newRow("a file of that name that is no library") << QString("junk") << false;
    }
    void loadsFromAFolder() {
        QFETCH(QString, contents);
        QFETCH(bool, loads);
        QTemporaryDir scratch;
        QString folder = scratch.path();
        if (contents == "built") {
            folder = QStringLiteral(NORVALIS_LOG_PLUGIN_DIR);
        } else if (contents == "junk") {
            QFile junk(folder + "/norvalis-log.so");
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write("not a shared object");
        }
        const logfeatures::Loaded loaded = logfeatures::load(folder);
        QCOMPARE(loaded.features != nullptr, loads);
        QCOMPARE(loaded.error.isEmpty(), loads);
        if (!loads) {
            QVERIFY2(loaded.error.contains(QDir::toNativeSeparators(folder + "/norvalis-log")),
                     qPrintable(loaded.error));
            QVERIFY2(loaded.error.contains("Reason: "), qPrintable(loaded.error));
        }
    }

    // State: the loaded plugin and a logbook path. Expected: a new logbook opens and has no
    // newest entry; one that cannot be created says which file.
    void sessionOpensTheGivenLogbook_data() {
        QTest::addColumn<bool>("blocked");
        QTest::newRow("a new logbook") << false;
        QTest::newRow("its folder is a file") << true;
    }
    void sessionOpensTheGivenLogbook() {
        QFETCH(bool, blocked);
        const logfeatures::Loaded loaded =
            logfeatures::load(QStringLiteral(NORVALIS_LOG_PLUGIN_DIR));
        QVERIFY2(loaded.features, qPrintable(loaded.error));
        QTemporaryDir scratch;
        if (blocked) {
            QFile blocker(scratch.path() + "/data");
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        const QString path = scratch.path() + "/data/Norvalis-log.sqlite";
        const std::unique_ptr<LogSession> session = loaded.features->session(path);
        const QString error = session->open();
        QCOMPARE(error.isEmpty(), !blocked);
        QCOMPARE(QFile::exists(path), !blocked);
        if (blocked)
            QVERIFY2(error.contains(path), qPrintable(error));
        else
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
