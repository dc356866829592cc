#include "report/stats/glucose_bands.h"

namespace report {

BandLimits FixedBandLimits(norvalis::GlucoseUnits units) {
    return units == norvalis::GlucoseUnits::MgPerDl ? BandLimits{54, 250} : BandLimits{3.0, 13.9};
}

Band BandOf(double reading, const norvalis::TargetRange &target, const BandLimits &limits) {
    if (reading < limits.veryLowBelow) {
        return Band::VeryLow;
    }
    if (reading > limits.veryHighAbove) {
        return Band::VeryHigh;
    }
    if (reading < target.low) {
        return Band::Low;
    }
    if (reading <= target.high) {
        return Band::InRange;
    }
    return Band::High;
}

} // namespace report
