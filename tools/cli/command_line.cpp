#include "command_line.h"

#include <array>

namespace norvalis::cli {

namespace {

struct CommandSpelling {
    std::string_view name;
    Command command;
    bool takesPeriod;
};

constexpr std::array kCommands = {
    CommandSpelling{"periods", Command::Periods, false},
    CommandSpelling{"tables", Command::Tables, true},
    CommandSpelling{"dose", Command::Dose, true},
    CommandSpelling{"check", Command::Check, false},
    CommandSpelling{"log", Command::Log, false},
    CommandSpelling{"active", Command::Active, false},
    CommandSpelling{"report", Command::Report, false},
};

// The subcommands of log: "log add" takes options only, "log import" one FILE.
struct SubcommandSpelling {
    std::string_view name;
    Command command;
    bool takesFile;
};

constexpr std::array kLogSubcommands = {
    SubcommandSpelling{"add", Command::LogAdd, false},
    SubcommandSpelling{"import", Command::LogImport, true},
};

enum class Option {
    Settings,
    BloodSugar,
    Carbs,
    Json,
    Csv,
    Since,
    Taken,
    Kind,
    Period,
    At,
    Note,
    Help,
    Version,
    From,
    To,
    Units,
    Out
};

struct OptionSpelling {
    std::string_view name;
    Option option;
    bool takesValue;
};

constexpr std::array kOptions = {
    OptionSpelling{"--settings", Option::Settings, true},
    OptionSpelling{"--blood-sugar", Option::BloodSugar, true},
    OptionSpelling{"--carbs", Option::Carbs, true},
    OptionSpelling{"--json", Option::Json, false},
    OptionSpelling{"--csv", Option::Csv, false},
    OptionSpelling{"--since", Option::Since, true},
    OptionSpelling{"--taken", Option::Taken, true},
    OptionSpelling{"--kind", Option::Kind, true},
    OptionSpelling{"--period", Option::Period, true},
    OptionSpelling{"--at", Option::At, true},
    OptionSpelling{"--note", Option::Note, true},
    OptionSpelling{"--help", Option::Help, false},
    OptionSpelling{"-h", Option::Help, false},
    OptionSpelling{"--version", Option::Version, false},
    OptionSpelling{"--from", Option::From, true},
    OptionSpelling{"--to", Option::To, true},
    OptionSpelling{"--units", Option::Units, true},
    OptionSpelling{"--out", Option::Out, true},
};

ParsedCommandLine Fail(std::string error) {
    return {std::nullopt, std::move(error)};
}

// What is missing or out of place for the report command; empty when nothing is.
std::string ReportUsageProblem(const CommandLine &line) {
    const ReportArguments &report = line.report;
    const bool given = report.from || report.to || report.units || report.out;
    if (line.command != Command::Report) {
        return given ? "--from, --to, --units and --out belong to the report command" : "";
    }
    if (!report.from || !report.to) {
        return "report needs --from DATE and --to DATE";
    }
    if (line.json == report.out.has_value()) {
        return "report needs one of --out FILE.pdf and --json";
    }
    return {};
}

} // namespace

std::string UsageText() {
    return "usage: norvalis-cli [--settings FILE] periods [--json]\n"
           "       norvalis-cli [--settings FILE] tables PERIOD [--json]\n"
           "       norvalis-cli [--settings FILE] dose PERIOD --blood-sugar TEXT --carbs TEXT "
           "[--json]\n"
           "       norvalis-cli [--settings FILE] check [--json]\n"
           "       norvalis-cli log [--since DATE] [--json|--csv]\n"
           "       norvalis-cli [--settings FILE] report --from DATE --to DATE\n"
           "                    [--units mg/dL|mmol/L] (--out FILE.pdf | --json)\n"
           "       norvalis-cli [--settings FILE] log add --taken UNITS [--kind "
           "rapid|long|reading]\n"
           "                    [--period NAME] [--blood-sugar TEXT] [--carbs TEXT] [--at TIME]\n"
           "                    [--note TEXT]\n"
           "       norvalis-cli log import FILE.csv\n"
           "       norvalis-cli [--settings FILE] active [--at TIME] [--json]\n"
           "       norvalis-cli --help | --version\n";
}

std::string VersionText() {
    return std::string("norvalis-cli ") + NORVALIS_VERSION + "\n";
}

std::string HelpText() {
    return UsageText() +
           "\n"
           "Reads the Norvalis dose tables the way the Norvalis program does.\n"
           "\n"
           "Commands:\n"
           "  periods          The period list as the program reads it at start-up, one name\n"
           "                   per line (--json: an array of strings).\n"
           "  tables PERIOD    The carbohydrate, blood sugar correction and weighting tables\n"
           "                   of PERIOD as selecting it loads them, entries as the file holds\n"
           "                   them (--json: {\"period\", \"carb_dose\", \"correction\",\n"
           "                   \"weighting\"}).\n"
           "  dose PERIOD --blood-sugar TEXT --carbs TEXT\n"
           "                   Loads PERIOD as the main window does when it is selected and\n"
           "                   shows the doses the window shows for these two box texts\n"
           "                   (--json: {\"period\", \"correction_dose\", \"weighting_dose\",\n"
           "                   \"carb_dose\", \"total_dose\", \"carb_rate_text\",\n"
           "                   \"carb_ratio_text\", \"weighting_caption\"}, and \"pen_dose\" and\n"
           "                   \"above_max\" when PenStep and MaxDose are set in [Options]).\n"
           "                   An empty dose means no value or a value that could not be\n"
           "                   worked out. The period Options is refused: that section\n"
           "                   holds the settings.\n"
           "                   tables and dose refuse, with exit status 1, a PERIOD the\n"
           "                   file does not list.\n"
           "  check            Looks for mistakes in a hand-edited file: a missing file or one\n"
           "                   that is no settings file, periods without a section, sections\n"
           "                   no period lists, keys that are never read (misspelt, after a\n"
           "                   gap, repeated), entries without a number or with a comma too\n"
           "                   few or too many, levels that do not rise, grams per unit of 0\n"
           "                   or below, values longer than the program reads, [Options]\n"
           "                   values the program ignores. One finding\n"
           "                   per line: section, key: problem; what the program does\n"
           "                   (--json: [{\"key\", \"section\", \"line\", \"message\"}]).\n"
           "                   Exit status 1 when there is any finding.\n"
           "  log              The recorded doses, newest first, from the logbook\n"
           "                   Norvalis-log.sqlite in the user's data folder; --since\n"
           "                   YYYY-MM-DD keeps those from that local day on (--json: an\n"
           "                   array of objects, each with its \"kind\"; --csv: RFC 4180 with a\n"
           "                   header line, the kind in the last column).\n"
           "  log add --taken UNITS [--kind rapid|long|reading] [--period NAME]\n"
           "          [--blood-sugar TEXT] [--carbs TEXT] [--at TIME] [--note TEXT]\n"
           "                   Records one entry and prints its id. The kind is rapid (a meal\n"
           "                   or correction dose; the default), long (a long-acting dose) or\n"
           "                   reading (a blood sugar reading with no dose). --taken is\n"
           "                   needed for rapid and long and refused for reading, which needs\n"
           "                   --blood-sugar; from 0 to 1000000 units. NAME must be a period\n"
           "                   the settings file lists; for rapid the doses stored are those\n"
           "                   \"dose\" shows for these texts with the file's tables now;\n"
           "                   long takes no period. TIME is ISO 8601, local\n"
           "                   (2026-12-01T08:30) or with an offset (2026-12-01T08:30+01:00),\n"
           "                   at most a day ahead; the default is now.\n"
           "  log import FILE.csv\n"
           "                   Adds the entries of a CSV that \"log --csv\" or Export CSV...\n"
           "                   wrote, all in one go, and says how many were added and how\n"
           "                   many skipped: an entry already in the logbook (the same second,\n"
           "                   kind and units taken) is skipped, so importing twice adds\n"
           "                   nothing. One row that cannot be read refuses the whole file\n"
           "                   with its row number (the header is row 1); nothing is stored.\n"
           "  active [--at TIME]\n"
           "                   The rapid-acting insulin still working at TIME (default now),\n"
           "                   from the logbook's rapid doses, on the curve and duration set\n"
           "                   by InsulinCurve and InsulinHours in [Options] (--json:\n"
           "                   {\"active_insulin\", \"doses\", \"curve\", \"hours\"}). "
           "Information\n"
           "                   only: it is never taken off any dose.\n"
           "  report --from YYYY-MM-DD --to YYYY-MM-DD (--out FILE.pdf | --json)\n"
           "                   The clinic report of those local days, both included: the\n"
           "                   statistics, the charts, the dose tables and the entries as a\n"
           "                   PDF/A file, or the statistics as one JSON object. --units\n"
           "                   mg/dL or mmol/L says what the readings are in; without it,\n"
           "                   GlucoseUnits in [Options] of the settings file.\n"
           "\n"
           "Options:\n"
           "  --settings FILE  The settings file to read (default: the program's, named below:\n"
           "                   Norvalis.ini beside this program, or for the installed package\n"
           "                   ~/.config/Norvalis/Norvalis.ini). A missing file reads as an\n"
           "                   empty one.\n"
           "  --json           Print JSON instead of text.\n"
           "  --csv            Print CSV instead of text (log only).\n"
           "  --help, -h       Print this help.\n"
           "  --version        Print the version.\n"
           "Option values are taken as given, also when empty or starting with '-'.\n"
           "\n"
           "Exit status: 0 success, 1 findings, an unreadable settings file, a period the file\n"
           "does not list, an entry or file that was not stored, or a logbook that cannot be\n"
           "used; 2 wrong usage.\n";
}

std::string SettingsFileLine(const std::string &path) {
    return "\nSettings file: " + path + "\n";
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string_view> &arguments) {
    CommandLine result;
    std::vector<std::string_view> positional;
    std::optional<std::string> bloodSugar;
    std::optional<std::string> carbs;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            positional.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const OptionSpelling *spelling = nullptr;
        for (const OptionSpelling &candidate : kOptions) {
            if (candidate.name == name) {
                spelling = &candidate;
            }
        }
        if (spelling == nullptr) {
            return Fail("unknown option " + std::string(name));
        }
        std::optional<std::string> value;
        if (equals != std::string_view::npos) {
            if (!spelling->takesValue) {
                return Fail("option " + std::string(name) + " takes no value");
            }
            value = std::string(argument.substr(equals + 1));
        } else if (spelling->takesValue) {
            if (i + 1 >= arguments.size()) {
                return Fail("option " + std::string(name) + " needs a value");
            }
            value = std::string(arguments[++i]);
        }
        const auto setOnce = [&](std::optional<std::string> &target) {
            if (target) {
                return false;
            }
            target = value;
            return true;
        };
        bool first = true;
        switch (spelling->option) {
        case Option::Settings:
            first = setOnce(result.settingsPath);
            break;
        case Option::BloodSugar:
            first = setOnce(bloodSugar);
            break;
        case Option::Carbs:
            first = setOnce(carbs);
            break;
        case Option::Json:
            result.json = true;
            break;
        case Option::Csv:
            result.csv = true;
            break;
        case Option::Since:
            first = setOnce(result.since);
            break;
        case Option::Taken:
            first = setOnce(result.taken);
            break;
        case Option::Kind:
            first = setOnce(result.kind);
            break;
        case Option::Period:
            first = setOnce(result.periodOption);
            break;
        case Option::At:
            first = setOnce(result.at);
            break;
        case Option::Note:
            first = setOnce(result.note);
            break;
        case Option::Help:
            help = true;
            break;
        case Option::Version:
            version = true;
            break;
        case Option::From:
            first = setOnce(result.report.from);
            break;
        case Option::To:
            first = setOnce(result.report.to);
            break;
        case Option::Units:
            first = setOnce(result.report.units);
            break;
        case Option::Out:
            first = setOnce(result.report.out);
            break;
        }
        if (!first) {
            return Fail("option " + std::string(name) + " given twice");
        }
    }

    if (help || version) {
        result.command = help ? Command::Help : Command::Version;
        return {result, {}};
    }
    if (positional.empty()) {
        return Fail("no command given");
    }
    const CommandSpelling *command = nullptr;
    for (const CommandSpelling &candidate : kCommands) {
        if (candidate.name == positional.front()) {
            command = &candidate;
        }
    }
    if (command == nullptr) {
        return Fail("unknown command " + std::string(positional.front()));
    }
    result.command = command->command;
    std::size_t expected = command->takesPeriod ? 2 : 1;
    if (result.command == Command::Log && positional.size() > 1) {
        for (const SubcommandSpelling &sub : kLogSubcommands) {
            if (sub.name == positional[1]) {
                result.command = sub.command;
                expected = sub.takesFile ? 3 : 2;
            }
        }
        if (result.command == Command::LogImport && positional.size() < 3) {
            return Fail("log import needs a FILE");
        }
    }
    if (positional.size() < expected) {
        return Fail(std::string(command->name) + " needs a PERIOD");
    }
    if (positional.size() > expected) {
        return Fail("unexpected argument " + std::string(positional[expected]));
    }
    if (command->takesPeriod) {
        result.period = std::string(positional[1]);
    }
    if (result.command == Command::LogImport) {
        result.file = std::string(positional[2]);
    }
    if (result.command == Command::Dose) {
        if (!bloodSugar || !carbs) {
            return Fail("dose needs --blood-sugar TEXT and --carbs TEXT");
        }
        result.bloodSugar = *bloodSugar;
        result.carbs = *carbs;
    } else if (result.command == Command::LogAdd) {
        result.bloodSugarGiven = bloodSugar.has_value();
        result.bloodSugar = bloodSugar.value_or("");
        result.carbs = carbs.value_or("");
    } else if (bloodSugar || carbs) {
        return Fail("--blood-sugar and --carbs belong to the dose and log add commands");
    }
    if (result.command != Command::LogAdd &&
        (result.taken || result.kind || result.periodOption || result.note)) {
        return Fail("--taken, --kind, --period and --note belong to the log add command");
    }
    if (result.at && result.command != Command::LogAdd && result.command != Command::Active) {
        return Fail("--at belongs to the log add and active commands");
    }
    if (result.json &&
        (result.command == Command::LogAdd || result.command == Command::LogImport)) {
        return Fail("--json does not apply to log add and log import");
    }
    if (result.command != Command::Log && (result.csv || result.since)) {
        return Fail("--csv and --since belong to the log command");
    }
    if (result.json && result.csv) {
        return Fail("choose one of --json and --csv");
    }
    if (const std::string problem = ReportUsageProblem(result); !problem.empty()) {
        return Fail(problem);
    }
    return {result, {}};
}

} // namespace norvalis::cli
