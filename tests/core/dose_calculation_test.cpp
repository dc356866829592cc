#include "core/dose_calculation.h"
#include "core/number_text.h"
#include "tests/core/named_cases.h"
#include "tests/core/table_text.h"

#include <gtest/gtest.h>
#include <string>

namespace norvalis {
namespace {

using namespace testing;
using testing::operator<<; // a using-directive is not enough for the test lists

// The breakfast tables of the example settings file.
const std::string kBreakfast = "CD=10 BS=140,1|180,2|220,3 CW=60,1|100,2";

// doses: "Lab_bs2|Lab_cw2|Lab_cd2|Lab_tot2"; Lab_cw1 is "Weighting if over <overLevel> grams".
struct DoseCase {
    std::string name, tables, bloodSugar, carbs, doses, overLevel;
};

const DoseCase kDoseCases[] = {
    {"worked_example", kBreakfast, "190", "75", "2|1|7.5|10.5", "60"},
    {"nothing_applies_caption_still_set", kBreakfast, "120", "50", "||5|5", "60"},
    {"reading_equal_to_level_ends_walk", kBreakfast, "180", "0", "1||0|1", "60"},
    {"all_levels_below_reading", kBreakfast, "500", "0", "3||0|3", "60"},
    {"unsorted_walk_stops_at_first", "CD=10 BS=200,3|100,1", "150", "0", "||0|0", "?"},
    {"unsorted_last_passed_applies", "CD=10 BS=200,3|100,1", "250", "0", "1||0|1", "?"},
    {"last_carb_entry_wins", "CD=10|15", "0", "45", "||3|3", "?"},
    {"tie_rounds_down_to_even", "CD=12", "0", "1.5", "||0.12|0.12", "?"},
    {"tie_rounds_up_to_even", "CD=12", "0", "4.5", "||0.38|0.38", "?"},
    {"repeating_quotient_rounded", "CD=12", "0", "50", "||4.17|4.17", "?"},
    {"decimal_tie_binary_below", "CD=1", "0", "2.675", "||2.67|2.67", "?"},
    {"tiny_negative_carbs_blank", "CD=10 BS=140,1", "190", "-0.01", "1|||", "?"},
    {"minus_zero_carbs_is_zero", "CD=10", "0", "-0", "||0|0", "?"},
    {"negative_grams_blank", "CD=-10 BS=140,1", "190", "50", "1|||", "?"},
    {"minus_zero_grams_blank", "CD=-0", "0", "50", "|||", "?"},
    {"negative_grams_zero_carbs", "CD=-10", "0", "0", "||0|0", "?"},
    {"negative_correction_dose_kept", "CD=10 BS=0,-1", "50", "20", "-1||2|1", "?"},
    {"negative_weighting_dose_kept", "CD=10 CW=10,-0.5", "0", "20", "|-0.5|2|1.5", "10"},
    {"huge_quotient_kept", "CD=1", "0", "1e300", "||1E+300|1E+300", "?"},
    {"total_shows_15_digits", "CD=10 BS=0,0.2", "5", "1", "0.2||0.1|0.3", "?"},
    {"reading_with_unit", "CD=10 BS=8,1|10,2", "8.5 mmol", "0", "1||0|1", "?"},
    {"carbs_not_a_number", kBreakfast, "190", "abc", "2||0|2", "60"},
    {"blank_after_entry_comma", "CD=10 BS=120, 1.5", "190", "0", "1.5||0|1.5", "?"},
    {"entry_dose_holds_comma", "CD=10 BS=150,2,7", "190", "0", "2||0|2", "?"},
    {"entry_level_not_a_number", "CD=10 CW=abc,2", "0", "5", "|2|0.5|2.5", "0"},
    {"entry_without_comma_gives_dose_0", "CD=10 BS=150", "190", "0", "0||0|0", "?"},
    {"zero_carbs_with_zero_grams", "CD=0", "0", "0", "||0|0", "?"},
    {"carbs_without_carb_table", "BS=140,1", "190", "75", "1|||", "?"},
    {"carbs_with_zero_grams", "CD=0 BS=140,1", "190", "50", "1|||", "?"},
    {"carbs_with_unreadable_grams", "CD=1e999", "0", "50", "|||", "?"},
    {"unreadable_grams_before_last_unused", "CD=1e999|10", "0", "50", "||5|5", "?"},
    {"unreadable_carbs", kBreakfast, "190", "1e999", "2|||", "60"},
    {"unreadable_reading", "CD=10 BS=140,1|180,2|220,3", "1e999", "50", "||5|", "?"},
    {"unreadable_reading_not_needed", "CD=10", "1e999", "50", "||5|5", "?"},
    {"unreadable_level_reached", "CD=10 BS=140,1|1e999,2", "190", "0", "||0|", "?"},
    {"unreadable_level_not_reached", "CD=10 BS=140,1|1e999,2", "100", "0", "||0|0", "?"},
    {"unreadable_dose_passed_over", "CD=10 BS=140,1e999|180,2", "190", "0", "2||0|2", "?"},
    {"unreadable_dose_chosen", "CD=10 BS=140,1e999|180,2", "150", "0", "||0|", "?"},
    {"unreadable_first_weighting_level", "CD=10 CW=1e999,1", "0", "50", "||5|", "?"},
    {"quotient_beyond_range", "CD=1e-300", "0", "1e300", "|||", "?"},
    {"total_beyond_range", "CD=1 BS=0,1.5e308", "1", "1.5e308", "1.5E+308||1.5E+308|", "?"},
};

class CalculateDosesTest : public ::testing::TestWithParam<DoseCase> {};

TEST_P(CalculateDosesTest, ShowsDoses) {
    const DoseCase &c = GetParam();
    const DoseLabels labels = CalculateDoses(TablesFrom(c.tables), c.bloodSugar, c.carbs);
    EXPECT_EQ(labels.Lab_bs2 + "|" + labels.Lab_cw2 + "|" + labels.Lab_cd2 + "|" + labels.Lab_tot2,
              c.doses);
    EXPECT_EQ(labels.Lab_cw1, "Weighting if over " + c.overLevel + " grams");
    EXPECT_EQ(NumberText(labels.total), labels.Lab_tot2) << "the returned total disagrees";
}

INSTANTIATE_TEST_SUITE_P(Tables, CalculateDosesTest, ::testing::ValuesIn(kDoseCases), CaseName());

TEST(CalculateDoses, RateCaptionsShowGramsPerUnit) {
    const DoseLabels labels = CalculateDoses(TablesFrom("CD=012.50g"), "0", "0");
    EXPECT_EQ(labels.Lab_cd1, "Dose for carbohydrate @ 1 unit per 12.5 grams.");
    EXPECT_EQ(labels.Lab_cd3, "1 Unit Insulin per 12.5 grms Carbohydrate");
}

TEST(CalculateDoses, NeverReadsPastTheCounts) {
    DoseSettings settings = TablesFrom("CD=10|20 BS=100,1|150,2 CW=50,1|70,2");
    settings.Counts = {0, 1, 1, 1};
    const DoseLabels labels = CalculateDoses(settings, "200", "80");
    EXPECT_EQ(labels.Lab_bs2 + " " + labels.Lab_cw2 + " " + labels.Lab_cd2, "1 1 8");
}

} // namespace
} // namespace norvalis
