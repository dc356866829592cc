// Renders every window of the program to PNG files for the README, from the sample settings
// file with an example reading typed in. Usage: norvalis-screenshots SAMPLE_INI OUTPUT_DIR
// (run with QT_QPA_PLATFORM=offscreen; scripts/screenshots.sh does both).

#include "platform/settings_location.h"
#include "ui/about/about_box.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/dialogs/period_config_dialog.h"
#include "ui/main_window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
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
    ok &= save(&about, output.filePath("about.png"));
    about.hide();

    PeriodConfigDialog periods(&window);
    ok &= save(&periods, output.filePath("periods.png"));
    periods.hide();
    window.hide();

    // A first start: no period listed yet.
    QFile empty(scratch.filePath("Norvalis.ini"));
    if (!empty.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    empty.close();
    MainWindow firstStart;
    ok &= save(&firstStart, output.filePath("first-start.png"));

    return ok ? 0 : 1;
}
