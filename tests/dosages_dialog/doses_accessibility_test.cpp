// What a screen reader finds in the dosages dialog: every box named by its place, the period
// box labelled, and only the shown page's boxes showing.

#include "tests/dosages_dialog/dialog_helpers.h"

#include <QAccessible>

using namespace dialogtest;

class DosesAccessibilityTest : public QObject, DialogFixture {
    Q_OBJECT

    static QAccessibleInterface *accessible(QWidget *d, const QString &name) {
        return QAccessible::queryAccessibleInterface(child(d, name));
    }

private slots:
    void init() { startFixture(); }
    void cleanup() { endFixture(); }

    void everyBoxSaysWhereItIs_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("INPUT_BS_1") << "Blood Sugar, row 1, Lower Limit";
        QTest::newRow("INPUT_BS_3") << "Blood Sugar, row 3, Lower Limit";
        QTest::newRow("INPUT_BS_15") << "Blood Sugar, row 3, Dose";
        QTest::newRow("INPUT_BS_24") << "Blood Sugar, row 12, Dose";
        QTest::newRow("INPUT_CW_3") << "Weighting, row 3, Lower Limit";
        QTest::newRow("INPUT_CW_12") << "Weighting, row 12, Lower Limit";
        QTest::newRow("INPUT_CW_13") << "Weighting, row 1, Dose";
        QTest::newRow("INPUT_CD_1") << "Carbohydrate, grams per unit";
    }
    // Expected: the name, and the typed text as the value.
    void everyBoxSaysWhereItIs() {
        QFETCH(QString, name);
        open();
        type(d_, QString(QTest::currentDataTag()) + "=17");
        QAccessibleInterface *box = accessible(d_, QTest::currentDataTag());
        QCOMPARE(box->text(QAccessible::Name), name);
        QCOMPARE(box->text(QAccessible::Value), QStringLiteral("17"));
    }

    // Expected: the 49 boxes a person can reach have 49 different names.
    void noTwoBoxesShareAName() {
        open();
        QSet<QString> names;
        for (QLineEdit *box : d_->findChildren<QLineEdit *>()) {
            if (box->focusPolicy() != Qt::NoFocus)
                names << QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
        }
        names.remove(QString());
        QCOMPARE(names.size(), 49);
    }

    // Expected: the period box labelled by the "Period" caption, the relation both ways (on
    // Linux a list box's name is its current item; screen readers take the label from the
    // relation), and its value the period chosen.
    void periodBoxIsLabelled() {
        open();
        QAccessibleInterface *periods = accessible(d_, "Mealtime");
        QAccessibleInterface *caption = accessible(d_, "Label1_46");
        QCOMPARE(caption->text(QAccessible::Name), QStringLiteral("Period"));
        QCOMPARE(periods->text(QAccessible::Value), QStringLiteral("Breakfast"));
        const auto labelledBy = periods->relations(QAccessible::Label);
        QCOMPARE(labelledBy.size(), 1);
        QCOMPARE(labelledBy.first().first->object(), caption->object());
        const auto labels = caption->relations(QAccessible::Labelled);
        QVERIFY(!labels.isEmpty() && labels.first().first->object() == periods->object());
    }

    void onlyTheShownPageIsShowing_data() {
        QTest::addColumn<int>("tab");
        QTest::newRow("Blood Sugar") << 1;
        QTest::newRow("Weighting") << 2;
        QTest::newRow("Carbohydrate") << 3;
    }
    // Expected: the boxes of the selected page showing, those of the other two invisible (an
    // assistive tool reads "showing" as not invisible).
    void onlyTheShownPageIsShowing() {
        QFETCH(int, tab);
        QVERIFY(openShown());
        selectTab(d_, tab);
        const char *boxes[] = {"INPUT_BS_7", "INPUT_CW_7", "INPUT_CD_1"};
        for (int page = 1; page <= 3; ++page) {
            const QAccessible::State state = accessible(d_, boxes[page - 1])->state();
            QVERIFY2(bool(state.invisible) == (page != tab), boxes[page - 1]);
        }
    }
};

QTEST_MAIN(DosesAccessibilityTest)
#include "doses_accessibility_test.moc"
