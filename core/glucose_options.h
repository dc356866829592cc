#pragma once

#include "file_access.h"
#include "ini_document.h"

#include <optional>
#include <string>
#include <string_view>

namespace norvalis {

// The clinic report's settings in [Options]: the units readings are typed in and the
// person's target range.
inline constexpr std::string_view kGlucoseUnitsKey = "GlucoseUnits";
inline constexpr std::string_view kTargetLowKey = "TargetLow";
inline constexpr std::string_view kTargetHighKey = "TargetHigh";

enum class GlucoseUnits { MgPerDl, MmolPerL };

// "mg/dL" or "mmol/L"; letter case and blanks at the ends are ignored. Nullopt for anything
// else, an empty text included.
std::optional<GlucoseUnits> ParseGlucoseUnits(std::string_view text);
std::string_view GlucoseUnitsText(GlucoseUnits units);

struct TargetRange {
    double low = 0;
    double high = 0;
};
// 70-180 mg/dL, 3.9-10.0 mmol/L.
TargetRange DefaultTargetRange(GlucoseUnits units);

struct GlucoseOptions {
    std::optional<GlucoseUnits> units; // unset until the person chooses
    std::optional<double> targetLow;   // as stored, when it is a number above 0
    std::optional<double> targetHigh;
};
GlucoseOptions ReadGlucoseOptions(const IniDocument &file);

// The target range for these units: the stored pair when both are usable and low lies below
// high, else the default of the units for whichever is missing; a stored pair that is not in
// order gives the default pair, so a report never shows an empty or inverted range. A range
// stored with other units than these gives their defaults.
TargetRange EffectiveTargetRange(const GlucoseOptions &options, GlucoseUnits units);

// Why a target range typed by the person cannot be stored; nullopt when it can.
enum class TargetRangeProblem {
    LowNoNumber,
    LowNotPositive,
    HighNoNumber,
    HighNotPositive,
    LowNotBelowHigh,
    TooLarge
};
std::optional<TargetRangeProblem> CheckTargetRange(std::string_view lowText,
                                                   std::string_view highText);

// Stores the units in the settings file at path through the atomic replace, keeping every
// other line.
FileResult StoreGlucoseUnits(const std::string &path, GlucoseUnits units);

} // namespace norvalis
