#include "dialog_probe.h"
#include "ui/dialogs/doses_layout.h"

#include <QSignalSpy>

// Which page lies in view after a tab is chosen by the key handler, by keys or by the mouse.
class DosesKeysTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dialogKeyHandlerWalksTheTabs_data();
    void dialogKeyHandlerWalksTheTabs();
    void ctrlTabWorksWhereverTheFocusIs_data();
    void ctrlTabWorksWhereverTheFocusIs();
    void everyMouseChoiceOfATabIsReportedOnce();

private:
    DosesConfigDialog *dialog() const { return dialog_->get(); }
    std::unique_ptr<testsupport::TestEnvironment> env_;
    std::unique_ptr<probe::Dialog> dialog_;
};

namespace {
// Exactly the page of the selected tab lies in view and takes input.
bool onlyPageInView(const QWidget *dialog, int tab) {
    using namespace doses_layout;
    for (int i = 0; i < 3; ++i) {
        const QGroupBox *page = probe::page(dialog, i);
        const int left =
            platform::twipsToPixels(i == tab - 1 ? kPageInViewLeft : kPageOutOfViewLeft);
        if (page->x() != left || page->isEnabled() != (i == tab - 1) ||
            page->y() != platform::twipsToPixels(960))
            return false;
    }
    return true;
}
} // namespace

void DosesKeysTest::init() {
    env_ = std::make_unique<testsupport::TestEnvironment>();
    probe::loadPeriods(*env_, probe::kThreePeriods);
    dialog_ = std::make_unique<probe::Dialog>(new DosesConfigDialog(nullptr));
    // A new dialog has page 0 in view and the other pages disabled.
    QVERIFY(onlyPageInView(dialog(), 1));
}

void DosesKeysTest::cleanup() {
    dialog_.reset();
    env_.reset();
}

void DosesKeysTest::dialogKeyHandlerWalksTheTabs_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("keyCode");
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("to");
    QTest::newRow("Ctrl+Tab on Blood Sugar") << 1 << 9 << 2 << 2;
    QTest::newRow("Ctrl+Tab on Carbohydrate wraps") << 3 << 9 << 2 << 1;
    QTest::newRow("Ctrl+Shift+Tab on Blood Sugar wraps") << 1 << 9 << 3 << 3;
    QTest::newRow("Ctrl+Shift+Tab on Carbohydrate") << 3 << 9 << 3 << 2;
    QTest::newRow("Ctrl+Alt+Tab acts as Ctrl+Tab") << 2 << 9 << 6 << 3;
    QTest::newRow("Ctrl+Alt+Shift+Tab acts as Ctrl+Shift+Tab") << 2 << 9 << 7 << 1;
    QTest::newRow("Tab alone") << 2 << 9 << 0 << 2;
    QTest::newRow("Shift+Tab") << 2 << 9 << 1 << 2;
    QTest::newRow("Alt+Shift+Tab") << 2 << 9 << 5 << 2;
    QTest::newRow("Ctrl+Enter") << 2 << 13 << 2 << 2;
    QTest::newRow("Ctrl+Shift+I") << 2 << 73 << 3 << 2;
}

// State: tab `from` selected. Action: the key handler gets a key code and modifier mask.
// Expected: tab `to` selected and only its page in view.
void DosesKeysTest::dialogKeyHandlerWalksTheTabs() {
    QFETCH(int, from);
    QFETCH(int, keyCode);
    QFETCH(int, shift);
    QFETCH(int, to);
    probe::tabs(dialog())->setSelectedIndex(from);
    dialog()->handleDialogKey(keyCode, shift);
    QCOMPARE(probe::tabs(dialog())->SelectedItem().Index(), to);
    QVERIFY(onlyPageInView(dialog(), to));
}

void DosesKeysTest::ctrlTabWorksWhereverTheFocusIs_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("to"); // after two presses
    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl+Tab in a box") << "INPUT_BS_5" << int(Qt::Key_Tab) << ctrl << 3;
    QTest::newRow("Ctrl+Shift+Tab in a box")
        << "INPUT_BS_17" << int(Qt::Key_Backtab) << ctrlShift << 2;
    QTest::newRow("Ctrl+Alt+Tab on OK")
        << "cmdOK" << int(Qt::Key_Tab) << int(ctrl | Qt::AltModifier) << 3;
    QTest::newRow("Ctrl+Tab on the period selector") << "Mealtime" << int(Qt::Key_Tab) << ctrl << 3;
    QTest::newRow("Tab alone moves the focus only") << "INPUT_BS_5" << int(Qt::Key_Tab) << 0 << 1;
}

// State: dialog shown, Blood Sugar selected, the focus on a widget. Action: the key pressed
// twice. Expected: the tab and page the keys lead to; no box text changed by the key.
void DosesKeysTest::ctrlTabWorksWhereverTheFocusIs() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, to);
    QVERIFY(probe::showActive(dialog()));
    probe::child(dialog(), focus)->setFocus();
    QCOMPARE(probe::focusName(), focus);
    for (int press = 0; press < 2; ++press)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
    QCOMPARE(probe::tabs(dialog())->SelectedItem().Index(), to);
    QVERIFY(onlyPageInView(dialog(), to));
    QCOMPARE(probe::box(dialog(), "INPUT_BS_5")->text(), QStringLiteral(""));
    QCOMPARE(probe::box(dialog(), "INPUT_BS_17")->text(), QStringLiteral(""));
}

// State: Weighting selected by the mouse, its page then pushed aside behind the strip's back.
// Action: the user clicks Weighting again. Expected: one report per click, and the page back
// in view.
void DosesKeysTest::everyMouseChoiceOfATabIsReportedOnce() {
    QVERIFY(probe::showActive(dialog()));
    platform::TabStrip *strip = probe::tabs(dialog());
    QSignalSpy clicks(strip, &platform::TabStrip::clicked);
    const QPoint weighting = strip->tabBar()->tabRect(1).center();
    QTest::mouseClick(strip->tabBar(), Qt::LeftButton, {}, weighting);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(onlyPageInView(dialog(), 2));

    probe::page(dialog(), 1)->move(0, probe::page(dialog(), 1)->y());
    QTest::mouseClick(strip->tabBar(), Qt::LeftButton, {}, weighting);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(strip->SelectedItem().Index(), 2);
    QVERIFY(onlyPageInView(dialog(), 2));
}

QTEST_MAIN(DosesKeysTest)
#include "doses_keys_test.moc"
