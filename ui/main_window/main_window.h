#pragma once

#include "platform/loaded_windows.h"
#include "ui/main_window/main_window_layout.h"

#include <QHash>
#include <QMainWindow>
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

    // The dosages dialog while it is loaded, otherwise null.
    DosesConfigDialog *dosesDialog() const;

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
    };

    void buildWindow();
    void connectHandlers();
    void Form_Load();
    void fillMealtime();

    void Mealtime_Click();
    void Exit_Click();
    void dconfig_Click();
    void pconfig_Click();
    void about_Click();
    void contents_Click();

    void loadSelectedPeriod();
    void loadSettings(std::string_view selector, const QByteArray &periodName);
    void recalculate();
    void setWeightingCaption(const QString &caption);
    void closeOtherWindows();

    DosesConfigDialog *loadDosesDialog();

    QHash<QString, QWidget *> byName_;
    QHash<mainwindow::MenuCommand, QAction *> commands_;
    Widgets w_{};
    mainwindow::PlacementKeeper *placement_ = nullptr;
    DoseExtras *extras_ = nullptr;
    platform::WindowSlot<DosesConfigDialog> dosesDialog_;
    platform::WindowSlot<PeriodConfigDialog> periodsDialog_;
    platform::WindowSlot<AboutBox> aboutBox_;
};
