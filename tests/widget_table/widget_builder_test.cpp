// The widget builder on a small made-up window: every kind, indexed names, focus chain,
// colours, fonts, hidden widgets, pages, and the labels that name other widgets.

#include "platform/fonts.h"
#include "ui/widget_table/widget_builder.h"

#include <QAccessible>
#include <QtTest>
#include <QtWidgets>
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
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QColor seen = image.pixelColor(x, y);
                std::hypot(seen.red() - colour.red(), seen.green() - colour.green(),
                           seen.blue() - colour.blue()) < 40)
                return true;
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

// What one row gave: font 0 regular, 1 bold, 2 the window's; focus -1 and an empty alignment
// or invalid colour leave that property unchecked.
// clang-format off
struct Built { QString name, className, parent; QRect place; QString shows; int font; Qt::Alignment align; bool wraps, visible; int focus; QPalette::ColorRole role; QColor colour; };
// clang-format on

} // namespace
Q_DECLARE_METATYPE(Built)

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

    void eachRowBuildsItsWidget_data() {
        QTest::addColumn<Built>("b");
        const QPalette style = QApplication::palette();
        const auto none = QPalette::NoRole, text = QPalette::Text, win = QPalette::Window,
                   label = QPalette::WindowText;
        const auto left = Qt::AlignLeft, right = Qt::AlignRight, mid = Qt::AlignVCenter,
                   top = Qt::AlignTop;
        const int tab = Qt::TabFocus, strong = Qt::StrongFocus, no = Qt::NoFocus;
        // clang-format off
        QTest::newRow("push button on the window")                  << Built{"Go", "QPushButton", "root", pixels(150, 3000, 1500, 375), "&Go", 0, {}, false, true, -1, none, {}};
        QTest::newRow("group frame with a tab index, no focus")     << Built{"Frame", "QGroupBox", "root", pixels(150, 150, 4500, 2250), "Input", 1, {}, false, true, no, none, {}};
        QTest::newRow("label with a tab index in a coloured frame") << Built{"Caption_0", "QLabel", "Frame", pixels(150, 300, 1200, 285), "Amount", 2, right | mid, false, true, no, label, style.color(label)};
        QTest::newRow("text box, index 3")                          << Built{"Amount_3", "QLineEdit", "Frame", pixels(1500, 300, 1500, 285), "12", 1, right | mid, false, true, strong, text, QColor(192, 0, 0)};
        QTest::newRow("drop-down list starts empty")                << Built{"Pick", "QComboBox", "Frame", pixels(1500, 750, 1500, 315), "", 0, {}, false, true, -1, text, style.color(text)};
        QTest::newRow("hidden box keeps its text")                  << Built{"Spare_4", "QLineEdit", "Frame", pixels(1500, 1200, 1500, 285), "kept", 1, {}, false, false, no, none, {}};
        QTest::newRow("markup shown as typed, wrapping")            << Built{"Note", "QLabel", "Frame", pixels(150, 1200, 1200, 600), "<b>not bold</b> and long", 2, Qt::AlignHCenter | top, true, true, -1, label, QColor(0, 0, 192)};
        QTest::newRow("picture, by Tab only")                       << Built{"Icon", "QLabel", "root", pixels(4800, 150, 540, 540), "", 0, left | top, false, true, tab, win, QColor(192, 192, 192)};
        QTest::newRow("line from rounded ends, height its thickness") << Built{"Rule_1", "QWidget", "root", QRect(15, 170, 296, 2), "", 0, {}, false, true, -1, win, QColor(0, 0, 192)};
        QTest::newRow("tab bar with its captions, by Tab only")     << Built{"Tabs", "QTabBar", "root", pixels(150, 3600, 3000, 375), "One|Two|Three", 0, {}, false, true, tab, none, {}};
        QTest::newRow("stack")                                      << Built{"Pages", "QStackedWidget", "root", pixels(150, 4050, 3000, 1500), "", 0, {}, false, true, -1, none, {}};
        QTest::newRow("box on a page, window font inside a bold page") << Built{"Inner_0", "QLineEdit", "Page_0", pixels(150, 150, 1500, 285), "", 2, left | mid, false, true, -1, text, style.color(QPalette::Highlight)};
        // clang-format on
    }

    // Indexed widgets are "Name_index" and carry their index; the others carry no index.
    void eachRowBuildsItsWidget() {
        QFETCH(Built, b);
        QWidget *widget = built_.byName.value(b.name);
        QVERIFY(widget);
        QCOMPARE(widget->objectName(), b.name);
        const QString index = b.name.section('_', 1);
        QCOMPARE(widget->property("index"), index.isEmpty() ? QVariant() : QVariant(index.toInt()));
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), b.className);
        QCOMPARE(widget->parentWidget()->objectName(), b.parent);
        QCOMPARE(widget->geometry(), b.place);
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
        QCOMPARE(text, b.shows);
        if (auto *label = qobject_cast<QLabel *>(widget); label && !b.shows.isEmpty())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(widget->font(), b.font == 2 ? root_.font() : platform::designFont(b.font == 1));
        if (b.align)
            QCOMPARE(widget->property("alignment").value<Qt::Alignment>(), b.align);
        QCOMPARE(widget->property("wordWrap").toBool(), b.wraps);
        QCOMPARE(widget->isVisible(), b.visible);
        if (b.focus >= 0)
            QCOMPARE(widget->focusPolicy(), Qt::FocusPolicy(b.focus));
        if (b.colour.isValid())
            QCOMPARE(widget->palette().color(b.role), b.colour);
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

    // Even in a dialog, where Qt would make every button take Enter while it has the focus.
    void buttonsAreNeverDefault() {
        QDialog dialog;
        auto *go = buildWidgets(std::span(kTable).first(1), &dialog).get<QPushButton>("Go");
        QVERIFY(go && !go->autoDefault() && !go->isDefault());
    }

    // The frame's title is drawn in its colour; the captions inside it keep theirs.
    void frameTitleInItsColour() {
        QVERIFY(drawsColour(find("Frame"), QColor(128, 128, 0)));
        QVERIFY(!drawsColour(find("Caption_0"), QColor(128, 128, 0)));
    }

    void pagesInTheStack() {
        auto *pages = find<QStackedWidget>("Pages");
        QCOMPARE(pages->count(), 2);
        QVERIFY(pages->widget(0) == find("Page_0") && pages->widget(1) == find("Page_1"));
    }

    // State: "Pick" and "Amount_3" are both named by Caption_0. Action: the caption changes.
    // Expected: a screen reader hears the new caption for both once the names are updated.
    void labelledWidgetsTakeTheCaptionAsName() {
        for (const char *caption : {"Grams", "Amount"}) {
            for (const char *name : {"Amount_3", "Pick"})
                QCOMPARE(QAccessible::queryAccessibleInterface(find(name))->text(QAccessible::Name),
                         find<QLabel>("Caption_0")->text());
            find<QLabel>("Caption_0")->setText(caption);
            updateAccessibleNames(kTable, built_.byName);
        }
    }

    // "Sum" reaches 300 twips into "Total": it stops 4 pixels short of it, and its whole text,
    // now cut, is its tool tip. A caption that fits has no tool tip. The tip follows the
    // caption: a rewrite that fits loses it, one that is cut gains it, and a tip the window set
    // itself (a caption it shortened) is shown as it is.
    void captionStopsShortAndItsTipFollowsIt() {
        auto *sum = find<QLabel>("Sum");
        auto *caption = find<QLabel>("Caption_0");
        QCOMPARE(sum->geometry().x() + sum->contentsRect().right() + 1 + 4, find("Total")->x());
        QCOMPARE(hoverTip(sum), sum->text());
        QCOMPARE(hoverTip(caption), QString());
        QCOMPARE(caption->contentsMargins(), QMargins());
        const QString designed = sum->text(), amount = caption->text();
        sum->setText(QStringLiteral("Sum"));
        QCOMPARE(hoverTip(sum), QString());
        caption->setText(QStringLiteral("Amount of carbohydrate eaten with this meal, in grams"));
        QCOMPARE(hoverTip(caption), caption->text());
        sum->setToolTip(QStringLiteral("Sum of every dose"));
        QCOMPARE(hoverTip(sum), QStringLiteral("Sum of every dose"));
        sum->setToolTip(QString());
        sum->setText(designed);
        caption->setText(amount);
    }

    // Faults in a table: an index and a name spelling the same object name, a container after
    // what it holds, a caption that is no label, an unknown caption. One name under two
    // indexes is fine.
    void wellFormedTables() {
        constexpr auto row = [](std::string_view name, int index, Kind kind,
                                std::string_view container, std::string_view labelledBy) {
            return WidgetRow{name, index, kind,    container, "",    0,       0,     0,
                             0,    0,     Regular, Left,      Style, OneLine, Shown, labelledBy};
        };
        using Two = std::array<WidgetRow, 2>;
        QVERIFY(
            !isWellFormed(Two{row("A", 1, Label, {}, {}), row("A_1", kNoIndex, TextBox, {}, {})}));
        QVERIFY(!isWellFormed(Two{row("Box", kNoIndex, TextBox, "Frame", {}),
                                  row("Frame", kNoIndex, GroupFrame, {}, {})}));
        QVERIFY(!isWellFormed(Two{row("Box", kNoIndex, TextBox, {}, {}),
                                  row("Other", kNoIndex, TextBox, {}, "Box")}));
        QVERIFY(!isWellFormed(std::array{row("Box", kNoIndex, TextBox, {}, "Gone_1")}));
        QVERIFY(isWellFormed(Two{row("A", 1, Label, {}, {}), row("A", 10, TextBox, {}, "A_1")}));
    }
};

QTEST_MAIN(WidgetBuilderTest)
#include "widget_builder_test.moc"
