#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Closes a window through its ordinary close sequence when the session ends or the user
// interrupts the program (SIGTERM, SIGINT), so that it saves what it saves on any close. The
// signal handler only writes one byte to a socket; the event loop does the rest.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(QWidget *window);
    ~TerminationSignals() override;

private:
    void closeWindow();

    QWidget *window_;
    QSocketNotifier *notifier_ = nullptr;
};
