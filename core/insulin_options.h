#pragma once

#include "dose_options.h"
#include "ini_document.h"
#include "insulin_curve.h"

#include <optional>
#include <string>
#include <string_view>

namespace norvalis {

// The [Options] keys for active insulin and the low warning.
inline constexpr std::string_view kInsulinCurveKey = "InsulinCurve";
inline constexpr std::string_view kInsulinHoursKey = "InsulinHours";
inline constexpr std::string_view kLowBelowKey = "LowBelow";

inline constexpr double kShortestInsulinHours = 5;
inline constexpr double kLongestInsulinHours = 8;
inline constexpr double kDefaultInsulinHours = 6;

struct InsulinOptions {
    InsulinCurve curve = InsulinCurve::Rapid;
    double hours = kDefaultInsulinHours;
    std::optional<double> lowBelow; // a reading above 0 and below this is a low
};

// "rapid" and "ultra-rapid", as the file and the command line write them.
std::string_view CurveName(InsulinCurve curve);
// The curve a text names, blanks around it and letter case ignored; nullopt for any other text.
std::optional<InsulinCurve> CurveFromName(std::string_view name);

// Reads the three keys. A curve the program does not know and hours outside 5 to 8 (or no
// number) are ignored in favour of the defaults; a low limit of no number or not above 0 is
// off. `check` reports each of these.
InsulinOptions ReadInsulinOptions(const IniDocument &file);

// What the options dialog makes of the hours box: Off (empty) for the default, Number when
// within 5 to 8 hours, OutOfRange for a number outside them.
OptionText ReadInsulinHoursText(std::string_view text);

// Whether a typed reading is a low: above 0 and below the limit.
bool IsLowReading(double reading, double lowBelow);

// "Below your low limit of 70 — treat the low first"
std::string LowReadingLine(double lowBelow);

} // namespace norvalis
