// The built program, ended by the session (SIGTERM) or by Ctrl+C (SIGINT): it closes the way
// Exit does, stores its placement and exits with status 0.

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

class SessionEndTest : public QObject {
    Q_OBJECT

private slots:
    void signalClosesTheWindowLikeExit_data();
    void signalClosesTheWindowLikeExit();
};

void SessionEndTest::signalClosesTheWindowLikeExit_data() {
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("session end (SIGTERM)") << int(SIGTERM);
    QTest::newRow("interrupt (SIGINT)") << int(SIGINT);
}

void SessionEndTest::signalClosesTheWindowLikeExit() {
    QFETCH(int, signalNumber);
    const QString program = QStringLiteral(NORVALIS_EXECUTABLE);
    QTemporaryDir configHome;
    QVERIFY(configHome.isValid());

    QProcess norvalis;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", configHome.path());
    environment.insert("QT_LOGGING_RULES", "norvalis.*=true");
    norvalis.setProcessEnvironment(environment);
    norvalis.start(program, {});
    QVERIFY(norvalis.waitForStarted());

    // The start-up log names the settings file beside the program once Form_Load has run.
    const QString settingsFile = QFileInfo(program).absolutePath() + "/Norvalis.ini";
    QByteArray log;
    QTRY_VERIFY_WITH_TIMEOUT((log += norvalis.readAllStandardError()).contains("periods read"),
                             20000);
    QVERIFY2(log.contains(settingsFile.toUtf8()), log.constData());
    QVERIFY2(QFileInfo::exists(settingsFile), "the build places the sample settings file");

    QCOMPARE(::kill(static_cast<pid_t>(norvalis.processId()), signalNumber), 0);
    QVERIFY(norvalis.waitForFinished(20000));
    QCOMPARE(norvalis.exitStatus(), QProcess::NormalExit);
    QCOMPARE(norvalis.exitCode(), 0);

    const QSettings store(configHome.path() + "/Norvalis/Norvalis.conf", QSettings::IniFormat);
    QCOMPARE(store.value("Settings/MainLeft").toString(), QStringLiteral("1000"));
    QCOMPARE(store.value("Settings/MainHeight").toString(), QStringLiteral("6500"));
}

QTEST_GUILESS_MAIN(SessionEndTest)
#include "session_end_test.moc"
