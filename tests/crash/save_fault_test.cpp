#include "core/file_access.h"
#include "core/settings_file.h"
#include "tests/core/scratch_directory.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace norvalis {
namespace {

using testing::ReadFile;
using testing::ScratchDirectory;
using testing::WriteFile;

const std::string kOldFile = "[Period]\nP_1=Lunch\n[Lunch]\nCD_1=12\n";
const std::string kNewFile = "[Period]\nP_1=Lunch\n[Lunch]\nCD_1=15\n";

DoseSettings NewTables() {
    DoseSettings settings;
    settings.CarbDoseTable[1] = "15";
    settings.Counts.CarbDoseCount = 1;
    return settings;
}

std::vector<std::string> FolderNames(const std::filesystem::path &folder) {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct FaultCase {
    const char *name;
    ReplaceStep step;
    int error;
    std::string fileAfter;
    std::string errorContains;
};

void PrintTo(const FaultCase &c, std::ostream *os) {
    *os << c.name;
}

class SaveFaultTest : public ::testing::TestWithParam<FaultCase> {};

// The step fails: the caller hears why, the old file stays whole (after a failed folder
// flush the new file is in place, whole), and no temporary is left.
TEST_P(SaveFaultTest, FailedStepKeepsFileAndReportsIt) {
    const FaultCase &c = GetParam();
    ScratchDirectory scratch;
    const std::string path = scratch.File("Norvalis.ini");
    WriteFile(path, kOldFile);
    std::vector<ReplaceStep> stepsSeen;
    const ScopedReplaceFault fault([&](ReplaceStep step) {
        stepsSeen.push_back(step);
        return step == c.step ? c.error : 0;
    });

    const FileResult result = SaveSettings(NewTables(), "dosages", "Lunch", path);

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(c.errorContains), std::string::npos) << result.error;
    EXPECT_EQ(ReadFile(path), c.fileAfter);
    EXPECT_EQ(FolderNames(scratch.Path()), std::vector<std::string>{"Norvalis.ini"});
    ASSERT_FALSE(stepsSeen.empty());
    EXPECT_EQ(stepsSeen.back(), c.step) << "a step ran after the one that failed";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Steps, SaveFaultTest, ::testing::Values(
    FaultCase{"folder_full_at_create", ReplaceStep::CreateTemporary, ENOSPC, kOldFile, "No space left on device"},
    FaultCase{"disk_full_at_write", ReplaceStep::Write, ENOSPC, kOldFile, "Cannot write"},
    FaultCase{"io_error_at_write", ReplaceStep::Write, EIO, kOldFile, "Input/output error"},
    FaultCase{"disk_full_at_flush", ReplaceStep::Flush, ENOSPC, kOldFile, "Cannot flush"},
    FaultCase{"io_error_at_flush", ReplaceStep::Flush, EIO, kOldFile, "Cannot flush"},
    FaultCase{"io_error_at_close", ReplaceStep::Close, EIO, kOldFile, "Cannot close"},
    FaultCase{"io_error_at_rename", ReplaceStep::Rename, EIO, kOldFile, "Cannot replace"},
    FaultCase{"disk_full_at_rename", ReplaceStep::Rename, ENOSPC, kOldFile, "No space left"},
    FaultCase{"io_error_at_folder_flush", ReplaceStep::FlushFolder, EIO, kNewFile, "folder could not be flushed"}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(SaveFaultTest, FaultEndsWithItsScope) {
    ScratchDirectory scratch;
    const std::string path = scratch.File("Norvalis.ini");
    WriteFile(path, kOldFile);
    {
        const ScopedReplaceFault fault([](ReplaceStep) { return EIO; });
        EXPECT_FALSE(SaveSettings(NewTables(), "dosages", "Lunch", path).ok);
    }
    EXPECT_TRUE(SaveSettings(NewTables(), "dosages", "Lunch", path).ok);
    EXPECT_EQ(ReadFile(path), kNewFile);
}

struct LeftoverCase {
    const char *name;
    std::string fileName;
    bool heldBySave; // another save is writing it right now
    bool removed;
};

void PrintTo(const LeftoverCase &c, std::ostream *os) {
    *os << c.name;
}

class LeftoverTemporaryTest : public ::testing::TestWithParam<LeftoverCase> {};

// State: a file beside the settings file. Action: a save. Expected: only a temporary of our
// naming that nobody is writing is gone.
TEST_P(LeftoverTemporaryTest, SaveRemovesOnlyStaleTemporariesOfItsOwn) {
    const LeftoverCase &c = GetParam();
    ScratchDirectory scratch;
    const std::string path = scratch.File("Norvalis.ini");
    WriteFile(path, kOldFile);
    const std::string leftover = scratch.File(c.fileName);
    WriteFile(leftover, "[Lunch]\nCD_1=");
    const int holder = open(leftover.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    if (c.heldBySave) {
        ASSERT_EQ(flock(holder, LOCK_EX), 0);
    }

    ASSERT_TRUE(SaveSettings(NewTables(), "dosages", "Lunch", path).ok);
    close(holder);

    EXPECT_EQ(ReadFile(path), kNewFile);
    EXPECT_EQ(std::filesystem::exists(leftover), !c.removed);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Names, LeftoverTemporaryTest, ::testing::Values(
    LeftoverCase{"stale_temporary_removed", ".Norvalis.ini.a1B2c3", false, true},
    LeftoverCase{"temporary_being_written_kept", ".Norvalis.ini.a1B2c3", true, false},
    LeftoverCase{"five_letter_suffix_kept", ".Norvalis.ini.a1B2c", false, false},
    LeftoverCase{"seven_letter_suffix_kept", ".Norvalis.ini.a1B2c3d", false, false},
    LeftoverCase{"suffix_with_dot_kept", ".Norvalis.ini.a1B.c3", false, false},
    LeftoverCase{"other_file_temporary_kept", ".Other.ini.a1B2c3", false, false},
    LeftoverCase{"visible_copy_kept", "Norvalis.ini.a1B2c3", false, false},
    LeftoverCase{"users_backup_kept", "Norvalis.ini.bak", false, false}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace norvalis
