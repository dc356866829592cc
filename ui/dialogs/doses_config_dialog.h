#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QComboBox;

namespace norvalis {
struct DoseSettings;
}

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

    // The dialog's key handler: a virtual key code and a modifier mask (1 Shift, 2 Ctrl,
    // 4 Alt). Ctrl+Tab selects the next tab and Ctrl+Shift+Tab the previous one, wrapping;
    // every other key is left alone.
    void handleDialogKey(int keyCode, int shift);

signals:
    // Raised when OK rebuilds the weighting table with a first row: the main window's
    // Lab_cw1 caption ("Weighting if over 50 grams").
    void weightingCaptionChanged(const QString &caption);

public slots:
    // Escape: the same as Cancel.
    void reject() override;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void Form_Load();
    void Mealtime_Click();
    void tbsOptions_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();
    void Populate();
    std::optional<std::string> Reconfigure(norvalis::DoseSettings &settings) const;

    void loadSelectedPeriod();
    void fitOuterSize();

    struct Widgets;
    Widgets *w_;
};
