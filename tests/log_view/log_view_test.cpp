// The log window, the chart and the coloured windows as a person sees them: times in local
// time, entries dated ahead by a wrong clock marked, an empty chart that says so, colours
// that stay readable on a dark palette (and exactly as designed on a light one), and whole
// captions and axis labels at a large desktop font.

#include "logbook/log_store.h"
#include "tests/support/test_environment.h"
#include "tests/support/zone_scope.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/dialogs/doses_layout.h"
#include "ui/log_window/log_chart.h"
#include "ui/log_window/log_features_plugin.h"
#include "ui/log_window/log_table_model.h"
#include "ui/main_window/main_window_layout.h"
#include "ui/readable_colour/readable_colour.h"
#include "ui/widget_table/widget_builder.h"

#include <QAbstractAxis>
#include <QAccessible>
#include <QApplication>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QStyle>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using readable_colour::contrastRatio;

namespace {

// A dark desktop palette like the common ones: light text on near-black, a mid-blue link.
QPalette darkPalette() {
    const QColor text(230, 230, 230);
    const QColor window(45, 45, 48);
    QPalette dark(text, window, QColor(70, 70, 70), QColor(20, 20, 20), QColor(90, 90, 90), text,
                  Qt::white, QColor(30, 30, 30), window);
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    return dark;
}

QPalette lightPalette() {
    return QApplication::style()->standardPalette();
}

logbook::LogEntry entryAt(const QDateTime &at, double taken) {
    logbook::LogEntry entry;
    entry.takenAt = at;
    entry.period = QStringLiteral("Breakfast");
    entry.bloodSugar = 120 + taken;
    entry.taken = taken;
    return entry;
}

QList<logbook::LogEntry> aFewDays() {
    const QDateTime start(QDate(2026, 7, 1), QTime(8, 0));
    QList<logbook::LogEntry> entries;
    for (int i = 3; i >= 0; --i)
        entries.append(entryAt(start.addSecs(i * 20 * 3600), 4 + i));
    return entries; // newest first
}

// The colour of the darkest or lightest pixels the widget itself draws (its title, on a frame):
// those furthest from its window colour.
QColor inkOf(QWidget *widget) {
    QImage image(widget->size(), QImage::Format_RGB32);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    const QColor window = widget->palette().color(QPalette::Window);
    QColor ink = window;
    double furthest = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor seen = image.pixelColor(x, y);
            if (const double ratio = contrastRatio(seen, window); ratio > furthest) {
                furthest = ratio;
                ink = seen;
            }
        }
    }
    return ink;
}

} // namespace

class LogViewTest : public QObject {
    Q_OBJECT
    std::optional<testsupport::TestEnvironment> env_;

private slots:
    void init() { env_.emplace(); }
    void cleanup() {
        QApplication::setPalette(lightPalette());
        QApplication::setFont(QFont());
        env_.reset();
    }

    // State: a dose dated two days ahead by a wrong clock, and one taken an hour ago.
    // Expected: the log table marks the one ahead, and the Last recorded line names the one
    // taken an hour ago; with only the one ahead, the line names that.
    void entryDatedAheadIsMarkedAndPassed() {
        QTemporaryDir dir;
        const QString path = dir.filePath("log.sqlite");
        const QDateTime now = QDateTime::currentDateTime();
        LogFeaturesPlugin plugin;
        {
            logbook::LogStore store(path);
            logbook::LogEntry ahead = entryAt(now.addDays(2), 9);
            QVERIFY(store.add(ahead).ok);
            QVERIFY(plugin.session(path)->lastRecordedLine(now).startsWith(
                "Last recorded: 9 units at "));
            logbook::LogEntry earlier = entryAt(now.addSecs(-3600), 5);
            QVERIFY(store.add(earlier).ok);
        }
        QCOMPARE(plugin.session(path)->lastRecordedLine(now),
                 "Last recorded: 5 units at " + now.addSecs(-3600).toString("HH:mm") +
                     " (1 h 0 min ago)");

        LogTableModel model;
        model.setEntries({entryAt(now.addDays(2), 9), entryAt(now.addSecs(-3600), 5)});
        const QModelIndex ahead = model.index(0, LogTableModel::Time);
        const QModelIndex earlier = model.index(1, LogTableModel::Time);
        QVERIFY2(model.data(ahead).toString().endsWith(" (in the future)"),
                 qPrintable(model.data(ahead).toString()));
        QVERIFY(model.data(ahead, Qt::ToolTipRole).toString().contains("later than now"));
        QVERIFY(model.data(ahead, Qt::FontRole).value<QFont>().italic());
        QCOMPARE(model.data(earlier).toString(), now.addSecs(-3600).toString("yyyy-MM-dd HH:mm"));
        // The time column reads on the clock of the zone the computer is in; the tip keeps the
        // time as recorded.
        const ZoneScope inBerlin("Europe/Berlin");
        const QString tokyo = "2026-01-10T08:00:00+09:00";
        model.setEntries({entryAt(QDateTime::fromString(tokyo, Qt::ISODate), 5)});
        QCOMPARE(model.data(model.index(0, LogTableModel::Time)).toString(), "2026-01-10 00:00");
        QVERIFY(model.data(model.index(0, LogTableModel::Time), Qt::ToolTipRole)
                    .toString()
                    .contains(tokyo));
        QVERIFY(!model.data(earlier, Qt::FontRole).isValid());
    }

    // State: no entries, then some, then none again. Expected: "No entries" in place of axes
    // (no axis at 1970), read out as the chart's description; the axes once there are entries.
    void emptyChartSaysNoEntries() {
        LogChart chart;
        chart.resize(600, 300);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        for (const bool empty : {true, false, true}) {
            chart.setEntries(empty ? QList<logbook::LogEntry>() : aFewDays());
            QCOMPARE(chart.chart()->axes().isEmpty(), empty);
            QCOMPARE(chart.chart()->legend()->isVisible(), !empty);
            QCOMPARE(chart.emptyText() != nullptr, empty);
            QCOMPARE(QAccessible::queryAccessibleInterface(&chart)->text(QAccessible::Description),
                     empty ? "No entries" : "");
            if (empty) {
                // The old axes' labels go with the event loop's next turn.
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                for (const QGraphicsItem *item : chart.scene()->items()) {
                    const auto *label = dynamic_cast<const QGraphicsTextItem *>(item);
                    QVERIFY(!label || !label->isVisible() || label->toPlainText().isEmpty());
                }
                QCOMPARE(chart.emptyText()->text(), "No entries");
                QVERIFY(chart.emptyText()->isVisible());
                // In the middle of the chart, not hidden at an edge.
                const QRectF at = chart.emptyText()->sceneBoundingRect();
                QVERIFY(chart.chart()->geometry().contains(at));
                QVERIFY(qAbs(at.center().x() - chart.chart()->geometry().center().x()) < 2);
            }
        }
    }

    void chartColours_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light palette") << false;
        QTest::newRow("dark palette") << true;
    }
    // The chart takes the palette's colours: no white panel with black labels on a dark desktop.
    void chartColours() {
        QFETCH(bool, dark);
        QApplication::setPalette(dark ? darkPalette() : lightPalette());
        LogChart chart;
        chart.setEntries(aFewDays());
        const QPalette palette = QApplication::palette();
        QCOMPARE(chart.chart()->backgroundBrush().color(), palette.color(QPalette::Base));
        QCOMPARE(chart.chart()->legend()->labelColor(), palette.color(QPalette::Text));
        QCOMPARE(chart.chart()->axes().size(), 3);
        for (QAbstractAxis *axis : chart.chart()->axes()) {
            QCOMPARE(axis->labelsBrush().color(), palette.color(QPalette::Text));
            QCOMPARE(axis->titleBrush().color(), palette.color(QPalette::Text));
        }
        chart.setEntries({});
        QVERIFY(contrastRatio(chart.emptyText()->brush().color(), palette.color(QPalette::Base)) >=
                readable_colour::kLeastTextContrast);
        // A palette that changes while the chart is open reaches it too.
        QApplication::setPalette(dark ? lightPalette() : darkPalette());
        QCoreApplication::processEvents(); // the desktop's change arrives as an event
        chart.setEntries(aFewDays());
        QCOMPARE(chart.chart()->backgroundBrush().color(),
                 QApplication::palette().color(QPalette::Base));
    }

    void designColours_data() {
        QTest::addColumn<bool>("mainWindow"); // else the dosages dialog
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("design");
        QTest::addColumn<QPalette::ColorRole>("background");
        const QColor blue(0, 0, 0xC0);
        const QColor red(192, 0, 0);
        QTest::newRow("weighting page heading") << false << "Label1_47" << blue << QPalette::Window;
        QTest::newRow("weighting page row number")
            << false << "Label1_34" << blue << QPalette::Window;
        QTest::newRow("weighting box") << false << "INPUT_CW_1" << blue << QPalette::Base;
        QTest::newRow("blood sugar page heading")
            << false << "Label1_20" << red << QPalette::Window;
        QTest::newRow("ratio line") << true << "Lab_cd3" << red << QPalette::Window;
        QTest::newRow("decimal comma hint") << true << "Comma_Hint" << red << QPalette::Window;
    }
    // Light palette: the design's colour, exactly. Dark palette: at least 4.5:1 against what is
    // behind the text, also after the desktop turns dark while the window is open.
    void designColours() {
        QFETCH(bool, mainWindow);
        QFETCH(QString, name);
        QFETCH(QColor, design);
        QFETCH(QPalette::ColorRole, background);
        for (const bool startDark : {false, true}) {
            QApplication::setPalette(startDark ? darkPalette() : lightPalette());
            QWidget window;
            const widget_table::BuiltWidgets built =
                mainWindow ? widget_table::buildWidgets(mainwindow::kMainWindowWidgets, &window)
                           : widget_table::buildWidgets(doses_layout::kLayout, &window);
            QWidget *widget = built.byName.value(name);
            QVERIFY(widget);
            for (const bool dark : {startDark, !startDark}) {
                if (dark != startDark) {
                    QApplication::setPalette(dark ? darkPalette() : lightPalette());
                    QCoreApplication::processEvents();
                }
                const QColor shown = widget->palette().color(
                    background == QPalette::Base ? QPalette::Text : QPalette::WindowText);
                const QColor behind = widget->palette().color(background);
                if (dark) {
                    QVERIFY2(contrastRatio(shown, behind) >= 4.5,
                             qPrintable(QStringLiteral("%1 on %2: %3:1")
                                            .arg(shown.name(), behind.name())
                                            .arg(contrastRatio(shown, behind))));
                } else {
                    QCOMPARE(shown, design);
                }
            }
        }
    }

    void frameTitles_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("olive Input Data") << "Frame1";
        QTest::newRow("highlight Corrections") << "Frame2";
    }
    // A frame's title is drawn by its style: on a dark palette in a colour that reads.
    void frameTitles() {
        QFETCH(QString, name);
        QApplication::setPalette(darkPalette());
        QWidget window;
        const widget_table::BuiltWidgets built =
            widget_table::buildWidgets(mainwindow::kMainWindowWidgets, &window);
        window.resize(400, 500);
        QWidget *frame = built.byName.value(name);
        const QColor ink = inkOf(frame);
        QVERIFY2(contrastRatio(ink, frame->palette().color(QPalette::Window)) >= 4.5,
                 qPrintable(ink.name()));
    }

    // A 14 pt desktop font: every tab caption of the dosages dialog shown whole, and the
    // chart's axis labels not cut to "…".
    void wholeCaptionsAtALargeDesktopFont() {
        QFont large = QApplication::font();
        large.setPointSizeF(14);
        QApplication::setFont(large);
        env_->writeSettingsFile("[Period]\nP_1=Breakfast\n[Breakfast]\nCD_1=10\n");
        DosesConfigDialog dialog(nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *tabs = dialog.findChild<QTabBar *>("tbsOptions");
        QCOMPARE(tabs->count(), 3);
        for (int i = 0; i < tabs->count(); ++i) {
            const int needed = tabs->fontMetrics().horizontalAdvance(tabs->tabText(i));
            QVERIFY2(tabs->tabRect(i).width() >= needed && tabs->rect().contains(tabs->tabRect(i)),
                     qPrintable(tabs->tabText(i)));
        }

        // As wide as the log window opens, and as narrow as a person may make it.
        for (const int width : {820, 600, 420}) {
            LogChart chart;
            chart.resize(width, 300);
            chart.setEntries(aFewDays());
            chart.show();
            QVERIFY(QTest::qWaitForWindowExposed(&chart));
            QCoreApplication::processEvents();
            for (QAbstractAxis *axis : chart.chart()->axes()) {
                QCOMPARE(axis->labelsFont().pointSizeF(), 14.0);
                QVERIFY2(!axis->labelsTruncated(),
                         qPrintable(
                             QStringLiteral("%1 at %2 pixels").arg(axis->titleText()).arg(width)));
            }
        }
    }
};

QTEST_MAIN(LogViewTest)
#include "log_view_test.moc"
