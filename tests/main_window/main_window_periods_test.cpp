// The main window's menu commands that reach outside it: the periods dialog, and the manual.

#include "platform/help_viewer.h"
#include "tests/main_window/main_window_fixture.h"
#include "ui/dialogs/period_config_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace mainwindowtest;

class MainWindowPeriodsTest : public Fixture {
    Q_OBJECT

    // Opens the periods dialog with Alt+C, P as a person would and runs edit inside it;
    // opened gets the box texts it opened with. False when the menu did not open.
    bool editPeriods(const std::function<void(QDialog *)> &edit, QStringList *opened = nullptr) {
        testsupport::whenIdle([&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            for (int i = 1; i <= 12 && opened; ++i)
                *opened << dialog->findChild<QLineEdit *>(QStringLiteral("INPUT_PERIOD_%1").arg(i))
                               ->text();
            edit(dialog);
        });
        QTest::keyClick(window_.get(), Qt::Key_C, Qt::AltModifier);
        QMenu *menu = window_->findChild<QMenu *>("Configuation");
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
            return false;
        QTest::keyClick(menu, Qt::Key_P);
        return true;
    }
    static void retype(QDialog *dialog, int box, const QString &text) {
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("INPUT_PERIOD_%1").arg(box));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    QStringList listed() const {
        QStringList names;
        auto *mealtime = find<QComboBox>("Mealtime");
        for (int i = 0; i < mealtime->count(); ++i)
            names << mealtime->itemText(i);
        return names;
    }

private slots:
    void init() {
        begin();
        env_->watchdog().allowModal(QStringLiteral("frmPeriodConfigDialog"));
    }
    void cleanup() {
        platform::setUrlOpenerForTesting({});
        end();
    }

    void afterOk_data() {
        QTest::addColumn<int>("selected"); // in the main window before
        QTest::addColumn<int>("box");      // retyped in the dialog
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("shown"); // the period selected after OK
        QTest::addColumn<QString>("grams"); // its rate
        // clang-format off
        QTest::newRow("the selected period renamed is followed") << 1 << 2 << "Midday" << QStringList{"Breakfast", "Midday"} << "Midday" << "12";
        QTest::newRow("another period renamed") << 1 << 1 << "Early" << QStringList{"Early", "Lunch"} << "Lunch" << "12";
        QTest::newRow("the selected period removed selects the first") << 1 << 2 << "" << QStringList{"Breakfast"} << "Breakfast" << "10";
        QTest::newRow("a period added keeps the selection") << 0 << 3 << "Tea" << QStringList{"Breakfast", "Lunch", "Tea"} << "Breakfast" << "10";
        // clang-format on
    }

    // Expected: the list as stored, the selection kept (following a rename), the doses worked
    // out from the selected period's tables as the file now holds them.
    void afterOk() {
        QFETCH(int, selected);
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QStringList, listed);
        QFETCH(QString, shown);
        QFETCH(QString, grams);
        QVERIFY(open());
        find<QComboBox>("Mealtime")->setCurrentIndex(selected);
        QStringList opened;
        QVERIFY(editPeriods(
            [&](QDialog *dialog) {
                retype(dialog, box, typed);
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            },
            &opened));
        QCOMPARE(opened.mid(0, 3), (QStringList{"Breakfast", "Lunch", ""}));
        QCOMPARE(env_->watchdog().seen().size(), 0);
        QCOMPARE(this->listed(), listed);
        QCOMPARE(find<QComboBox>("Mealtime")->currentText(), shown);
        QCOMPARE(text("Lab_cd3"), rate(grams));
    }

    // Cancel changes nothing in the file or the window.
    void cancelKeepsEverything() {
        QVERIFY(open());
        find<QComboBox>("Mealtime")->setCurrentIndex(1);
        QVERIFY(editPeriods([](QDialog *dialog) {
            retype(dialog, 2, "Midday");
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
        }));
        QCOMPARE(env_->readSettingsFile(), kMeals);
        QCOMPARE(listed(), (QStringList{"Breakfast", "Lunch"}));
        QCOMPARE(find<QComboBox>("Mealtime")->currentText(), QStringLiteral("Lunch"));
    }

    // From the first-start hint to a working window: a first period typed into an empty list.
    void firstPeriodEndsTheHint() {
        QVERIFY(open(QByteArray("")));
        QVERIFY(editPeriods([](QDialog *dialog) {
            retype(dialog, 1, "Breakfast");
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        }));
        QCOMPARE(listed(), QStringList{"Breakfast"});
        QCOMPARE(text("Lab_cd3"), rate(""));
        QCOMPARE(text("Lab_tot2"), QStringLiteral("0"));
    }

    void contentsOpensTheManual_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("opens"); // whether the desktop's opener succeeds
        QTest::newRow("opened in the browser") << true << true;
        QTest::newRow("no browser takes it") << true << false;
        QTest::newRow("manual missing") << false << true;
    }

    // Expected: the manual beside the program is handed to the desktop; when that cannot
    // happen, a message gives the manual's path.
    void contentsOpensTheManual() {
        QFETCH(bool, present);
        QFETCH(bool, opens);
        QVERIFY(open());
        const QString manual = platform::manualPath();
        const bool created = present && !QFile::exists(manual);
        if (created) {
            QFile file(manual);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("<html></html>");
        }
        if (!present && QFile::exists(manual))
            QSKIP("a manual is installed beside the test program");
        QList<QUrl> handed;
        platform::setUrlOpenerForTesting([&](const QUrl &url) {
            handed << url;
            return opens;
        });
        QVERIFY(find<QAction>("contents")->isEnabled());
        find<QAction>("contents")->trigger();
        if (created)
            QFile::remove(manual);
        QCOMPARE(handed, present ? QList<QUrl>{QUrl::fromLocalFile(manual)} : QList<QUrl>{});
        const bool told = !(present && opens);
        QCOMPARE(env_->watchdog().seen().size(), qsizetype(told));
        if (told)
            QVERIFY(env_->watchdog().seen()[0].text.contains(manual));
    }
};

QTEST_MAIN(MainWindowPeriodsTest)
#include "main_window_periods_test.moc"
