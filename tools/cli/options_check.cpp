#include "options_check.h"

#include "core/dose_options.h"
#include "core/glucose_options.h"
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

std::optional<std::string> UnitsWord(std::string_view value) {
    if (value.find_first_not_of(" \t") == std::string_view::npos || ParseGlucoseUnits(value))
        return std::nullopt;
    return std::string("is neither mg/dL nor mmol/L");
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
    OptionKey{kGlucoseUnitsKey, UnitsWord,
              "the program ignores it, as if no units were set: the report window asks for "
              "them and norvalis-cli report needs --units"},
    OptionKey{kTargetLowKey, PositiveNumber,
              "the report ignores it and uses the default low target of its units"},
    OptionKey{kTargetHighKey, PositiveNumber,
              "the report ignores it and uses the default high target of its units"},
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
    // Two usable targets that are not in order: the report takes the default pair.
    const IniDocument::Entry *low = nullptr;
    const IniDocument::Entry *high = nullptr;
    for (const IniDocument::Entry &entry : section.entries) {
        if (low == nullptr && SameIniName(entry.key, kTargetLowKey))
            low = &entry;
        if (high == nullptr && SameIniName(entry.key, kTargetHighKey))
            high = &entry;
    }
    if (low != nullptr && high != nullptr) {
        const OptionText lowRead = ReadOptionText(low->value);
        const OptionText highRead = ReadOptionText(high->value);
        if (lowRead.kind == OptionTextKind::Number && highRead.kind == OptionTextKind::Number &&
            lowRead.value >= highRead.value) {
            findings.push_back({section.name, low->key,
                                "TargetLow " + NumberText(lowRead.value) +
                                    " is not below TargetHigh " + NumberText(highRead.value),
                                "the report ignores both and uses the default target range of "
                                "its units",
                                low->lineNumber});
        }
    }
    return findings;
}

} // namespace norvalis::cli
