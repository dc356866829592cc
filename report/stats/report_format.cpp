#include "report/stats/report_format.h"

#include <charconv>
#include <cmath>

namespace report {

std::string FixedText(std::optional<double> value, int decimals) {
    if (!value || !std::isfinite(*value)) {
        return {};
    }
    // Halves away from zero, as a person rounds (to_chars alone rounds 120.5 to even, 120);
    // and -0.04 to one decimal must not read "-0.0".
    const double scale = std::pow(10.0, decimals);
    const double steps = std::round(*value * scale);
    const double shown = steps == 0 ? 0.0 : steps / scale;
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, shown, std::chars_format::fixed, decimals);
    return written.ec == std::errc() ? std::string(buffer, written.ptr) : std::string();
}

std::string GlucoseText(std::optional<double> value, norvalis::GlucoseUnits units) {
    return FixedText(value, units == norvalis::GlucoseUnits::MgPerDl ? 0 : 1);
}

std::string PercentText(std::optional<double> value) {
    return FixedText(value, 1);
}

} // namespace report
