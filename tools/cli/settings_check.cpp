#include "settings_check.h"

#include "core/blank_text.h"
#include "core/dose_options.h"
#include "core/dose_settings.h"
#include "core/ini_name.h"
#include "core/leading_number.h"
#include "core/number_text.h"
#include "core/table_entry.h"
#include "core/text_encoding.h"
#include "json_text.h"
#include "options_check.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace norvalis::cli {

namespace {

enum class TableKind { Periods, CarbDose, Correction, Weighting };

struct TableRule {
    TableKind kind;
    std::string_view prefix;
    std::string_view input; // what the walk compares the levels with
    std::string_view dose;
};

constexpr std::array kPeriodRules = {TableRule{TableKind::Periods, "P_", "", ""}};
constexpr std::array kTableRules = {
    TableRule{TableKind::CarbDose, "CD_", "", "carbohydrate dose"},
    TableRule{TableKind::Correction, "BS_", "readings", "correction dose"},
    TableRule{TableKind::Weighting, "CW_", "carbohydrate amounts", "weighting dose"},
};

// The reader keeps at most this many bytes of a value.
constexpr std::size_t kLongestValue = 254;

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trimmed(std::string_view text) {
    return TrimmedOf(text, kIniBlanks);
}

// The ASCII letters of a name in lower case, blanks around it dropped: for recognising the
// spellings of table keys, which are ASCII.
std::string LowerAsciiTrimmed(std::string_view name) {
    std::string lower(Trimmed(name));
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

// A section or key name as a lookup key: names with equal keys are the same name to the
// program (SameIniName after trimming). Each folded character takes four bytes.
std::string NameKey(std::string_view name) {
    const std::string_view trimmed = Trimmed(name);
    std::string key;
    key.reserve(trimmed.size() * 4);
    for (std::size_t pos = 0; pos < trimmed.size();) {
        const char32_t c = FoldedIniLetter(NextCodePoint(trimmed, pos, Encoding::Utf8));
        for (int shift = 24; shift >= 0; shift -= 8) {
            key += static_cast<char>((c >> shift) & 0xFF);
        }
    }
    return key;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text).append(1, '"');
    return quoted;
}

std::string Key(std::string_view prefix, int index) {
    return std::string(prefix) + std::to_string(index);
}

// A file with many control characters is no text file at all. A stray NUL, say in a
// comment, is no reason to think so: the program reads the lines around it as usual.
bool LooksBinary(std::string_view bytes) {
    std::size_t controls = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || byte == 0x7F) {
            ++controls;
        }
    }
    return controls > bytes.size() / 100;
}

// Lines ended by a carriage return alone (an editor's old Mac setting), perhaps with a line
// feed here and there: the program ends lines only at a line feed.
bool EndsLinesWithCarriageReturns(std::string_view bytes) {
    std::size_t lineFeeds = 0;
    std::size_t loneReturns = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++lineFeeds;
        } else if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) {
            ++loneReturns;
        }
    }
    return loneReturns > 0 && loneReturns >= lineFeeds;
}

// How a number text reads when that is not what it looks like, or nullopt: blanks inside a
// number are skipped ("1 5" reads as 15), and 0x starts no hexadecimal number ("0x10" reads
// as 0).
std::optional<std::string> SurprisingReading(std::string_view text) {
    const std::string_view trimmed = TrimmedOf(text, kNumberBlanks);
    std::string_view digits = trimmed;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        digits.remove_prefix(1);
    }
    if (digits.size() >= 3 && digits[0] == '0' && LowerAscii(digits[1]) == 'x' &&
        std::isxdigit(static_cast<unsigned char>(digits[2]))) {
        return "reads as 0: the program does not read 0x numbers (hexadecimal is written &H" +
               std::string(digits.substr(2)) + ")";
    }
    const std::size_t blank = trimmed.find_first_of(" \t\n");
    if (blank == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<double> whole = LeadingNumber(trimmed);
    const std::optional<double> beforeBlank = LeadingNumber(trimmed.substr(0, blank));
    if (whole && beforeBlank && *whole != *beforeBlank) {
        return "reads as " + NumberText(whole) + ": the program skips blanks inside a number";
    }
    return std::nullopt;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// [Periods], [period list], [Peroid] for "period", [Option] for "options": a section meant to
// be one of the program's own (name in small letters). A name with a digit ([Period 2]) is
// more likely a period of its own.
bool LooksLikeMisspelt(std::string_view folded, std::string_view name) {
    std::string letters;
    for (const char c : folded) {
        if (IsDigit(c)) {
            return false;
        }
        if (c >= 'a' && c <= 'z') {
            letters += c;
        }
    }
    if (letters.size() > 12) {
        return false;
    }
    return letters.starts_with(name.substr(0, 6)) || EditDistance(letters, name) <= 2;
}

// How a key in a table section relates to a table: the rule it was meant for (if any) and the
// slot the program reads it as (0 when it never reads it).
struct KeyShape {
    const TableRule *rule = nullptr;
    int slot = 0;
    bool indexAboveTable = false;
};

template <std::size_t N>
KeyShape ShapeOf(std::string_view key, const std::array<TableRule, N> &rules) {
    std::string normal;
    for (const char c : key) {
        if (c != ' ' && c != '_' && c != '-' && c != '.' && c != '\t') {
            normal += LowerAscii(c);
        }
    }
    for (const TableRule &rule : rules) {
        const std::string letters =
            LowerAsciiTrimmed(rule.prefix.substr(0, rule.prefix.size() - 1));
        const std::string_view digits = std::string_view(normal).substr(
            normal.starts_with(letters) ? letters.size() : normal.size());
        if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) {
            continue;
        }
        KeyShape shape{&rule, 0, false};
        const std::string folded = LowerAsciiTrimmed(key);
        const std::string_view exactDigits =
            std::string_view(folded).substr(std::min(folded.size(), rule.prefix.size()));
        if (folded.starts_with(LowerAsciiTrimmed(rule.prefix)) && !exactDigits.empty() &&
            exactDigits.front() != '0' &&
            std::all_of(exactDigits.begin(), exactDigits.end(), IsDigit)) {
            if (exactDigits.size() <= 2 && std::stoi(std::string(exactDigits)) <= kTableSlots) {
                shape.slot = std::stoi(std::string(exactDigits));
            } else {
                shape.indexAboveTable = true;
            }
        }
        return shape;
    }
    return {};
}

class Checker {
public:
    explicit Checker(const IniDocument &document)
        : bytes_(document.Bytes()), encoding_(document.encoding()), sections_(document.Sections()) {
    }

    std::vector<Finding> Run() {
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            firstSection_.try_emplace(NameKey(sections_[i].name), i);
        }
        const IniDocument::Section *periodSection = FirstSection("Period");
        if (periodSection == nullptr && LooksBinary(bytes_)) {
            Add("", "", 0, "the file holds binary data, so it is not a settings file",
                "the program finds no periods and no tables in it");
            return std::move(findings_);
        }
        if (EndsLinesWithCarriageReturns(bytes_)) {
            Add("", "", 0,
                "the lines end with a carriage return alone, which the program does not take "
                "as the end of a line",
                "the program reads those lines as one, so it does not find the periods and "
                "tables on them; save the file with Unix (LF) or Windows (CR LF) line endings");
            return std::move(findings_);
        }
        std::vector<std::string> periods;
        if (periodSection != nullptr) {
            const int count = CheckKeys(*periodSection, kPeriodRules).front();
            const auto values = FirstValues(*periodSection);
            for (int i = 1; i <= count; ++i) {
                periods.push_back(ValueIn(values, Key("P_", i)));
            }
        } else {
            Add("", "", 0,
                "there is no [Period] section, so this is not a settings file or its "
                "period list is missing",
                "the program lists no periods, so no tables can be chosen");
        }
        CheckPeriods(periods);
        CheckSections(periodSection != nullptr);
        return std::move(findings_);
    }

private:
    using Values = std::unordered_map<std::string, const IniDocument::Entry *>;

    void Add(const std::string &section, std::string key, int line, std::string problem,
             std::string consequence) {
        findings_.push_back(
            {section, std::move(key), std::move(problem), std::move(consequence), line});
    }

    const IniDocument::Section *FirstSection(std::string_view name) const {
        const auto found = firstSection_.find(NameKey(name));
        return found == firstSection_.end() ? nullptr : &sections_[found->second];
    }

    // The entry a read of each key finds: its first line in the section.
    static Values FirstValues(const IniDocument::Section &section) {
        Values values;
        for (const IniDocument::Entry &entry : section.entries) {
            values.try_emplace(NameKey(entry.key), &entry);
        }
        return values;
    }

    static std::string ValueIn(const Values &values, std::string_view key) {
        const auto found = values.find(NameKey(key));
        return found == values.end() ? std::string() : found->second->value;
    }

    // Period list findings first, then each distinct period's tables in list order.
    void CheckPeriods(const std::vector<std::string> &periods) {
        std::unordered_map<std::string, std::size_t> firstListed;
        std::vector<const IniDocument::Section *> tablesToCheck;
        for (std::size_t i = 0; i < periods.size(); ++i) {
            const std::string &name = periods[i];
            const std::string key = Key("P_", static_cast<int>(i) + 1);
            const int line = LineOfKey("Period", key);
            if (IsReservedPeriodName(name)) {
                Add("Period", key, line,
                    "period " + Quoted(name) +
                        " has the name of the section that holds the "
                        "program's options",
                    "the program leaves it out of the period list, and the periods after it "
                    "move up one place");
                continue;
            }
            if (SameIniName(Trimmed(name), "Period")) {
                Add("Period", key, line,
                    "period " + Quoted(name) +
                        " has the name of the section that holds the "
                        "period list",
                    "selecting it shows the tables of [Period], which holds none: no "
                    "correction, no weighting and no carbohydrate dose for a non-zero amount");
                continue;
            }
            const auto [first, isNew] = firstListed.try_emplace(NameKey(name), i);
            listed_.insert(NameKey(name));
            if (!isNew) {
                Add("Period", key, line,
                    "period " + Quoted(name) + " is listed again (first as " +
                        Key("P_", static_cast<int>(first->second) + 1) + ")",
                    "both entries use the one section [" + name + "] and share its tables");
            } else if (const IniDocument::Section *section = FirstSection(name)) {
                tablesToCheck.push_back(section);
            } else {
                Add("Period", key, line,
                    "period " + Quoted(name) + " has no section [" + name + "]",
                    "selecting it shows empty tables: no correction, no weighting and no "
                    "carbohydrate dose for a non-zero amount");
            }
        }
        for (const IniDocument::Section *section : tablesToCheck) {
            const std::array<int, kTableRules.size()> counts = CheckKeys(*section, kTableRules);
            const Values values = FirstValues(*section);
            for (std::size_t r = 0; r < kTableRules.size(); ++r) {
                CheckEntries(*section, values, kTableRules[r], counts[r]);
            }
        }
    }

    int LineOfKey(std::string_view section, std::string_view key) const {
        const IniDocument::Section *found = FirstSection(section);
        if (found == nullptr) {
            return 0;
        }
        for (const IniDocument::Entry &entry : found->entries) {
            if (SameIniName(Trimmed(entry.key), Trimmed(key))) {
                return entry.lineNumber;
            }
        }
        return 0;
    }

    // Sections the program never reads: repeats, misspelt period lists, unlisted periods.
    void CheckSections(bool hasPeriodList) {
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            const IniDocument::Section &section = sections_[i];
            const std::string folded = NameKey(section.name);
            const std::size_t first = firstSection_.at(folded);
            const std::string header = "[" + section.name + "]";
            if (first != i) {
                Add(section.name, header, section.lineNumber,
                    "the section appears again on line " + std::to_string(section.lineNumber) +
                        " (first on line " + std::to_string(sections_[first].lineNumber) + ")",
                    "only the first one is read; keys in this one are never read");
            } else if (folded == NameKey(kOptionsSection)) {
                const std::vector<Finding> options = CheckOptionsSection(section);
                findings_.insert(findings_.end(), options.begin(), options.end());
            } else if (folded == NameKey("Period") || listed_.contains(folded)) {
                continue;
            } else if (LooksLikeMisspelt(LowerAsciiTrimmed(section.name), "period")) {
                Add(section.name, header, section.lineNumber,
                    "the section looks like a misspelt [Period]",
                    "the program reads the period list only from [Period]; this section is "
                    "never read");
            } else if (LooksLikeMisspelt(LowerAsciiTrimmed(section.name), "options")) {
                Add(section.name, header, section.lineNumber,
                    "the section looks like a misspelt [Options]",
                    "the program reads its options only from [Options]; this section is never "
                    "read");
            } else if (hasPeriodList) {
                Add(section.name, header, section.lineNumber, "no P_ key in [Period] lists it",
                    "its tables are never used");
            }
        }
    }

    // Reports keys of the tables that are never read and returns each table's length.
    template <std::size_t N>
    std::array<int, N> CheckKeys(const IniDocument::Section &section,
                                 const std::array<TableRule, N> &rules) {
        const Values values = FirstValues(section);
        std::array<int, N> counts{};
        std::array<int, N> highestSlot{};
        for (std::size_t r = 0; r < N; ++r) {
            while (counts[r] < kTableSlots &&
                   !ValueIn(values, Key(rules[r].prefix, counts[r] + 1)).empty()) {
                ++counts[r];
            }
        }
        std::vector<KeyShape> shapes;
        shapes.reserve(section.entries.size());
        for (const IniDocument::Entry &entry : section.entries) {
            shapes.push_back(ShapeOf(entry.key, rules));
            if (shapes.back().rule != nullptr) {
                const auto r = static_cast<std::size_t>(shapes.back().rule - rules.data());
                highestSlot[r] = std::max(highestSlot[r], shapes.back().slot);
            }
        }
        std::unordered_set<std::string> seen;
        for (std::size_t e = 0; e < section.entries.size(); ++e) {
            const IniDocument::Entry &entry = section.entries[e];
            const KeyShape &shape = shapes[e];
            if (shape.rule == nullptr) {
                continue;
            }
            const auto r = static_cast<std::size_t>(shape.rule - rules.data());
            const std::string_view prefix = shape.rule->prefix;
            const std::string end = Key(prefix, counts[r] + 1);
            const bool repeated = !seen.insert(NameKey(entry.key)).second;
            if (repeated) {
                Add(section.name, entry.key, entry.lineNumber,
                    "the key appears again (line " + std::to_string(entry.lineNumber) + ")",
                    "only its first line is read; this value is never used");
            } else if (shape.indexAboveTable) {
                Add(section.name, entry.key, entry.lineNumber, "the index is above 12",
                    "a table holds at most 12 entries; this key is never read");
            } else if (shape.slot == 0) {
                Add(section.name, entry.key, entry.lineNumber,
                    "not a key the program reads (it reads " + Key(prefix, 1) + " to " +
                        Key(prefix, kTableSlots) + ")",
                    "this key is never read");
            } else if (shape.slot > counts[r] + 1) { // slot count + 1 is the key that ends it
                Add(section.name, entry.key, entry.lineNumber,
                    "comes after " + end + ", which is missing or empty",
                    "the table ends before " + end + "; this key is never read");
            } else if (shape.slot == counts[r] + 1 && highestSlot[r] > shape.slot) {
                Add(section.name, entry.key, entry.lineNumber,
                    "the entry is empty, which ends the table",
                    "the entries after it, up to " + Key(prefix, highestSlot[r]) +
                        ", are never read");
            } else if (shape.rule->kind == TableKind::CarbDose && shape.slot == 1 &&
                       counts[r] == 0) {
                Add(section.name, entry.key, entry.lineNumber,
                    "the entry is empty, so the period has no grams per unit",
                    "the carbohydrate dose and the total stay empty for any amount but 0");
            }
            if (!repeated && shape.slot != 0) {
                CheckLength(section.name, entry);
            }
        }
        return counts;
    }

    // A value the reader cuts: the program works with its first 254 bytes only.
    void CheckLength(const std::string &section, const IniDocument::Entry &entry) {
        if (entry.value.size() < kLongestValue) {
            return;
        }
        const std::string_view line = LineText(entry.lineNumber);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return;
        }
        std::string_view written = Trimmed(line.substr(equals + 1));
        if (written.size() >= 2 && (written.front() == '"' || written.front() == '\'') &&
            written.back() == written.front()) {
            written = written.substr(1, written.size() - 2);
        }
        const std::string writtenText = ToUtf8(written, encoding_);
        if (writtenText.size() > entry.value.size() && writtenText.starts_with(entry.value)) {
            Add(section, entry.key, entry.lineNumber,
                "the value is " + std::to_string(written.size()) + " bytes long, longer than the " +
                    std::to_string(kLongestValue) + " the program reads",
                "the program uses only its first " + std::to_string(kLongestValue) + " bytes" +
                    (section == "Period" ? ", and looks for the period's section under that cut "
                                           "name"
                                         : ""));
        }
    }

    std::string_view LineText(int lineNumber) {
        if (lineStarts_.empty()) {
            lineStarts_.push_back(0);
            for (std::size_t i = 0; i < bytes_.size(); ++i) {
                if (bytes_[i] == '\n') {
                    lineStarts_.push_back(i + 1);
                }
            }
        }
        const auto index = static_cast<std::size_t>(lineNumber - 1);
        if (lineNumber < 1 || index >= lineStarts_.size()) {
            return {};
        }
        const std::size_t begin = lineStarts_[index];
        const std::size_t end = bytes_.find('\n', begin);
        return std::string_view(bytes_).substr(begin, end == std::string::npos ? end : end - begin);
    }

    void CheckEntries(const IniDocument::Section &section, const Values &values,
                      const TableRule &rule, int count) {
        std::optional<double> highestLevel;
        std::string highestKey;
        std::optional<std::string> earlierDoseKey; // the first entry with a dose other than 0
        for (int i = 1; i <= count; ++i) {
            const std::string key = Key(rule.prefix, i);
            const IniDocument::Entry &found = *values.at(NameKey(key));
            const std::string &entry = found.value;
            const int line = found.lineNumber;
            if (rule.kind == TableKind::CarbDose) {
                CheckGramsPerUnit(section.name, key, line, entry, i == count,
                                  Key(rule.prefix, count));
                continue;
            }
            const EntryParts parts = SplitEntry(entry);
            const std::optional<double> level = LeadingNumber(parts.level);
            if (entry.find(',') == std::string::npos) {
                Add(section.name, key, line, "entry " + Quoted(entry) + " has no comma",
                    "it is read as level " + NumberText(level) + " with dose 0");
            } else if (parts.dose.find(',') != std::string_view::npos) {
                Add(section.name, key, line, "entry " + Quoted(entry) + " has more than one comma",
                    "the dose reads as " + NumberText(LeadingNumber(parts.dose)) +
                        " and the rest is ignored");
            }
            if (!level) {
                Add(section.name, key, line,
                    "level " + Quoted(parts.level) + " is beyond the number range",
                    "the " + std::string(rule.dose) +
                        " and the total stay empty whenever the walk reaches this entry");
                return; // the walk cannot go past it
            }
            if (!StartsWithNumber(parts.level)) {
                Add(section.name, key, line,
                    "level " + Quoted(parts.level) + " has no number at its start",
                    "it reads as level 0");
            } else if (const auto reading = SurprisingReading(parts.level)) {
                Add(section.name, key, line, "level " + Quoted(parts.level) + " " + *reading,
                    "the entry applies to " + std::string(rule.input) +
                        " above that number, not above the one written");
            }
            if (!LeadingNumber(parts.dose)) {
                Add(section.name, key, line,
                    "dose " + Quoted(parts.dose) + " is beyond the number range",
                    "the " + std::string(rule.dose) +
                        " and the total stay empty whenever this entry applies");
            } else if (Trimmed(parts.dose).empty()) {
                // Without a comma the entry was reported above already.
                if (entry.find(',') != std::string::npos)
                    Add(section.name, key, line, "entry " + Quoted(entry) + " has no dose",
                        "it reads as dose 0");
            } else if (!StartsWithNumber(parts.dose)) {
                Add(section.name, key, line,
                    "dose " + Quoted(parts.dose) + " has no number at its start",
                    "it reads as dose 0");
            } else if (const auto reading = SurprisingReading(parts.dose)) {
                Add(section.name, key, line, "dose " + Quoted(parts.dose) + " " + *reading,
                    "the " + std::string(rule.dose) + " is that number, not the one written");
            } else if (LeadingNumber(parts.dose) == 0.0 && earlierDoseKey) {
                Add(section.name, key, line,
                    "dose 0 comes after the dose of " + *earlierDoseKey + ", which is not 0",
                    "the " + std::string(rule.dose) + " is 0 for " + std::string(rule.input) +
                        " above " + NumberText(level) + ", less than for lower ones");
            }
            if (LeadingNumber(parts.dose).value_or(0.0) != 0.0 && !earlierDoseKey) {
                earlierDoseKey = key;
            }
            if (highestLevel && *level <= *highestLevel) {
                Add(section.name, key, line,
                    "level " + NumberText(level) + " is not above level " +
                        NumberText(highestLevel) + " of " + highestKey,
                    "the walk stops at the first level not below the input, so this entry "
                    "applies only to " +
                        std::string(rule.input) + " above " + NumberText(highestLevel));
            }
            if (!highestLevel || *level > *highestLevel) {
                highestLevel = level;
                highestKey = key;
            }
        }
    }

    void CheckGramsPerUnit(const std::string &section, const std::string &key, int line,
                           const std::string &entry, bool last, const std::string &lastKey) {
        const std::optional<double> grams = LeadingNumber(entry);
        std::string problem;
        if (!grams) {
            problem = "grams per unit " + Quoted(entry) + " is beyond the number range";
        } else if (!StartsWithNumber(entry)) {
            problem = "grams per unit " + Quoted(entry) +
                      " has no number at its start, so it "
                      "reads as 0";
        } else if (*grams <= 0.0) {
            problem = "grams per unit " + Quoted(entry) + " reads as " + NumberText(grams) +
                      ", not above 0";
        } else if (const auto reading = SurprisingReading(entry)) {
            Add(section, key, line, "grams per unit " + Quoted(entry) + " " + *reading,
                last ? "the carbohydrate dose is worked out with that number, not the one "
                       "written"
                     : "only the last entry, " + lastKey +
                           ", is used, so this one has no "
                           "effect");
            return;
        } else {
            return;
        }
        Add(section, key, line, problem,
            last ? (grams && *grams < 0.0
                        ? "the carbohydrate dose comes out below 0 for any amount above 0"
                        : "the carbohydrate dose and the total stay empty for any amount but 0")
                 : "only the last entry, " + lastKey + ", is used, so this one has no effect");
    }

    const std::string &bytes_;
    Encoding encoding_;
    std::vector<IniDocument::Section> sections_;
    std::unordered_map<std::string, std::size_t> firstSection_;
    std::unordered_set<std::string> listed_;
    std::vector<std::size_t> lineStarts_;
    std::vector<Finding> findings_;
};

} // namespace

std::vector<Finding> CheckSettings(const IniDocument &document) {
    return Checker(document).Run();
}

Finding MissingFileFinding(const std::string &path) {
    return {"", "", "the settings file " + Quoted(path) + " does not exist",
            "the program starts with no periods and no tables", 0};
}

std::string FindingLine(const Finding &finding) {
    const std::string place =
        finding.section.empty() && finding.key.empty()
            ? std::string()
            : (finding.section.empty() ? finding.key : finding.section + ", " + finding.key) + ": ";
    return place + finding.problem + "; " + finding.consequence;
}

std::string FindingsJson(const std::vector<Finding> &findings) {
    std::string json = "[";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding &finding = findings[i];
        json += i == 0 ? "" : ",";
        json +=
            "{\"key\":" + JsonString(finding.key) + ",\"section\":" + JsonString(finding.section) +
            ",\"line\":" + (finding.line > 0 ? std::to_string(finding.line) : std::string("null")) +
            ",\"message\":" + JsonString(finding.problem + "; " + finding.consequence) + "}";
    }
    return json + "]";
}

} // namespace norvalis::cli
