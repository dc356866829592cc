#include "insulin_options_check.h"

#include "core/dose_options.h"
#include "core/ini_name.h"
#include "core/insulin_options.h"
#include "core/number_text.h"

#include <string>

namespace norvalis::cli {

namespace {

// The key line a read finds: in the first section of the name, the first line of the key.
const IniDocument::Entry *FindEntry(const std::vector<IniDocument::Section> &sections,
                                    std::string_view key) {
    for (const IniDocument::Section &section : sections) {
        if (!SameIniName(section.name, kOptionsSection))
            continue;
        for (const IniDocument::Entry &entry : section.entries) {
            if (SameIniName(entry.key, key))
                return &entry;
        }
        return nullptr;
    }
    return nullptr;
}

std::string Quoted(const std::string &text) {
    return "\"" + text + "\"";
}

} // namespace

std::vector<Finding> CheckInsulinOptions(const IniDocument &document) {
    const std::vector<IniDocument::Section> sections = document.Sections();
    std::vector<Finding> findings;
    const auto add = [&](const IniDocument::Entry &entry, std::string problem,
                         std::string consequence) {
        findings.push_back({std::string(kOptionsSection), entry.key, std::move(problem),
                            std::move(consequence), entry.lineNumber});
    };
    if (const IniDocument::Entry *curve = FindEntry(sections, kInsulinCurveKey);
        curve != nullptr && !CurveFromName(curve->value)) {
        add(*curve,
            Quoted(curve->value) + " is not a curve the program knows (rapid or "
                                   "ultra-rapid)",
            "active insulin follows the rapid curve");
    }
    if (const IniDocument::Entry *hours = FindEntry(sections, kInsulinHoursKey); hours != nullptr) {
        const OptionText read = ReadInsulinHoursText(hours->value);
        if (read.kind != OptionTextKind::Number && read.kind != OptionTextKind::Off) {
            add(*hours, Quoted(hours->value) + " is not a number of hours from 5 to 8",
                "active insulin is worked out over " + NumberText(kDefaultInsulinHours) + " hours");
        }
    }
    if (const IniDocument::Entry *low = FindEntry(sections, kLowBelowKey); low != nullptr) {
        const OptionText read = ReadOptionText(low->value);
        if (read.kind != OptionTextKind::Number && read.kind != OptionTextKind::Off) {
            add(*low, Quoted(low->value) + " is not a number above 0",
                "no reading is shown as below the low limit");
        }
    }
    return findings;
}

} // namespace norvalis::cli
