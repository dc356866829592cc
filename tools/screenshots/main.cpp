// Renders every window of the program to PNG files for the README, from the sample settings
// file with an example reading typed in. Usage: norvalis-screenshots SAMPLE_INI OUTPUT_DIR
// (run with QT_QPA_PLATFORM=offscreen; scripts/screenshots.sh does both). The log plugin is
// linked in, so the Log menu, the last recorded line and the log window are all there.

#include "logbook/log_location.h"
#include "logbook/log_store.h"
#include "platform/settings_location.h"
#include "ui/about/about_box.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/dialogs/period_config_dialog.h"
#include "ui/main_window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

bool save(QWidget *window, const QString &path) {
    window->show();
    QApplication::processEvents();
    const bool ok = window->grab().save(path);
    QTextStream(ok ? stdout : stderr) << (ok ? "wrote " : "cannot write ") << path << '\n';
    return ok;
}

// Three meals a day over the last four weeks, the same every run apart from the dates.
bool fillSampleLogbook(const QString &path) {
    struct Meal {
        const char *period;
        QTime at;
        double carbs;
        double gramsPerUnit;
    };
    const Meal meals[] = {{"Breakfast", QTime(7, 15), 45, 10},
                          {"Lunch", QTime(12, 45), 75, 12},
                          {"Supper", QTime(19, 10), 60, 12}};
    const double readings[] = {112, 167, 191, 96, 223, 140, 131, 205, 118, 160, 176, 102, 149};
    logbook::LogStore store(path);
    const QDate today = QDate::currentDate();
    int n = 0;
    for (int day = 27; day >= 0; --day) {
        for (const Meal &meal : meals) {
            const QDateTime at(today.addDays(-day), meal.at);
            if (at > QDateTime::currentDateTime())
                continue;
            const double reading = readings[n++ % std::size(readings)];
            const double correction = reading >= 220   ? 3
                                      : reading >= 180 ? 2
                                      : reading >= 140 ? 1
                                                       : 0;
            const double carbDose = meal.carbs / meal.gramsPerUnit;
            logbook::LogEntry entry;
            entry.takenAt = at;
            entry.period = QString::fromLatin1(meal.period);
            entry.bloodSugar = reading;
            entry.bloodSugarText = QString::number(reading);
            entry.carbs = meal.carbs;
            entry.carbText = QString::number(meal.carbs);
            entry.correctionDose = correction > 0 ? QString::number(correction) : QString();
            entry.carbDose = QString::number(carbDose);
            entry.totalDose = QString::number(correction + carbDose);
            entry.taken = correction + carbDose;
            if (!store.add(entry).ok)
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        QTextStream(stderr) << "usage: norvalis-screenshots SAMPLE_INI OUTPUT_DIR\n";
        return 2;
    }
    const QString sample = QString::fromLocal8Bit(argv[1]);
    const QDir output(QString::fromLocal8Bit(argv[2]));

    // A scratch settings file and per-user store, so the user's own are never touched.
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QFile::copy(sample, scratch.filePath("Norvalis.ini")))
        return 1;
    platform::setSettingsDirectoryOverride(scratch.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.filePath("user"));

    bool ok = true;
    MainWindow window;
    window.findChild<QLineEdit *>(QStringLiteral("Blood_Sugar"))->setText(QStringLiteral("190"));
    window.findChild<QLineEdit *>(QStringLiteral("Carb"))->setText(QStringLiteral("75"));
    ok &= save(&window, output.filePath("main-window.png"));

    DosesConfigDialog *doses = window.dosesDialog();
    auto *tabs = doses->findChild<QTabBar *>(QStringLiteral("tbsOptions"));
    const char *pages[] = {"dosages-blood-sugar.png", "dosages-weighting.png",
                           "dosages-carbohydrate.png"};
    for (int tab = 0; tab < 3; ++tab) {
        tabs->setCurrentIndex(tab);
        ok &= save(doses, output.filePath(QLatin1String(pages[tab])));
    }
    doses->hide();

    AboutBox about(&window);
    // The scratch folder's name would change with every run; the picture shows the installed
    // package's per-user file instead.
    about.findChild<QLabel *>(QStringLiteral("lblSettingsFile"))
        ->setText(QStringLiteral("Settings file: /home/you/.config/Norvalis/Norvalis.ini"));
    ok &= save(&about, output.filePath("about.png"));
    about.hide();

    PeriodConfigDialog periods(&window);
    ok &= save(&periods, output.filePath("periods.png"));
    periods.hide();
    window.hide();

    // With a logbook and the options: the pen dose, the maximum and the last recorded dose,
    // then the log window over the same logbook.
    logbook::setLogPathOverride(scratch.filePath("Norvalis-log.sqlite"));
    if (!fillSampleLogbook(logbook::defaultLogPath()))
        return 1;
    {
        QFile withOptions(scratch.filePath("Norvalis.ini"));
        if (!withOptions.open(QIODevice::Append))
            return 1;
        withOptions.write("\n[Options]\nPenStep=0.5\nMaxDose=20\n");
    }
    MainWindow logged;
    logged.findChild<QLineEdit *>(QStringLiteral("Blood_Sugar"))->setText(QStringLiteral("250"));
    logged.findChild<QLineEdit *>(QStringLiteral("Carb"))->setText(QStringLiteral("200"));
    logged.show();
    // The last recorded line is read once the window has been drawn.
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    ok &= save(&logged, output.filePath("main-window-pen-dose-and-maximum.png"));
    logged.menuBar()->findChild<QAction *>(QStringLiteral("showlog"))->trigger();
    if (auto *log = logged.findChild<QWidget *>(QStringLiteral("frmLog"))) {
        log->resize(900, 700);
        ok &= save(log, output.filePath("log-window.png"));
        log->hide();
    } else {
        QTextStream(stderr) << "the log window did not open\n";
        ok = false;
    }
    logged.hide();

    // A first start: no period listed yet.
    QFile empty(scratch.filePath("Norvalis.ini"));
    if (!empty.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    empty.close();
    MainWindow firstStart;
    ok &= save(&firstStart, output.filePath("first-start.png"));

    return ok ? 0 : 1;
}
