#pragma once

#include "core/file_access.h"
#include "ui/dialogs/period_list_edit.h"
#include "ui/main_window/main_window_layout.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>
#include <string_view>

class AboutBox;
class DoseExtras;
class DosesConfigDialog;
class PeriodConfigDialog;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mainwindow {
class PlacementKeeper;
}

// The program's start-up window (object name frmMain): the period selector, the blood sugar
// and carbohydrate boxes, the doses worked out from them, and the menu. Construction runs
// Form_Load; every way of closing it runs the same shutdown sequence.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The dosages dialog, loaded hidden on the main window's period when first asked for.
    DosesConfigDialog *dosesDialog();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Widgets {
        QComboBox *Mealtime;
        QLineEdit *Blood_Sugar;
        QLineEdit *Carb;
        QPushButton *Exit;
        QLabel *Lab_bs2;
        QLabel *Lab_cd1;
        QLabel *Lab_cd2;
        QLabel *Lab_cd3;
        QLabel *Lab_cw1;
        QLabel *Lab_cw2;
        QLabel *Lab_tot2;
        QLabel *Label1_0; // "Mealtime"
    };

    void buildWindow();
    void connectHandlers();
    void Form_Load();
    void fillMealtime();

    void Mealtime_Click();
    void Mealtime_Activated(int index);
    void Exit_Click();
    void dconfig_Click();
    void pconfig_Click();
    void about_Click();
    void reloadPeriods(const QList<periods::Rename> &renames);
    void contents_Click();

    void loadSelectedPeriod();
    void loadSettings(std::string_view selector, const QByteArray &periodName);
    // Reads the period list, the tables and the options again when the settings file is no
    // longer as this window read it (another copy or an editor wrote it). True when it did.
    bool reloadIfFileChanged();
    void recalculate();
    void showNoPeriodsHint(bool show);
    void updateCommaHint();
    void setWeightingCaption(const QString &caption);
    void setCaption(QLabel *caption, const QString &text, QLabel *figure);
    void buildAccessibility();
    void closeOtherWindows();

    DosesConfigDialog *loadDosesDialog();

    QHash<QString, QWidget *> byName_;
    QHash<mainwindow::MenuCommand, QAction *> commands_;
    Widgets w_{};
    QLabel *commaHint_ = nullptr;
    QRect ratioLineGeometry_; // Lab_cd3 as designed; the no-periods hint takes more room
    // Set while a change of selection is being handled, so that the activation the same
    // choice reports next does not read the file a second time.
    bool selectionJustChanged_ = false;
    // The settings file as the tables in use were read from it, and whether they are being
    // read again just now.
    norvalis::FileFingerprint tablesReadAs_;
    bool reloading_ = false;
    mainwindow::PlacementKeeper *placement_ = nullptr;
    DoseExtras *extras_ = nullptr;
    // Loaded on first use and owned by this window; closing one destroys it, and the next use
    // builds it afresh from its layout.
    QPointer<DosesConfigDialog> dosesDialog_;
    QPointer<PeriodConfigDialog> periodsDialog_;
    QPointer<AboutBox> aboutBox_;
};
