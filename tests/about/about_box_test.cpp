// The about box driven as a user would: real key and mouse events, shown modally over an owner.

#include "platform/fonts.h"
#include "platform/modal.h"
#include "platform/twips.h"
#include "tests/support/test_environment.h"
#include "ui/about/about_box.h"
#include "ui/about/about_layout.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// Shows the box modally over owner and runs act inside its modal loop. Returns false when the
// box had to be closed by the safety timer because it did not close by itself.
bool runModal(AboutBox *box, QWidget *owner, const std::function<void(AboutBox *)> &act) {
    QPointer<AboutBox> guard(box);
    bool forced = false;
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, box, [&forced, box] {
        forced = true;
        box->close();
    });
    testsupport::whenIdle([guard, act] {
        // Keys go where the focus is, which needs the window active.
        if (guard && QTest::qWaitForWindowActive(guard))
            act(guard);
    });
    safety.start(5000);
    platform::showModal(box, owner);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !forced;
}

QStringList shownTexts(const AboutBox *box) {
    QStringList texts{box->windowTitle()};
    for (const char *name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"})
        texts << box->findChild<QLabel *>(QString::fromLatin1(name))->text();
    return texts;
}

// How the user ends the box in a row of closesWhateverHasTheFocus.
enum class Closing { Key, ClickOk, CloseBox };

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void textsAfterLoad_data();
    void textsAfterLoad();
    void disclaimerIsAWarningThatFits();
    void widgetsSitWhereDesigned_data();
    void widgetsSitWhereDesigned();
    void everyWidgetComesFromTheLayoutTable();
    void windowIsFixedWithOnlyACloseBox();
    void separatorIsGreyOverWhite();
    void iconSitsOnGrey();
    void closesWhateverHasTheFocus_data();
    void closesWhateverHasTheFocus();
    void openingTwiceShowsTheSameTexts();
    void centredOverItsOwner_data();
    void centredOverItsOwner();

private:
    std::unique_ptr<testsupport::TestEnvironment> env_;
    std::unique_ptr<QWidget> owner_;
};

void AboutBoxTest::init() {
    env_ = std::make_unique<testsupport::TestEnvironment>();
    env_->watchdog().allowModal(QStringLiteral("frmAbout"));
    owner_ = std::make_unique<QWidget>();
    owner_->setGeometry(120, 90, 360, 420);
    owner_->show();
}

void AboutBoxTest::cleanup() {
    QCOMPARE(env_->watchdog().seen().size(), 0);
    owner_.reset();
    env_.reset();
}

void AboutBoxTest::textsAfterLoad_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("title from the application title") << "lblTitle"
                                                      << "Norvalis";
    QTest::newRow("version as major.minor.revision") << "lblVersion"
                                                     << "Version 1.0.0";
    QTest::newRow("description keeps its stored text")
        << "lblDescription"
        << "Intended for calculation of Insulin doses with user defined variables and periods "
           "throughout the day.";
}

// State: a fresh box, never shown. Expected: its load procedure has filled title and version.
void AboutBoxTest::textsAfterLoad() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    AboutBox box(owner_.get());
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(box.windowTitle(), QStringLiteral("About Norvalis"));
    QCOMPARE(box.findChild<QLabel *>(name)->text(), text);
}

void AboutBoxTest::disclaimerIsAWarningThatFits() {
    AboutBox box(owner_.get());
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    auto *disclaimer = box.findChild<QLabel *>(QStringLiteral("lblDisclaimer"));
    QVERIFY(disclaimer->text().startsWith(QStringLiteral("Warning: ")));
    const QRect needed = disclaimer->fontMetrics().boundingRect(
        QRect(0, 0, disclaimer->width(), 10000), Qt::TextWordWrap, disclaimer->text());
    QVERIFY2(needed.height() <= disclaimer->height(),
             qPrintable(QStringLiteral("needs %1 pixels").arg(needed.height())));
}

void AboutBoxTest::widgetsSitWhereDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    using platform::twipsRect;
    QTest::newRow("cmdOK") << "cmdOK" << twipsRect(4245, 1800, 1467, 345);
    QTest::newRow("picIcon") << "picIcon" << twipsRect(240, 240, 540, 540);
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << twipsRect(240, 1800, 3870, 825);
    QTest::newRow("lblVersion") << "lblVersion" << twipsRect(1050, 780, 4092, 225);
    QTest::newRow("lblTitle") << "lblTitle" << twipsRect(1050, 240, 4092, 480);
    QTest::newRow("lblDescription") << "lblDescription" << twipsRect(1050, 1125, 4095, 450);
    // Lines: from their start to their end at 1680 twips, as thick as their pen.
    QTest::newRow("Line1(0), width 2") << "Line1_0" << QRect(16, 112, 361, 2);
    QTest::newRow("Line1(1), width 1") << "Line1_1" << QRect(15, 112, 362, 1);
}

void AboutBoxTest::widgetsSitWhereDesigned() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    AboutBox box(owner_.get());
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    auto *widget = box.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), pixels);
    QCOMPARE(widget->font(), platform::designFont());
}

// The window holds exactly the widgets of its layout table, one per row.
void AboutBoxTest::everyWidgetComesFromTheLayoutTable() {
    AboutBox box(owner_.get());
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    QStringList names;
    for (const QWidget *child : box.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        names << child->objectName();
    QStringList tableNames;
    for (const about_layout::WidgetRow &row : about_layout::kWidgets)
        tableNames << QString::fromUtf8(row.name);
    names.sort();
    tableNames.sort();
    QCOMPARE(names, tableNames);
}

void AboutBoxTest::windowIsFixedWithOnlyACloseBox() {
    AboutBox box(owner_.get());
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    const QSize client = platform::twipsSize(5865, 2790);
    QCOMPARE(box.minimumSize(), client);
    QCOMPARE(box.maximumSize(), client);
    const Qt::WindowFlags flags = box.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // The version record travels with the box for assistive tools.
    QVERIFY(box.accessibleDescription().contains(QStringLiteral("Norvalis version 1.00")));
    QVERIFY(box.accessibleDescription().contains(QStringLiteral("1.0.0.0")));
}

// The two lines drawn together: a grey pixel row with a white one under it.
void AboutBoxTest::separatorIsGreyOverWhite() {
    AboutBox box(owner_.get());
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    const QImage image = box.grab().toImage();
    const QColor background = box.palette().color(QPalette::Window);
    for (const int x : {16, 200, 376}) {
        QCOMPARE(image.pixelColor(x, 111), background);
        QCOMPARE(image.pixelColor(x, 112), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(x, 113), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(x, 114), background);
    }
    QCOMPARE(image.pixelColor(15, 112), QColor(128, 128, 128));
    QCOMPARE(image.pixelColor(15, 113), background);
}

void AboutBoxTest::iconSitsOnGrey() {
    AboutBox box(owner_.get());
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    auto *icon = box.findChild<QLabel *>(QStringLiteral("picIcon"));
    QCOMPARE(icon->pixmap().size(), QSize(32, 32));
    const QImage image = icon->grab().toImage();
    const QRect inside = icon->contentsRect();
    // The icon's rounded corner shows the box's grey; its middle shows the icon.
    QCOMPARE(image.pixelColor(inside.topLeft()), QColor(192, 192, 192));
    QVERIFY(image.pixelColor(inside.topLeft() + QPoint(16, 16)) != QColor(192, 192, 192));
}

void AboutBoxTest::closesWhateverHasTheFocus_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<Closing>("closing");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    for (const char *focus : {"cmdOK", "picIcon"}) {
        const QString on = QStringLiteral(" on ") + QString::fromLatin1(focus);
        QTest::newRow(qPrintable("Return" + on))
            << focus << Closing::Key << int(Qt::Key_Return) << 0;
        QTest::newRow(qPrintable("keypad Enter" + on))
            << focus << Closing::Key << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow(qPrintable("Escape" + on))
            << focus << Closing::Key << int(Qt::Key_Escape) << 0;
    }
    QTest::newRow("mouse click on OK") << "cmdOK" << Closing::ClickOk << 0 << 0;
    QTest::newRow("close box") << "cmdOK" << Closing::CloseBox << 0 << 0;
}

// State: opened, the focus on cmdOK, then moved. Expected: the box closes and is destroyed.
void AboutBoxTest::closesWhateverHasTheFocus() {
    QFETCH(QString, focus);
    QFETCH(Closing, closing);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QPointer<AboutBox> box = new AboutBox(owner_.get());
    QString openedWithFocus;
    QString focusedBeforeClosing;
    const bool closedByItself = runModal(box, owner_.get(), [&](AboutBox *shown) {
        openedWithFocus = QApplication::focusWidget()->objectName();
        shown->findChild<QWidget *>(focus)->setFocus(Qt::TabFocusReason);
        QWidget *focused = QApplication::focusWidget();
        focusedBeforeClosing = focused->objectName();
        if (closing == Closing::Key)
            QTest::keyClick(focused, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        else if (closing == Closing::ClickOk)
            QTest::mouseClick(focused, Qt::LeftButton);
        else
            shown->close();
    });
    QCOMPARE(openedWithFocus, QStringLiteral("cmdOK"));
    QCOMPARE(focusedBeforeClosing, focus);
    QVERIFY(closedByItself);
    QVERIFY(box.isNull());
}

// Each opening is a new box running its load procedure again, with the same result.
void AboutBoxTest::openingTwiceShowsTheSameTexts() {
    QList<QStringList> seen;
    for (int opening = 0; opening < 2; ++opening) {
        QVERIFY(runModal(new AboutBox(owner_.get()), owner_.get(), [&seen](AboutBox *shown) {
            seen.append(shownTexts(shown));
            shown->findChild<QLabel *>(QStringLiteral("lblTitle"))->setText(QStringLiteral("x"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }));
    }
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[1], seen[0]);
    QCOMPARE(seen[0].mid(0, 3),
             (QStringList{QStringLiteral("About Norvalis"), QStringLiteral("Norvalis"),
                          QStringLiteral("Version 1.0.0")}));
}

void AboutBoxTest::centredOverItsOwner_data() {
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<bool>("centred");
    // Owner places relative to the screen's available area.
    QTest::newRow("owner in the middle") << QRect(150, 100, 500, 400) << true;
    QTest::newRow("owner smaller than the box, odd sizes") << QRect(301, 263, 121, 91) << true;
    QTest::newRow("owner hanging off the right edge") << QRect(700, 100, 400, 300) << false;
    QTest::newRow("owner hanging off the top left") << QRect(-350, -250, 400, 300) << false;
}

void AboutBoxTest::centredOverItsOwner() {
    QFETCH(QRect, owner);
    QFETCH(bool, centred);
    const QRect available = owner_->screen()->availableGeometry();
    owner_->setGeometry(owner.translated(available.topLeft()));
    // Let the window system settle the owner's place (it keeps a frame on screen) first.
    QCoreApplication::processEvents();
    QRect boxRect;
    QVERIFY(runModal(new AboutBox(owner_.get()), owner_.get(), [&boxRect](AboutBox *shown) {
        boxRect = shown->geometry();
        shown->close();
    }));
    QCOMPARE(boxRect.size(), platform::twipsSize(5865, 2790));
    if (centred) {
        const QPoint offset = boxRect.center() - owner_->geometry().center();
        QVERIFY2(
            qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
            qPrintable(QStringLiteral("off centre by %1, %2").arg(offset.x()).arg(offset.y())));
    } else {
        QVERIFY2(available.contains(boxRect), "the box must stay on the screen");
    }
}

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
