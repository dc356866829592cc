// The active-insulin curve. The expected fractions were worked out apart from this code, by
// integrating the curve's activity numerically; they agree with the closed form to 1e-7.

#include "core/insulin_curve.h"
#include "core/insulin_options.h"
#include "tests/core/named_cases.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace norvalis {
namespace {

using testing::operator<<;

struct CurveCase {
    std::string name;
    InsulinCurve curve;
    double hours;
    double minutesSinceDose; // the curve's own time is this less the 10-minute delay
    double expected;
};

constexpr auto kRapid = InsulinCurve::Rapid;
constexpr auto kUltra = InsulinCurve::UltraRapid;

const CurveCase kCurveCases[] = {
    {"rapid_end_of_delay_all_left", kRapid, 6, 10, 1.0},
    {"rapid_10_min_into_action", kRapid, 6, 20, 0.9907551934},
    {"rapid_60_min_into_action", kRapid, 6, 70, 0.7792959814},
    {"rapid_120_min_into_action", kRapid, 6, 130, 0.4497523127},
    {"rapid_240_min_into_action", kRapid, 6, 250, 0.0726661035},
    {"rapid_359_min_into_action", kRapid, 6, 369, 0.0000029396},
    {"rapid_360_min_into_action_none_left", kRapid, 6, 370, 0.0},
    {"ultra_end_of_delay_all_left", kUltra, 6, 10, 1.0},
    {"ultra_10_min_into_action", kUltra, 6, 20, 0.9844121496},
    {"ultra_60_min_into_action", kUltra, 6, 70, 0.6807104907},
    {"ultra_120_min_into_action", kUltra, 6, 130, 0.3143821336},
    {"ultra_240_min_into_action", kUltra, 6, 250, 0.0315885843},
    {"ultra_359_min_into_action", kUltra, 6, 369, 0.0000008263},
    {"ultra_360_min_into_action_none_left", kUltra, 6, 370, 0.0},
    {"five_hours_end_of_delay_all_left", kRapid, 5, 10, 1.0},
    {"five_hours_10_min_into_action", kRapid, 5, 20, 0.9901990696},
    {"five_hours_60_min_into_action", kRapid, 5, 70, 0.7640057036},
    {"five_hours_120_min_into_action", kRapid, 5, 130, 0.4105799421},
    {"five_hours_240_min_into_action", kRapid, 5, 250, 0.0329248688},
    {"five_hours_299_min_into_action", kRapid, 5, 309, 0.0000074145},
    {"five_hours_300_min_into_action_none_left", kRapid, 5, 310, 0.0},
    {"five_hours_359_min_into_action_none_left", kRapid, 5, 369, 0.0},
    // A clock set back puts a dose ahead of now: it is all still to act until its time.
    {"dose_in_the_future_all_left", kRapid, 6, -45, 1.0},
    {"unknown_time_counts_all_left", kRapid, 6, std::numeric_limits<double>::quiet_NaN(), 1.0},
};

class CurveTest : public ::testing::TestWithParam<CurveCase> {};

TEST_P(CurveTest, FractionStillToAct) {
    const CurveCase &c = GetParam();
    EXPECT_NEAR(FractionRemaining(ActionOf(c.curve, c.hours), c.minutesSinceDose), c.expected,
                1e-9);
}

INSTANTIATE_TEST_SUITE_P(Presets, CurveTest, ::testing::ValuesIn(kCurveCases), testing::CaseName{});

// 4 units 30 min ago (0.9659746550), 6.5 units 2 h ago (0.5005768165), 3 units 400 min ago (gone),
// 2 units a quarter of an hour ahead (all left), 0 units just now (nothing): 9.1176479276.
TEST(ActiveInsulinSum, AddsWhatEachDoseHasLeft) {
    const ActiveInsulin active = SumActiveInsulin({{4, 30}, {6.5, 120}, {3, 400}, {2, -15}, {0, 5}},
                                                  ActionOf(InsulinCurve::Rapid, 6));
    EXPECT_NEAR(active.units, 9.1176479276, 1e-9);
    EXPECT_EQ(active.doses, 3);
    EXPECT_EQ(ActiveInsulinLine(active.units), "Active insulin: 9.12 units");
}

TEST(ActiveInsulinSum, NothingLeftCountsNoDose) {
    const ActiveInsulin active =
        SumActiveInsulin({{5, 371}, {std::numeric_limits<double>::infinity(), 20}},
                         ActionOf(InsulinCurve::Rapid, 6));
    EXPECT_EQ(active.units, 0);
    EXPECT_EQ(active.doses, 0);
}

struct LineCase {
    std::string name;
    double units;
    std::string line;
};

const LineCase kLineCases[] = {
    {"two_decimals_at_most", 2.34567, "Active insulin: 2.35 units"},
    {"trailing_zero_dropped", 2.3, "Active insulin: 2.3 units"},
    {"whole_units", 3.0004, "Active insulin: 3 units"},
    {"half_a_hundredth_shows", 0.005, "Active insulin: 0.01 units"},
    {"below_half_a_hundredth_hidden", 0.0049, ""},
    {"nothing_hidden", 0, ""},
};

class ActiveLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ActiveLineTest, Text) {
    EXPECT_EQ(ActiveInsulinLine(GetParam().units), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Amounts, ActiveLineTest, ::testing::ValuesIn(kLineCases),
                         testing::CaseName{});

} // namespace
} // namespace norvalis
