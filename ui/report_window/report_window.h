#pragma once

#include "report/document/report_data.h"

#include <QDialog>
#include <QTimer>
#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

namespace logbook {
class LogStore;
}

// "Norvalis Report": a report of a range of days for the care team, previewed as it will be
// printed, saved as a PDF file or printed. The name line is used for this report only.
class ReportWindow : public QDialog {
    Q_OBJECT

public:
    // settingsPath: the program's Norvalis.ini, for the units, target and dose tables.
    ReportWindow(logbook::LogStore &store, QString settingsPath, QWidget *parent = nullptr);
    ~ReportWindow() override;

    // Reads the readings in these units (asked for when the file named none).
    void useUnits(norvalis::GlucoseUnits units);

    // Writes the report of the current choices; reports a failure in a message box. False
    // when nothing was written (also when cancelled).
    bool saveTo(const QString &path);

    // What the controls ask for; nullopt (after a message) when the target range is refused.
    std::optional<report::ReportRequest> request();

    QComboBox *rangeBox() const { return range_; }
    QDateEdit *fromBox() const { return from_; }
    QDateEdit *toBox() const { return to_; }
    QComboBox *unitsBox() const { return units_; }
    QLineEdit *targetLowBox() const { return low_; }
    QLineEdit *targetHighBox() const { return high_; }
    QLineEdit *nameBox() const { return name_; }
    QPrintPreviewWidget *preview() const { return preview_; }
    QLabel *status() const { return status_; }

private:
    std::string settingsFile() const;
    void readOptions();
    void rangeChosen();
    void unitsChosen();
    void schedulePreview();
    // Reads the entries and works out the figures for the current choices; false when the
    // logbook cannot be read or the choices are refused.
    bool gather(report::ReportData &data);
    bool paint(QPrinter *printer);
    void savePdf();
    void print();

    logbook::LogStore &store_;
    QString settingsPath_;
    QComboBox *range_ = nullptr;
    QDateEdit *from_ = nullptr;
    QDateEdit *to_ = nullptr;
    QComboBox *units_ = nullptr;
    QLineEdit *low_ = nullptr;
    QLineEdit *high_ = nullptr;
    QLineEdit *name_ = nullptr;
    QPrintPreviewWidget *preview_ = nullptr;
    QLabel *status_ = nullptr;
    QTimer previewTimer_;
    std::unique_ptr<QPrinter> printer_;
    norvalis::GlucoseOptions options_;
    // Set while pages are drawn: the progress dialog lets events through, and a second drawing
    // must not start inside the first.
    bool drawing_ = false;
};
