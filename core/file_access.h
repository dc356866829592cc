#pragma once

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
};

// Reads a whole file. A missing file reads as empty text and is not an error; a file that
// exists but cannot be read is.
FileResult ReadWholeFile(const std::string &path, std::string &bytes);

// Replaces a file in one step: the bytes go to a temporary file ".NAME.XXXXXX" in the same
// folder, which is flushed, synced and renamed over the old one, and the folder is synced, so
// a failure or a crash part-way leaves the old file whole. The old file's permissions are
// kept; a symbolic link is followed to its target. Temporaries of that naming left by a save
// that was killed are removed first (only ours: owned by this user and not being written).
// A failure to sync the folder after the rename is reported too: the file then holds the new
// bytes, but they may not survive a power cut.
FileResult ReplaceFileAtomically(const std::string &path, const std::string &bytes);

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
