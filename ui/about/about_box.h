#pragma once

#include <QDialog>

// "About Norvalis" (object name frmAbout). Construction runs its load procedure (title and
// version); it deletes itself when closed, so each opening starts afresh.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget *owner);
};
