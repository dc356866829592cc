#include "ui/report_window/report_window.h"

#include "core/dose_options.h"
#include "core/file_access.h"
#include "core/ini_document.h"
#include "core/number_text.h"
#include "logbook/log_store.h"
#include "platform/message_box.h"
#include "report/document/report_pdf.h"
#include "ui/number_input/typed_number.h"
#include "ui/report_window/report_progress.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

// Days counted back from today, today included; 0 stands for the dates typed in.
struct RangeChoice {
    int days;
    const char *caption;
};
constexpr RangeChoice kRanges[] = {{7, "Last 7 days"},
                                   {14, "Last 14 days"},
                                   {30, "Last 30 days"},
                                   {90, "Last 90 days"},
                                   {0, "From–to dates"}};
constexpr int kFirstRange = 1; // 14 days

QString fromStd(const std::string &text) {
    return QString::fromStdString(text);
}

QString unitsName(norvalis::GlucoseUnits units) {
    return fromStd(std::string(norvalis::GlucoseUnitsText(units)));
}

QLabel *buddyLabel(const char *caption, QWidget *buddy, QWidget *parent) {
    auto *label = new QLabel(QString::fromUtf8(caption), parent);
    label->setBuddy(buddy);
    return label;
}

QPushButton *button(const char *caption, const char *name, const char *spoken, QWidget *parent) {
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(QString::fromUtf8(spoken));
    b->setAutoDefault(false);
    return b;
}

} // namespace

ReportWindow::ReportWindow(logbook::LogStore &store, QString settingsPath, QWidget *parent)
    : QDialog(parent), store_(store), settingsPath_(std::move(settingsPath)),
      printer_(std::make_unique<QPrinter>()) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(QStringLiteral("Norvalis Report"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(900, 760);
    printer_->setPageSize(QPageSize(report::localePageSize(QLocale())));

    range_ = new QComboBox(this);
    range_->setObjectName(QStringLiteral("range"));
    range_->setAccessibleName(QStringLiteral("Date range"));
    for (const RangeChoice &choice : kRanges)
        range_->addItem(QString::fromUtf8(choice.caption), choice.days);
    const auto dateBox = [this](const char *name, const char *spoken) {
        auto *box = new QDateEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(QString::fromLatin1(spoken));
        box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        box->setCalendarPopup(true);
        return box;
    };
    from_ = dateBox("from", "First day");
    to_ = dateBox("to", "Last day");
    units_ = new QComboBox(this);
    units_->setObjectName(QStringLiteral("units"));
    units_->setAccessibleName(QStringLiteral("Glucose units"));
    for (const auto units : {norvalis::GlucoseUnits::MgPerDl, norvalis::GlucoseUnits::MmolPerL})
        units_->addItem(unitsName(units), int(units));
    const auto lineBox = [this](const char *name, const char *spoken) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(QString::fromLatin1(spoken));
        return box;
    };
    low_ = lineBox("targetLow", "Target low");
    high_ = lineBox("targetHigh", "Target high");
    name_ = lineBox("name", "Name on the report");
    name_->setAccessibleDescription(QStringLiteral("Printed on the report, never stored"));
    name_->setPlaceholderText(QStringLiteral("optional, not stored"));

    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setAccessibleName(QStringLiteral("Report preview"));
    preview_->setFocusPolicy(Qt::StrongFocus);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setAccessibleDescription(QStringLiteral("Report status"));

    QPushButton *save = button("&Save PDF…", "savePdf", "Save the report as a PDF file", this);
    QPushButton *printButton = button("&Print…", "print", "Print the report", this);
    QPushButton *close = button("&Close", "close", "Close", this);

    auto *choices = new QFormLayout;
    auto *days = new QHBoxLayout;
    days->addWidget(range_);
    days->addWidget(buddyLabel("&From:", from_, this));
    days->addWidget(from_);
    days->addWidget(buddyLabel("&To:", to_, this));
    days->addWidget(to_);
    days->addStretch();
    choices->addRow(buddyLabel("&Range:", range_, this), days);
    auto *glucose = new QHBoxLayout;
    glucose->addWidget(units_);
    glucose->addWidget(buddyLabel("Target &low:", low_, this));
    glucose->addWidget(low_);
    glucose->addWidget(buddyLabel("Target &high:", high_, this));
    glucose->addWidget(high_);
    glucose->addStretch();
    choices->addRow(buddyLabel("&Units:", units_, this), glucose);
    choices->addRow(buddyLabel("&Name:", name_, this), name_);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(save);
    buttons->addWidget(printButton);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(preview_, 1);
    layout->addLayout(buttons);
    QWidget *order[] = {range_, from_,    to_,  units_,      low_, high_,
                        name_,  preview_, save, printButton, close};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    readOptions();
    range_->setCurrentIndex(kFirstRange);
    rangeChosen();

    previewTimer_.setSingleShot(true);
    previewTimer_.setInterval(250); // typing a date or a target redraws once, not per key
    connect(&previewTimer_, &QTimer::timeout, this, [this] {
        if (drawing_)
            previewTimer_.start(); // once the pages being drawn are done
        else
            preview_->updatePreview();
    });
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, &ReportWindow::paint);
    connect(range_, &QComboBox::currentIndexChanged, this, &ReportWindow::rangeChosen);
    connect(units_, &QComboBox::currentIndexChanged, this, &ReportWindow::unitsChosen);
    for (QDateEdit *box : {from_, to_})
        connect(box, &QDateEdit::dateChanged, this, &ReportWindow::schedulePreview);
    for (QLineEdit *box : {low_, high_, name_})
        connect(box, &QLineEdit::textChanged, this, &ReportWindow::schedulePreview);
    connect(save, &QPushButton::clicked, this, &ReportWindow::savePdf);
    connect(printButton, &QPushButton::clicked, this, &ReportWindow::print);
    connect(close, &QPushButton::clicked, this, &ReportWindow::close);
    range_->setFocus();
}

ReportWindow::~ReportWindow() = default;

std::string ReportWindow::settingsFile() const {
    return QFile::encodeName(settingsPath_).toStdString();
}

void ReportWindow::readOptions() {
    std::string bytes;
    if (!norvalis::ReadWholeFile(settingsFile(), bytes).ok)
        bytes.clear(); // the main window has said so; the report uses the defaults
    options_ = norvalis::ReadGlucoseOptions(norvalis::IniDocument(std::move(bytes)));
    const norvalis::GlucoseUnits units = options_.units.value_or(norvalis::GlucoseUnits::MgPerDl);
    const QSignalBlocker blocker(units_);
    units_->setCurrentIndex(units_->findData(int(units)));
    unitsChosen();
}

void ReportWindow::useUnits(norvalis::GlucoseUnits units) {
    // Units chosen just now are the file's, so a range stored with them applies.
    options_.units = units;
    units_->setCurrentIndex(units_->findData(int(units)));
    unitsChosen();
}

void ReportWindow::rangeChosen() {
    const int days = range_->currentData().toInt();
    const bool typed = days == 0;
    from_->setEnabled(typed);
    to_->setEnabled(typed);
    if (!typed) {
        const QDate today = QDate::currentDate();
        const QSignalBlocker blockFrom(from_);
        const QSignalBlocker blockTo(to_);
        from_->setDate(report::lastDaysStart(today, days));
        to_->setDate(today);
    }
    schedulePreview();
}

void ReportWindow::unitsChosen() {
    const auto units = norvalis::GlucoseUnits(units_->currentData().toInt());
    const norvalis::TargetRange range = norvalis::EffectiveTargetRange(options_, units);
    const QSignalBlocker blockLow(low_);
    const QSignalBlocker blockHigh(high_);
    low_->setText(fromStd(norvalis::NumberText(range.low)));
    high_->setText(fromStd(norvalis::NumberText(range.high)));
    schedulePreview();
}

void ReportWindow::schedulePreview() {
    previewTimer_.start();
}

std::optional<report::ReportRequest> ReportWindow::request() {
    for (QLineEdit *box : {low_, high_}) {
        const QString misread = number_input::refusalOf(box->accessibleName(), box->text());
        if (!misread.isEmpty()) {
            status_->setText(misread);
            return std::nullopt;
        }
    }
    const std::string lowText = low_->text().toStdString();
    const std::string highText = high_->text().toStdString();
    const std::optional<double> low = norvalis::NumberAtStart(lowText);
    const std::optional<double> high = norvalis::NumberAtStart(highText);
    const bool refused = norvalis::CheckTargetRange(lowText, highText).has_value() || !low ||
                         !high || !(*low < *high);
    if (refused) {
        status_->setText(QStringLiteral("The target range needs a low and a high number, low "
                                        "below high."));
        return std::nullopt;
    }
    report::ReportRequest request;
    request.from = std::min(from_->date(), to_->date());
    request.to = std::max(from_->date(), to_->date());
    request.units = norvalis::GlucoseUnits(units_->currentData().toInt());
    request.target = {*low, *high};
    request.name = name_->text();
    return request;
}

bool ReportWindow::gather(report::ReportData &data) {
    const std::optional<report::ReportRequest> asked = request();
    if (!asked)
        return false;
    QList<logbook::LogEntry> entries;
    const logbook::LogResult read =
        report::readRangeEntries(store_, asked->from, asked->to, entries);
    if (!read.ok) {
        status_->setText(QStringLiteral("The logbook could not be read"));
        platform::messageBox(this, QStringLiteral("The logbook could not be read, so there is no "
                                                  "report.\n\n") +
                                       read.error);
        return false;
    }
    norvalis::FileResult tablesRead;
    report::FileTables tables = report::ReadFileTables(settingsFile(), tablesRead);
    data = report::buildReportData(*asked, std::move(entries), std::move(tables),
                                   QDateTime::currentDateTime());
    status_->setText(
        data.entries.size() == 1
            ? QStringLiteral("%1 days, 1 entry").arg(data.stats.days)
            : QStringLiteral("%1 days, %2 entries").arg(data.stats.days).arg(data.entries.size()));
    if (!tablesRead.ok)
        status_->setText(status_->text() + QStringLiteral("; the settings file could not be read"));
    return true;
}

bool ReportWindow::paint(QPrinter *printer) {
    if (drawing_)
        return false;
    const QScopedValueRollback<bool> busy(drawing_, true);
    report::ReportData data;
    if (!gather(data))
        return false;
    ReportProgressDialog progress(this, QStringLiteral("Drawing the report…"));
    return report::paintReport(*printer, data, progress.callback());
}

bool ReportWindow::saveTo(const QString &path) {
    if (drawing_) {
        platform::messageBox(this, QStringLiteral("The report was not saved: its pages are "
                                                  "still being drawn. Try again when they are."));
        return false;
    }
    const QScopedValueRollback<bool> busy(drawing_, true);
    report::ReportData data;
    if (!gather(data)) {
        platform::messageBox(this, QStringLiteral("The report was not saved. ") + status_->text());
        return false;
    }
    ReportProgressDialog progress(this, QStringLiteral("Writing the report…"));
    const report::PdfResult written = report::writeReportPdf(data, path, progress.callback());
    if (written.cancelled) {
        status_->setText(QStringLiteral("Cancelled: nothing was written"));
        return false;
    }
    if (!written.ok) {
        platform::messageBox(this, QStringLiteral("The report was not saved.\n\nFile: %1\n"
                                                  "Reason: %2")
                                       .arg(QDir::toNativeSeparators(path), written.error));
        return false;
    }
    status_->setText(QStringLiteral("Saved %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void ReportWindow::savePdf() {
    const std::optional<report::ReportRequest> asked = request();
    const QString name =
        asked ? QStringLiteral("Norvalis-report-%1-to-%2.pdf")
                    .arg(asked->from.toString(Qt::ISODate), asked->to.toString(Qt::ISODate))
              : QStringLiteral("Norvalis-report.pdf");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Report"),
                                                      QDir(folder).filePath(name),
                                                      QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty())
        saveTo(path);
}

void ReportWindow::print() {
    if (drawing_) {
        status_->setText(QStringLiteral("Not printed: the pages are still being drawn"));
        return;
    }
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(QStringLiteral("Print Report"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!paint(printer_.get()))
        status_->setText(status_->text().isEmpty() ? QStringLiteral("Not printed")
                                                   : status_->text());
    preview_->updatePreview(); // the printer's paper may have changed
}
