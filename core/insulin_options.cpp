#include "insulin_options.h"

#include "blank_text.h"
#include "number_text.h"

#include <algorithm>
#include <cctype>

namespace norvalis {

namespace {
bool SameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool WithinHours(double hours) {
    return hours >= kShortestInsulinHours && hours <= kLongestInsulinHours;
}
} // namespace

std::string_view CurveName(InsulinCurve curve) {
    return curve == InsulinCurve::UltraRapid ? "ultra-rapid" : "rapid";
}

std::optional<InsulinCurve> CurveFromName(std::string_view name) {
    const std::string_view trimmed = TrimmedOf(name, kNumberBlanks);
    for (const InsulinCurve curve : {InsulinCurve::Rapid, InsulinCurve::UltraRapid}) {
        if (SameLetters(trimmed, CurveName(curve)))
            return curve;
    }
    return std::nullopt;
}

InsulinOptions ReadInsulinOptions(const IniDocument &file) {
    InsulinOptions options;
    options.curve =
        CurveFromName(file.Value(kOptionsSection, kInsulinCurveKey)).value_or(InsulinCurve::Rapid);
    const OptionText hours = ReadInsulinHoursText(file.Value(kOptionsSection, kInsulinHoursKey));
    if (hours.kind == OptionTextKind::Number)
        options.hours = hours.value;
    const OptionText low = ReadOptionText(file.Value(kOptionsSection, kLowBelowKey));
    if (low.kind == OptionTextKind::Number)
        options.lowBelow = low.value;
    return options;
}

OptionText ReadInsulinHoursText(std::string_view text) {
    OptionText read = ReadOptionText(text);
    if ((read.kind == OptionTextKind::Number || read.kind == OptionTextKind::NotPositive) &&
        !WithinHours(read.value))
        return {OptionTextKind::OutOfRange, read.value, {}};
    return read;
}

bool IsLowReading(double reading, double lowBelow) {
    return reading > 0 && reading < lowBelow;
}

std::string LowReadingLine(double lowBelow) {
    return "Below your low limit of " + NumberText(lowBelow) + " \xE2\x80\x94 treat the low first";
}

} // namespace norvalis
