#pragma once

#include <QDialog>

class QKeyEvent;

// The periods dialog (object name frmPeriodConfigDialog): twelve boxes and two buttons that
// change nothing. It deletes itself when closed, so each opening starts afresh.
class PeriodConfigDialog : public QDialog {
    Q_OBJECT

public:
    explicit PeriodConfigDialog(QWidget *owner);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
