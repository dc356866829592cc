#pragma once

#include <QFile>
#include <QString>
#include <sys/stat.h>

namespace testsupport {

// The permission bits of a file (0600 and the like), or 0 when it does not exist.
inline mode_t permissionBits(const QString &path) {
    struct stat info {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

} // namespace testsupport
