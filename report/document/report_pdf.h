#pragma once

#include "report/document/report_data.h"
#include "report/document/report_pages.h"

#include <QString>

namespace report {

struct PdfResult {
    bool ok = true;
    bool cancelled = false;
    QString error; // why the file could not be written, for the person
};

// Writes the report as a PDF/A-1b file in the locale's paper size. The pages go to a
// temporary file beside path that replaces it only once complete: a failure or a cancel
// leaves whatever was at path untouched and no partial file.
PdfResult writeReportPdf(const ReportData &data, const QString &path,
                         const ReportProgress &progress = {});

} // namespace report
