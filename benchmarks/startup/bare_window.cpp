// The floor for start-up: a bare Qt Widgets window, shown, that ends as soon as it is shown.

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(240, 380);
    window.show();
    // Ends once the first show has been handled, as the measured program does.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
