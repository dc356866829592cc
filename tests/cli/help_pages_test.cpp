// The manual page and the bash completion of norvalis-cli against its --help: every command
// and option the help names is in both, and the manual page names no option the program lacks.
// A new command fails here until its line is added to both.

#include "command_line.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace norvalis::cli {
namespace {

using norvalis::testing::ReadFile;
using norvalis::testing::operator<<;

const std::string kManualPage = NORVALIS_SOURCE_DIR "/packaging/man/norvalis-cli.1";
const std::string kCompletion = NORVALIS_SOURCE_DIR "/packaging/bash-completion/norvalis-cli";

struct HelpWord {
    std::string name; // for the test list
    std::string word; // "--json", "dose"
    bool command;
};

std::set<std::string> OptionsIn(const std::string &text) {
    std::set<std::string> options;
    const std::regex option(R"((^|[\s\[|,(])(--[a-z][a-z-]*|-h)\b)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it) {
        options.insert((*it)[2]);
    }
    return options;
}

// The commands are the lines of the help's "Commands:" part that start with a word.
std::vector<HelpWord> WordsOfTheHelp() {
    std::vector<HelpWord> words;
    std::istringstream help(HelpText());
    std::string line;
    bool inCommands = false;
    std::set<std::string> commands;
    const std::regex command(R"(^  ([a-z]+)\b)");
    while (std::getline(help, line)) {
        if (line == "Commands:" || line.empty()) {
            inCommands = line == "Commands:" || (inCommands && line.empty() && commands.empty());
            continue;
        }
        std::smatch match;
        if (inCommands && std::regex_search(line, match, command) &&
            commands.insert(match[1]).second) {
            words.push_back({"command_" + match[1].str(), match[1], true});
        }
    }
    for (const std::string &option : OptionsIn(HelpText())) {
        std::string name = "option_" + option.substr(option.find_first_not_of('-'));
        for (char &c : name) {
            c = c == '-' ? '_' : c;
        }
        words.push_back({name, option, false});
    }
    return words;
}

// The manual page's text with roff's escaped minus signs as plain ones.
std::string ManualText() {
    return std::regex_replace(ReadFile(kManualPage), std::regex(R"(\\-)"), "-");
}

class HelpWordTest : public ::testing::TestWithParam<HelpWord> {};

TEST_P(HelpWordTest, IsInTheManualPage) {
    const HelpWord &w = GetParam();
    const std::string manual = ManualText();
    if (w.command) {
        // Each command has its own paragraph under COMMANDS, its name in bold.
        const std::regex entry("\\n\\.TP\\n\\.BI? " + w.word + "\\b");
        EXPECT_TRUE(std::regex_search(manual, entry)) << w.word << " has no entry";
    } else {
        EXPECT_TRUE(OptionsIn(manual).count(w.word)) << w.word << " is not in " << kManualPage;
    }
}

TEST_P(HelpWordTest, IsCompletedInBash) {
    const HelpWord &w = GetParam();
    const std::string completion = ReadFile(kCompletion);
    if (w.command) {
        // One line of the command table starts with it.
        EXPECT_TRUE(std::regex_search(completion, std::regex("\\n" + w.word + "( |\\n)")))
            << w.word << " has no line in " << kCompletion;
    } else {
        EXPECT_TRUE(OptionsIn(completion).count(w.word)) << w.word << " is not offered";
    }
}

INSTANTIATE_TEST_SUITE_P(Help, HelpWordTest, ::testing::ValuesIn(WordsOfTheHelp()),
                         norvalis::testing::CaseName());

TEST(ManualPage, NamesNoOptionTheProgramLacks) {
    const std::set<std::string> help = OptionsIn(HelpText());
    for (const std::string &option : OptionsIn(ManualText())) {
        EXPECT_TRUE(help.count(option)) << option << " is in the manual page, not in --help";
    }
}

TEST(HelpWords, AreFoundAtAll) {
    // A help reshaped so that no command is found would make the table above empty.
    std::size_t commands = 0;
    for (const HelpWord &w : WordsOfTheHelp()) {
        commands += w.command ? 1 : 0;
    }
    EXPECT_GE(commands, 5u);
    EXPECT_GE(WordsOfTheHelp().size() - commands, 8u);
}

} // namespace
} // namespace norvalis::cli
