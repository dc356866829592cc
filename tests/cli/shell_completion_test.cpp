// The bash completion for norvalis-cli, sourced in bash and called as bash calls it, with
// COMP_WORDS and COMP_CWORD set, against the real program and a settings file.

#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvalis::cli {
namespace {

using norvalis::testing::ReadFile;
using norvalis::testing::ScratchDirectory;
using norvalis::testing::WriteFile;
using norvalis::testing::operator<<;

const char *const kCompletion = NORVALIS_SOURCE_DIR "/packaging/bash-completion/norvalis-cli";

struct CompletionCase {
    std::string name;
    // The words after the program's; "$FILE" stands for the settings file. The last is the
    // word being completed.
    std::vector<std::string> words;
    std::vector<std::string> offered; // as bash puts them on the command line
};

const std::string kSettings = "[Period]\nP_1=Breakfast\nP_2=Late lunch\nP_3=Tea \"time\"\n";

// clang-format off
const CompletionCase kCases[] = {
    {"commands_after_the_program",
     {""},
     {"periods", "tables", "dose", "check", "log", "report", "active"}},
    {"command_by_its_start", {"d"}, {"dose"}},
    {"options_without_a_command", {"--"}, {"--settings", "--help", "--version"}},
    {"option_before_the_command_is_skipped", {"--json", "ch"}, {"check"}},
    {"period_names_from_the_settings_file", {"--settings", "$FILE", "tables", ""}, {"Breakfast", "Late\\ lunch", "Tea\\ \\\"time\\\""}},
    {"period_name_with_a_blank_by_its_start", {"--settings", "$FILE", "dose", "La"}, {"Late\\ lunch"}},
    {"period_typed_with_a_backslash", {"--settings", "$FILE", "dose", "Late\\ l"}, {"Late\\ lunch"}},
    {"settings_given_with_equals", {"--settings=$FILE", "dose", "B"}, {"Breakfast"}},
    {"settings_after_the_command", {"tables", "--settings", "$FILE", "T"}, {"Tea\\ \\\"time\\\""}},
    {"nothing_after_the_period", {"--settings", "$FILE", "tables", "Breakfast", ""}, {}},
    {"options_of_dose", {"dose", "Breakfast", "--"}, {"--blood-sugar", "--carbs", "--json", "--settings", "--help"}},
    {"options_of_log", {"log", "--"}, {"--since", "--json", "--csv", "--settings", "--help"}},
    {"value_of_an_option_offers_nothing", {"--settings", "$FILE", "dose", "Breakfast", "--carbs", ""}, {}},
    {"missing_settings_file_offers_no_period", {"--settings", "/nonexistent/Norvalis.ini", "dose", ""}, {}},
    {"unknown_command_offers_nothing", {"frobnicate", ""}, {}},
    {"settings_value_completes_file_names", {"--settings", "$DIR/Norv"}, {"$DIR/Norvalis.ini"}},
    {"units_of_the_report", {"report", "--units", "mm"}, {"mmol/L"}},
    {"report_dates_offer_nothing", {"report", "--from", ""}, {}},
};
// clang-format on

class ShellCompletion : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(ShellCompletion, OffersWhatFits) {
    const CompletionCase &c = GetParam();
    ScratchDirectory scratch;
    const std::string settings = scratch.File("Norvalis.ini");
    WriteFile(settings, kSettings);
    const auto expand = [&](std::string word) {
        for (const auto &[mark, value] :
             {std::pair<std::string, std::string>{"$FILE", settings}, {"$DIR", scratch.Path()}}) {
            if (const std::size_t at = word.find(mark); at != std::string::npos) {
                word.replace(at, mark.size(), value);
            }
        }
        return word;
    };
    // No word holds a single quote, so each goes into the script in single quotes.
    std::string words = "'" NORVALIS_CLI_PATH "'";
    for (const std::string &word : c.words) {
        words += " '" + expand(word) + "'";
    }
    WriteFile(scratch.File("complete.sh"),
              std::string("set -u\nsource '") + kCompletion + "'\nCOMP_WORDS=(" + words +
                  ")\nCOMP_CWORD=" + std::to_string(c.words.size()) +
                  "\n_norvalis_cli\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n");
    const std::string command = "bash --norc --noprofile '" + scratch.File("complete.sh") + "' >'" +
                                scratch.File("out") + "' 2>'" + scratch.File("err") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(scratch.File("err"));
    std::string expected;
    for (const std::string &word : c.offered) {
        expected += expand(word) + "\n";
    }
    // printf prints one empty line for an empty list.
    EXPECT_EQ(ReadFile(scratch.File("out")), expected.empty() ? "\n" : expected);
    EXPECT_EQ(ReadFile(scratch.File("err")), "");
}

INSTANTIATE_TEST_SUITE_P(Words, ShellCompletion, ::testing::ValuesIn(kCases),
                         norvalis::testing::CaseName());

} // namespace
} // namespace norvalis::cli
