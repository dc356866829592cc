#include "report/document/report_pdf.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace report {

namespace {
// Fine enough for the charts' points and lines; text is kept as text whatever it is.
constexpr int kResolution = 300;
} // namespace

PdfResult writeReportPdf(const ReportData &data, const QString &path,
                         const ReportProgress &progress) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, false, file.errorString()};
    bool painted = false;
    bool stopped = false;
    const ReportProgress watched = [&](int done, int total) {
        stopped = progress && !progress(done, total);
        return !stopped;
    };
    {
        QPdfWriter writer(&file);
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setResolution(kResolution);
        writer.setPageSize(QPageSize(localePageSize(QLocale())));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QStringLiteral("Norvalis Report %1 to %2")
                            .arg(data.request.from.toString(Qt::ISODate),
                                 data.request.to.toString(Qt::ISODate)));
        writer.setCreator(QStringLiteral("Norvalis %1").arg(QStringLiteral(NORVALIS_VERSION)));
        painted = paintReport(writer, data, watched);
    }
    if (!painted) {
        file.cancelWriting();
        return {false, stopped,
                stopped ? QString() : QStringLiteral("the pages could not be written")};
    }
    if (!file.commit())
        return {false, false, file.errorString()};
    return {};
}

} // namespace report
