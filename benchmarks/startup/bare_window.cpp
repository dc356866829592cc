// The floor for start-up: a bare Qt Widgets window, shown, that ends as soon as it is shown.
// With --text it also shows one line of text, so that the font set-up every window with
// text pays is in the floor too.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <cstdlib>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(240, 380);
    if (QCoreApplication::arguments().contains(QStringLiteral("--text")))
        window.setCentralWidget(new QLabel(QStringLiteral("Norvalis"), &window));
    window.show();
    // Ends once the first show has been handled, as the measured program does.
    QTimer::singleShot(0, &app, [] { std::_Exit(0); });
    return QApplication::exec();
}
