#pragma once

#include "core/glucose_options.h"

#include <optional>
#include <string>

namespace report {

// How the pages show the figures, whatever the locale: a full stop as the decimal point.
// A value that is not there shows as an empty text.
std::string FixedText(std::optional<double> value, int decimals);
// Whole mg/dL, or mmol/L to one decimal.
std::string GlucoseText(std::optional<double> value, norvalis::GlucoseUnits units);
// Percentages and CV: one decimal.
std::string PercentText(std::optional<double> value);

} // namespace report
