#include "dialog_probe.h"
#include "platform/fonts.h"
#include "ui/dialogs/doses_layout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

using namespace doses_layout;

class DosesLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyWidgetIsBuiltAsTheTableSays_data();
    void everyWidgetIsBuiltAsTheTableSays();
    void tableHoldsTheDesignedPlaces_data();
    void tableHoldsTheDesignedPlaces();
    void windowIsAFixedDialogAtItsStoredPlace();
    void tabKeyWalksTheFocusOrder_data();
    void tabKeyWalksTheFocusOrder();

private:
    DosesConfigDialog *dialog() const { return dialog_->get(); }
    std::unique_ptr<testsupport::TestEnvironment> env_;
    std::unique_ptr<probe::Dialog> dialog_;
};

void DosesLayoutTest::init() {
    env_ = std::make_unique<testsupport::TestEnvironment>();
    probe::loadPeriods(*env_, probe::kThreePeriods);
    dialog_ = std::make_unique<probe::Dialog>(new DosesConfigDialog(nullptr));
}

void DosesLayoutTest::cleanup() {
    dialog_.reset();
    env_.reset();
}

namespace {

QString textOf(const QWidget *w) {
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (auto *button = qobject_cast<const QPushButton *>(w))
        return button->text();
    return QString();
}

// The active group: the pages out of view are disabled and would give the greyed colour.
QColor textColourOf(const QWidget *w) {
    const bool box = qobject_cast<const QLineEdit *>(w);
    return w->palette().color(QPalette::Active, box ? QPalette::Text : QPalette::WindowText);
}

Qt::Alignment horizontalAlignmentOf(const QWidget *w) {
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->alignment() & Qt::AlignHorizontal_Mask;
    if (auto *box = qobject_cast<const QLineEdit *>(w))
        return box->alignment() & Qt::AlignHorizontal_Mask;
    return Qt::AlignLeft;
}

} // namespace

void DosesLayoutTest::everyWidgetIsBuiltAsTheTableSays_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(kLayout.size()); ++row) {
        const LayoutRow &item = kLayout[row];
        const QString name = item.index == kNoIndex ? QString::fromLatin1(item.name)
                                                    : probe::indexed(item.name, item.index);
        QTest::newRow(qPrintable(name)) << row;
    }
}

// Walks the layout table: kind, container, place, text, visibility, font, alignment, colour,
// index and whether the widget takes the focus.
void DosesLayoutTest::everyWidgetIsBuiltAsTheTableSays() {
    QFETCH(int, row);
    const LayoutRow &item = kLayout[row];
    const QList<QWidget *> named = dialog()->findChildren<QWidget *>(QTest::currentDataTag());
    QCOMPARE(named.size(), 1);
    const QWidget *w = named.first();

    const bool kindMatches[] = {
        item.kind == Kind::Label && qobject_cast<const QLabel *>(w),
        item.kind == Kind::PeriodSelector && qobject_cast<const QComboBox *>(w),
        item.kind == Kind::TabStrip && qobject_cast<const platform::TabStrip *>(w),
        item.kind == Kind::Page && qobject_cast<const QGroupBox *>(w),
        item.kind == Kind::Box && qobject_cast<const QLineEdit *>(w),
        item.kind == Kind::Button && qobject_cast<const QPushButton *>(w)};
    QVERIFY(std::count(std::begin(kindMatches), std::end(kindMatches), true) == 1);
    const QWidget *container = item.page == kOnDialog ? static_cast<QWidget *>(dialog())
                                                      : probe::page(dialog(), item.page);
    QCOMPARE(w->parentWidget(), container);

    // Once loaded, page 0 is in view, the others out of it, and the carbohydrate page is short.
    int left = item.left;
    int height = item.height;
    if (item.kind == Kind::Page) {
        left = item.index == 0 ? kPageInViewLeft : kPageOutOfViewLeft;
        height = item.index == 2 ? kCarbPageHeight : height;
    }
    QCOMPARE(w->geometry(), platform::twipsRect(left, item.top, item.width, height));
    QCOMPARE(textOf(w), QString::fromLatin1(item.text));
    QCOMPARE(w->isVisibleTo(dialog()), item.visible);
    const Qt::Alignment align = item.align == Align::Right    ? Qt::AlignRight
                                : item.align == Align::Centre ? Qt::AlignHCenter
                                                              : Qt::AlignLeft;
    QCOMPARE(horizontalAlignmentOf(w), align);
    QCOMPARE(w->property("index").toInt(), item.index == kNoIndex ? 0 : item.index);
    QCOMPARE(bool(w->focusPolicy() & Qt::TabFocus), item.tabIndex != kNoFocus);
    const QFont font = item.font == FontRole::Bold      ? platform::designFont(true)
                       : item.font == FontRole::Regular ? platform::designFont(false)
                                                        : dialog()->font();
    QCOMPARE(w->font(), font);
    QCOMPARE(textColourOf(w), item.colour
                                  ? QColor(item.colour->red, item.colour->green, item.colour->blue)
                                  : textColourOf(dialog()));
}

void DosesLayoutTest::tableHoldsTheDesignedPlaces_data() {
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour"); // invalid: the system colour

    const QString dlg = QStringLiteral("frmDosesConfigDialog");
    const QString p0 = QStringLiteral("frameDosages_0");
    const QString p1 = QStringLiteral("frameDosages_1");
    const QString p2 = QStringLiteral("frameDosages_2");
    // clang-format off
    QTest::newRow("Label1_46")   << dlg << QRect(240, 240, 975, 285)    << "Period" << QColor();
    QTest::newRow("cmdCancel")   << dlg << QRect(2400, 5640, 1095, 375) << "Cancel" << QColor();
    QTest::newRow("Label1_20")   << p0 << QRect(240, 120, 2655, 375)    << "Blood Sugar Correction Dosages" << QColor(192, 0, 0);
    QTest::newRow("Label1_19")   << p0 << QRect(360, 4185, 255, 285)    << "12" << QColor(192, 0, 0);
    QTest::newRow("INPUT_BS_13") << p0 << QRect(2025, 885, 855, 285)    << "" << QColor(192, 64, 0);
    QTest::newRow("INPUT_BS_12") << p0 << QRect(840, 4185, 855, 285)    << "" << QColor(192, 64, 0);
    QTest::newRow("Label1_4")    << p1 << QRect(2040, 585, 855, 255)    << "Dose" << QColor(0, 0, 192);
    QTest::newRow("Label1_34")   << p1 << QRect(360, 885, 255, 285)     << "1" << QColor(0, 0, 192);
    QTest::newRow("INPUT_CW_19") << p1 << QRect(2025, 2685, 855, 285)   << "" << QColor(0, 0, 192);
    QTest::newRow("Label1_3")    << p2 << QRect(240, 120, 2655, 495)    << "Grams of Carbohydrate per Unit of Insulin." << QColor(0, 192, 0);
    QTest::newRow("INPUT_CD_1")  << p2 << QRect(840, 885, 855, 285)     << "" << QColor(0, 128, 0);
    QTest::newRow("INPUT_CD_12") << p2 << QRect(840, 4185, 855, 285)    << "" << QColor(0, 128, 0);
    // clang-format on
}

// A few places as designed, typed by hand, so that a wrong number in the table shows.
void DosesLayoutTest::tableHoldsTheDesignedPlaces() {
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    const QWidget *w = probe::child(dialog(), QTest::currentDataTag());
    QCOMPARE(w->parentWidget()->objectName(), container);
    QCOMPARE(w->geometry(),
             platform::twipsRect(twips.left(), twips.top(), twips.width(), twips.height()));
    QCOMPARE(textOf(w), text);
    QCOMPARE(textColourOf(w), colour.isValid() ? colour : textColourOf(dialog()));
}

void DosesLayoutTest::windowIsAFixedDialogAtItsStoredPlace() {
    // An owner far from the stored place: the dialog must not centre itself over it.
    QWidget owner;
    owner.setGeometry(700, 500, 300, 300);
    owner.show();
    probe::Dialog owned(new DosesConfigDialog(&owner));
    DosesConfigDialog *d = owned.get();
    QCOMPARE(d->objectName(), QStringLiteral("frmDosesConfigDialog"));
    QCOMPARE(d->windowTitle(), QStringLiteral("Configure Dosages"));
    QCOMPARE(d->windowType(), Qt::Dialog);
    QVERIFY(d->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(d->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!d->isVisible());

    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QCOMPARE(d->minimumSize(), d->maximumSize());
    QCOMPARE(d->frameGeometry().size(), platform::twipsSize(3700, 6600));
    const QPoint screenOrigin = QGuiApplication::primaryScreen()->geometry().topLeft();
    QCOMPARE(d->geometry().topLeft(), screenOrigin + platform::twipsPoint(2760, 3750));

    QVERIFY(!probe::mealtime(d)->isEditable());
    QCOMPARE(probe::mealtime(d)->currentText(), QStringLiteral("Breakfast"));
    const platform::TabStrip *tabs = probe::tabs(d);
    QCOMPARE(tabs->Tabs().Count(), 3);
    QCOMPARE(tabs->Tabs()(3).Caption(), QStringLiteral("Carbohydrate"));
    QCOMPARE(tabs->SelectedItem().Index(), 1);
    for (const char *name : {"cmdApply", "cmdOK", "cmdCancel"})
        QVERIFY2(!probe::button(d, name)->autoDefault() && !probe::button(d, name)->isDefault(),
                 name);
}

void DosesLayoutTest::tabKeyWalksTheFocusOrder_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("order");
    const QStringList buttons = {"cmdOK", "cmdCancel", "cmdApply", "Mealtime", "tbsOptions"};
    QStringList bloodSugar = {"tbsOptions"};
    QStringList weighting = {"tbsOptions"};
    for (int i = 24; i >= 1; --i) {
        bloodSugar << probe::indexed("INPUT_BS", i);
        weighting << probe::indexed("INPUT_CW", i);
    }
    QTest::newRow("Blood Sugar page") << 1 << bloodSugar + buttons;
    QTest::newRow("Weighting page") << 2 << weighting + buttons;
    QTest::newRow("Carbohydrate page") << 3 << QStringList{"tbsOptions", "INPUT_CD_1"} + buttons;
}

// State: a tab selected, the focus on the tab strip. Action: Tab pressed until the focus comes
// round again, then Shift+Tab as often. Expected: the designed order through the page in
// view only, and the same order backwards.
void DosesLayoutTest::tabKeyWalksTheFocusOrder() {
    QFETCH(int, tab);
    QFETCH(QStringList, order);
    QVERIFY(probe::showActive(dialog()));
    probe::tabs(dialog())->setSelectedIndex(tab);
    probe::tabs(dialog())->setFocus();

    QStringList forwards = {probe::focusName()};
    QStringList backwards = forwards;
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forwards << probe::focusName();
    }
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backwards.prepend(probe::focusName());
    }
    QCOMPARE(forwards, order);
    QCOMPARE(backwards, order);
}

QTEST_MAIN(DosesLayoutTest)
#include "doses_layout_test.moc"
