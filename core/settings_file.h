#pragma once

#include "dose_settings.h"
#include "file_access.h"
#include "text_encoding.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvalis {

inline constexpr const char *kSettingsFileName = "Norvalis.ini";

// The settings file path for a program directory: the directory plus "/Norvalis.ini".
std::string SettingsFilePath(const std::string &directory);

// What a store must not lose.
struct StoreGuard {
    // The settings file as the caller read it. When the file is no longer so, nothing is
    // stored and the result has changedSinceRead set, so the caller can ask the person. Empty:
    // store over the file as it is now.
    std::optional<FileFingerprint> readAs;
    // Periods the person keeps: a store after which the file would no longer list one of them
    // is refused, naming them.
    std::vector<std::string> keptPeriods;
    // Receives the fingerprint of the file as it is after a successful store.
    FileFingerprint *stored = nullptr;
};

// Moves the period list ("periods") or one period's three tables ("dosages") from the
// settings file into settings. Every selector first empties slots 1..12 of the three dose
// tables; selectors are compared exactly. The file is read once per call; a missing file
// reads as empty. The result reports a file that exists but cannot be read (which then also
// reads as empty). readAs, when given, receives the fingerprint of the bytes that were read.
FileResult LoadSettings(DoseSettings &settings, std::string_view selector,
                        std::string_view periodName, const std::string &path,
                        FileFingerprint *readAs = nullptr);

// Writes the period list ("period") or the three tables of settings under periodName
// ("dosages"): entries 1..count, keys of that table above the count (up to 12) removed. All
// writes are applied in memory and the file is replaced once, atomically; a failure is
// reported with its reason and leaves the file as it was. An empty period name writes
// nothing and is reported as a failure. Names and entries are UTF-8 and are written in the
// file's own encoding; one that the encoding cannot hold is refused, naming the character.
// The file is read once; a file that another program changes before the new bytes are in
// place is left as that program wrote it, and the store is refused (see also StoreGuard).
FileResult SaveSettings(const DoseSettings &settings, std::string_view selector,
                        std::string_view periodName, const std::string &path,
                        const StoreGuard &guard = {});

// A period renamed from one name to another: its section follows the new name.
struct SectionRename {
    std::string from;
    std::string to;
};

// Writes the period list exactly as SaveSettings("period") does and renames, in place, the
// section of each period in renames that has one (its lines and comments kept), all in one
// atomic replace of the file. Refused, with nothing written, when a new name is one the file
// cannot hold (see PeriodNameProblem), when another section already has the new name, or
// when "Period" itself would be renamed.
FileResult SavePeriods(const DoseSettings &settings, const std::vector<SectionRename> &renames,
                       const std::string &path, const StoreGuard &guard = {});

// Why a period name (UTF-8) cannot be stored in a settings file of the given encoding and
// read back whole, in plain words for the user; nullopt when it can. Refused: an empty name,
// a line break, blanks at either end, "[", "]", "=", a leading ";", enclosing quotes, a
// character the encoding cannot hold, more than 254 bytes in the file's encoding, and the
// names of the sections that hold other things, "Period" and "Options" (any letter case).
std::optional<std::string> PeriodNameProblem(std::string_view nameUtf8, Encoding encoding);

// The encoding of the settings file at path as a read would decide it; UTF-8 for a file
// that does not exist or cannot be read, since a new file is written as UTF-8.
Encoding SettingsFileEncoding(const std::string &path);

} // namespace norvalis
