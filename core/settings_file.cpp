#include "settings_file.h"

#include "dose_options.h"
#include "ini_document.h"
#include "ini_name.h"

#include <algorithm>
#include <string>
#include <tuple>

namespace norvalis {

namespace {

constexpr std::string_view kPeriodSection = "Period";
constexpr std::string_view kPeriodKey = "P_";
constexpr std::string_view kCarbDoseKey = "CD_";
constexpr std::string_view kCorrectionKey = "BS_";
constexpr std::string_view kWeightingKey = "CW_";
// A period name is read back as a value, which the reader cuts at 254 bytes.
constexpr std::size_t kMaxNameBytes = 254;

std::string SlotKey(std::string_view prefix, int index) {
    return std::string(prefix) + std::to_string(index);
}

// A table in the file is the run of keys 1, 2, 3 ... up to the first missing or empty one.
int ReadTable(const IniDocument &document, std::string_view section, std::string_view prefix,
              TextTable &table) {
    for (int i = 1; i <= kTableSlots; ++i) {
        table[i] = document.Value(section, SlotKey(prefix, i));
        if (table[i].empty()) {
            return i - 1;
        }
    }
    return kTableSlots;
}

// Writes slots 1..count and removes the keys above, so that rows the user deleted do not
// come back with the next load.
IniDocument::EditResult WriteTable(IniDocument &document, std::string_view section,
                                   std::string_view prefix, const TextTable &table, int count) {
    for (int i = 1; i <= count; ++i) {
        if (IniDocument::EditResult written =
                document.SetValue(section, SlotKey(prefix, i), table[i]);
            !written.ok) {
            return written;
        }
    }
    for (int i = count + 1; i <= kTableSlots; ++i) {
        document.RemoveKey(section, SlotKey(prefix, i));
    }
    return {};
}

int ClampedCount(int count) {
    return count < 0 ? 0 : (count > kTableSlots ? kTableSlots : count);
}

IniDocument::EditResult WritePeriodList(IniDocument &document, const DoseSettings &settings) {
    return WriteTable(document, kPeriodSection, kPeriodKey, settings.PeriodList,
                      ClampedCount(settings.Counts.PeriodCount));
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\v\f");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\v\f") - first + 1);
}

// A save rewrites the file it read, read once; a file that cannot be read is left alone so
// that its other contents are not lost, and so is one that changed since the caller read it.
FileResult ReadDocument(const std::string &path, IniDocument &document, FileFingerprint &readAs,
                        const StoreGuard &guard) {
    std::string bytes;
    if (const FileResult read = ReadWholeFile(path, bytes, &readAs); !read.ok) {
        return {false, read.error + " (nothing was saved, so that the file's other contents "
                                    "are not lost)"};
    }
    if (guard.readAs && *guard.readAs != readAs) {
        FileResult changed{false, "The settings file was changed by another program since it "
                                  "was read; nothing was saved."};
        changed.changedSinceRead = true;
        return changed;
    }
    document = IniDocument(std::move(bytes));
    return {};
}

std::vector<std::string> ListedPeriods(const IniDocument &document) {
    TextTable list;
    const int count = ReadTable(document, kPeriodSection, kPeriodKey, list);
    return {list.begin() + 1, list.begin() + 1 + count};
}

// Another program caught half-way through writing the file (an editor that empties it and
// writes it anew) leaves a file without some of the person's periods: storing over it would
// make that loss permanent.
FileResult RefuseLostPeriods(const IniDocument &document, const StoreGuard &guard) {
    const std::vector<std::string> listed = ListedPeriods(document);
    std::string lost;
    int count = 0;
    for (const std::string &kept : guard.keptPeriods) {
        if (std::find(listed.begin(), listed.end(), kept) == listed.end()) {
            lost += (lost.empty() ? "\"" : ", \"") + kept + "\"";
            ++count;
        }
    }
    if (count == 0) {
        return {};
    }
    return {false, std::string("The settings file no longer lists the ") +
                       (count == 1 ? "period " : "periods ") + lost +
                       " (another program may be writing it just now); storing over it would "
                       "lose " +
                       (count == 1 ? "it" : "them") + ", so nothing was saved."};
}

FileResult ReplaceIfEdited(const IniDocument &document, const std::string &path,
                           const FileFingerprint &readAs, const StoreGuard &guard) {
    if (const FileResult kept = RefuseLostPeriods(document, guard); !kept.ok) {
        return kept;
    }
    if (!document.Edited()) {
        // nothing changed: leave the file, and a read-only folder, alone
        if (guard.stored != nullptr) {
            *guard.stored = readAs;
        }
        return {};
    }
    // Once the last byte that is not UTF-8 is gone, the next read would take the file for
    // UTF-8 and read its other accented letters differently.
    const std::string &bytes = document.Bytes();
    if (document.encoding() == Encoding::Windows1252 && IsValidUtf8(bytes) &&
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; })) {
        return {false, "Saving this would change how the other accented letters of the settings "
                       "file (in the Windows-1252 encoding) are read; nothing was saved."};
    }
    ReplaceOptions options;
    options.expected = &readAs;
    options.written = guard.stored;
    return ReplaceFileAtomically(path, document.Bytes(), options);
}

} // namespace

std::string SettingsFilePath(const std::string &directory) {
    if (directory.empty()) {
        return kSettingsFileName;
    }
    if (directory.back() == '/') {
        return directory + kSettingsFileName;
    }
    return directory + "/" + kSettingsFileName;
}

FileResult LoadSettings(DoseSettings &settings, std::string_view selector,
                        std::string_view periodName, const std::string &path,
                        FileFingerprint *readAs) {
    std::string bytes;
    const FileResult read = ReadWholeFile(path, bytes, readAs);
    const IniDocument document(std::move(bytes));

    for (int i = 1; i <= kTableSlots; ++i) {
        settings.CorrectionTable[i].clear();
        settings.CarbDoseTable[i].clear();
        settings.WeightingTable[i].clear();
    }
    if (selector == "periods") {
        settings.Counts.PeriodCount =
            ReadTable(document, kPeriodSection, kPeriodKey, settings.PeriodList);
    } else if (selector == "dosages") {
        settings.Counts.CarbDoseCount =
            ReadTable(document, periodName, kCarbDoseKey, settings.CarbDoseTable);
        settings.Counts.CorrectionCount =
            ReadTable(document, periodName, kCorrectionKey, settings.CorrectionTable);
        settings.Counts.WeightingCount =
            ReadTable(document, periodName, kWeightingKey, settings.WeightingTable);
    }
    return read;
}

FileResult SaveSettings(const DoseSettings &settings, std::string_view selector,
                        std::string_view periodName, const std::string &path,
                        const StoreGuard &guard) {
    const bool savePeriods = selector == "period";
    const bool saveTables = selector == "dosages";
    if (!savePeriods && !saveTables) {
        return {};
    }
    if (saveTables && periodName.find_first_not_of(" \t") == std::string_view::npos) {
        return {false, "No period is selected, so the tables were not saved."};
    }

    IniDocument document;
    FileFingerprint readAs;
    if (const FileResult read = ReadDocument(path, document, readAs, guard); !read.ok) {
        return read;
    }
    IniDocument::EditResult stored;
    if (savePeriods) {
        stored = WritePeriodList(document, settings);
    } else {
        const TableCounts &counts = settings.Counts;
        for (const auto &[prefix, table, count] :
             {std::tuple(kCarbDoseKey, &settings.CarbDoseTable, counts.CarbDoseCount),
              std::tuple(kCorrectionKey, &settings.CorrectionTable, counts.CorrectionCount),
              std::tuple(kWeightingKey, &settings.WeightingTable, counts.WeightingCount)}) {
            stored = WriteTable(document, periodName, prefix, *table, ClampedCount(count));
            if (!stored.ok) {
                break;
            }
        }
    }
    if (!stored.ok) {
        return {false, stored.error};
    }
    return ReplaceIfEdited(document, path, readAs, guard);
}

FileResult SavePeriods(const DoseSettings &settings, const std::vector<SectionRename> &renames,
                       const std::string &path, const StoreGuard &guard) {
    IniDocument document;
    FileFingerprint readAs;
    if (const FileResult read = ReadDocument(path, document, readAs, guard); !read.ok) {
        return read;
    }
    for (const SectionRename &rename : renames) {
        if (rename.from == rename.to || !document.HasSection(rename.from)) {
            continue; // a period without tables has no section to carry along
        }
        if (SameIniName(Trimmed(rename.from), kPeriodSection) ||
            SameIniName(Trimmed(rename.to), kPeriodSection)) {
            return {false, "The section \"Period\" holds the period list and cannot be renamed "
                           "to or from a period's name; nothing was saved."};
        }
        if (const std::optional<std::string> problem =
                PeriodNameProblem(rename.to, document.encoding())) {
            return {false, *problem + " Nothing was saved."};
        }
        if (!document.RenameSection(rename.from, rename.to)) {
            return {false, "The tables of \"" + rename.from + "\" cannot be moved to \"" +
                               rename.to +
                               "\", which already has tables of its own; nothing "
                               "was saved."};
        }
    }
    if (const IniDocument::EditResult stored = WritePeriodList(document, settings); !stored.ok) {
        return {false, stored.error};
    }
    return ReplaceIfEdited(document, path, readAs, guard);
}

std::optional<std::string> PeriodNameProblem(std::string_view nameUtf8, Encoding encoding) {
    const std::string quoted = "The period name \"" + std::string(nameUtf8) + "\"";
    if (nameUtf8.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        return "A period name cannot hold a line break.";
    }
    if (Trimmed(nameUtf8).empty()) {
        return std::string("A period name cannot be empty.");
    }
    if (Trimmed(nameUtf8).size() != nameUtf8.size()) {
        return quoted + " begins or ends with a blank, which the settings file does not keep.";
    }
    // Both sections hold something else; a period of that name would show none of its tables.
    if (SameIniName(nameUtf8, kPeriodSection)) {
        return quoted + " is taken by the section that holds the period list. Choose another "
                        "name.";
    }
    if (SameIniName(nameUtf8, kOptionsSection)) {
        return quoted + " is taken by the section that holds the program's options. Choose "
                        "another name.";
    }
    if (nameUtf8.find_first_of("[]=") != std::string_view::npos) {
        return quoted + " holds \"[\", \"]\" or \"=\", which the settings file uses to mark "
                        "sections and entries.";
    }
    if (nameUtf8.front() == ';') {
        return quoted + " begins with \";\", which marks a comment in the settings file.";
    }
    if (nameUtf8.size() >= 2 && (nameUtf8.front() == '"' || nameUtf8.front() == '\'') &&
        nameUtf8.back() == nameUtf8.front()) {
        return quoted + " is enclosed in quotes, which the settings file drops when it reads it.";
    }
    const EncodedText encoded = FromUtf8(nameUtf8, encoding);
    if (encoded.problem) {
        return *encoded.problem;
    }
    if (encoded.bytes.size() > kMaxNameBytes) {
        return quoted + " takes " + std::to_string(encoded.bytes.size()) + " bytes in this " +
               std::string(EncodingName(encoding)) + " settings file; only the first " +
               std::to_string(kMaxNameBytes) + " would be read back.";
    }
    return std::nullopt;
}

Encoding SettingsFileEncoding(const std::string &path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes).ok) {
        return Encoding::Utf8;
    }
    return DetectEncoding(bytes);
}

} // namespace norvalis
