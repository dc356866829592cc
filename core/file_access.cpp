#include "file_access.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace norvalis {

namespace {

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

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
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

} // namespace

FileResult ReadWholeFile(const std::string &path, std::string &bytes) {
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return {};
        }
        return Failure("Cannot open", path, errno);
    }
    char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            close(fd);
            bytes.clear();
            return Failure("Cannot read", path, error);
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return {};
}

FileResult ReplaceFileAtomically(const std::string &path, const std::string &bytes) {
    const std::string target = LinkTarget(path);
    const std::string directory = DirectoryOf(target);

    mode_t mode = NewFileMode();
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            return {false, "\"" + target + "\" is not a regular file"};
        }
        // A file the user made read-only stays as it is, as an in-place write would.
        if (access(target.c_str(), W_OK) != 0) {
            return Failure("Cannot write", target, errno);
        }
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Failure("Cannot open", target, errno);
    }

    std::string temporary = directory + "/." + BaseNameOf(target) + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return Failure("Cannot create a temporary file in", directory, errno);
    }
    const auto abandon = [&](std::string_view what) {
        const int error = errno;
        close(fd);
        unlink(temporary.c_str());
        return Failure(what, temporary, error);
    };
    if (!WriteAll(fd, bytes)) {
        return abandon("Cannot write");
    }
    if (fchmod(fd, mode) != 0) {
        return abandon("Cannot set the permissions of");
    }
    if (fsync(fd) != 0) {
        return abandon("Cannot flush");
    }
    if (close(fd) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return Failure("Cannot close", temporary, error);
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return Failure("Cannot replace", target, error);
    }
    // The rename itself must survive a power cut too.
    const int directoryFd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directoryFd >= 0) {
        fsync(directoryFd);
        close(directoryFd);
    }
    return {};
}

} // namespace norvalis
