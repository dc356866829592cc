// The main window against its design table: every widget, the focus order and the menu.

#include "main_window_fixture.h"
#include "platform/fonts.h"
#include "tests/support/test_environment.h"
#include "ui/main_window/layout_builder.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/main_window_layout.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <cstdlib>
#include <memory>

using namespace mainwindow;

namespace {
QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const char *classOf(WidgetKind kind) {
    constexpr const char *names[] = {"QGroupBox", "QLabel", "QLineEdit", "QComboBox",
                                     "QPushButton"};
    return names[static_cast<int>(kind)];
}

QString captionOf(const QWidget *widget) {
    if (auto *box = qobject_cast<const QGroupBox *>(widget))
        return box->title();
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (auto *button = qobject_cast<const QPushButton *>(widget))
        return button->text();
    return qobject_cast<const QComboBox *>(widget)->currentText();
}

// The room a caption has: a frame's title, a label's contents, a button's face.
QRect captionRoom(const QWidget *widget) {
    if (auto *box = qobject_cast<const QGroupBox *>(widget)) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                            box);
    }
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->contentsRect();
    const int margin = widget->style()->pixelMetric(QStyle::PM_ButtonMargin);
    return widget->rect().adjusted(margin, 0, -margin, 0);
}

// Text is drawn anti-aliased: its pixels are the text colour blended over the background.
// True when a pixel of the caption is at least 60 % the given colour.
bool drawsColour(QWidget *widget, const QColor &colour) {
    const QImage image = widget->grab().toImage();
    const QColor ground = widget->palette().color(QPalette::Window);
    const int target[] = {colour.red(), colour.green(), colour.blue()};
    const int back[] = {ground.red(), ground.green(), ground.blue()};
    int widest = 0; // the channel that tells the two colours apart best
    for (int c = 1; c < 3; ++c) {
        if (std::abs(target[c] - back[c]) > std::abs(target[widest] - back[widest]))
            widest = c;
    }
    const QRect area = captionRoom(widget).intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const int seen[] = {p.red(), p.green(), p.blue()};
            const double alpha =
                double(seen[widest] - back[widest]) / double(target[widest] - back[widest]);
            bool blend = alpha >= 0.6 && alpha <= 1.0;
            for (int c = 0; c < 3 && blend; ++c)
                blend = std::abs(seen[c] - (alpha * target[c] + (1 - alpha) * back[c])) <= 16;
            if (blend)
                return true;
        }
    }
    return false;
}

QColor colourOf(CaptionColour colour) {
    switch (colour) {
    case CaptionColour::Olive:
        return QColor(128, 128, 0);
    case CaptionColour::DarkRed:
        return QColor(192, 0, 0);
    case CaptionColour::Highlight:
        return QApplication::palette().color(QPalette::Highlight);
    case CaptionColour::System:
        break;
    }
    return QColor();
}
} // namespace

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void widgetMatchesDesign_data();
    void widgetMatchesDesign();
    void tabKeysWalkTheFocusOrder();
    void windowIsResizableWithoutMaximiseOrDefaultButton();
    void menuMatchesDesign_data();
    void menuMatchesDesign();

private:
    std::unique_ptr<testsupport::TestEnvironment> env_;
    std::unique_ptr<MainWindow> window_;
    // Built from the table alone, before any calculation rewrites a caption.
    QWidget designArea_;
    QHash<QString, QWidget *> design_;
};

void MainWindowLayoutTest::initTestCase() {
    env_ = std::make_unique<testsupport::TestEnvironment>();
    window_ = std::make_unique<MainWindow>();
    QVERIFY(fixture::showActive(*window_));
    design_ = buildWidgets(&designArea_);
}

void MainWindowLayoutTest::cleanupTestCase() {
    window_.reset();
    env_.reset();
}

void MainWindowLayoutTest::widgetMatchesDesign_data() {
    QTest::addColumn<int>("row");
    for (std::size_t row = 0; row < kMainWindowWidgets.size(); ++row)
        QTest::newRow(qPrintable(objectNameOf(kMainWindowWidgets[row]))) << static_cast<int>(row);
}

void MainWindowLayoutTest::widgetMatchesDesign() {
    QFETCH(int, row);
    const WidgetSpec &spec = kMainWindowWidgets[static_cast<std::size_t>(row)];
    const QString name = objectNameOf(spec);
    QWidget *widget = window_->findChild<QWidget *>(name);
    QVERIFY2(widget, "missing from the window");

    QVERIFY(widget->inherits(classOf(spec.kind)));
    QCOMPARE(widget->parentWidget(), spec.container.empty()
                                         ? window_->centralWidget()
                                         : window_->findChild<QWidget *>(qs(spec.container)));
    // Twips to pixels at 96 dpi, worked out here rather than through the code under test.
    QCOMPARE(widget->geometry(), QRect(qRound(spec.left / 15.0), qRound(spec.top / 15.0),
                                       qRound(spec.width / 15.0), qRound(spec.height / 15.0)));
    QCOMPARE(captionOf(design_.value(name)), qs(spec.text));
    QCOMPARE(widget->property("index"), spec.index == kNoIndex ? QVariant() : spec.index);
    QCOMPARE(widget->font().bold(), spec.bold);
    QCOMPARE(widget->font().family(), platform::designFont().family());
    QCOMPARE(widget->font().pointSizeF(), 8.25);
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, alignmentOf(spec.align));
    const bool focusable = spec.kind == WidgetKind::TextBox ||
                           spec.kind == WidgetKind::DropDownList ||
                           spec.kind == WidgetKind::PushButton;
    QCOMPARE(widget->focusPolicy() != Qt::NoFocus, focusable);

    if (spec.colour != CaptionColour::System)
        QVERIFY2(drawsColour(widget, colourOf(spec.colour)), "caption not in its colour");
    if (spec.colour != CaptionColour::DarkRed && spec.kind != WidgetKind::PushButton)
        QVERIFY2(!drawsColour(widget, colourOf(CaptionColour::DarkRed)), "caption in red");

    // No design caption is cut off.
    if (!focusable || spec.kind == WidgetKind::PushButton) {
        QWidget *designed = design_.value(name);
        const QRect room = captionRoom(designed);
        const QFontMetrics metrics(designed->font());
        QVERIFY2(metrics.horizontalAdvance(qs(spec.text)) <= room.width(), "caption too wide");
        QVERIFY(room.left() >= 0 && room.right() < designed->width());
        QVERIFY(metrics.height() <= designed->height());
    }

    // A screen reader names the widget by the label beside it, whose caption stops short of a
    // dose figure even when the calculation makes it long.
    if (!spec.labelledBy.empty()) {
        const auto *label = window_->findChild<QLabel *>(qs(spec.labelledBy));
        QVERIFY(!label->text().isEmpty());
        QCOMPARE(widget->accessibleName(), label->text());
        if (spec.kind == WidgetKind::Label)
            QVERIFY(label->x() + label->contentsRect().right() < widget->x());
    }
}

void MainWindowLayoutTest::tabKeysWalkTheFocusOrder() {
    const QStringList order = {"Blood_Sugar", "Mealtime", "Carb", "Exit", "Blood_Sugar"};
    QCOMPARE(QApplication::focusWidget()->objectName(), order.first());
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), order[i]);
    }
    for (qsizetype i = order.size() - 2; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), order[i]);
    }
}

void MainWindowLayoutTest::windowIsResizableWithoutMaximiseOrDefaultButton() {
    QCOMPARE(window_->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Norvalis"));
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window_->minimumSize() != window_->maximumSize());

    QTest::keyClick(fixture::child<QLineEdit>(*window_, "Blood_Sugar"), Qt::Key_Return);
    QVERIFY(window_->isVisible()); // Enter presses no button
}

void MainWindowLayoutTest::menuMatchesDesign_data() {
    QTest::addColumn<int>("row");
    for (std::size_t row = 0; row < kMainMenu.size(); ++row)
        QTest::newRow(kMainMenu[row].name.data()) << static_cast<int>(row);
}

void MainWindowLayoutTest::menuMatchesDesign() {
    QFETCH(int, row);
    const MenuSpec &spec = kMainMenu[static_cast<std::size_t>(row)];
    auto *action = window_->findChild<QAction *>(qs(spec.name));
    QVERIFY2(action, "missing from the menu");
    QCOMPARE(action->text(), qs(spec.caption));
    QCOMPARE(action->isEnabled(), spec.enabled);
    QVERIFY(action->shortcut().isEmpty());
    QCOMPARE(action->property("index"), spec.index == kNoIndex ? QVariant() : spec.index);
    const QList<QAction *> siblings = spec.menu.empty()
                                          ? window_->menuBar()->actions()
                                          : window_->findChild<QMenu *>(qs(spec.menu))->actions();
    QVERIFY(siblings.contains(action));
}

QTEST_MAIN(MainWindowLayoutTest)
#include "main_window_layout_test.moc"
