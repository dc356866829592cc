#include "settings_check.h"

#include "core/dose_settings.h"
#include "core/leading_number.h"
#include "core/number_text.h"
#include "core/table_entry.h"

#include <algorithm>
#include <optional>

namespace norvalis::cli {

namespace {

enum class TableKind { Periods, CarbDose, Correction, Weighting };

struct TableRule {
    TableKind kind;
    std::string_view prefix;
    std::string_view input; // what the walk compares the levels with
    std::string_view dose;
};

constexpr TableRule kPeriodRule{TableKind::Periods, "P_", "", ""};
constexpr TableRule kTableRules[] = {
    {TableKind::CarbDose, "CD_", "", "carbohydrate dose"},
    {TableKind::Correction, "BS_", "readings", "correction dose"},
    {TableKind::Weighting, "CW_", "carbohydrate amounts", "weighting dose"},
};

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

bool StartsWithName(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text).append(1, '"');
    return quoted;
}

std::string Key(std::string_view prefix, int index) {
    return std::string(prefix) + std::to_string(index);
}

// The slot a key names when the program would ever look it up: 1..12 written without
// leading zeros. 0 for every other spelling.
int SlotOfKey(std::string_view key, std::string_view prefix) {
    const std::string_view digits = key.substr(prefix.size());
    if (digits.empty() || digits.size() > 2 || digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    const int slot = std::stoi(std::string(digits));
    return slot <= kTableSlots ? slot : 0;
}

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class Checker {
public:
    explicit Checker(const IniDocument &document)
        : document_(document), sections_(document.Sections()) {}

    std::vector<Finding> Run() {
        std::vector<std::string> periods;
        if (const IniDocument::Section *periodSection = FirstSection("Period")) {
            const int count = CheckKeys(*periodSection, kPeriodRule);
            for (int i = 1; i <= count; ++i) {
                periods.push_back(document_.Value("Period", Key("P_", i)));
            }
        }
        // Period list findings first, then each distinct period's tables in list order.
        std::vector<const IniDocument::Section *> tablesToCheck;
        for (std::size_t i = 0; i < periods.size(); ++i) {
            const std::string &name = periods[i];
            const std::string key = Key("P_", static_cast<int>(i) + 1);
            const auto first = std::find_if(periods.begin(), periods.end(),
                                            [&](const auto &n) { return SameName(n, name); });
            if (first != periods.begin() + static_cast<std::ptrdiff_t>(i)) {
                Add("Period", key,
                    "period " + Quoted(name) + " is listed again (first as " +
                        Key("P_", static_cast<int>(first - periods.begin()) + 1) + ")",
                    "both entries use the one section [" + name + "] and share its tables");
            } else if (const IniDocument::Section *section = FirstSection(name)) {
                tablesToCheck.push_back(section);
            } else {
                Add("Period", key, "period " + Quoted(name) + " has no section [" + name + "]",
                    "selecting it shows empty tables: no correction, no weighting and no "
                    "carbohydrate dose for a non-zero amount");
            }
        }
        for (const IniDocument::Section *section : tablesToCheck) {
            for (const TableRule &rule : kTableRules) {
                const int count = CheckKeys(*section, rule);
                CheckEntries(*section, rule, count);
            }
        }
        CheckRepeatedSections();
        return std::move(findings_);
    }

private:
    void Add(std::string section, std::string key, std::string problem, std::string consequence) {
        findings_.push_back(
            {std::move(section), std::move(key), std::move(problem), std::move(consequence)});
    }

    const IniDocument::Section *FirstSection(std::string_view name) const {
        for (const auto &section : sections_) {
            if (SameName(section.name, name)) {
                return &section;
            }
        }
        return nullptr;
    }

    void CheckRepeatedSections() {
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                if (SameName(sections_[i].name, sections_[j].name)) {
                    Add(sections_[i].name, "[" + sections_[i].name + "]",
                        "the section appears again on line " +
                            std::to_string(sections_[i].lineNumber) + " (first on line " +
                            std::to_string(sections_[j].lineNumber) + ")",
                        "only the first one is read; keys in this one are never read");
                    break;
                }
            }
        }
    }

    // Reports keys of the table that are never read and returns the table's length.
    int CheckKeys(const IniDocument::Section &section, const TableRule &rule) {
        int count = 0;
        while (count < kTableSlots &&
               !document_.Value(section.name, Key(rule.prefix, count + 1)).empty()) {
            ++count;
        }
        const std::string end = Key(rule.prefix, count + 1);
        std::vector<std::string> seen;
        for (const auto &entry : section.entries) {
            if (!StartsWithName(entry.key, rule.prefix)) {
                continue;
            }
            const bool repeated = std::any_of(seen.begin(), seen.end(), [&](const auto &key) {
                return SameName(key, entry.key);
            });
            seen.push_back(entry.key);
            const int slot = SlotOfKey(entry.key, rule.prefix);
            const std::string_view suffix = std::string_view(entry.key).substr(rule.prefix.size());
            if (repeated) {
                Add(section.name, entry.key,
                    "the key appears again (line " + std::to_string(entry.lineNumber) + ")",
                    "only its first line is read; this value is never used");
            } else if (slot == 0 && IsDigits(suffix) && suffix.front() != '0') {
                Add(section.name, entry.key, "the index is above 12",
                    "a table holds at most 12 entries; this key is never read");
            } else if (slot == 0) {
                Add(section.name, entry.key,
                    "not a key the program reads (it reads " + Key(rule.prefix, 1) + " to " +
                        Key(rule.prefix, kTableSlots) + ")",
                    "this key is never read");
            } else if (slot > count + 1) { // slot count + 1 is the empty key that ends it
                Add(section.name, entry.key, "comes after " + end + ", which is missing or empty",
                    "the table ends before " + end + "; this key is never read");
            }
        }
        return count;
    }

    void CheckEntries(const IniDocument::Section &section, const TableRule &rule, int count) {
        std::optional<double> highestLevel;
        std::string highestKey;
        for (int i = 1; i <= count; ++i) {
            const std::string key = Key(rule.prefix, i);
            const std::string entry = document_.Value(section.name, key);
            if (rule.kind == TableKind::CarbDose) {
                CheckGramsPerUnit(section.name, key, entry, i == count, Key(rule.prefix, count));
                continue;
            }
            const EntryParts parts = SplitEntry(entry);
            const std::optional<double> level = LeadingNumber(parts.level);
            if (entry.find(',') == std::string::npos) {
                Add(section.name, key, "entry " + Quoted(entry) + " has no comma",
                    "it is read as level " + NumberText(level) + " with dose 0");
            }
            if (!level) {
                Add(section.name, key,
                    "level " + Quoted(parts.level) + " is beyond the number range",
                    "the " + std::string(rule.dose) +
                        " and the total stay empty whenever the walk reaches this entry");
                return; // the walk cannot go past it
            }
            if (!LeadingNumber(parts.dose)) {
                Add(section.name, key, "dose " + Quoted(parts.dose) + " is beyond the number range",
                    "the " + std::string(rule.dose) +
                        " and the total stay empty whenever this entry applies");
            }
            if (highestLevel && *level <= *highestLevel) {
                Add(section.name, key,
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

    void CheckGramsPerUnit(const std::string &section, const std::string &key,
                           const std::string &entry, bool last, const std::string &lastKey) {
        const std::optional<double> grams = LeadingNumber(entry);
        std::string problem;
        if (!grams) {
            problem = "grams per unit " + Quoted(entry) + " is beyond the number range";
        } else if (*grams == 0.0) {
            problem = "grams per unit " + Quoted(entry) + " reads as 0";
        } else {
            return;
        }
        Add(section, key, problem,
            last ? "the carbohydrate dose and the total stay empty for any amount but 0"
                 : "only the last entry, " + lastKey + ", is used, so this one has no effect");
    }

    const IniDocument &document_;
    std::vector<IniDocument::Section> sections_;
    std::vector<Finding> findings_;
};

} // namespace

std::vector<Finding> CheckSettings(const IniDocument &document) {
    return Checker(document).Run();
}

std::string FindingLine(const Finding &finding) {
    return finding.section + ", " + finding.key + ": " + finding.problem + "; " +
           finding.consequence;
}

} // namespace norvalis::cli
