#include "core/settings_file.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"
#include "tests/core/table_text.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
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

std::string Replaced(std::string text, const std::string &from, const std::string &to) {
    return text.replace(text.find(from), from.size(), to);
}

struct PeriodsCase {
    std::string name, before, list;
    std::vector<SectionRename> renames;
    std::string after, error = ""; // after equal to before: nothing may be written
};

const PeriodsCase kPeriodsCases[] = {
    {"rename_keeps_lines_and_comments",
     kThree,
     "P=Breakfast|Midday|Supper",
     {{"Lunch", "Midday"}},
     Replaced(Replaced(kThree, "P_2=Lunch", "P_2=Midday"), "[ lunch ]", "[ Midday ]")},
    {"removed_period_keeps_section",
     kThree,
     "P=Breakfast|Supper",
     {},
     Replaced(Replaced(kThree, "P_2=Lunch", "P_2=Supper"), "P_3=Supper\r\n", "")},
    {"rename_without_section_writes_list",
     kThree,
     "P=Breakfast|Lunch|Dinner",
     {{"Supper", "Dinner"}},
     Replaced(kThree, "P_3=Supper", "P_3=Dinner")},
    {"two_renames_one_write",
     kThree,
     "P=Early|Midday|Supper",
     {{"Breakfast", "Early"}, {"Lunch", "Midday"}},
     Replaced(Replaced(Replaced(Replaced(kThree, "P_1=Breakfast", "P_1=Early"), "[Breakfast]",
                                "[Early]"),
                       "P_2=Lunch", "P_2=Midday"),
              "[ lunch ]", "[ Midday ]")},
    {"rename_into_existing_section_refused",
     kThree,
     "P=Breakfast|Breakfast2|Supper",
     {{"Lunch", "BREAKFAST"}},
     kThree,
     "already has tables"},
    {"rename_to_bracket_refused",
     kThree,
     "P=Breakfast|[x]|Supper",
     {{"Lunch", "[x]"}},
     kThree,
     "\"[\""},
    {"rename_of_period_section_refused",
     kThree,
     "P=Breakfast|Lunch|Supper",
     {{"period", "Meals"}},
     kThree,
     "holds the period list"},
    {"unstorable_list_name_refused",
     "[Period]\nP_1=Caf\xE9\n",
     "P=" + kLStroke,
     {},
     "[Period]\nP_1=Caf\xE9\n",
     "(U+0141)"},
    {"unstorable_rename_refused",
     "[Period]\nP_1=Caf\xE9\n[Caf\xE9]\nCD_1=1\n",
     "P=" + kLStroke,
     {{"Caf\303\251", kLStroke}},
     "[Period]\nP_1=Caf\xE9\n[Caf\xE9]\nCD_1=1\n",
     "(U+0141)"},
    {"cp1252_rename_written_in_cp1252",
     "[Period]\nP_1=Caf\xE9\n[CAF\xC9]\nCD_1=1\n",
     "P=" + kFruehstueck,
     {{"Caf\303\251", kFruehstueck}},
     "[Period]\nP_1=Fr\xFChst\xFC"
     "ck\n[Fr\xFChst\xFC"
     "ck]\nCD_1=1\n"},
};

class SavePeriodsTest : public ::testing::TestWithParam<PeriodsCase> {};

TEST_P(SavePeriodsTest, WritesListAndRenamesTogether) {
    const PeriodsCase &c = GetParam();
    ScratchDirectory directory;
    const std::string path = directory.File(kSettingsFileName);
    WriteFile(path, c.before);
    const FileResult result = SavePeriods(TablesFrom(c.list), c.renames, path);
    EXPECT_EQ(result.ok, c.error.empty()) << result.error;
    EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
    EXPECT_EQ(ReadFile(path), c.after);
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

struct NameCase {
    std::string name, period;
    Encoding encoding;
    std::string problem; // a part of the reason; empty: the name is fine
};

const NameCase kNameCases[] = {
    {"plain", "Lunch", Encoding::Windows1252, ""},
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
    {"254_bytes_fine", std::string(254, 'x'), Encoding::Utf8, ""},
    {"255_bytes", std::string(255, 'x'), Encoding::Utf8, "255 bytes"},
    {"127_umlauts_fit_cp1252",
     [] {
         std::string name;
         for (int i = 0; i < 127; ++i) {
             name += "\303\274";
         }
         return name;
     }(),
     Encoding::Windows1252, ""},
    {"128_umlauts_too_long_utf8",
     [] {
         std::string name;
         for (int i = 0; i < 128; ++i) {
             name += "\303\274";
         }
         return name;
     }(),
     Encoding::Utf8, "256 bytes"},
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
