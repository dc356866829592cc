#include "commands.h"
#include "core/dose_calculation.h"
#include "core/leading_number.h"
#include "core/taken_units.h"
#include "log_application.h"
#include "logbook/entry_kind.h"
#include "logbook/entry_time_input.h"
#include "logbook/log_location.h"
#include "logbook/log_store.h"

#include <algorithm>
#include <ostream>

namespace norvalis::cli {

namespace {

double ReadNumber(const std::string &text) {
    return LeadingNumber(text).value_or(0);
}

bool PeriodListed(const DoseSettings &settings, const std::string &period) {
    const int count = std::clamp(settings.Counts.PeriodCount, 0, kTableSlots);
    for (int i = 1; i <= count; ++i) {
        if (settings.PeriodList[static_cast<std::size_t>(i)] == period)
            return true;
    }
    return false;
}

} // namespace

int RunLogAdd(const CommandLine &commandLine, const std::string &settingsPath, std::ostream &out,
              std::ostream &err) {
    EnsureApplication();
    const std::string kindText = commandLine.kind.value_or("rapid");
    const std::optional<logbook::EntryKind> kind = logbook::kindFromName(FromStd(kindText));
    if (!kind) {
        err << "norvalis-cli: unknown kind \"" << kindText
            << "\"; it is rapid, long or reading. Nothing was recorded.\n";
        return kExitFindings;
    }
    if (*kind == logbook::EntryKind::Reading) {
        if (commandLine.taken) {
            err << "norvalis-cli: a reading records no insulin: leave out --taken\n";
            return kExitUsage;
        }
        if (!commandLine.bloodSugarGiven) {
            err << "norvalis-cli: a reading needs --blood-sugar TEXT\n";
            return kExitUsage;
        }
    } else if (!commandLine.taken) {
        err << "norvalis-cli: log add needs --taken UNITS for a " << kindText << " dose\n";
        return kExitUsage;
    }
    if (*kind == logbook::EntryKind::Long && commandLine.periodOption) {
        err << "norvalis-cli: a long-acting dose belongs to no period: leave out --period\n";
        return kExitUsage;
    }

    logbook::LogEntry entry;
    entry.kind = *kind;
    if (commandLine.taken) {
        const TakenUnits taken = ReadTakenUnits(*commandLine.taken);
        if (!taken.units) {
            err << "norvalis-cli: --taken \"" << *commandLine.taken << "\" " << taken.problem
                << ". Nothing was recorded.\n";
            return kExitFindings;
        }
        entry.taken = *taken.units;
    }
    const std::optional<QDateTime> at = EntryTime(commandLine, err);
    if (!at)
        return kExitFindings;
    if (logbook::tooFarAhead(*at, QDateTime::currentDateTime())) {
        err << "norvalis-cli: --at " << *commandLine.at
            << " is more than a day ahead of now. Nothing was recorded.\n";
        return kExitFindings;
    }
    entry.takenAt = *at;
    entry.bloodSugarText = FromStd(commandLine.bloodSugar);
    entry.bloodSugar = ReadNumber(commandLine.bloodSugar);
    entry.carbText = FromStd(commandLine.carbs);
    entry.carbs = ReadNumber(commandLine.carbs);
    entry.note = FromStd(commandLine.note.value_or(""));

    if (commandLine.periodOption) {
        const std::string &period = *commandLine.periodOption;
        DoseSettings periods;
        if (!LoadOrReport(periods, "periods", "", settingsPath, err))
            return kExitFindings;
        if (!PeriodListed(periods, period)) {
            err << "norvalis-cli: the settings file lists no period \"" << period
                << "\". Nothing was recorded.\n";
            return kExitFindings;
        }
        entry.period = FromStd(period);
        if (*kind == logbook::EntryKind::Rapid) {
            DoseSettings tables;
            if (!LoadOrReport(tables, "dosages", period, settingsPath, err))
                return kExitFindings;
            const DoseLabels labels =
                CalculateDoses(tables, commandLine.bloodSugar, commandLine.carbs);
            entry.correctionDose = FromStd(labels.Lab_bs2);
            entry.carbDose = FromStd(labels.Lab_cd2);
            entry.weightingDose = FromStd(labels.Lab_cw2);
            entry.totalDose = FromStd(labels.Lab_tot2);
        }
    }

    logbook::LogStore store(logbook::defaultLogPath());
    const logbook::LogResult added = store.add(entry);
    if (!added.ok) {
        err << "norvalis-cli: the entry was not recorded.\n" << Std(added.error) << "\n";
        return kExitFindings;
    }
    out << entry.id << "\n";
    return kExitSuccess;
}

} // namespace norvalis::cli
