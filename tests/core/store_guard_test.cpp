// Two copies of the program, an editor and the settings file: a store never undoes what
// someone else wrote since the tables were read, never lands over a file that changed while it
// was being written, and never leaves the person with fewer periods.
#include "core/settings_file.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"
#include "tests/core/table_text.h"

#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace norvalis {
namespace {

using namespace testing;
using testing::operator<<; // a using-directive is not enough for the test lists

const std::string kFile = "[Period]\nP_1=Breakfast\nP_2=Lunch\nP_3=Supper\n"
                          "[Breakfast]\nCD_1=10\nBS_1=140,1\nCW_1=60,1\n";
// The weighting dose another copy stored: the same size as kFile, so only the content tells.
const std::string kOtherCopy = "[Period]\nP_1=Breakfast\nP_2=Lunch\nP_3=Supper\n"
                               "[Breakfast]\nCD_1=10\nBS_1=140,1\nCW_1=60,7\n";
const std::string kOurTables = "CD=12 BS=140,1 CW=60,2";

// Writes bytes in place (same inode, as an editor that empties and rewrites the file does)
// and, when keepTime is set, puts the modification time back to what it was.
void RewriteInPlace(const std::string &path, const std::string &bytes, bool keepTime) {
    struct stat before {};
    stat(path.c_str(), &before);
    WriteFile(path, bytes);
    if (keepTime) {
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
}

// A settings file of these bytes in a folder of its own.
struct ScratchSettings {
    explicit ScratchSettings(const std::string &bytes) { WriteFile(path, bytes); }
    ScratchDirectory directory;
    const std::string path = directory.File(kSettingsFileName);
};

// The fingerprint a window keeps when it reads the file.
FileFingerprint ReadBy(const char *selector, const std::string &path) {
    DoseSettings read;
    FileFingerprint readAs;
    EXPECT_TRUE(LoadSettings(read, selector, "Breakfast", path, &readAs).ok);
    return readAs;
}

struct ChangeCase {
    std::string name;
    std::function<void(const std::string &path)> change;
    std::string after; // the file as the other writer left it
};

const ChangeCase kChangesSinceRead[] = {
    {"other_copy_same_size_same_time",
     [](const std::string &p) { RewriteInPlace(p, kOtherCopy, true); }, kOtherCopy},
    {"other_copy_replaced_the_file",
     [](const std::string &p) {
         WriteFile(p + ".new", kOtherCopy);
         std::rename((p + ".new").c_str(), p.c_str());
     },
     kOtherCopy},
    {"period_added_by_hand",
     [](const std::string &p) { RewriteInPlace(p, kFile + "[Period]\nP_4=Snack\n", false); },
     kFile + "[Period]\nP_4=Snack\n"},
    {"file_removed", [](const std::string &p) { std::remove(p.c_str()); }, ""},
};

class ChangedSinceReadTest : public ::testing::TestWithParam<ChangeCase> {};

// State: a window read the file; someone else writes it. Action: the window stores.
// Expected: refused as a change (so the window can ask), the other writer's bytes kept.
TEST_P(ChangedSinceReadTest, StoreIsRefusedAndTheOtherWriteKept) {
    const ChangeCase &c = GetParam();
    const ScratchSettings file(kFile);
    StoreGuard guard;
    guard.readAs = ReadBy("dosages", file.path);

    c.change(file.path);
    const FileResult result =
        SaveSettings(TablesFrom(kOurTables), "dosages", "Breakfast", file.path, guard);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.changedSinceRead) << result.error;
    EXPECT_EQ(ReadFile(file.path), c.after);

    // Storing anyway (no fingerprint) is the person's choice and then goes through.
    if (!c.after.empty()) {
        guard.readAs.reset();
        const FileResult anyway =
            SaveSettings(TablesFrom(kOurTables), "dosages", "Breakfast", file.path, guard);
        EXPECT_TRUE(anyway.ok) << anyway.error;
        EXPECT_NE(ReadFile(file.path).find("CW_1=60,2"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, ChangedSinceReadTest, ::testing::ValuesIn(kChangesSinceRead),
                         CaseName());

TEST(StoreGuardTest, OwnStoresFollowEachOtherWithoutAsking) {
    // State: a window stores, keeping the fingerprint the store gives back.
    // Action: it stores again. Expected: its own write does not count as someone else's.
    const ScratchSettings file(kFile);
    FileFingerprint seen = ReadBy("dosages", file.path);
    for (const char *tables : {"CD=12 BS=140,1", "CD=13 BS=140,2", "CD=13 BS=140,2"}) {
        StoreGuard guard;
        guard.readAs = seen;
        guard.stored = &seen;
        const FileResult result =
            SaveSettings(TablesFrom(tables), "dosages", "Breakfast", file.path, guard);
        ASSERT_TRUE(result.ok) << tables << ": " << result.error;
        EXPECT_EQ(seen, CurrentFingerprint(file.path)) << tables;
    }
}

struct DuringStoreCase {
    std::string name;
    std::string editorWrites;
    bool keepTime;
};

const DuringStoreCase kDuringStore[] = {
    {"editor_has_written_one_section", "[Breakfast]\n", false},
    {"editor_has_written_the_same_size", kOtherCopy, true},
    {"editor_has_emptied_the_file", "", false},
};

class ChangedDuringStoreTest : public ::testing::TestWithParam<DuringStoreCase> {};

// State: an editor rewrites the file in place after the store read it and before the new
// bytes are renamed into place. Expected: the store is refused and says so; the file is the
// editor's.
TEST_P(ChangedDuringStoreTest, EditorWriteIsNotReplaced) {
    const DuringStoreCase &c = GetParam();
    const ScratchSettings file(kFile);
    const ScopedReplaceFault editor([&](ReplaceStep step) {
        if (step == ReplaceStep::Close) {
            RewriteInPlace(file.path, c.editorWrites, c.keepTime);
        }
        return 0;
    });
    const FileResult result =
        SaveSettings(TablesFrom(kOurTables), "dosages", "Breakfast", file.path);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("changed by another program while it was being stored"),
              std::string::npos)
        << result.error;
    EXPECT_EQ(ReadFile(file.path), c.editorWrites);
}

INSTANTIATE_TEST_SUITE_P(Editors, ChangedDuringStoreTest, ::testing::ValuesIn(kDuringStore),
                         CaseName());

struct KeptPeriodsCase {
    std::string name;
    std::string file;
    std::vector<std::string> kept;
    std::string error; // empty: stored
};

const KeptPeriodsCase kKeptPeriods[] = {
    {"all_kept_periods_listed", kFile, {"Breakfast", "Lunch", "Supper"}, ""},
    {"half_written_file_without_period_list",
     "[Breakfast]\nCD_1=10\n",
     {"Breakfast", "Lunch", "Supper"},
     "\"Breakfast\", \"Lunch\", \"Supper\""},
    {"list_cut_short",
     "[Period]\nP_1=Breakfast\n[Breakfast]\nCD_1=10\n",
     {"Breakfast", "Lunch", "Supper"},
     "periods \"Lunch\", \"Supper\" "},
    {"renamed_elsewhere_is_missing",
     "[Period]\nP_1=Breakfast\nP_2=Midday\nP_3=Supper\n",
     {"Breakfast", "Lunch", "Supper"},
     "the period \"Lunch\" "},
    {"nothing_kept_nothing_checked", "[Breakfast]\nCD_1=10\n", {}, ""},
};

class KeptPeriodsTest : public ::testing::TestWithParam<KeptPeriodsCase> {};

TEST_P(KeptPeriodsTest, StoreThatWouldLosePeriodsIsRefused) {
    const KeptPeriodsCase &c = GetParam();
    const ScratchSettings file(c.file);
    StoreGuard guard;
    guard.keptPeriods = c.kept;
    const FileResult result =
        SaveSettings(TablesFrom(kOurTables), "dosages", "Breakfast", file.path, guard);
    EXPECT_EQ(result.ok, c.error.empty()) << result.error;
    EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
    if (!c.error.empty()) {
        EXPECT_EQ(ReadFile(file.path), c.file);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, KeptPeriodsTest, ::testing::ValuesIn(kKeptPeriods), CaseName());

TEST(StoreGuardTest, PeriodsDialogStoreKeepsItsOwnListAndSeesAnAddedPeriod) {
    // State: the periods were read; another program adds P_4. Action: the list is stored
    // with the fingerprint of the read. Expected: refused as a change; P_4 stays.
    const ScratchSettings file(kFile);
    StoreGuard guard;
    guard.readAs = ReadBy("periods", file.path);
    const std::string added = kFile + "[Period]\nP_4=Snack\n";
    RewriteInPlace(file.path, added, false);
    guard.keptPeriods = {"Breakfast", "Lunch"};
    const FileResult result = SavePeriods(TablesFrom("P=Breakfast|Lunch"), {}, file.path, guard);
    EXPECT_TRUE(result.changedSinceRead) << result.error;
    EXPECT_EQ(ReadFile(file.path), added);
}

struct ModeCase {
    std::string name;
    mode_t umaskValue;
    int existingMode; // -1: no file yet
    bool ownerOnly;
    int expected;
};

const ModeCase kModes[] = {
    {"new_file_under_open_umask_is_private", 0000, -1, false, 0600},
    {"existing_permissions_are_kept", 0022, 0640, false, 0640},
    {"owner_only_tightens_a_readable_file", 0022, 0644, true, 0600},
};

class ReplaceModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ReplaceModeTest, PermissionsOfTheReplacedFile) {
    const ModeCase &c = GetParam();
    ScratchDirectory directory;
    const std::string path = directory.File("export.csv");
    if (c.existingMode >= 0) {
        WriteFile(path, "old");
        chmod(path.c_str(), static_cast<mode_t>(c.existingMode));
    }
    const mode_t previous = umask(c.umaskValue);
    ReplaceOptions options;
    options.ownerOnly = c.ownerOnly;
    const FileResult result = ReplaceFileAtomically(path, "new", options);
    umask(previous);
    ASSERT_TRUE(result.ok) << result.error;
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, static_cast<mode_t>(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Modes, ReplaceModeTest, ::testing::ValuesIn(kModes), CaseName());

} // namespace
} // namespace norvalis
