#pragma once

#include <string>

namespace norvalis {

struct FileResult {
    bool ok = true;
    std::string error; // the reason, readable by a user, when ok is false
};

// Reads a whole file. A missing file reads as empty text and is not an error; a file that
// exists but cannot be read is.
FileResult ReadWholeFile(const std::string &path, std::string &bytes);

// Replaces a file in one step: the bytes go to a temporary file in the same directory, which
// is flushed, synced and renamed over the old one, so a failure part-way leaves the old file
// as it was. The old file's permissions are kept; a symbolic link is followed to its target.
FileResult ReplaceFileAtomically(const std::string &path, const std::string &bytes);

} // namespace norvalis
