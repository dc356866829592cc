// The settings file of a program in the package's layout: the user's own file in the
// configuration folder, named where the person looks, made private by the first store, and a
// failed store reported by path while the doses keep working.

#include "core/file_access.h"
#include "core/settings_location.h"
#include "platform/settings_location.h"
#include "tests/support/test_environment.h"
#include "ui/about/about_box.h"
#include "ui/dialogs/period_config_dialog.h"
#include "ui/main_window/main_window.h"

#include <QtTest>
#include <QtWidgets>
#include <cerrno>
#include <memory>
#include <optional>

namespace {

const QByteArray kMeals = "[Period]\nP_1=Breakfast\nP_2=Lunch\n\n[Breakfast]\nCD_1=10\n"
                          "BS_1=140,1\nBS_2=180,2\nCW_1=60,1\n\n[Lunch]\nCD_1=12\n";

QFileDevice::Permissions ownerOnly(bool folder) {
    QFileDevice::Permissions p = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (folder)
        p |= QFileDevice::ExeOwner;
    // QFileInfo reports the "user" bits too when the test runs as the owner.
    return p | (p & QFileDevice::ReadOwner ? QFileDevice::ReadUser : QFileDevice::Permissions()) |
           (p & QFileDevice::WriteOwner ? QFileDevice::WriteUser : QFileDevice::Permissions()) |
           (p & QFileDevice::ExeOwner ? QFileDevice::ExeUser : QFileDevice::Permissions());
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Sets an environment variable for the life of the object (an empty value: unset).
class ScopedVariable {
public:
    ScopedVariable(const char *name, const QByteArray &value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedVariable() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char *name_;
    bool had_;
    QByteArray old_;
};

} // namespace

class PerUserSettingsTest : public QObject {
    Q_OBJECT
    std::optional<testsupport::TestEnvironment> env_;
    std::unique_ptr<MainWindow> window_;
    QString program_; // <scratch>/usr/bin, with <scratch>/usr/share/norvalis beside it
    QString config_;  // <scratch>/home/.config/Norvalis, not made

    QString perUserFile() const { return config_ + QStringLiteral("/Norvalis.ini"); }

    bool openWindow() {
        window_ = std::make_unique<MainWindow>();
        window_->show();
        return QTest::qWaitForWindowActive(window_.get());
    }
    template <typename T> T *find(const char *name) const { return window_->findChild<T *>(name); }

    // The periods dialog over the window, its first box retyped and OK pressed.
    QPointer<PeriodConfigDialog> storePeriod(const QString &name) {
        QPointer<PeriodConfigDialog> dialog = new PeriodConfigDialog(window_.get());
        dialog->show();
        if (!QTest::qWaitForWindowActive(dialog))
            return nullptr;
        auto *first = dialog->findChild<QLineEdit *>(QStringLiteral("INPUT_PERIOD_1"));
        first->selectAll();
        QTest::keyClick(first, Qt::Key_Delete);
        QTest::keyClicks(first, name);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")),
                          Qt::LeftButton);
        return dialog;
    }

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Norvalis")); }

    void init() {
        env_.emplace();
        program_ = env_->directory() + QStringLiteral("/usr/bin");
        config_ = env_->directory() + QStringLiteral("/home/.config/Norvalis");
        QVERIFY(QDir().mkpath(program_));
        QVERIFY(QDir().mkpath(env_->directory() + QStringLiteral("/usr/share/norvalis")));
        platform::setSettingsLocationOverride(program_, config_);
    }
    void cleanup() {
        window_.reset();
        env_.reset();
    }

    // The folder the command-line companion works out itself is the one Qt gives the program.
    void configFolderAsQtNamesIt_data() {
        QTest::addColumn<QByteArray>("xdgConfigHome"); // null: unset
        QTest::addColumn<QByteArray>("home");
        // clang-format off
        QTest::newRow("XDG_CONFIG_HOME set") << QByteArray("/srv/config") << QByteArray("/home/ann");
        QTest::newRow("XDG_CONFIG_HOME unset") << QByteArray() << QByteArray("/home/ann");
        QTest::newRow("XDG_CONFIG_HOME empty") << QByteArray("") << QByteArray("/home/ann");
        QTest::newRow("home with a trailing slash") << QByteArray() << QByteArray("/home/ann/");
        QTest::newRow("root's home") << QByteArray() << QByteArray("/root");
        // clang-format on
    }
    void configFolderAsQtNamesIt() {
        QFETCH(QByteArray, xdgConfigHome);
        QFETCH(QByteArray, home);
        const ScopedVariable xdg("XDG_CONFIG_HOME", xdgConfigHome);
        const ScopedVariable homeVariable("HOME", home);
        QCOMPARE(QString::fromStdString(norvalis::UserConfigDirectory()),
                 QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    }

    // State: first start, no file anywhere. Expected: the window's line and the about box
    // name the user's file, and nothing is made in the configuration folder.
    void firstStartNamesTheUsersFileAndWritesNothing() {
        QCOMPARE(platform::settingsFilePath(), perUserFile());
        QVERIFY(openWindow());
        QVERIFY2(find<QLabel>("Lab_cd3")->text().contains(perUserFile()),
                 qPrintable(find<QLabel>("Lab_cd3")->text()));
        AboutBox about(window_.get());
        QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblSettingsFile"))->text(),
                 QStringLiteral("Settings file: ") + perUserFile());
        QVERIFY(!QFileInfo::exists(env_->directory() + QStringLiteral("/home")));
        QCOMPARE(env_->watchdog().seen().size(), 0);
    }

    // The first store makes the folder and the file owner-only, also when the window's place
    // store has already made the folder open.
    void firstStoreIsPrivate_data() {
        QTest::addColumn<bool>("folderExists");
        QTest::newRow("no configuration folder yet") << false;
        QTest::newRow("folder made open by the place store") << true;
    }
    void firstStoreIsPrivate() {
        QFETCH(bool, folderExists);
        if (folderExists) {
            QVERIFY(QDir().mkpath(config_));
            QFile::setPermissions(config_, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                               QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                               QFileDevice::ExeOther);
        }
        QVERIFY(openWindow());
        QPointer<PeriodConfigDialog> dialog = storePeriod(QStringLiteral("Breakfast"));
        QTRY_VERIFY(!dialog || !dialog->isVisible());
        QCOMPARE(env_->watchdog().seen().size(), 0);
        QFile file(perUserFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.readAll().contains("P_1=Breakfast"), "the period was not stored");
        QCOMPARE(QFileInfo(config_).permissions(), ownerOnly(true));
        QCOMPARE(QFileInfo(perUserFile()).permissions(), ownerOnly(false));
        // Nothing was put beside the program.
        QCOMPARE(QDir(program_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }

    // A store that fails says so naming the file, keeps the dialog open, writes nothing, and
    // the window goes on working out doses from the tables it has.
    void failedStoreIsReportedByPath_data() {
        QTest::addColumn<bool>("folderBlocked"); // else the file exists and cannot be replaced
        QTest::addColumn<QString>("reason");
        QTest::newRow("configuration folder cannot be made") << true << "Cannot make the folder";
        QTest::newRow("file in the folder cannot be written") << false << "Permission denied";
    }
    void failedStoreIsReportedByPath() {
        QFETCH(bool, folderBlocked);
        QFETCH(QString, reason);
        // A plain file where the folder belongs stops root too.
        if (folderBlocked)
            writeFile(env_->directory() + QStringLiteral("/home/.config"), "not a folder");
        else
            writeFile(perUserFile(), kMeals);
        const norvalis::ScopedReplaceFault denied([](norvalis::ReplaceStep step) {
            return step == norvalis::ReplaceStep::CreateTemporary ? EACCES : 0;
        });
        QVERIFY(openWindow());

        QPointer<PeriodConfigDialog> dialog = storePeriod(QStringLiteral("Supper"));
        QTRY_COMPARE(env_->watchdog().seen().size(), 1);
        const QString message = env_->watchdog().seen().first().text;
        QVERIFY2(message.contains(perUserFile()) && message.contains(reason), qPrintable(message));
        QVERIFY(dialog && dialog->isVisible());
        dialog->reject();

        if (folderBlocked) {
            QVERIFY(!QFileInfo::exists(config_));
            QVERIFY(find<QLabel>("Lab_cd3")->text().contains(perUserFile()));
            return;
        }
        QFile file(perUserFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), kMeals);
        // Breakfast at 190 with 75 g: 2 + 7.5 + 1.
        QTest::keyClicks(find<QLineEdit>("Blood_Sugar"), QStringLiteral("190"));
        QTest::keyClicks(find<QLineEdit>("Carb"), QStringLiteral("75"));
        QCOMPARE(find<QLabel>("Lab_tot2")->text(), QStringLiteral("10.5"));
    }
};

QTEST_MAIN(PerUserSettingsTest)
#include "per_user_settings_test.moc"
