#include "core/settings_file.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"
#include "tests/core/table_text.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace norvalis {
namespace {

using namespace testing;
using testing::operator<<; // a using-directive is not enough for the test lists

const std::string kLStroke = "\305\201\303\263d\305\272"; // Łódź
const std::string kFruehstueck = "Fr\303\274hst\303\274ck";

const std::string kThree =
    "[Period]\r\nP_1=Breakfast\r\nP_2=Lunch\r\nP_3=Supper\r\n\r\n"
    "[Breakfast]\r\nCD_1=10\r\n\r\n"
    "  [ lunch ] ; midday meal\r\nCD_1=12\r\n; from the clinic\r\nBS_1=150,1\r\n";
const std::string kCafe = "[Period]\nP_1=Caf\xE9\n[CAF\xC9]\nCD_1=1\n";

struct PeriodsCase {
    std::string name, before, list;
    std::vector<SectionRename> renames;
    // The file afterwards: before with each text replaced in turn; none when nothing is written.
    std::vector<std::pair<std::string, std::string>> edits;
    std::string error = "";
};

// clang-format off
const PeriodsCase kPeriodsCases[] = {
    {"rename_keeps_lines_and_comments", kThree, "P=Breakfast|Midday|Supper", {{"Lunch", "Midday"}}, {{"P_2=Lunch", "P_2=Midday"}, {"[ lunch ]", "[ Midday ]"}}},
    {"removed_period_keeps_section", kThree, "P=Breakfast|Supper", {}, {{"P_2=Lunch", "P_2=Supper"}, {"P_3=Supper\r\n", ""}}},
    {"rename_without_section_writes_list", kThree, "P=Breakfast|Lunch|Dinner", {{"Supper", "Dinner"}}, {{"P_3=Supper", "P_3=Dinner"}}},
    {"two_renames_one_write", kThree, "P=Early|Midday|Supper", {{"Breakfast", "Early"}, {"Lunch", "Midday"}},
     {{"P_1=Breakfast", "P_1=Early"}, {"[Breakfast]", "[Early]"}, {"P_2=Lunch", "P_2=Midday"}, {"[ lunch ]", "[ Midday ]"}}},
    {"rename_into_existing_section_refused", kThree, "P=Breakfast|Breakfast2|Supper", {{"Lunch", "BREAKFAST"}}, {}, "already has tables"},
    {"rename_to_bracket_refused", kThree, "P=Breakfast|[x]|Supper", {{"Lunch", "[x]"}}, {}, "\"[\""},
    {"rename_of_period_section_refused", kThree, "P=Breakfast|Lunch|Supper", {{"period", "Meals"}}, {}, "holds the period list"},
    {"unstorable_list_name_refused", kCafe, "P=" + kLStroke, {}, {}, "(U+0141)"},
    {"cp1252_rename_written_in_cp1252", kCafe, "P=" + kFruehstueck, {{"Caf\303\251", kFruehstueck}}, {{"P_1=Caf\xE9", "P_1=Fr\xFChst\xFC" "ck"}, {"[CAF\xC9]", "[Fr\xFChst\xFC" "ck]"}}},
};
// clang-format on

class SavePeriodsTest : public ::testing::TestWithParam<PeriodsCase> {};

TEST_P(SavePeriodsTest, WritesListAndRenamesTogether) {
    const PeriodsCase &c = GetParam();
    ScratchDirectory directory;
    const std::string path = directory.File(kSettingsFileName);
    WriteFile(path, c.before);
    const FileResult result = SavePeriods(TablesFrom(c.list), c.renames, path);
    EXPECT_EQ(result.ok, c.error.empty()) << result.error;
    EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
    std::string after = c.before;
    for (const auto &[from, to] : c.edits) {
        after.replace(after.find(from), from.size(), to);
    }
    EXPECT_EQ(ReadFile(path), after);
}

INSTANTIATE_TEST_SUITE_P(Files, SavePeriodsTest, ::testing::ValuesIn(kPeriodsCases), CaseName());

TEST(SavePeriods, NewFileIsUtf8) {
    ScratchDirectory directory;
    const std::string path = directory.File(kSettingsFileName);
    ASSERT_TRUE(SavePeriods(TablesFrom("P=" + kLStroke), {{"A", "B"}}, path).ok);
    EXPECT_EQ(ReadFile(path), "[Period]\nP_1=" + kLStroke + "\n");
    EXPECT_EQ(SettingsFileEncoding(path), Encoding::Utf8);
    WriteFile(path, "[Period]\nP_1=Caf\xE9\n");
    EXPECT_EQ(SettingsFileEncoding(path), Encoding::Windows1252);
    EXPECT_EQ(SettingsFileEncoding(directory.File("none.ini")), Encoding::Utf8);
}

std::string Repeated(const std::string &text, int times) {
    std::string repeated;
    while (times-- > 0) {
        repeated += text;
    }
    return repeated;
}

struct NameCase {
    std::string name, period;
    Encoding encoding;
    std::string problem; // a part of the reason; empty: the name is fine
};

const NameCase kNameCases[] = {
    {"inner_blanks_and_punctuation", "Tea time (late), 2", Encoding::Utf8, ""},
    {"umlauts_in_cp1252", kFruehstueck, Encoding::Windows1252, ""},
    {"l_stroke_in_utf8", kLStroke, Encoding::Utf8, ""},
    {"l_stroke_in_cp1252", kLStroke, Encoding::Windows1252, "\"\305\201\" (U+0141)"},
    {"line_feed", "Tea\ntime", Encoding::Utf8, "line break"},
    {"carriage_return", "Tea\rtime", Encoding::Utf8, "line break"},
    {"opening_bracket", "[Tea", Encoding::Utf8, "\"[\""},
    {"closing_bracket", "Tea]", Encoding::Utf8, "\"]\""},
    {"equals_sign", "a=b", Encoding::Utf8, "\"=\""},
    {"leading_semicolon", ";Tea", Encoding::Utf8, "comment"},
    {"inner_semicolon_fine", "Tea;late", Encoding::Utf8, ""},
    {"enclosing_quotes", "\"Tea\"", Encoding::Utf8, "quotes"},
    {"one_quote_fine", "Tea \"late", Encoding::Utf8, ""},
    {"leading_blank", " Tea", Encoding::Utf8, "blank"},
    {"empty", "", Encoding::Utf8, "empty"},
    {"the_period_list_section", "Period", Encoding::Utf8, "period list"},
    {"the_period_list_section_in_capitals", "PERIOD", Encoding::Windows1252, "period list"},
    {"the_options_section", "Options", Encoding::Utf8, "options"},
    {"the_options_section_in_small_letters", "options", Encoding::Utf8, "options"},
    {"periods_is_a_name_of_its_own", "Periods", Encoding::Utf8, ""},
    {"254_bytes_fine", std::string(254, 'x'), Encoding::Utf8, ""},
    {"255_bytes", std::string(255, 'x'), Encoding::Utf8, "255 bytes"},
    {"127_umlauts_fit_cp1252", Repeated("\303\274", 127), Encoding::Windows1252, ""},
    {"128_umlauts_too_long_utf8", Repeated("\303\274", 128), Encoding::Utf8, "256 bytes"},
};

class PeriodNameProblemTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(PeriodNameProblemTest, ExplainsWhatCannotBeStored) {
    const NameCase &c = GetParam();
    const std::optional<std::string> problem = PeriodNameProblem(c.period, c.encoding);
    ASSERT_EQ(problem.has_value(), !c.problem.empty()) << problem.value_or("");
    if (problem) {
        EXPECT_NE(problem->find(c.problem), std::string::npos) << *problem;
    }
}

INSTANTIATE_TEST_SUITE_P(Names, PeriodNameProblemTest, ::testing::ValuesIn(kNameCases), CaseName());

} // namespace
} // namespace norvalis
