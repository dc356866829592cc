#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norvalis {

// Writes a number as every box, label and table entry shows it: rounded to 15 significant
// digits, full stop as decimal point, no trailing zeros, exponent form (1E+15, 1.5E-05)
// from 1E+15 up and below 0.0001. Negative zero is "0". A value that is not finite gives
// the empty text, as does a value that was never set.
std::string NumberText(double value);
std::string NumberText(std::optional<double> value);

// The normalised form of a typed or stored number: NumberText(LeadingNumber(text)).
// A text whose number cannot be read (beyond the double range) is kept as it is, trimmed
// of surrounding blanks, so nothing the user typed is silently turned into another value.
std::string NormalisedNumberText(std::string_view text);

} // namespace norvalis
