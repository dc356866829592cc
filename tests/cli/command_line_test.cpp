#include "command_line.h"
#include "tests/core/named_cases.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace norvalis::cli {
namespace {

using norvalis::testing::operator<<; // names the cases in the test lists

struct ParseCase {
    const char *name;
    std::vector<std::string_view> arguments;
    std::optional<CommandLine> expected; // empty: wrong usage
};

auto Fields(const CommandLine &l) {
    return std::tie(l.command, l.settingsPath, l.period, l.bloodSugar, l.carbs, l.json, l.csv,
                    l.since);
}

class ParseCommandLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, Parses) {
    const ParsedCommandLine parsed = ParseCommandLine(GetParam().arguments);
    ASSERT_EQ(parsed.commandLine.has_value(), GetParam().expected.has_value()) << parsed.error;
    EXPECT_EQ(parsed.error.empty(), parsed.commandLine.has_value());
    if (parsed.commandLine) {
        EXPECT_EQ(Fields(*parsed.commandLine), Fields(*GetParam().expected));
    }
}

using enum Command;

// Option values are taken as given, also when empty or starting with '-'.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Arguments, ParseCommandLineTest, ::testing::Values(
    ParseCase{"settings_and_json", {"--settings", "a.ini", "periods", "--json"}, CommandLine{Periods, "a.ini", "", "", "", true, false, std::nullopt}},
    ParseCase{"settings_equals_after_command", {"periods", "--settings=b.ini"}, CommandLine{Periods, "b.ini", "", "", "", false, false, std::nullopt}},
    ParseCase{"settings_empty_value", {"--settings", "", "check"}, CommandLine{Check, "", "", "", "", false, false, std::nullopt}},
    ParseCase{"tables_empty_period", {"tables", ""}, CommandLine{Tables, std::nullopt, "", "", "", false, false, std::nullopt}},
    ParseCase{"period_after_double_dash", {"tables", "--", "-early"}, CommandLine{Tables, std::nullopt, "-early", "", "", false, false, std::nullopt}},
    ParseCase{"dose_values_look_like_options", {"dose", "L", "--blood-sugar", "--json", "--carbs", "-5"}, CommandLine{Dose, std::nullopt, "L", "--json", "-5", false, false, std::nullopt}},
    ParseCase{"dose_empty_values", {"dose", "L", "--blood-sugar", "", "--carbs=", "--json"}, CommandLine{Dose, std::nullopt, "L", "", "", true, false, std::nullopt}},
    ParseCase{"help", {"--help"}, CommandLine{}},
    ParseCase{"help_beats_command", {"dose", "-h"}, CommandLine{}},
    ParseCase{"no_arguments", {}, std::nullopt},
    ParseCase{"unknown_command", {"doses"}, std::nullopt},
    ParseCase{"command_case_matters", {"Periods"}, std::nullopt},
    ParseCase{"unknown_option", {"periods", "--jsn"}, std::nullopt},
    ParseCase{"settings_without_value", {"periods", "--settings"}, std::nullopt},
    ParseCase{"settings_twice", {"--settings", "a", "--settings", "b", "periods"}, std::nullopt},
    ParseCase{"tables_without_period", {"tables"}, std::nullopt},
    ParseCase{"periods_extra_argument", {"periods", "Lunch"}, std::nullopt},
    ParseCase{"dose_without_carbs", {"dose", "L", "--blood-sugar", "1"}, std::nullopt},
    ParseCase{"dose_options_on_tables", {"tables", "L", "--carbs", "1"}, std::nullopt},
    ParseCase{"json_takes_no_value", {"periods", "--json=yes"}, std::nullopt},
    ParseCase{"check_json", {"check", "--json"}, CommandLine{Check, std::nullopt, "", "", "", true, false, std::nullopt}},
    ParseCase{"version_alone", {"--version"}, CommandLine{Version, std::nullopt, "", "", "", false, false, std::nullopt}},
    ParseCase{"version_takes_no_value", {"--version=2"}, std::nullopt}),
    norvalis::testing::CaseName());
// clang-format on

TEST(HelpText, ExplainsEveryCommandAndOption) {
    // clang-format off
    for (const char *word : {"periods", "tables PERIOD", "dose PERIOD", "check", "--settings",
                             "--json", "--blood-sugar", "--carbs", "--version", "log", "--csv",
                             "--since", "Exit status", "log add", "--taken UNITS",
                             "--kind rapid|long|reading", "--period NAME", "--at TIME",
                             "--note TEXT", "log import FILE.csv", "active [--at TIME]",
                             "\"active_insulin\""}) {
        // clang-format on
        EXPECT_NE(HelpText().find(word), std::string::npos) << word;
    }
}

} // namespace
} // namespace norvalis::cli
