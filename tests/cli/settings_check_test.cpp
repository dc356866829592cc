#include "settings_check.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvalis::cli {
namespace {

using norvalis::testing::operator<<; // names the cases in the test lists

// The culprit exactly, and the start of the problem text.
struct Expected {
    std::string section;
    std::string key;
    int line;
    std::string problem;
};

struct CheckCase {
    const char *name;
    std::string file;
    std::vector<Expected> findings; // in order
};

class CheckSettingsTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckSettingsTest, NamesTheCulpritAndWhatTheProgramDoes) {
    const std::vector<Finding> findings = CheckSettings(IniDocument(GetParam().file));
    const std::vector<Expected> &expected = GetParam().findings;
    for (std::size_t i = 0; i < std::max(findings.size(), expected.size()); ++i) {
        ASSERT_LT(i, findings.size()) << "missing: " << expected[i].problem;
        ASSERT_LT(i, expected.size()) << "unexpected: " << FindingLine(findings[i]);
        EXPECT_EQ(findings[i].section, expected[i].section) << FindingLine(findings[i]);
        EXPECT_EQ(findings[i].key, expected[i].key) << FindingLine(findings[i]);
        EXPECT_EQ(findings[i].line, expected[i].line) << FindingLine(findings[i]);
        EXPECT_TRUE(findings[i].problem.starts_with(expected[i].problem)) << findings[i].problem;
        EXPECT_FALSE(findings[i].consequence.empty()) << FindingLine(findings[i]);
    }
}

const std::string kHeader = "[Period]\nP_1=A\n[A]\n"; // the culprits below start on line 4

// Names match whatever their case; keys that are not table keys are left alone.
const std::string kClean = "[Period]\nP_1=Breakfast\nP_2=lunch\n[Breakfast]\nCD_1=10\nBS_1=140,1\n"
                           "BS_2=180,2\nCW_1=60,1\nNote=kept by hand\n[Lunch]\nCD_1=12\n";
const std::string kCleanCrlf = "; kept by hand\r\n[Period]\r\nP_1=Breakfast\r\n\r\n; morning\r\n"
                               "[Breakfast]\r\nCD_1=10\r\nBS_1=140,1\r\nCW_1=60,1\r\n";
const std::string kLongName = std::string(300, 'x');
// Every table full: slot 12 is the last one read, not one too many.
const std::string kTwelveRows = [] {
    std::string rows;
    for (int i = 1; i <= 12; ++i) {
        const std::string n = std::to_string(i);
        rows += "CD_" + n + "=" + n + "\nBS_" + n + "=" + n + "0," + n + "\nCW_" + n + "=" + n +
                "0," + n + "\n";
    }
    return rows;
}();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, CheckSettingsTest, ::testing::Values(
    CheckCase{"clean_file", kClean, {}},
    CheckCase{"clean_file_with_comments_and_crlf", kCleanCrlf, {}},
    CheckCase{"latin_letters_match_in_either_case", "[Period]\nP_1=Caf\u00e9\n[CAF\u00c9]\nCD_1=10\n", {}},
    CheckCase{"windows_1252_file_matches_too", "[Period]\nP_1=Caf\xe9\n[CAF\xc9]\nCD_1=10\n", {}},
    CheckCase{"binary_file", std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10), {{"", "", 0, "the file holds binary data"}}},
    CheckCase{"plain_text_file", "Shopping list\nbread\nmilk\n", {{"", "", 0, "there is no [Period] section"}}},
    CheckCase{"misspelt_period_section_plural", "[Periods]\nP_1=A\n[A]\nCD_1=10\n", {{"", "", 0, "there is no [Period] section"}, {"Periods", "[Periods]", 1, "the section looks like a misspelt [Period]"}}},
    CheckCase{"misspelt_period_section_two_words", "[Period]\nP_1=A\n[A]\nCD_1=10\n[period list]\n", {{"period list", "[period list]", 5, "the section looks like a misspelt [Period]"}}},
    CheckCase{"period_without_section", "[Period]\nP_1=A\nP_2=B\n[A]\nCD_1=10\n", {{"Period", "P_2", 3, "period \"B\" has no section [B]"}}},
    CheckCase{"section_no_period_lists", kHeader + "CD_1=10\n[Dinner]\nCD_1=12\n", {{"Dinner", "[Dinner]", 5, "no P_ key in [Period] lists it"}}},
    CheckCase{"period_listed_twice", "[Period]\nP_1=Lunch\nP_2=LUNCH\n[Lunch]\n", {{"Period", "P_2", 3, "period \"LUNCH\" is listed again (first as P_1)"}}},
    CheckCase{"period_key_without_underscore", "[Period]\nP_1=A\nP1=B\n[A]\n", {{"Period", "P1", 3, "not a key the program reads"}}},
    CheckCase{"key_with_zero_padded_index", kHeader + "BS_1=140,1\nBS01=180,2\n", {{"A", "BS01", 5, "not a key the program reads"}}},
    CheckCase{"key_with_blank_for_underscore", kHeader + "CW_1=60,1\ncw 2=100,2\n", {{"A", "cw 2", 5, "not a key the program reads"}}},
    CheckCase{"key_with_leading_zero", kHeader + "CD_1=10\nCD_02=12\n", {{"A", "CD_02", 5, "not a key the program reads"}}},
    CheckCase{"key_above_twelve", kHeader + "CD_13=10\n", {{"A", "CD_13", 4, "the index is above 12"}}},
    CheckCase{"key_after_gap", "[Period]\nP_1=A\nP_3=B\n[A]\n", {{"Period", "P_3", 3, "comes after P_2"}}},
    CheckCase{"repeated_key", kHeader + "CD_1=10\ncd_1=12\n", {{"A", "cd_1", 5, "the key appears again"}}},
    CheckCase{"empty_entry_ends_table", kHeader + "BS_1=140,1\nBS_2=\nBS_3=220,3\n", {{"A", "BS_2", 5, "the entry is empty, which ends the table"}, {"A", "BS_3", 6, "comes after BS_2, which is missing or empty"}}},
    CheckCase{"empty_last_entry_is_harmless", kHeader + "CD_1=10\nCD_2=\n", {}},
    CheckCase{"level_without_number", kHeader + "BS_1=abc,1\n", {{"A", "BS_1", 4, "level \"abc\" has no number at its start"}}},
    CheckCase{"dose_without_number", kHeader + "CW_1=60,one\n", {{"A", "CW_1", 4, "dose \"one\" has no number at its start"}}},
    CheckCase{"nothing_after_comma", kHeader + "BS_1=100,1\nBS_2=150, \n", {{"A", "BS_2", 5, "entry \"150,\" has no dose"}}},
    CheckCase{"entry_without_comma", kHeader + "BS_1=150\n", {{"A", "BS_1", 4, "entry \"150\" has no comma"}}},
    CheckCase{"entry_with_two_commas", kHeader + "BS_1=140,1\nBS_2=200,2,3\n", {{"A", "BS_2", 5, "entry \"200,2,3\" has more than one comma"}}},
    CheckCase{"levels_not_rising", kHeader + "CW_1=100,2\nCW_2=60,1\nCW_3=100,3\nCW_4=120,4\n",
              {{"A", "CW_2", 5, "level 60 is not above level 100 of CW_1"}, {"A", "CW_3", 6, "level 100 is not above level 100 of CW_1"}}},
    CheckCase{"grams_per_unit_zero", kHeader + "CD_1=0\n", {{"A", "CD_1", 4, "grams per unit \"0\" reads as 0"}}},
    CheckCase{"grams_per_unit_below_zero", kHeader + "CD_1=-10\n", {{"A", "CD_1", 4, "grams per unit \"-10\" reads as -10"}}},
    CheckCase{"grams_per_unit_without_number", kHeader + "CD_1=ten\n", {{"A", "CD_1", 4, "grams per unit \"ten\" has no number at its start"}}},
    CheckCase{"numbers_beyond_range", kHeader + "CD_1=1e999\nBS_1=1,1e999\nCW_1=1e999,1\nCW_2=5,1\n",
              {{"A", "CD_1", 4, "grams per unit \"1e999\" is beyond"}, {"A", "BS_1", 5, "dose \"1e999\" is beyond"}, {"A", "CW_1", 6, "level \"1e999\" is beyond"}}},
    CheckCase{"period_name_longer_than_read", "[Period]\nP_1=" + kLongName + "\n[" + kLongName + "]\n",
              {{"Period", "P_1", 2, "the value is 300 bytes long"}, {"Period", "P_1", 2, "period \"xxxx"}, {kLongName, "[" + kLongName + "]", 3, "no P_ key in [Period] lists it"}}},
    CheckCase{"repeated_section", kHeader + "CD_1=1\n[a]\n", {{"a", "[a]", 5, "the section appears again on line 5 (first on line 3)"}}},
    CheckCase{"period_section_with_letters_swapped", "[Peroid]\nP_1=A\n[A]\nCD_1=10\n", {{"", "", 0, "there is no [Period] section"}, {"Peroid", "[Peroid]", 1, "the section looks like a misspelt [Period]"}}},
    CheckCase{"twelfth_entries_are_read", "[Period]\nP_1=A\nP_2=B\nP_3=C\nP_4=D\nP_5=E\nP_6=F\nP_7=G\nP_8=H\nP_9=I\nP_10=J\nP_11=K\nP_12=L\n[A]\n" + kTwelveRows + "[B]\n[C]\n[D]\n[E]\n[F]\n[G]\n[H]\n[I]\n[J]\n[K]\n[L]\n", {}},
    CheckCase{"options_written_by_the_dialog", kHeader + "CD_1=10\n[Options]\nPenStep=0.5\nMaxDose=20\n", {}},
    CheckCase{"report_options_as_the_dialog_writes_them", kHeader + "CD_1=10\n[Options]\nGlucoseUnits=mmol/L\nTargetLow=3.9\nTargetHigh=10\n", {}},
    CheckCase{"report_options_the_program_ignores", kHeader + "CD_1=10\n[Options]\nGlucoseUnits=mg\nTargetHigh=0\n", {{"Options", "GlucoseUnits", 6, "GlucoseUnits \"mg\" is neither mg/dL nor mmol/L"}, {"Options", "TargetHigh", 7, "TargetHigh \"0\" reads as 0, not above 0"}}},
    CheckCase{"target_range_not_in_order", kHeader + "CD_1=10\n[Options]\nTargetHigh=180\nTargetLow=180\n", {{"Options", "TargetLow", 7, "TargetLow 180 is not below TargetHigh 180"}}},
    CheckCase{"options_with_comment", kHeader + "CD_1=10\n[options]\n; my pen\npenstep=1\n", {}},
    CheckCase{"misspelt_options_section", kHeader + "CD_1=10\n[Option]\nPenStep=0.5\n", {{"Option", "[Option]", 5, "the section looks like a misspelt [Options]"}}},
    CheckCase{"option_zero_and_below", kHeader + "CD_1=10\n[Options]\nMaxDose=0\nPenStep=-1\n", {{"Options", "MaxDose", 6, "MaxDose \"0\" reads as 0, not above 0"}, {"Options", "PenStep", 7, "PenStep \"-1\" reads as -1, not above 0"}}},
    CheckCase{"option_without_number", kHeader + "CD_1=10\n[Options]\nPenStep=half\nMaxDose=1e999\n", {{"Options", "PenStep", 6, "PenStep \"half\" has no number at its start"}, {"Options", "MaxDose", 7, "MaxDose \"1e999\" is beyond the number range"}}},
    CheckCase{"option_unknown_and_repeated", kHeader + "CD_1=10\n[Options]\nPenStpe=1\nPenStep=1\npenstep=2\n", {{"Options", "PenStpe", 6, "not a setting the program reads (it reads PenStep, MaxDose, InsulinCurve, InsulinHours, LowBelow, GlucoseUnits, TargetLow and TargetHigh)"}, {"Options", "penstep", 8, "the key appears again"}}},
    CheckCase{"empty_grams_per_unit", kHeader + "CD_1=\nBS_1=140,1\n", {{"A", "CD_1", 4, "the entry is empty, so the period has no grams per unit"}}},
    CheckCase{"zero_dose_after_a_real_dose", kHeader + "BS_1=140,1\nBS_2=300,0\nCW_1=0,0\nCW_2=60,1\n", {{"A", "BS_2", 5, "dose 0 comes after the dose of BS_1, which is not 0"}}},
    CheckCase{"period_named_options", "[Period]\nP_1=A\nP_2=options\nP_3=B\n[A]\n[B]\n", {{"Period", "P_2", 3, "period \"options\" has the name of the section that holds the program's options"}}},
    CheckCase{"period_named_period", "[Period]\nP_1=A\nP_2=Period\n[A]\n", {{"Period", "P_2", 3, "period \"Period\" has the name of the section that holds the period list"}}},
    CheckCase{"nul_in_a_comment", std::string("; kept by hand\0!\n", 17) + kHeader + "CD_1=10\n", {}},
    CheckCase{"carriage_returns_alone", "[Period]\rP_1=A\r[A]\rCD_1=10\r", {{"", "", 0, "the lines end with a carriage return alone"}}},
    CheckCase{"carriage_returns_alone_but_the_last", "[Period]\rP_1=A\r[A]\rCD_1=10\n", {{"", "", 0, "the lines end with a carriage return alone"}}},
    CheckCase{"carriage_return_inside_a_comment", kHeader + "CD_1=10\n; a\rb\n", {}},
    CheckCase{"hexadecimal_mark_without_digits", kHeader + "BS_1=140,&H\n", {{"A", "BS_1", 4, "dose \"&H\" has no number at its start"}}},
    CheckCase{"hexadecimal_dose_is_read", kHeader + "BS_1=140,&H2\n", {}},
    CheckCase{"blank_inside_a_dose", kHeader + "BS_1=140,1 5\n", {{"A", "BS_1", 4, "dose \"1 5\" reads as 15: the program skips blanks inside a number"}}},
    CheckCase{"unit_after_a_level_is_fine", kHeader + "BS_1=140 mg,1\n", {}},
    CheckCase{"c_style_hexadecimal_level", kHeader + "CW_1=0x10,1\n", {{"A", "CW_1", 4, "level \"0x10\" reads as 0: the program does not read 0x numbers (hexadecimal is written &H10)"}}}),
    norvalis::testing::CaseName());
// clang-format on

// The files people start from must pass as they are: the shipped sample and the README's example.
TEST(CheckSettingsShippedFiles, HaveNoFindings) {
    const std::string sample =
        testing::ReadFile(NORVALIS_SOURCE_DIR "/resources/Norvalis.sample.ini");
    const std::string readme = testing::ReadFile(NORVALIS_SOURCE_DIR "/README.md");
    const std::size_t begin = readme.find("```ini\n");
    const std::size_t end = readme.find("```", begin + 1);
    ASSERT_TRUE(!sample.empty() && begin != std::string::npos && end != std::string::npos);
    for (const std::string &file : {sample, readme.substr(begin + 7, end - begin - 7)}) {
        for (const Finding &finding : CheckSettings(IniDocument(file))) {
            ADD_FAILURE() << FindingLine(finding);
        }
    }
}

TEST(FindingsJsonTest, ListsObjectsWithCulpritAndMessage) {
    const std::vector<Finding> findings = {
        {"A", "BS_2", "entry \"2\" has no comma", "it is read as level 2 with dose 0", 7},
        {"", "", "the settings file \"x\" does not exist", "the program starts empty", 0}};
    EXPECT_EQ(
        FindingsJson(findings),
        "[{\"key\":\"BS_2\",\"section\":\"A\",\"line\":7,\"message\":\"entry \\\"2\\\" has no "
        "comma; it is read as level 2 with dose 0\"},{\"key\":\"\",\"section\":\"\",\"line\":"
        "null,\"message\":\"the settings file \\\"x\\\" does not exist; the program starts "
        "empty\"}]");
    EXPECT_EQ(FindingsJson({}), "[]");
}

} // namespace
} // namespace norvalis::cli
