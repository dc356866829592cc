#include "ui/main_window/main_window.h"

#include "core/dose_calculation.h"
#include "core/dose_options.h"
#include "core/dose_settings.h"
#include "core/settings_file.h"
#include "platform/app_info.h"
#include "platform/fonts.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/settings_location.h"
#include "platform/twips.h"
#include "ui/about/about_box.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/dialogs/period_config_dialog.h"
#include "ui/main_window/caption_fit.h"
#include "ui/main_window/dose_extras.h"
#include "ui/main_window/dose_figure_accessible.h"
#include "ui/main_window/input_hints.h"
#include "ui/main_window/layout_builder.h"
#include "ui/main_window/startup_log.h"
#include "ui/main_window/window_placement.h"

#include <QAccessible>
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
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {
using mainwindow::MenuCommand;

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
    buildWindow();
    connectHandlers();
    Form_Load();
}

MainWindow::~MainWindow() = default;

DosesConfigDialog *MainWindow::dosesDialog() {
    if (dosesDialog_)
        return dosesDialog_;
    DosesConfigDialog *dialog = loadDosesDialog();
    dialog->hide();
    dialog->mealtime()->setCurrentIndex(w_.Mealtime->currentIndex());
    // The dialog loads its own period into the shared tables; the tables in use must stay
    // this window's period's.
    loadSelectedPeriod();
    return dialog;
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
        widget<QLabel>(byName_, "Lab_tot2"),    widget<QLabel>(byName_, "Label1_0"),
    };
    ratioLineGeometry_ = w_.Lab_cd3->geometry();
    buildAccessibility();
    commaHint_ = widget<QLabel>(byName_, "Comma_Hint");

    // The design size of the client area; Form_Load replaces it with the stored placement.
    resize(platform::twipsSize(mainwindow::kClientWidth, mainwindow::kClientHeight) +
           QSize(0, menuBar()->sizeHint().height()));
    w_.Blood_Sugar->setFocus();
    // Typing a first reading replaces the "0" instead of extending it to "0200".
    w_.Blood_Sugar->selectAll();
    placement_ = new mainwindow::PlacementKeeper(this);
    extras_ = new DoseExtras(this, byName_);
}

void MainWindow::connectHandlers() {
    connect(w_.Mealtime, &QComboBox::currentIndexChanged, this, [this] {
        selectionJustChanged_ = true;
        // The activation of the same choice follows at once; a change from code has none.
        QTimer::singleShot(0, this, [this] { selectionJustChanged_ = false; });
        Mealtime_Click();
    });
    connect(w_.Mealtime, &QComboBox::activated, this, &MainWindow::Mealtime_Activated);
    connect(w_.Blood_Sugar, &QLineEdit::textChanged, this, &MainWindow::recalculate);
    connect(w_.Carb, &QLineEdit::textChanged, this, &MainWindow::recalculate);
    connect(w_.Exit, &QPushButton::clicked, this, &MainWindow::Exit_Click);
    // A dose is recorded as the file's tables give it, not as an older read gave it.
    connect(extras_, &DoseExtras::aboutToRecord, this, &MainWindow::reloadIfFileChanged);

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
    norvalis::DropReservedPeriods(norvalis::SharedDoseSettings());
    qCInfo(lcStartup).noquote() << "settings file" << platform::settingsFilePath() << "periods read"
                                << norvalis::SharedDoseSettings().Counts.PeriodCount;
    fillMealtime();

    w_.Mealtime->setCurrentIndex(0);
    if (w_.Mealtime->count() == 0)
        Mealtime_Click(); // no period to select: the doses still reflect the empty tables
    // The dosages dialog (75 widgets) is created when it is first wanted, not here: start-up
    // stays close to that of a bare window.
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
    // The pen step and the ceiling are read with the tables, so that a hand edit of either
    // counts from the next selection on, also of the period already shown. Read after the
    // tables: a write in between makes the tables the older, and the file is read again.
    extras_->readOptions();
    recalculate();
}

void MainWindow::Mealtime_Activated(int) {
    // Choosing the period already shown reads the file again, so an edit made in a text
    // editor shows without switching away and back.
    if (std::exchange(selectionJustChanged_, false))
        return;
    Mealtime_Click();
}

void MainWindow::loadSelectedPeriod() {
    if (w_.Mealtime->currentIndex() < 0) {
        clearDoseTables(norvalis::SharedDoseSettings());
        return;
    }
    loadSettings("dosages", w_.Mealtime->currentData(kPeriodNameRole).toByteArray());
}

void MainWindow::loadSettings(std::string_view selector, const QByteArray &periodName) {
    const norvalis::FileResult result =
        norvalis::LoadSettings(norvalis::SharedDoseSettings(), selector, periodName.toStdString(),
                               settingsPath(), &tablesReadAs_);
    if (result.ok)
        return;
    platform::messageBox(this,
                         QStringLiteral("The settings file could not be read, so no dose tables "
                                        "are in use.\n\n%1\n\n%2")
                             .arg(platform::settingsFilePath(), fromCore(result.error)));
}

bool MainWindow::reloadIfFileChanged() {
    if (reloading_ || norvalis::CurrentFingerprint(settingsPath()) == tablesReadAs_)
        return false;
    reloading_ = true;
    reloadPeriods({}); // keeps the period shown when the file still lists it; recalculates
    reloading_ = false;
    return true;
}

void MainWindow::recalculate() {
    // Every figure shown comes from the file as it is now: another copy of the program may
    // have stored other tables since they were read.
    if (reloadIfFileChanged())
        return;
    const norvalis::DoseLabels labels = norvalis::CalculateDoses(
        norvalis::SharedDoseSettings(), w_.Blood_Sugar->text().toStdString(),
        w_.Carb->text().toStdString());
    updateCommaHint();
    const bool noPeriods = w_.Mealtime->count() == 0;
    showNoPeriodsHint(noPeriods);
    if (noPeriods) {
        // Empty tables would show 0 as if it were a dose.
        for (QLabel *figure : {w_.Lab_bs2, w_.Lab_cd2, w_.Lab_cw2, w_.Lab_tot2})
            mainwindow::setDoseFigure(figure, QString());
        extras_->afterRecalculation(std::nullopt);
        return;
    }
    setWeightingCaption(fromCore(labels.Lab_cw1));
    setCaption(w_.Lab_cd1, fromCore(labels.Lab_cd1), w_.Lab_cd2);
    w_.Lab_cd3->setText(fromCore(labels.Lab_cd3));
    mainwindow::setDoseFigure(w_.Lab_cw2, fromCore(labels.Lab_cw2));
    mainwindow::setDoseFigure(w_.Lab_bs2, fromCore(labels.Lab_bs2));
    mainwindow::setDoseFigure(w_.Lab_cd2, fromCore(labels.Lab_cd2));
    mainwindow::setDoseFigure(w_.Lab_tot2, fromCore(labels.Lab_tot2));
    extras_->afterRecalculation(labels.total);
}

void MainWindow::setWeightingCaption(const QString &caption) {
    setCaption(w_.Lab_cw1, caption, w_.Lab_cw2);
}

void MainWindow::setCaption(QLabel *caption, const QString &text, QLabel *figure) {
    if (mainwindow::fullCaption(caption) == text)
        return;
    mainwindow::showCaption(caption, text);
    // The figure is read with its caption: tell assistive technology its name changed.
    if (QAccessible::isActive()) {
        QAccessibleEvent renamed(figure, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
}

void MainWindow::buildAccessibility() {
    mainwindow::makeDoseFigure(w_.Lab_bs2, widget<QLabel>(byName_, "Lab_bs1_0"));
    mainwindow::makeDoseFigure(w_.Lab_cd2, w_.Lab_cd1);
    mainwindow::makeDoseFigure(w_.Lab_cw2, w_.Lab_cw1);
    mainwindow::makeDoseFigure(w_.Lab_tot2, widget<QLabel>(byName_, "Lab_tot1"));
    // Each box is labelled by the caption beside it; the period box's own name is its current
    // entry, so its label is what tells a screen reader what it is.
    w_.Label1_0->setBuddy(w_.Mealtime);
    widget<QLabel>(byName_, "Label2_0")->setBuddy(w_.Blood_Sugar);
    widget<QLabel>(byName_, "Label2_1")->setBuddy(w_.Carb);
}

void MainWindow::updateCommaHint() {
    QStringList texts;
    for (QLineEdit *box : {w_.Blood_Sugar, w_.Carb}) {
        const QString description = mainwindow::misreadingHint({box->text()});
        const bool marked = !description.isEmpty();
        if (box->property("commaMarked").toBool() != marked) {
            box->setProperty("commaMarked", marked);
            // The box's own colours come back as soon as the comma goes.
            QPalette palette; // an empty palette inherits everything again
            if (marked)
                palette.setColor(QPalette::Base, QColor(255, 236, 236));
            box->setPalette(palette);
        }
        texts << box->text();
        if (box->accessibleDescription() != description) // each change is announced
            box->setAccessibleDescription(description);
    }
    const QString hint = mainwindow::misreadingHint(texts);
    if (hint == commaHint_->text() && commaHint_->isVisible() == !hint.isEmpty())
        return;
    commaHint_->setText(hint);
    commaHint_->setVisible(!hint.isEmpty());
}

void MainWindow::showNoPeriodsHint(bool show) {
    if (!show) {
        if (w_.Lab_cd3->wordWrap()) {
            w_.Lab_cd3->setWordWrap(false);
            w_.Lab_cd3->setToolTip(QString());
            w_.Lab_cd3->setGeometry(ratioLineGeometry_);
        }
        return;
    }
    // Longer than the ratio line: it wraps over the free space from the inputs down.
    const QString hint = mainwindow::noPeriodsHint(platform::settingsFilePath());
    w_.Lab_cd3->setWordWrap(true);
    w_.Lab_cd3->setGeometry(platform::twipsRect(120, 1605, 3135, 555));
    w_.Lab_cd3->setText(hint);
    w_.Lab_cd3->setToolTip(hint);
}

DosesConfigDialog *MainWindow::loadDosesDialog() {
    if (!dosesDialog_) {
        dosesDialog_ = new DosesConfigDialog(this);
        // OK and Apply may have stored this window's own period: its doses and the weighting
        // caption are worked out again from the file.
        connect(dosesDialog_, &DosesConfigDialog::tablesStored, this, &MainWindow::Mealtime_Click);
    }
    return dosesDialog_;
}

void MainWindow::dconfig_Click() {
    DosesConfigDialog *dialog = loadDosesDialog();
    dialog->mealtime()->setCurrentIndex(w_.Mealtime->currentIndex());
    dialog->exec();
    // The dialog loads and saves other periods' tables into the shared settings; the doses
    // shown here must come from the period this window's selector shows.
    Mealtime_Click();
}

void MainWindow::pconfig_Click() {
    if (!periodsDialog_) {
        periodsDialog_ = new PeriodConfigDialog(this);
        connect(periodsDialog_, &PeriodConfigDialog::periodsStored, this,
                &MainWindow::reloadPeriods);
    }
    periodsDialog_->exec();
}

void MainWindow::reloadPeriods(const QList<periods::Rename> &renames) {
    QString selected = w_.Mealtime->currentText();
    for (const periods::Rename &rename : renames) {
        if (periods::sameName(rename.from, selected))
            selected = rename.to;
    }
    {
        const QSignalBlocker quiet(w_.Mealtime);
        w_.Mealtime->clear();
    }
    loadSettings("periods", {});
    fillMealtime();
    int index = 0;
    for (int i = 0; i < w_.Mealtime->count(); ++i) {
        if (periods::sameName(w_.Mealtime->itemText(i), selected)) {
            index = i;
            break;
        }
    }
    if (w_.Mealtime->count() == 0)
        Mealtime_Click();
    else
        w_.Mealtime->setCurrentIndex(index); // loads its tables and recalculates
}

void MainWindow::about_Click() {
    if (!aboutBox_)
        aboutBox_ = new AboutBox(this);
    aboutBox_->exec();
}

void MainWindow::contents_Click() {
    QString error;
    if (!platform::showHelpContents(platform::manualPath(), &error))
        platform::messageBox(this, error);
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
    // Every other window is this window's child, and children come in creation order: the
    // newest goes first. A window still in its modal run (a message on the stack of the code
    // that shows it) is only hidden: that ends its run, and its code goes on and disposes of
    // it; destroying it here could free it under that code.
    const QList<QWidget *> children = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (auto n = children.size() - 1; n >= 0; --n) {
        QWidget *child = children[n];
        const Qt::WindowType type = child->windowType();
        if (type != Qt::Window && type != Qt::Dialog)
            continue;
        const bool inModalRun = child->isVisible() && child->isModal();
        child->hide();
        if (!inModalRun)
            child->deleteLater();
    }
}

void MainWindow::closeEvent(QCloseEvent *event) {
    // Exit, Escape, the title bar, the system menu and the end of the session all end here.
    closeOtherWindows();
    if (!isMinimized())
        mainwindow::writeStoredPlacement(placement_->current());
    event->accept();
}
