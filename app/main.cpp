#include "command_line.h"
#include "platform/app_info.h"
#include "resources/app_icon.h"
#include "startup_style.h"
#include "termination_signals.h"
#include "ui/main_window/main_window.h"

#include <QApplication>
#include <QTimer>
#include <cstdlib>

int main(int argc, char *argv[]) {
    // Answered before the window system is needed: --help and --version need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const std::optional<int> status = commandline::handle(arguments))
        return *status;

    QApplication app(argc, argv);
    // The same style as before (the desktop's, or the one asked for with -style), with the
    // menu bar's overflow arrows read only when they are first shown.
    QApplication::setStyle(new StartupStyle(QApplication::style()->name()));
    QApplication::setApplicationName(platform::applicationTitle());
    QApplication::setWindowIcon(applicationIcon());
    // Lets the desktop match the window to the menu entry that add-to-menu.sh installs.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.norvalis.Norvalis"));

    // Runs Form_Load; the window registers itself as the first loaded window.
    MainWindow window;
    const TerminationSignals sessionEnd(&window);
    window.show();
    // benchmarks/measure-startup.sh times the start-up up to the first shown window; what
    // the program does when it closes is not part of that.
    if (qEnvironmentVariableIsSet("NORVALIS_QUIT_AFTER_SHOW"))
        QTimer::singleShot(0, &app, [] { std::_Exit(0); });
    return QApplication::exec();
}
