#include "file_access.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace norvalis {

namespace {

thread_local const std::function<int(ReplaceStep)> *currentFault = nullptr;

// Runs one step of a replace, unless a test's fault makes it fail first (with errno set).
template <typename Step> bool RunStep(ReplaceStep step, Step &&run) {
    if (currentFault != nullptr && *currentFault) {
        if (const int error = (*currentFault)(step); error != 0) {
            errno = error;
            return false;
        }
    }
    return run();
}

// Enough for any chain of links a user sets up; a loop ends here instead of forever.
constexpr int kMaxLinkDepth = 40;

FileResult Failure(std::string_view what, const std::string &path, int error) {
    return {false, std::string(what) + " \"" + path + "\": " + std::strerror(error)};
}

std::string DirectoryOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write through path lands in: symbolic links are followed so that the link
// itself survives the rename.
std::string LinkTarget(const std::string &path) {
    std::string current = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = readlink(current.c_str(), target.data(), target.size());
        if (length <= 0) {
            return current;
        }
        target.resize(static_cast<std::size_t>(length));
        current = target.front() == '/' ? target : DirectoryOf(current) + "/" + target;
    }
    return current;
}

// Dose tables and logbook exports are health data: a file the program creates is the
// owner's alone, also under a permissive umask.
constexpr mode_t kNewFileMode = 0600;

// FNV-1a: enough to tell two versions of a small text file apart.
std::uint64_t ContentHash(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

FileFingerprint FingerprintOf(const struct stat &info) {
    FileFingerprint fingerprint;
    fingerprint.exists = true;
    fingerprint.device = static_cast<std::uint64_t>(info.st_dev);
    fingerprint.inode = static_cast<std::uint64_t>(info.st_ino);
    fingerprint.size = static_cast<std::uint64_t>(info.st_size);
    fingerprint.modifiedSeconds = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    fingerprint.modifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    return fingerprint;
}

// The fingerprint of a file that could not be opened for reading.
FileFingerprint UnopenedFingerprint(const std::string &path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return {};
    }
    return FingerprintOf(info);
}

bool WriteAll(int fd, const std::string &bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

constexpr std::string_view kTemporaryLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTemporarySuffixLength = 6; // the XXXXXX of mkostemp

bool IsOurTemporaryName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + kTemporarySuffixLength || !name.starts_with(prefix)) {
        return false;
    }
    return name.substr(prefix.size()).find_first_not_of(kTemporaryLetters) ==
           std::string_view::npos;
}

bool SameFile(const struct stat &a, const struct stat &b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes temporaries of our naming that a killed save left behind. A save holds a lock on
// its temporary until the rename, so one that can be locked is not being written by anyone;
// and only this user's regular files are touched.
void RemoveStaleTemporaries(const std::string &directory, std::string_view prefix) {
    DIR *folder = opendir(directory.c_str());
    if (folder == nullptr) {
        return;
    }
    while (const dirent *entry = readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (!IsOurTemporaryName(name, prefix)) {
            continue;
        }
        const std::string path = directory + "/" + std::string(name);
        const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat opened {};
        struct stat named {};
        if (fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == geteuid() &&
            flock(fd, LOCK_EX | LOCK_NB) == 0 && lstat(path.c_str(), &named) == 0 &&
            SameFile(opened, named)) {
            unlink(path.c_str());
        }
        close(fd);
    }
    closedir(folder);
}

// Creates and locks the temporary. The lock is taken after creation, so a cleaner may remove
// the file in between; then the name no longer leads to our file and we start again.
int CreateLockedTemporary(std::string &temporary, const std::string &pattern) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        temporary = pattern;
        const int fd = mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0) {
            return -1;
        }
        struct stat opened {};
        struct stat named {};
        if (flock(fd, LOCK_EX) == 0 && fstat(fd, &opened) == 0 &&
            lstat(temporary.c_str(), &named) == 0 && SameFile(opened, named)) {
            return fd;
        }
        close(fd);
    }
    errno = EAGAIN;
    return -1;
}

} // namespace

ScopedReplaceFault::ScopedReplaceFault(std::function<int(ReplaceStep)> fault)
    : fault_(std::move(fault)), previous_(currentFault) {
    currentFault = &fault_;
}

ScopedReplaceFault::~ScopedReplaceFault() {
    currentFault = previous_;
}

FileResult ReadWholeFile(const std::string &path, std::string &bytes,
                         FileFingerprint *fingerprint) {
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (fingerprint != nullptr) {
            *fingerprint = UnopenedFingerprint(path);
        }
        if (error == ENOENT || error == ENOTDIR) {
            return {};
        }
        return Failure("Cannot open", path, error);
    }
    char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            if (fingerprint != nullptr) {
                struct stat info {};
                *fingerprint = fstat(fd, &info) == 0 ? FingerprintOf(info) : FileFingerprint{};
            }
            close(fd);
            bytes.clear();
            return Failure("Cannot read", path, error);
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    if (fingerprint != nullptr) {
        // Taken after the read: a writer still at work shows in the hash of what was read, if
        // not in the size and time.
        struct stat info {};
        *fingerprint = fstat(fd, &info) == 0 ? FingerprintOf(info) : FileFingerprint{};
        fingerprint->readable = true;
        fingerprint->contentHash = ContentHash(bytes);
    }
    close(fd);
    return {};
}

FileFingerprint CurrentFingerprint(const std::string &path) {
    std::string bytes;
    FileFingerprint fingerprint;
    ReadWholeFile(path, bytes, &fingerprint);
    return fingerprint;
}

FileResult ReplaceFileAtomically(const std::string &path, const std::string &bytes,
                                 const ReplaceOptions &options) {
    const std::string target = LinkTarget(path);
    const std::string directory = DirectoryOf(target);

    mode_t mode = kNewFileMode;
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            return {false, "\"" + target + "\" is not a regular file"};
        }
        // A file the user made read-only stays as it is, as an in-place write would.
        if (access(target.c_str(), W_OK) != 0) {
            return Failure("Cannot write", target, errno);
        }
        mode = options.ownerOnly ? kNewFileMode : existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Failure("Cannot open", target, errno);
    }

    const std::string prefix = "." + BaseNameOf(target) + ".";
    RemoveStaleTemporaries(directory, prefix);

    std::string temporary;
    int fd = -1;
    if (!RunStep(ReplaceStep::CreateTemporary, [&] {
            fd = CreateLockedTemporary(temporary, directory + "/" + prefix + "XXXXXX");
            return fd >= 0;
        })) {
        return Failure("Cannot create a temporary file in", directory, errno);
    }
    // A second descriptor keeps the lock after the first is closed, until the rename is done.
    const int lockFd = dup(fd);
    const auto release = [&] {
        if (lockFd >= 0) {
            close(lockFd);
        }
    };
    const auto abandon = [&](std::string_view what) {
        const int error = errno;
        close(fd);
        unlink(temporary.c_str());
        release();
        return Failure(what, temporary, error);
    };
    if (!RunStep(ReplaceStep::Write, [&] { return WriteAll(fd, bytes); })) {
        return abandon("Cannot write");
    }
    if (fchmod(fd, mode) != 0) {
        return abandon("Cannot set the permissions of");
    }
    if (!RunStep(ReplaceStep::Flush, [&] { return fsync(fd) == 0; })) {
        return abandon("Cannot flush");
    }
    // What the file will be once renamed into place: the rename keeps its inode and time.
    FileFingerprint written;
    if (struct stat info{}; fstat(fd, &info) == 0) {
        written = FingerprintOf(info);
        written.readable = true;
        written.contentHash = ContentHash(bytes);
    }
    bool closed = false;
    if (!RunStep(ReplaceStep::Close, [&] {
            closed = true;
            return close(fd) == 0;
        })) {
        const int error = errno;
        if (!closed) {
            close(fd);
        }
        unlink(temporary.c_str());
        release();
        return Failure("Cannot close", temporary, error);
    }
    // The last moment to notice another writer, such as an editor that rewrites the file in
    // place while this store was being prepared.
    if (options.expected != nullptr && CurrentFingerprint(target) != *options.expected) {
        unlink(temporary.c_str());
        release();
        FileResult changed{false, "\"" + target +
                                      "\" was changed by another program while it was being "
                                      "stored; nothing was stored"};
        changed.changedSinceRead = true;
        return changed;
    }
    if (!RunStep(ReplaceStep::Rename,
                 [&] { return rename(temporary.c_str(), target.c_str()) == 0; })) {
        const int error = errno;
        unlink(temporary.c_str());
        release();
        return Failure("Cannot replace", target, error);
    }
    release();
    if (options.written != nullptr) {
        *options.written = written;
    }
    // The rename itself must survive a power cut too. A folder this user may not read cannot
    // be opened for the sync; that alone is not worth failing a save that is in place.
    const bool folderSynced = RunStep(ReplaceStep::FlushFolder, [&] {
        const int directoryFd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (directoryFd < 0) {
            return errno == EACCES;
        }
        const bool synced = fsync(directoryFd) == 0;
        const int error = errno;
        close(directoryFd);
        errno = error;
        return synced;
    });
    if (!folderSynced) {
        const int error = errno;
        return {false, "The new contents of \"" + target +
                           "\" are in place, but the folder could not be flushed to disk (" +
                           std::strerror(error) + "); they may be lost if the power fails"};
    }
    return {};
}

std::string ExecutableDirectory() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || executable.empty()) {
        return {};
    }
    return executable.parent_path().string();
}

} // namespace norvalis
