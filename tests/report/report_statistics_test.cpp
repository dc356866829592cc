#include "report/stats/report_statistics.h"
#include "tests/core/named_cases.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using norvalis::GlucoseUnits;
using norvalis::testing::CaseName;
using norvalis::testing::operator<<;
using report::Band;
using report::DoseKind;
using report::ReportEntry;

struct BandCase {
    std::string name;
    GlucoseUnits units;
    norvalis::TargetRange target;
    double reading;
    Band expected;
};

class BandEdges : public ::testing::TestWithParam<BandCase> {};

TEST_P(BandEdges, ReadingFallsInItsBand) {
    const BandCase &c = GetParam();
    EXPECT_EQ(report::BandOf(c.reading, c.target, report::FixedBandLimits(c.units)), c.expected);
}

constexpr norvalis::TargetRange kMg{70, 180};
constexpr norvalis::TargetRange kMmol{3.9, 10.0};
constexpr norvalis::TargetRange kWide{50, 300};

INSTANTIATE_TEST_SUITE_P(
    Report, BandEdges,
    ::testing::Values(
        BandCase{"mg_just_below_54_is_very_low", GlucoseUnits::MgPerDl, kMg, 53.9, Band::VeryLow},
        BandCase{"mg_54_is_low", GlucoseUnits::MgPerDl, kMg, 54, Band::Low},
        BandCase{"mg_just_below_target_low_is_low", GlucoseUnits::MgPerDl, kMg, 69.9, Band::Low},
        BandCase{"mg_target_low_is_in_range", GlucoseUnits::MgPerDl, kMg, 70, Band::InRange},
        BandCase{"mg_target_high_is_in_range", GlucoseUnits::MgPerDl, kMg, 180, Band::InRange},
        BandCase{"mg_just_above_target_high_is_high", GlucoseUnits::MgPerDl, kMg, 180.1,
                 Band::High},
        BandCase{"mg_250_is_high", GlucoseUnits::MgPerDl, kMg, 250, Band::High},
        BandCase{"mg_just_above_250_is_very_high", GlucoseUnits::MgPerDl, kMg, 250.1,
                 Band::VeryHigh},
        BandCase{"mmol_2_9_is_very_low", GlucoseUnits::MmolPerL, kMmol, 2.9, Band::VeryLow},
        BandCase{"mmol_3_0_is_low", GlucoseUnits::MmolPerL, kMmol, 3.0, Band::Low},
        BandCase{"mmol_3_9_is_in_range", GlucoseUnits::MmolPerL, kMmol, 3.9, Band::InRange},
        BandCase{"mmol_10_0_is_in_range", GlucoseUnits::MmolPerL, kMmol, 10.0, Band::InRange},
        BandCase{"mmol_10_1_is_high", GlucoseUnits::MmolPerL, kMmol, 10.1, Band::High},
        BandCase{"mmol_13_9_is_high", GlucoseUnits::MmolPerL, kMmol, 13.9, Band::High},
        BandCase{"mmol_14_0_is_very_high", GlucoseUnits::MmolPerL, kMmol, 14.0, Band::VeryHigh},
        BandCase{"wide_target_does_not_hide_a_very_low", GlucoseUnits::MgPerDl, kWide, 52,
                 Band::VeryLow},
        BandCase{"wide_target_does_not_hide_a_very_high", GlucoseUnits::MgPerDl, kWide, 260,
                 Band::VeryHigh}),
    CaseName());

ReportEntry reading(const std::string &period, double bloodSugar) {
    ReportEntry e;
    e.kind = DoseKind::Reading;
    e.period = period;
    e.bloodSugar = bloodSugar;
    return e;
}

ReportEntry rapid(const std::string &period, double bloodSugar, double carbs, double correction,
                  double carbDose, double weighting, double taken) {
    return {DoseKind::Rapid, period, bloodSugar, carbs, correction, carbDose, weighting, taken};
}

ReportEntry longActing(const std::string &period, double taken) {
    ReportEntry e;
    e.kind = DoseKind::Long;
    e.period = period;
    e.taken = taken;
    e.carbs = 30; // carbohydrate on a long-acting entry is not a meal dose's
    e.correction = 9;
    return e;
}

report::ReportStatistics compute(const std::vector<ReportEntry> &entries, int days,
                                 GlucoseUnits units = GlucoseUnits::MgPerDl,
                                 std::vector<std::string> periods = {}) {
    return report::ComputeStatistics(
        {entries, days, units, norvalis::DefaultTargetRange(units), periods});
}

// Readings 0, 1 and 2: the spread needs two, the mean one.
TEST(ReportStatistics, NoReadingGivesNoMeanSpreadOrShares) {
    const auto stats = compute({rapid("Breakfast", 0, 40, 0, 4, 0, 4)}, 14);
    EXPECT_EQ(stats.readings.readings, 0);
    EXPECT_FALSE(stats.readings.mean);
    EXPECT_FALSE(stats.readings.sd);
    EXPECT_FALSE(stats.readings.cv);
    EXPECT_FALSE(stats.readings.percent(Band::InRange));
    EXPECT_EQ(stats.readings.count(Band::Low), 0);
    EXPECT_DOUBLE_EQ(stats.readingsPerDay, 0);
}

TEST(ReportStatistics, OneReadingHasAMeanButNoSpread) {
    const auto stats = compute({reading("Night", 120)}, 1);
    ASSERT_TRUE(stats.readings.mean);
    EXPECT_DOUBLE_EQ(*stats.readings.mean, 120);
    EXPECT_FALSE(stats.readings.sd);
    EXPECT_FALSE(stats.readings.cv);
    EXPECT_DOUBLE_EQ(*stats.readings.lowest, 120);
    EXPECT_DOUBLE_EQ(*stats.readings.highest, 120);
    EXPECT_DOUBLE_EQ(*stats.readings.percent(Band::InRange), 100);
}

TEST(ReportStatistics, BandSharesAndLowCountsInMmol) {
    // 2.8 very low, 3.5 low, 3.9 and 10.0 in range, 13.9 high, 15 very high, 0 not a reading.
    const std::vector<ReportEntry> entries = {
        reading("A", 2.8),  reading("A", 3.5), reading("A", 3.9), reading("A", 10.0),
        reading("A", 13.9), reading("A", 15),  reading("A", 0)};
    const auto stats = compute(entries, 2, GlucoseUnits::MmolPerL);
    EXPECT_EQ(stats.readings.readings, 6);
    EXPECT_EQ(stats.readings.count(Band::VeryLow), 1);
    EXPECT_EQ(stats.readings.count(Band::Low), 1);
    EXPECT_EQ(stats.readings.count(Band::InRange), 2);
    EXPECT_EQ(stats.readings.count(Band::High), 1);
    EXPECT_EQ(stats.readings.count(Band::VeryHigh), 1);
    EXPECT_NEAR(*stats.readings.percent(Band::InRange), 100.0 * 2 / 6, 1e-12);
    EXPECT_NEAR(*stats.readings.percent(Band::VeryLow), 100.0 / 6, 1e-12);
    EXPECT_DOUBLE_EQ(stats.readingsPerDay, 3);
}

TEST(ReportStatistics, InsulinPerDayCountsEveryDayOfTheRange) {
    // Seven days, entries on two of them: the sums are divided by seven.
    const std::vector<ReportEntry> entries = {rapid("Breakfast", 150, 45, 1, 4.5, 0, 5.5),
                                              rapid("Lunch", 0, 60, 0, 6, 0.5, 6.5),
                                              longActing("Night", 14), reading("Night", 90)};
    const auto stats = compute(entries, 7);
    EXPECT_NEAR(stats.rapidPerDay, 12.0 / 7, 1e-12);
    EXPECT_NEAR(stats.longPerDay, 2, 1e-12);
    EXPECT_NEAR(stats.correctionPerDay, 1.0 / 7, 1e-12);
    EXPECT_NEAR(stats.carbDosePerDay, 10.5 / 7, 1e-12);
    EXPECT_NEAR(stats.weightingPerDay, 0.5 / 7, 1e-12);
    EXPECT_NEAR(stats.carbsPerDay, 105.0 / 7, 1e-12);
    EXPECT_EQ(stats.days, 7);
}

TEST(ReportStatistics, PeriodsInTheFilesOrderThenAsFirstMet) {
    const std::vector<ReportEntry> entries = {
        reading("Night", 100), rapid("Breakfast", 80, 30, 0, 3, 0, 3), reading("Snack", 200),
        longActing("Night", 10), reading("Night", 300)};
    const auto stats = compute(entries, 2, GlucoseUnits::MgPerDl, {"Breakfast", "Lunch"});
    std::vector<std::string> names;
    for (const auto &p : stats.periods)
        names.push_back(p.period);
    EXPECT_EQ(names, (std::vector<std::string>{"Breakfast", "Lunch", "Night", "Snack"}));
    const report::PeriodFigures &lunch = stats.periods[1];
    EXPECT_EQ(lunch.readings.readings, 0);
    EXPECT_FALSE(lunch.readings.mean);
    const report::PeriodFigures &night = stats.periods[2];
    EXPECT_EQ(night.readings.readings, 2);
    EXPECT_DOUBLE_EQ(*night.readings.mean, 200);
    EXPECT_DOUBLE_EQ(*night.readings.lowest, 100);
    EXPECT_DOUBLE_EQ(*night.readings.highest, 300);
    EXPECT_DOUBLE_EQ(*night.readings.percent(Band::InRange), 50);
    // Taken of every kind: the long-acting dose counts for its period.
    EXPECT_DOUBLE_EQ(night.takenPerDay, 5);
    EXPECT_DOUBLE_EQ(stats.periods[0].takenPerDay, 1.5);
}

TEST(ReportStatistics, SpreadOfLargeCloseReadingsIsExact) {
    // A sum of squares would cancel here; the spread of 1e9 ± 1 is 1.
    const auto stats =
        compute({reading("A", 1e9 - 1), reading("A", 1e9), reading("A", 1e9 + 1)}, 1);
    EXPECT_NEAR(*stats.readings.sd, 1, 1e-6);
}

} // namespace
