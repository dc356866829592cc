#include "report/stats/report_statistics.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace report {

namespace {

// Sums kept as readings arrive, so one pass over a large range is enough.
class ReadingTally {
public:
    ReadingTally(const norvalis::TargetRange &target, const BandLimits &limits)
        : target_(target), limits_(limits) {}

    void add(double reading) {
        ++count_;
        sum_ += reading;
        // Welford's update: a plain sum of squares loses the spread of large, close values.
        // The mean itself comes from the sum, exact for whole readings.
        const double delta = reading - mean_;
        mean_ += delta / count_;
        squares_ += delta * (reading - mean_);
        lowest_ = count_ == 1 ? reading : std::min(lowest_, reading);
        highest_ = count_ == 1 ? reading : std::max(highest_, reading);
        ++bands_[static_cast<std::size_t>(BandOf(reading, target_, limits_))];
    }

    ReadingFigures figures() const {
        ReadingFigures out;
        out.readings = count_;
        out.bandCounts = bands_;
        if (count_ == 0) {
            return out;
        }
        const double mean = sum_ / count_;
        out.mean = mean;
        out.lowest = lowest_;
        out.highest = highest_;
        for (std::size_t i = 0; i < kBandCount; ++i) {
            out.bandPercents[i] = 100.0 * bands_[i] / count_;
        }
        if (count_ >= 2) {
            out.sd = std::sqrt(squares_ / (count_ - 1));
            if (mean != 0) {
                out.cv = *out.sd / mean * 100.0;
            }
        }
        return out;
    }

private:
    norvalis::TargetRange target_;
    BandLimits limits_;
    int count_ = 0;
    double sum_ = 0;
    double mean_ = 0; // running, for the spread
    double squares_ = 0;
    double lowest_ = 0;
    double highest_ = 0;
    std::array<int, kBandCount> bands_{};
};

struct PeriodTally {
    ReadingTally readings;
    double taken = 0;
};

} // namespace

ReportStatistics ComputeStatistics(const ReportInput &input) {
    const BandLimits limits = FixedBandLimits(input.units);
    const int days = std::max(input.days, 1);
    ReadingTally all(input.target, limits);
    std::vector<std::string> order;
    std::vector<PeriodTally> tallies;
    std::unordered_map<std::string, std::size_t> indexOf;
    const auto periodTally = [&](const std::string &name) -> PeriodTally & {
        const auto [it, added] = indexOf.try_emplace(name, order.size());
        if (added) {
            order.push_back(name);
            tallies.push_back({ReadingTally(input.target, limits), 0});
        }
        return tallies[it->second];
    };
    for (const std::string &name : input.filePeriods) {
        periodTally(name);
    }

    double rapid = 0;
    double longActing = 0;
    double correction = 0;
    double carbDose = 0;
    double weighting = 0;
    double carbs = 0;
    for (const ReportEntry &entry : input.entries) {
        PeriodTally &period = periodTally(entry.period);
        period.taken += entry.taken;
        if (entry.bloodSugar > 0) {
            all.add(entry.bloodSugar);
            period.readings.add(entry.bloodSugar);
        }
        if (entry.kind == DoseKind::Rapid) {
            rapid += entry.taken;
            correction += entry.correction;
            carbDose += entry.carbDose;
            weighting += entry.weighting;
            carbs += entry.carbs;
        } else if (entry.kind == DoseKind::Long) {
            longActing += entry.taken;
        }
    }

    ReportStatistics out;
    out.days = days;
    out.readings = all.figures();
    out.readingsPerDay = static_cast<double>(out.readings.readings) / days;
    out.rapidPerDay = rapid / days;
    out.longPerDay = longActing / days;
    out.correctionPerDay = correction / days;
    out.carbDosePerDay = carbDose / days;
    out.weightingPerDay = weighting / days;
    out.carbsPerDay = carbs / days;
    out.periods.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        out.periods.push_back({order[i], tallies[i].readings.figures(), tallies[i].taken / days});
    }
    return out;
}

} // namespace report
