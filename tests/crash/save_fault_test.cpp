#include "core/file_access.h"
#include "core/settings_file.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace norvalis {
namespace {

using testing::operator<<;
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

struct FaultCase {
    const char *name;
    ReplaceStep step;
    int error;
    std::string fileAfter;
    std::string errorContains; // besides the system's text for the error
};

// A save with its own settings file in a fresh folder.
struct SaveFolder {
    ScratchDirectory scratch;
    std::string path = scratch.File("Norvalis.ini");
    SaveFolder() { WriteFile(path, kOldFile); }
    FileResult Save() const { return SaveSettings(NewTables(), "dosages", "Lunch", path); }
};

class SaveFaultTest : public ::testing::TestWithParam<FaultCase> {};

// The step fails: the caller hears why, the old file stays whole (after a failed folder
// flush the new file is in place, whole), and no temporary is left.
TEST_P(SaveFaultTest, FailedStepKeepsFileAndReportsIt) {
    const FaultCase &c = GetParam();
    const SaveFolder folder;
    std::vector<ReplaceStep> stepsSeen;
    const ScopedReplaceFault fault([&](ReplaceStep step) {
        stepsSeen.push_back(step);
        return step == c.step ? c.error : 0;
    });

    const FileResult result = folder.Save();

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(c.errorContains), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(std::strerror(c.error)), std::string::npos) << result.error;
    EXPECT_EQ(ReadFile(folder.path), c.fileAfter);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.scratch.Path()), {}), 1)
        << "a temporary was left";
    ASSERT_FALSE(stepsSeen.empty());
    EXPECT_EQ(stepsSeen.back(), c.step) << "a step ran after the one that failed";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Steps, SaveFaultTest, ::testing::Values(
    FaultCase{"folder_full_at_create", ReplaceStep::CreateTemporary, ENOSPC, kOldFile, "Cannot create a temporary"},
    FaultCase{"disk_full_at_write", ReplaceStep::Write, ENOSPC, kOldFile, "Cannot write"},
    FaultCase{"io_error_at_flush", ReplaceStep::Flush, EIO, kOldFile, "Cannot flush"},
    FaultCase{"io_error_at_close", ReplaceStep::Close, EIO, kOldFile, "Cannot close"},
    FaultCase{"disk_full_at_rename", ReplaceStep::Rename, ENOSPC, kOldFile, "Cannot replace"},
    FaultCase{"io_error_at_folder_flush", ReplaceStep::FlushFolder, EIO, kNewFile, "folder could not be flushed"}),
    testing::CaseName());
// clang-format on

TEST(SaveFaultTest, FaultEndsWithItsScope) {
    const SaveFolder folder;
    {
        const ScopedReplaceFault fault([](ReplaceStep) { return EIO; });
        EXPECT_FALSE(folder.Save().ok);
    }
    EXPECT_TRUE(folder.Save().ok);
    EXPECT_EQ(ReadFile(folder.path), kNewFile);
}

struct LeftoverCase {
    const char *name;
    std::string fileName;
    bool heldBySave; // another save is writing it right now
    bool removed;
};

class LeftoverTemporaryTest : public ::testing::TestWithParam<LeftoverCase> {};

// State: a file beside the settings file. Action: a save. Expected: only a temporary of our
// naming that nobody is writing is gone.
TEST_P(LeftoverTemporaryTest, SaveRemovesOnlyStaleTemporariesOfItsOwn) {
    const LeftoverCase &c = GetParam();
    const SaveFolder folder;
    const std::string leftover = folder.scratch.File(c.fileName);
    WriteFile(leftover, "[Lunch]\nCD_1=");
    const int holder = open(leftover.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    if (c.heldBySave) {
        ASSERT_EQ(flock(holder, LOCK_EX), 0);
    }

    ASSERT_TRUE(folder.Save().ok);
    close(holder);

    EXPECT_EQ(ReadFile(folder.path), kNewFile);
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
    testing::CaseName());
// clang-format on

} // namespace
} // namespace norvalis
