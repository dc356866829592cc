#include "options_check.h"

#include "core/dose_options.h"
#include "core/ini_name.h"
#include "core/insulin_options.h"
#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace norvalis::cli {

namespace {

// Why the program would ignore a value of a key; nullopt when it uses the value. An empty
// value turns a setting off and never reaches a rule.
using ValueRule = std::optional<std::string> (*)(std::string_view value);

std::optional<std::string> PositiveNumber(std::string_view value) {
    const OptionText read = ReadOptionText(value);
    switch (read.kind) {
    case OptionTextKind::Off:
    case OptionTextKind::Number:
        return std::nullopt;
    case OptionTextKind::NoNumber:
        return std::string("has no number at its start");
    case OptionTextKind::NotPositive:
        return "reads as " + NumberText(read.value) + ", not above 0";
    case OptionTextKind::OutOfRange:
        break;
    }
    return std::string("is beyond the number range");
}

// The active insulin and low limit keys have their value rules in CheckInsulinOptions.
std::optional<std::string> CheckedWithInsulinOptions(std::string_view) {
    return std::nullopt;
}

// Every key of [Options] the program reads, with the rule its value must meet and what the
// program does when the value does not.
struct OptionKey {
    std::string_view key;
    ValueRule rule;
    std::string_view whenIgnored;
};

constexpr std::array kOptionKeys = {
    OptionKey{kPenStepKey, PositiveNumber,
              "the program ignores it, as if no pen step were set: no pen dose is shown"},
    OptionKey{kMaxDoseKey, PositiveNumber,
              "the program ignores it, as if no maximum were set: no total is marked as too "
              "high and recording does not ask"},
    OptionKey{kInsulinCurveKey, CheckedWithInsulinOptions, ""},
    OptionKey{kInsulinHoursKey, CheckedWithInsulinOptions, ""},
    OptionKey{kLowBelowKey, CheckedWithInsulinOptions, ""},
};

const OptionKey *KnownKey(std::string_view key) {
    for (const OptionKey &known : kOptionKeys) {
        if (SameIniName(key, known.key)) {
            return &known;
        }
    }
    return nullptr;
}

std::string KnownKeyList() {
    std::string list;
    for (std::size_t i = 0; i < kOptionKeys.size(); ++i) {
        list += (i == 0 ? "" : (i + 1 == kOptionKeys.size() ? " and " : ", "));
        list += kOptionKeys[i].key;
    }
    return list;
}

} // namespace

std::vector<Finding> CheckOptionsSection(const IniDocument::Section &section) {
    std::vector<Finding> findings;
    std::vector<const OptionKey *> seen;
    for (const IniDocument::Entry &entry : section.entries) {
        const auto add = [&](std::string problem, std::string consequence) {
            findings.push_back({section.name, entry.key, std::move(problem), std::move(consequence),
                                entry.lineNumber});
        };
        const OptionKey *known = KnownKey(entry.key);
        if (known == nullptr) {
            // Comments read as keys of their own; they are no mistake.
            if (!entry.key.starts_with(';')) {
                add("not a setting the program reads (it reads " + KnownKeyList() + ")",
                    "this key is never read");
            }
            continue;
        }
        if (std::find(seen.begin(), seen.end(), known) != seen.end()) {
            add("the key appears again (line " + std::to_string(entry.lineNumber) + ")",
                "only its first line is read; this value is never used");
            continue;
        }
        seen.push_back(known);
        if (const std::optional<std::string> problem = known->rule(entry.value)) {
            add(std::string(known->key) + " \"" + entry.value + "\" " + *problem,
                std::string(known->whenIgnored));
        }
    }
    return findings;
}

} // namespace norvalis::cli
