// What OK in the periods dialog stores, worked out from the boxes before and after editing.

#include "ui/dialogs/period_list_edit.h"

#include <QTest>

Q_DECLARE_METATYPE(norvalis::Encoding)

using namespace periods;

namespace {
// Twelve box texts from the ones given, the rest empty.
QStringList boxes(QStringList texts) {
    texts.resize(kBoxes);
    return texts;
}
} // namespace

class PeriodListEditTest : public QObject {
    Q_OBJECT

private slots:
    void storesTheList_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("renames"); // "from>to" in box order
        const QStringList meals{"Breakfast", "Lunch", "Dinner"};
        // clang-format off
        QTest::newRow("unchanged") << meals << meals << meals << "";
        QTest::newRow("names trimmed") << meals << QStringList{" Breakfast ", "\tLunch", "Dinner"} << meals << "";
        QTest::newRow("an emptied box closes up") << meals << QStringList{"Breakfast", "", "Dinner"} << QStringList{"Breakfast", "Dinner"} << "";
        QTest::newRow("a blank box is empty") << meals << QStringList{"Breakfast", "   ", "Dinner"} << QStringList{"Breakfast", "Dinner"} << "";
        QTest::newRow("a name in the last box") << meals << QStringList{"Breakfast", "Lunch", "Dinner", "", "", "", "", "", "", "", "", "Night"} << QStringList{"Breakfast", "Lunch", "Dinner", "Night"} << "";
        QTest::newRow("renamed in place") << meals << QStringList{"Breakfast", "Midday", "Dinner"} << QStringList{"Breakfast", "Midday", "Dinner"} << "Lunch>Midday";
        QTest::newRow("moved to another box is no rename") << meals << QStringList{"Breakfast", "Snack", "Dinner", "Lunch"} << QStringList{"Breakfast", "Snack", "Dinner", "Lunch"} << "";
        QTest::newRow("letter case only is no rename") << meals << QStringList{"Breakfast", "LUNCH", "Dinner"} << QStringList{"Breakfast", "LUNCH", "Dinner"} << "";
        QTest::newRow("two renamed") << meals << QStringList{"Early", "Lunch", "Late"} << QStringList{"Early", "Lunch", "Late"} << "Breakfast>Early Dinner>Late";
        QTest::newRow("a name listed twice moves once") << QStringList{"Lunch", "lunch"} << QStringList{"Midday", "Noon"} << QStringList{"Midday", "Noon"} << "Lunch>Midday";
        QTest::newRow("an empty list stays empty") << QStringList{} << QStringList{} << QStringList{} << "";
        // clang-format on
    }

    void storesTheList() {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QStringList, names);
        QFETCH(QString, renames);
        const auto outcome = planPeriods(boxes(before), boxes(after), norvalis::Encoding::Utf8);
        const Plan *plan = std::get_if<Plan>(&outcome);
        QVERIFY2(plan, plan ? "" : qPrintable(std::get<Refusal>(outcome).message));
        QCOMPARE(plan->names, names);
        QStringList renamed;
        for (const Rename &rename : plan->renames)
            renamed << rename.from + '>' + rename.to;
        QCOMPARE(renamed.join(' '), renames);
    }

    void refusesWhatTheFileCannotHold_data() {
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("says");
        QTest::addColumn<norvalis::Encoding>("encoding");
        using enum norvalis::Encoding;
        // clang-format off
        QTest::newRow("same name twice") << QStringList{"Lunch", "Tea", "Lunch"} << 3 << "Period 1 and Period 3" << Utf8;
        QTest::newRow("same name in other case") << QStringList{"Lunch", "LUNCH"} << 2 << "Period 1 and Period 2" << Utf8;
        QTest::newRow("same name in other case, accented") << QStringList{QString::fromUtf8("Frühstück"), QString::fromUtf8("FRÜHSTÜCK")} << 2 << "Period 1 and Period 2" << Utf8;
        QTest::newRow("same name after trimming") << QStringList{"Tea", " Tea"} << 2 << "Period 1 and Period 2" << Utf8;
        QTest::newRow("equals sign") << QStringList{"Tea", "", "a=b"} << 3 << "\"=\"" << Utf8;
        QTest::newRow("a letter Windows-1252 cannot hold") << QStringList{"Tea", QString::fromUtf8("Śniadanie")} << 2 << "Windows-1252" << Windows1252;
        QTest::newRow("every box emptied") << QStringList{} << 1 << "all empty" << Utf8;
        QTest::newRow("renamed to the options section") << QStringList{"Breakfast", "OPTIONS"} << 2 << "options" << Utf8;
        QTest::newRow("a new period named like the period list") << QStringList{"Breakfast", "Lunch", "period"} << 3 << "period list" << Utf8;
        // clang-format on
    }

    // State: Breakfast, Lunch listed. Expected: refused, naming the box. What a name may hold
    // is the settings file's rule and is tested there; here it only has to be asked, in
    // the file's encoding, about the right box.
    void refusesWhatTheFileCannotHold() {
        QFETCH(QStringList, after);
        QFETCH(int, box);
        QFETCH(QString, says);
        QFETCH(norvalis::Encoding, encoding);
        const auto outcome = planPeriods(boxes({"Breakfast", "Lunch"}), boxes(after), encoding);
        const Refusal *refusal = std::get_if<Refusal>(&outcome);
        QVERIFY(refusal);
        QCOMPARE(refusal->box, box);
        QVERIFY2(refusal->message.contains(says), qPrintable(refusal->message));
        QVERIFY(refusal->message.contains(QStringLiteral("Period %1").arg(box)));
    }
};

QTEST_MAIN(PeriodListEditTest)
#include "period_list_edit_test.moc"
