#include "insulin_curve.h"

#include "number_text.h"

#include <cmath>

namespace norvalis {

namespace {
constexpr double kRapidPeakMinutes = 75;
constexpr double kUltraRapidPeakMinutes = 55;
} // namespace

InsulinAction ActionOf(InsulinCurve curve, double hours) {
    return {hours * 60,
            curve == InsulinCurve::UltraRapid ? kUltraRapidPeakMinutes : kRapidPeakMinutes};
}

double FractionRemaining(const InsulinAction &action, double minutesSinceDose) {
    const double td = action.durationMinutes;
    const double tp = action.peakMinutes;
    const double t = minutesSinceDose - kInsulinDelayMinutes;
    if (!(t > 0)) // also a time that is not a number: count it fully, never as gone
        return 1;
    if (t >= td)
        return 0;
    const double tau = tp * (1 - tp / td) / (1 - 2 * tp / td);
    const double a = 2 * tau / td;
    const double s = 1 / (1 - a + (1 + a) * std::exp(-td / tau));
    const double remaining =
        1 - s * (1 - a) * ((t * t / (tau * td * (1 - a)) - t / tau - 1) * std::exp(-t / tau) + 1);
    // Rounding can leave a trace below 0 or above 1 at the ends.
    return std::fmin(1.0, std::fmax(0.0, remaining));
}

ActiveInsulin SumActiveInsulin(const std::vector<InsulinDose> &doses, const InsulinAction &action) {
    ActiveInsulin active;
    for (const InsulinDose &dose : doses) {
        if (!(dose.units > 0) || !std::isfinite(dose.units))
            continue;
        const double fraction = FractionRemaining(action, dose.minutesSinceDose);
        if (fraction > 0) {
            active.units += dose.units * fraction;
            ++active.doses;
        }
    }
    return active;
}

double RoundedActiveUnits(double units) {
    return std::round(units * 100) / 100;
}

std::string ActiveInsulinLine(double units) {
    const double shown = RoundedActiveUnits(units);
    if (!(shown > 0))
        return {};
    return "Active insulin: " + NumberText(shown) + " units";
}

} // namespace norvalis
