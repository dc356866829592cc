// The periods dialog driven with real key and mouse events while shown modally over an owner.

#include "platform/fonts.h"
#include "platform/modal.h"
#include "platform/twips.h"
#include "tests/support/test_environment.h"
#include "ui/dialogs/period_config_dialog.h"
#include "ui/dialogs/period_dialog_layout.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

namespace {

const QByteArray kSettings =
    "[Period]\r\nP_1=Breakfast\r\nP_2=Lunch\r\n\r\n[Breakfast]\r\nCD_1=10\r\n";

QString boxName(int index) {
    return QStringLiteral("INPUT_PERIOD_%1").arg(index);
}

QStringList boxTexts(const QDialog *dialog) {
    QStringList texts;
    for (int i = 1; i <= 12; ++i)
        texts << dialog->findChild<QLineEdit *>(boxName(i))->text();
    return texts;
}

const QStringList kTwelvePeriods = QStringList(12, QStringLiteral("period"));

// Shows the dialog modally over owner and runs act inside its modal loop; act must close it.
// Returns false when the safety timer had to close it.
bool runModal(PeriodConfigDialog *dialog, QWidget *owner,
              const std::function<void(PeriodConfigDialog *)> &act) {
    QPointer<PeriodConfigDialog> guard(dialog);
    bool forced = false;
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, dialog, [&forced, dialog] {
        forced = true;
        dialog->close();
    });
    testsupport::whenIdle([guard, act] {
        // Keys go where the focus is, which needs the window active.
        if (guard && QTest::qWaitForWindowActive(guard))
            act(guard);
    });
    safety.start(5000);
    platform::showModal(dialog, owner);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return !forced;
}

} // namespace

class PeriodsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void widgetsSitWhereDesigned_data();
    void widgetsSitWhereDesigned();
    void everyWidgetComesFromTheLayoutTable();
    void windowOpensAtItsFixedPlace();
    void tabWalksButtonsThenBoxes();
    void pressesChangeNothingAndLeaveItOpen_data();
    void pressesChangeNothingAndLeaveItOpen();
    void typedTextIsGoneAfterClosing();

private:
    std::unique_ptr<testsupport::TestEnvironment> env_;
    std::unique_ptr<QWidget> owner_;
};

void PeriodsDialogTest::init() {
    env_ = std::make_unique<testsupport::TestEnvironment>();
    env_->watchdog().allowModal(QStringLiteral("frmPeriodConfigDialog"));
    owner_ = std::make_unique<QWidget>();
    owner_->setGeometry(400, 60, 300, 400);
    owner_->show();
}

void PeriodsDialogTest::cleanup() {
    QCOMPARE(env_->watchdog().seen().size(), 0);
    owner_.reset();
    env_.reset();
}

void PeriodsDialogTest::widgetsSitWhereDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<QString>("text");
    using platform::twipsRect;
    QTest::newRow("OKButton") << "OKButton" << twipsRect(600, 4920, 1215, 375) << "OK";
    QTest::newRow("CancelButton") << "CancelButton" << twipsRect(2040, 4920, 1215, 375) << "Cancel";
    for (int i = 1; i <= 12; ++i)
        QTest::newRow(qPrintable(QStringLiteral("INPUT_PERIOD(%1)").arg(i)))
            << boxName(i) << twipsRect(720, 360 * i, 1735, 285) << "period";
}

void PeriodsDialogTest::widgetsSitWhereDesigned() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    QFETCH(QString, text);
    PeriodConfigDialog dialog(owner_.get());
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    auto *widget = dialog.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), pixels);
    QVERIFY(widget->isEnabled());
    QCOMPARE(widget->font(), platform::designFont());
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QCOMPARE(button->text(), text);
    } else {
        auto *box = qobject_cast<QLineEdit *>(widget);
        QVERIFY(box);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
}

// The window holds exactly the widgets of its layout table, one per row.
void PeriodsDialogTest::everyWidgetComesFromTheLayoutTable() {
    PeriodConfigDialog dialog(owner_.get());
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    QStringList names;
    for (const QWidget *child : dialog.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        names << child->objectName();
    QStringList tableNames;
    for (const period_dialog_layout::WidgetRow &row : period_dialog_layout::kWidgets)
        tableNames << QString::fromUtf8(row.name);
    names.sort();
    tableNames.sort();
    QCOMPARE(names, tableNames);
}

// Not centred on its owner: the client area at 2760, 3750 twips from the screen's corner.
void PeriodsDialogTest::windowOpensAtItsFixedPlace() {
    QRect shownAt;
    QString title;
    Qt::WindowFlags flags;
    QStringList defaultButtons;
    QVERIFY(runModal(new PeriodConfigDialog(owner_.get()), owner_.get(),
                     [&](PeriodConfigDialog *dialog) {
                         for (const QPushButton *button : dialog->findChildren<QPushButton *>()) {
                             if (button->isDefault())
                                 defaultButtons << button->objectName();
                         }
                         shownAt = dialog->geometry();
                         title = dialog->windowTitle();
                         flags = dialog->windowFlags();
                         dialog->close();
                     }));
    const QPoint screenCorner = owner_->screen()->geometry().topLeft();
    QCOMPARE(shownAt, QRect(screenCorner + platform::twipsPoint(2760, 3750),
                            platform::twipsSize(3855, 7590)));
    QCOMPARE(title, QStringLiteral("Dialog Caption"));
    // Neither button is the default one, so none is drawn as such.
    QCOMPARE(defaultButtons, QStringList());
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void PeriodsDialogTest::tabWalksButtonsThenBoxes() {
    QStringList walked;
    QVERIFY(runModal(new PeriodConfigDialog(owner_.get()), owner_.get(),
                     [&walked](PeriodConfigDialog *dialog) {
                         walked << QApplication::focusWidget()->objectName();
                         for (int step = 0; step < 14; ++step) {
                             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                             walked << QApplication::focusWidget()->objectName();
                         }
                         dialog->close();
                     }));
    QStringList expected{QStringLiteral("OKButton"), QStringLiteral("CancelButton")};
    for (int i = 1; i <= 12; ++i)
        expected << boxName(i);
    expected << QStringLiteral("OKButton");
    QCOMPARE(walked, expected);
}

void PeriodsDialogTest::pressesChangeNothingAndLeaveItOpen_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key"); // 0: a mouse click
    QTest::addColumn<int>("okClicks");
    QTest::addColumn<int>("cancelClicks");
    QTest::newRow("click OK") << "OKButton" << 0 << 1 << 0;
    QTest::newRow("click Cancel") << "CancelButton" << 0 << 0 << 1;
    QTest::newRow("Return on OK presses OK") << "OKButton" << int(Qt::Key_Return) << 1 << 0;
    QTest::newRow("Space on Cancel presses Cancel")
        << "CancelButton" << int(Qt::Key_Space) << 0 << 1;
    QTest::newRow("Escape on Cancel") << "CancelButton" << int(Qt::Key_Escape) << 0 << 0;
    QTest::newRow("Return in a box presses no button")
        << boxName(3) << int(Qt::Key_Return) << 0 << 0;
    QTest::newRow("Enter in a box presses no button")
        << boxName(12) << int(Qt::Key_Enter) << 0 << 0;
    QTest::newRow("Escape in a box") << boxName(1) << int(Qt::Key_Escape) << 0 << 0;
}

// State: "Lunch" typed into box 1. Action: the press. Expected: still open, the same texts,
// the pressed button clicked and nothing else; the settings file untouched, also after closing.
void PeriodsDialogTest::pressesChangeNothingAndLeaveItOpen() {
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(int, okClicks);
    QFETCH(int, cancelClicks);
    env_->writeSettingsFile(kSettings);
    const QDir directory(env_->directory());
    const QStringList filesBefore = directory.entryList(QDir::Files | QDir::Hidden);
    const QDateTime modified = QFileInfo(env_->settingsFilePath()).lastModified();

    bool openAfter = false;
    QStringList textsAfter;
    int okCount = -1;
    int cancelCount = -1;
    QPointer<PeriodConfigDialog> dialog = new PeriodConfigDialog(owner_.get());
    QVERIFY(runModal(dialog, owner_.get(), [&](PeriodConfigDialog *shown) {
        QSignalSpy okSpy(shown->findChild<QPushButton *>(QStringLiteral("OKButton")),
                         &QPushButton::clicked);
        QSignalSpy cancelSpy(shown->findChild<QPushButton *>(QStringLiteral("CancelButton")),
                             &QPushButton::clicked);
        auto *first = shown->findChild<QLineEdit *>(boxName(1));
        first->selectAll();
        QTest::keyClicks(first, QStringLiteral("Lunch"));

        auto *widget = shown->findChild<QWidget *>(target);
        widget->setFocus(Qt::TabFocusReason);
        if (key == 0)
            QTest::mouseClick(widget, Qt::LeftButton);
        else
            QTest::keyClick(widget, Qt::Key(key));
        QCoreApplication::processEvents();

        openAfter = shown->isVisible();
        textsAfter = boxTexts(shown);
        okCount = okSpy.count();
        cancelCount = cancelSpy.count();
        shown->close();
    }));
    QVERIFY(openAfter);
    QStringList expected = kTwelvePeriods;
    expected[0] = QStringLiteral("Lunch");
    QCOMPARE(textsAfter, expected);
    QCOMPARE(okCount, okClicks);
    QCOMPARE(cancelCount, cancelClicks);
    QVERIFY(dialog.isNull());
    QCOMPARE(env_->readSettingsFile(), kSettings);
    QCOMPARE(QFileInfo(env_->settingsFilePath()).lastModified(), modified);
    QCOMPARE(directory.entryList(QDir::Files | QDir::Hidden), filesBefore);
}

void PeriodsDialogTest::typedTextIsGoneAfterClosing() {
    QList<QStringList> openings;
    for (int opening = 0; opening < 2; ++opening) {
        QPointer<PeriodConfigDialog> dialog = new PeriodConfigDialog(owner_.get());
        QVERIFY(runModal(dialog, owner_.get(), [&openings](PeriodConfigDialog *shown) {
            openings << boxTexts(shown);
            for (const int i : {1, 7, 12}) {
                auto *box = shown->findChild<QLineEdit *>(boxName(i));
                box->setFocus(Qt::TabFocusReason);
                QTest::keyClick(box, Qt::Key_End);
                QTest::keyClicks(box, QStringLiteral(" typed"));
            }
            shown->close();
        }));
        QVERIFY(dialog.isNull());
    }
    QCOMPARE(openings.size(), 2);
    QCOMPARE(openings[0], kTwelvePeriods);
    QCOMPARE(openings[1], kTwelvePeriods);
}

QTEST_MAIN(PeriodsDialogTest)
#include "periods_dialog_test.moc"
