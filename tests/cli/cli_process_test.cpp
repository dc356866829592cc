#include "command_line.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace norvalis::cli {
namespace {

using norvalis::testing::operator<<; // names the cases in the test lists

using norvalis::testing::ReadFile;
using norvalis::testing::ScratchDirectory;
using norvalis::testing::WriteFile;

// Lunch's table ends at the missing BS_2; Supper has no section.
const std::string kExampleFile =
    "[Period]\nP_1=Breakfast\nP_2=Lunch\nP_3=Supper\nP_4=Tea \"time\"\n"
    "[Breakfast]\nCD_1=10\nBS_1=140,1\nBS_2=180,2\nBS_3=220,3\nCW_1=60,1\nCW_2=100,2\n"
    "[Lunch]\nCD_1=12\nBS_1=150,1\nBS_3=250,3\n[Tea \"time\"]\nCD_1=15\n";

// Where the settings file is: "--settings FILE" comes first, unless the file lies beside a copy
// of the program, or the copy is in a package's layout (usr/bin with usr/share/norvalis) and
// the file is the user's own (with one beside the copy too, for the last).
enum Settings { Example, Missing, Unreadable, BesideProgram, PerUser, PerUserAndBeside };

struct ProcessCase {
    const char *name;
    Settings settings;
    std::vector<std::string> arguments;
    int status;
    std::string out;         // "$FILE" stands for the settings file's path
    std::string errContains; // empty: standard error must be empty
};

class CliProcessTest : public ::testing::TestWithParam<ProcessCase> {};

// Runs the real program with standard output and error caught in files of the scratch directory.
TEST_P(CliProcessTest, PrintsAndExits) {
    const ProcessCase &c = GetParam();
    ScratchDirectory scratch;
    const bool packaged = c.settings == PerUser || c.settings == PerUserAndBeside;
    const std::string perUser = scratch.File("home/.config/Norvalis/Norvalis.ini");
    const std::string settings = c.settings == Unreadable ? scratch.Path().string() // a folder
                                 : c.settings == PerUser  ? perUser
                                 : packaged               ? scratch.File("usr/bin/Norvalis.ini")
                                                          : scratch.File("Norvalis.ini");
    std::string command = "'" NORVALIS_CLI_PATH "' --settings '" + settings + "'";
    if (c.settings != Missing) {
        std::filesystem::create_directories(std::filesystem::path(settings).parent_path());
        WriteFile(c.settings == Unreadable ? scratch.File("Norvalis.ini") : settings, kExampleFile);
    }
    if (c.settings == BesideProgram) {
        std::filesystem::copy_file(NORVALIS_CLI_PATH, scratch.File("norvalis-cli"));
        command = "'" + scratch.File("norvalis-cli") + "'";
    }
    if (packaged) {
        std::filesystem::create_directories(scratch.Path() / "usr/share/norvalis");
        std::filesystem::create_directories(scratch.Path() / "usr/bin");
        std::filesystem::copy_file(NORVALIS_CLI_PATH, scratch.File("usr/bin/norvalis-cli"));
        if (c.settings == PerUserAndBeside) {
            std::filesystem::create_directories(std::filesystem::path(perUser).parent_path());
            WriteFile(perUser, "[Period]\nP_1=Not this one\n");
        }
        command = "env -u XDG_CONFIG_HOME HOME='" + scratch.File("home") + "' '" +
                  scratch.File("usr/bin/norvalis-cli") + "'";
    }
    for (const std::string &argument : c.arguments) {
        command += " '" + argument + "'"; // no argument holds a single quote
    }
    command += " </dev/null >" + scratch.File("out") + " 2>" + scratch.File("err");
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.status);
    const auto withFile = [&](std::string text) {
        const std::size_t at = text.find("$FILE");
        return at == std::string::npos ? text : text.replace(at, 5, settings);
    };
    EXPECT_EQ(ReadFile(scratch.File("out")), withFile(c.out));
    const std::string errors = ReadFile(scratch.File("err"));
    EXPECT_EQ(errors.empty(), c.errContains.empty()) << errors;
    EXPECT_NE(errors.find(withFile(c.errContains)), std::string::npos) << errors;
}

const std::string kPeriods = "Breakfast\nLunch\nSupper\nTea \"time\"\n";

const std::string kBreakfastTablesJson =
    "{\"period\":\"Breakfast\",\"carb_dose\":[\"10\"],\"correction\":[\"140,1\",\"180,2\","
    "\"220,3\"],\"weighting\":[\"60,1\",\"100,2\"]}\n";

const std::string kLunchTablesText =
    "Period: Lunch\nCarbohydrate dose (grams per unit):\n  CD_1=12\nBlood sugar correction "
    "(level,dose):\n  BS_1=150,1\nCarbohydrate weighting (level,dose):\n  (none)\n";

const std::string kWorkedExampleJson =
    "{\"period\":\"Breakfast\",\"correction_dose\":\"2\",\"weighting_dose\":\"1\",\"carb_dose\":"
    "\"7.5\",\"total_dose\":\"10.5\",\"carb_rate_text\":\"Dose for carbohydrate @ 1 unit per 10 "
    "grams.\",\"carb_ratio_text\":\"1 Unit Insulin per 10 grms Carbohydrate\","
    "\"weighting_caption\":\"Weighting if over 60 grams\"}\n";

// A negative amount gives no carbohydrate dose, and so no total.
const std::string kMinusAndEmptyText = "Period: Breakfast\nBlood sugar correction dose: (none)\n"
                                       "Dose for carbohydrate @ 1 unit per 10 grams: (none)\n"
                                       "Weighting if over 60 grams: (none)\nTotal: (none)\n"
                                       "1 Unit Insulin per 10 grms Carbohydrate\n";

const std::string kFindings =
    "Period, P_3: period \"Supper\" has no section [Supper]; selecting it shows empty tables: no "
    "correction, no weighting and no carbohydrate dose for a non-zero amount\n"
    "Lunch, BS_3: comes after BS_2, which is missing or empty; the table ends before BS_2; this "
    "key is never read\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, CliProcessTest, ::testing::Values(
    ProcessCase{"periods_text", Example, {"periods"}, 0, kPeriods, ""},
    ProcessCase{"periods_json", Example, {"periods", "--json"}, 0, "[\"Breakfast\",\"Lunch\",\"Supper\",\"Tea \\\"time\\\"\"]\n", ""},
    ProcessCase{"tables_json", Example, {"tables", "Breakfast", "--json"}, 0, kBreakfastTablesJson, ""},
    ProcessCase{"tables_json_quoted_name", Example, {"--json", "tables", "Tea \"time\""}, 0, "{\"period\":\"Tea \\\"time\\\"\",\"carb_dose\":[\"15\"],\"correction\":[],\"weighting\":[]}\n", ""},
    ProcessCase{"tables_text", Example, {"tables", "Lunch"}, 0, kLunchTablesText, ""},
    ProcessCase{"dose_json_worked_example", Example, {"dose", "Breakfast", "--blood-sugar", "190", "--carbs", "75", "--json"}, 0, kWorkedExampleJson, ""},
    ProcessCase{"dose_text_minus_and_empty_values", Example, {"dose", "Breakfast", "--blood-sugar", "", "--carbs", "-5"}, 0, kMinusAndEmptyText, ""},
    ProcessCase{"check_findings", Example, {"check"}, 1, kFindings, ""},
    ProcessCase{"dose_of_a_period_not_listed", Example, {"dose", "Nope", "--blood-sugar", "190", "--carbs", "75"}, 1, "", "\"Nope\" is not a period of the settings file"},
    ProcessCase{"tables_of_a_period_not_listed", Example, {"tables", "Nope", "--json"}, 1, "", "\"Nope\" is not a period of the settings file"},
    ProcessCase{"tables_of_a_period_in_other_letter_case", Example, {"tables", "LUNCH"}, 0, "Period: LUNCH" + kLunchTablesText.substr(std::string("Period: Lunch").size()), ""},
    ProcessCase{"dose_with_the_file_missing", Missing, {"dose", "Breakfast", "--blood-sugar", "190", "--carbs", "75"}, 1, "", "\"Breakfast\" is not a period"},
    ProcessCase{"missing_file_reads_empty_and_says_so", Missing, {"periods", "--json"}, 0, "[]\n", "\"$FILE\" does not exist"},
    ProcessCase{"missing_file_check_is_a_finding", Missing, {"check"}, 1, "the settings file \"$FILE\" does not exist; the program starts with no periods and no tables\n", ""},
    ProcessCase{"version_after_command", Example, {"periods", "--version"}, 0, "norvalis-cli " NORVALIS_VERSION "\n", ""},
    ProcessCase{"unreadable_file_periods", Unreadable, {"periods"}, 1, "", "Cannot read"},
    ProcessCase{"unreadable_file_check", Unreadable, {"check"}, 1, "", "Cannot read"},
    ProcessCase{"usage_on_stderr", Example, {"periods", "--xml"}, 2, "", "usage: norvalis-cli"},
    ProcessCase{"help_on_stdout_names_the_file", Example, {"--help"}, 0, HelpText() + SettingsFileLine("$FILE"), ""},
    ProcessCase{"default_file_beside_program", BesideProgram, {"periods"}, 0, kPeriods, ""},
    ProcessCase{"package_layout_reads_the_users_file", PerUser, {"periods"}, 0, kPeriods, ""},
    ProcessCase{"package_layout_help_names_the_users_file", PerUser, {"--help"}, 0, HelpText() + SettingsFileLine("$FILE"), ""},
    ProcessCase{"file_beside_a_package_wins", PerUserAndBeside, {"periods"}, 0, kPeriods, ""},
    ProcessCase{"file_beside_a_package_is_named", PerUserAndBeside, {"--help"}, 0, HelpText() + SettingsFileLine("$FILE"), ""}),
    norvalis::testing::CaseName());
// clang-format on

} // namespace
} // namespace norvalis::cli
