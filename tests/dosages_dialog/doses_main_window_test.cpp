// The dosages dialog seen from the main window: what it stores shows in the doses at once, and
// the grams-per-unit box edits the entry the doses are worked out from.

#include "tests/dosages_dialog/dialog_helpers.h"
#include "ui/main_window/main_window.h"

using namespace dialogtest;

namespace {
// Breakfast: 10 then 20 grams a unit (the doses use 20); weighting from 60 grams.
const QByteArray kMeals = "[Period]\nP_1=Breakfast\nP_2=Lunch\n\n[Breakfast]\nCD_1=10\nCD_2=20\n"
                          "CW_1=60,1\n\n[Lunch]\nCD_1=12\n";
} // namespace

class DosesMainWindowTest : public QObject, DialogFixture {
    Q_OBJECT

    // The carbohydrate dose and the weighting caption.
    static QString doses(QWidget *window) {
        return child<QLabel>(window, "Lab_cd2")->text() + " " +
               child<QLabel>(window, "Lab_cw1")->text();
    }

private slots:
    void init() { startFixture(); }
    void cleanup() { endFixture(); }

    void storedTablesShowInTheDoses_data() {
        QTest::addColumn<QString>("selected"); // the main window's period while the dialog shows
        QTest::newRow("Apply, then Cancel") << QString("Breakfast");
        QTest::newRow("Apply for a period not shown") << QString("Lunch");
    }
    // State: 60 grams typed, the main window on Breakfast (60 / 20 = 3 units). Action: in the
    // dialog, Breakfast's grams per unit made 15 and the weighting level 70, Apply, then
    // Cancel. Expected: while the dialog is still open after Apply, and after it has gone, the
    // main window shows 60 / 15 = 4 units and "Weighting if over 70 grams"; the file holds
    // CD_2=15. A main window on Lunch shows what it showed.
    void storedTablesShowInTheDoses() {
        QFETCH(QString, selected);
        env_->writeSettingsFile(kMeals);
        MainWindow window;
        window.show();
        child<QComboBox>(&window, "Mealtime")->setCurrentText(selected);
        child<QLineEdit>(&window, "Carb")->setText(QStringLiteral("60"));
        const QString before = doses(&window);
        QCOMPARE(before, selected == "Breakfast" ? "3 Weighting if over 60 grams"
                                                 : "5 Weighting if over ? grams");
        env_->watchdog().allowModal(QStringLiteral("frmDosesConfigDialog"));
        QString shownWhileOpen, boxShown;
        testsupport::whenIdle([&] {
            auto *dialog = qobject_cast<DosesConfigDialog *>(QApplication::activeModalWidget());
            dialog->mealtime()->setCurrentIndex(0);
            boxShown = text(dialog, "INPUT_CD_1");
            type(dialog, "INPUT_CD_1=15;INPUT_CW_1=70");
            click(dialog, "cmdApply");
            shownWhileOpen = doses(&window);
            click(dialog, "cmdCancel");
        });
        child<QAction>(&window, "dconfig")->trigger();
        QCOMPARE(boxShown, QStringLiteral("20"));
        const QString after = selected == "Breakfast" ? "4 Weighting if over 70 grams" : before;
        QCOMPARE(shownWhileOpen, after);
        QCOMPARE(doses(&window), after);
        QCOMPARE(stored("Breakfast"), QStringLiteral(" / 70,1 / 10|15"));
        QVERIFY(env_->watchdog().seen().isEmpty());
    }
};

QTEST_MAIN(DosesMainWindowTest)
#include "doses_main_window_test.moc"
