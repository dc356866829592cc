#pragma once

#include "core/glucose_options.h"
#include "report/stats/glucose_bands.h"
#include "report/stats/report_entry.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace report {

// The reading figures of a set of entries. Values without meaning (the mean of no reading,
// the spread of one) are nullopt.
struct ReadingFigures {
    int readings = 0;
    std::optional<double> mean;
    std::optional<double> sd; // with n - 1
    std::optional<double> cv; // sd / mean * 100
    std::optional<double> lowest;
    std::optional<double> highest;
    std::array<int, kBandCount> bandCounts{};
    std::array<std::optional<double>, kBandCount> bandPercents{}; // of the readings

    int count(Band band) const { return bandCounts[static_cast<std::size_t>(band)]; }
    std::optional<double> percent(Band band) const {
        return bandPercents[static_cast<std::size_t>(band)];
    }
};

struct PeriodFigures {
    std::string period;
    ReadingFigures readings;
    double takenPerDay = 0; // Taken of every kind of entry of the period
};

struct ReportStatistics {
    int days = 0;
    double readingsPerDay = 0;
    ReadingFigures readings;
    double rapidPerDay = 0;
    double longPerDay = 0;
    double correctionPerDay = 0; // these four from the rapid-acting entries
    double carbDosePerDay = 0;
    double weightingPerDay = 0;
    double carbsPerDay = 0;
    std::vector<PeriodFigures> periods;
};

struct ReportInput {
    const std::vector<ReportEntry> &entries; // the range's entries, oldest first
    int days;                                // local calendar days of the range, at least 1
    norvalis::GlucoseUnits units;
    norvalis::TargetRange target;
    const std::vector<std::string> &filePeriods; // the settings file's periods, in its order
};

// Per-day figures divide by every day of the range, days without entries included. Periods:
// the file's, in its order, then any other an entry names, in the order first met.
ReportStatistics ComputeStatistics(const ReportInput &input);

} // namespace report
