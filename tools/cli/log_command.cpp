#include "commands.h"

#include <ostream>

#ifdef NORVALIS_CLI_LOGBOOK
#include "core/number_text.h"
#include "json_text.h"
#include "log_application.h"
#include "logbook/entry_kind.h"
#include "logbook/entry_time_text.h"
#include "logbook/log_csv.h"
#include "logbook/log_location.h"
#include "logbook/log_store.h"

#include <QFile>
#include <memory>
#endif

namespace norvalis::cli {

#ifndef NORVALIS_CLI_LOGBOOK

int RunLog(const CommandLine &, std::ostream &, std::ostream &err) {
    err << "norvalis-cli: this build has no logbook support (it needs Qt SQL)\n";
    return kExitFindings;
}

#else

namespace {

void PrintJson(const QList<logbook::LogEntry> &entries, std::ostream &out) {
    out << "[";
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const logbook::LogEntry &e = entries[i];
        out << (i > 0 ? ",\n" : "\n")
            << "{\"time\":" << JsonString(Std(logbook::offsetTimeText(e.takenAt)))
            << ",\"period\":" << JsonString(Std(e.period))
            << ",\"blood_sugar_text\":" << JsonString(Std(e.bloodSugarText))
            << ",\"blood_sugar\":" << NumberText(e.bloodSugar)
            << ",\"carbohydrate_text\":" << JsonString(Std(e.carbText))
            << ",\"carbohydrate\":" << NumberText(e.carbs)
            << ",\"correction_dose\":" << JsonString(Std(e.correctionDose))
            << ",\"carbohydrate_dose\":" << JsonString(Std(e.carbDose))
            << ",\"weighting_dose\":" << JsonString(Std(e.weightingDose))
            << ",\"total_dose\":" << JsonString(Std(e.totalDose))
            << ",\"taken\":" << NumberText(e.taken) << ",\"note\":" << JsonString(Std(e.note))
            << ",\"kind\":" << JsonString(Std(logbook::kindName(e.kind))) << "}";
    }
    out << (entries.isEmpty() ? "]\n" : "\n]\n");
}

// Local times, each with its zone: the text is pasted and read elsewhere, where "now" is not
// known.
void PrintText(const QList<logbook::LogEntry> &entries, std::ostream &out) {
    const QDateTime now = QDateTime::currentDateTime();
    for (const logbook::LogEntry &e : entries) {
        out << Std(logbook::entryTimeText(e.takenAt, now, logbook::ZoneShown::Always));
        // Rapid doses keep the line they always had; the other kinds say what they are.
        if (e.kind == logbook::EntryKind::Long)
            out << "  long-acting";
        else if (e.kind == logbook::EntryKind::Reading)
            out << "  reading only";
        out << "  " << Std(e.period) << "  blood sugar " << Std(e.bloodSugarText)
            << "  carbohydrate " << Std(e.carbText) << "  total "
            << (e.totalDose.isEmpty() ? "(none)" : Std(e.totalDose)) << "  taken "
            << NumberText(e.taken);
        if (!e.note.isEmpty()) {
            // One entry, one line: a note's own line breaks are shown as spaces.
            out << "  note: " << Std(e.note.simplified());
        }
        out << "\n";
    }
}

} // namespace

int RunLog(const CommandLine &commandLine, std::ostream &out, std::ostream &err) {
    EnsureApplication();
    QDateTime since;
    if (commandLine.since) {
        const QDate day =
            QDate::fromString(QString::fromStdString(*commandLine.since), Qt::ISODate);
        if (!day.isValid()) {
            err << "norvalis-cli: --since wants a date as YYYY-MM-DD, not " << *commandLine.since
                << "\n";
            return kExitUsage;
        }
        // The day as the person's calendar has it: from local midnight.
        since = day.startOfDay();
    }
    const QString path = logbook::defaultLogPath();
    QList<logbook::LogEntry> entries;
    // Reading must not create a logbook: none yet is an empty one.
    if (QFile::exists(path)) {
        logbook::LogStore store(path);
        const logbook::LogResult read = store.entries(entries, since);
        if (!read.ok) {
            err << "norvalis-cli: the logbook could not be read.\n" << Std(read.error) << "\n";
            return kExitFindings;
        }
    } else {
        err << "norvalis-cli: no logbook yet at " << Std(path) << "\n";
    }
    if (commandLine.json) {
        PrintJson(entries, out);
    } else if (commandLine.csv) {
        out << logbook::entriesToCsv(entries).toStdString();
    } else {
        PrintText(entries, out);
    }
    return kExitSuccess;
}

#endif

} // namespace norvalis::cli
