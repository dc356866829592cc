// The periods dialog driven with real key events over a real settings file, shown over an
// owner.

#include "platform/fonts.h"
#include "platform/twips.h"
#include "tests/periods_dialog/period_boxes.h"
#include "tests/support/test_environment.h"
#include "ui/dialogs/period_config_dialog.h"
#include "ui/dialogs/period_dialog_layout.h"
#include "ui/widget_table/widget_builder.h"

#include <QtTest>
#include <QtWidgets>
#include <optional>

namespace {

// Breakfast, Lunch and Dinner with their tables, a comment in Lunch's, and a stale P_4
// beyond the count.
const QByteArray kMeals = "[Period]\r\nP_1=Breakfast\r\nP_2=Lunch\r\nP_3=Dinner\r\n\r\n"
                          "[Breakfast]\r\nCD_1=10\r\n\r\n"
                          "[Lunch]\r\n; from the clinic\r\nCD_1=12\r\nBS_1=150,1\r\n\r\n"
                          "[Dinner]\r\nCD_1=8\r\n";

using periodstest::boxName;
using periodstest::boxTexts;

} // namespace

class PeriodsDialogTest : public QObject {
    Q_OBJECT
    std::optional<testsupport::TestEnvironment> env_;
    QWidget owner_;
    QStringList stored_; // what periodsStored reported, as "from>to"
    bool storedSignal_ = false;

    // A new dialog over this settings file, shown over the owner and active.
    QPointer<PeriodConfigDialog> openDialog(const QByteArray &file = kMeals) {
        env_->writeSettingsFile(file);
        auto *dialog = new PeriodConfigDialog(&owner_);
        connect(dialog, &PeriodConfigDialog::periodsStored, this,
                [this](const QList<periods::Rename> &renames) {
                    storedSignal_ = true;
                    for (const periods::Rename &rename : renames)
                        stored_ << rename.from + '>' + rename.to;
                });
        dialog->show();
        return QTest::qWaitForWindowActive(dialog) ? dialog : nullptr;
    }
    QLineEdit *box(QDialog *dialog, int index) {
        return dialog->findChild<QLineEdit *>(boxName(index));
    }
    void retype(QDialog *dialog, int index, const QString &text) {
        box(dialog, index)->selectAll();
        QTest::keyClick(box(dialog, index), Qt::Key_Delete);
        QTest::keyClicks(box(dialog, index), text);
    }

private slots:
    void initTestCase() { owner_.show(); }
    void init() {
        env_.emplace();
        stored_.clear();
        storedSignal_ = false;
    }
    void cleanup() {
        qDeleteAll(owner_.findChildren<PeriodConfigDialog *>());
        // Nothing but the settings file is ever left beside it.
        QCOMPARE(QDir(env_->directory()).entryList(QDir::Files), QStringList{"Norvalis.ini"});
        env_.reset();
    }

    // Exactly the widgets of the layout table, each where the table puts it, in the design
    // font; each box named for a screen reader. Not centred on its owner: a fixed place and
    // size from the screen's corner. Tab walks the buttons, then the boxes from the top, then
    // comes back round.
    void laidOutAndWalkedAsDesigned() {
        QPointer<PeriodConfigDialog> dialog = openDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly).size(),
                 qsizetype(period_dialog_layout::kWidgets.size()));
        for (const widget_table::WidgetRow &row : period_dialog_layout::kWidgets) {
            const QString name = widget_table::objectNameOf(row);
            auto *widget = dialog->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
            QVERIFY2(widget, qPrintable(name));
            QCOMPARE(widget->geometry(),
                     platform::twipsRect(row.left, row.top, row.width, row.height));
            QCOMPARE(widget->font(), platform::designFont());
        }
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Configure Periods"));
        // The dialog opens in box 1, ready for typing; Tab goes on to OK and Cancel.
        QStringList walked, expected;
        for (int i = 1; i <= 12; ++i) {
            QCOMPARE(QAccessible::queryAccessibleInterface(box(dialog, i))->text(QAccessible::Name),
                     QStringLiteral("Period %1").arg(i));
            expected << boxName(i);
        }
        const QPoint corner = owner_.screen()->geometry().topLeft();
        QCOMPARE(dialog->geometry(),
                 QRect(corner + platform::twipsPoint(2760, 3750), platform::twipsSize(3855, 7590)));
        for (int step = 0; step < 15; ++step) {
            walked << dialog->focusWidget()->objectName();
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(walked, expected << "OKButton"
                                  << "CancelButton" << boxName(1));
    }

    // The boxes show the list as the file holds it now, not as it was when the program started.
    void boxesOpenWithTheListInTheFile() {
        QPointer<PeriodConfigDialog> dialog = openDialog();
        QVERIFY(dialog);
        QCOMPARE(boxTexts(dialog), QStringLiteral("Breakfast|Lunch|Dinner"));
        dialog->close();
        dialog = openDialog(QByteArray(kMeals).replace("P_3=Dinner", "P_3=Supper"));
        QCOMPARE(boxTexts(dialog), QStringLiteral("Breakfast|Lunch|Supper"));
    }

    void endsAndStores_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("typed"); // box texts; "-" keeps the box as it opened
        QTest::addColumn<QString>("target");    // the widget the key goes to
        QTest::addColumn<QString>("keys");      // "click" for the mouse, "close" for the close box
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("renames");
        const QStringList supper{"-", "-", "Supper"};
        const QByteArray supperFile = QByteArray(kMeals).replace("Dinner", "Supper");
        const QString ok = "OKButton";
        const QStringList renamed{"Dinner>Supper"};
        // clang-format off
        QTest::newRow("Enter in a box presses OK")        << kMeals << supper << boxName(3) << "Return" << supperFile << renamed;
        QTest::newRow("keypad Enter in a box presses OK") << kMeals << supper << boxName(1) << "Num+Enter" << supperFile << renamed;
        QTest::newRow("Space on OK")                      << kMeals << supper << ok << "Space" << supperFile << renamed;
        QTest::newRow("Enter on Cancel presses Cancel")   << kMeals << supper << "CancelButton" << "Return" << kMeals << QStringList{};
        QTest::newRow("Escape in a box cancels")          << kMeals << supper << boxName(2) << "Esc" << kMeals << QStringList{};
        QTest::newRow("close box cancels")                << kMeals << supper << boxName(2) << "close" << kMeals << QStringList{};
        QTest::newRow("renamed: its tables and comment go with it")
            << kMeals << QStringList{"-", "Midday"} << ok << "click"
            << QByteArray(kMeals).replace("Lunch", "Midday") << QStringList{"Lunch>Midday"};
        QTest::newRow("removed: the list closes up, the section stays")
            << kMeals << QStringList{"-", ""} << ok << "click"
            << QByteArray(kMeals).replace("P_2=Lunch\r\nP_3=Dinner\r\n", "P_2=Dinner\r\n") << QStringList{};
        QTest::newRow("trimmed and added at the end")
            << kMeals << QStringList{"-", "-", "-", "  Night  "} << ok << "click"
            << QByteArray(kMeals).replace("P_3=Dinner\r\n", "P_3=Dinner\r\nP_4=Night\r\n") << QStringList{};
        QTest::newRow("a stale entry above the count is removed")
            << QByteArray(kMeals).replace("P_3=Dinner\r\n", "P_3=Dinner\r\nP_5=Old\r\n") << QStringList{} << ok << "click"
            << kMeals << QStringList{};
        QTest::newRow("a first period into an empty file")
            << QByteArray("") << QStringList{"Breakfast"} << ok << "click"
            << QByteArray("[Period]\nP_1=Breakfast\n") << QStringList{};
        // clang-format on
    }

    // State: the boxes retyped. Action: the key, the click or the close box. Expected: the
    // dialog closes; the file holds the new list, announced with its renames, only when OK was
    // pressed, and is untouched otherwise.
    void endsAndStores() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, typed);
        QFETCH(QString, target);
        QFETCH(QString, keys);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, renames);
        QPointer<PeriodConfigDialog> dialog = openDialog(file);
        QVERIFY(dialog);
        for (qsizetype i = 0; i < typed.size(); ++i)
            if (typed[i] != "-")
                retype(dialog, int(i) + 1, typed[i]);
        dialog->findChild<QWidget *>(target)->setFocus();
        if (keys == "close")
            dialog->windowHandle()->close();
        else if (keys == "click")
            QTest::mouseClick(dialog->focusWidget(), Qt::LeftButton);
        else
            QTest::keySequence(dialog->focusWidget(), QKeySequence(keys));
        QTRY_VERIFY(dialog.isNull() || !dialog->isVisible());
        QCOMPARE(env_->readSettingsFile(), after);
        QCOMPARE(storedSignal_, after != file);
        QCOMPARE(stored_, renames);
        QCOMPARE(env_->watchdog().seen().size(), 0);
    }

    // State: a file with no periods. Action: names typed straight away, Tab between them, then
    // Enter. Expected: every name stored, in order (the dialog opens with the focus in box 1).
    void namesTypedAtOnceAreAllStored() {
        QPointer<PeriodConfigDialog> dialog = openDialog("[Period]\n");
        QVERIFY(dialog);
        QCOMPARE(dialog->focusWidget(), box(dialog, 1));
        for (const char *name : {"Breakfast", "Lunch", "Dinner"}) {
            QTest::keyClicks(dialog->focusWidget(), name);
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(dialog.isNull() || !dialog->isVisible());
        QCOMPARE(env_->readSettingsFile(),
                 QByteArray("[Period]\nP_1=Breakfast\nP_2=Lunch\nP_3=Dinner\n"));
    }

    // State: box 3 retyped to the name in box 2 in capitals. Expected: a message naming the box,
    // the file untouched, the dialog still open with the edits and the focus on that box.
    void refusalWritesNothing() {
        QPointer<PeriodConfigDialog> dialog = openDialog();
        QVERIFY(dialog);
        retype(dialog, 3, "LUNCH");
        QTest::mouseClick(dialog->findChild<QPushButton *>("OKButton"), Qt::LeftButton);
        QTRY_COMPARE(env_->watchdog().seen().size(), 1);
        QVERIFY2(env_->watchdog().seen()[0].text.contains("Period 3"),
                 qPrintable(env_->watchdog().seen()[0].text));
        QVERIFY(dialog && dialog->isVisible() && box(dialog, 3)->text() == "LUNCH");
        QTRY_COMPARE(dialog->focusWidget(), box(dialog, 3));
        QCOMPARE(env_->readSettingsFile(), kMeals);
        QVERIFY(!storedSignal_);
    }

    void renameOntoExistingTablesAsks_data() {
        QTest::addColumn<bool>("useThem");
        QTest::newRow("use the existing tables") << true;
        QTest::newRow("cancel") << false;
    }

    // State: [Tea] has tables but is not listed. Action: Lunch renamed to Tea. Expected: asked;
    // using Tea's tables lists Tea and keeps both sections as they are; cancel writes nothing.
    void renameOntoExistingTablesAsks() {
        QFETCH(bool, useThem);
        const QByteArray file = kMeals + "\r\n[Tea]\r\nCD_1=20\r\n";
        QPointer<PeriodConfigDialog> dialog = openDialog(file);
        QVERIFY(dialog);
        retype(dialog, 2, "Tea");
        QString asked;
        testsupport::whenIdle([&] {
            auto *question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!question)
                return;
            asked = question->text();
            for (QAbstractButton *button : question->buttons()) {
                const bool use = question->buttonRole(button) == QMessageBox::AcceptRole;
                if (use == useThem)
                    return button->click();
            }
        });
        QTest::mouseClick(dialog->findChild<QPushButton *>("OKButton"), Qt::LeftButton);
        QVERIFY2(asked.contains("\"Tea\""), qPrintable(asked));
        QCOMPARE(env_->watchdog().seen().size(), 0);
        QCOMPARE(env_->readSettingsFile(),
                 useThem ? QByteArray(file).replace("P_2=Lunch", "P_2=Tea") : file);
        QCOMPARE(dialog.isNull() || !dialog->isVisible(), useThem);
        QCOMPARE(stored_, QStringList());
    }
};

QTEST_MAIN(PeriodsDialogTest)
#include "periods_dialog_test.moc"
