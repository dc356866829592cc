// The dosages dialog: its widgets against the layout table, the focus order, Ctrl+Tab, what
// OK and Apply store from the boxes, the ways it ends, and what a screen reader finds.

#include "platform/twips.h"
#include "tests/dosages_dialog/dialog_helpers.h"
#include "ui/dialogs/doses_layout.h"
#include "ui/widget_table/widget_builder.h"

#include <QAccessible>

using namespace doses_layout;
using namespace dialogtest;

namespace {

// clang-format off
const QByteArray kTwelve = "CW_1=1\nCW_2=2\nCW_3=3\nCW_4=4\nCW_5=5\nCW_6=6\nCW_7=7\nCW_8=8\nCW_9=9\nCW_10=10\nCW_11=11\nCW_12=12\n";
const QString kTwelveShown = "INPUT_CW_1=1;INPUT_CW_2=2;INPUT_CW_3=3;INPUT_CW_4=4;INPUT_CW_5=5;INPUT_CW_6=6;INPUT_CW_7=7;INPUT_CW_8=8;INPUT_CW_9=9;INPUT_CW_10=10;INPUT_CW_11=11;INPUT_CW_12=12";
// Twelve carbohydrate entries: the visible box shows the twelfth, its hidden box the first.
const QByteArray kTwelveCarb = "CD_1=1\nCD_2=2\nCD_3=3\nCD_4=4\nCD_5=5\nCD_6=6\nCD_7=7\nCD_8=8\nCD_9=9\nCD_10=10\nCD_11=11\nCD_12=12\n";
const QString kTwelveCarbShown = "INPUT_CD_1=12;INPUT_CD_2=2;INPUT_CD_3=3;INPUT_CD_4=4;INPUT_CD_5=5;INPUT_CD_6=6;INPUT_CD_7=7;INPUT_CD_8=8;INPUT_CD_9=9;INPUT_CD_10=10;INPUT_CD_11=11;INPUT_CD_12=1";
QString twelveRows() {
    QStringList rows;
    for (int r = 1; r <= 12; ++r)
        rows << QString("INPUT_BS_%1=%2;INPUT_BS_%3=%4").arg(r).arg(100 + 10 * r).arg(r + 12).arg(r);
    return rows.join(';');
}
struct KeyCase { int from; const char *focus; Qt::Key key; Qt::KeyboardModifiers modifiers; int to; };
struct EditCase { QByteArray section; QString shown, typed, stored; const char *button = "cmdOK"; };
// clang-format on

} // namespace
Q_DECLARE_METATYPE(KeyCase)
Q_DECLARE_METATYPE(EditCase)

class DosesDialogTest : public QObject, DialogFixture {
    Q_OBJECT

    // Exactly the page of the selected tab shows, where the design puts the pages; a screen
    // reader finds the others invisible.
    bool onlyPageInView(QWidget *d, int tab) {
        bool only = selectedTab(d) == tab;
        for (int i = 1; i <= 3; ++i) {
            QWidget *page = child(d, QString("frameDosages_%1").arg(i - 1));
            only &= page->isVisibleTo(d) == (i == tab);
            only &= QAccessible::queryAccessibleInterface(page)->state().invisible ==
                    (i != tab || !d->isVisible());
            // The carbohydrate page is a short one: its frame ends under its one box.
            const QRect place = platform::twipsRect(240, 960, 3015, i == 3 ? 1335 : 4575);
            if (i == tab)
                only &= QRect(page->mapTo(d, QPoint()), page->size()) == place;
        }
        return only;
    }

private slots:
    void init() { startFixture(); }
    void cleanup() { endFixture(); }

    void everyWidgetIsBuiltAsTheTableSays_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(kLayout.size()); ++row)
            QTest::newRow(qPrintable(widget_table::objectNameOf(kLayout[row]))) << row;
    }
    void everyWidgetIsBuiltAsTheTableSays() {
        QFETCH(int, row);
        const WidgetRow &item = kLayout[row];
        QWidget *d = open(breakfastWith(""));
        QWidget *w = child(d, QTest::currentDataTag());
        QCOMPARE(w->geometry(), platform::twipsRect(item.left, item.top, item.width, item.height));
        if (item.kind == TabBar) {
            // Every caption whole within the strip: none cut, none scrolled away.
            auto *bar = static_cast<QTabBar *>(w);
            QVERIFY(bar->tabRect(bar->count() - 1).right() < bar->width());
            QVERIFY2(bar->tabRect(0).height() <= bar->height(),
                     qPrintable(QString::number(bar->tabRect(0).height())));
        } else {
            QCOMPARE(w->property("text").toString(), QString::fromUtf8(item.text));
        }
        // Once loaded, page 0 is the one in view.
        const bool hiddenPage = item.container == "frameDosagesStack" && item.index != 0;
        QCOMPARE(w->isVisibleTo(w->parentWidget()), item.visible && !hiddenPage);
    }

    // A place typed by hand from the design, so a wrong row formula in the table shows; the
    // owner lies far from the stored place, which the dialog must keep.
    void windowIsAFixedDialogAtItsStoredPlace() {
        QWidget owner;
        owner.setGeometry(700, 500, 300, 300);
        owner.show();
        DosesConfigDialog *d = open(kStored, &owner);
        QCOMPARE(child(d, "INPUT_BS_12")->geometry(), platform::twipsRect(840, 4185, 855, 285));
        QCOMPARE(d->windowTitle(), QStringLiteral("Configure Dosages"));
        QVERIFY(d->windowType() == Qt::Dialog && !(d->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(!d->isVisible() && onlyPageInView(d, 1));
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        QCOMPARE(d->minimumSize(), d->maximumSize());
        QCOMPARE(d->frameGeometry().size(), platform::twipsSize(3700, 6600));
        QCOMPARE(d->geometry().topLeft(), QGuiApplication::primaryScreen()->geometry().topLeft() +
                                              platform::twipsPoint(2760, 3750));
        // Enter in a box presses OK, as in every other dialog.
        for (const QPushButton *button : d->findChildren<QPushButton *>())
            QCOMPARE(button->isDefault(), button->objectName() == QStringLiteral("cmdOK"));
    }

    void tabKeyWalksTheFocusOrder_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("order"); // from the strip on
        const QStringList buttons = {"cmdOK", "cmdCancel", "cmdApply", "Mealtime", "tbsOptions"};
        QStringList bloodSugar, weighting;
        for (int i = 24; i >= 1; --i)
            bloodSugar << QString("INPUT_BS_%1").arg(i), weighting << QString("INPUT_CW_%1").arg(i);
        QTest::newRow("Blood Sugar page") << 1 << bloodSugar + buttons;
        QTest::newRow("Weighting page") << 2 << weighting + buttons;
        QTest::newRow("Carbohydrate page") << 3 << QStringList{"INPUT_CD_1"} + buttons;
    }
    // Tab pressed until the focus comes round: the designed order, through the page in view only.
    void tabKeyWalksTheFocusOrder() {
        QFETCH(int, tab);
        QFETCH(QStringList, order);
        open()->show();
        QVERIFY(QTest::qWaitForWindowActive(d_)); // for real key presses
        selectTab(d_, tab);                       // the focus starts on the tabs
        QStringList walk;
        while (walk.size() < order.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walk << focusName(d_);
        }
        QCOMPARE(walk, order);
    }

    void ctrlTabWalksTheTabs_data() {
        QTest::addColumn<KeyCase>("c");
        const auto ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier, alt = Qt::AltModifier;
        // clang-format off
        QTest::newRow("Ctrl+Tab in a box")                 << KeyCase{1, "INPUT_BS_5", Qt::Key_Tab, ctrl, 2};
        QTest::newRow("Ctrl+Tab on Carbohydrate wraps")    << KeyCase{3, "INPUT_CD_1", Qt::Key_Tab, ctrl, 1};
        QTest::newRow("Ctrl+Shift+Tab in a box wraps")     << KeyCase{1, "INPUT_BS_17", Qt::Key_Backtab, ctrl | shift, 3};
        QTest::newRow("Ctrl+Shift+Tab on Carbohydrate")    << KeyCase{3, "INPUT_CD_1", Qt::Key_Backtab, ctrl | shift, 2};
        QTest::newRow("Ctrl+Alt+Tab on OK")                << KeyCase{2, "cmdOK", Qt::Key_Tab, ctrl | alt, 3};
        QTest::newRow("Ctrl+Alt+Shift+Tab on the periods") << KeyCase{2, "Mealtime", Qt::Key_Backtab, ctrl | alt | shift, 1};
        QTest::newRow("Ctrl+Tab on the tabs")              << KeyCase{2, "tbsOptions", Qt::Key_Tab, ctrl, 3};
        QTest::newRow("Tab alone moves the focus only")    << KeyCase{2, "INPUT_CW_5", Qt::Key_Tab, {}, 2};
        QTest::newRow("Ctrl+Enter")                        << KeyCase{2, "INPUT_CW_5", Qt::Key_Return, ctrl, 2};
        // clang-format on
    }
    // The tab `from` selected. Action: the key pressed in the focus widget. Expected: tab `to`
    // with only its page in view, and no box text changed.
    void ctrlTabWalksTheTabs() {
        QFETCH(KeyCase, c);
        QVERIFY(openShown());
        selectTab(d_, c.from);
        child(d_, c.focus)->setFocus();
        const QString before = filledBoxes(d_);
        QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
        QTRY_VERIFY(onlyPageInView(d_, c.to)); // the stack lays the page out when it comes
        QCOMPARE(filledBoxes(d_), before);
    }

    // State: a level retyped. Action: Enter in a box on each page. Expected: OK pressed: the
    // tables stored and the dialog hidden.
    void enterInABoxPressesOK_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("box");
        QTest::newRow("a Lower Limit") << 1 << "INPUT_BS_1";
        QTest::newRow("a weighting Dose") << 2 << "INPUT_CW_13";
        QTest::newRow("grams per unit") << 3 << "INPUT_CD_1";
    }
    void enterInABoxPressesOK() {
        QFETCH(int, tab);
        QFETCH(QString, box);
        QVERIFY(openShown());
        type(d_, "INPUT_BS_1=145");
        selectTab(d_, tab);
        child(d_, box)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(d_ && !d_->isVisible());
        QCOMPARE(stored("Breakfast"), QStringLiteral("145,1|180,2 / 60,1 / 10|20"));
        QVERIFY(env_->watchdog().seen().isEmpty());
    }

    void okStoresTheBoxes_data() {
        QTest::addColumn<EditCase>("c"); // Breakfast's section, boxes shown, typed, stored
        QString zeroDoses; // the ten rows kept, each given the dose 0 its entry reads as
        for (int box = 13; box <= 22; ++box)
            zeroDoses += QStringLiteral(";INPUT_CW_%1=0").arg(box);
        // clang-format off
        QTest::newRow("05,1.50 shows 5 and 1.5")             << EditCase{"BS_1=05,1.50\nBS_2=15,2\n", "INPUT_BS_1=5;INPUT_BS_13=1.5;INPUT_BS_2=15;INPUT_BS_14=2", "", "5,1.5|15,2 /  / "};
        QTest::newRow("no comma: no dose; bare comma: 0")    << EditCase{"CW_1=150\nCW_2=180,\n", "INPUT_CW_1=150;INPUT_CW_2=180;INPUT_CW_14=0", "INPUT_CW_13=0", " / 150,0|180,0 / "};
        QTest::newRow("grams per unit: the last entry, Apply")      << EditCase{"CD_1=010.0\nCD_2=12.50\nCD_3=030\n", "INPUT_CD_1=30;INPUT_CD_2=12.5;INPUT_CD_3=10", "INPUT_CD_1=15", " /  / 10|12.5|15", "cmdApply"};
        QTest::newRow("grams per unit in an empty table")    << EditCase{"", "", "INPUT_CD_1=  012.50g", " /  / 12.5"};
        QTest::newRow("blank grams per unit drops all")      << EditCase{"CD_1=10\nCD_2=20\n", "INPUT_CD_1=20;INPUT_CD_2=10", "INPUT_CD_1=  ", " /  / "};
        QTest::newRow("twelve carbohydrate entries")         << EditCase{kTwelveCarb, kTwelveCarbShown, "INPUT_CD_1=24", " /  / 1|2|3|4|5|6|7|8|9|10|11|24"};
        QTest::newRow("row 12's dose")                       << EditCase{"", "", twelveRows(), "110,1|120,2|130,3|140,4|150,5|160,6|170,7|180,8|190,9|200,10|210,11|220,12 /  / "};
        QTest::newRow("typed numbers normalised, Apply")        << EditCase{"", "", "INPUT_BS_1=05abc;INPUT_BS_13=1.50", "5,1.5 /  / ", "cmdApply"};
        QTest::newRow("weighting row 1")                     << EditCase{"", "", "INPUT_CW_1=050g;INPUT_CW_13=1", " / 50,1 / "};
        QTest::newRow("shrunk by emptying the last levels")  << EditCase{kTwelve, kTwelveShown, "INPUT_CW_11=;INPUT_CW_12=" + zeroDoses, " / 1,0|2,0|3,0|4,0|5,0|6,0|7,0|8,0|9,0|10,0 / "};
        // clang-format on
    }
    // Expected: the file and the shared tables hold the rebuilt tables, Lunch untouched; the
    // dialog kept, hidden by OK and still shown by Apply, its boxes showing what was stored;
    // stored tables announced once.
    void okStoresTheBoxes() {
        QFETCH(EditCase, c);
        open(breakfastWith(c.section))->show();
        QCOMPARE(filledBoxes(d_), c.shown);
        type(d_, c.typed);
        QSignalSpy storedSignal(d_.data(), &DosesConfigDialog::tablesStored);
        click(d_, c.button);
        QVERIFY(d_ && d_->isVisible() == (c.button != QString("cmdOK")));
        QVERIFY(env_->watchdog().seen().isEmpty());
        QCOMPARE(stored("Breakfast"), c.stored);
        QCOMPARE(shared(), c.stored);
        QCOMPARE(storedSignal.size(), 1);
        QVERIFY(env_->readSettingsFile().endsWith(kLunch));
        const QString shownAfter = filledBoxes(d_);
        reopen();
        QCOMPARE(shownAfter, filledBoxes(d_));
    }

    void dialogEnds_data() {
        QTest::addColumn<QString>("by");
        for (const char *by : {"cmdOK", "cmdCancel", "Escape", "close box"})
            QTest::newRow(by) << by;
    }
    // State: shown modally, switched to Lunch and edited. Expected: the modal call returns;
    // only OK stores, under Lunch, and keeps the dialog showing what it stored; the others
    // destroy it, and a new dialog shows the stored tables.
    void dialogEnds() {
        QFETCH(QString, by);
        QWidget owner;
        DosesConfigDialog *d = open(kStored, &owner);
        env_->watchdog().allowModal(QStringLiteral("frmDosesConfigDialog"));
        testsupport::whenIdle([d, by] {
            d->mealtime()->setCurrentIndex(1);
            type(d, "INPUT_BS_2=190abc;INPUT_BS_14=2.50");
            if (by == "Escape")
                QTest::keyClick(child(d, "INPUT_BS_2"), Qt::Key_Escape);
            else if (by == "close box")
                d->windowHandle()->close();
            else
                click(d, qPrintable(by));
        });
        d->exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool kept = by == "cmdOK";
        QVERIFY(d_.isNull() != kept && env_->watchdog().seen().isEmpty());
        const QString lunch = kept ? "150,1|190,2.5 /  / 12" : "150,1 /  / 12";
        QCOMPARE(stored("Lunch"), lunch);
        QCOMPARE(shared(), lunch);
        if (!kept)
            reopen()->mealtime()->setCurrentIndex(1);
        QCOMPARE(text(d_, "INPUT_BS_2") + " " + text(d_, "INPUT_BS_14"),
                 QString(kept ? "190 2.5" : " "));
    }

    void refusedStoreLeavesAllAsItWas_data() {
        QTest::addColumn<QString>("why");
        QTest::addColumn<QString>("button");
        for (const char *button : {"cmdOK", "cmdApply"})
            for (const char *why : {"a failed save", "no periods"})
                QTest::newRow(qPrintable(QString("%1, %2").arg(why, button))) << why << button;
    }
    // Expected: one message saying why; the dialog open with the edits; nothing announced;
    // file and shared tables as before. A failed save works once its cause is gone; a file
    // that is gone is made anew, period list and all, only when the person says so.
    void refusedStoreLeavesAllAsItWas() {
        QFETCH(QString, why);
        QFETCH(QString, button);
        QStringList parts;
        open(why == "no periods" ? "[Breakfast]\nBS_1=140,1\n" : kStored);
        if (why == "no periods") {
            norvalis::SharedDoseSettings().CorrectionTable[1] = "99,9"; // not this dialog's
            reopen();
            parts = QStringList{"\"Period\"", "P_1, P_2", env_->settingsFilePath()};
        }
        // A settings file made a folder fails to save; permissions would not stop root.
        const QString path = env_->settingsFilePath();
        if (why == "a failed save" && QFile::remove(path) && QDir().mkpath(path))
            parts = QStringList{path + "\nReason: "};
        d_->show();
        QCOMPARE(filledBoxes(d_).isEmpty(), why == "no periods");
        const QByteArray file = env_->readSettingsFile();
        const QString before = shared();
        type(d_, "INPUT_BS_1=145;INPUT_CW_1=70");
        QSignalSpy storedSignal(d_.data(), &DosesConfigDialog::tablesStored);
        click(d_, qPrintable(button));
        QCOMPARE(env_->watchdog().seen().size(), 1);
        const testsupport::SeenMessageBox box = env_->watchdog().seen().first();
        QVERIFY(box.title == "Norvalis" && !box.informationIcon);
        for (const QString &part : parts)
            QVERIFY2(box.text.contains(part), qPrintable(box.text));
        QVERIFY(d_->isVisible() && storedSignal.isEmpty());
        QCOMPARE(text(d_, "INPUT_BS_1") + text(d_, "INPUT_CW_1"), QStringLiteral("14570"));
        QCOMPARE(env_->readSettingsFile(), file);
        QCOMPARE(shared(), before);
        if (why != "a failed save")
            return;
        // The cause gone, so is the file: asked first, it is made anew with the period list.
        QVERIFY(QDir().rmdir(path));
        env_->watchdog().answerNext(QMessageBox::No);
        click(d_, qPrintable(button));
        QVERIFY(!QFile::exists(path) && d_->isVisible() && storedSignal.isEmpty());
        env_->watchdog().answerNext(QMessageBox::Yes);
        click(d_, qPrintable(button));
        const QString ask = "Norvalis.ini no longer exists at " + path +
                            ". Create it with your period list and these tables?";
        QCOMPARE(env_->watchdog().seen().size(), 3);
        QVERIFY(env_->watchdog().seen()[1].text == ask && env_->watchdog().seen()[2].text == ask);
        QCOMPARE(d_->isVisible(), button == "cmdApply");
        norvalis::DoseSettings periods;
        norvalis::LoadSettings(periods, "periods", "", path.toStdString());
        QCOMPARE(QString::fromStdString(periods.PeriodList[1] + "|" + periods.PeriodList[2]) +
                     QString::number(periods.Counts.PeriodCount),
                 QStringLiteral("Breakfast|Lunch2"));
        QCOMPARE(stored("Breakfast"), QStringLiteral("145,1|180,2 / 70,1 / 10|20"));
    }

    // Expected: each box named by its place, the typed text its value, the 49 boxes a person
    // can reach under 49 different names; the period box labelled by the "Period" caption, the
    // relation both ways (on Linux a list box's name is its current item; screen readers take
    // the label from the relation), and its value the period chosen.
    void screenReaderNamesEveryBox() {
        open();
        const auto face = [this](const QString &name) {
            return QAccessible::queryAccessibleInterface(child(d_, name));
        };
        type(d_, "INPUT_CW_13=17");
        QCOMPARE(face("INPUT_CW_13")->text(QAccessible::Value), QStringLiteral("17"));
        // clang-format off
        const char *const places[][2] = {{"INPUT_BS_3", "Blood Sugar, row 3, Lower Limit"}, {"INPUT_BS_15", "Blood Sugar, row 3, Dose"},
            {"INPUT_BS_24", "Blood Sugar, row 12, Dose"}, {"INPUT_CW_12", "Weighting, row 12, Lower Limit"},
            {"INPUT_CW_13", "Weighting, row 1, Dose"}, {"INPUT_CD_1", "Carbohydrate, grams per unit"}};
        // clang-format on
        for (const auto &[box, place] : places)
            QCOMPARE(face(box)->text(QAccessible::Name), QString(place));
        QSet<QString> names;
        for (QLineEdit *edit : d_->findChildren<QLineEdit *>())
            if (edit->focusPolicy() != Qt::NoFocus)
                names << face(edit->objectName())->text(QAccessible::Name);
        names.remove(QString());
        QCOMPARE(names.size(), 49);
        QAccessibleInterface *periods = face("Mealtime"), *caption = face("Label1_46");
        QCOMPARE(caption->text(QAccessible::Name), QStringLiteral("Period"));
        QCOMPARE(periods->text(QAccessible::Value), QStringLiteral("Breakfast"));
        const auto labelledBy = periods->relations(QAccessible::Label);
        QVERIFY(labelledBy.size() == 1 && labelledBy.first().first->object() == caption->object());
        const auto labels = caption->relations(QAccessible::Labelled);
        QVERIFY(!labels.isEmpty() && labels.first().first->object() == periods->object());
    }
};

QTEST_MAIN(DosesDialogTest)
#include "doses_dialog_test.moc"
