#include "profile_file.h"

#include "file_access.h"
#include "ini_document.h"

namespace norvalis {

std::string ReadIniValue(std::string_view section, std::string_view key, const std::string &path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes).ok) {
        return {};
    }
    return IniDocument(std::move(bytes)).Value(section, key);
}

std::int16_t WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                           const std::string &path) {
    std::string bytes;
    FileFingerprint readAs;
    if (!ReadWholeFile(path, bytes, &readAs).ok) {
        return 0; // rewriting a file we could not read would lose its other lines
    }
    IniDocument document(std::move(bytes));
    if (!document.SetValue(section, key, value).ok) {
        return 0;
    }
    ReplaceOptions options;
    options.expected = &readAs; // a write by someone else in between is not undone
    return ReplaceFileAtomically(path, document.Bytes(), options).ok ? 1 : 0;
}

} // namespace norvalis
