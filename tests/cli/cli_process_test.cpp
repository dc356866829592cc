#include "tests/core/scratch_directory.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace norvalis::cli {
namespace {

namespace fs = std::filesystem;
using norvalis::testing::ReadFile;
using norvalis::testing::ScratchDirectory;
using norvalis::testing::WriteFile;

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program with stdout and stderr caught in files of the scratch directory.
ProgramRun RunProgram(const std::string &program, const std::vector<std::string> &arguments,
                      const ScratchDirectory &scratch) {
    const std::string outPath = scratch.File("stdout");
    const std::string errPath = scratch.File("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<char *> argv;
    std::vector<std::string> owned = {program};
    owned.insert(owned.end(), arguments.begin(), arguments.end());
    for (std::string &argument : owned) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    ProgramRun run;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    return run;
}

const std::string kExampleFile = "[Period]\n"
                                 "P_1=Breakfast\n"
                                 "P_2=Lunch\n"
                                 "P_3=Supper\n"
                                 "P_4=Tea \"time\"\n"
                                 "\n"
                                 "[Breakfast]\n"
                                 "CD_1=10\n"
                                 "BS_1=140,1\n"
                                 "BS_2=180,2\n"
                                 "BS_3=220,3\n"
                                 "CW_1=60,1\n"
                                 "CW_2=100,2\n"
                                 "\n"
                                 "[Lunch]\n"
                                 "CD_1=12\n"
                                 "BS_1=150,1\n"
                                 "BS_3=250,3\n"
                                 "\n"
                                 "[Tea \"time\"]\n"
                                 "CD_1=15\n";

enum class Settings { Example, Missing, Unreadable };

struct ProcessCase {
    const char *name;
    Settings settings;
    std::vector<std::string> arguments; // "--settings FILE" is put first
    int status;
    std::string out;         // exact standard output
    std::string errContains; // empty: standard error must be empty
};

void PrintTo(const ProcessCase &c, std::ostream *os) {
    *os << c.name;
}

class CliProcessTest : public ::testing::TestWithParam<ProcessCase> {};

TEST_P(CliProcessTest, PrintsAndExits) {
    const ProcessCase &c = GetParam();
    ScratchDirectory scratch;
    const std::string settings = scratch.File("Norvalis.ini");
    if (c.settings == Settings::Example) {
        WriteFile(settings, kExampleFile);
    } else if (c.settings == Settings::Unreadable) {
        fs::create_directory(settings);
    }
    std::vector<std::string> arguments = {"--settings", settings};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const ProgramRun run = RunProgram(NORVALIS_CLI_PATH, arguments, scratch);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    if (c.errContains.empty()) {
        EXPECT_EQ(run.err, "");
    } else {
        EXPECT_NE(run.err.find(c.errContains), std::string::npos) << run.err;
    }
}

const std::string kWorkedExampleJson =
    "{\"period\":\"Breakfast\",\"correction_dose\":\"2\",\"weighting_dose\":\"1\","
    "\"carb_dose\":\"7.5\",\"total_dose\":\"10.5\","
    "\"carb_rate_text\":\"Dose for carbohydrate @ 1 unit per 10 grams.\","
    "\"carb_ratio_text\":\"1 Unit Insulin per 10 grms Carbohydrate\","
    "\"weighting_caption\":\"Weighting if over 60 grams\"}\n";

const std::string kNothingAppliesJson =
    "{\"period\":\"Breakfast\",\"correction_dose\":\"\",\"weighting_dose\":\"\","
    "\"carb_dose\":\"5\",\"total_dose\":\"5\","
    "\"carb_rate_text\":\"Dose for carbohydrate @ 1 unit per 10 grams.\","
    "\"carb_ratio_text\":\"1 Unit Insulin per 10 grms Carbohydrate\","
    "\"weighting_caption\":\"Weighting if over 60 grams\"}\n";

const std::string kNoTablesJson =
    "{\"period\":\"Supper\",\"correction_dose\":\"\",\"weighting_dose\":\"\","
    "\"carb_dose\":\"\",\"total_dose\":\"\","
    "\"carb_rate_text\":\"Dose for carbohydrate @ 1 unit per  grams.\","
    "\"carb_ratio_text\":\"1 Unit Insulin per  grms Carbohydrate\","
    "\"weighting_caption\":\"Weighting if over ? grams\"}\n";

const std::string kNegativeCarbsJson =
    "{\"period\":\"Breakfast\",\"correction_dose\":\"\",\"weighting_dose\":\"\","
    "\"carb_dose\":\"-0.5\",\"total_dose\":\"-0.5\","
    "\"carb_rate_text\":\"Dose for carbohydrate @ 1 unit per 10 grams.\","
    "\"carb_ratio_text\":\"1 Unit Insulin per 10 grms Carbohydrate\","
    "\"weighting_caption\":\"Weighting if over 60 grams\"}\n";

const std::string kWorkedExampleText = "Period: Breakfast\n"
                                       "Blood sugar correction dose: 2\n"
                                       "Dose for carbohydrate @ 1 unit per 10 grams: 7.5\n"
                                       "Weighting if over 60 grams: 1\n"
                                       "Total: 10.5\n"
                                       "1 Unit Insulin per 10 grms Carbohydrate\n";

const std::string kUsage = "usage: norvalis-cli";

INSTANTIATE_TEST_SUITE_P(
    Commands, CliProcessTest,
    ::testing::Values(
        ProcessCase{"periods_text",
                    Settings::Example,
                    {"periods"},
                    0,
                    "Breakfast\nLunch\nSupper\nTea \"time\"\n",
                    ""},
        ProcessCase{"periods_json",
                    Settings::Example,
                    {"periods", "--json"},
                    0,
                    "[\"Breakfast\",\"Lunch\",\"Supper\",\"Tea \\\"time\\\"\"]\n",
                    ""},
        ProcessCase{"tables_json",
                    Settings::Example,
                    {"tables", "Breakfast", "--json"},
                    0,
                    "{\"period\":\"Breakfast\",\"carb_dose\":[\"10\"],"
                    "\"correction\":[\"140,1\",\"180,2\",\"220,3\"],"
                    "\"weighting\":[\"60,1\",\"100,2\"]}\n",
                    ""},
        ProcessCase{"tables_json_stop_at_gap",
                    Settings::Example,
                    {"tables", "Lunch", "--json"},
                    0,
                    "{\"period\":\"Lunch\",\"carb_dose\":[\"12\"],\"correction\":[\"150,1\"],"
                    "\"weighting\":[]}\n",
                    ""},
        ProcessCase{"tables_json_quoted_name",
                    Settings::Example,
                    {"--json", "tables", "Tea \"time\""},
                    0,
                    "{\"period\":\"Tea \\\"time\\\"\",\"carb_dose\":[\"15\"],\"correction\":[],"
                    "\"weighting\":[]}\n",
                    ""},
        ProcessCase{"tables_text",
                    Settings::Example,
                    {"tables", "Lunch"},
                    0,
                    "Period: Lunch\nCarbohydrate dose (grams per unit):\n  CD_1=12\n"
                    "Blood sugar correction (level,dose):\n  BS_1=150,1\n"
                    "Carbohydrate weighting (level,dose):\n  (none)\n",
                    ""},
        ProcessCase{"dose_json_worked_example",
                    Settings::Example,
                    {"dose", "Breakfast", "--blood-sugar", "190", "--carbs", "75", "--json"},
                    0,
                    kWorkedExampleJson,
                    ""},
        ProcessCase{"dose_json_nothing_applies",
                    Settings::Example,
                    {"dose", "Breakfast", "--blood-sugar", "120", "--carbs", "50", "--json"},
                    0,
                    kNothingAppliesJson,
                    ""},
        ProcessCase{"dose_json_period_without_tables",
                    Settings::Example,
                    {"dose", "Supper", "--blood-sugar", "190", "--carbs", "75", "--json"},
                    0,
                    kNoTablesJson,
                    ""},
        ProcessCase{"dose_minus_and_empty_values",
                    Settings::Example,
                    {"dose", "Breakfast", "--blood-sugar", "", "--carbs", "-5", "--json"},
                    0,
                    kNegativeCarbsJson,
                    ""},
        ProcessCase{"dose_text_worked_example",
                    Settings::Example,
                    {"dose", "Breakfast", "--blood-sugar", "190", "--carbs", "75"},
                    0,
                    kWorkedExampleText,
                    ""},
        ProcessCase{
            "missing_file_reads_empty", Settings::Missing, {"periods", "--json"}, 0, "[]\n", ""},
        ProcessCase{"missing_file_check", Settings::Missing, {"check"}, 0, "No findings.\n", ""},
        ProcessCase{
            "unreadable_file_periods", Settings::Unreadable, {"periods"}, 1, "", "Cannot read"},
        ProcessCase{"unreadable_file_check", Settings::Unreadable, {"check"}, 1, "", "Cannot read"},
        ProcessCase{"check_findings",
                    Settings::Example,
                    {"check"},
                    1,
                    "Period, P_3: period \"Supper\" has no section [Supper]; selecting it shows "
                    "empty tables: no correction, no weighting and no carbohydrate dose for a "
                    "non-zero amount\n"
                    "Lunch, BS_3: comes after BS_2, which is missing or empty; the table ends "
                    "before BS_2; this key is never read\n",
                    ""},
        ProcessCase{"usage_no_command", Settings::Example, {}, 2, "", kUsage},
        ProcessCase{"usage_dose_without_blood_sugar",
                    Settings::Example,
                    {"dose", "Breakfast", "--carbs", "5"},
                    2,
                    "",
                    kUsage},
        ProcessCase{
            "usage_unknown_option", Settings::Example, {"periods", "--xml"}, 2, "", kUsage}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CliProcess, HelpGoesToStandardOutput) {
    ScratchDirectory scratch;
    const ProgramRun run = RunProgram(NORVALIS_CLI_PATH, {"--help"}, scratch);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("dose PERIOD --blood-sugar TEXT --carbs TEXT"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST(CliProcess, DefaultSettingsFileLiesBesideExecutable) {
    // State: a copy of the program with a Norvalis.ini next to it. Action: no --settings.
    ScratchDirectory scratch;
    const std::string copy = scratch.File("norvalis-cli");
    fs::copy_file(NORVALIS_CLI_PATH, copy);
    fs::permissions(copy, fs::perms::owner_all);
    WriteFile(scratch.File("Norvalis.ini"), kExampleFile);
    const ProgramRun run = RunProgram(copy, {"periods"}, scratch);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Breakfast\nLunch\nSupper\nTea \"time\"\n");
}

} // namespace
} // namespace norvalis::cli
