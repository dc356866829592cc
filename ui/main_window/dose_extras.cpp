#include "ui/main_window/dose_extras.h"

#include "core/file_access.h"
#include "core/ini_document.h"
#include "core/leading_number.h"
#include "core/number_text.h"
#include "logbook/log_location.h"
#include "platform/app_info.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/settings_location.h"
#include "platform/twips.h"
#include "ui/log_window/log_features.h"
#include "ui/log_window/log_features_loader.h"
#include "ui/main_window/dose_figure_accessible.h"
#include "ui/options/options_dialog.h"
#include "ui/readable_colour/readable_colour.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

namespace {

// Extra rows in twips, on the grid of the Corrections frame's own rows (360 apart).
constexpr int kRowStep = 360;
constexpr int kLineHeight = 255;
constexpr int kWarningHeight = 2 * kLineHeight; // wraps to two lines in the frame's width
constexpr int kLastHeight = 2 * kLineHeight;
constexpr int kActiveHeight = kLineHeight;
constexpr int kFirstExtraRow = 1800; // below the total at 1440
constexpr int kGap = 60;

const QColor kWarningRed(192, 0, 0);

// The warning's red, or the palette's own colour where red would not read on a dark window.
QColor warningColour(const QWidget *on) {
    return readable_colour::readableText(kWarningRed, on->palette(), QPalette::Window);
}

QLabel *makeLine(QWidget *parent, const char *name, Qt::Alignment align) {
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(platform::designFont(false));
    label->setAlignment(align | Qt::AlignVCenter);
    label->setWordWrap(true);
    label->setFocusPolicy(Qt::NoFocus);
    label->hide();
    return label;
}

QString fromStd(const std::string &text) {
    return QString::fromStdString(text);
}

} // namespace

DoseExtras::DoseExtras(QMainWindow *window, const QHash<QString, QWidget *> &widgets)
    : QObject(window), window_(window), widgets_(widgets) {
    QWidget *frame = widgets_.value(QStringLiteral("Frame2"));
    frameDesign_ = frame->geometry();
    exitDesign_ = widgets_.value(QStringLiteral("Exit"))->geometry();
    totalPalette_ = widgets_.value(QStringLiteral("Lab_tot2"))->palette();

    penLine_ = makeLine(frame, "Lab_pen", Qt::AlignRight);
    penLine_->setFont(platform::designFont(true));
    penLine_->setAccessibleDescription(QStringLiteral("Pen dose"));
    maxLine_ = makeLine(frame, "Lab_max", Qt::AlignLeft);
    QPalette red = maxLine_->palette();
    red.setColor(QPalette::WindowText, warningColour(frame));
    maxLine_->setPalette(red);
    // Read by its own text, which says what is wrong; what it is goes in the description.
    maxLine_->setAccessibleDescription(QStringLiteral("Dose warning"));
    lowLine_ = makeLine(frame, "Lab_low", Qt::AlignLeft);
    lowLine_->setPalette(red);
    lowLine_->setAccessibleDescription(QStringLiteral("Low reading warning"));
    lastLine_ = makeLine(frame->parentWidget(), "Lab_last", Qt::AlignLeft);
    lastLine_->setAccessibleDescription(QStringLiteral("Last recorded dose"));
    activeLine_ = makeLine(frame->parentWidget(), "Lab_active", Qt::AlignLeft);
    activeLine_->setAccessibleDescription(
        QStringLiteral("Insulin still acting; not taken off any dose"));

    minuteTimer_.setInterval(60 * 1000);
    connect(&minuteTimer_, &QTimer::timeout, this, &DoseExtras::refreshLastRecorded);
    connectMenu();
    readOptions(); // and again by the window at every period selection
    // After the window's first paint: reading the logbook loads the log plugin, which the
    // person should not wait for to see the window.
    window_->installEventFilter(this);
}

bool DoseExtras::eventFilter(QObject *watched, QEvent *event) {
    if (watched == window_ && event->type() == QEvent::Paint) {
        window_->removeEventFilter(this);
        QTimer::singleShot(0, this, &DoseExtras::refreshLastRecorded);
    }
    return QObject::eventFilter(watched, event);
}

DoseExtras::~DoseExtras() = default;

void DoseExtras::connectMenu() {
    const auto item = [this](const char *name) {
        auto *action = window_->menuBar()->findChild<QAction *>(QString::fromLatin1(name));
        Q_ASSERT(action);
        return action;
    };
    QAction *record = item("recorddose");
    record->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(record, &QAction::triggered, this, &DoseExtras::recordDose);
    QAction *show = item("showlog");
    show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(show, &QAction::triggered, this, &DoseExtras::showLog);
    QAction *report = item("report");
    report->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(report, &QAction::triggered, this, &DoseExtras::showReport);
    connect(item("options"), &QAction::triggered, this, &DoseExtras::showOptions);
}

void DoseExtras::readOptions() {
    std::string bytes;
    // An unreadable file has already been reported by the tables' load; the options are off.
    if (norvalis::ReadWholeFile(QFile::encodeName(platform::settingsFilePath()).toStdString(),
                                bytes)
            .ok) {
        const norvalis::IniDocument file(std::move(bytes));
        options_ = norvalis::ReadDoseOptions(file);
        insulin_ = norvalis::ReadInsulinOptions(file);
    } else {
        options_ = {};
        insulin_ = {};
    }
}

LogSession *DoseExtras::logSession(QString *error) {
    if (!log_) {
        const logfeatures::Loaded loaded = logfeatures::load(platform::pluginDirectory());
        if (!loaded.features) {
            if (error)
                *error = loaded.error;
            return nullptr;
        }
        log_ = loaded.features->session(logbook::defaultLogPath());
    }
    return log_.get();
}

void DoseExtras::afterRecalculation(std::optional<double> total) {
    total_ = total;

    std::optional<double> pen;
    if (options_.penStep && total)
        pen = norvalis::PenDose(*total, *options_.penStep);
    penLine_->setVisible(options_.penStep.has_value());
    // No total (an input that cannot be worked out): the line stays, without a figure.
    penLine_->setText(pen ? fromStd(norvalis::PenDoseLine(*pen)) : QStringLiteral("Pen dose:"));
    // Read like the other figures: what it is, then the figure or "blank".
    penLine_->setAccessibleName(mainwindow::spokenDoseFigure(
        QStringLiteral("Pen dose"), pen ? fromStd(norvalis::NumberText(*pen)) : QString()));

    const bool above =
        options_.maxDose && total && norvalis::AboveMaximum(*total, *options_.maxDose);
    maxLine_->setVisible(above);
    if (above)
        maxLine_->setText(fromStd(norvalis::AboveMaximumLine(*options_.maxDose)));
    QWidget *totalLabel = widgets_.value(QStringLiteral("Lab_tot2"));
    if (above) {
        QPalette palette = totalPalette_;
        palette.setColor(QPalette::WindowText, warningColour(totalLabel->parentWidget()));
        totalLabel->setPalette(palette);
    } else {
        totalLabel->setPalette(totalPalette_);
    }
    totalLabel->setAccessibleDescription(above ? maxLine_->text() : QString());

    const QString readingText =
        qobject_cast<QLineEdit *>(widgets_.value(QStringLiteral("Blood_Sugar")))->text();
    const double reading = norvalis::LeadingNumber(readingText.toStdString()).value_or(0);
    const bool low = insulin_.lowBelow && norvalis::IsLowReading(reading, *insulin_.lowBelow);
    lowLine_->setVisible(low);
    if (low)
        lowLine_->setText(fromStd(norvalis::LowReadingLine(*insulin_.lowBelow)));
    relayout();
}

void DoseExtras::relayout() {
    int frameExtra = 0;
    int row = kFirstExtraRow;
    for (QLabel *line : {penLine_, maxLine_, lowLine_}) {
        if (line->isHidden())
            continue;
        const int height = line == penLine_ ? kLineHeight : kWarningHeight;
        line->setGeometry(platform::twipsRect(120, row, 3135, height));
        row += height == kLineHeight ? kRowStep : height + (kRowStep - kLineHeight);
        frameExtra = row - kFirstExtraRow;
    }
    QWidget *frame = widgets_.value(QStringLiteral("Frame2"));
    const int extraPixels = platform::twipsToPixels(frameExtra);
    frame->setGeometry(frameDesign_.adjusted(0, 0, 0, extraPixels));

    int belowFrame = extraPixels;
    if (!lastLine_->isHidden()) {
        const int top = frame->geometry().bottom() + 1 + platform::twipsToPixels(kGap);
        lastLine_->setGeometry(QRect(frameDesign_.left(), top, frameDesign_.width(),
                                     platform::twipsToPixels(kLastHeight)));
        belowFrame += platform::twipsToPixels(kLastHeight + kGap);
    }
    if (!activeLine_->isHidden()) {
        const int top = frame->geometry().bottom() + 1 + belowFrame - extraPixels +
                        platform::twipsToPixels(kGap);
        activeLine_->setGeometry(QRect(frameDesign_.left(), top, frameDesign_.width(),
                                       platform::twipsToPixels(kActiveHeight)));
        belowFrame += platform::twipsToPixels(kActiveHeight + kGap);
    }
    widgets_.value(QStringLiteral("Exit"))->setGeometry(exitDesign_.translated(0, belowFrame));

    // Grow the window when the lines would push the Exit button out of it; never shrink it.
    QWidget *client = window_->centralWidget();
    const int needed = exitDesign_.bottom() + belowFrame + platform::twipsToPixels(120);
    if (belowFrame > 0 && client->height() < needed)
        window_->resize(window_->width(), window_->height() + needed - client->height());
}

void DoseExtras::refreshLastRecorded() {
    // No logbook yet: nothing to show, and nothing is created just to find that out.
    // Without the log plugin the line is left out; the log commands say why when asked.
    LogSession *log = log_ || QFile::exists(logbook::defaultLogPath()) ? logSession() : nullptr;
    const QDateTime now = QDateTime::currentDateTime();
    const QString line = log ? log->lastRecordedLine(now) : QString();
    lastLine_->setVisible(!line.isEmpty());
    if (!line.isEmpty())
        lastLine_->setText(line);
    // Information only: never taken off any dose.
    const QString active =
        log ? log->activeInsulinLine(now, norvalis::ActionOf(insulin_.curve, insulin_.hours))
            : QString();
    activeLine_->setVisible(!active.isEmpty());
    if (!active.isEmpty())
        activeLine_->setText(active);
    if (line.isEmpty() && active.isEmpty())
        minuteTimer_.stop();
    else
        minuteTimer_.start();
    relayout();
}

DoseSnapshot DoseExtras::snapshot() const {
    const auto text = [this](const char *name) {
        QWidget *widget = widgets_.value(QString::fromLatin1(name));
        if (auto *label = qobject_cast<QLabel *>(widget))
            return label->text();
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            return edit->text();
        return qobject_cast<QComboBox *>(widget)->currentText();
    };
    DoseSnapshot shot;
    shot.period = text("Mealtime");
    shot.bloodSugarText = text("Blood_Sugar");
    shot.carbText = text("Carb");
    shot.correctionDose = text("Lab_bs2");
    shot.carbDose = text("Lab_cd2");
    shot.weightingDose = text("Lab_cw2");
    shot.totalDose = text("Lab_tot2");
    shot.total = total_;
    if (options_.penStep && total_)
        shot.penDose = norvalis::PenDose(*total_, *options_.penStep);
    shot.maxDose = options_.maxDose;
    shot.lowBelow = insulin_.lowBelow;
    return shot;
}

LogSession *DoseExtras::openedLog(const QString &failure) {
    QString error;
    LogSession *log = logSession(&error);
    if (log)
        error = log->open();
    if (error.isEmpty())
        return log;
    platform::messageBox(window_, failure + QStringLiteral("\n\n") + error);
    return nullptr;
}

void DoseExtras::recordDose() {
    emit aboutToRecord();
    LogSession *log = openedLog(QStringLiteral("The logbook could not be opened, so nothing can "
                                               "be recorded. The doses are worked out as before."));
    if (!log)
        return;
    QDialog *dialog = log->createRecordDialog(snapshot(), window_, [this] {
        refreshLastRecorded();
        if (logWindow_)
            log_->reloadLogWindow(logWindow_);
    });
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->exec();
}

void DoseExtras::showLog() {
    LogSession *log = openedLog(QStringLiteral("The logbook could not be opened."));
    if (!log)
        return;
    if (!logWindow_) {
        // Owned by the main window, which closes it at shutdown; gone once closed.
        logWindow_ = log->createLogWindow(window_, [this] { refreshLastRecorded(); });
        logWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    logWindow_->show();
    logWindow_->raise();
    logWindow_->activateWindow();
}

void DoseExtras::showReport() {
    LogSession *log =
        openedLog(QStringLiteral("The logbook could not be opened, so there is no report."));
    if (!log)
        return;
    if (!reportWindow_) {
        reportWindow_ = log->createReportWindow(window_, platform::settingsFilePath());
        if (!reportWindow_)
            return; // no units chosen: nothing to report in
        reportWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    reportWindow_->show();
    reportWindow_->raise();
    reportWindow_->activateWindow();
}

void DoseExtras::showOptions() {
    auto *dialog = new OptionsDialog(window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &OptionsDialog::accepted, this, [this] {
        readOptions();
        afterRecalculation(total_);
        refreshLastRecorded(); // the curve or its hours may have changed
    });
    dialog->exec();
}
