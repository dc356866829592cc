#include "core/dose_calculation.h"
#include "core/number_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace norvalis {
namespace {

using Rows = std::vector<std::string>;

void Fill(TextTable &table, int &count, const Rows &rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        table[i + 1] = rows[i];
    }
    count = static_cast<int>(rows.size());
}

DoseSettings Tables(const Rows &carbDose, const Rows &correction, const Rows &weighting) {
    DoseSettings settings;
    Fill(settings.CarbDoseTable, settings.Counts.CarbDoseCount, carbDose);
    Fill(settings.CorrectionTable, settings.Counts.CorrectionCount, correction);
    Fill(settings.WeightingTable, settings.Counts.WeightingCount, weighting);
    return settings;
}

// The breakfast tables of the example settings file.
const Rows kBreakfastCarb = {"10"};
const Rows kBreakfastCorrection = {"140,1", "180,2", "220,3"};
const Rows kBreakfastWeighting = {"60,1", "100,2"};
const std::string kOver60 = "Weighting if over 60 grams";
const std::string kDesign = kWeightingCaptionDesign;

struct DoseCase {
    const char *name;
    Rows carbDose;
    Rows correction;
    Rows weighting;
    std::string bloodSugar;
    std::string carbs;
    // Expected label texts.
    std::string correctionDose;
    std::string weightingDose;
    std::string carbDoseText;
    std::string totalDose;
    std::string weightingCaption;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const DoseCase &c, std::ostream *os) {
    *os << c.name;
}

class CalculateDosesTest : public ::testing::TestWithParam<DoseCase> {};

TEST_P(CalculateDosesTest, ShowsDoses) {
    const DoseCase &c = GetParam();
    const DoseLabels labels =
        CalculateDoses(Tables(c.carbDose, c.correction, c.weighting), c.bloodSugar, c.carbs);
    EXPECT_EQ(labels.Lab_bs2, c.correctionDose);
    EXPECT_EQ(labels.Lab_cw2, c.weightingDose);
    EXPECT_EQ(labels.Lab_cd2, c.carbDoseText);
    EXPECT_EQ(labels.Lab_tot2, c.totalDose);
    EXPECT_EQ(labels.Lab_cw1, c.weightingCaption);
    // The returned total and the total label never disagree.
    EXPECT_EQ(NumberText(labels.total), labels.Lab_tot2);
}

const Rows &B = kBreakfastCarb;
const Rows &BS = kBreakfastCorrection;
const Rows &CW = kBreakfastWeighting;

INSTANTIATE_TEST_SUITE_P(
    Walks, CalculateDosesTest,
    ::testing::Values(
        DoseCase{"worked_example", B, BS, CW, "190", "75", "2", "1", "7.5", "10.5", kOver60},
        DoseCase{"nothing_applies", B, BS, CW, "120", "50", "", "", "5", "5", kOver60},
        DoseCase{"reading_equal_to_first_level", B, BS, CW, "140", "0", "", "", "0", "0", kOver60},
        DoseCase{"reading_equal_to_level_ends_walk", B, BS, CW, "180", "0", "1", "", "0", "1",
                 kOver60},
        DoseCase{"all_levels_below_reading", B, BS, CW, "500", "0", "3", "", "0", "3", kOver60},
        DoseCase{"carbs_equal_to_level", B, BS, CW, "0", "60", "", "", "6", "6", kOver60},
        DoseCase{"carbs_just_over_second_level", B, BS, CW, "0", "101", "", "2", "10.1", "12.1",
                 kOver60},
        DoseCase{"caption_set_when_no_weighting_applies",
                 B,
                 {},
                 CW,
                 "0",
                 "0",
                 "",
                 "",
                 "0",
                 "0",
                 kOver60},
        DoseCase{
            "last_carb_entry_wins", {"10", "15"}, {}, {}, "0", "45", "", "", "3", "3", kDesign},
        DoseCase{"empty_carbs_read_as_zero", B, BS, CW, "190", "", "2", "", "0", "2", kOver60},
        DoseCase{"carbs_not_a_number", B, BS, CW, "190", "abc", "2", "", "0", "2", kOver60},
        DoseCase{
            "tie_rounds_down_to_even", {"12"}, {}, {}, "0", "1.5", "", "", "0.12", "0.12", kDesign},
        DoseCase{
            "tie_rounds_up_to_even", {"12"}, {}, {}, "0", "4.5", "", "", "0.38", "0.38", kDesign},
        DoseCase{"repeating_quotient", {"12"}, {}, {}, "0", "50", "", "", "4.17", "4.17", kDesign},
        DoseCase{"no_trailing_zero", B, {}, {}, "0", "45", "", "", "4.5", "4.5", kDesign},
        DoseCase{"whole_dose", B, {}, {}, "0", "60", "", "", "6", "6", kDesign},
        DoseCase{"reading_with_unit",
                 B,
                 {"8,1", "10,2"},
                 {},
                 "8.5 mmol",
                 "0",
                 "1",
                 "",
                 "0",
                 "1",
                 kDesign},
        DoseCase{"reading_with_letters", B, BS, CW, "190abc", "0", "2", "", "0", "2", kOver60},
        DoseCase{"unsorted_walk_stops_at_first",
                 B,
                 {"200,3", "100,1"},
                 {},
                 "150",
                 "0",
                 "",
                 "",
                 "0",
                 "0",
                 kDesign},
        DoseCase{"unsorted_later_entry_applies",
                 B,
                 {"200,3", "100,1"},
                 {},
                 "250",
                 "0",
                 "1",
                 "",
                 "0",
                 "1",
                 kDesign},
        DoseCase{
            "total_added_in_order", B, {"0,0.2"}, {}, "5", "1", "0.2", "", "0.1", "0.3", kDesign},
        DoseCase{"dose_part_with_comma_reads_up_to_it",
                 B,
                 {"150,2,7"},
                 {},
                 "190",
                 "0",
                 "2",
                 "",
                 "0",
                 "2",
                 kDesign},
        DoseCase{"negative_carbs", B, {}, {}, "0", "-5", "", "", "-0.5", "-0.5", kDesign},
        DoseCase{"weighting_level_not_a_number",
                 B,
                 {},
                 {"abc,2"},
                 "0",
                 "5",
                 "",
                 "2",
                 "0.5",
                 "2.5",
                 "Weighting if over 0 grams"}),
    [](const auto &info) { return std::string(info.param.name); });

// What the calculation does where the tables or inputs give no sound number.
INSTANTIATE_TEST_SUITE_P(
    UnsoundInputs, CalculateDosesTest,
    ::testing::Values(
        DoseCase{
            "zero_carbs_without_carb_table", {}, BS, CW, "190", "0", "2", "", "0", "2", kOver60},
        DoseCase{
            "zero_carbs_with_zero_grams", {"0"}, BS, {}, "190", "0", "2", "", "0", "2", kDesign},
        DoseCase{"zero_carbs_with_unreadable_grams",
                 {"1e999"},
                 {},
                 {},
                 "0",
                 "0",
                 "",
                 "",
                 "0",
                 "0",
                 kDesign},
        DoseCase{"negative_zero_carbs", {}, {}, {}, "0", "-0", "", "", "0", "0", kDesign},
        DoseCase{"carbs_without_carb_table", {}, BS, CW, "190", "75", "2", "1", "", "", kOver60},
        DoseCase{"carbs_with_zero_grams", {"0"}, BS, {}, "190", "50", "2", "", "", "", kDesign},
        DoseCase{
            "carbs_with_grams_not_a_number", {"abc"}, {}, {}, "0", "50", "", "", "", "", kDesign},
        DoseCase{
            "carbs_with_unreadable_grams", {"1e999"}, {}, {}, "0", "50", "", "", "", "", kDesign},
        DoseCase{"unreadable_grams_before_last_unused",
                 {"1e999", "10"},
                 {},
                 {},
                 "0",
                 "50",
                 "",
                 "",
                 "5",
                 "5",
                 kDesign},
        DoseCase{"unreadable_carbs", B, BS, CW, "190", "1e999", "2", "", "", "", kOver60},
        DoseCase{"unreadable_carbs_empty_weighting",
                 B,
                 BS,
                 {},
                 "190",
                 "1e999",
                 "2",
                 "",
                 "",
                 "",
                 kDesign},
        DoseCase{"unreadable_reading", B, BS, {}, "1e999", "50", "", "", "5", "", kDesign},
        DoseCase{"unreadable_reading_empty_correction",
                 B,
                 {},
                 {},
                 "1e999",
                 "50",
                 "",
                 "",
                 "5",
                 "5",
                 kDesign},
        DoseCase{"unreadable_level_reached",
                 B,
                 {"140,1", "1e999,2"},
                 {},
                 "190",
                 "0",
                 "",
                 "",
                 "0",
                 "",
                 kDesign},
        DoseCase{"unreadable_level_not_reached",
                 B,
                 {"140,1", "1e999,2"},
                 {},
                 "100",
                 "0",
                 "",
                 "",
                 "0",
                 "0",
                 kDesign},
        DoseCase{"unreadable_dose_passed_over",
                 B,
                 {"140,1e999", "180,2"},
                 {},
                 "190",
                 "0",
                 "2",
                 "",
                 "0",
                 "2",
                 kDesign},
        DoseCase{"unreadable_dose_chosen",
                 B,
                 {"140,1e999", "180,2"},
                 {},
                 "150",
                 "0",
                 "",
                 "",
                 "0",
                 "",
                 kDesign},
        DoseCase{
            "quotient_beyond_range", {"1e-300"}, {}, {}, "0", "1e300", "", "", "", "", kDesign},
        DoseCase{"total_beyond_range",
                 {"1"},
                 {"0,1.5e308"},
                 {},
                 "1",
                 "1.5e308",
                 "1.5E+308",
                 "",
                 "1.5E+308",
                 "",
                 kDesign},
        DoseCase{"correction_entry_without_comma",
                 B,
                 {"150"},
                 {},
                 "190",
                 "0",
                 "0",
                 "",
                 "0",
                 "0",
                 kDesign},
        DoseCase{"weighting_entry_without_comma",
                 B,
                 {},
                 {"60"},
                 "0",
                 "75",
                 "",
                 "0",
                 "7.5",
                 "7.5",
                 kOver60},
        DoseCase{"empty_weighting_table_design_caption",
                 B,
                 BS,
                 {},
                 "190",
                 "75",
                 "2",
                 "",
                 "7.5",
                 "9.5",
                 kDesign},
        DoseCase{"unreadable_first_weighting_level",
                 B,
                 {},
                 {"1e999,1", "100,2"},
                 "0",
                 "50",
                 "",
                 "",
                 "5",
                 "",
                 kDesign},
        DoseCase{"unreadable_later_weighting_level_keeps_caption",
                 B,
                 {},
                 {"60,1", "1e999,2"},
                 "0",
                 "50",
                 "",
                 "",
                 "5",
                 "5",
                 kOver60}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CalculateDoses, RateCaptionsNameGramsPerUnit) {
    const DoseLabels labels = CalculateDoses(
        Tables(kBreakfastCarb, kBreakfastCorrection, kBreakfastWeighting), "190", "75");
    EXPECT_EQ(labels.Lab_cd1, "Dose for carbohydrate @ 1 unit per 10 grams.");
    EXPECT_EQ(labels.Lab_cd3, "1 Unit Insulin per 10 grms Carbohydrate");
    ASSERT_TRUE(labels.total.has_value());
    EXPECT_EQ(*labels.total, 10.5);
}

TEST(CalculateDoses, RateCaptionsWithoutGramsPerUnit) {
    const DoseLabels labels = CalculateDoses(DoseSettings{}, "0", "0");
    EXPECT_EQ(labels.Lab_cd1, "Dose for carbohydrate @ 1 unit per  grams.");
    EXPECT_EQ(labels.Lab_cd3, "1 Unit Insulin per  grms Carbohydrate");
}

TEST(CalculateDoses, RateCaptionsNormaliseTheEntry) {
    const DoseLabels labels = CalculateDoses(Tables({"012.50 g"}, {}, {}), "0", "25");
    EXPECT_EQ(labels.Lab_cd1, "Dose for carbohydrate @ 1 unit per 12.5 grams.");
    EXPECT_EQ(labels.Lab_cd2, "2");
}

TEST(CalculateDoses, NeverReadsPastTheCounts) {
    // State: slots hold rows beyond each count. Expected: only slots 1..count take part.
    DoseSettings settings = Tables({"10", "20"}, {"100,1", "150,2"}, {"50,1", "70,2"});
    settings.Counts.CarbDoseCount = 1;
    settings.Counts.CorrectionCount = 1;
    settings.Counts.WeightingCount = 1;
    const DoseLabels labels = CalculateDoses(settings, "200", "80");
    EXPECT_EQ(labels.Lab_bs2, "1");
    EXPECT_EQ(labels.Lab_cw2, "1");
    EXPECT_EQ(labels.Lab_cd2, "8");
}

struct RoundCase {
    const char *name;
    double value;
    double expected;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const RoundCase &c, std::ostream *os) {
    *os << c.name;
}

class RoundToHundredthsTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToHundredthsTest, RoundsTheExactBinaryValue) {
    const double rounded = RoundToHundredths(GetParam().value);
    if (std::isnan(GetParam().expected)) {
        EXPECT_TRUE(std::isnan(rounded));
    } else {
        EXPECT_EQ(rounded, GetParam().expected);
    }
}

constexpr double kTwo52 = 4503599627370496.0;

INSTANTIATE_TEST_SUITE_P(
    Values, RoundToHundredthsTest,
    ::testing::Values(
        RoundCase{"tie_to_even_down", 0.125, 0.12}, RoundCase{"tie_to_even_up", 0.375, 0.38},
        RoundCase{"tie_five_eighths", 0.625, 0.62}, RoundCase{"negative_tie", -0.125, -0.12},
        RoundCase{"repeating", 50.0 / 12.0, 4.17}, RoundCase{"binary_just_below_half", 2.675, 2.67},
        RoundCase{"binary_just_below_half_again", 1.005, 1.0},
        RoundCase{"binary_just_above_half", 0.135, 0.14},
        RoundCase{"binary_above_half_small", 0.005, 0.01},
        RoundCase{"binary_below_half_small", 0.015, 0.01},
        RoundCase{"already_two_decimals", 7.5, 7.5},
        RoundCase{"half_below_2_pow_52", kTwo52 - 0.5, kTwo52 - 0.5},
        RoundCase{"from_2_pow_52_unchanged", kTwo52 + 1.0, kTwo52 + 1.0},
        RoundCase{"huge_unchanged", 1e300, 1e300},
        RoundCase{"infinity_unchanged", std::numeric_limits<double>::infinity(),
                  std::numeric_limits<double>::infinity()},
        RoundCase{"nan_stays_nan", std::numeric_limits<double>::quiet_NaN(),
                  std::numeric_limits<double>::quiet_NaN()}),
    [](const auto &info) { return std::string(info.param.name); });

struct CaptionCase {
    const char *name;
    std::string level;
    std::string expected;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const CaptionCase &c, std::ostream *os) {
    *os << c.name;
}

class WeightingCaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(WeightingCaptionTest, DescribesFirstLevel) {
    EXPECT_EQ(WeightingCaption(GetParam().level), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, WeightingCaptionTest,
    ::testing::Values(CaptionCase{"whole", "60", kOver60},
                      CaptionCase{"normalised", "060.0", kOver60},
                      CaptionCase{"fraction", "7.5", "Weighting if over 7.5 grams"},
                      CaptionCase{"not_a_number", "abc", "Weighting if over 0 grams"},
                      CaptionCase{"unreadable", "1e999", kDesign}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace norvalis
