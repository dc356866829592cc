#pragma once

#include "core/file_access.h"
#include "ui/dialogs/period_list_edit.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;

// The periods dialog (object name frmPeriodConfigDialog): twelve boxes that open with the
// period list from the settings file; OK stores the list, Cancel, Escape and the close box
// leave the file alone. It deletes itself when closed, so each opening starts afresh.
class PeriodConfigDialog : public QDialog {
    Q_OBJECT

public:
    explicit PeriodConfigDialog(QWidget *owner);

signals:
    // The list was stored; a period renamed in the dialog keeps its tables under its new name.
    void periodsStored(const QList<periods::Rename> &renames);

private:
    void fillBoxes();
    QStringList boxTexts() const;
    void OKButton_Click();
    // False when a rename onto a name that already has tables was not confirmed.
    bool confirmRenames(QList<periods::Rename> &renames);
    void refuse(int box, const QString &message);

    QList<QLineEdit *> boxes_;
    QStringList opened_;               // the names the boxes opened with
    norvalis::FileFingerprint readAs_; // the settings file as they were read from it
};
