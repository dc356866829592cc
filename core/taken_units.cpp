#include "taken_units.h"

#include "blank_text.h"
#include "dose_options.h"
#include "leading_number.h"
#include "number_text.h"

namespace norvalis {

TakenUnits ReadTakenUnits(std::string_view text) {
    if (TrimmedOf(text, kNumberBlanks).empty())
        return {std::nullopt, "is empty"};
    const std::optional<double> units = NumberAtStart(text);
    if (!units) {
        return {std::nullopt,
                LeadingNumber(text) ? "does not start with a number" : "is too large a number"};
    }
    if (*units < 0)
        return {std::nullopt, "is below 0"};
    if (*units > kMostUnitsTaken)
        return {std::nullopt, "is above " + NumberText(kMostUnitsTaken) + " units"};
    return {*units == 0 ? 0.0 : *units, {}}; // no "-0" in the logbook
}

} // namespace norvalis
