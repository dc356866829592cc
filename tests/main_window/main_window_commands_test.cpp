// The menu commands, and what the main window does after the dialogs they open.

#include "core/dose_settings.h"
#include "main_window_fixture.h"
#include "platform/loaded_windows.h"
#include "tests/support/test_environment.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/main_window/main_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <functional>

using fixture::child;

namespace {
// What the user does inside the open dosages dialog before it goes.
using DialogAction = std::function<void(DosesConfigDialog &)>;

void click(DosesConfigDialog &dialog, const char *button) {
    QTest::mouseClick(dialog.findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
}

DialogAction pickBreakfastThen(const char *button) {
    return [button](DosesConfigDialog &d) {
        d.mealtime()->setCurrentIndex(0);
        if (button)
            click(d, button);
        else
            d.close();
    };
}
} // namespace

Q_DECLARE_METATYPE(DialogAction)

class MainWindowCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void contentsExplainsThereIsNoHelp();
    void dosesFollowTheOwnPeriodAfterTheDosagesDialog_data();
    void dosesFollowTheOwnPeriodAfterTheDosagesDialog();
    void dialogOpensModallyOverTheMainWindowAndGoesAway_data();
    void dialogOpensModallyOverTheMainWindowAndGoesAway();
    void exitUnloadsTheOtherWindowsNewestFirst();
    void escapeInAnOpenPeriodListClosesOnlyTheList();
};

void MainWindowCommandsTest::contentsExplainsThereIsNoHelp() {
    testsupport::TestEnvironment env;
    MainWindow window;
    QAction *contents = child<QAction>(window, "contents");
    contents->setEnabled(true); // nothing in the program enables it; its handler still works
    contents->trigger();

    QCOMPARE(env.watchdog().seen().size(), 1);
    const testsupport::SeenMessageBox box = env.watchdog().seen().first();
    QCOMPARE(box.title, QStringLiteral("Norvalis"));
    QCOMPARE(box.text, QStringLiteral("Unable to display Help Contents. There is no Help "
                                      "associated with this project."));
    QVERIFY(box.informationIcon);
}

void MainWindowCommandsTest::dosesFollowTheOwnPeriodAfterTheDosagesDialog_data() {
    QTest::addColumn<DialogAction>("inDialog");
    QTest::addColumn<QString>("rateCaption");
    QTest::addColumn<QString>("carbohydrateDose");

    const QString lunchRate = QStringLiteral("1 Unit Insulin per 12 grms Carbohydrate");
    QTest::newRow("Cancel after picking Breakfast")
        << pickBreakfastThen("cmdCancel") << lunchRate << "5";
    QTest::newRow("close box after picking Breakfast")
        << pickBreakfastThen(nullptr) << lunchRate << "5";
    QTest::newRow("OK after picking Breakfast") << pickBreakfastThen("cmdOK") << lunchRate << "5";
    QTest::newRow("OK with a new rate for Lunch") << DialogAction([](DosesConfigDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("INPUT_CD_1"))->setText(QStringLiteral("15"));
        click(d, "cmdOK");
    }) << "1 Unit Insulin per 15 grms Carbohydrate"
                                                  << "4";
}

// State: Lunch selected, 60 grams typed. Expected: the dialog opens on Lunch, owned by the
// main window; once it has gone, the labels show Lunch's stored tables, worked out at once.
void MainWindowCommandsTest::dosesFollowTheOwnPeriodAfterTheDosagesDialog() {
    QFETCH(DialogAction, inDialog);
    QFETCH(QString, rateCaption);
    QFETCH(QString, carbohydrateDose);
    testsupport::TestEnvironment env;
    env.writeSettingsFile(fixture::breakfastLunchSupper());
    env.watchdog().allowModal(QStringLiteral("frmDosesConfigDialog"));
    MainWindow window;
    QVERIFY(fixture::showActive(window));
    child<QComboBox>(window, "Mealtime")->setCurrentIndex(1);
    child<QLineEdit>(window, "Carb")->setText(QStringLiteral("60"));

    QString openedOn;
    bool ownedByMain = false;
    testsupport::whenIdle([&] {
        if (auto *dialog = qobject_cast<DosesConfigDialog *>(QApplication::activeModalWidget())) {
            openedOn = dialog->mealtime()->currentText();
            ownedByMain = dialog->parentWidget() == &window;
            inDialog(*dialog);
        }
    });
    child<QAction>(window, "dconfig")->trigger();
    QCOMPARE(openedOn, QStringLiteral("Lunch"));
    QVERIFY(ownedByMain);
    QCOMPARE(child<QComboBox>(window, "Mealtime")->currentText(), QStringLiteral("Lunch"));
    QCOMPARE(child<QLabel>(window, "Lab_cd3")->text(), rateCaption);
    QCOMPARE(child<QLabel>(window, "Lab_cd2")->text(), carbohydrateDose);
    QCOMPARE(norvalis::SharedDoseSettings().Counts.CorrectionCount, 1); // Lunch's, not Breakfast's
    QVERIFY(env.watchdog().seen().isEmpty());
}

void MainWindowCommandsTest::dialogOpensModallyOverTheMainWindowAndGoesAway_data() {
    QTest::addColumn<QByteArray>("menuItem");
    QTest::addColumn<QString>("dialogName");
    QTest::newRow("About") << QByteArray("about") << "frmAbout";
    QTest::newRow("Periods") << QByteArray("pconfig") << "frmPeriodConfigDialog";
}

void MainWindowCommandsTest::dialogOpensModallyOverTheMainWindowAndGoesAway() {
    QFETCH(QByteArray, menuItem);
    QFETCH(QString, dialogName);
    testsupport::TestEnvironment env;
    env.watchdog().allowModal(dialogName);
    MainWindow window;
    QVERIFY(fixture::showActive(window));

    QPointer<QWidget> shown;
    QString shownName;
    bool ownedByMain = false;
    testsupport::whenIdle([&] {
        shown = QApplication::activeModalWidget();
        if (!shown)
            return;
        shownName = shown->objectName();
        ownedByMain = shown->parentWidget() == &window;
        shown->close();
    });
    QAction *item = child<QAction>(window, menuItem.constData());
    item->setEnabled(true); // Periods starts unavailable
    item->trigger();

    QCOMPARE(shownName, dialogName);
    QVERIFY(ownedByMain);
    QTRY_VERIFY(shown.isNull()); // closing it unloads it
    QVERIFY(window.isVisible());
}

// State: the hidden dosages dialog and two windows loaded after it. Expected: Exit unloads
// them newest first, then closes the main window.
void MainWindowCommandsTest::exitUnloadsTheOtherWindowsNewestFirst() {
    testsupport::TestEnvironment env;
    MainWindow window;
    QVERIFY(fixture::showActive(window));
    QStringList unloaded;
    auto track = [&](QWidget *w, const QString &name) {
        connect(w, &QObject::destroyed, &env.watchdog(), [&unloaded, name] { unloaded << name; });
    };
    track(window.dosesDialog(), QStringLiteral("dosages"));
    for (const QString &name : {QStringLiteral("second"), QStringLiteral("third")}) {
        auto *later = new QWidget(&window, Qt::Window);
        platform::LoadedWindows::add(later);
        track(later, name);
    }

    child<QPushButton>(window, "Exit")->click();
    QTRY_COMPARE(unloaded, (QStringList{"third", "second", "dosages"}));
    QVERIFY(!window.isVisible());
}

void MainWindowCommandsTest::escapeInAnOpenPeriodListClosesOnlyTheList() {
    testsupport::TestEnvironment env;
    env.writeSettingsFile(fixture::breakfastLunchSupper());
    MainWindow window;
    QVERIFY(fixture::showActive(window));
    auto *mealtime = child<QComboBox>(window, "Mealtime");
    mealtime->setFocus();
    mealtime->showPopup();
    QTRY_VERIFY(mealtime->view()->isVisible());

    QTest::keyClick(mealtime->view(), Qt::Key_Escape);
    QTRY_VERIFY(!mealtime->view()->isVisible());
    QVERIFY(window.isVisible());
}

QTEST_MAIN(MainWindowCommandsTest)
#include "main_window_commands_test.moc"
