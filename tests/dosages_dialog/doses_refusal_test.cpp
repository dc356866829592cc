// The dosages dialog refuses what it cannot store as typed and asks before it drops anything:
// unreadable entries, empty doses, decimal commas and foreign digits, rows after an empty
// Lower Limit, levels that do not rise, another period chosen with unsaved edits.

#include "tests/dosages_dialog/dialog_helpers.h"

using namespace dialogtest;
using Button = QMessageBox::StandardButton;

namespace {
// clang-format off
// No answer: refused outright; otherwise the answer to the question asked first.
struct StoreCase { QString typed; int startTab; const char *button; Button answer; QString message, stored; const char *focus; int tab; };
struct SwitchCase { QString typed; QList<Button> answers; int shownAfter; QString breakfast, boxAfter; int messages; };
// clang-format on
const QString kBefore = "140,1|180,2 / 60,1 / 10|20"; // Breakfast as kStored holds it
} // namespace
Q_DECLARE_METATYPE(StoreCase)
Q_DECLARE_METATYPE(SwitchCase)

class DosesRefusalTest : public QObject, DialogFixture {
    Q_OBJECT

private slots:
    void init() { startFixture(); }
    void cleanup() { endFixture(); }

    void storeIsRefusedOrAskedFirst_data() {
        QTest::addColumn<StoreCase>("c");
        const QString notANumber = "is not a number.\n\nNothing was saved.";
        const QString blankDose = "would leave the carbohydrate dose blank.\n\nNothing was saved.";
        const QString come = " come after an empty Lower Limit and will be removed.";
        const QString rows45 = "Rows 4\u20135 of Blood Sugar" + come;
        const QString twoPages =
            "Rows 1\u20132 of Blood Sugar" + come + "\nRows 3 and 5 of Weighting" + come;
        const QString gap = "INPUT_BS_1=145;INPUT_BS_4=300;INPUT_BS_16=4;INPUT_BS_5=340";
        const QString pages = "INPUT_BS_1=;INPUT_CW_3=90;INPUT_CW_5=120";
        const Button no = Button::NoButton;
        const QString applies = " a Lower Limit that is not above the ones before ";
        const QString falls = "Row 3 of Blood Sugar has" + applies +
                              "it, so it applies only "
                              "above the highest of those.\n\nStore the tables anyway?";
        const QString twoFalls = "Row 2 of Blood Sugar has" + applies +
                                 "it, so it applies only "
                                 "above the highest of those.\nRows 2\u20133 of Weighting have" +
                                 applies +
                                 "them, so they apply only above the highest of "
                                 "those.\n\nStore the tables anyway?";
        // clang-format off
        QTest::newRow("abc as a level")             << StoreCase{"INPUT_BS_3=abc;INPUT_BS_15=1", 3, "cmdOK", no, "Blood Sugar, row 3, Lower Limit: \"abc\" " + notANumber, kBefore, "INPUT_BS_3", 1};
        QTest::newRow("- as a dose")                << StoreCase{"INPUT_BS_14=-", 2, "cmdApply", no, "Blood Sugar, row 2, Dose: \"-\" " + notANumber, kBefore, "INPUT_BS_14", 1};
        QTest::newRow(". as a weighting level")     << StoreCase{"INPUT_CW_2=.;INPUT_CW_14=1", 1, "cmdOK", no, "Weighting, row 2, Lower Limit: \".\" " + notANumber, kBefore, "INPUT_CW_2", 2};
        QTest::newRow("mg as a weighting dose")     << StoreCase{"INPUT_CW_13= mg", 3, "cmdApply", no, "Weighting, row 1, Dose: \" mg\" " + notANumber, kBefore, "INPUT_CW_13", 2};
        QTest::newRow("grams per unit without one") << StoreCase{"INPUT_CD_1=abc", 1, "cmdOK", no, "Carbohydrate, grams per unit: \"abc\" " + notANumber, kBefore, "INPUT_CD_1", 3};
        QTest::newRow("0 grams per unit")           << StoreCase{"INPUT_CD_1=0", 2, "cmdApply", no, "Carbohydrate, grams per unit: \"0\" " + blankDose, kBefore, "INPUT_CD_1", 3};
        QTest::newRow("-5 grams per unit")          << StoreCase{"INPUT_CD_1=-5", 1, "cmdOK", no, "Carbohydrate, grams per unit: \"-5\" " + blankDose, kBefore, "INPUT_CD_1", 3};
        QTest::newRow("the first in page order")    << StoreCase{"INPUT_CW_1=x;INPUT_BS_13=y", 2, "cmdOK", no, "Blood Sugar, row 1, Dose: \"y\" " + notANumber, kBefore, "INPUT_BS_13", 1};
        QTest::newRow("rows 4-5, removed")          << StoreCase{gap, 3, "cmdOK", Button::Yes, rows45, "145,1|180,2 / 60,1 / 10|20", "", 0};
        QTest::newRow("rows 4-5, gone back")        << StoreCase{gap, 3, "cmdOK", Button::No, rows45, kBefore, "INPUT_BS_3", 1};
        QTest::newRow("two pages, removed")         << StoreCase{pages, 3, "cmdOK", Button::Yes, twoPages, " / 60,1 / 10|20", "", 0};
        QTest::newRow("two pages, gone back")       << StoreCase{pages, 3, "cmdOK", Button::No, twoPages, kBefore, "INPUT_BS_1", 1};
        QTest::newRow("a blank level counts as empty") << StoreCase{"INPUT_BS_3=  ;INPUT_BS_15=3", 3, "cmdOK", Button::Yes, "Row 3 of Blood Sugar comes after an empty Lower Limit and will be removed.", kBefore, "", 0};
        QTest::newRow("an empty dose beside a level")    << StoreCase{"INPUT_BS_3=300", 2, "cmdOK", no, "Blood Sugar, row 3, Dose is empty.\n\nNothing was saved.", kBefore, "INPUT_BS_15", 1};
        QTest::newRow("a blank dose beside a level")     << StoreCase{"INPUT_CW_2=100;INPUT_CW_14=  ", 1, "cmdApply", no, "Weighting, row 2, Dose is empty.", kBefore, "INPUT_CW_14", 2};
        QTest::newRow("a decimal comma in a dose")       << StoreCase{"INPUT_BS_13=0,5", 3, "cmdOK", no, "Blood Sugar, row 1, Dose: \"0,5\" is read as 0 \u2014 use a full stop for decimals.\n\nNothing was saved.", kBefore, "INPUT_BS_13", 1};
        QTest::newRow("a decimal comma in a level")      << StoreCase{"INPUT_CW_1=7,5", 1, "cmdOK", no, "Weighting, row 1, Lower Limit: \"7,5\" is read as 7 \u2014 use a full stop", kBefore, "INPUT_CW_1", 2};
        QTest::newRow("a decimal comma in grams per unit") << StoreCase{"INPUT_CD_1=12,5", 1, "cmdApply", no, "Carbohydrate, grams per unit: \"12,5\" is read as 12 \u2014 use a full stop", kBefore, "INPUT_CD_1", 3};
        QTest::newRow("Arabic-Indic digits as a level")  << StoreCase{"INPUT_BS_1=\u0661\u0664\u0660", 1, "cmdOK", no, "Blood Sugar, row 1, Lower Limit: \"\u0661\u0664\u0660\" is read as 0 \u2014 type the digits 0 to 9", kBefore, "INPUT_BS_1", 1};
        QTest::newRow("fullwidth digits as a dose")      << StoreCase{"INPUT_BS_14=\uFF12", 1, "cmdOK", no, "Blood Sugar, row 2, Dose: \"\uFF12\" is read as 0 \u2014 type the digits 0 to 9", kBefore, "INPUT_BS_14", 1};
        QTest::newRow("Arabic decimal separator")        << StoreCase{"INPUT_CD_1=12\u066B5", 2, "cmdOK", no, "Carbohydrate, grams per unit: \"12\u066B5\" is read as 12 \u2014 type the digits 0 to 9", kBefore, "INPUT_CD_1", 3};
        QTest::newRow("a level that does not rise, stored anyway") << StoreCase{"INPUT_BS_3=170;INPUT_BS_15=3", 3, "cmdOK", Button::Yes, falls, "140,1|180,2|170,3 / 60,1 / 10|20", "", 0};
        QTest::newRow("a level that does not rise, gone back")     << StoreCase{"INPUT_BS_3=170;INPUT_BS_15=3", 3, "cmdApply", Button::No, falls, kBefore, "INPUT_BS_3", 1};
        QTest::newRow("equal levels on two pages")       << StoreCase{"INPUT_BS_2=140;INPUT_CW_2=60;INPUT_CW_14=2;INPUT_CW_3=50;INPUT_CW_15=3", 3, "cmdOK", Button::No, twoFalls, kBefore, "INPUT_BS_2", 1};
        // clang-format on
    }
    // State: Breakfast shown on tab startTab, edited. Action: OK or Apply, then the answer.
    // Expected: an entry that is no number is refused with one message naming the box; rows
    // after an empty Lower Limit are named in one question first, Remove storing without them.
    // Refused or gone back: nothing written or announced, the dialog open with the edits, the
    // page of the box at fault shown and the focus in it.
    void storeIsRefusedOrAskedFirst() {
        QFETCH(StoreCase, c);
        QVERIFY(openShown());
        selectTab(d_, c.startTab);
        type(d_, c.typed);
        const QString typed = filledBoxes(d_);
        const QByteArray file = env_->readSettingsFile();
        QSignalSpy storedSignal(d_.data(), &DosesConfigDialog::tablesStored);
        if (c.answer != Button::NoButton)
            env_->watchdog().answerNext(c.answer);
        click(d_, c.button);
        QCOMPARE(env_->watchdog().seen().size(), 1);
        const testsupport::SeenMessageBox box = env_->watchdog().seen().first();
        QCOMPARE(box.title, QStringLiteral("Norvalis"));
        if (c.answer == Button::NoButton)
            QVERIFY2(box.text.startsWith(c.message), qPrintable(box.text));
        else
            QVERIFY2(box.text == c.message &&
                         box.buttons.contains(c.message.endsWith("anyway?") ? "&Store anyway"
                                                                            : "&Remove") &&
                         box.buttons.contains("&Go back"),
                     qPrintable(box.text));
        QCOMPARE(stored("Breakfast"), c.stored);
        const bool stays = c.answer != Button::Yes;
        QVERIFY(d_->isVisible() == stays && storedSignal.isEmpty() == stays);
        if (!stays)
            return;
        QCOMPARE(filledBoxes(d_), typed);
        QCOMPARE(env_->readSettingsFile(), file);
        QCOMPARE(selectedTab(d_), c.tab);
        QCOMPARE(focusName(d_), QString(c.focus));
    }

    void choosingAnotherPeriodWithEditsAsks_data() {
        QTest::addColumn<SwitchCase>("c");
        const QString edit = "INPUT_BS_1=145";
        // clang-format off
        QTest::newRow("an edit undone: no question") << SwitchCase{"INPUT_BS_1=1;INPUT_BS_1=140", {}, 1, kBefore, "150", 0};
        QTest::newRow("Save")                       << SwitchCase{edit, {Button::Save}, 1, "145,1|180,2 / 60,1 / 10|20", "150", 1};
        QTest::newRow("Discard")                    << SwitchCase{edit, {Button::Discard}, 1, kBefore, "150", 1};
        QTest::newRow("Cancel")                     << SwitchCase{edit, {Button::Cancel}, 0, kBefore, "145", 1};
        QTest::newRow("Save refused")               << SwitchCase{"INPUT_BS_1=abc", {Button::Save}, 0, kBefore, "abc", 2};
        // clang-format on
    }
    // State: Breakfast shown, maybe edited. Action: Lunch chosen in the Period box, questions
    // answered. Expected: Lunch shown only after Save or Discard; Cancel or a save that does not
    // happen puts Breakfast back with the edits.
    void choosingAnotherPeriodWithEditsAsks() {
        QFETCH(SwitchCase, c);
        QVERIFY(openShown());
        type(d_, c.typed);
        for (Button answer : c.answers)
            env_->watchdog().answerNext(answer);
        d_->mealtime()->setCurrentIndex(1);
        QCOMPARE(env_->watchdog().seen().size(), c.messages);
        if (!c.answers.isEmpty())
            QVERIFY(env_->watchdog().seen().first().text.startsWith(
                "The tables of \"Breakfast\" have changes that are not saved."));
        QCOMPARE(d_->mealtime()->currentIndex(), c.shownAfter);
        QCOMPARE(text(d_, "INPUT_BS_1"), c.boxAfter);
        QCOMPARE(stored("Breakfast"), c.breakfast);
        QCOMPARE(stored("Lunch"), QStringLiteral("150,1 /  / 12"));
    }
};

QTEST_MAIN(DosesRefusalTest)
#include "doses_refusal_test.moc"
