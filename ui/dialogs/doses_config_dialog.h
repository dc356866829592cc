#pragma once

#include "core/file_access.h"
#include "ui/dialogs/doses_box_texts.h"
#include "ui/dialogs/doses_entry_checks.h"

#include <QDialog>

class QComboBox;

namespace norvalis {
struct DoseSettings;
struct StoreGuard;
} // namespace norvalis

// "Configure Dosages": edits the three tables of one period (object name frmDosesConfigDialog).
// Construction runs the dialog's load procedure. OK stores and hides; Apply stores and stays;
// Cancel and the close box destroy the dialog (it deletes itself on close). Nothing is stored
// that the person did not type: an entry without a number is refused, rows that would be left
// out are named first.
class DosesConfigDialog : public QDialog {
    Q_OBJECT

public:
    explicit DosesConfigDialog(QWidget *owner);
    ~DosesConfigDialog() override;

    // The dialog's period selector; setting its current index loads and shows that period.
    QComboBox *mealtime() const;

signals:
    // The tables are in the settings file: whoever shows doses must read them again.
    void tablesStored();

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
    void tbsOptions_Click(int tab);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();
    void Populate();

    doses_boxes::BoxTexts boxTexts() const;
    bool hasUnsavedEdits() const;
    // Refuses, asks, and stores the boxes under the period at position index of the selector.
    // False when nothing was stored; the boxes then hold the person's edits as they were.
    bool store(int index);
    // Writes the rebuilt tables of period (and, for a file that is gone, the period list
    // first) under guard.
    norvalis::FileResult storeTables(const norvalis::DoseSettings &rebuilt, const QString &period,
                                     bool recreate, norvalis::StoreGuard &guard);
    bool refuseUnreadableBox(const doses_boxes::BoxTexts &texts);
    bool confirmDroppedRows(const doses_boxes::BoxTexts &texts);
    bool confirmFallingLevels(const doses_boxes::BoxTexts &texts);
    // Asks the question with the answers goOn and Go back; on Go back, the focus goes to the
    // box of the page named.
    bool askGoOnOrGoBack(const QString &question, const QString &goOn, doses_checks::Page page,
                         int box);
    void focusBox(int page, QWidget *box);

    void loadSelectedPeriod();
    void nameBoxes();
    void fitOuterSize();

    struct Widgets;
    Widgets *w_;
    int shownPeriod_ = -1;             // the selector position whose tables the boxes hold
    doses_boxes::BoxTexts shown_;      // the boxes as last filled or stored
    norvalis::FileFingerprint readAs_; // the settings file as the boxes' tables came from it
};
