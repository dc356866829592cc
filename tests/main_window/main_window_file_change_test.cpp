// The main window when another copy of the program or an editor writes the settings file
// while it is open: what it shows and records comes from the file as it is now.

#include "tests/main_window/main_window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

using namespace mainwindowtest;

namespace {
// kMeals with Breakfast's weighting dose 7 instead of 1, as another copy stored it.
QByteArray withWeighting(const QByteArray &dose) {
    QByteArray file = kMeals;
    return file.replace("CW_1=60,1", "CW_1=60," + dose);
}
} // namespace

class MainWindowFileChangeTest : public Fixture {
    Q_OBJECT

    void chooseShownPeriodAgain() {
        auto *mealtime = find<QComboBox>("Mealtime");
        emit mealtime->activated(mealtime->currentIndex());
    }

private slots:
    void init() { begin(); }
    void cleanup() { end(); }

    void dosesFollowTheFile_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("typing a carbohydrate amount") << "carb";
        QTest::newRow("typing a blood sugar reading") << "blood sugar";
        QTest::newRow("choosing the period shown again") << "choose";
        QTest::newRow("asking to record the dose") << "record";
    }
    // State: Breakfast shown with 80 g (8 + weighting 1 = 9). Action: another copy stores
    // weighting 7, then the action. Expected: weighting 7 and total 15, as the file now says.
    void dosesFollowTheFile() {
        QFETCH(QString, action);
        QVERIFY(open());
        find<QLineEdit>("Carb")->setText("80");
        QCOMPARE(text("Lab_cw2") + " " + text("Lab_tot2"), QStringLiteral("1 9"));
        env_->writeSettingsFile(withWeighting("7"));
        if (action == "carb")
            QTest::keyClick(find<QLineEdit>("Carb"), Qt::Key_0); // 800 g: 80 + 7
        else if (action == "blood sugar")
            QTest::keyClicks(find<QLineEdit>("Blood_Sugar"), "1");
        else if (action == "choose")
            chooseShownPeriodAgain();
        else
            find<QAction>("recorddose")->trigger(); // whatever opens is closed by the watchdog
        const QString total = action == "carb" ? "87" : "15";
        QCOMPARE(text("Lab_cw2") + " " + text("Lab_tot2"), "7 " + total);
    }

    void optionsAreReadAtEverySelection_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QString>("line");
        QTest::newRow("a ceiling added by hand")
            << QByteArray("\n[Options]\nMaxDose=5\n") << "Lab_max";
        QTest::newRow("a pen step added by hand")
            << QByteArray("\n[Options]\nPenStep=0.5\n") << "Lab_pen";
    }
    // State: no options; 80 g on Breakfast. Action: the option added in an editor, the period
    // shown chosen again. Expected: its line shows.
    void optionsAreReadAtEverySelection() {
        QFETCH(QByteArray, options);
        QFETCH(QString, line);
        QVERIFY(open());
        find<QLineEdit>("Carb")->setText("80");
        QVERIFY(!find<QLabel>(qPrintable(line))->isVisible());
        env_->writeSettingsFile(kMeals + options);
        chooseShownPeriodAgain();
        QVERIFY(find<QLabel>(qPrintable(line))->isVisible());
    }
};

QTEST_MAIN(MainWindowFileChangeTest)
#include "main_window_file_change_test.moc"
