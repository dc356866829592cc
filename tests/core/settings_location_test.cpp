#include "core/settings_file.h"
#include "core/settings_location.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

namespace norvalis {
namespace {

using namespace testing;
using testing::operator<<;
namespace fs = std::filesystem;

// What a scratch root holds: the program's folder (relative to the root) and what is beside it.
enum class Beside { Nothing, File, DanglingLink };
struct LayoutCase {
    std::string name;
    std::string programFolder; // "usr/bin" and the like; a trailing "/" is kept
    bool shareFolder;          // "<program folder>/../share/norvalis" is a folder
    bool shareIsFile;          // ... or a plain file of that name
    Beside beside;
    bool configGiven;
    bool perUser; // expected: the file in the configuration folder
};

// clang-format off
const LayoutCase kLayouts[] = {
    {"portable_folder_keeps_file_beside",        "Norvalis",  false, false, Beside::Nothing,      true,  false},
    {"bin_folder_without_share_is_portable",     "home/bin",  false, false, Beside::Nothing,      true,  false},
    {"share_without_bin_is_portable",            "usr/lib",   true,  false, Beside::Nothing,      true,  false},
    {"package_layout_is_per_user",               "usr/bin",   true,  false, Beside::Nothing,      true,  true},
    {"package_layout_named_with_slash",          "usr/bin/",  true,  false, Beside::Nothing,      true,  true},
    {"package_unpacked_elsewhere_is_per_user",   "opt/x/bin", true,  false, Beside::Nothing,      true,  true},
    {"file_beside_package_is_read_first",        "usr/bin",   true,  false, Beside::File,         true,  false},
    {"link_beside_package_is_read_first",        "usr/bin",   true,  false, Beside::DanglingLink, true,  false},
    {"share_entry_that_is_a_file_is_no_package", "usr/bin",   false, true,  Beside::Nothing,      true,  false},
    {"no_configuration_folder_keeps_beside",     "usr/bin",   true,  false, Beside::Nothing,      false, false},
};
// clang-format on

class SettingsLayout : public ::testing::TestWithParam<LayoutCase> {};

// State: a program folder as the case builds it. Expected: the file the rule picks.
TEST_P(SettingsLayout, ChoosesTheFileByLayout) {
    const LayoutCase &c = GetParam();
    ScratchDirectory root;
    const fs::path program = root.Path() / c.programFolder;
    fs::create_directories(program);
    // "usr/bin/" has an empty last part: the folder beside is found from "usr/bin".
    const fs::path shareFor =
        (c.programFolder.back() == '/' ? program.parent_path() : program).parent_path() / "share";
    if (c.shareFolder) {
        fs::create_directories(shareFor / "norvalis");
    }
    if (c.shareIsFile) {
        fs::create_directories(shareFor);
        WriteFile((shareFor / "norvalis").string(), "");
    }
    const std::string besidePath = (program / kSettingsFileName).string();
    if (c.beside == Beside::File) {
        WriteFile(besidePath, "[Period]\nP_1=Mine\n");
    } else if (c.beside == Beside::DanglingLink) {
        fs::create_symlink(root.Path() / "gone.ini", besidePath);
    }
    const std::string config = c.configGiven ? root.File("home/.config/Norvalis") : "";

    const SettingsFileChoice choice = ChooseSettingsFile(program.string(), config);

    EXPECT_EQ(choice.perUser, c.perUser);
    EXPECT_EQ(choice.path,
              c.perUser ? config + "/" + kSettingsFileName : SettingsFilePath(program.string()));
    EXPECT_EQ(IsPackageLayout(program.string()),
              c.shareFolder && c.programFolder.find("bin") != std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Layouts, SettingsLayout, ::testing::ValuesIn(kLayouts), CaseName());

struct ConfigCase {
    std::string name;
    const char *xdgConfigHome;
    const char *home;
    std::string expected;
};

// clang-format off
const ConfigCase kConfigFolders[] = {
    {"xdg_config_home_wins",            "/srv/cfg", "/home/ann",  "/srv/cfg/Norvalis"},
    {"home_config_without_xdg",         nullptr,    "/home/ann",  "/home/ann/.config/Norvalis"},
    {"empty_xdg_counts_as_unset",       "",         "/home/ann",  "/home/ann/.config/Norvalis"},
    {"home_with_trailing_slash",        nullptr,    "/home/ann/", "/home/ann/.config/Norvalis"},
    {"no_home_is_the_root_folder",      nullptr,    nullptr,      "/.config/Norvalis"},
    {"home_of_slash_alone",             nullptr,    "/",          "/.config/Norvalis"},
};
// clang-format on

class UserConfigFolder : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(UserConfigFolder, FollowsTheEnvironmentAsQtDoes) {
    const ConfigCase &c = GetParam();
    EXPECT_EQ(UserConfigDirectory(c.xdgConfigHome, c.home), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Environments, UserConfigFolder, ::testing::ValuesIn(kConfigFolders),
                         CaseName());

mode_t ModeOf(const fs::path &path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

// A store that writes the bytes the way the program's saves do.
FileResult Write(const std::string &path) {
    return ReplaceFileAtomically(path, "[Period]\nP_1=Breakfast\n");
}

// The folders the private store makes or tightens, under a umask that would leave them open.
class PrivateStore : public ::testing::Test {
protected:
    void SetUp() override { previousMask_ = umask(022); }
    void TearDown() override { umask(previousMask_); }
    ScratchDirectory root_;

private:
    mode_t previousMask_ = 0;
};

// State: no configuration folder yet, or one left open (the window placement store made it).
// Expected: folder 0700 and file 0600 after the store.
TEST_F(PrivateStore, FirstStoreMakesFolderAndFileOwnerOnly) {
    for (const bool folderExists : {false, true}) {
        const fs::path folder =
            root_.Path() / (folderExists ? "Norvalis" : "home/.config/Norvalis");
        if (folderExists) {
            fs::create_directories(folder);
            fs::permissions(folder, fs::perms(0755));
        }
        const SettingsFileChoice choice{(folder / kSettingsFileName).string(), true};
        ASSERT_TRUE(StoreSettingsFile(choice, Write).ok) << folderExists;
        EXPECT_EQ(ModeOf(folder), 0700u) << folderExists;
        EXPECT_EQ(ModeOf(choice.path), 0600u) << folderExists;
        EXPECT_EQ(ReadFile(choice.path), "[Period]\nP_1=Breakfast\n");
    }
}

// State: the person has made their file group-readable on purpose. Expected: left so.
TEST_F(PrivateStore, LaterStoresKeepThePersonsPermissions) {
    const fs::path folder = root_.Path() / "Norvalis";
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms(0750));
    const SettingsFileChoice choice{(folder / kSettingsFileName).string(), true};
    WriteFile(choice.path, "[Period]\n");
    fs::permissions(choice.path, fs::perms(0640));
    ASSERT_TRUE(StoreSettingsFile(choice, Write).ok);
    EXPECT_EQ(ModeOf(folder), 0750u);
    EXPECT_EQ(ModeOf(choice.path), 0640u);
}

// State: the file beside a portable program. Expected: stored as before, no folder made.
TEST_F(PrivateStore, FileBesideTheProgramIsStoredAsBefore) {
    const SettingsFileChoice beside{root_.File("missing/Norvalis.ini"), false};
    const FileResult stored = StoreSettingsFile(beside, Write);
    EXPECT_FALSE(stored.ok);
    EXPECT_FALSE(fs::exists(root_.Path() / "missing"));

    // The program's own folder is the person's business: it is not tightened.
    fs::permissions(root_.Path(), fs::perms(0755));
    const SettingsFileChoice portable{root_.File(kSettingsFileName), false};
    ASSERT_TRUE(StoreSettingsFile(portable, Write).ok);
    EXPECT_EQ(ReadFile(portable.path), "[Period]\nP_1=Breakfast\n");
    EXPECT_EQ(ModeOf(root_.Path()), 0755u);
}

// State: where the folder would go there is a plain file (also refused to root).
// Expected: a failure naming the folder, and the store is not tried.
TEST_F(PrivateStore, FolderThatCannotBeMadeIsReportedByPath) {
    WriteFile(root_.File("config"), "not a folder");
    const std::string folder = root_.File("config/Norvalis");
    const SettingsFileChoice choice{folder + "/" + kSettingsFileName, true};
    bool tried = false;
    const FileResult stored = StoreSettingsFile(choice, [&](const std::string &path) {
        tried = true;
        return Write(path);
    });
    EXPECT_FALSE(stored.ok);
    EXPECT_NE(stored.error.find(folder), std::string::npos) << stored.error;
    EXPECT_FALSE(tried);
}

// State: the store itself fails. Expected: its failure is what is reported.
TEST_F(PrivateStore, FailedStoreIsReportedAsItsOwn) {
    const fs::path folder = root_.Path() / "Norvalis";
    const SettingsFileChoice choice{(folder / kSettingsFileName).string(), true};
    const FileResult stored = StoreSettingsFile(choice, [](const std::string &) {
        return FileResult{false, "disk full"};
    });
    EXPECT_FALSE(stored.ok);
    EXPECT_EQ(stored.error, "disk full");
    EXPECT_FALSE(fs::exists(choice.path));
}

} // namespace
} // namespace norvalis
