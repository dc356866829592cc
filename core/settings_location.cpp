#include "core/settings_location.h"

#include "core/settings_file.h"

#include <cstdlib>
#include <filesystem>

namespace norvalis {

namespace {

bool Present(const char *value) {
    return value != nullptr && *value != '\0';
}

// Qt cleans the home folder's path ("/home/a/" is "/home/a", "//" is "/") but takes
// XDG_CONFIG_HOME as it is; so does this.
std::string CleanHome(const char *home) {
    std::string cleaned =
        std::filesystem::path(Present(home) ? home : "/").lexically_normal().string();
    while (cleaned.size() > 1 && cleaned.back() == '/') {
        cleaned.pop_back();
    }
    return cleaned;
}

std::string Reason(const std::error_code &error) {
    return error.message();
}

// The folder the file lives in, made when missing and owner-only.
FileResult MakePrivateFolder(const std::filesystem::path &folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(folder, error);
    if (!error && !fs::is_directory(folder, error) && !error) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (!error) {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
    }
    if (error) {
        return {false, "Cannot make the folder \"" + folder.string() + "\": " + Reason(error)};
    }
    return {};
}

} // namespace

bool IsPackageLayout(const std::string &programDirectory) {
    std::filesystem::path folder(programDirectory);
    if (!folder.has_filename()) {
        folder = folder.parent_path(); // "/usr/bin/" names the same folder as "/usr/bin"
    }
    if (folder.filename() != "bin") {
        return false;
    }
    std::error_code error;
    return std::filesystem::is_directory(folder.parent_path() / "share" / "norvalis", error);
}

std::string UserConfigDirectory(const char *xdgConfigHome, const char *home) {
    std::string base = Present(xdgConfigHome) ? std::string(xdgConfigHome) : CleanHome(home);
    if (!Present(xdgConfigHome)) {
        base = (base == "/" ? "" : base) + "/.config";
    }
    return base + "/" + kUserConfigFolderName;
}

std::string UserConfigDirectory() {
    return UserConfigDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

SettingsFileChoice ChooseSettingsFile(const std::string &programDirectory,
                                      const std::string &userConfigDirectory) {
    const std::string beside = SettingsFilePath(programDirectory);
    if (!IsPackageLayout(programDirectory) || userConfigDirectory.empty()) {
        return {beside, false};
    }
    // Anything of that name counts, also a link or a file that cannot be read: it was put
    // there on purpose, and reading it reports what is wrong with it.
    std::error_code error;
    if (std::filesystem::symlink_status(beside, error).type() !=
        std::filesystem::file_type::not_found) {
        return {beside, false};
    }
    return {SettingsFilePath(userConfigDirectory), true};
}

FileResult StoreSettingsFile(const SettingsFileChoice &choice,
                             const std::function<FileResult(const std::string &path)> &store) {
    namespace fs = std::filesystem;
    std::error_code error;
    const bool isNew =
        choice.perUser && fs::symlink_status(choice.path, error).type() == fs::file_type::not_found;
    if (isNew) {
        if (FileResult made = MakePrivateFolder(fs::path(choice.path).parent_path()); !made.ok) {
            return made;
        }
    }
    FileResult stored = store(choice.path);
    if (stored.ok && isNew) {
        // The store has happened, so it is not reported as failed should this not work: the
        // owner-only folder already keeps others out.
        fs::permissions(choice.path, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::replace, error);
    }
    return stored;
}

} // namespace norvalis
