#include "core/ini_document.h"
#include "core/profile_file.h"
#include "core/settings_file.h"
#include "tests/core/file_size_limit.h"
#include "tests/core/scratch_directory.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace norvalis {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::ScratchDirectory;
using testing::WriteFile;
using Rows = std::vector<std::string>;

const std::string kExampleFile = "[Period]\n"
                                 "P_1=Breakfast\n"
                                 "P_2=Lunch\n"
                                 "P_3=Supper\n"
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
                                 "BS_3=250,3\n";

Rows Slots(const TextTable &table, int count) {
    return Rows(table.begin() + 1, table.begin() + 1 + count);
}

void Fill(TextTable &table, int &count, const Rows &rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        table[i + 1] = rows[i];
    }
    count = static_cast<int>(rows.size());
}

std::string Keys(const std::string &prefix, int from, int to) {
    std::string text;
    for (int i = from; i <= to; ++i) {
        text += prefix + std::to_string(i) + "=" + std::to_string(i * 10) + "," +
                std::to_string(i) + "\n";
    }
    return text;
}

class SettingsFileTest : public ::testing::Test {
protected:
    std::string Path() const { return directory_.File(kSettingsFileName); }
    void Write(const std::string &bytes) const { WriteFile(Path(), bytes); }

    ScratchDirectory directory_;
    DoseSettings settings_;
};

TEST(SettingsFilePath, AppendsFileName) {
    EXPECT_EQ(SettingsFilePath("/opt/norvalis"), "/opt/norvalis/Norvalis.ini");
    EXPECT_EQ(SettingsFilePath("/"), "/Norvalis.ini");
    EXPECT_EQ(SettingsFilePath(""), "Norvalis.ini");
}

TEST_F(SettingsFileTest, ExamplePeriods) {
    Write(kExampleFile);
    ASSERT_TRUE(LoadSettings(settings_, "periods", "", Path()).ok);
    EXPECT_EQ(settings_.Counts.PeriodCount, 3);
    EXPECT_EQ(Slots(settings_.PeriodList, 3), (Rows{"Breakfast", "Lunch", "Supper"}));
}

struct DosagesCase {
    const char *name;
    std::string file;
    std::string period;
    Rows carbDose;
    Rows correction;
    Rows weighting;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const DosagesCase &c, std::ostream *os) {
    *os << c.name;
}

class LoadDosagesTest : public SettingsFileTest,
                        public ::testing::WithParamInterface<DosagesCase> {};

TEST_P(LoadDosagesTest, ReadsTheRunOfKeys) {
    const DosagesCase &c = GetParam();
    Write(c.file);
    ASSERT_TRUE(LoadSettings(settings_, "dosages", c.period, Path()).ok);
    const TableCounts &counts = settings_.Counts;
    EXPECT_EQ(Slots(settings_.CarbDoseTable, counts.CarbDoseCount), c.carbDose);
    EXPECT_EQ(Slots(settings_.CorrectionTable, counts.CorrectionCount), c.correction);
    EXPECT_EQ(Slots(settings_.WeightingTable, counts.WeightingCount), c.weighting);
    // The slot that stopped each walk is left empty.
    if (counts.CorrectionCount < kTableSlots) {
        EXPECT_EQ(settings_.CorrectionTable[counts.CorrectionCount + 1], "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadDosagesTest,
    ::testing::Values(
        DosagesCase{"example_breakfast",
                    kExampleFile,
                    "Breakfast",
                    {"10"},
                    {"140,1", "180,2", "220,3"},
                    {"60,1", "100,2"}},
        DosagesCase{
            "example_lunch_stops_at_missing_key", kExampleFile, "Lunch", {"12"}, {"150,1"}, {}},
        DosagesCase{"example_supper_without_section", kExampleFile, "Supper", {}, {}, {}},
        DosagesCase{"period_name_matches_any_case",
                    kExampleFile,
                    "BREAKFAST",
                    {"10"},
                    {"140,1", "180,2", "220,3"},
                    {"60,1", "100,2"}},
        DosagesCase{
            "empty_value_ends_table", "[P]\nCD_1=10\nCD_2=\nCD_3=12\n", "P", {"10"}, {}, {}},
        DosagesCase{"thirteenth_key_not_read",
                    "[P]\n" + Keys("BS_", 1, 13),
                    "P",
                    {},
                    {"10,1", "20,2", "30,3", "40,4", "50,5", "60,6", "70,7", "80,8", "90,9",
                     "100,10", "110,11", "120,12"},
                    {}},
        DosagesCase{"entries_taken_verbatim",
                    "[P]\nBS_1=  120, 1.50 \nCW_1=\"60,1\"\n",
                    "P",
                    {},
                    {"120, 1.50"},
                    {"60,1"}},
        DosagesCase{"keys_in_any_order",
                    "[P]\nCW_1=60,1\nBS_2=2,2\nCD_1=9\nBS_1=1,1\n",
                    "P",
                    {"9"},
                    {"1,1", "2,2"},
                    {"60,1"}},
        DosagesCase{"utf8_period_name",
                    "[Fr\xC3\xBChst\xC3\xBC"
                    "ck]\nCD_1=10\n",
                    "Fr\xC3\xBChst\xC3\xBC"
                    "ck",
                    {"10"},
                    {},
                    {}},
        DosagesCase{"empty_file", "", "P", {}, {}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, MissingFileGivesEmptyTables) {
    EXPECT_TRUE(LoadSettings(settings_, "periods", "", Path()).ok);
    EXPECT_EQ(settings_.Counts.PeriodCount, 0);
    EXPECT_TRUE(LoadSettings(settings_, "dosages", "Breakfast", Path()).ok);
    EXPECT_EQ(settings_.Counts.CarbDoseCount, 0);
    EXPECT_EQ(settings_.Counts.CorrectionCount, 0);
    EXPECT_EQ(settings_.Counts.WeightingCount, 0);
    EXPECT_FALSE(fs::exists(Path())); // loading never creates the file
}

TEST_F(SettingsFileTest, PeriodGapEndsList) {
    // Keys P_1, P_2 and P_4: P_4 is not read, and slots past the gap keep what they held.
    Write("[Period]\nP_1=A\nP_2=B\nP_4=D\n");
    settings_.PeriodList[4] = "old";
    ASSERT_TRUE(LoadSettings(settings_, "periods", "", Path()).ok);
    EXPECT_EQ(settings_.Counts.PeriodCount, 2);
    EXPECT_EQ(settings_.PeriodList[3], "");
    EXPECT_EQ(settings_.PeriodList[4], "old");
}

TEST_F(SettingsFileTest, UnknownSelectorOnlyEmptiesTables) {
    // "Dosages" is not "dosages": the tables are emptied, the counts stay.
    Write(kExampleFile);
    ASSERT_TRUE(LoadSettings(settings_, "dosages", "Breakfast", Path()).ok);
    ASSERT_TRUE(LoadSettings(settings_, "Dosages", "Breakfast", Path()).ok);
    EXPECT_EQ(settings_.Counts.CorrectionCount, 3);
    EXPECT_EQ(settings_.Counts.CarbDoseCount, 1);
    EXPECT_EQ(settings_.Counts.WeightingCount, 2);
    for (int i = 1; i <= kTableSlots; ++i) {
        EXPECT_EQ(settings_.CorrectionTable[i], "");
        EXPECT_EQ(settings_.CarbDoseTable[i], "");
        EXPECT_EQ(settings_.WeightingTable[i], "");
    }
}

TEST_F(SettingsFileTest, PeriodsLoadEmptiesTablesButKeepsCounts) {
    Write(kExampleFile);
    ASSERT_TRUE(LoadSettings(settings_, "dosages", "Breakfast", Path()).ok);
    ASSERT_TRUE(LoadSettings(settings_, "periods", "", Path()).ok);
    EXPECT_EQ(settings_.CorrectionTable[1], "");
    EXPECT_EQ(settings_.Counts.CorrectionCount, 3);
    EXPECT_EQ(settings_.Counts.PeriodCount, 3);
}

TEST_F(SettingsFileTest, UnreadableFileIsReportedAndReadsEmpty) {
    fs::create_directory(Path());
    settings_.CorrectionTable[1] = "old";
    const FileResult result = LoadSettings(settings_, "dosages", "Breakfast", Path());
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(settings_.CorrectionTable[1], "");
    EXPECT_EQ(settings_.Counts.CorrectionCount, 0);
}

TEST_F(SettingsFileTest, ChangeByAnotherProgramSeenAtNextLoad) {
    Write(kExampleFile);
    ASSERT_TRUE(LoadSettings(settings_, "dosages", "Lunch", Path()).ok);
    Write("[Lunch]\nCD_1=15\n");
    ASSERT_TRUE(LoadSettings(settings_, "dosages", "Lunch", Path()).ok);
    EXPECT_EQ(settings_.CarbDoseTable[1], "15");
    EXPECT_EQ(settings_.Counts.CorrectionCount, 0);
}

DoseSettings BreakfastTables() {
    DoseSettings settings;
    Fill(settings.CarbDoseTable, settings.Counts.CarbDoseCount, {"10"});
    Fill(settings.CorrectionTable, settings.Counts.CorrectionCount, {"140,1", "180,2", "220,3"});
    Fill(settings.WeightingTable, settings.Counts.WeightingCount, {"60,1", "100,2"});
    return settings;
}

TEST_F(SettingsFileTest, SaveInNewSectionWritesKeysInOrder) {
    ASSERT_TRUE(SaveSettings(BreakfastTables(), "dosages", "Breakfast", Path()).ok);
    EXPECT_EQ(ReadFile(Path()), "[Breakfast]\nCD_1=10\nBS_1=140,1\nBS_2=180,2\nBS_3=220,3\n"
                                "CW_1=60,1\nCW_2=100,2\n");
}

TEST_F(SettingsFileTest, SaveKeepsOtherLinesByteForByte) {
    // State: a CRLF file with a byte order mark, comments, odd spacing and another period.
    const std::string before = "\xEF\xBB\xBF[Period]\r\nP_1=Breakfast\r\nP_2=Lunch\r\n\r\n"
                               "; hand-written\r\n[breakfast]\r\n  cd_1 = 8\r\nBS_1=100,9\r\n"
                               "\r\n[Lunch]\r\nCD_1=12\r\n";
    Write(before);
    ASSERT_TRUE(SaveSettings(BreakfastTables(), "dosages", "Breakfast", Path()).ok);
    EXPECT_EQ(ReadFile(Path()),
              "\xEF\xBB\xBF[Period]\r\nP_1=Breakfast\r\nP_2=Lunch\r\n\r\n"
              "; hand-written\r\n[breakfast]\r\n  cd_1=10\r\nBS_1=140,1\r\nBS_2=180,2\r\n"
              "BS_3=220,3\r\nCW_1=60,1\r\nCW_2=100,2\r\n\r\n[Lunch]\r\nCD_1=12\r\n");
}

TEST_F(SettingsFileTest, SaveThenLoadGivesSameTables) {
    Write(kExampleFile);
    const DoseSettings saved = BreakfastTables();
    ASSERT_TRUE(SaveSettings(saved, "dosages", "Supper", Path()).ok);
    ASSERT_TRUE(LoadSettings(settings_, "dosages", "Supper", Path()).ok);
    EXPECT_EQ(settings_.CarbDoseTable, saved.CarbDoseTable);
    EXPECT_EQ(settings_.CorrectionTable, saved.CorrectionTable);
    EXPECT_EQ(settings_.WeightingTable, saved.WeightingTable);
    EXPECT_EQ(settings_.Counts.CorrectionCount, 3);
}

struct ShrinkCase {
    const char *name;
    int correctionCount;
    Rows remainingKeys; // BS_ keys left in the section afterwards
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const ShrinkCase &c, std::ostream *os) {
    *os << c.name;
}

class SaveShrinkTest : public SettingsFileTest, public ::testing::WithParamInterface<ShrinkCase> {};

TEST_P(SaveShrinkTest, RemovesKeysAboveCount) {
    // State: the file holds BS_1..BS_12 plus a duplicate BS_7 and a CW_ table that stays.
    Write("[P]\nCD_1=10\n" + Keys("BS_", 1, 12) + "BS_7=dup\nCW_1=60,1\n");
    DoseSettings settings;
    Fill(settings.CarbDoseTable, settings.Counts.CarbDoseCount, {"10"});
    Fill(settings.WeightingTable, settings.Counts.WeightingCount, {"60,1"});
    for (int i = 1; i <= GetParam().correctionCount; ++i) {
        settings.CorrectionTable[i] = std::to_string(i * 10) + "," + std::to_string(i);
    }
    settings.Counts.CorrectionCount = GetParam().correctionCount;
    ASSERT_TRUE(SaveSettings(settings, "dosages", "P", Path()).ok);

    Rows keys;
    for (const auto &section : IniDocument(ReadFile(Path())).Sections()) {
        for (const auto &entry : section.entries) {
            if (entry.key.starts_with("BS_")) {
                keys.push_back(entry.key);
            }
        }
    }
    EXPECT_EQ(keys, GetParam().remainingKeys);
    ASSERT_TRUE(LoadSettings(settings_, "dosages", "P", Path()).ok);
    EXPECT_EQ(settings_.Counts.CorrectionCount, GetParam().correctionCount);
    EXPECT_EQ(settings_.Counts.WeightingCount, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, SaveShrinkTest,
    ::testing::Values(
        ShrinkCase{"to_two", 2, {"BS_1", "BS_2"}}, ShrinkCase{"to_none", 0, {}},
        ShrinkCase{"to_five_removes_duplicate_above", 5, {"BS_1", "BS_2", "BS_3", "BS_4", "BS_5"}},
        ShrinkCase{"kept_at_twelve",
                   12,
                   {"BS_1", "BS_2", "BS_3", "BS_4", "BS_5", "BS_6", "BS_7", "BS_8", "BS_9", "BS_10",
                    "BS_11", "BS_12", "BS_7"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, SaveLeavesKeysAboveTwelveAlone) {
    Write("[P]\nBS_1=1,1\nBS_13=130,13\n");
    ASSERT_TRUE(SaveSettings(DoseSettings{}, "dosages", "P", Path()).ok);
    EXPECT_EQ(ReadFile(Path()), "[P]\nBS_13=130,13\n");
}

TEST_F(SettingsFileTest, SavePeriodListWritesAndRemoves) {
    Write("[Period]\nP_1=A\nP_2=B\nP_3=C\n");
    DoseSettings settings;
    Fill(settings.PeriodList, settings.Counts.PeriodCount, {"Early", "Late"});
    ASSERT_TRUE(SaveSettings(settings, "period", "", Path()).ok);
    EXPECT_EQ(ReadFile(Path()), "[Period]\nP_1=Early\nP_2=Late\n");
}

TEST_F(SettingsFileTest, OtherSelectorsSaveNothing) {
    Write(kExampleFile);
    for (const char *selector : {"periods", "Dosages", ""}) {
        EXPECT_TRUE(SaveSettings(BreakfastTables(), selector, "Supper", Path()).ok) << selector;
    }
    EXPECT_EQ(ReadFile(Path()), kExampleFile);
}

TEST_F(SettingsFileTest, EmptyPeriodNameSavesNothing) {
    for (const char *name : {"", "  "}) {
        const FileResult result = SaveSettings(BreakfastTables(), "dosages", name, Path());
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
    }
    EXPECT_FALSE(fs::exists(Path()));
}

TEST_F(SettingsFileTest, LineBreakInEntrySavesNothing) {
    Write(kExampleFile);
    DoseSettings settings = BreakfastTables();
    settings.WeightingTable[2] = "100,2\n[Period]";
    EXPECT_FALSE(SaveSettings(settings, "dosages", "Lunch", Path()).ok);
    EXPECT_EQ(ReadFile(Path()), kExampleFile);
}

TEST_F(SettingsFileTest, SaveIntoMissingDirectoryIsReported) {
    const std::string path = directory_.File("gone/Norvalis.ini");
    const FileResult result = SaveSettings(BreakfastTables(), "dosages", "Breakfast", path);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
}

TEST_F(SettingsFileTest, SaveOverUnreadableFileIsRefused) {
    fs::create_directory(Path());
    EXPECT_FALSE(SaveSettings(BreakfastTables(), "dosages", "Breakfast", Path()).ok);
    EXPECT_TRUE(fs::is_directory(Path()));
}

TEST_F(SettingsFileTest, SaveBrokenOffKeepsOldFile) {
    // State: the disk fills after 64 bytes. Expected: the old file whole, the failure reported.
    Write(kExampleFile);
    FileResult result;
    {
        testing::FileSizeLimit limit(64);
        result = SaveSettings(BreakfastTables(), "dosages", "Supper", Path());
    }
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(ReadFile(Path()), kExampleFile);
    EXPECT_EQ(std::distance(fs::directory_iterator(directory_.Path()), fs::directory_iterator()),
              1);
}

TEST_F(SettingsFileTest, UnchangedSaveLeavesFileAlone) {
    Write(kExampleFile);
    const auto before = fs::last_write_time(Path());
    DoseSettings settings;
    ASSERT_TRUE(LoadSettings(settings, "dosages", "Breakfast", Path()).ok);
    {
        testing::FileSizeLimit limit(1); // any write would fail
        EXPECT_TRUE(SaveSettings(settings, "dosages", "Breakfast", Path()).ok);
    }
    EXPECT_EQ(fs::last_write_time(Path()), before);
}

TEST_F(SettingsFileTest, ReadIniValueCutsAndDefaults) {
    EXPECT_EQ(ReadIniValue("Period", "P_1", Path()), "");
    Write("[Period]\nP_1=" + std::string(300, 'n') + "\n");
    EXPECT_EQ(ReadIniValue("period", "p_1", Path()), std::string(254, 'n'));
    EXPECT_EQ(ReadIniValue("Period", "P_2", Path()), "");
}

TEST_F(SettingsFileTest, WriteIniValueReportsSuccessAndFailure) {
    EXPECT_NE(WriteIniValue("Period", "P_1", "Breakfast", Path()), 0);
    EXPECT_EQ(ReadFile(Path()), "[Period]\nP_1=Breakfast\n");
    EXPECT_EQ(WriteIniValue("Period", "P_2", "two\nlines", Path()), 0);
    EXPECT_EQ(ReadFile(Path()), "[Period]\nP_1=Breakfast\n");
    EXPECT_EQ(WriteIniValue("Period", "P_1", "x", directory_.File("gone/Norvalis.ini")), 0);
}

} // namespace
} // namespace norvalis
