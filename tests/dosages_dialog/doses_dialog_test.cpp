#include "core/settings_file.h"
#include "platform/fonts.h"
#include "platform/modal.h"
#include "platform/tab_strip.h"
#include "platform/twips.h"
#include "tests/support/test_environment.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/dialogs/doses_layout.h"

#include <QtTest>
#include <QtWidgets>

using namespace doses_layout;

namespace {

const QByteArray kLunch = "[Lunch]\nCD_1=12\nBS_1=150,1\n";
QByteArray breakfastWith(const QByteArray &section) {
    return "[Period]\nP_1=Breakfast\nP_2=Lunch\n\n[Breakfast]\n" + section + "\n" + kLunch;
}
const QByteArray kStored = breakfastWith("CD_1=10\nCD_2=20\nBS_1=140,1\nBS_2=180,2\nCW_1=60,1\n");

// "correction / weighting / carbohydrate", entries joined by '|'; one left beyond the count
// is marked '!'.
QString tablesOf(const norvalis::DoseSettings &s) {
    const auto list = [](const norvalis::TextTable &table, int count) {
        QStringList entries;
        for (int i = 1; i <= 12; ++i)
            if (i <= count || !table[i].empty())
                entries << QString::fromStdString(table[i]) + (i > count ? "!" : "");
        return entries.join('|');
    };
    return list(s.CorrectionTable, s.Counts.CorrectionCount) + " / " +
           list(s.WeightingTable, s.Counts.WeightingCount) + " / " +
           list(s.CarbDoseTable, s.Counts.CarbDoseCount);
}

// clang-format off
const QByteArray kTwelve = "CW_1=1\nCW_2=2\nCW_3=3\nCW_4=4\nCW_5=5\nCW_6=6\nCW_7=7\nCW_8=8\nCW_9=9\nCW_10=10\nCW_11=11\nCW_12=12\n";
const QString kTwelveShown = "INPUT_CW_1=1;INPUT_CW_2=2;INPUT_CW_3=3;INPUT_CW_4=4;INPUT_CW_5=5;INPUT_CW_6=6;INPUT_CW_7=7;INPUT_CW_8=8;INPUT_CW_9=9;INPUT_CW_10=10;INPUT_CW_11=11;INPUT_CW_12=12";
struct KeyCase { int from; const char *focus; Qt::Key key; Qt::KeyboardModifiers modifiers; int keyCode, mask, to; };
struct EditCase { QByteArray section; QString shown, typed, stored, caption; };
// clang-format on

} // namespace
Q_DECLARE_METATYPE(KeyCase)
Q_DECLARE_METATYPE(EditCase)

class DosesDialogTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testsupport::TestEnvironment> env_;
    QPointer<DosesConfigDialog> d_; // watched, not owned: Cancel and the close box destroy it

    // Writes the settings file, reads the period list as start-up does, and builds a dialog.
    DosesConfigDialog *open(const QByteArray &ini = kStored, QWidget *owner = nullptr) {
        env_->writeSettingsFile(ini);
        norvalis::LoadSettings(norvalis::SharedDoseSettings(), "periods", "",
                               env_->settingsFilePath().toStdString());
        return reopen(owner);
    }
    DosesConfigDialog *reopen(QWidget *owner = nullptr) {
        delete d_.data();
        return d_ = new DosesConfigDialog(owner);
    }
    QString stored(const char *period) const {
        norvalis::DoseSettings s;
        norvalis::LoadSettings(s, "dosages", period, env_->settingsFilePath().toStdString());
        return tablesOf(s);
    }
    static QString shared() { return tablesOf(norvalis::SharedDoseSettings()); }

    template <typename T = QWidget> static T *child(const QWidget *d, const QString &name) {
        if (T *found = d->findChild<T *>(name))
            return found;
        qFatal("no widget named %s", qPrintable(name));
    }
    QString nameOf(const char *n, int i) { return i == kNoIndex ? n : n + QString("_%1").arg(i); }
    static QString text(QWidget *d, const char *box) { return child<QLineEdit>(d, box)->text(); }
    static auto *tabs(QWidget *d) { return child<platform::TabStrip>(d, "tbsOptions"); }
    static void click(QWidget *d, const char *b) { QTest::mouseClick(child(d, b), Qt::LeftButton); }
    // Box texts are written "INPUT_BS_1=5;INPUT_BS_13=1.5", in the order of the layout table.
    static void type(QWidget *d, const QString &list) {
        for (const QString &item : list.split(';', Qt::SkipEmptyParts))
            child<QLineEdit>(d, item.section('=', 0, 0))->setText(item.section('=', 1));
    }
    static QString filledBoxes(QWidget *d) {
        QStringList filled;
        for (const QLineEdit *box : d->findChildren<QLineEdit *>())
            if (!box->text().isEmpty())
                filled << box->objectName() + '=' + box->text();
        return filled.join(';');
    }
    // Exactly the page of the selected tab lies in view and takes input.
    bool onlyPageInView(QWidget *d, int tab) {
        bool only = tabs(d)->SelectedItem().Index() == tab;
        for (int i = 1; i <= 3; ++i) {
            const QWidget *page = child(d, nameOf("frameDosages", i - 1));
            only &= page->pos() == platform::twipsPoint(i == tab ? 240 : -20000, 960) &&
                    page->isEnabled() == (i == tab);
        }
        return only;
    }

private slots:
    void init() { env_ = std::make_unique<testsupport::TestEnvironment>(); }
    void cleanup() {
        delete d_.data();
        env_.reset();
    }

    void everyWidgetIsBuiltAsTheTableSays_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(kLayout.size()); ++row)
            QTest::newRow(qPrintable(nameOf(kLayout[row].name, kLayout[row].index))) << row;
    }
    void everyWidgetIsBuiltAsTheTableSays() {
        QFETCH(int, row);
        const LayoutRow &item = kLayout[row];
        QWidget *d = open(breakfastWith(""));
        const QWidget *w = child(d, QTest::currentDataTag());
        QCOMPARE(w->parentWidget(),
                 item.page == kOnDialog ? d : child(d, nameOf("frameDosages", item.page)));
        // Once loaded, page 0 is in view, the others out of it, and the carbohydrate page short.
        const bool page = item.kind == Kind::Page;
        const int left = !page ? item.left : item.index ? kPageOutOfViewLeft : kPageInViewLeft;
        const int height = page && item.index == 2 ? kCarbPageHeight : item.height;
        QCOMPARE(w->geometry(), platform::twipsRect(left, item.top, item.width, height));
        QCOMPARE(w->property("text").toString(), QString::fromLatin1(item.text));
        QCOMPARE(w->isVisibleTo(d), item.visible);
        const int align = w->property("alignment").toInt() & Qt::AlignHorizontal_Mask;
        const int aligns[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
        QCOMPARE(align ? align : int(Qt::AlignLeft), aligns[int(item.align)]);
        QCOMPARE(bool(w->focusPolicy() & Qt::TabFocus), item.tabIndex != kNoFocus);
        QCOMPARE(w->font(), item.font == FontRole::DialogFont
                                ? d->font()
                                : platform::designFont(item.font == FontRole::Bold));
        // The active group: the pages out of view are disabled and would give the greyed colour.
        const auto colour = [w](const QWidget *of) {
            return of->palette().color(QPalette::Active, w->foregroundRole());
        };
        const auto c = item.colour;
        QCOMPARE(colour(w), c ? QColor(c->red, c->green, c->blue) : colour(d));
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
        for (const QPushButton *button : d->findChildren<QPushButton *>())
            QVERIFY(!button->autoDefault() && !button->isDefault()); // Enter presses no button
    }

    void tabKeyWalksTheFocusOrder_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("order"); // from the strip on
        const QStringList buttons = {"cmdOK", "cmdCancel", "cmdApply", "Mealtime", "tbsOptions"};
        QStringList bloodSugar, weighting;
        for (int i = 24; i >= 1; --i)
            bloodSugar << nameOf("INPUT_BS", i), weighting << nameOf("INPUT_CW", i);
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
        tabs(d_)->setSelectedIndex(tab);          // the focus starts on the strip
        QStringList walk;
        while (walk.size() < order.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QWidget *f = QApplication::focusWidget(); // the strip's bar stands for the strip
            walk << (f->inherits("QTabBar") ? f->parentWidget() : f)->objectName();
        }
        QCOMPARE(walk, order);
    }

    void ctrlTabWalksTheTabs_data() {
        QTest::addColumn<KeyCase>("c"); // ... key code and modifier mask (1 Shift, 2 Ctrl, 4 Alt)
        const auto ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier, alt = Qt::AltModifier;
        // clang-format off
        QTest::newRow("Ctrl+Tab in a box")                 << KeyCase{1, "INPUT_BS_5", Qt::Key_Tab, ctrl, 9, 2, 2};
        QTest::newRow("Ctrl+Tab on Carbohydrate wraps")    << KeyCase{3, "INPUT_CD_1", Qt::Key_Tab, ctrl, 9, 2, 1};
        QTest::newRow("Ctrl+Shift+Tab in a box wraps")     << KeyCase{1, "INPUT_BS_17", Qt::Key_Backtab, ctrl | shift, 9, 3, 3};
        QTest::newRow("Ctrl+Shift+Tab on Carbohydrate")    << KeyCase{3, "INPUT_CD_1", Qt::Key_Backtab, ctrl | shift, 9, 3, 2};
        QTest::newRow("Ctrl+Alt+Tab on OK")                << KeyCase{2, "cmdOK", Qt::Key_Tab, ctrl | alt, 9, 6, 3};
        QTest::newRow("Ctrl+Alt+Shift+Tab on the periods") << KeyCase{2, "Mealtime", Qt::Key_Backtab, ctrl | alt | shift, 9, 7, 1};
        QTest::newRow("Tab alone moves the focus only")    << KeyCase{2, "INPUT_CW_5", Qt::Key_Tab, {}, 9, 0, 2};
        QTest::newRow("Shift+Tab moves the focus only")    << KeyCase{2, "INPUT_CW_5", Qt::Key_Backtab, shift, 9, 1, 2};
        QTest::newRow("Ctrl+Enter")                        << KeyCase{2, "INPUT_CW_5", Qt::Key_Return, ctrl, 13, 2, 2};
        QTest::newRow("Ctrl+Shift+I")                      << KeyCase{2, "INPUT_CW_5", Qt::Key_I, ctrl | shift, 73, 3, 2};
        // clang-format on
    }
    // The tab `from` selected. Action: the key pressed in the focus widget, then the dialog's key
    // handler given its code and mask. Expected: each time tab `to`, and no box text changed.
    void ctrlTabWalksTheTabs() {
        QFETCH(KeyCase, c);
        open()->show();
        QVERIFY(QTest::qWaitForWindowActive(d_)); // for real key presses
        tabs(d_)->setSelectedIndex(c.from);
        child(d_, c.focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
        QVERIFY(onlyPageInView(d_, c.to));
        tabs(d_)->setSelectedIndex(c.from);
        d_->handleDialogKey(c.keyCode, c.mask);
        QVERIFY(onlyPageInView(d_, c.to));
    }

    void okStoresTheBoxes_data() {
        QTest::addColumn<EditCase>("c"); // Breakfast's section, boxes shown, typed, stored, caption
        // clang-format off
        QTest::newRow("05,1.50 shows 5 and 1.5")             << EditCase{"BS_1=05,1.50\nBS_2=15,2\n", "INPUT_BS_1=5;INPUT_BS_13=1.5;INPUT_BS_2=15;INPUT_BS_14=2", "", "5,1.5|15,2 /  / ", ""};
        QTest::newRow("no comma: no dose; bare comma: 0")    << EditCase{"CW_1=150\nCW_2=180,\n", "INPUT_CW_1=150;INPUT_CW_2=180;INPUT_CW_14=0", "", " / 150,0|180,0 / ", "Weighting if over 150 grams"};
        QTest::newRow("hidden carbohydrate carried through") << EditCase{"CD_1=010.0\nCD_2=12.50\nCD_3=030\n", "INPUT_CD_1=10;INPUT_CD_2=12.5;INPUT_CD_3=30", "INPUT_CD_1=15", " /  / 15|12.5|30", ""};
        QTest::newRow("empty carbohydrate box drops all")    << EditCase{"CD_1=10\nCD_2=20\n", "INPUT_CD_1=10;INPUT_CD_2=20", "INPUT_CD_1=", " /  / ", ""};
        QTest::newRow("typed numbers are normalised")        << EditCase{"", "", "INPUT_BS_1=05abc;INPUT_BS_13=1.50", "5,1.5 /  / ", ""};
        QTest::newRow("12.50 with an empty dose")            << EditCase{"", "", "INPUT_BS_1=12.50", "12.5,0 /  / ", ""};
        QTest::newRow("a blank level stores 0")              << EditCase{"", "", "INPUT_BS_1= ;INPUT_BS_13=3", "0,3 /  / ", ""};
        QTest::newRow("first empty level ends the table")    << EditCase{"", "", "INPUT_BS_1=100;INPUT_BS_2=150;INPUT_BS_16=4;INPUT_BS_5=300", "100,0|150,0 /  / ", ""};
        QTest::newRow("a comma typed into a level")          << EditCase{"", "", "INPUT_BS_1=1,5;INPUT_BS_13=2,5", "1,2 /  / ", ""};
        QTest::newRow("weighting row 1 sets the caption")    << EditCase{"", "", "INPUT_CW_1=050g;INPUT_CW_13=1", " / 50,1 / ", "Weighting if over 50 grams"};
        QTest::newRow("twelve rows shown and kept")          << EditCase{kTwelve, kTwelveShown, "", " / 1,0|2,0|3,0|4,0|5,0|6,0|7,0|8,0|9,0|10,0|11,0|12,0 / ", "Weighting if over 1 grams"};
        QTest::newRow("shrunk by an emptied level box")      << EditCase{kTwelve, kTwelveShown, "INPUT_CW_3=", " / 1,0|2,0 / ", "Weighting if over 1 grams"};
        QTest::newRow("weighting row 2 alone")               << EditCase{"", "", "INPUT_CW_2=50;INPUT_CW_14=1", " /  / ", ""};
        // clang-format on
    }
    // Expected: the file holds the rebuilt tables, Lunch untouched; the dialog hidden, kept.
    void okStoresTheBoxes() {
        QFETCH(EditCase, c);
        open(breakfastWith(c.section))->show();
        QCOMPARE(filledBoxes(d_), c.shown);
        type(d_, c.typed);
        QSignalSpy captions(d_.data(), &DosesConfigDialog::weightingCaptionChanged);
        click(d_, "cmdOK");
        QVERIFY(!d_->isVisible() && env_->watchdog().seen().isEmpty());
        QCOMPARE(stored("Breakfast"), c.stored);
        QCOMPARE(shared(), c.stored);
        QCOMPARE(captions.size(), int(!c.caption.isEmpty()));
        QCOMPARE(captions.value(0).value(0).toString(), c.caption);
        QVERIFY(env_->readSettingsFile().endsWith(kLunch));
    }

    void dialogEnds_data() {
        QTest::addColumn<QString>("by");
        for (const char *by : {"cmdOK", "cmdCancel", "Escape", "close box"})
            QTest::newRow(by) << by;
    }
    // State: shown modally, switched to Lunch and edited. Expected: the modal call returns;
    // only OK stores, under Lunch, and keeps the dialog with the texts as typed; the others
    // destroy it, and a new dialog shows the stored tables.
    void dialogEnds() {
        QFETCH(QString, by);
        DosesConfigDialog *d = open();
        QWidget owner;
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
        platform::showModal(d, &owner);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool kept = by == "cmdOK";
        QVERIFY(d_.isNull() != kept && env_->watchdog().seen().isEmpty());
        const QString lunch = kept ? "150,1|190,2.5 /  / 12" : "150,1 /  / 12";
        QCOMPARE(stored("Lunch"), lunch);
        QCOMPARE(shared(), lunch);
        if (!kept)
            reopen()->mealtime()->setCurrentIndex(1);
        QCOMPARE(text(d_, "INPUT_BS_2"), QString(kept ? "190abc" : ""));
    }

    void refusedStoreLeavesAllAsItWas_data() {
        QTest::addColumn<QString>("by");
        for (const char *by : {"cmdApply", "a failed save", "no periods"})
            QTest::newRow(by) << by;
    }
    // Expected: one message saying why; the dialog open with the edits; no caption; file and
    // shared tables as before. A failed save works once its cause is gone.
    void refusedStoreLeavesAllAsItWas() {
        QFETCH(QString, by);
        QStringList why = {"Apply Code goes here to set options w/o closing dialog!"};
        open(by == "no periods" ? "[Breakfast]\nBS_1=140,1\n" : kStored);
        if (by == "no periods") {
            norvalis::SharedDoseSettings().CorrectionTable[1] = "99,9"; // not this dialog's
            reopen();
            why = {"\"Period\"", "P_1, P_2", env_->settingsFilePath()};
        }
        // A settings file made a folder fails to save; permissions would not stop root.
        const QString path = env_->settingsFilePath();
        if (by == "a failed save" && QFile::remove(path) && QDir().mkpath(path))
            why = {path + "\nReason: "};
        d_->show();
        QCOMPARE(filledBoxes(d_).isEmpty(), by == "no periods");
        const QByteArray file = env_->readSettingsFile();
        const QString before = shared();
        type(d_, "INPUT_BS_1=145;INPUT_CW_1=70");
        QSignalSpy captions(d_.data(), &DosesConfigDialog::weightingCaptionChanged);
        click(d_, by == "cmdApply" ? "cmdApply" : "cmdOK");
        QCOMPARE(env_->watchdog().seen().size(), 1);
        const testsupport::SeenMessageBox box = env_->watchdog().seen().first();
        QVERIFY(box.title == "Norvalis" && !box.informationIcon);
        for (const QString &part : why)
            QVERIFY2(box.text.contains(part), qPrintable(box.text));
        QVERIFY(d_->isVisible() && captions.isEmpty());
        QCOMPARE(text(d_, "INPUT_BS_1") + text(d_, "INPUT_CW_1"), QStringLiteral("14570"));
        QCOMPARE(env_->readSettingsFile(), file);
        QCOMPARE(shared(), before);
        if (by != "a failed save")
            return;
        QVERIFY(QDir().rmdir(path));
        click(d_, "cmdOK");
        QCOMPARE(stored("Breakfast"), QStringLiteral("145,1|180,2 / 70,1 / 10|20"));
    }
};

QTEST_MAIN(DosesDialogTest)
#include "doses_dialog_test.moc"
