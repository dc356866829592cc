// The main window: its widgets and menu against the design table, start-up, the doses
// following every edit and selection, and the menu commands.

#include "tests/main_window/main_window_fixture.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/main_window/layout_builder.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <cmath>

using namespace mainwindow;
using namespace mainwindowtest;

namespace {

// Periods "Period 1" .. "Period <count>"; the first covers 11 grams a unit.
QByteArray numberedPeriods(int count) {
    QByteArray file = "[Period]\n";
    for (int i = 1; i <= count; ++i)
        file += QStringLiteral("P_%1=Period %1\n").arg(i).toUtf8();
    return file + "[Period 1]\nCD_1=11\n";
}

// True when the widget itself, without its children, draws a pixel close to the colour.
bool drawsColour(QWidget *widget, const QColor &colour) {
    QImage image(widget->size(), QImage::Format_RGB32);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
    return std::any_of(pixels, pixels + image.width() * image.height(), [&](QRgb seen) {
        return std::hypot(qRed(seen) - colour.red(), qGreen(seen) - colour.green(),
                          qBlue(seen) - colour.blue()) < 40;
    });
}
} // namespace

class MainWindowTest : public Fixture {
    Q_OBJECT
    QWidget designArea_; // built from the table alone, before any calculation rewrites a caption
    const QHash<QString, QWidget *> design_ = buildWidgets(&designArea_);

private slots:
    void init() { begin(); }
    void cleanup() { end(); }

    void widgetMatchesDesign_data() {
        QTest::addColumn<int>("row");
        for (std::size_t row = 0; row < kMainWindowWidgets.size(); ++row)
            QTest::newRow(qPrintable(objectNameOf(kMainWindowWidgets[row]))) << int(row);
    }

    void widgetMatchesDesign() {
        QFETCH(int, row);
        const widget_table::WidgetRow &entry = kMainWindowWidgets[static_cast<std::size_t>(row)];
        const QString name = objectNameOf(entry);
        QVERIFY(open(kMeals)); // with periods: the ratio line in its designed place
        QWidget *widget = window_->findChild<QWidget *>(name);
        QVERIFY2(widget, "missing from the window");
        // In the order of Kind and Align.
        const char *classes[] = {"QGroupBox", "QLabel", "QLineEdit", "QComboBox", "QPushButton"};
        const char *captions[] = {"title", "text", "text", "currentText", "text"};
        const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
        const QColor colour = entry.colour == Highlight
                                  ? QApplication::palette().color(QPalette::Highlight)
                                  : QColor(entry.colour.rgb);

        QVERIFY(widget->inherits(classes[int(entry.kind)]));
        QCOMPARE(widget->parentWidget(),
                 entry.container.empty() ? window_->centralWidget() : find(entry.container.data()));
        // Twips to pixels at 96 dpi, worked out here rather than through the code under test.
        QCOMPARE(widget->geometry(),
                 QRect(qRound(entry.left / 15.0), qRound(entry.top / 15.0),
                       qRound(entry.width / 15.0), qRound(entry.height / 15.0)));
        QCOMPARE(design_.value(name)->property(captions[int(entry.kind)]).toString(),
                 QString::fromUtf8(entry.text));
        QCOMPARE(widget->font().bold(), entry.font == Bold);
        QCOMPARE(widget->font().pointSizeF(), 8.25);
        if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, alignments[int(entry.align)]);
        QCOMPARE(widget->isHidden(), entry.visible == Hidden);
        // A hint has no text to draw until it is shown.
        if (entry.colour != System && entry.visible == Shown)
            QVERIFY2(drawsColour(widget, colour), "caption not in its colour");
        if (entry.colour != DarkRed)
            QVERIFY2(!drawsColour(widget, QColor(192, 0, 0)), "caption in red");
        if (entry.kind != TextBox && entry.kind != DropDownList)
            QVERIFY2(widget->size().expandedTo(design_.value(name)->minimumSizeHint()) ==
                         widget->size(),
                     "caption cut off");
        // A screen reader names an input box by the label beside it (dose figures are read
        // with their captions: main_window_reading_test).
        if (!entry.labelledBy.empty() && entry.kind == TextBox)
            QCOMPARE(widget->accessibleName(), find<QLabel>(entry.labelledBy.data())->text());
    }

    // Also: the window has a minimise button and no maximise button, and the reading box opens
    // holding "0", which a first reading typed straight away replaces.
    void tabWalksTheFocusOrder() {
        QVERIFY(open(QByteArray()));
        const Qt::WindowFlags buttons = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
        QCOMPARE(window_->windowFlags() & buttons, Qt::WindowFlags(Qt::WindowMinimizeButtonHint));
        QTest::keyClicks(QApplication::focusWidget(), "200");
        QCOMPARE(find<QLineEdit>("Blood_Sugar")->text(), QStringLiteral("200"));
        for (const char *name : {"Blood_Sugar", "Mealtime", "Carb", "Exit", "Blood_Sugar"}) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    }

    void menuMatchesDesign() {
        QVERIFY(open(QByteArray()));
        for (const MenuSpec &entry : kMainMenu) {
            auto *action = find<QAction>(entry.name.data());
            QVERIFY2(action, entry.name.data());
            QCOMPARE(action->text(), QString::fromUtf8(entry.caption));
            QCOMPARE(action->isEnabled(), entry.enabled);
            QWidget *holder = entry.menu.empty() ? window_->menuBar() : find(entry.menu.data());
            QVERIFY(holder->actions().contains(action));
        }
    }

    void startsOnTheFirstPeriod_data() {
        QTest::addColumn<QByteArray>("file"); // null: no file; "/": Norvalis.ini is a folder
        QTest::addColumn<int>("periods");
        QTest::newRow("no settings file") << QByteArray() << 0;
        QTest::newRow("unreadable settings file") << QByteArray("/") << 0;
        QTest::newRow("twelve periods") << numberedPeriods(12) << 12;
        QTest::newRow("a thirteenth period is not read") << numberedPeriods(13) << 12;
    }

    // Expected: the periods in file order, the first selected here and in the hidden dosages
    // dialog, its doses worked out; only an unreadable file is reported, by name.
    void startsOnTheFirstPeriod() {
        QFETCH(QByteArray, file);
        QFETCH(int, periods);
        if (file == "/")
            QVERIFY(QDir().mkpath(env_->settingsFilePath()));
        QVERIFY(open(file == "/" ? QByteArray() : file));
        auto *mealtime = find<QComboBox>("Mealtime");
        QCOMPARE(mealtime->count(), periods);
        for (int i = 0; i < periods; ++i)
            QCOMPARE(mealtime->itemText(i), QStringLiteral("Period %1").arg(i + 1));
        QCOMPARE(mealtime->currentIndex(), periods ? 0 : -1);
        // Start-up loads no other window; the dosages dialog comes hidden, on this period, when
        // first asked for, and leaves this period's tables in use.
        const QList<QWidget *> owned = window_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QVERIFY(std::none_of(owned.begin(), owned.end(), [](const QWidget *child) {
            return child->windowType() == Qt::Window || child->windowType() == Qt::Dialog;
        }));
        QVERIFY(window_->dosesDialog()->isHidden());
        QCOMPARE(window_->dosesDialog()->mealtime()->currentIndex(), mealtime->currentIndex());
        find<QLineEdit>("Carb")->setText(QStringLiteral("22"));
        QCOMPARE(text("Lab_cd2"), QString::fromLatin1(periods ? "2" : ""));
        // Without periods the ratio line tells where to add them.
        QVERIFY(periods ? text("Lab_cd3") == rate("11")
                        : text("Lab_cd3").contains(env_->settingsFilePath()));
        QCOMPARE(env_->watchdog().seen().size(), qsizetype(file == "/"));
        QCOMPARE(env_->watchdog().seen().value(0).text.contains(env_->settingsFilePath()),
                 file == "/");
    }

    void typingRecalculatesAtEveryKey_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QStringList>("doses"); // "carbohydrate dose/total" after each key
        // clang-format off
        QTest::newRow("clearing Carb") << "Carb" << QByteArray("75\b\b") << QStringList{"0.7/0.7", "7.5/8.5", "0.7/0.7", "0/0"};
        QTest::newRow("reading of 190, Carb 75") << "Blood_Sugar" << QByteArray("190") << QStringList{"7.5/8.5", "7.5/8.5", "7.5/10.5"};
        // clang-format on
    }

    void typingRecalculatesAtEveryKey() {
        QFETCH(QString, box);
        QFETCH(QByteArray, keys);
        QFETCH(QStringList, doses);
        QVERIFY(open());
        find<QLineEdit>("Carb")->setText(QStringLiteral("75"));
        find<QLineEdit>(qPrintable(box))->clear();
        for (const char key : keys) {
            QTest::keyClick(find(qPrintable(box)), key);
            QCOMPARE(text("Lab_cd2") + '/' + text("Lab_tot2"), doses.takeFirst());
        }
    }

    // Action: the file is edited while the program runs; the user opens the period list and
    // closes it with Escape, picks the period already shown from it, then Lunch with the arrow
    // key. Expected: every pick reads the tables afresh, without switching away and back.
    void periodListReadsTheFileAfresh() {
        QVERIFY(open());
        env_->writeSettingsFile(
            QByteArray(kMeals).replace("CD_1=10", "CD_1=15").replace("CD_1=12", "CD_1=20"));
        QCOMPARE(text("Lab_cd3"), rate("10"));
        QTest::qWait(1); // the selection made at start-up is over
        auto *mealtime = find<QComboBox>("Mealtime");
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            mealtime->showPopup();
            QTRY_VERIFY(mealtime->view()->isVisible());
            QTest::keyClick(mealtime->view(), key); // Escape closes the list, not the program
            QTRY_VERIFY(!mealtime->view()->isVisible() && window_->isVisible());
        }
        QCOMPARE(text("Lab_cd3"), rate("15"));
        QTest::keyClick(mealtime, Qt::Key_Down);
        QCOMPARE(text("Lab_cd3"), rate("20"));
    }

    void dosesFollowTheOwnPeriodAfterTheDosagesDialog_data() {
        QTest::addColumn<int>("period"); // picked in the dialog before typing 15 grams a unit
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("doses"); // the rate and the dose for 60 grams
        // clang-format off
        QTest::newRow("Cancel after picking Breakfast") << 0 << "cmdCancel" << QStringList{rate("12"), "5"};
        QTest::newRow("OK with a new rate for Lunch") << 1 << "cmdOK" << QStringList{rate("15"), "4"};
        // clang-format on
    }

    // State: Lunch selected, 60 grams typed. Expected: the dialog opens on Lunch, owned by the
    // main window; once it has gone, the doses come from Lunch's tables as the file holds them.
    void dosesFollowTheOwnPeriodAfterTheDosagesDialog() {
        QFETCH(int, period);
        QFETCH(QString, button);
        QFETCH(QStringList, doses);
        env_->watchdog().allowModal(QStringLiteral("frmDosesConfigDialog"));
        QVERIFY(open());
        find<QComboBox>("Mealtime")->setCurrentIndex(1);
        find<QLineEdit>("Carb")->setText(QStringLiteral("60"));
        QString openedOn;
        testsupport::whenIdle([&] {
            auto *dialog = qobject_cast<DosesConfigDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return; // the row fails below; the watchdog closes whatever opened instead
            if (dialog->parentWidget() == window_.get())
                openedOn = dialog->mealtime()->currentText();
            dialog->mealtime()->setCurrentIndex(period);
            dialog->findChild<QLineEdit *>("INPUT_CD_1")->setText("15");
            QTest::mouseClick(dialog->findChild<QPushButton *>(button), Qt::LeftButton);
        });
        find<QAction>("dconfig")->trigger();
        QCOMPARE(openedOn, QStringLiteral("Lunch"));
        QCOMPARE((QStringList{text("Lab_cd3"), text("Lab_cd2")}), doses);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
