#include "report_json.h"

#include "json_text.h"

#include <array>
#include <charconv>

namespace norvalis::cli {

namespace {

using report::Band;

constexpr std::array<const char *, report::kBandCount> kBandKeys = {"very_low", "low", "in_range",
                                                                    "high", "very_high"};

// The shortest text that reads back as the same double: unrounded, and valid JSON.
std::string Number(double value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return written.ec == std::errc() ? std::string(buffer, written.ptr) : "null";
}

std::string Number(const std::optional<double> &value) {
    return value ? Number(*value) : "null";
}

std::string Field(const char *key, const std::string &value, bool first = false) {
    return std::string(first ? "" : ",") + "\"" + key + "\":" + value;
}

template <class Value> std::string Bands(const std::array<Value, report::kBandCount> &values) {
    std::string out = "{";
    for (std::size_t i = 0; i < report::kBandCount; ++i) {
        out += Field(kBandKeys[i], Number(values[i]), i == 0);
    }
    return out + "}";
}

std::string Periods(const report::ReportStatistics &stats) {
    std::string out = "[";
    for (std::size_t i = 0; i < stats.periods.size(); ++i) {
        const report::PeriodFigures &p = stats.periods[i];
        out += (i == 0 ? "{" : ",{") + Field("period", JsonString(p.period), true) +
               Field("readings", Number(p.readings.readings)) +
               Field("mean", Number(p.readings.mean)) + Field("min", Number(p.readings.lowest)) +
               Field("max", Number(p.readings.highest)) +
               Field("in_range", Number(p.readings.percent(Band::InRange))) +
               Field("taken_per_day", Number(p.takenPerDay)) + "}";
    }
    return out + "]";
}

} // namespace

std::string ReportJson(const report::ReportStatistics &stats, const std::string &from,
                       const std::string &to, GlucoseUnits units) {
    const report::ReadingFigures &r = stats.readings;
    std::array<double, report::kBandCount> counts{};
    for (std::size_t i = 0; i < report::kBandCount; ++i) {
        counts[i] = r.bandCounts[i];
    }
    return "{" + Field("from", JsonString(from), true) + Field("to", JsonString(to)) +
           Field("units", JsonString(GlucoseUnitsText(units))) +
           Field("readings", Number(r.readings)) +
           Field("readings_per_day", Number(stats.readingsPerDay)) + Field("mean", Number(r.mean)) +
           Field("sd", Number(r.sd)) + Field("cv", Number(r.cv)) +
           Field("bands", Bands(r.bandPercents)) + Field("counts", Bands(counts)) +
           Field("rapid_per_day", Number(stats.rapidPerDay)) +
           Field("long_per_day", Number(stats.longPerDay)) +
           Field("correction_per_day", Number(stats.correctionPerDay)) +
           Field("carb_dose_per_day", Number(stats.carbDosePerDay)) +
           Field("weighting_per_day", Number(stats.weightingPerDay)) +
           Field("carbs_per_day", Number(stats.carbsPerDay)) + Field("periods", Periods(stats)) +
           "}\n";
}

} // namespace norvalis::cli
