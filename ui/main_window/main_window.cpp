#include "ui/main_window/main_window.h"

#include "core/dose_calculation.h"
#include "core/dose_settings.h"
#include "core/settings_file.h"
#include "platform/app_info.h"
#include "platform/fonts.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/settings_location.h"
#include "platform/twips.h"
#include "ui/about/about_box.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/dialogs/period_config_dialog.h"
#include "ui/main_window/layout_builder.h"
#include "ui/main_window/startup_log.h"
#include "ui/main_window/window_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace {
using mainwindow::MenuCommand;

const QString kNoHelpMessage = QStringLiteral(
    "Unable to display Help Contents. There is no Help associated with this project.");

// The core reads and writes the period names as bytes; the selector keeps each entry's bytes
// so that a name is looked up exactly as the file spells it.
constexpr int kPeriodNameRole = Qt::UserRole;

template <typename T> T *widget(const QHash<QString, QWidget *> &widgets, const char *name) {
    auto *found = qobject_cast<T *>(widgets.value(QString::fromLatin1(name)));
    Q_ASSERT(found);
    return found;
}

QString fromCore(const std::string &text) {
    return QString::fromStdString(text);
}

std::string settingsPath() {
    return QFile::encodeName(platform::settingsFilePath()).toStdString();
}

// No period selected: nothing to compute with.
void clearDoseTables(norvalis::DoseSettings &settings) {
    settings.CorrectionTable = {};
    settings.CarbDoseTable = {};
    settings.WeightingTable = {};
    settings.Counts.CarbDoseCount = 0;
    settings.Counts.CorrectionCount = 0;
    settings.Counts.WeightingCount = 0;
}
} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent) {
    // Loaded before anything it loads itself, so the shutdown walk finds it first.
    platform::LoadedWindows::add(this);
    buildWindow();
    connectHandlers();
    Form_Load();
}

MainWindow::~MainWindow() = default;

DosesConfigDialog *MainWindow::dosesDialog() const {
    return dosesDialog_.peek();
}

void MainWindow::buildWindow() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(mainwindow::kWindowCaption.data(),
                                     static_cast<qsizetype>(mainwindow::kWindowCaption.size())));
    // Resizable, with a minimise button and no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto *clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    clientArea->setFont(platform::designFont(false));
    setCentralWidget(clientArea);
    byName_ = mainwindow::buildWidgets(clientArea);
    commands_ = mainwindow::buildMenu(menuBar());

    w_ = Widgets{
        widget<QComboBox>(byName_, "Mealtime"), widget<QLineEdit>(byName_, "Blood_Sugar"),
        widget<QLineEdit>(byName_, "Carb"),     widget<QPushButton>(byName_, "Exit"),
        widget<QLabel>(byName_, "Lab_bs2"),     widget<QLabel>(byName_, "Lab_cd1"),
        widget<QLabel>(byName_, "Lab_cd2"),     widget<QLabel>(byName_, "Lab_cd3"),
        widget<QLabel>(byName_, "Lab_cw1"),     widget<QLabel>(byName_, "Lab_cw2"),
        widget<QLabel>(byName_, "Lab_tot2"),
    };

    // The design size of the client area; Form_Load replaces it with the stored placement.
    resize(platform::twipsSize(mainwindow::kClientWidth, mainwindow::kClientHeight) +
           QSize(0, menuBar()->sizeHint().height()));
    w_.Blood_Sugar->setFocus();
    // Typing a first reading replaces the "0" instead of extending it to "0200".
    w_.Blood_Sugar->selectAll();
    placement_ = new mainwindow::PlacementKeeper(this);
}

void MainWindow::connectHandlers() {
    connect(w_.Mealtime, &QComboBox::currentIndexChanged, this, &MainWindow::Mealtime_Click);
    connect(w_.Blood_Sugar, &QLineEdit::textChanged, this, &MainWindow::recalculate);
    connect(w_.Carb, &QLineEdit::textChanged, this, &MainWindow::recalculate);
    connect(w_.Exit, &QPushButton::clicked, this, &MainWindow::Exit_Click);

    connect(commands_.value(MenuCommand::Dosages), &QAction::triggered, this,
            &MainWindow::dconfig_Click);
    connect(commands_.value(MenuCommand::Periods), &QAction::triggered, this,
            &MainWindow::pconfig_Click);
    connect(commands_.value(MenuCommand::About), &QAction::triggered, this,
            &MainWindow::about_Click);
    connect(commands_.value(MenuCommand::Contents), &QAction::triggered, this,
            &MainWindow::contents_Click);
}

void MainWindow::Form_Load() {
    placement_->restore();

    loadSettings("periods", w_.Mealtime->currentText().toUtf8());
    qCInfo(lcStartup).noquote() << "settings file" << platform::settingsFilePath() << "periods read"
                                << norvalis::SharedDoseSettings().Counts.PeriodCount;
    fillMealtime();

    w_.Mealtime->setCurrentIndex(0);
    if (w_.Mealtime->count() == 0)
        Mealtime_Click(); // no period to select: the doses still reflect the empty tables

    loadDosesDialog()->hide();
    w_.Mealtime->setCurrentIndex(0);
    loadDosesDialog()->mealtime()->setCurrentIndex(0);
    // The dialog loaded its own period last; the shared tables must be this window's period's.
    loadSelectedPeriod();
}

void MainWindow::fillMealtime() {
    const norvalis::DoseSettings &settings = norvalis::SharedDoseSettings();
    const QSignalBlocker quiet(w_.Mealtime);
    const int count = std::clamp(settings.Counts.PeriodCount, 0, norvalis::kTableSlots);
    for (int i = 1; i <= count; ++i) {
        const std::string &name = settings.PeriodList[static_cast<std::size_t>(i)];
        w_.Mealtime->addItem(fromCore(name), QByteArray::fromStdString(name));
    }
    // The list selects its first entry by itself; start-up selects it as a user would, so
    // that the selection's handler runs.
    w_.Mealtime->setCurrentIndex(-1);
}

void MainWindow::Mealtime_Click() {
    loadSelectedPeriod();
    recalculate();
}

void MainWindow::loadSelectedPeriod() {
    if (w_.Mealtime->currentIndex() < 0) {
        clearDoseTables(norvalis::SharedDoseSettings());
        return;
    }
    loadSettings("dosages", w_.Mealtime->currentData(kPeriodNameRole).toByteArray());
}

void MainWindow::loadSettings(std::string_view selector, const QByteArray &periodName) {
    const norvalis::FileResult result = norvalis::LoadSettings(
        norvalis::SharedDoseSettings(), selector, periodName.toStdString(), settingsPath());
    if (result.ok)
        return;
    platform::messageBox(this,
                         QStringLiteral("The settings file could not be read, so no dose tables "
                                        "are in use.\n\n%1\n\n%2")
                             .arg(platform::settingsFilePath(), fromCore(result.error)),
                         platform::kOkOnly);
}

void MainWindow::recalculate() {
    const norvalis::DoseLabels labels = norvalis::CalculateDoses(
        norvalis::SharedDoseSettings(), w_.Blood_Sugar->text().toStdString(),
        w_.Carb->text().toStdString());
    w_.Lab_cw1->setText(fromCore(labels.Lab_cw1));
    w_.Lab_cw2->setText(fromCore(labels.Lab_cw2));
    w_.Lab_bs2->setText(fromCore(labels.Lab_bs2));
    w_.Lab_cd1->setText(fromCore(labels.Lab_cd1));
    w_.Lab_cd2->setText(fromCore(labels.Lab_cd2));
    w_.Lab_cd3->setText(fromCore(labels.Lab_cd3));
    w_.Lab_tot2->setText(fromCore(labels.Lab_tot2));
    mainwindow::updateAccessibleNames(byName_);
}

void MainWindow::setWeightingCaption(const QString &caption) {
    w_.Lab_cw1->setText(caption);
    mainwindow::updateAccessibleNames(byName_);
}

DosesConfigDialog *MainWindow::loadDosesDialog() {
    return dosesDialog_.get([this] {
        auto *dialog = new DosesConfigDialog(this);
        // OK and Apply may have stored this window's own period: its doses and the weighting
        // caption are worked out again from the file.
        connect(dialog, &DosesConfigDialog::tablesStored, this, &MainWindow::Mealtime_Click);
        return dialog;
    });
}

void MainWindow::dconfig_Click() {
    DosesConfigDialog *dialog = loadDosesDialog();
    dialog->mealtime()->setCurrentIndex(w_.Mealtime->currentIndex());
    platform::showModal(dialog, this);
    // The dialog loads and saves other periods' tables into the shared settings; the doses
    // shown here must come from the period this window's selector shows.
    Mealtime_Click();
}

void MainWindow::pconfig_Click() {
    platform::showModal(periodsDialog_.get([this] { return new PeriodConfigDialog(this); }), this);
}

void MainWindow::about_Click() {
    platform::showModal(aboutBox_.get([this] { return new AboutBox(this); }), this);
}

void MainWindow::contents_Click() {
    const QString helpFile = platform::helpFileName();
    if (helpFile.isEmpty()) {
        platform::messageBox(this, kNoHelpMessage, platform::kInformation, windowTitle());
        return;
    }
    QString error;
    if (!platform::showHelpContents(this, helpFile, &error))
        platform::messageBox(this, error, platform::kOkOnly);
}

void MainWindow::Exit_Click() {
    close();
}

void MainWindow::keyPressEvent(QKeyEvent *event) {
    // Exit is the window's cancel button. Escape arrives here only when no widget used it, so
    // the Escape that closes an open period list does not also end the program.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        w_.Exit->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeOtherWindows() {
    const QList<QWidget *> loaded = platform::LoadedWindows::list();
    for (auto n = loaded.size() - 1; n >= 0; --n) {
        if (loaded[n] != this)
            platform::LoadedWindows::unload(loaded[n]);
    }
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // Exit, Escape, the title bar, the system menu and the end of the session all end here.
    closeOtherWindows();
    if (!isMinimized())
        mainwindow::writeStoredPlacement(placement_->current());
    event->accept();
}
