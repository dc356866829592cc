#include "platform/app_info.h"
#include "resources/app_icon.h"
#include "termination_signals.h"
#include "ui/main_window/main_window.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(platform::applicationTitle());
    QApplication::setWindowIcon(applicationIcon());
    // Lets the desktop match the window to the menu entry that add-to-menu.sh installs.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.norvalis.Norvalis"));

    // Runs Form_Load; the window registers itself as the first loaded window.
    MainWindow window;
    const TerminationSignals sessionEnd(&window);
    window.show();
    return QApplication::exec();
}
