#include "core/file_access.h"
#include "core/profile_file.h"
#include "core/settings_file.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"
#include "tests/core/table_text.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

namespace norvalis {
namespace {

namespace fs = std::filesystem;
using namespace testing;
using testing::operator<<; // a using-directive is not enough for the test lists

// Runs action with every write past `bytes` failing with EFBIG, also for root, as on a full disk.
template <class Action> FileResult WithFileSizeLimit(rlim_t bytes, Action action) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limited{bytes, saved.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    const FileResult result = action();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    return result;
}

const std::string kExample = "[Period]\nP_1=Breakfast\nP_2=Lunch\nP_3=Supper\n\n"
                             "[Breakfast]\nCD_1=10\nBS_1=140,1\nBS_2=180,2\nBS_3=220,3\n"
                             "CW_1=60,1\nCW_2=100,2\n\n"
                             "[Lunch]\nCD_1=12\nBS_1=150,1\nBS_3=250,3\n";
const std::string kBreakfast = "CD=10 BS=140,1|180,2|220,3 CW=60,1|100,2";
const std::string kFirst13 = "BS_1=1\nBS_2=2\nBS_3=3\nBS_4=4\nBS_5=5\nBS_6=6\nBS_7=7\nBS_8=8\n"
                             "BS_9=9\nBS_10=10\nBS_11=11\nBS_12=12\nBS_13=13\n";

// Written by the Windows version: Windows-1252 text, CRLF line ends, the section in capitals.
const std::string kWindows = "[Period]\r\nP_1=Fr\xFChst\xFC"
                             "ck\r\nP_2=Caf\xE9\r\n\r\n"
                             "[FR\xDCHST\xDC"
                             "CK]\r\nCD_1=10\r\nBS_1=140,1\r\n";
const std::string kFruehstueck = "Fr\303\274hst\303\274ck";
const std::string kLStroke = "\305\201\303\263d\305\272"; // Łódź

class SettingsFileTest : public ::testing::Test {
protected:
    std::string Path() const { return directory_.File(kSettingsFileName); }
    void Write(const std::string &bytes) const { WriteFile(Path(), bytes); }

    ScratchDirectory directory_;
};

struct LoadCase {
    std::string name, file, tables, selector = "dosages", period = "P";
};

// Every load starts from the tables "CD=9|9 BS=9,9 CW=9,9|9,9|9,9" in memory: each selector
// empties the dose tables, and only "dosages" counts them again. "tables" is what is left.
// clang-format off
const LoadCase kLoadCases[] = {
    {"example_periods", kExample, "P=Breakfast|Lunch|Supper CD=| BS= CW=||", "periods"},
    {"period_gap_ends_list", "[Period]\nP_1=A\nP_2=B\nP_4=D\n", "P=A|B CD=| BS= CW=||", "periods"},
    {"selector_compared_exactly", kExample, "CD=| BS= CW=||", "Dosages", "Breakfast"},
    {"example_breakfast", kExample, kBreakfast, "dosages", "Breakfast"},
    {"example_lunch_stops_at_missing_key", kExample, "CD=12 BS=150,1", "dosages", "Lunch"},
    {"example_supper_has_no_section", kExample, "", "dosages", "Supper"},
    {"empty_value_ends_table", "[P]\nCD_1=10\nCD_2=\nCD_3=12\n", "CD=10"},
    {"thirteenth_key_not_read", "[P]\n" + kFirst13, "BS=1|2|3|4|5|6|7|8|9|10|11|12"},
    {"entries_taken_verbatim", "[P]\nBS_1=  120, 1.50 \nCW_1=\"60,1\"\n", "BS=120, 1.50 CW=60,1"},
    {"cp1252_period_list", kWindows, "P=" + kFruehstueck + "|Caf\303\251 CD=| BS= CW=||", "periods"},
    {"cp1252_tables_by_name", kWindows, "CD=10 BS=140,1", "dosages", kFruehstueck},
    {"key_after_a_long_line", "[P]\n;" + std::string(40000, 'x') + "\nCD_1=10\n", "CD=10"},
};
// clang-format on

class LoadSettingsTest : public SettingsFileTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadSettingsTest, WalksEachTableToItsFirstEmptyKey) {
    const LoadCase &c = GetParam();
    Write(c.file);
    DoseSettings settings = TablesFrom("CD=9|9 BS=9,9 CW=9,9|9,9|9,9");
    ASSERT_TRUE(LoadSettings(settings, c.selector, c.period, Path()).ok);
    EXPECT_EQ(TablesText(settings), c.tables);
}

INSTANTIATE_TEST_SUITE_P(Files, LoadSettingsTest, ::testing::ValuesIn(kLoadCases), CaseName());

TEST_F(SettingsFileTest, EachLoadReadsTheFileAsItIsThen) {
    DoseSettings settings = TablesFrom(kBreakfast);
    EXPECT_TRUE(LoadSettings(settings, "dosages", "P", Path()).ok);
    EXPECT_EQ(TablesText(settings) + (fs::exists(Path()) ? " created" : ""), "");
    Write("[P]\nCD_1=15\n");
    EXPECT_TRUE(LoadSettings(settings, "dosages", "P", Path()).ok);
    EXPECT_EQ(TablesText(settings), "CD=15");
    fs::remove(Path());
    fs::create_directory(Path());
    const FileResult result = LoadSettings(settings, "dosages", "P", Path());
    EXPECT_FALSE(result.ok || result.error.empty()) << "an unreadable file went unreported";
    EXPECT_EQ(TablesText(settings), "");
}

// Hand-written: a byte order mark, CRLF line ends, a comment, odd spacing, another period.
const std::string kByHand =
    "\xEF\xBB\xBF; note\r\n[p]\r\n  cd_1 = 8\r\nBS_1=1,9\r\n\r\n[Lunch]\r\nCD_1=1\r\n";
const std::string kByHandSaved =
    "\xEF\xBB\xBF; note\r\n[p]\r\n  cd_1=10\r\nBS_1=1,1\r\nCW_1=6,1\r\n\r\n[Lunch]\r\nCD_1=1\r\n";

const std::string kOld = "[P]\nCD_1=1\n";

struct SaveCase {
    std::string name, before, tables, after, error = "", selector = "dosages", period = "P";
    std::string file = kSettingsFileName; // in the scratch folder, beside an empty folder "folder"
};

// clang-format off
const SaveCase kSaveCases[] = {
    {"new_section_keys_in_order", "", "CD=1 BS=2|3 CW=4", "[P]\nCD_1=1\nBS_1=2\nBS_2=3\nCW_1=4\n"},
    {"other_lines_kept_byte_for_byte", kByHand, "CD=10 BS=1,1 CW=6,1", kByHandSaved},
    {"shrink_to_one", "[P]\nBS_1=1\nBS_2=2\n[p]\nBS_2=3\n", "BS=1", "[P]\nBS_1=1\n[p]\nBS_2=3\n"},
    {"shrink_to_none", "[P]\nCD_1=1\nBS_12=2\nbs_12=3\nBS_13=4\nCW_1=5\n", "", "[P]\nBS_13=4\n"},
    {"period_list", "[Period]\nP_1=A\nP_2=B\n", "P=D", "[Period]\nP_1=D\n", "", "period"},
    {"unchanged_tables", kOld, "CD=1", kOld},
    {"selector_periods_saves_nothing", kOld, "CD=2", kOld, "", "periods"},
    {"selector_compared_exactly", kOld, "CD=2", kOld, "", "Dosages"},
    {"no_period_selected", kOld, "CD=2", kOld, "No period", "dosages", ""},
    {"period_name_with_line_break", kOld, "CD=2", kOld, "line break", "dosages", "Sup\nper"},
    {"cp1252_only_edited_line_changes", kWindows, "CD=12 BS=140,1", std::string(kWindows).replace(kWindows.find("CD_1=10"), 7, "CD_1=12"), "", "dosages", kFruehstueck},
    {"cp1252_list_written_in_cp1252", kWindows, "P=" + kFruehstueck + "|Th\303\251", std::string(kWindows).replace(kWindows.find("Caf\xE9"), 4, "Th\xE9"), "", "period"},
    {"cp1252_refuses_l_stroke", kWindows, "P=" + kLStroke, kWindows, "(U+0141)", "period"},
    {"cp1252_refuses_l_stroke_section", kWindows, "CD=1", kWindows, "(U+0141)", "dosages", kLStroke},
    {"cp1252_file_never_turns_into_utf8", "[Period]\nP_1=Caf\xE9\nP_2=\xC3\xA9\n", "P=Tea|\303\203\302\251", "[Period]\nP_1=Caf\xE9\nP_2=\xC3\xA9\n", "accented letters", "period"},
    {"cp1252_file_without_accents_left_may_turn_utf8", "[Period]\nP_1=Caf\xE9\n", "P=Tea", "[Period]\nP_1=Tea\n", "", "period"},
    {"bom_file_stays_utf8", "\xEF\xBB\xBF[Period]\nP_1=x\n", "P=" + kLStroke, "\xEF\xBB\xBF[Period]\nP_1=" + kLStroke + "\n", "", "period"},
    {"empty_file_written_utf8", "", "CD=1", "[" + kFruehstueck + "]\nCD_1=1\n", "", "dosages", kFruehstueck},
    {"missing_folder", kOld, "CD=2", kOld, "No such file", "dosages", "P", "gone/Norvalis.ini"},
    {"file_is_a_folder", kOld, "CD=2", kOld, "Is a directory", "dosages", "P", "folder"},
    {"disk_full_part_way", kOld, "CD=2", kOld, "File too large"},
};
// clang-format on

class SaveSettingsTest : public SettingsFileTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveSettingsTest, WritesWholeOrReportsWhyNot) {
    const SaveCase &c = GetParam();
    Write(c.before);
    fs::create_directory(directory_.File("folder"));
    // Where the file must stay as it was, any write fails: a save that changes nothing must not
    // write at all (the folder may be read-only), and one that does is broken off part-way.
    const FileResult result = WithFileSizeLimit(c.after == c.before ? 1 : RLIM_INFINITY, [&] {
        return SaveSettings(TablesFrom(c.tables), c.selector, c.period, directory_.File(c.file));
    });
    EXPECT_EQ(result.ok, c.error.empty());
    EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
    EXPECT_EQ(ReadFile(Path()), c.after);
    EXPECT_EQ(std::distance(fs::directory_iterator(directory_.Path()), {}), 2) << "a file was left";
}

INSTANTIATE_TEST_SUITE_P(Files, SaveSettingsTest, ::testing::ValuesIn(kSaveCases), CaseName());

TEST_F(SettingsFileTest, ProfileFunctionsReadAndReportWrites) {
    EXPECT_EQ(ReadIniValue("Period", "P_1", Path()), "");
    EXPECT_NE(WriteIniValue("Period", "P_1", "Breakfast", Path()), 0);
    EXPECT_EQ(ReadIniValue("period", "p_1", Path()), "Breakfast");
    EXPECT_EQ(WriteIniValue("Period", "P_2", "two\nlines", Path()), 0);
    EXPECT_EQ(WriteIniValue("Period", "P_1", "x", directory_.File("gone/Norvalis.ini")), 0);
    EXPECT_EQ(ReadFile(Path()), "[Period]\nP_1=Breakfast\n");
}

TEST_F(SettingsFileTest, ReplaceKeepsTheLinkAndPermissionsOfTheFile) {
    const std::string target = directory_.File("settings.ini");
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    WriteFile(target, "old");
    fs::permissions(target, perms);
    fs::create_symlink("settings.ini", Path());
    ASSERT_TRUE(ReplaceFileAtomically(Path(), "new").ok);
    EXPECT_TRUE(fs::is_symlink(Path()));
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(fs::status(target).permissions(), perms);
}

} // namespace
} // namespace norvalis
