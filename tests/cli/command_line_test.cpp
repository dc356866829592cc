#include "command_line.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace norvalis::cli {
namespace {

struct ParseCase {
    const char *name;
    std::vector<std::string_view> arguments;
    bool valid;
    Command command;
    std::string settings; // "-" for none given
    std::string period;
    std::string bloodSugar;
    std::string carbs;
    bool json;
};

void PrintTo(const ParseCase &c, std::ostream *os) {
    *os << c.name;
}

class ParseCommandLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, Parses) {
    const ParseCase &c = GetParam();
    const ParsedCommandLine parsed = ParseCommandLine(c.arguments);
    ASSERT_EQ(parsed.commandLine.has_value(), c.valid) << parsed.error;
    if (!c.valid) {
        EXPECT_FALSE(parsed.error.empty());
        return;
    }
    const CommandLine &line = *parsed.commandLine;
    EXPECT_EQ(line.command, c.command);
    EXPECT_EQ(line.settingsPath.value_or("-"), c.settings);
    EXPECT_EQ(line.period, c.period);
    EXPECT_EQ(line.bloodSugar, c.bloodSugar);
    EXPECT_EQ(line.carbs, c.carbs);
    EXPECT_EQ(line.json, c.json);
}

constexpr Command P = Command::Periods;
constexpr Command T = Command::Tables;
constexpr Command D = Command::Dose;
constexpr Command C = Command::Check;
constexpr Command H = Command::Help;

INSTANTIATE_TEST_SUITE_P(
    Arguments, ParseCommandLineTest,
    ::testing::Values(
        ParseCase{"periods", {"periods"}, true, P, "-", "", "", "", false},
        ParseCase{"periods_json_settings",
                  {"--settings", "a.ini", "periods", "--json"},
                  true,
                  P,
                  "a.ini",
                  "",
                  "",
                  "",
                  true},
        ParseCase{"settings_after_command",
                  {"periods", "--settings", "b.ini"},
                  true,
                  P,
                  "b.ini",
                  "",
                  "",
                  "",
                  false},
        ParseCase{"settings_equals_form",
                  {"--settings=c.ini", "check"},
                  true,
                  C,
                  "c.ini",
                  "",
                  "",
                  "",
                  false},
        ParseCase{
            "settings_empty_value", {"--settings", "", "check"}, true, C, "", "", "", "", false},
        ParseCase{"tables", {"tables", "Lunch"}, true, T, "-", "Lunch", "", "", false},
        ParseCase{"tables_empty_period", {"tables", ""}, true, T, "-", "", "", "", false},
        ParseCase{"period_after_double_dash",
                  {"tables", "--", "-early"},
                  true,
                  T,
                  "-",
                  "-early",
                  "",
                  "",
                  false},
        ParseCase{"dose",
                  {"dose", "Lunch", "--blood-sugar", "190", "--carbs", "75"},
                  true,
                  D,
                  "-",
                  "Lunch",
                  "190",
                  "75",
                  false},
        ParseCase{"dose_minus_values",
                  {"dose", "Lunch", "--carbs", "-5", "--blood-sugar", "-1"},
                  true,
                  D,
                  "-",
                  "Lunch",
                  "-1",
                  "-5",
                  false},
        ParseCase{"dose_value_looks_like_option",
                  {"dose", "L", "--blood-sugar", "--json", "--carbs", "--carbs"},
                  true,
                  D,
                  "-",
                  "L",
                  "--json",
                  "--carbs",
                  false},
        ParseCase{"dose_empty_values",
                  {"dose", "L", "--blood-sugar", "", "--carbs=", "--json"},
                  true,
                  D,
                  "-",
                  "L",
                  "",
                  "",
                  true},
        ParseCase{"help", {"--help"}, true, H, "-", "", "", "", false},
        ParseCase{"help_with_command", {"dose", "-h"}, true, H, "-", "", "", "", false},
        ParseCase{"no_arguments", {}, false, H, "", "", "", "", false},
        ParseCase{"unknown_command", {"doses"}, false, H, "", "", "", "", false},
        ParseCase{"command_case_matters", {"Periods"}, false, H, "", "", "", "", false},
        ParseCase{"unknown_option", {"periods", "--jsn"}, false, H, "", "", "", "", false},
        ParseCase{
            "settings_without_value", {"periods", "--settings"}, false, H, "", "", "", "", false},
        ParseCase{"settings_twice",
                  {"--settings", "a", "--settings", "b", "periods"},
                  false,
                  H,
                  "",
                  "",
                  "",
                  "",
                  false},
        ParseCase{"tables_without_period", {"tables"}, false, H, "", "", "", "", false},
        ParseCase{"periods_extra_argument", {"periods", "Lunch"}, false, H, "", "", "", "", false},
        ParseCase{"dose_without_carbs",
                  {"dose", "L", "--blood-sugar", "1"},
                  false,
                  H,
                  "",
                  "",
                  "",
                  "",
                  false},
        ParseCase{"dose_options_on_tables",
                  {"tables", "L", "--carbs", "1"},
                  false,
                  H,
                  "",
                  "",
                  "",
                  "",
                  false},
        ParseCase{
            "json_takes_no_value", {"periods", "--json=yes"}, false, H, "", "", "", "", false},
        ParseCase{"check_has_no_json", {"check", "--json"}, false, H, "", "", "", "", false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(HelpText, ExplainsEveryCommandAndOption) {
    const std::string help = HelpText();
    for (const char *word : {"periods", "tables PERIOD", "dose PERIOD", "check", "--settings",
                             "--json", "--blood-sugar", "--carbs", "Exit status"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
}

} // namespace
} // namespace norvalis::cli
