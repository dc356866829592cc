// The periods dialog when another program adds a period while it is open.

#include "tests/periods_dialog/period_boxes.h"
#include "tests/support/test_environment.h"
#include "ui/dialogs/period_config_dialog.h"

#include <QtTest>
#include <QtWidgets>
#include <optional>

namespace {

const QByteArray kMeals = "[Period]\nP_1=Breakfast\nP_2=Lunch\nP_3=Dinner\n";
const QByteArray kWithSnack = "[Period]\nP_1=Breakfast\nP_2=Lunch\nP_3=Dinner\nP_4=Snack\n";

using periodstest::boxTexts;

} // namespace

class PeriodsConflictTest : public QObject {
    Q_OBJECT
    std::optional<testsupport::TestEnvironment> env_;
    QWidget owner_;

private slots:
    void init() { env_.emplace(); }
    void cleanup() { env_.reset(); }

    void periodAddedMeanwhileIsNotDroppedUnasked_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("file"); // afterwards
        QTest::addColumn<QString>("boxes");   // afterwards, when the dialog is still open
        QTest::addColumn<bool>("closed");
        QTest::newRow("reload shows the added period")
            << int(QMessageBox::Reset) << kWithSnack << "Breakfast|Lunch|Dinner|Snack" << false;
        QTest::newRow("store anyway stores the list as typed")
            << int(QMessageBox::Save)
            << QByteArray("[Period]\nP_1=Breakfast\nP_2=Supper\nP_3=Dinner\n") << QString() << true;
        QTest::newRow("cancel leaves the file and the boxes")
            << int(QMessageBox::Cancel) << kWithSnack << "Breakfast|Supper|Dinner" << false;
    }
    // State: the dialog opened on three periods; another program adds P_4. Action: Lunch
    // renamed Supper, OK, the question answered. Expected: P_4 is lost only by Store Anyway.
    void periodAddedMeanwhileIsNotDroppedUnasked() {
        QFETCH(int, answer);
        QFETCH(QByteArray, file);
        QFETCH(QString, boxes);
        QFETCH(bool, closed);
        env_->writeSettingsFile(kMeals);
        QPointer<PeriodConfigDialog> dialog = new PeriodConfigDialog(&owner_);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        env_->writeSettingsFile(kWithSnack);
        dialog->findChild<QLineEdit *>(QStringLiteral("INPUT_PERIOD_2"))->setText("Supper");
        env_->watchdog().answerNext(QMessageBox::StandardButton(answer));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKButton")),
                          Qt::LeftButton);
        QCOMPARE(env_->watchdog().seen().size(), 1);
        QVERIFY(env_->watchdog().seen().constFirst().text.contains("changed by another program"));
        QCOMPARE(env_->readSettingsFile(), file);
        QCOMPARE(dialog->isVisible(), !closed);
        if (!closed)
            QCOMPARE(boxTexts(dialog), boxes);
        delete dialog.data();
    }
};

QTEST_MAIN(PeriodsConflictTest)
#include "periods_conflict_test.moc"
