// Start-up with different period lists, and the doses following every edit and selection.

#include "core/dose_settings.h"
#include "main_window_fixture.h"
#include "tests/support/test_environment.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/main_window/main_window.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTest>

using fixture::child;

namespace {
struct Doses {
    QString correction, weighting, carbohydrate, total;
};

Doses shownDoses(const MainWindow &window) {
    return {child<QLabel>(window, "Lab_bs2")->text(), child<QLabel>(window, "Lab_cw2")->text(),
            child<QLabel>(window, "Lab_cd2")->text(), child<QLabel>(window, "Lab_tot2")->text()};
}

QStringList entries(const QComboBox *list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->itemText(i));
    return texts;
}
} // namespace

class MainWindowStartupTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnTheFirstPeriod_data();
    void startsOnTheFirstPeriod();
    void startupLogsTheSettingsFileAndPeriodCount();
    void unreadableSettingsFileIsReportedAndStartupGoesOn();
    void typingRecalculatesAtEveryCharacter_data();
    void typingRecalculatesAtEveryCharacter();
    void selectionReadsTheFileAfresh();
};

void MainWindowStartupTest::startsOnTheFirstPeriod_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("periods");
    QTest::addColumn<QString>("rateCaption");

    const QString noRate = QStringLiteral("1 Unit Insulin per  grms Carbohydrate");
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve.append(QStringLiteral("Period %1").arg(i));

    QTest::newRow("no settings file") << QByteArray() << QStringList() << noRate;
    QTest::newRow("file without periods")
        << QByteArray("[Other]\nP_1=x\n") << QStringList() << noRate;
    QTest::newRow("one period") << fixture::numberedPeriods(1) << QStringList{"Period 1"}
                                << "1 Unit Insulin per 11 grms Carbohydrate";
    QTest::newRow("twelve periods in file order")
        << fixture::numberedPeriods(12) << twelve << "1 Unit Insulin per 11 grms Carbohydrate";
    QTest::newRow("a thirteenth period is not read")
        << fixture::numberedPeriods(13) << twelve << "1 Unit Insulin per 11 grms Carbohydrate";
}

// The selector lists the periods with the first selected, the dosages dialog waits hidden on
// the same period, and the doses for 0 and 0 are worked out from that period's tables.
void MainWindowStartupTest::startsOnTheFirstPeriod() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, periods);
    QFETCH(QString, rateCaption);
    testsupport::TestEnvironment env;
    if (!file.isNull())
        env.writeSettingsFile(file);

    MainWindow window;
    auto *mealtime = child<QComboBox>(window, "Mealtime");
    QCOMPARE(entries(mealtime), periods);
    QCOMPARE(mealtime->currentIndex(), periods.isEmpty() ? -1 : 0);

    QVERIFY(window.dosesDialog());
    QVERIFY(window.dosesDialog()->isHidden());
    QCOMPARE(window.dosesDialog()->mealtime()->currentIndex(), mealtime->currentIndex());

    QCOMPARE(child<QLabel>(window, "Lab_cd3")->text(), rateCaption);
    QCOMPARE(child<QLabel>(window, "Lab_cd2")->text(), QStringLiteral("0"));
    QCOMPARE(child<QLabel>(window, "Lab_tot2")->text(), QStringLiteral("0"));
    QCOMPARE(norvalis::SharedDoseSettings().Counts.CarbDoseCount, periods.isEmpty() ? 0 : 1);
    QVERIFY(env.watchdog().seen().isEmpty());
}

void MainWindowStartupTest::startupLogsTheSettingsFileAndPeriodCount() {
    testsupport::TestEnvironment env;
    env.writeSettingsFile(fixture::breakfastLunchSupper());
    QLoggingCategory::setFilterRules(QStringLiteral("norvalis.startup=true"));
    QTest::ignoreMessage(QtInfoMsg,
                         QRegularExpression(QRegularExpression::escape(env.settingsFilePath()) +
                                            ".*periods read 3$"));
    MainWindow window;
    QLoggingCategory::setFilterRules(QString());
}

// State: Norvalis.ini is a folder, so it cannot be read. Expected: a message naming the
// file, and a window with no periods.
void MainWindowStartupTest::unreadableSettingsFileIsReportedAndStartupGoesOn() {
    testsupport::TestEnvironment env;
    QVERIFY(QDir().mkpath(env.settingsFilePath()));
    MainWindow window;
    QCOMPARE(child<QComboBox>(window, "Mealtime")->count(), 0);
    QCOMPARE(env.watchdog().seen().size(), 1);
    QVERIFY(env.watchdog().seen().first().text.contains(env.settingsFilePath()));
}

void MainWindowStartupTest::typingRecalculatesAtEveryCharacter_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("otherBoxText");
    QTest::addColumn<QStringList>("keys"); // "<" deletes the character before the cursor
    QTest::addColumn<QStringList>("carbohydrateDoses");
    QTest::addColumn<QStringList>("totals");

    // Breakfast: 10 g a unit; weighting 60,1 / 100,2; correction 140,1 / 180,2 / 220,3.
    QTest::newRow("4 then 5 into empty Carb")
        << "Carb"
        << "0" << QStringList{"4", "5"} << QStringList{"0.4", "4.5"} << QStringList{"0.4", "4.5"};
    QTest::newRow("clearing Carb recalculates with empty text")
        << "Carb"
        << "0" << QStringList{"7", "5", "<", "<"} << QStringList{"0.7", "7.5", "0.7", "0"}
        << QStringList{"0.7", "8.5", "0.7", "0"};
    QTest::newRow("reading of 190 with 75 grams")
        << "Blood_Sugar"
        << "75" << QStringList{"1", "9", "0"} << QStringList{"7.5", "7.5", "7.5"}
        << QStringList{"8.5", "8.5", "10.5"};
    QTest::newRow("reading equal to a level adds nothing for it")
        << "Blood_Sugar"
        << "0" << QStringList{"1", "8", "0"} << QStringList{"0", "0", "0"}
        << QStringList{"0", "0", "1"};
}

void MainWindowStartupTest::typingRecalculatesAtEveryCharacter() {
    QFETCH(QString, box);
    QFETCH(QString, otherBoxText);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, carbohydrateDoses);
    QFETCH(QStringList, totals);
    testsupport::TestEnvironment env;
    env.writeSettingsFile(fixture::breakfastLunchSupper());
    MainWindow window;
    QVERIFY(fixture::showActive(window));

    auto *typedInto = window.findChild<QLineEdit *>(box);
    auto *other = child<QLineEdit>(window, box == "Carb" ? "Blood_Sugar" : "Carb");
    other->setText(otherBoxText);
    typedInto->clear();
    typedInto->setFocus();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] == "<")
            QTest::keyClick(typedInto, Qt::Key_Backspace);
        else
            QTest::keyClicks(typedInto, keys[i]);
        const QByteArray step = "after key " + QByteArray::number(i + 1);
        QVERIFY2(shownDoses(window).carbohydrate == carbohydrateDoses[i], step);
        QVERIFY2(shownDoses(window).total == totals[i], step);
    }
}

// Action: the file changes while the program runs, then the user picks Lunch and Breakfast
// again with the arrow keys. Expected: each selection shows the file's current tables.
void MainWindowStartupTest::selectionReadsTheFileAfresh() {
    testsupport::TestEnvironment env;
    env.writeSettingsFile(fixture::breakfastLunchSupper());
    MainWindow window;
    QVERIFY(fixture::showActive(window));
    auto *mealtime = child<QComboBox>(window, "Mealtime");
    auto *rate = child<QLabel>(window, "Lab_cd3");
    QCOMPARE(rate->text(), QStringLiteral("1 Unit Insulin per 10 grms Carbohydrate"));
    // The weighting dose is named by its caption as the calculation rewrote it.
    QCOMPARE(child<QLabel>(window, "Lab_cw2")->accessibleName(),
             QStringLiteral("Weighting if over 60 grams"));

    QByteArray changed = fixture::breakfastLunchSupper();
    changed.replace("CD_1=10", "CD_1=15").replace("CD_1=12", "CD_1=20");
    env.writeSettingsFile(changed);
    QCOMPARE(rate->text(), QStringLiteral("1 Unit Insulin per 10 grms Carbohydrate"));

    mealtime->setFocus();
    QTest::keyClick(mealtime, Qt::Key_Down);
    QCOMPARE(mealtime->currentText(), QStringLiteral("Lunch"));
    QCOMPARE(rate->text(), QStringLiteral("1 Unit Insulin per 20 grms Carbohydrate"));
    QTest::keyClick(mealtime, Qt::Key_Up);
    QCOMPARE(rate->text(), QStringLiteral("1 Unit Insulin per 15 grms Carbohydrate"));
    QCOMPARE(norvalis::SharedDoseSettings().CarbDoseTable[1], std::string("15"));
}

QTEST_MAIN(MainWindowStartupTest)
#include "main_window_startup_test.moc"
