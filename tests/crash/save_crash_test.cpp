#include "core/settings_file.h"
#include "tests/core/scratch_directory.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace norvalis {
namespace {

using testing::ReadFile;
using testing::ScratchDirectory;
using testing::WriteFile;

constexpr int kKills = 240;

// Tables whose every entry carries the version number, so a file shows which save wrote it.
DoseSettings TablesOfVersion(int version) {
    DoseSettings settings;
    const std::string v = std::to_string(version);
    for (int i = 1; i <= kTableSlots; ++i) {
        settings.CarbDoseTable[i] = v + "." + std::to_string(i);
        settings.CorrectionTable[i] = std::to_string(100 + 10 * i) + "," + v;
        settings.WeightingTable[i] = std::to_string(20 * i) + "," + v;
    }
    settings.Counts = {0, kTableSlots, kTableSlots, kTableSlots};
    return settings;
}

// Other periods around the one being saved make the file big enough for a kill to land in
// the middle of writing it.
std::string StartingFile() {
    std::string file = "[Period]\nP_1=Lunch\n";
    for (int section = 0; section < 2000; ++section) {
        file += "[Other " + std::to_string(section) + "]\nCD_1=10\nBS_1=150,1\nCW_1=60,1\n";
    }
    return file + "[Lunch]\nCD_1=12\n";
}

// Temporaries of a save, named ".Norvalis.ini." and six letters.
std::ptrdiff_t TemporaryCount(const std::filesystem::path &folder) {
    return std::count_if(std::filesystem::directory_iterator(folder), {}, [](const auto &entry) {
        return entry.path().filename().string().starts_with(".Norvalis.ini.");
    });
}

// Versions have six digits, so one saved file with a marker version gives every other.
constexpr int kFirstVersion = 100000;
constexpr int kMarkerVersion = 999999;

// The whole file a save of a version leaves: the starting file with that version's tables,
// made from one save of the marker version.
std::string ExpectedFile(const std::string &markedFile, int version) {
    std::string file = markedFile;
    const std::string marker = std::to_string(kMarkerVersion);
    for (std::size_t at = file.find(marker); at != std::string::npos; at = file.find(marker, at)) {
        file.replace(at, marker.size(), std::to_string(version));
    }
    return file;
}

// The version in a whole file: the number after the first correction level's comma.
int VersionIn(const std::string &file) {
    const std::size_t at = file.find("BS_1=110,");
    return at == std::string::npos ? -1 : std::atoi(file.c_str() + at + 9);
}

// A child saves new tables in a loop, each save a new version; it is killed at a random
// moment. The file must then be the starting file or exactly one version's file, and the next
// save must leave no temporary behind.
TEST(SaveCrashTest, KilledSaveLeavesOldOrNewFileWhole) {
    ScratchDirectory scratch;
    const std::string path = scratch.File("Norvalis.ini");
    const std::string starting = StartingFile();
    WriteFile(path, starting);
    const auto save = [&](int v) {
        return SaveSettings(TablesOfVersion(v), "dosages", "Lunch", path);
    };
    ASSERT_TRUE(save(kMarkerVersion).ok);
    const std::string marked = ReadFile(path);
    WriteFile(path, starting);
    std::mt19937 random(20261207);
    int version = kFirstVersion;
    int killedMidSave = 0;
    // Kills land within about two saves of the child's start, however fast this machine is.
    auto saveTime = std::chrono::steady_clock::duration::zero();

    for (int kill = 0; kill < kKills; ++kill) {
        const int firstVersion = version + 1;
        int started[2];
        ASSERT_EQ(pipe(started), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(started[0]);
            const char ready = 1;
            (void)!write(started[1], &ready, 1);
            for (int v = firstVersion;; ++v) {
                if (!save(v).ok) {
                    _exit(3);
                }
            }
        }
        close(started[1]);
        char ready = 0;
        ASSERT_EQ(read(started[0], &ready, 1), 1);
        close(started[0]);
        const auto window =
            std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count() * 2 + 1;
        std::this_thread::sleep_for(std::chrono::microseconds(
            std::uniform_int_distribution<std::int64_t>(0, window)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself: " << status;

        const std::string file = ReadFile(path);
        if (file != starting) {
            const int found = VersionIn(file);
            ASSERT_GE(found, firstVersion - 1) << "after kill " << kill;
            ASSERT_EQ(file, ExpectedFile(marked, found)) << "after kill " << kill;
            version = found;
        }
        const std::ptrdiff_t temporaries = TemporaryCount(scratch.Path());
        killedMidSave += temporaries > 0 ? 1 : 0;
        ASSERT_LE(temporaries, 1) << "after kill " << kill;

        // The next save removes what the killed one left.
        ++version;
        const auto saveStart = std::chrono::steady_clock::now();
        ASSERT_TRUE(save(version).ok);
        saveTime = std::chrono::steady_clock::now() - saveStart;
        ASSERT_EQ(ReadFile(path), ExpectedFile(marked, version));
        ASSERT_EQ(TemporaryCount(scratch.Path()), 0) << "after the save after kill " << kill;
    }
    RecordProperty("kills_with_a_save_in_progress", killedMidSave);
    // The kills must have hit saves in progress, or the test proves nothing.
    EXPECT_GT(killedMidSave, kKills / 10);
}

} // namespace
} // namespace norvalis
