// The about box driven as a user would, with real key events, shown over an owner.

#include "platform/fonts.h"
#include "platform/twips.h"
#include "tests/support/test_environment.h"
#include "ui/about/about_box.h"
#include "ui/about/about_layout.h"
#include "ui/widget_table/widget_builder.h"

#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>

class AboutBoxTest : public QObject {
    Q_OBJECT
    testsupport::TestEnvironment env_;
    QWidget owner_;

    // A new box shown over the owner and active, so that keys go where the focus is.
    QPointer<AboutBox> openBox() {
        auto *box = new AboutBox(&owner_);
        box->show();
        return QTest::qWaitForWindowActive(box) ? box : nullptr;
    }

private slots:
    void initTestCase() { owner_.show(); }

    void cleanup() {
        QCOMPARE(env_.watchdog().seen().size(), 0);
        qDeleteAll(owner_.findChildren<AboutBox *>());
    }

    void eachOpening_data() {
        QTest::addColumn<QRect>("owner"); // within the screen's available area
        QTest::addColumn<bool>("centred");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("keys");
        // clang-format off
        QTest::newRow("owner smaller than the box, Return on cmdOK") << QRect(301, 263, 121, 91) << true << "cmdOK" << "Return";
        QTest::newRow("owner off the right edge, keypad Enter on picIcon") << QRect(700, 100, 400, 300) << false << "picIcon" << "Num+Enter";
        QTest::newRow("owner off the top left, Escape on picIcon") << QRect(-350, -250, 400, 300) << false << "picIcon" << "Esc";
        // clang-format on
    }

    // Each row opens a new box, which runs its load procedure (a text changed in one is not kept)
    // and centres over its owner within the screen. Enter or Escape closes and destroys it,
    // whatever has the focus.
    void eachOpening() {
        QFETCH(QRect, owner);
        QFETCH(bool, centred);
        QFETCH(QString, focus);
        QFETCH(QString, keys);
        const QRect available = owner_.screen()->availableGeometry();
        owner_.setGeometry(owner.translated(available.topLeft()));
        QCoreApplication::processEvents(); // the window system settles the owner's place first
        QPointer<AboutBox> box = openBox();
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("About Norvalis"));
        QCOMPARE(box->findChild<QLabel *>("lblTitle")->text(), QStringLiteral("Norvalis"));
        QCOMPARE(box->findChild<QLabel *>("lblVersion")->text(), QStringLiteral("Version 1.0.0"));
        box->findChild<QLabel *>("lblTitle")->setText("changed");
        QCOMPARE(box->size(), platform::twipsSize(5865, 3240));
        const QPoint offset = box->geometry().center() - owner_.geometry().center();
        if (centred)
            QVERIFY(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1);
        else
            QVERIFY2(available.contains(box->geometry()), "the box must stay on the screen");
        QCOMPARE(box->focusWidget(), box->findChild<QWidget *>("cmdOK"));
        box->findChild<QWidget *>(focus)->setFocus();
        QTest::keySequence(box->focusWidget(), QKeySequence(keys));
        QTRY_VERIFY(box.isNull());
    }

    // Exactly the widgets of the layout table, each where the table puts it in the design font,
    // wrapped texts fitting their label; a window of fixed size.
    void widgetsFollowTheLayoutTable() {
        AboutBox box(&owner_);
        QCOMPARE(box.findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size(),
                 qsizetype(about_layout::kWidgets.size()));
        for (const widget_table::WidgetRow &row : about_layout::kWidgets) {
            const QString name = widget_table::objectNameOf(row);
            auto *widget = box.findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
            QVERIFY2(widget, qPrintable(name));
            QCOMPARE(widget->font(), platform::designFont());
            if (row.kind != widget_table::Kind::Line)
                QCOMPARE(widget->geometry(),
                         platform::twipsRect(row.left, row.top, row.width, row.height));
            if (row.wraps)
                QVERIFY2(widget->heightForWidth(widget->width()) <= widget->height(),
                         qPrintable(name));
        }
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QCOMPARE(box.findChild<QLabel *>("picIcon")->pixmap().size(), QSize(32, 32));
    }

    // Grey over white separator lines, from x 15 and 16 to 376; the icon's rounded corner on grey.
    void separatorAndIconDrawnAsDesigned() {
        AboutBox box(&owner_);
        const QImage image = box.grab().toImage();
        const QColor background = box.palette().color(QPalette::Window), grey(128, 128, 128);
        QCOMPARE(image.pixelColor(15, 112), grey);
        QCOMPARE(image.pixelColor(15, 113), background);
        QCOMPARE(image.pixelColor(376, 112), grey);
        QCOMPARE(image.pixelColor(376, 113), QColor(Qt::white));
        QCOMPARE(image.pixelColor(377, 112), background);
        QCOMPARE(image.pixelColor(18, 18), QColor(192, 192, 192));
    }

    // Distinct parts, so that any two of them swapped shows; two digits are not cut.
    void versionCaption() {
        QCOMPARE(AboutBox::versionCaption({1, 2, 3}), QStringLiteral("Version 1.2.3"));
        QCOMPARE(AboutBox::versionCaption({10, 0, 42}), QStringLiteral("Version 10.0.42"));
    }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
