#pragma once

#include "dose_settings.h"
#include "ini_document.h"

#include <optional>
#include <string>
#include <string_view>

namespace norvalis {

// The optional settings of the section [Options] in Norvalis.ini. That section belongs to
// these settings alone: a period of the same name is not offered (see DropReservedPeriods).
inline constexpr std::string_view kOptionsSection = "Options";
inline constexpr std::string_view kPenStepKey = "PenStep";
inline constexpr std::string_view kMaxDoseKey = "MaxDose";

struct DoseOptions {
    std::optional<double> penStep; // the smallest dose step the pen delivers
    std::optional<double> maxDose; // the user's own ceiling for a total
};

// Reads the two settings. A missing or empty key, a value that does not start with a number
// and a value of 0 or below all mean the setting is off.
DoseOptions ReadDoseOptions(const IniDocument &file);

// What the options dialog makes of a box's text.
enum class OptionTextKind {
    Off,         // empty or blank: the key is removed
    Number,      // a number above 0
    NoNumber,    // does not start with a number
    NotPositive, // 0 or below
    OutOfRange,  // beyond the double range
};
struct OptionText {
    OptionTextKind kind = OptionTextKind::Off;
    double value = 0;
    std::string stored; // the normalised text to store, for Number
};
OptionText ReadOptionText(std::string_view text);

// The number a text starts with, or nullopt when it starts with none (after blanks) or the
// number is beyond the double range. "7.5 units" gives 7.5; "units", "" and "-" give nullopt.
std::optional<double> NumberAtStart(std::string_view text);

// The total rounded to the nearest multiple of step, a tie going down (less insulin). A total
// within a billionth of a step of a tie counts as a tie: 1.15 is stored as 1.1499999..., and
// a person who asks for steps of 0.1 means the tie. Nullopt for a step that is not above 0
// or a result that is not finite.
std::optional<double> PenDose(double total, double step);

// Whether the total, as the window shows it, lies above the ceiling.
bool AboveMaximum(double total, double maxDose);

// The texts of the two extra lines under the total.
std::string PenDoseLine(double penDose);      // "Pen dose: 11.5"
std::string AboveMaximumLine(double maxDose); // "Above your maximum of 20 units — check ..."

// Whether a period name would be the options section (letter case and blanks ignored, as the
// file's section names are matched).
bool IsReservedPeriodName(std::string_view name);

// Takes reserved names out of the period list, moving later periods up, and lowers the count.
// Returns how many were taken out.
int DropReservedPeriods(DoseSettings &settings);

} // namespace norvalis
