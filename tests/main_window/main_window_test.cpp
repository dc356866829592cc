// The main window: its widgets and menu against the design table, start-up, the doses
// following every edit and selection, the menu commands, where it opens and what it stores
// when it closes, and the end of a session.

#include "tests/support/test_environment.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/main_window/layout_builder.h"
#include "ui/main_window/main_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <optional>

using namespace mainwindow;

namespace {
// Breakfast: 10 g a unit, correction 140,1 / 180,2, weighting 60,1. Lunch: 12 g a unit.
const QByteArray kMeals = "[Period]\nP_1=Breakfast\nP_2=Lunch\n\n[Breakfast]\nCD_1=10\nBS_1=140,1\n"
                          "BS_2=180,2\nCW_1=60,1\n\n[Lunch]\nCD_1=12\n";
const QStringList kPlacementKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

// Periods "Period 1" .. "Period <count>"; the first covers 11 grams a unit.
QByteArray numberedPeriods(int count) {
    QByteArray file = "[Period]\n";
    for (int i = 1; i <= count; ++i)
        file += QStringLiteral("P_%1=Period %1\n").arg(i).toUtf8();
    return file + "[Period 1]\nCD_1=11\n";
}

QString rate(const QString &grams) {
    return QStringLiteral("1 Unit Insulin per %1 grms Carbohydrate").arg(grams);
}

// Whether a process has a handler for the signal ("SigCgt" in Linux's /proc/<pid>/status).
bool catches(qint64 pid, int signalNumber) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const QByteArray mask = text.mid(text.indexOf("SigCgt:") + 7, 17).trimmed(); // 16 hex digits
    return mask.toULongLong(nullptr, 16) & (1ull << (signalNumber - 1));
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

class MainWindowTest : public QObject {
    Q_OBJECT
    std::optional<testsupport::TestEnvironment> env_;
    std::unique_ptr<MainWindow> window_;
    QWidget designArea_; // built from the table alone, before any calculation rewrites a caption
    const QHash<QString, QWidget *> design_ = buildWidgets(&designArea_);

    // A fresh main window over this settings file (none when null), shown and active.
    bool open(const QByteArray &file = kMeals) {
        if (!file.isNull())
            env_->writeSettingsFile(file);
        window_.reset(new MainWindow);
        window_->show();
        return QTest::qWaitForWindowActive(window_.get());
    }
    template <typename T = QWidget> T *find(const char *name) const {
        return window_->findChild<T *>(name);
    }
    QString text(const char *label) const { return find<QLabel>(label)->text(); }
    // The stored placement, "left top width height" in twips; empty when nothing is stored.
    QString stored() const {
        QStringList texts;
        for (const QString &key : kPlacementKeys)
            texts << env_->userSetting(key);
        return texts.join(' ').trimmed();
    }
    void store(const QString &placement) const {
        const QStringList texts = placement.split(' ', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < texts.size(); ++i)
            env_->setUserSetting(kPlacementKeys[i], texts[i]);
    }

private slots:
    void init() { env_.emplace(); }
    void cleanup() { window_.reset(); }

    void widgetMatchesDesign_data() {
        QTest::addColumn<int>("row");
        for (std::size_t row = 0; row < kMainWindowWidgets.size(); ++row)
            QTest::newRow(qPrintable(objectNameOf(kMainWindowWidgets[row]))) << int(row);
    }

    void widgetMatchesDesign() {
        QFETCH(int, row);
        const widget_table::WidgetRow &entry = kMainWindowWidgets[static_cast<std::size_t>(row)];
        const QString name = objectNameOf(entry);
        QVERIFY(open(QByteArray()));
        QWidget *widget = window_->findChild<QWidget *>(name);
        QVERIFY2(widget, "missing from the window");
        // In the order of Kind and Align.
        const char *classes[] = {"QGroupBox", "QLabel", "QLineEdit", "QComboBox", "QPushButton"};
        const char *captions[] = {"title", "text", "text", "currentText", "text"};
        const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
        const QColor highlight = QApplication::palette().color(QPalette::Highlight);
        const QColor colour = entry.colour == Highlight ? highlight : QColor(entry.colour.rgb);
        const QColor red(192, 0, 0);

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
        if (entry.colour != System)
            QVERIFY2(drawsColour(widget, colour), "caption not in its colour");
        if (entry.colour != DarkRed)
            QVERIFY2(!drawsColour(widget, red), "caption in red");
        if (entry.kind != TextBox && entry.kind != DropDownList)
            QVERIFY2(widget->size().expandedTo(design_.value(name)->minimumSizeHint()) ==
                         widget->size(),
                     "caption cut off");
        // A screen reader names the widget by the label beside it.
        if (!entry.labelledBy.empty())
            QCOMPARE(widget->accessibleName(), find<QLabel>(entry.labelledBy.data())->text());
    }

    // Also: the window has a minimise button and no maximise button.
    void tabWalksTheFocusOrder() {
        QVERIFY(open(QByteArray()));
        const Qt::WindowFlags buttons = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
        QCOMPARE(window_->windowFlags() & buttons, Qt::WindowFlags(Qt::WindowMinimizeButtonHint));
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
        QTest::newRow("one period") << numberedPeriods(1) << 1;
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
        QVERIFY(window_->dosesDialog()->isHidden());
        QCOMPARE(window_->dosesDialog()->mealtime()->currentIndex(), mealtime->currentIndex());
        QCOMPARE(text("Lab_cd3"), rate(periods ? "11" : ""));
        QCOMPARE(env_->watchdog().seen().size(), qsizetype(file == "/"));
        QCOMPARE(env_->watchdog().seen().value(0).text.contains(env_->settingsFilePath()),
                 file == "/");
    }

    void typingRecalculatesAtEveryKey_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QStringList>("doses"); // "carbohydrate dose/total" after each key
        // clang-format off
        QTest::newRow("4 then 5 into empty Carb") << "Carb" << QByteArray("45") << QStringList{"0.4/0.4", "4.5/4.5"};
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

    // The box opens holding "0": a first reading typed straight away replaces it.
    void firstReadingReplacesTheInitialZero() {
        QVERIFY(open());
        QTest::keyClicks(QApplication::focusWidget(), "200");
        QCOMPARE(find<QLineEdit>("Blood_Sugar")->text(), QStringLiteral("200"));
    }

    // Action: the file changes while the program runs; the user opens the period list and
    // closes it with Escape, then picks Lunch and Breakfast again with the arrow keys.
    void periodListReadsTheFileAfresh() {
        QVERIFY(open());
        // The weighting dose is named by its caption as the calculation rewrote it.
        QCOMPARE(find("Lab_cw2")->accessibleName(), QStringLiteral("Weighting if over 60 grams"));
        env_->writeSettingsFile(
            QByteArray(kMeals).replace("CD_1=10", "CD_1=15").replace("CD_1=12", "CD_1=20"));
        auto *mealtime = find<QComboBox>("Mealtime");
        mealtime->showPopup();
        QTRY_VERIFY(mealtime->view()->isVisible());
        QTest::keyClick(mealtime->view(), Qt::Key_Escape); // closes the list, not the program
        QTRY_VERIFY(!mealtime->view()->isVisible() && window_->isVisible());
        QTest::keyClick(mealtime, Qt::Key_Down);
        QCOMPARE(text("Lab_cd3"), rate("20"));
        QTest::keyClick(mealtime, Qt::Key_Up);
        QCOMPARE(text("Lab_cd3"), rate("15"));
    }

    void contentsExplainsThereIsNoHelp() {
        QVERIFY(open());
        find<QAction>("contents")->setEnabled(true); // nothing enables it; its handler still works
        find<QAction>("contents")->trigger();
        const testsupport::SeenMessageBox box = env_->watchdog().seen().value(0);
        QCOMPARE(box.title + ": " + box.text,
                 QStringLiteral("Norvalis: Unable to display Help Contents. There is no Help "
                                "associated with this project."));
        QVERIFY(box.informationIcon);
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

    void everyWayOfClosingStoresThePlacement_data() {
        QTest::addColumn<QString>("how"); // Exit, Escape in a widget, the title bar's close
        QTest::addColumn<QString>("after");
        const QString moved = "1650 1500 5000 6001";
        QTest::newRow("Exit clicked") << "Exit" << moved;
        QTest::newRow("Escape in Blood_Sugar") << "Blood_Sugar" << moved;
        QTest::newRow("Escape in Mealtime") << "Mealtime" << moved;
        QTest::newRow("title-bar close") << "title bar" << moved;
        QTest::newRow("closed while minimised")
            << "minimised" << QStringLiteral("1500 1200 5000 6001");
    }

    // State: a stored placement, a window loaded after the dosages dialog; the user moves the
    // main window 10 right and 20 down. Expected: the other windows unloaded newest first, the
    // new position stored, the size exactly as it was stored (no pixel rounding).
    void everyWayOfClosingStoresThePlacement() {
        QFETCH(QString, how);
        QFETCH(QString, after);
        store("1500 1200 5000 6001");
        QVERIFY(open());
        QStringList unloaded;
        auto *later = new QWidget(window_.get(), Qt::Window);
        platform::LoadedWindows::add(later);
        connect(later, &QObject::destroyed, this, [&] { unloaded << "later"; });
        connect(window_->dosesDialog(), &QObject::destroyed, this, [&] { unloaded << "dosages"; });
        window_->move(window_->pos() + QPoint(10, 20));
        if (how == "minimised")
            window_->showMinimized();
        if (how == "Exit")
            QTest::mouseClick(find<QPushButton>("Exit"), Qt::LeftButton);
        else if (how == "title bar" || how == "minimised")
            window_->windowHandle()->close();
        else
            QTest::keyClick(find(qPrintable(how)), Qt::Key_Escape);
        QTRY_COMPARE(unloaded, (QStringList{"later", "dosages"}));
        QCOMPARE(stored(), after);
    }

    void unmovedWindowStoresWhatItRead_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QRect>("frame");   // where the window opens; not checked when null
        QTest::addColumn<QString>("after"); // what every close stores
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect home(67, 67, 433, 433); // the defaults in pixels
        // clang-format off
        QTest::newRow("first run") << "" << home << "1000 1000 6500 6500";
        QTest::newRow("fractions of a pixel") << "1234.5 987.25 5000.1 4321.9" << QRect(82, 66, 333, 288) << "1234.5 987.25 5000.1 4321.9";
        QTest::newRow("partly left of the screen") << "-1507 22 6499 3001" << QRect() << "-1507 22 6499 3001";
        QTest::newRow("number followed by letters") << "1000 1000 5000px 6500" << home << "1000 1000 6500 6500";
        QTest::newRow("not a number") << "nan 1000 6500 6500" << home << "1000 1000 6500 6500";
        QTest::newRow("beyond single precision") << "1000 1000 6500 1e39" << home << "1000 1000 6500 6500";
        QTest::newRow("far beyond any screen") << "1e12 1000 6500 6500" << home << "1000 1000 6500 6500";
        QTest::newRow("zero width") << "1000 1000 0 6500" << home << "1000 1000 6500 6500";
        QTest::newRow("exponent form") << "1000 1000 4.5e3 6500" << QRect(67, 67, 300, 433) << "1000 1000 4500 6500";
        QTest::newRow("off every screen to the left") << "-150000 1000 6500 6500" << QRect(area.left(), 67, 433, 433) << QString::number(area.left() * 15) + " 1000 6500 6500";
        QTest::newRow("just past the right edge") << QString::number(QGuiApplication::primaryScreen()->geometry().right() * 15 + 15) + " 1000 3000 3000" << QRect(area.right() - 199, 67, 200, 200) << QString::number((area.right() - 199) * 15) + " 1000 3000 3000";
        // clang-format on
    }

    // Expected: run after run, the window opens on the same frame and stores the same values,
    // replacing the stored ones only when it closes.
    void unmovedWindowStoresWhatItRead() {
        QFETCH(QString, before);
        QFETCH(QRect, frame);
        QFETCH(QString, after);
        store(before);
        for (int run = 1; run <= 3; ++run) {
            QVERIFY(open(QByteArray()));
            QVERIFY(frame.isNull() || window_->frameGeometry() == frame);
            QCOMPARE(stored(), run == 1 ? before : after);
            window_->close();
            QCOMPARE(stored(), after);
        }
    }

    void sessionEndClosesLikeExit_data() {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("session end (SIGTERM)") << int(SIGTERM);
        QTest::newRow("interrupt (SIGINT)") << int(SIGINT);
    }

    // The built program, ended by a signal, stores its placement and exits with status 0.
    void sessionEndClosesLikeExit() {
        QFETCH(int, signalNumber);
        QProcess norvalis;
        // The program's per-user store is then the one this test reads.
        norvalis.setEnvironment(QProcess::systemEnvironment()
                                << "XDG_CONFIG_HOME=" + env_->directory() + "/user"
                                << "QT_LOGGING_RULES=norvalis.*=true");
        norvalis.start(QStringLiteral(NORVALIS_EXECUTABLE), {});
        QVERIFY(norvalis.waitForStarted());
        // Its handler is installed once Form_Load has run.
        QTRY_VERIFY_WITH_TIMEOUT(catches(norvalis.processId(), signalNumber), 20000);
        QCOMPARE(::kill(static_cast<pid_t>(norvalis.processId()), signalNumber), 0);
        QVERIFY(norvalis.waitForFinished(20000));
        QVERIFY(norvalis.exitStatus() == QProcess::NormalExit && norvalis.exitCode() == 0);
        // Its start-up log names the settings file it read: the one beside the program.
        const QString settingsFile = QFileInfo(NORVALIS_EXECUTABLE).dir().filePath("Norvalis.ini");
        QVERIFY(norvalis.readAllStandardError().contains(settingsFile.toUtf8()));
        QCOMPARE(stored(), QStringLiteral("1000 1000 6500 6500"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
