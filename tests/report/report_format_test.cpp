#include "core/glucose_options.h"
#include "report/stats/report_format.h"
#include "tests/core/named_cases.h"
#include "tests/core/scratch_directory.h"

#include <clocale>
#include <gtest/gtest.h>

namespace {

using norvalis::GlucoseUnits;
using norvalis::testing::CaseName;
using norvalis::testing::operator<<;

struct ShownCase {
    std::string name;
    std::optional<double> value;
    GlucoseUnits units;
    std::string glucose;
    std::string percent;
};

class ShownFigures : public ::testing::TestWithParam<ShownCase> {};

TEST_P(ShownFigures, RoundedAsThePagesShowThem) {
    const ShownCase &c = GetParam();
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        std::setlocale(LC_ALL, locale);
        EXPECT_EQ(report::GlucoseText(c.value, c.units), c.glucose) << locale;
        EXPECT_EQ(report::PercentText(c.value), c.percent) << locale;
    }
    std::setlocale(LC_ALL, "C");
}

INSTANTIATE_TEST_SUITE_P(
    Report, ShownFigures,
    ::testing::Values(
        ShownCase{"half_rounds_up_not_to_even", 120.5, GlucoseUnits::MgPerDl, "121", "120.5"},
        ShownCase{"mmol_keeps_one_decimal", 7.25, GlucoseUnits::MmolPerL, "7.3", "7.3"},
        ShownCase{"whole_mmol_shows_its_decimal", 6, GlucoseUnits::MmolPerL, "6.0", "6.0"},
        ShownCase{"tiny_negative_is_not_minus_zero", -0.04, GlucoseUnits::MmolPerL, "0.0", "0.0"},
        ShownCase{"no_value_is_empty", std::nullopt, GlucoseUnits::MgPerDl, "", ""},
        ShownCase{"third_of_readings", 100.0 / 3, GlucoseUnits::MgPerDl, "33", "33.3"}),
    CaseName());

struct UnitsCase {
    std::string name;
    std::string text;
    std::optional<GlucoseUnits> expected;
};

class UnitsText : public ::testing::TestWithParam<UnitsCase> {};

TEST_P(UnitsText, ReadsOnlyTheTwoUnits) {
    EXPECT_EQ(norvalis::ParseGlucoseUnits(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Report, UnitsText,
    ::testing::Values(UnitsCase{"mg_as_written", "mg/dL", GlucoseUnits::MgPerDl},
                      UnitsCase{"mmol_other_case_and_blanks", " MMOL/l ", GlucoseUnits::MmolPerL},
                      UnitsCase{"empty_is_unset", "", std::nullopt},
                      UnitsCase{"mg_alone_is_not_a_unit", "mg", std::nullopt},
                      UnitsCase{"a_number_is_not_a_unit", "18", std::nullopt}),
    CaseName());

struct TargetCase {
    std::string name;
    std::string low;
    std::string high;
    std::optional<norvalis::TargetRangeProblem> expected;
};

class TargetRangeRefusals : public ::testing::TestWithParam<TargetCase> {};

TEST_P(TargetRangeRefusals, RefusesWhatCannotBeARange) {
    EXPECT_EQ(norvalis::CheckTargetRange(GetParam().low, GetParam().high), GetParam().expected);
}

using Problem = norvalis::TargetRangeProblem;
INSTANTIATE_TEST_SUITE_P(
    Report, TargetRangeRefusals,
    ::testing::Values(TargetCase{"ordered_pair_is_kept", "80", "160", std::nullopt},
                      TargetCase{"both_empty_means_defaults", "", "", std::nullopt},
                      TargetCase{"low_equal_to_high", "100", "100", Problem::LowNotBelowHigh},
                      TargetCase{"low_above_high", "10", "3.9", Problem::LowNotBelowHigh},
                      TargetCase{"low_without_number", "low", "180", Problem::LowNoNumber},
                      TargetCase{"high_without_number", "70", "x180", Problem::HighNoNumber},
                      TargetCase{"low_zero", "0", "180", Problem::LowNotPositive},
                      TargetCase{"high_negative", "70", "-5", Problem::HighNotPositive},
                      TargetCase{"beyond_double_range", "70", "1e999", Problem::TooLarge}),
    CaseName());

TEST(GlucoseOptions, StoredRangeOutOfOrderFallsBackToTheDefaults) {
    const norvalis::IniDocument file(
        "[Options]\nGlucoseUnits=mmol/L\nTargetLow=12\nTargetHigh=5\n");
    const norvalis::GlucoseOptions options = norvalis::ReadGlucoseOptions(file);
    EXPECT_EQ(options.units, GlucoseUnits::MmolPerL);
    const norvalis::TargetRange range =
        norvalis::EffectiveTargetRange(options, GlucoseUnits::MmolPerL);
    EXPECT_DOUBLE_EQ(range.low, 3.9);
    EXPECT_DOUBLE_EQ(range.high, 10.0);
}

TEST(GlucoseOptions, OneStoredEndKeepsTheOtherDefault) {
    const norvalis::IniDocument file("[Options]\nTargetHigh=160\n");
    const norvalis::TargetRange range =
        norvalis::EffectiveTargetRange(norvalis::ReadGlucoseOptions(file), GlucoseUnits::MgPerDl);
    EXPECT_DOUBLE_EQ(range.low, 70);
    EXPECT_DOUBLE_EQ(range.high, 160);
}

TEST(GlucoseOptions, StoringTheUnitsKeepsEveryOtherLine) {
    norvalis::testing::ScratchDirectory dir;
    const std::string path = dir.File("Norvalis.ini");
    norvalis::testing::WriteFile(path, "; my tables\r\n[Period]\r\nP_1=Breakfast\r\n"
                                       "[Options]\r\nPenStep=0.5\r\n");
    ASSERT_TRUE(norvalis::StoreGlucoseUnits(path, GlucoseUnits::MmolPerL).ok);
    EXPECT_EQ(norvalis::testing::ReadFile(path),
              "; my tables\r\n[Period]\r\nP_1=Breakfast\r\n"
              "[Options]\r\nPenStep=0.5\r\nGlucoseUnits=mmol/L\r\n");
}

} // namespace
