// Where the main window opens and what it leaves in the per-user store when it closes.

#include "main_window_fixture.h"
#include "tests/support/test_environment.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/window_placement.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <functional>

using mainwindow::Placement;

namespace {
const QStringList kKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

void store(const testsupport::TestEnvironment &env, const QStringList &values) {
    for (qsizetype i = 0; i < kKeys.size(); ++i)
        env.setUserSetting(kKeys[i], values[i]);
}

QStringList stored(const testsupport::TestEnvironment &env) {
    QStringList values;
    for (const QString &key : kKeys)
        values.append(env.userSetting(key));
    return values;
}

QRect frameOf(const QWidget &window) {
    return window.frameGeometry();
}

using CloseAction = std::function<void(MainWindow &)>;

void pressEscapeIn(MainWindow &window, const char *name) {
    QWidget *widget = fixture::child<QWidget>(window, name);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Escape);
}
} // namespace

Q_DECLARE_METATYPE(CloseAction)

class MainWindowPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void everyWayOfClosingStoresThePlacement_data();
    void everyWayOfClosingStoresThePlacement();
    void closingWhileMinimisedStoresNothing_data();
    void closingWhileMinimisedStoresNothing();
    void storedPlacementDoesNotDriftOverRuns_data();
    void storedPlacementDoesNotDriftOverRuns();
    void unusableStoredValueFallsBackToItsDefault_data();
    void unusableStoredValueFallsBackToItsDefault();
    void windowOffEveryScreenIsBroughtBack_data();
    void windowOffEveryScreenIsBroughtBack();
    void twipsTextReadsBackToTheSameValue_data();
    void twipsTextReadsBackToTheSameValue();
    void keptOnScreenMovesOnlyLostFrames_data();
    void keptOnScreenMovesOnlyLostFrames();
};

void MainWindowPlacementTest::everyWayOfClosingStoresThePlacement_data() {
    QTest::addColumn<CloseAction>("closeWindow");
    QTest::newRow("Exit button clicked") << CloseAction([](MainWindow &w) {
        QTest::mouseClick(fixture::child<QPushButton>(w, "Exit"), Qt::LeftButton);
    });
    QTest::newRow("Escape in Blood_Sugar")
        << CloseAction([](MainWindow &w) { pressEscapeIn(w, "Blood_Sugar"); });
    QTest::newRow("Escape in Mealtime")
        << CloseAction([](MainWindow &w) { pressEscapeIn(w, "Mealtime"); });
    QTest::newRow("Escape in Carb") << CloseAction([](MainWindow &w) { pressEscapeIn(w, "Carb"); });
    QTest::newRow("Escape on the Exit button")
        << CloseAction([](MainWindow &w) { pressEscapeIn(w, "Exit"); });
    QTest::newRow("title-bar close")
        << CloseAction([](MainWindow &w) { w.windowHandle()->close(); });
}

// State: stored placement, then the user moves the window 10 right and 20 down. Expected:
// the new position in twips, the stored size untouched by pixel rounding.
void MainWindowPlacementTest::everyWayOfClosingStoresThePlacement() {
    QFETCH(CloseAction, closeWindow);
    testsupport::TestEnvironment env;
    env.writeSettingsFile(fixture::breakfastLunchSupper());
    store(env, {"1500", "1200", "5000", "6001"});
    MainWindow window;
    QVERIFY(fixture::showActive(window));
    QCOMPARE(frameOf(window).topLeft(), QPoint(100, 80));
    window.move(window.pos() + QPoint(10, 20));

    closeWindow(window);
    QVERIFY(!window.isVisible());
    QCOMPARE(stored(env), (QStringList{"1650", "1500", "5000", "6001"}));
    QTRY_VERIFY(!window.dosesDialog()); // every other window was unloaded
}

void MainWindowPlacementTest::closingWhileMinimisedStoresNothing_data() {
    QTest::addColumn<QStringList>("before");
    QTest::newRow("first run") << QStringList(4, QString());
    QTest::newRow("values from an earlier run") << QStringList{"1500", "1200", "5000", "6000"};
}

void MainWindowPlacementTest::closingWhileMinimisedStoresNothing() {
    QFETCH(QStringList, before);
    testsupport::TestEnvironment env;
    if (!before.first().isNull())
        store(env, before);
    MainWindow window;
    window.showMinimized();
    QTRY_VERIFY(window.isMinimized());
    window.close();
    QCOMPARE(stored(env), before);
}

void MainWindowPlacementTest::storedPlacementDoesNotDriftOverRuns_data() {
    QTest::addColumn<QStringList>("before"); // null texts: nothing stored yet
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QRect>("frame"); // where the window opens; not checked when empty

    const QStringList defaults = {"1000", "1000", "6500", "6500"};
    QTest::newRow("first run") << QStringList(4, QString()) << defaults << QRect(67, 67, 433, 433);
    QTest::newRow("defaults") << defaults << defaults << QRect(67, 67, 433, 433);
    const QStringList fractions = {"1234.5", "987.25", "5000.1", "4321.9"};
    QTest::newRow("fractions of a pixel") << fractions << fractions << QRect(82, 66, 333, 288);
    const QStringList partlyLeft = {"-1507", "22", "6499", "3001"};
    QTest::newRow("partly left of the screen") << partlyLeft << partlyLeft << QRect();
}

// Expected: run after run, an unmoved window stores exactly what it read.
void MainWindowPlacementTest::storedPlacementDoesNotDriftOverRuns() {
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QRect, frame);
    testsupport::TestEnvironment env;
    if (!before.first().isNull())
        store(env, before);
    for (int run = 1; run <= 3; ++run) {
        MainWindow window;
        QVERIFY(fixture::showActive(window));
        if (!frame.isEmpty())
            QCOMPARE(frameOf(window), frame);
        window.close();
        QVERIFY2(stored(env) == after, qPrintable(QStringLiteral("run %1").arg(run)));
    }
}

void MainWindowPlacementTest::unusableStoredValueFallsBackToItsDefault_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expectedPixels");
    QTest::addColumn<QString>("storedAtClose");

    QTest::newRow("letters") << 0 << "abc" << 67 << "1000";
    QTest::newRow("number followed by letters") << 2 << "5000px" << 433 << "6500";
    QTest::newRow("not a number") << 0 << "nan" << 67 << "1000";
    QTest::newRow("beyond single precision") << 3 << "1e39" << 433 << "6500";
    QTest::newRow("far beyond any screen") << 0 << "1e12" << 67 << "1000";
    QTest::newRow("zero width") << 2 << "0" << 433 << "6500";
    QTest::newRow("exponent form") << 2 << "4.5e3" << 300 << "4500";
}

// Expected: the window opens with the default for that value (or the value, when usable),
// and an unmoved window stores the value it used.
void MainWindowPlacementTest::unusableStoredValueFallsBackToItsDefault() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, expectedPixels);
    QFETCH(QString, storedAtClose);
    testsupport::TestEnvironment env;
    env.setUserSetting(kKeys[key], text);
    MainWindow window;
    QVERIFY(fixture::showActive(window));
    const QRect frame = frameOf(window);
    const int coordinates[] = {frame.left(), frame.top(), frame.width(), frame.height()};
    QCOMPARE(coordinates[key], expectedPixels);

    window.close();
    QCOMPARE(env.userSetting(kKeys[key]), storedAtClose);
}

void MainWindowPlacementTest::windowOffEveryScreenIsBroughtBack_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<bool>("moved");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto twips = [](int pixels) { return QString::number(pixels * 15); };
    QTest::newRow("far left") << QStringList{"-150000", "1000", "6500", "6500"} << true;
    QTest::newRow("just past the right edge")
        << QStringList{twips(screen.right() + 1), "1000", "3000", "3000"} << true;
    QTest::newRow("partly past the bottom right")
        << QStringList{twips(screen.right() - 200), twips(screen.bottom() - 100), "6500", "6500"}
        << false;
}

void MainWindowPlacementTest::windowOffEveryScreenIsBroughtBack() {
    QFETCH(QStringList, values);
    QFETCH(bool, moved);
    testsupport::TestEnvironment env;
    store(env, values);
    MainWindow window;
    QVERIFY(fixture::showActive(window));
    const QRect frame = frameOf(window);
    const QRect asked(qRound(values[0].toFloat() / 15), qRound(values[1].toFloat() / 15),
                      qRound(values[2].toFloat() / 15), qRound(values[3].toFloat() / 15));
    QCOMPARE(frame.size(), asked.size());
    QVERIFY(frame.intersects(QGuiApplication::primaryScreen()->geometry()));
    QCOMPARE(frame.topLeft() != asked.topLeft(), moved);
    QCOMPARE(stored(env), values); // replaced only when the window closes

    window.close();
    const QStringList expected = {
        frame.left() == asked.left() ? values[0] : QString::number(frame.left() * 15),
        frame.top() == asked.top() ? values[1] : QString::number(frame.top() * 15), values[2],
        values[3]};
    QCOMPARE(stored(env), expected);
}

void MainWindowPlacementTest::twipsTextReadsBackToTheSameValue_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole number") << 1000.0f << "1000";
    QTest::newRow("half") << 1012.5f << "1012.5";
    QTest::newRow("tenth") << 0.1f << "0.1";
    QTest::newRow("negative zero") << -0.0f << "0";
    QTest::newRow("nearest float to 5000.1") << 5000.1f << "5000.1";
}

void MainWindowPlacementTest::twipsTextReadsBackToTheSameValue() {
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(mainwindow::twipsText(value), text);
    QCOMPARE(mainwindow::parseTwips(text).value_or(-1.0f), value);
}

void MainWindowPlacementTest::keptOnScreenMovesOnlyLostFrames_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("expected");
    // Two screens side by side; the primary's working area leaves a 30-pixel panel on top.
    QTest::newRow("inside the primary") << QRect(10, 40, 300, 300) << QRect(10, 40, 300, 300);
    QTest::newRow("on the second screen") << QRect(900, 100, 300, 300) << QRect(900, 100, 300, 300);
    QTest::newRow("left of everything") << QRect(-5000, 100, 300, 300) << QRect(0, 100, 300, 300);
    QTest::newRow("larger than the working area")
        << QRect(-5000, -5000, 1000, 1000) << QRect(0, 30, 1000, 1000);
}

void MainWindowPlacementTest::keptOnScreenMovesOnlyLostFrames() {
    QFETCH(QRect, frame);
    QFETCH(QRect, expected);
    const QList<QRect> screens = {QRect(0, 0, 800, 600), QRect(800, 0, 1024, 768)};
    QCOMPARE(mainwindow::keptOnScreen(frame, screens, QRect(0, 30, 800, 570)), expected);
}

QTEST_MAIN(MainWindowPlacementTest)
#include "main_window_placement_test.moc"
