#include "commands.h"

#include <ostream>

#ifdef NORVALIS_CLI_REPORT
#include "core/file_access.h"
#include "core/glucose_options.h"
#include "core/ini_document.h"
#include "logbook/log_location.h"
#include "logbook/log_store.h"
#include "report/document/report_pdf.h"
#include "report_json.h"

#include <QFile>
#include <QGuiApplication>
#endif

namespace norvalis::cli {

#ifndef NORVALIS_CLI_REPORT

int RunReport(const CommandLine &, const std::string &, std::ostream &, std::ostream &err) {
    err << "norvalis-cli: this build has no report support (it needs Qt)\n";
    return kExitFindings;
}

#else

namespace {

// Pages are laid out with Qt's fonts, which want a GUI application; the offscreen platform
// needs no display, so the report works over ssh and in scripts.
bool EnsureGuiApplication(std::ostream &err) {
    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
            return true;
        err << "norvalis-cli: the report needs a GUI application object\n";
        return false;
    }
    static int argc = 3;
    static char name[] = "norvalis-cli";
    static char platform[] = "-platform";
    static char offscreen[] = "offscreen";
    static char *argv[] = {name, platform, offscreen, nullptr};
    static QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Norvalis"));
    return true;
}

std::optional<QDate> DateOption(const std::string &text) {
    // Exactly YYYY-MM-DD: ISO's other forms would let "2026-1-5" through as a different text.
    const QDate day = QDate::fromString(QString::fromStdString(text), QStringLiteral("yyyy-MM-dd"));
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

int Usage(std::ostream &err, const std::string &problem) {
    err << "norvalis-cli: " << problem << "\n" << UsageText();
    return kExitUsage;
}

} // namespace

int RunReport(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
              std::ostream &err) {
    const ReportArguments &arguments = commandLine.report;
    const std::optional<QDate> from = DateOption(*arguments.from);
    const std::optional<QDate> to = DateOption(*arguments.to);
    if (!from)
        return Usage(err, "--from wants a date as YYYY-MM-DD, not " + *arguments.from);
    if (!to)
        return Usage(err, "--to wants a date as YYYY-MM-DD, not " + *arguments.to);
    if (*from > *to)
        return Usage(err, "--from " + *arguments.from + " is after --to " + *arguments.to);
    std::optional<GlucoseUnits> units;
    if (arguments.units) {
        units = ParseGlucoseUnits(*arguments.units);
        if (!units)
            return Usage(err, "--units wants mg/dL or mmol/L, not " + *arguments.units);
    }

    std::string bytes;
    if (const FileResult read = ReadWholeFile(settingsPath, bytes); !read.ok) {
        err << "norvalis-cli: " << read.error << "\n";
        return kExitFindings;
    }
    const GlucoseOptions options = ReadGlucoseOptions(IniDocument(std::move(bytes)));
    if (!units)
        units = options.units;
    if (!units) {
        err << "norvalis-cli: the glucose units are not set: give --units mg/dL or --units "
               "mmol/L, or set GlucoseUnits in [Options] of "
            << settingsPath << "\n";
        return kExitFindings;
    }

    if (!EnsureGuiApplication(err))
        return kExitFindings;
    const QString logPath = logbook::defaultLogPath();
    QList<logbook::LogEntry> entries;
    // Reading must not create a logbook: none yet is an empty one.
    if (QFile::exists(logPath)) {
        logbook::LogStore store(logPath);
        const logbook::LogResult read = report::readRangeEntries(store, *from, *to, entries);
        if (!read.ok) {
            err << "norvalis-cli: the logbook could not be read.\n"
                << read.error.toStdString() << "\n";
            return kExitFindings;
        }
    }
    FileResult tablesRead;
    report::FileTables tables = report::ReadFileTables(settingsPath, tablesRead);
    if (!tablesRead.ok) {
        err << "norvalis-cli: " << tablesRead.error << "\n";
        return kExitFindings;
    }
    report::ReportRequest request{*from, *to, *units, EffectiveTargetRange(options, *units), {}};
    const report::ReportData data = report::buildReportData(
        request, std::move(entries), std::move(tables), QDateTime::currentDateTime());

    if (commandLine.json) {
        out << ReportJson(data.stats, *arguments.from, *arguments.to, *units);
        return kExitSuccess;
    }
    const QString path = QString::fromLocal8Bit(arguments.out->c_str());
    const report::PdfResult written = report::writeReportPdf(data, path);
    if (!written.ok) {
        err << "norvalis-cli: the report could not be written to " << *arguments.out << ": "
            << written.error.toStdString() << "\n";
        return kExitFindings;
    }
    return kExitSuccess;
}

#endif

} // namespace norvalis::cli
