// The periods dialog driven with real key events, shown over an owner.

#include "platform/fonts.h"
#include "platform/twips.h"
#include "tests/support/test_environment.h"
#include "ui/dialogs/period_config_dialog.h"
#include "ui/dialogs/period_dialog_layout.h"
#include "ui/widget_table/widget_builder.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

const QByteArray kSettings = "[Period]\r\nP_1=Breakfast\r\n\r\n[Breakfast]\r\nCD_1=10\r\n";

QString boxName(int index) {
    return QStringLiteral("INPUT_PERIOD_%1").arg(index);
}

QStringList boxTexts(const QDialog *dialog) {
    QStringList texts;
    for (int i = 1; i <= 12; ++i)
        texts << dialog->findChild<QLineEdit *>(boxName(i))->text();
    return texts;
}

// A new dialog shown over owner and active, so that keys go where the focus is.
QPointer<PeriodConfigDialog> openDialog(QWidget *owner) {
    auto *dialog = new PeriodConfigDialog(owner);
    dialog->show();
    return QTest::qWaitForWindowActive(dialog) ? dialog : nullptr;
}

} // namespace

class PeriodsDialogTest : public QObject {
    Q_OBJECT
    testsupport::TestEnvironment env_;
    QWidget owner_;
    QDateTime written_;

private slots:
    void initTestCase() {
        env_.writeSettingsFile(kSettings);
        written_ = QFileInfo(env_.settingsFilePath()).lastModified();
        owner_.show();
    }

    // Whatever a test did, the settings file is never written and no file is added beside it.
    void cleanup() {
        qDeleteAll(owner_.findChildren<PeriodConfigDialog *>());
        QCOMPARE(env_.watchdog().seen().size(), 0);
        QCOMPARE(env_.readSettingsFile(), kSettings);
        QCOMPARE(QFileInfo(env_.settingsFilePath()).lastModified(), written_);
        QCOMPARE(QDir(env_.directory()).entryList(QDir::Files), QStringList{"Norvalis.ini"});
    }

    // Exactly the widgets of the layout table, each where the table puts it, showing its text in
    // the design font.
    void widgetsFollowTheLayoutTable() {
        PeriodConfigDialog dialog(&owner_);
        QCOMPARE(dialog.findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size(),
                 qsizetype(period_dialog_layout::kWidgets.size()));
        for (const widget_table::WidgetRow &row : period_dialog_layout::kWidgets) {
            const QString name = widget_table::objectNameOf(row);
            auto *widget = dialog.findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
            QVERIFY2(widget, qPrintable(name));
            QCOMPARE(widget->geometry(),
                     platform::twipsRect(row.left, row.top, row.width, row.height));
            QCOMPARE(widget->font(), platform::designFont());
            QCOMPARE(widget->property("text").toString(), QString::fromUtf8(row.text));
        }
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog Caption"));
    }

    // Not centred on its owner: a fixed place and size from the screen's corner. Tab walks the
    // buttons, then the boxes from the top, then comes back round.
    void opensAtItsPlaceAndTabWalksButtonsThenBoxes() {
        QPointer<PeriodConfigDialog> dialog = openDialog(&owner_);
        QVERIFY(dialog);
        const QPoint corner = owner_.screen()->geometry().topLeft();
        QCOMPARE(dialog->geometry(),
                 QRect(corner + platform::twipsPoint(2760, 3750), platform::twipsSize(3855, 7590)));
        QStringList walked, expected{"OKButton", "CancelButton"};
        for (int i = 1; i <= 12; ++i)
            expected << boxName(i);
        for (int step = 0; step < 15; ++step) {
            walked << dialog->focusWidget()->objectName();
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(walked, expected << "OKButton");
    }

    void pressesChangeNothingAndLeaveItOpen_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("clicked");
        // clang-format off
        QTest::newRow("Space on OK presses OK") << "OKButton" << "Space" << "OKButton";
        QTest::newRow("Space on Cancel presses Cancel") << "CancelButton" << "Space" << "CancelButton";
        QTest::newRow("Return on OK presses OK") << "OKButton" << "Return" << "OKButton";
        QTest::newRow("Escape on Cancel") << "CancelButton" << "Esc" << "";
        QTest::newRow("Return in a box presses no button") << boxName(3) << "Return" << "";
        QTest::newRow("keypad Enter on Cancel presses Cancel") << "CancelButton" << "Num+Enter" << "CancelButton";
        // clang-format on
    }

    // State: " Lunch" typed after box 1's text. Action: the press. Expected: still open with the
    // same texts, only the pressed button clicked; the next opening shows twelve "period" again.
    void pressesChangeNothingAndLeaveItOpen() {
        QFETCH(QString, target);
        QFETCH(QString, keys);
        QFETCH(QString, clicked);
        QPointer<PeriodConfigDialog> dialog = openDialog(&owner_);
        QVERIFY(dialog);
        QString reported;
        for (QPushButton *button : dialog->findChildren<QPushButton *>())
            connect(button, &QPushButton::clicked, dialog,
                    [&reported, button] { reported += button->objectName(); });
        QTest::keyClicks(dialog->findChild<QLineEdit *>(boxName(1)), " Lunch");
        dialog->findChild<QWidget *>(target)->setFocus();
        QTest::keySequence(dialog->focusWidget(), QKeySequence(keys));
        QVERIFY(dialog->isVisible());
        QCOMPARE(boxTexts(dialog), QStringList{"period Lunch"} + QStringList(11, "period"));
        QCOMPARE(reported, clicked);
        dialog->close();
        QTRY_VERIFY(dialog.isNull());
        dialog = openDialog(&owner_);
        QVERIFY(dialog);
        QCOMPARE(boxTexts(dialog), QStringList(12, "period"));
    }
};

QTEST_MAIN(PeriodsDialogTest)
#include "periods_dialog_test.moc"
