// Where the main window opens, what it stores when it closes, and the end of a session.

#include "platform/app_info.h"
#include "platform/help_viewer.h"
#include "tests/main_window/main_window_fixture.h"
#include "ui/dialogs/doses_config_dialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <csignal>

using namespace mainwindowtest;

namespace {
const QStringList kPlacementKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

// Whether a process has a handler for the signal ("SigCgt" in Linux's /proc/<pid>/status).
bool catches(qint64 pid, int signalNumber) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const QByteArray mask = text.mid(text.indexOf("SigCgt:") + 7, 17).trimmed(); // 16 hex digits
    return mask.toULongLong(nullptr, 16) & (1ull << (signalNumber - 1));
}
} // namespace

class PlacementSessionTest : public Fixture {
    Q_OBJECT

    // The stored placement, "left top width height" in twips; empty when nothing is stored.
    QString stored() const {
        QStringList texts;
        for (const QString &key : kPlacementKeys)
            texts << env_->userSetting(key);
        return texts.join(' ').trimmed();
    }
    void store(const QString &placement) const {
        const QStringList texts = placement.split(' ', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < texts.size(); ++i)
            env_->setUserSetting(kPlacementKeys[i], texts[i]);
    }

private slots:
    void init() { begin(); }
    void cleanup() { end(); }

    void everyWayOfClosingStoresThePlacement_data() {
        QTest::addColumn<QString>("how"); // Exit, Escape in a widget, the title bar's close
        QTest::newRow("Exit clicked") << "Exit";
        QTest::newRow("Escape in Blood_Sugar") << "Blood_Sugar";
        QTest::newRow("Escape in Mealtime") << "Mealtime";
        QTest::newRow("title-bar close") << "title bar";
        QTest::newRow("closed while minimised") << "minimised"; // keeps the stored position
    }

    // State: a stored placement; the dosages dialog used and put away with OK, which keeps it
    // loaded, then a later window; the user moves the main window 10 right and 20 down.
    // Expected: the other windows unloaded newest first, the new position stored, the size
    // exactly as it was stored (no pixel rounding).
    void everyWayOfClosingStoresThePlacement() {
        QFETCH(QString, how);
        store("1500 1200 5000 6001");
        QVERIFY(open());
        env_->watchdog().allowModal(QStringLiteral("frmDosesConfigDialog"));
        QPointer<QWidget> used;
        testsupport::whenIdle([&] {
            used = QApplication::activeModalWidget();
            if (used)
                QTest::mouseClick(used->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
        });
        find<QAction>("dconfig")->trigger();
        QVERIFY(used && used->isHidden() && used == window_->dosesDialog());
        QStringList unloaded;
        connect(used, &QObject::destroyed, this, [&] { unloaded << "dosages"; });
        auto *later = new QWidget(window_.get(), Qt::Window);
        connect(later, &QObject::destroyed, this, [&] { unloaded << "later"; });
        window_->move(window_->pos() + QPoint(10, 20));
        if (how == "minimised")
            window_->showMinimized();
        if (how == "Exit")
            QTest::mouseClick(find<QPushButton>("Exit"), Qt::LeftButton);
        else if (how == "title bar" || how == "minimised")
            window_->windowHandle()->close();
        else
            QTest::keyClick(find(qPrintable(how)), Qt::Key_Escape);
        QTRY_COMPARE(unloaded, (QStringList{"later", "dosages"}));
        QCOMPARE(stored(),
                 QLatin1String(how == "minimised" ? "1500 1200 5000 6001" : "1650 1500 5000 6001"));
    }

    // State: a message is up when the window closes (as at the end of the session). Expected:
    // the message ends, the code that showed it goes on, the new position is stored and no
    // message is left behind.
    void closingDuringAMessage() {
        store("1500 1200 5000 6001");
        QVERIFY(open());
        window_->move(window_->pos() + QPoint(10, 20));
        platform::setUrlOpenerForTesting([](const QUrl &) { return false; });
        env_->watchdog().allowModal(QStringLiteral("messageBox"));
        QString shown;
        testsupport::whenIdle([&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                shown = box->text();
            window_->close();
        });
        find<QAction>("contents")->trigger();
        platform::setUrlOpenerForTesting({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(shown.contains(platform::manualPath()));
        QVERIFY(!window_->isVisible());
        QCOMPARE(stored(), QStringLiteral("1650 1500 5000 6001"));
        QVERIFY(window_->findChildren<QMessageBox *>().isEmpty());
    }

    void unmovedWindowStoresWhatItRead_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QRect>("frame");   // where the window opens; not checked when null
        QTest::addColumn<QString>("after"); // what every close stores
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect home(67, 67, 433, 433); // the defaults in pixels
        // clang-format off
        QTest::newRow("first run") << "" << home << "1000 1000 6500 6500";
        QTest::newRow("fractions of a pixel") << "1234.5 987.25 5000.1 4321.9" << QRect(82, 66, 333, 288) << "1234.5 987.25 5000.1 4321.9";
        QTest::newRow("partly left of the screen") << "-1507 22 6499 3001" << QRect() << "-1507 22 6499 3001";
        QTest::newRow("number followed by letters") << "1000 1000 5000px 6500" << home << "1000 1000 6500 6500";
        QTest::newRow("not a number") << "nan 1000 6500 6500" << home << "1000 1000 6500 6500";
        QTest::newRow("beyond single precision") << "1000 1000 6500 1e39" << home << "1000 1000 6500 6500";
        QTest::newRow("far beyond any screen") << "1e12 1000 6500 6500" << home << "1000 1000 6500 6500";
        QTest::newRow("zero width") << "1000 1000 0 6500" << home << "1000 1000 6500 6500";
        QTest::newRow("exponent form") << "1000 1000 4.5e3 6500" << QRect(67, 67, 300, 433) << "1000 1000 4500 6500";
        QTest::newRow("off every screen to the left") << "-150000 1000 6500 6500" << QRect(area.left(), 67, 433, 433) << QString::number(area.left() * 15) + " 1000 6500 6500";
        QTest::newRow("just past the right edge") << QString::number(QGuiApplication::primaryScreen()->geometry().right() * 15 + 15) + " 1000 3000 3000" << QRect(area.right() - 199, 67, 200, 200) << QString::number((area.right() - 199) * 15) + " 1000 3000 3000";
        // clang-format on
    }

    // Expected: run after run, the window opens on the same frame and stores the same values,
    // replacing the stored ones only when it closes.
    void unmovedWindowStoresWhatItRead() {
        QFETCH(QString, before);
        QFETCH(QRect, frame);
        QFETCH(QString, after);
        store(before);
        for (int run = 1; run <= 3; ++run) {
            QVERIFY(open(QByteArray()));
            QVERIFY(frame.isNull() || window_->frameGeometry() == frame);
            QCOMPARE(stored(), run == 1 ? before : after);
            window_->close();
            QCOMPARE(stored(), after);
        }
    }

    void sessionEndClosesLikeExit_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("session end (SIGTERM)") << int(SIGTERM);
        QTest::newRow("interrupt (SIGINT)") << int(SIGINT);
    }

    // The built program, ended by a signal, stores its placement and exits with status 0.
    void sessionEndClosesLikeExit() {
        QFETCH(int, signalNumber);
        QProcess norvalis;
        // The program's per-user store is then the one this test reads.
        norvalis.setEnvironment(QProcess::systemEnvironment()
                                << "XDG_CONFIG_HOME=" + env_->directory() + "/user"
                                << "QT_LOGGING_RULES=norvalis.*=true");
        norvalis.start(QStringLiteral(NORVALIS_EXECUTABLE), {});
        QVERIFY(norvalis.waitForStarted());
        // Its handler is installed once Form_Load has run.
        QTRY_VERIFY_WITH_TIMEOUT(catches(norvalis.processId(), signalNumber), 20000);
        QCOMPARE(::kill(static_cast<pid_t>(norvalis.processId()), signalNumber), 0);
        QVERIFY(norvalis.waitForFinished(20000));
        QVERIFY(norvalis.exitStatus() == QProcess::NormalExit && norvalis.exitCode() == 0);
        // Its start-up log names the settings file it read: the one beside the program.
        const QString settingsFile = QFileInfo(NORVALIS_EXECUTABLE).dir().filePath("Norvalis.ini");
        QVERIFY(norvalis.readAllStandardError().contains(settingsFile.toUtf8()));
        QCOMPARE(stored(), QStringLiteral("1000 1000 6500 6500"));
    }

    void commandLineOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed"); // on standard output, or error when status is 2
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "--version";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << "Usage: norvalis";
        const platform::Version v = platform::applicationVersion();
        const QString version =
            QStringLiteral("Norvalis %1.%2.%3\n").arg(v.major).arg(v.minor).arg(v.revision);
        QTest::newRow("--version") << QStringList{"--version"} << 0 << version;
        QTest::newRow("--version after a toolkit option")
            << QStringList{"-style", "fusion", "--version"} << 0 << version;
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "frobnicate";
        QTest::newRow("unknown short option") << QStringList{"-x"} << 2 << "--help";
        QTest::newRow("toolkit option, then an unknown one")
            << QStringList{"-style", "fusion", "--frobnicate"} << 2 << "frobnicate";
    }

    // Expected: printed and ended with the status, without a display: a window would need one.
    void commandLineOptions() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, printed);
        QProcess norvalis;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        norvalis.setProcessEnvironment(environment);
        norvalis.start(QStringLiteral(NORVALIS_EXECUTABLE), arguments);
        QVERIFY(norvalis.waitForFinished(20000));
        QCOMPARE(norvalis.exitStatus(), QProcess::NormalExit);
        QCOMPARE(norvalis.exitCode(), status);
        const QString output = QString::fromLocal8Bit(
            status == 2 ? norvalis.readAllStandardError() : norvalis.readAllStandardOutput());
        QVERIFY2(output.contains(printed), qPrintable(output));
    }
};

QTEST_MAIN(PlacementSessionTest)
#include "placement_session_test.moc"
