#include "core/file_access.h"
#include "tests/core/file_size_limit.h"
#include "tests/core/scratch_directory.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace norvalis {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::ScratchDirectory;
using testing::WriteFile;

// Everything in the directory except the named file: a failed save must leave no
// temporary file behind.
std::vector<std::string> OtherEntries(const ScratchDirectory &directory, const std::string &name) {
    std::vector<std::string> others;
    for (const auto &entry : fs::directory_iterator(directory.Path())) {
        if (entry.path().filename() != name) {
            others.push_back(entry.path().filename().string());
        }
    }
    return others;
}

TEST(ReadWholeFile, MissingFileReadsEmpty) {
    ScratchDirectory directory;
    std::string bytes = "stale";
    const FileResult result = ReadWholeFile(directory.File("Norvalis.ini"), bytes);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(bytes, "");
}

TEST(ReadWholeFile, PathThroughAFileReadsEmpty) {
    ScratchDirectory directory;
    WriteFile(directory.File("plain"), "x");
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(directory.File("plain") + "/Norvalis.ini", bytes).ok);
    EXPECT_EQ(bytes, "");
}

TEST(ReadWholeFile, ReadsBytesExactly) {
    ScratchDirectory directory;
    const std::string original =
        std::string("[A]\r\nk=\xC3\xA9\0z\n", 11) + std::string(40000, 'x');
    WriteFile(directory.File("f"), original);
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(directory.File("f"), bytes).ok);
    EXPECT_EQ(bytes, original);
}

TEST(ReadWholeFile, DirectoryIsReportedAsUnreadable) {
    ScratchDirectory directory;
    fs::create_directory(directory.File("Norvalis.ini"));
    std::string bytes;
    const FileResult result = ReadWholeFile(directory.File("Norvalis.ini"), bytes);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("Norvalis.ini"), std::string::npos);
    EXPECT_EQ(bytes, "");
}

TEST(ReplaceFileAtomically, CreatesMissingFile) {
    ScratchDirectory directory;
    const std::string path = directory.File("Norvalis.ini");
    ASSERT_TRUE(ReplaceFileAtomically(path, "[A]\nk=1\n").ok);
    EXPECT_EQ(ReadFile(path), "[A]\nk=1\n");
    EXPECT_TRUE(OtherEntries(directory, "Norvalis.ini").empty());
}

TEST(ReplaceFileAtomically, KeepsPermissions) {
    ScratchDirectory directory;
    const std::string path = directory.File("Norvalis.ini");
    WriteFile(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(ReplaceFileAtomically(path, "new").ok);
    EXPECT_EQ(ReadFile(path), "new");
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(ReplaceFileAtomically, FollowsSymbolicLinks) {
    // State: the settings file is a relative link to a file in another folder.
    ScratchDirectory directory;
    fs::create_directory(directory.File("real"));
    WriteFile(directory.File("real/settings.ini"), "old");
    fs::create_symlink("real/settings.ini", directory.File("Norvalis.ini"));
    ASSERT_TRUE(ReplaceFileAtomically(directory.File("Norvalis.ini"), "new").ok);
    EXPECT_TRUE(fs::is_symlink(directory.File("Norvalis.ini")));
    EXPECT_EQ(ReadFile(directory.File("real/settings.ini")), "new");
}

TEST(ReplaceFileAtomically, MissingDirectoryIsReported) {
    ScratchDirectory directory;
    const std::string path = directory.File("absent/Norvalis.ini");
    const FileResult result = ReplaceFileAtomically(path, "x");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("absent"), std::string::npos);
    EXPECT_FALSE(fs::exists(path));
}

TEST(ReplaceFileAtomically, DirectoryInTheWayIsReported) {
    ScratchDirectory directory;
    fs::create_directory(directory.File("Norvalis.ini"));
    EXPECT_FALSE(ReplaceFileAtomically(directory.File("Norvalis.ini"), "x").ok);
    EXPECT_TRUE(fs::is_directory(directory.File("Norvalis.ini")));
}

TEST(ReplaceFileAtomically, WriteBrokenOffKeepsOldFile) {
    // State: writes fail after 16 bytes (a full disk). Expected: failure reported, old bytes
    // intact, no temporary file left.
    ScratchDirectory directory;
    const std::string path = directory.File("Norvalis.ini");
    const std::string original = "[Breakfast]\r\nCD_1=10\r\n";
    WriteFile(path, original);
    FileResult result;
    {
        testing::FileSizeLimit limit(16);
        result = ReplaceFileAtomically(path, original + std::string(4096, 'x'));
    }
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(ReadFile(path), original);
    EXPECT_TRUE(OtherEntries(directory, "Norvalis.ini").empty());
}

TEST(ReplaceFileAtomically, ReadOnlyDirectoryKeepsOldFile) {
    ScratchDirectory directory;
    const std::string path = directory.File("Norvalis.ini");
    WriteFile(path, "old");
    fs::permissions(directory.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    if (access(directory.Path().c_str(), W_OK) == 0) {
        GTEST_SKIP() << "permissions do not bind this user (root)";
    }
    const FileResult result = ReplaceFileAtomically(path, "new");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(ReadFile(path), "old");
}

TEST(ReplaceFileAtomically, ReadOnlyFileIsNotReplaced) {
    ScratchDirectory directory;
    const std::string path = directory.File("Norvalis.ini");
    WriteFile(path, "old");
    fs::permissions(path, fs::perms::owner_read);
    if (access(path.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "permissions do not bind this user (root)";
    }
    EXPECT_FALSE(ReplaceFileAtomically(path, "new").ok);
    EXPECT_EQ(ReadFile(path), "old");
}

TEST(ReplaceFileAtomically, LinkLoopIsReportedAndKept) {
    ScratchDirectory directory;
    fs::create_symlink("b", directory.File("a"));
    fs::create_symlink("a", directory.File("b"));
    EXPECT_FALSE(ReplaceFileAtomically(directory.File("a"), "x").ok);
    EXPECT_TRUE(fs::is_symlink(directory.File("a")));
}

} // namespace
} // namespace norvalis
