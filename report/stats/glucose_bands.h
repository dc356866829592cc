#pragma once

#include "core/glucose_options.h"

#include <array>
#include <cstddef>

namespace report {

// The five bands a reading falls in, lowest first.
enum class Band { VeryLow, Low, InRange, High, VeryHigh };
inline constexpr std::size_t kBandCount = 5;
inline constexpr std::array<Band, kBandCount> kBands = {Band::VeryLow, Band::Low, Band::InRange,
                                                        Band::High, Band::VeryHigh};

// The fixed clinical limits: below 54 mg/dL (3.0 mmol/L) is very low, above 250 mg/dL
// (13.9 mmol/L) very high.
struct BandLimits {
    double veryLowBelow = 0;
    double veryHighAbove = 0;
};
BandLimits FixedBandLimits(norvalis::GlucoseUnits units);

// The band of a reading: very low below 54, low from 54 to below the target's low end, in
// range from low to high (both included), high up to 250 included, very high above. The
// fixed limits win over a target range that reaches past them.
Band BandOf(double reading, const norvalis::TargetRange &target, const BandLimits &limits);

} // namespace report
