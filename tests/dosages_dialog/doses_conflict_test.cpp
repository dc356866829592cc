// The dosages dialog when someone else writes the settings file while it is open: another copy
// of the program, or an editor caught half-way through rewriting it.

#include "tests/dosages_dialog/dialog_helpers.h"

using namespace dialogtest;

namespace {
// What another copy stored for Breakfast meanwhile: weighting dose 7 instead of 1.
const QByteArray kOtherCopy =
    breakfastWith("CD_1=10\nCD_2=20\nBS_1=140,1\nBS_2=180,2\nCW_1=60,7\n");
} // namespace

class DosesConflictTest : public QObject, DialogFixture {
    Q_OBJECT

private slots:
    void init() { startFixture(); }
    void cleanup() { endFixture(); }

    void anotherCopysStoreIsAskedAbout_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("boxes");  // INPUT_BS_1 and INPUT_CW_13 afterwards
        QTest::addColumn<QString>("tables"); // Breakfast as the file then holds it
        const QString theirs = "140,1|180,2 / 60,7 / 10|20";
        QTest::newRow("reload shows the other copy's tables")
            << int(QMessageBox::Reset) << "140 7" << theirs;
        QTest::newRow("store anyway writes the edits over them")
            << int(QMessageBox::Save) << "145 1"
            << "145,1|180,2 / 60,1 / 10|20";
        QTest::newRow("cancel keeps both as they are")
            << int(QMessageBox::Cancel) << "145 1" << theirs;
    }
    // State: the dialog shows Breakfast; another copy stores weighting 7. Action: a correction
    // level edited, Apply, and the question answered. Expected: one question naming the change;
    // nothing of the other copy's lost unless the person said Store Anyway.
    void anotherCopysStoreIsAskedAbout() {
        QFETCH(int, answer);
        QFETCH(QString, boxes);
        QFETCH(QString, tables);
        QVERIFY(openShown());
        env_->writeSettingsFile(kOtherCopy);
        type(d_, "INPUT_BS_1=145");
        env_->watchdog().answerNext(QMessageBox::StandardButton(answer));
        click(d_, "cmdApply");
        QCOMPARE(env_->watchdog().seen().size(), 1);
        const testsupport::SeenMessageBox &asked = env_->watchdog().seen().constFirst();
        QVERIFY2(asked.text.contains("changed by another program"), qPrintable(asked.text));
        QStringList offered = asked.buttons;
        offered.sort();
        QCOMPARE(offered, QStringList({"&Reload", "Cancel", "Store &Anyway"}));
        QCOMPARE(text(d_, "INPUT_BS_1") + " " + text(d_, "INPUT_CW_13"), boxes);
        QCOMPARE(stored("Breakfast"), tables);
    }

    // State: the dialog open on Breakfast; an editor has emptied the file and written only
    // "[Breakfast]" so far. Action: Apply, Store Anyway. Expected: refused, naming the periods
    // the file no longer lists; the file as the editor left it.
    void halfWrittenFileIsNotStoredOver() {
        QVERIFY(openShown());
        const QByteArray halfWritten = "[Breakfast]\nCD_1=10\n";
        env_->writeSettingsFile(halfWritten);
        type(d_, "INPUT_BS_1=145");
        env_->watchdog().answerNext(QMessageBox::Save);
        click(d_, "cmdApply");
        QCOMPARE(env_->watchdog().seen().size(), 2);
        const QString refusal = env_->watchdog().seen().at(1).text;
        QVERIFY2(refusal.contains("no longer lists the periods \"Breakfast\", \"Lunch\""),
                 qPrintable(refusal));
        QCOMPARE(env_->readSettingsFile(), halfWritten);
        QCOMPARE(text(d_, "INPUT_BS_1"), QStringLiteral("145"));
    }

    // State: the dialog's own Apply, then another Apply. Expected: no question: its own
    // store is not someone else's.
    void ownStoresAreNotQuestioned() {
        QVERIFY(openShown());
        for (const char *level : {"145", "150"}) {
            type(d_, QStringLiteral("INPUT_BS_1=%1").arg(level));
            click(d_, "cmdApply");
        }
        QVERIFY(env_->watchdog().seen().isEmpty());
        QCOMPARE(stored("Breakfast"), QStringLiteral("150,1|180,2 / 60,1 / 10|20"));
    }
};

QTEST_MAIN(DosesConflictTest)
#include "doses_conflict_test.moc"
