#include "glucose_options.h"

#include "blank_text.h"
#include "dose_options.h"

#include <algorithm>
#include <cctype>

namespace norvalis {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<double> PositiveValue(const IniDocument &file, std::string_view key) {
    const OptionText read = ReadOptionText(file.Value(kOptionsSection, key));
    return read.kind == OptionTextKind::Number ? std::optional<double>(read.value) : std::nullopt;
}

} // namespace

std::optional<GlucoseUnits> ParseGlucoseUnits(std::string_view text) {
    const std::string_view trimmed = TrimmedOf(text, kNumberBlanks);
    for (const GlucoseUnits units : {GlucoseUnits::MgPerDl, GlucoseUnits::MmolPerL}) {
        if (SameIgnoringCase(trimmed, GlucoseUnitsText(units))) {
            return units;
        }
    }
    return std::nullopt;
}

std::string_view GlucoseUnitsText(GlucoseUnits units) {
    return units == GlucoseUnits::MgPerDl ? "mg/dL" : "mmol/L";
}

TargetRange DefaultTargetRange(GlucoseUnits units) {
    return units == GlucoseUnits::MgPerDl ? TargetRange{70, 180} : TargetRange{3.9, 10.0};
}

GlucoseOptions ReadGlucoseOptions(const IniDocument &file) {
    return {ParseGlucoseUnits(file.Value(kOptionsSection, kGlucoseUnitsKey)),
            PositiveValue(file, kTargetLowKey), PositiveValue(file, kTargetHighKey)};
}

TargetRange EffectiveTargetRange(const GlucoseOptions &options, GlucoseUnits units) {
    const TargetRange fallback = DefaultTargetRange(units);
    // A range stored for the other units would be read in the wrong scale.
    if (options.units && *options.units != units) {
        return fallback;
    }
    const TargetRange range{options.targetLow.value_or(fallback.low),
                            options.targetHigh.value_or(fallback.high)};
    return range.low < range.high ? range : fallback;
}

std::optional<TargetRangeProblem> CheckTargetRange(std::string_view lowText,
                                                   std::string_view highText) {
    const OptionText low = ReadOptionText(lowText);
    const OptionText high = ReadOptionText(highText);
    if (low.kind == OptionTextKind::NoNumber) {
        return TargetRangeProblem::LowNoNumber;
    }
    if (low.kind == OptionTextKind::NotPositive) {
        return TargetRangeProblem::LowNotPositive;
    }
    if (high.kind == OptionTextKind::NoNumber) {
        return TargetRangeProblem::HighNoNumber;
    }
    if (high.kind == OptionTextKind::NotPositive) {
        return TargetRangeProblem::HighNotPositive;
    }
    if (low.kind == OptionTextKind::OutOfRange || high.kind == OptionTextKind::OutOfRange) {
        return TargetRangeProblem::TooLarge;
    }
    // An empty box means the default of the units, which the report sets in order itself.
    if (low.kind == OptionTextKind::Number && high.kind == OptionTextKind::Number &&
        !(low.value < high.value)) {
        return TargetRangeProblem::LowNotBelowHigh;
    }
    return std::nullopt;
}

FileResult StoreGlucoseUnits(const std::string &path, GlucoseUnits units) {
    std::string bytes;
    FileFingerprint readAs;
    if (FileResult read = ReadWholeFile(path, bytes, &readAs); !read.ok) {
        return read;
    }
    IniDocument file(std::move(bytes));
    const IniDocument::EditResult set =
        file.SetValue(kOptionsSection, kGlucoseUnitsKey, GlucoseUnitsText(units));
    if (!set.ok) {
        return {false, set.error};
    }
    // Refused, rather than written over, when another program changed the file meanwhile.
    return ReplaceFileAtomically(path, file.Bytes(), {.expected = &readAs});
}

} // namespace norvalis
