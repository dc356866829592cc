// The widget builder on a small made-up window: every kind, indexed names, focus chain,
// colours, fonts, hidden widgets, pages, and the labels that name other widgets.

#include "platform/fonts.h"
#include "ui/widget_table/widget_builder.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <array>
#include <cmath>

using namespace widget_table;
using enum Kind;
using enum Align;
using enum FontRole;

namespace {

constexpr Colour Olive = rgb(128, 128, 0);
constexpr Colour Red = rgb(192, 0, 0);
constexpr Colour Blue = rgb(0, 0, 192);
constexpr Colour Silver = rgb(192, 192, 192);
constexpr Colour Style = kStyleColour;

// Table order, tab order and containers deliberately disagree.
// clang-format off
constexpr std::array<WidgetRow, 16> kTable = {{
//   name       index     kind          container    text                          left  top   width height tab         font        align      colour            wraps    visible labelled by
    {"Go",      kNoIndex, PushButton,   kClientArea, "&Go",                        150, 3000, 1500,  375,  5,         Regular,    Centre,    Style,            OneLine, Shown,  {}},
    {"Frame",   kNoIndex, GroupFrame,   kClientArea, "Input",                      150,  150, 4500, 2250,  0,         Bold,       Left,      Olive,            OneLine, Shown,  {}},
    {"Caption", 0,        Label,        "Frame",     "Amount",                     150,  300, 1200,  285,  1,         WindowFont, Right,     Style,            OneLine, Shown,  {}},
    {"Amount",  3,        TextBox,      "Frame",     "12",                        1500,  300, 1500,  285,  3,         Bold,       Right,     Red,              OneLine, Shown,  "Caption_0"},
    {"Pick",    kNoIndex, DropDownList, "Frame",     "ignored",                   1500,  750, 1500,  315,  2,         Regular,    Left,      Style,            OneLine, Shown,  "Caption_0"},
    {"Spare",   4,        TextBox,      "Frame",     "kept",                      1500, 1200, 1500,  285,  kNoTabStop, Bold,      Right,     Red,              OneLine, Hidden, {}},
    {"Note",    kNoIndex, Label,        "Frame",     "<b>not bold</b> and long",   150, 1200, 1200,  600,  kNoTabStop, WindowFont, TopCentre, Blue,           Wraps,   Shown,  {}},
    {"Sum",     kNoIndex, Label,        "Frame",     "Sum of every dose worked out so far today", 150, 1800, 2700,  255,  kNoTabStop, Regular,   Left,      Style,            OneLine, Shown,  {}},
    {"Total",   kNoIndex, Label,        "Frame",     "0.00",                      2400, 1800,  795,  255,  kNoTabStop, Bold,      Right,     Style,            OneLine, Shown,  "Sum"},
    {"Icon",    kNoIndex, Picture,      kClientArea, "",                          4800,  150,  540,  540,  4,         Regular,    TopLeft,   Silver,           OneLine, Shown,  {}},
    {"Rule",    1,        Line,         kClientArea, "",                           232, 2550, 4432,   30,  kNoTabStop, Regular,   Left,      Blue,             OneLine, Shown,  {}},
    {"Tabs",    kNoIndex, TabBar,       kClientArea, "One|Two|Three",              150, 3600, 3000,  375,  6,         Regular,    Left,      Style,            OneLine, Shown,  {}},
    {"Pages",   kNoIndex, Stack,        kClientArea, "",                           150, 4050, 3000, 1500,  kNoTabStop, Regular,   Left,      Style,            OneLine, Shown,  {}},
    {"Page",    0,        GroupFrame,   "Pages",     "",                             0,    0, 3000, 1500,  kNoTabStop, Bold,      Left,      Style,            OneLine, Shown,  {}},
    {"Page",    1,        GroupFrame,   "Pages",     "",                             0,    0, 3000, 1500,  kNoTabStop, Bold,      Left,      Style,            OneLine, Shown,  {}},
    {"Inner",   0,        TextBox,      "Page_0",    "",                           150,  150, 1500,  285,  7,         WindowFont, Left,      kHighlightColour, OneLine, Shown,  {}},
}};
// clang-format on
static_assert(isWellFormed(kTable));

// Twips to pixels at 96 dpi, worked out here rather than through the code under test.
QRect pixels(int left, int top, int width, int height) {
    return QRect(qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0),
                 qRound(height / 15.0));
}

// True when the widget itself, without its children, draws a pixel close to the colour.
bool drawsColour(QWidget *widget, const QColor &colour) {
    QImage image(widget->size(), QImage::Format_RGB32);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor seen = image.pixelColor(x, y);
            if (std::hypot(seen.red() - colour.red(), seen.green() - colour.green(),
                           seen.blue() - colour.blue()) < 40)
                return true;
        }
    }
    return false;
}

// What a person sees when the pointer rests on the widget: its tool tip, or nothing.
QString hoverTip(QWidget *widget) {
    // A tip goes a moment after it is hidden.
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("<the last tip stays>");
    const QPoint inside(2, widget->height() / 2);
    QHelpEvent event(QEvent::ToolTip, inside, widget->mapToGlobal(inside));
    QApplication::sendEvent(widget, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class WidgetBuilderTest : public QObject {
    Q_OBJECT
    QWidget root_;
    BuiltWidgets built_;

    template <typename T = QWidget> T *find(const char *name) const {
        T *widget = built_.get<T>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no %s built", name);
        return widget;
    }

private slots:
    void initTestCase() {
        root_.setObjectName("root");
        // Not the design face, so that a widget taking the window's font is told apart.
        root_.setFont(QFont(platform::designFont().family(), 11));
        root_.resize(400, 400);
        built_ = buildWidgets(kTable, &root_);
        root_.show();
        QVERIFY(QTest::qWaitForWindowActive(&root_));
    }

    void objectNames_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain name kept") << 0 << "Go";
        QTest::newRow("index 0 appended") << 2 << "Caption_0";
        QTest::newRow("index 3 appended") << 3 << "Amount_3";
        QTest::newRow("index of a line appended") << 10 << "Rule_1";
    }

    // Indexed widgets are "Name_index" and carry their index; the others carry no index.
    void objectNames() {
        QFETCH(int, row);
        QFETCH(QString, name);
        const WidgetRow &entry = kTable[static_cast<std::size_t>(row)];
        QCOMPARE(objectNameOf(entry), name);
        QWidget *widget = built_.byName.value(name);
        QVERIFY(widget);
        QCOMPARE(widget->objectName(), name);
        QCOMPARE(widget->property("index"),
                 entry.index == kNoIndex ? QVariant() : QVariant(entry.index));
    }

    void eachRowBuildsItsWidget_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("shows"); // the widget's text, title or tab captions
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("windowFont");
        // clang-format off
        QTest::newRow("push button on the window") << "Go" << "QPushButton" << "root" << pixels(150, 3000, 1500, 375) << "&Go" << false << false;
        QTest::newRow("group frame") << "Frame" << "QGroupBox" << "root" << pixels(150, 150, 4500, 2250) << "Input" << true << false;
        QTest::newRow("label in the frame, window font") << "Caption_0" << "QLabel" << "Frame" << pixels(150, 300, 1200, 285) << "Amount" << false << true;
        QTest::newRow("text box in the frame") << "Amount_3" << "QLineEdit" << "Frame" << pixels(1500, 300, 1500, 285) << "12" << true << false;
        QTest::newRow("drop-down list starts empty") << "Pick" << "QComboBox" << "Frame" << pixels(1500, 750, 1500, 315) << "" << false << false;
        QTest::newRow("hidden box keeps its text") << "Spare_4" << "QLineEdit" << "Frame" << pixels(1500, 1200, 1500, 285) << "kept" << true << false;
        QTest::newRow("markup shown as typed") << "Note" << "QLabel" << "Frame" << pixels(150, 1200, 1200, 600) << "<b>not bold</b> and long" << false << true;
        QTest::newRow("picture") << "Icon" << "QLabel" << "root" << pixels(4800, 150, 540, 540) << "" << false << false;
        QTest::newRow("line from rounded ends, height its thickness") << "Rule_1" << "QWidget" << "root" << QRect(15, 170, 296, 2) << "" << false << false;
        QTest::newRow("tab bar with its captions") << "Tabs" << "QTabBar" << "root" << pixels(150, 3600, 3000, 375) << "One|Two|Three" << false << false;
        QTest::newRow("stack") << "Pages" << "QStackedWidget" << "root" << pixels(150, 4050, 3000, 1500) << "" << false << false;
        QTest::newRow("box on a page, window font inside a bold page") << "Inner_0" << "QLineEdit" << "Page_0" << pixels(150, 150, 1500, 285) << "" << false << true;
        // clang-format on
    }

    void eachRowBuildsItsWidget() {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QString, parent);
        QFETCH(QRect, place);
        QFETCH(QString, shows);
        QFETCH(bool, bold);
        QFETCH(bool, windowFont);
        QWidget *widget = built_.byName.value(name);
        QVERIFY(widget);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), place);
        QString text;
        if (auto *bar = qobject_cast<QTabBar *>(widget)) {
            QStringList captions;
            for (int i = 0; i < bar->count(); ++i)
                captions << bar->tabText(i);
            text = captions.join('|');
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            text = combo->currentText();
            QVERIFY(!combo->isEditable());
        } else {
            text =
                widget->property(qobject_cast<QGroupBox *>(widget) ? "title" : "text").toString();
        }
        QCOMPARE(text, shows);
        if (auto *label = qobject_cast<QLabel *>(widget); label && !shows.isEmpty())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        if (windowFont)
            QCOMPARE(widget->font(), root_.font());
        else
            QCOMPARE(widget->font(), platform::designFont(bold));
    }

    void alignment_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Qt::Alignment>("alignment");
        QTest::addColumn<bool>("wraps");
        QTest::newRow("right, centred vertically")
            << "Caption_0" << (Qt::AlignRight | Qt::AlignVCenter) << false;
        QTest::newRow("top centre, wrapping")
            << "Note" << (Qt::AlignHCenter | Qt::AlignTop) << true;
        QTest::newRow("picture at its top left")
            << "Icon" << (Qt::AlignLeft | Qt::AlignTop) << false;
        QTest::newRow("box, right") << "Amount_3" << (Qt::AlignRight | Qt::AlignVCenter) << false;
        QTest::newRow("box, left") << "Inner_0" << (Qt::AlignLeft | Qt::AlignVCenter) << false;
    }

    void alignment() {
        QFETCH(QString, name);
        QFETCH(Qt::Alignment, alignment);
        QFETCH(bool, wraps);
        QWidget *widget = built_.byName.value(name);
        QVERIFY(widget);
        QCOMPARE(widget->property("alignment").value<Qt::Alignment>(), alignment);
        QCOMPARE(widget->property("wordWrap").toBool(), wraps);
    }

    // Tab walks the widgets that take the focus by rising tab index, whatever the table order,
    // passing over labels, frames, the stack, the hidden box and the page out of view.
    void tabWalksByTabIndex() {
        QCOMPARE(built_.firstTabStop, find("Pick"));
        built_.firstTabStop->setFocus();
        QStringList walked;
        for (int step = 0; step < 7; ++step) {
            walked << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(walked,
                 (QStringList{"Pick", "Amount_3", "Icon", "Go", "Tabs", "Inner_0", "Pick"}));
    }

    void focusPolicy_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Qt::FocusPolicy>("policy");
        QTest::addColumn<bool>("visible");
        QTest::newRow("label with a tab index") << "Caption_0" << Qt::NoFocus << true;
        QTest::newRow("group frame with a tab index") << "Frame" << Qt::NoFocus << true;
        QTest::newRow("hidden box without a tab index") << "Spare_4" << Qt::NoFocus << false;
        QTest::newRow("picture by Tab only") << "Icon" << Qt::TabFocus << true;
        QTest::newRow("text box") << "Amount_3" << Qt::StrongFocus << true;
    }

    void focusPolicy() {
        QFETCH(QString, name);
        QFETCH(Qt::FocusPolicy, policy);
        QFETCH(bool, visible);
        QWidget *widget = built_.byName.value(name);
        QVERIFY(widget);
        QCOMPARE(widget->focusPolicy(), policy);
        QCOMPARE(widget->isVisible(), visible);
    }

    // Even in a dialog, where Qt would make every button take Enter while it has the focus.
    void buttonsAreNeverDefault() {
        QDialog dialog;
        const BuiltWidgets built = buildWidgets(std::span(kTable).first(1), &dialog);
        auto *go = built.get<QPushButton>("Go");
        QVERIFY(go);
        QVERIFY(!go->autoDefault() && !go->isDefault());
    }

    void colours_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPalette::ColorRole>("role");
        QTest::addColumn<QColor>("colour");
        const QPalette style = QApplication::palette();
        // clang-format off
        QTest::newRow("box text") << "Amount_3" << QPalette::Text << QColor(192, 0, 0);
        QTest::newRow("label text") << "Note" << QPalette::WindowText << QColor(0, 0, 192);
        QTest::newRow("picture background") << "Icon" << QPalette::Window << QColor(192, 192, 192);
        QTest::newRow("line fill") << "Rule_1" << QPalette::Window << QColor(0, 0, 192);
        QTest::newRow("system highlight") << "Inner_0" << QPalette::Text << style.color(QPalette::Highlight);
        QTest::newRow("style colour inside a coloured frame") << "Caption_0" << QPalette::WindowText << style.color(QPalette::WindowText);
        QTest::newRow("style colour of a box inside a coloured frame") << "Pick" << QPalette::Text << style.color(QPalette::Text);
        // clang-format on
    }

    void colours() {
        QFETCH(QString, name);
        QFETCH(QPalette::ColorRole, role);
        QFETCH(QColor, colour);
        QWidget *widget = built_.byName.value(name);
        QVERIFY(widget);
        QCOMPARE(widget->palette().color(role), colour);
    }

    // The frame's title is drawn in its colour; the captions inside it keep theirs.
    void frameTitleInItsColour() {
        QVERIFY(drawsColour(find("Frame"), QColor(128, 128, 0)));
        QVERIFY(!drawsColour(find("Caption_0"), QColor(128, 128, 0)));
    }

    void pagesAndTabs() {
        auto *pages = find<QStackedWidget>("Pages");
        QCOMPARE(pages->count(), 2);
        QCOMPARE(pages->widget(0), find("Page_0"));
        QCOMPARE(pages->widget(1), find("Page_1"));
        QCOMPARE(find<QTabBar>("Tabs")->focusPolicy(), Qt::TabFocus);
    }

    // State: "Pick" and "Amount_3" are both named by Caption_0. Action: the caption changes.
    // Expected: a screen reader hears the new caption for both once the names are updated.
    void labelledWidgetsTakeTheCaptionAsName() {
        for (const char *name : {"Amount_3", "Pick"}) {
            QAccessibleInterface *named = QAccessible::queryAccessibleInterface(find(name));
            QVERIFY(named);
            QCOMPARE(named->text(QAccessible::Name), QStringLiteral("Amount"));
        }
        find<QLabel>("Caption_0")->setText("Grams");
        updateAccessibleNames(kTable, built_.byName);
        for (const char *name : {"Amount_3", "Pick"})
            QCOMPARE(QAccessible::queryAccessibleInterface(find(name))->text(QAccessible::Name),
                     QStringLiteral("Grams"));
        find<QLabel>("Caption_0")->setText("Amount");
        updateAccessibleNames(kTable, built_.byName);
    }

    // "Sum" reaches 300 twips into "Total": it stops 4 pixels short of it, and its whole text,
    // now cut, is its tool tip. A caption that fits has no tool tip.
    void captionStopsShortOfTheWidgetItNames() {
        auto *sum = find<QLabel>("Sum");
        QCOMPARE(sum->geometry().x() + sum->contentsRect().right() + 1 + 4, find("Total")->x());
        QCOMPARE(hoverTip(sum), sum->text());
        QCOMPARE(hoverTip(find<QLabel>("Caption_0")), QString());
        QCOMPARE(find<QLabel>("Caption_0")->contentsMargins(), QMargins());
    }

    // The tip follows the caption: a rewrite that fits loses it, one that is cut gains it, and
    // a tip the window set itself (a caption it shortened) is shown as it is.
    void wholeCaptionTipFollowsTheCaption() {
        auto *sum = find<QLabel>("Sum");
        const QString designed = sum->text();
        sum->setText(QStringLiteral("Sum"));
        QCOMPARE(hoverTip(sum), QString());
        auto *caption = find<QLabel>("Caption_0");
        const QString amount = caption->text();
        caption->setText(QStringLiteral("Amount of carbohydrate eaten with this meal, in grams"));
        QCOMPARE(hoverTip(caption), caption->text());
        sum->setToolTip(QStringLiteral("Sum of every dose"));
        QCOMPARE(hoverTip(sum), QStringLiteral("Sum of every dose"));
        sum->setToolTip(QString());
        sum->setText(designed);
        caption->setText(amount);
    }

    void wellFormedTables_data() {
        QTest::addColumn<int>("table");
        QTest::addColumn<bool>("wellFormed");
        QTest::newRow("the test's own table") << 0 << true;
        QTest::newRow("index and name spell the same object name") << 1 << false;
        QTest::newRow("container comes after what it holds") << 2 << false;
        QTest::newRow("labelled by a widget that is no label") << 3 << false;
        QTest::newRow("labelled by an unknown name") << 4 << false;
        QTest::newRow("same name, other index") << 5 << true;
    }

    void wellFormedTables() {
        QFETCH(int, table);
        QFETCH(bool, wellFormed);
        constexpr auto row = [](std::string_view name, int index, Kind kind,
                                std::string_view container, std::string_view labelledBy) {
            return WidgetRow{name, index, kind,    container, "",    0,       0,     0,
                             0,    0,     Regular, Left,      Style, OneLine, Shown, labelledBy};
        };
        constexpr std::array<WidgetRow, 2> sameName = {
            {row("A", 1, Label, {}, {}), row("A_1", kNoIndex, TextBox, {}, {})}};
        constexpr std::array<WidgetRow, 2> late = {{row("Box", kNoIndex, TextBox, "Frame", {}),
                                                    row("Frame", kNoIndex, GroupFrame, {}, {})}};
        constexpr std::array<WidgetRow, 2> notALabel = {
            {row("Box", kNoIndex, TextBox, {}, {}), row("Other", kNoIndex, TextBox, {}, "Box")}};
        constexpr std::array<WidgetRow, 1> unknown = {
            {row("Box", kNoIndex, TextBox, {}, "Gone_1")}};
        constexpr std::array<WidgetRow, 2> twoIndexes = {
            {row("A", 1, Label, {}, {}), row("A", 10, TextBox, {}, "A_1")}};
        const std::array<bool, 6> results = {isWellFormed(kTable),  isWellFormed(sameName),
                                             isWellFormed(late),    isWellFormed(notALabel),
                                             isWellFormed(unknown), isWellFormed(twoIndexes)};
        QCOMPARE(results.at(static_cast<std::size_t>(table)), wellFormed);
    }
};

QTEST_MAIN(WidgetBuilderTest)
#include "widget_builder_test.moc"
