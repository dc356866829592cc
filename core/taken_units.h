#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norvalis {

// The most insulin one entry may record: anything above is a typing slip, not a dose.
inline constexpr double kMostUnitsTaken = 1e6;

// What a typed "taken" amount reads as: the units, or why it cannot be recorded.
struct TakenUnits {
    std::optional<double> units;
    std::string problem; // "is empty", "does not start with a number", ...; empty with units
};

// Reads the amount as the boxes read numbers (the number at the start of the text). Refuses
// an empty text, one that does not start with a number, a negative amount, and one above
// kMostUnitsTaken or beyond the number range.
TakenUnits ReadTakenUnits(std::string_view text);

} // namespace norvalis
