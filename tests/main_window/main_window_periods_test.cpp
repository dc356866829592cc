// The main window's menu commands that reach outside it: the periods dialog, and the manual.

#include "platform/help_viewer.h"
#include "tests/main_window/main_window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>

using namespace mainwindowtest;

namespace {
// The main window opens on file with period selected; box is retyped in the periods dialog,
// which key ends; then listed are the periods, shown the selected one with grams a unit.
struct EditCase {
    QByteArray file;
    int selected, box;
    QString typed;
    int key;
    QStringList listed;
    QString shown, grams;
};
} // namespace

class MainWindowPeriodsTest : public Fixture {
    Q_OBJECT

    // Opens the periods dialog with Alt+C, P as a person would, retypes one box and ends the
    // dialog with the key; returns the box texts it opened with (none when it did not open).
    QStringList editPeriods(int box, const QString &text, int key) {
        QStringList opened;
        testsupport::whenIdle([&] {
            QWidget *dialog = QApplication::activeModalWidget();
            const auto input = [dialog](int i) {
                return dialog->findChild<QLineEdit *>(QStringLiteral("INPUT_PERIOD_%1").arg(i));
            };
            if (!dialog)
                return;
            for (int i = 1; i <= 12; ++i)
                opened << input(i)->text();
            input(box)->selectAll();
            QTest::keyClick(input(box), Qt::Key_Delete);
            QTest::keyClicks(input(box), text);
            QTest::keyClick(dialog->focusWidget(), Qt::Key(key));
        });
        QTest::keyClick(window_.get(), Qt::Key_C, Qt::AltModifier);
        QMenu *menu = window_->findChild<QMenu *>("Configuation");
        if (QTest::qWaitFor([menu] { return menu->isVisible(); }))
            QTest::keyClick(menu, Qt::Key_P);
        return opened;
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

    void afterThePeriodsDialog_data() {
        QTest::addColumn<EditCase>("c");
        // clang-format off
        const int ok = Qt::Key_Return, cancel = Qt::Key_Escape;
        QTest::newRow("the selected period renamed is followed") << EditCase{kMeals, 1, 2, "Midday", ok, {"Breakfast", "Midday"}, "Midday", "12"};
        QTest::newRow("another period renamed") << EditCase{kMeals, 1, 1, "Early", ok, {"Early", "Lunch"}, "Lunch", "12"};
        QTest::newRow("the selected period removed selects the first") << EditCase{kMeals, 1, 2, "", ok, {"Breakfast"}, "Breakfast", "10"};
        QTest::newRow("a period added keeps the selection") << EditCase{kMeals, 0, 3, "Tea", ok, {"Breakfast", "Lunch", "Tea"}, "Breakfast", "10"};
        QTest::newRow("Cancel changes nothing") << EditCase{kMeals, 1, 2, "Midday", cancel, {"Breakfast", "Lunch"}, "Lunch", "12"};
        QTest::newRow("a first period ends the no-periods hint") << EditCase{"", 0, 1, "Breakfast", ok, {"Breakfast"}, "Breakfast", ""};
        // clang-format on
    }

    // Expected: the dialog opens on the listed periods; afterwards the list as stored, the
    // selection kept (following a rename), the doses worked out from the selected period's
    // tables as the file now holds them; after Cancel the file untouched.
    void afterThePeriodsDialog() {
        QFETCH(EditCase, c);
        QVERIFY(open(c.file));
        find<QComboBox>("Mealtime")->setCurrentIndex(c.selected);
        QStringList before = listed();
        before.resize(12);
        QCOMPARE(editPeriods(c.box, c.typed, c.key), before);
        QCOMPARE(env_->watchdog().seen().size(), 0);
        QCOMPARE(listed(), c.listed);
        QCOMPARE(find<QComboBox>("Mealtime")->currentText(), c.shown);
        QCOMPARE(text("Lab_cd3"), rate(c.grams));
        QCOMPARE(text("Lab_tot2"), QStringLiteral("0"));
        if (c.key == Qt::Key_Escape)
            QCOMPARE(env_->readSettingsFile(), c.file);
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
