#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The core's only contact with the operating system. Everything else in core/ is standard
// C++; this file needs POSIX: open, read, write, fsync (also of a folder), rename, mkostemp,
// flock, and /proc/self/exe for the program's folder. A port to another system replaces
// file_access.cpp and nothing else.

namespace norvalis {

struct FileResult {
    bool ok = true;
    std::string error; // the reason, readable by a user, when ok is false
    // Set with ok false when a store found the file no longer as its caller read it: someone
    // else wrote it in between, and nothing was stored.
    bool changedSinceRead = false;
};

// What a read saw of a file, so that a later store can tell whether anyone wrote it since:
// which file it was, its size, its modification time to the nanosecond and a hash of its
// bytes. Two fingerprints are equal when nothing of that differs.
struct FileFingerprint {
    bool exists = false;
    bool readable = false; // the bytes could be read (and are in the hash)
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uint64_t contentHash = 0;

    bool operator==(const FileFingerprint &) const = default;
};

// Reads a whole file. A missing file reads as empty text and is not an error; a file that
// exists but cannot be read is. When fingerprint is given it receives what the read saw, also
// for a missing or unreadable file.
FileResult ReadWholeFile(const std::string &path, std::string &bytes,
                         FileFingerprint *fingerprint = nullptr);

// The file's fingerprint as it is now (it reads the whole file).
FileFingerprint CurrentFingerprint(const std::string &path);

struct ReplaceOptions {
    // When set, the file must still be as this fingerprint says, checked just before the new
    // bytes take its place; otherwise nothing is replaced and changedSinceRead is set.
    const FileFingerprint *expected = nullptr;
    // The new file is readable and writable by its owner only, whatever the old one allowed.
    bool ownerOnly = false;
    // Receives the fingerprint of the file as written, when the replace succeeds.
    FileFingerprint *written = nullptr;
};

// Replaces a file in one step: the bytes go to a temporary file ".NAME.XXXXXX" in the same
// folder, which is flushed, synced and renamed over the old one, and the folder is synced, so
// a failure or a crash part-way leaves the old file whole. The old file's permissions are
// kept; a new file is readable and writable by its owner only, whatever the umask allows; a
// symbolic link is followed to its target. Temporaries of that naming left by a save
// that was killed are removed first (only ours: owned by this user and not being written).
// A failure to sync the folder after the rename is reported too: the file then holds the new
// bytes, but they may not survive a power cut.
FileResult ReplaceFileAtomically(const std::string &path, const std::string &bytes,
                                 const ReplaceOptions &options = {});

// The folder of the running executable (empty if the system cannot tell).
std::string ExecutableDirectory();

// The steps of a replace, in order, for tests that make one of them fail.
enum class ReplaceStep { CreateTemporary, Write, Flush, Close, Rename, FlushFolder };

// While alive, makes the replaces of this thread fail at a step: the function is asked
// before each step and returns 0 to let it run or an errno value (ENOSPC, EIO, ...) that the
// step then fails with. Scoped so that a failed test cannot leave it behind.
class ScopedReplaceFault {
public:
    explicit ScopedReplaceFault(std::function<int(ReplaceStep)> fault);
    ~ScopedReplaceFault();
    ScopedReplaceFault(const ScopedReplaceFault &) = delete;
    ScopedReplaceFault &operator=(const ScopedReplaceFault &) = delete;

private:
    std::function<int(ReplaceStep)> fault_;
    const std::function<int(ReplaceStep)> *previous_;
};

} // namespace norvalis
