#pragma once

#include <QDialog>

class QComboBox;

// "Configure Dosages": edits the three tables of one period (object name frmDosesConfigDialog).
// Construction runs the dialog's load procedure. OK stores and hides; Cancel and the close box
// destroy the dialog (it deletes itself on close).
class DosesConfigDialog : public QDialog {
    Q_OBJECT

public:
    explicit DosesConfigDialog(QWidget *owner);
    ~DosesConfigDialog() override;

    // The dialog's period selector; setting its current index loads and shows that period.
    QComboBox *mealtime() const;

signals:
    // Raised when OK rebuilds the weighting table with a first row: the main window's
    // Lab_cw1 caption ("Weighting if over 50 grams").
    void weightingCaptionChanged(const QString &caption);

private:
    struct Widgets;
    Widgets *w_;
};
