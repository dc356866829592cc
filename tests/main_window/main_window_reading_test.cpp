// What a person, and a screen reader, reads in the main window: every dose figure with its
// caption, the labels of the boxes, the note on a decimal comma, a caption cut to fit, and
// the hint shown while no period is listed.

#include "tests/main_window/main_window_fixture.h"
#include "ui/main_window/caption_fit.h"
#include "ui/main_window/input_hints.h"

#include <QAccessible>
#include <QLineEdit>

using namespace mainwindowtest;

namespace {

// Accessibility events the window sent, as "<object name> <event>".
QStringList &events() {
    static QStringList seen;
    return seen;
}

void recordEvent(QAccessibleEvent *event) {
    const char *kind = event->type() == QAccessible::NameChanged          ? "name"
                       : event->type() == QAccessible::ValueChanged       ? "value"
                       : event->type() == QAccessible::DescriptionChanged ? "description"
                                                                          : nullptr;
    if (kind && event->object())
        events() << event->object()->objectName() + QLatin1Char(' ') + QLatin1String(kind);
}

QString accessibleText(QObject *object, QAccessible::Text which) {
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(which) : QStringLiteral("<no interface>");
}

// The accessible names of whatever labels the object, by the labelled-by relation.
QStringList labelledBy(QObject *object) {
    QStringList names;
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    if (!face)
        return names;
    for (const auto &[other, relation] : face->relations(QAccessible::Label))
        names << other->text(QAccessible::Name);
    return names;
}

// With a reading of 190 and the carbohydrate typed, the figure's accessible name and value. At
// Breakfast 190 and 75 g give 2 + 7.5 + 1 = 10.5.
struct FigureCase {
    const char *carbohydrate, *figure;
    QString name, value;
};

} // namespace

class MainWindowReadingTest : public Fixture {
    Q_OBJECT

    void type(const char *box, const QString &text) {
        auto *edit = find<QLineEdit>(box);
        edit->clear();
        QTest::keyClicks(edit, text);
    }

private slots:
    void initTestCase() {
        QAccessible::installUpdateHandler(recordEvent);
        QAccessible::setActive(true);
    }
    void init() {
        begin();
        events().clear();
    }
    void cleanup() { end(); }

    void figureReadsCaptionAndValue_data() {
        QTest::addColumn<FigureCase>("c");
        // clang-format off
        QTest::newRow("total") << FigureCase{"75", "Lab_tot2", "Total, 10.5", "10.5"};
        QTest::newRow("correction") << FigureCase{"75", "Lab_bs2", "Blood sugar correction dose, 2", "2"};
        QTest::newRow("carbohydrate dose under its rewritten caption") << FigureCase{"75", "Lab_cd2", "Dose for carbohydrate @ 1 unit per 10 grams., 7.5", "7.5"};
        QTest::newRow("weighting under its rewritten caption") << FigureCase{"75", "Lab_cw2", "Weighting if over 60 grams, 1", "1"};
        QTest::newRow("an unreadable amount leaves the total blank") << FigureCase{"1e999", "Lab_tot2", "Total, blank", ""};
        QTest::newRow("an unreadable amount leaves its dose blank") << FigureCase{"1e999", "Lab_cd2", "Dose for carbohydrate @ 1 unit per 10 grams., blank", ""};
        // clang-format on
    }

    // Expected: the figure's name says what it is and what it shows now, its value is the
    // figure alone, its description the caption, and its caption labels it.
    void figureReadsCaptionAndValue() {
        QFETCH(FigureCase, c);
        QVERIFY(open());
        type("Blood_Sugar", "190");
        type("Carb", c.carbohydrate);
        QObject *label = find(c.figure);
        QCOMPARE(accessibleText(label, QAccessible::Name), c.name);
        QCOMPARE(accessibleText(label, QAccessible::Value), c.value);
        const QString caption = c.name.left(c.name.lastIndexOf(QStringLiteral(", ")));
        QCOMPARE(accessibleText(label, QAccessible::Description), caption);
        QVERIFY2(labelledBy(label).contains(caption), qPrintable(labelledBy(label).join('|')));
    }

    // Action: a figure goes from 10.5 to blank and back. Expected: each change is announced
    // as a change of value and of name; a keystroke that changes no figure announces none.
    void changedFiguresAreAnnounced() {
        // The bridge starts once the event loop has run; opening the window runs it.
        QVERIFY(open());
        if (!QAccessible::isActive() && qEnvironmentVariableIsSet("NORVALIS_REQUIRE_ACCESSIBILITY"))
            QFAIL("the accessibility bridge did not start");
        if (!QAccessible::isActive())
            QSKIP("no accessibility bridge here; main_window_accessibility_events_test runs it");

        type("Blood_Sugar", "190");
        type("Carb", "75");
        events().clear();
        QTest::keyClick(find("Carb"), Qt::Key_Home);
        QTest::keyClicks(find("Carb"), "x"); // "x75" reads as 0 g: only the carbohydrate dose
        QVERIFY2(events().contains("Lab_cd2 value"), qPrintable(events().join(", ")));
        QVERIFY(events().contains("Lab_tot2 value"));
        QVERIFY(!events().contains("Lab_bs2 value"));
        events().clear();
        QTest::keyClick(find("Carb"), Qt::Key_End);
        QTest::keyClick(find("Carb"), Qt::Key_Space); // "x75 " reads as 0 g too
        QCOMPARE(events().filter(QStringLiteral(" value")), QStringList());
    }

    void boxesAreLabelled_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("label");
        // clang-format off
        QTest::newRow("period box") << "Mealtime" << "Mealtime";
        QTest::newRow("blood sugar box") << "Blood_Sugar" << "Blood Sugar";
        QTest::newRow("carbohydrate box") << "Carb" << "Carbohydrate";
        // clang-format on
    }

    // The period box's own name is its entry; what it is comes from its label.
    void boxesAreLabelled() {
        QFETCH(QString, box);
        QFETCH(QString, label);
        QVERIFY(open());
        const QStringList labels = labelledBy(find(qPrintable(box)));
        QVERIFY2(labels.contains(label), qPrintable(labels.join('|')));
        if (box != "Mealtime")
            QCOMPARE(accessibleText(find(qPrintable(box)), QAccessible::Name), label);
    }

    void commaReading_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reading"); // empty: no note
        // clang-format off
        QTest::newRow("7,5") << "7,5" << "7";
        QTest::newRow("comma just typed") << "7," << "7";
        QTest::newRow("decimal before the comma") << "7.25,5" << "7.25";
        QTest::newRow("sign and blanks") << "  -12,5" << "-12";
        QTest::newRow("blank inside the number") << "1 2,5" << "12";
        QTest::newRow("full stop") << "7.5" << "";
        QTest::newRow("comma after a letter") << "7a,5" << "";
        QTest::newRow("comma first") << ",5" << "";
        QTest::newRow("comma after a blank") << "7 x,5" << "";
        QTest::newRow("foreign digits are no comma") << "\u0661,5" << "";
        QTest::newRow("empty") << "" << "";
        // clang-format on
    }

    void commaReading() {
        QFETCH(QString, text);
        QFETCH(QString, reading);
        QCOMPARE(mainwindow::commaReading(text), reading);
    }

    // Action: "75,5" typed, then the comma and the 5 taken back; then commas in both boxes.
    // Expected: the box marked and the note shown (and given to the box's description) only
    // while a comma is there; the doses read 75 meanwhile; nothing else of the window moves;
    // with two commas the note names both readings, in the boxes' order.
    void decimalCommaIsNotedWhileItIsThere() {
        QVERIFY(open());
        auto *box = find<QLineEdit>("Carb");
        const QColor base = box->palette().color(QPalette::Base);
        auto *note = find<QLabel>("Comma_Hint");
        QVERIFY(note && note->isHidden());
        type("Carb", "75,5");
        QCOMPARE(text("Lab_cd2"), QStringLiteral("7.5"));
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("Read as 75 \u2014 use a full stop for decimals"));
        QCOMPARE(accessibleText(box, QAccessible::Description), note->text());
        QVERIFY(box->palette().color(QPalette::Base) != base);
        QVERIFY(!note->geometry().intersects(find("Lab_cd3")->geometry()));
        QVERIFY(!note->geometry().intersects(box->geometry()));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Backspace); // "75"
        QVERIFY(note->isHidden());
        QCOMPARE(box->palette().color(QPalette::Base), base);
        QCOMPARE(accessibleText(box, QAccessible::Description), QString());
        QVERIFY(!box->testAttribute(Qt::WA_SetPalette));
        type("Carb", "60,5");
        type("Blood_Sugar", "7,2");
        QCOMPARE(text("Comma_Hint"),
                 QStringLiteral("Read as 7 and 60 \u2014 use a full stop for decimals"));
    }

    void misreadingHint_data() {
        QTest::addColumn<QStringList>("texts"); // the two boxes
        QTest::addColumn<QString>("hint");
        const QString digits = QStringLiteral(" \u2014 type the digits 0 to 9");
        // clang-format off
        QTest::newRow("plain numbers") << QStringList{"190", "75"} << "";
        QTest::newRow("Arabic-Indic digits") << QStringList{"\u0661\u0669\u0660", ""} << "Read as 0" + digits;
        QTest::newRow("fullwidth digits") << QStringList{"", "\uFF17\uFF15"} << "Read as 0" + digits;
        QTest::newRow("Arabic decimal separator") << QStringList{"7\u066B5", ""} << "Read as 7" + digits;
        QTest::newRow("Devanagari after ASCII digits") << QStringList{"19\u0966", ""} << "Read as 19" + digits;
        QTest::newRow("a comma and foreign digits") << QStringList{"7,5", "\uFF17"} << "Read as 7 \u2014 use a full stop for decimals; Read as 0" + digits;
        // clang-format on
    }

    void misreadingHint() {
        QFETCH(QStringList, texts);
        QFETCH(QString, hint);
        QCOMPARE(mainwindow::misreadingHint(texts), hint);
    }

    // Action: fullwidth digits typed into Blood Sugar. Expected: the box marked and the note
    // shown, as for a decimal comma, until ASCII digits replace them.
    void foreignDigitsAreNoted() {
        QVERIFY(open());
        auto *box = find<QLineEdit>("Blood_Sugar");
        const QColor base = box->palette().color(QPalette::Base);
        box->setFocus();
        box->insert(QStringLiteral("\uFF11\uFF19\uFF10")); // as an input method gives them
        auto *note = find<QLabel>("Comma_Hint");
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("Read as 0 \u2014 type the digits 0 to 9"));
        QCOMPARE(accessibleText(box, QAccessible::Description), note->text());
        QVERIFY(box->palette().color(QPalette::Base) != base);
        type("Blood_Sugar", "190");
        QVERIFY(note->isHidden());
        QCOMPARE(box->palette().color(QPalette::Base), base);
    }

    void elideAtWord_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("room"); // the room is this text's width and one "x"
        QTest::addColumn<QString>("shown");
        const QString caption = QStringLiteral("Dose for carbohydrate @ 1 unit per 10 grams.");
        const QString cut = QStringLiteral("Dose for carbohydrate @ 1\u2026");
        const QString weighting = QStringLiteral("Weighting, if over 60 grams");
        // clang-format off
        QTest::newRow("fits whole") << caption << caption << caption;
        QTest::newRow("cut after a whole word") << caption << cut << cut;
        QTest::newRow("a separator before the cut goes too") << weighting << QStringLiteral("Weighting\u2026") << QStringLiteral("Weighting\u2026");
        QTest::newRow("one word too long is cut inside") << QStringLiteral("Carbohydrateweighting") << QStringLiteral("Carbo") << QStringLiteral("<inside>");
        // clang-format on
    }

    // Expected: never a piece of a word before the ellipsis, unless one word alone is too long.
    void elideAtWord() {
        QFETCH(QString, text);
        QFETCH(QString, room);
        QFETCH(QString, shown);
        const QFontMetrics metrics(QApplication::font());
        const int width = metrics.horizontalAdvance(room + QLatin1Char('x'));
        const QString result = mainwindow::elideAtWord(text, metrics, width);
        QVERIFY(metrics.horizontalAdvance(result) <= width);
        if (shown == "<inside>")
            QVERIFY(result.endsWith(QChar(0x2026)) && result.size() < text.size());
        else
            QCOMPARE(result, shown);
    }

    // A long rewritten caption is cut at a word, keeps its whole text as tooltip and accessible
    // name, and stops short of the dose figure beside it.
    void longCaptionIsCutAtAWord() {
        QVERIFY(open("[Period]\nP_1=Tea\n\n[Tea]\nCD_1=12.5\n"));
        const QString whole = QStringLiteral("Dose for carbohydrate @ 1 unit per 12.5 grams.");
        auto *caption = find<QLabel>("Lab_cd1");
        QVERIFY(caption->text().endsWith(QChar(0x2026)));
        QVERIFY(whole.startsWith(caption->text().chopped(1) + QLatin1Char(' ')));
        QCOMPARE(caption->toolTip(), whole);
        QCOMPARE(accessibleText(caption, QAccessible::Name), whole);
        QCOMPARE(accessibleText(find("Lab_cd2"), QAccessible::Description), whole);
        QVERIFY(caption->fontMetrics().horizontalAdvance(caption->text()) <=
                caption->contentsRect().width());
    }

    void noPeriodsHintTakesTheRatioLine_data() {
        QTest::addColumn<QByteArray>("file"); // no file at all: main_window_test
        QTest::newRow("empty settings file") << QByteArray("");
        QTest::newRow("no [Period] section") << QByteArray("[Breakfast]\nCD_1=10\n");
        QTest::newRow("a period list of none") << QByteArray("[Period]\n[Breakfast]\nCD_1=10\n");
    }

    // Expected: the hint names the file and the menu command, the dose figures are blank
    // rather than 0 and read as blank.
    void noPeriodsHintTakesTheRatioLine() {
        QFETCH(QByteArray, file);
        QVERIFY(open(file));
        const QString hint = text("Lab_cd3");
        QVERIFY2(hint.contains(env_->settingsFilePath()), qPrintable(hint));
        QVERIFY(hint.contains(QStringLiteral("Configuation \u25b8 Periods")));
        for (const char *figure : {"Lab_bs2", "Lab_cd2", "Lab_cw2", "Lab_tot2"}) {
            QCOMPARE(text(figure), QString());
            QVERIFY(accessibleText(find(figure), QAccessible::Name).endsWith(", blank"));
        }
        type("Carb", "50");
        QCOMPARE(text("Lab_tot2"), QString());
        QCOMPARE(text("Lab_cd3"), hint);
    }
};

QTEST_MAIN(MainWindowReadingTest)
#include "main_window_reading_test.moc"
