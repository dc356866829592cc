#pragma once

#include "report/document/report_data.h"

#include <QLocale>
#include <QPageSize>
#include <functional>

class QPagedPaintDevice;

namespace report {

// Asked before each page with the pages done and the pages in all; false stops the report.
using ReportProgress = std::function<bool(int done, int total)>;

// The caption under the title of the summary page; the report claims no more than this.
QString disclaimerText();
QString noEntriesText(const QDate &from, const QDate &to);

// Paints the whole report on the device (a PDF, a printer, the preview), page after page,
// each with "Page N of M" and the program's version. False when progress stopped it or the
// device could not be painted on.
bool paintReport(QPagedPaintDevice &device, const ReportData &data,
                 const ReportProgress &progress = {});

// A4, or Letter where that is the paper people buy.
QPageSize::PageSizeId localePageSize(const QLocale &locale);

} // namespace report
