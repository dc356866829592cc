#pragma once

#include <string>
#include <vector>

namespace norvalis {

// How long rapid-acting insulin keeps working after a dose, on the exponential curve that
// open-source dose tools share. It is information for the person only: no dose is ever
// lowered by it.

// Insulin starts to act this many minutes after it is taken.
inline constexpr double kInsulinDelayMinutes = 10;

enum class InsulinCurve { Rapid, UltraRapid };

// The duration of action and the time of the strongest effect, in minutes.
struct InsulinAction {
    double durationMinutes = 360;
    double peakMinutes = 75;
};

// The curve's peak with the duration given in hours: rapid peaks at 75 minutes, ultra-rapid
// at 55.
InsulinAction ActionOf(InsulinCurve curve, double hours);

// The share of a dose still to act, from 1 down to 0. A dose in the future (a clock that was
// set back) and a dose within the delay have all of it still to act; from the end of the
// duration after the delay, nothing.
double FractionRemaining(const InsulinAction &action, double minutesSinceDose);

struct InsulinDose {
    double units = 0;
    double minutesSinceDose = 0;
};

struct ActiveInsulin {
    double units = 0; // the sum of what is still to act, unrounded
    int doses = 0;    // how many doses still have something to act
};

// The insulin still to act from all the doses. Doses of no insulin, or of a number that is not
// finite, add nothing and are not counted.
ActiveInsulin SumActiveInsulin(const std::vector<InsulinDose> &doses, const InsulinAction &action);

// The amount rounded to two decimals, as it is shown.
double RoundedActiveUnits(double units);

// "Active insulin: 2.3 units", or an empty text when what is left rounds to 0.
std::string ActiveInsulinLine(double units);

} // namespace norvalis
