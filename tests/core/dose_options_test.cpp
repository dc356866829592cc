#include "core/dose_options.h"
#include "core/ini_document.h"
#include "tests/core/named_cases.h"
#include "tests/core/table_text.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace norvalis {
namespace {

using testing::operator<<;

// total and step as a person types them; expected is the pen dose, or nullopt for none.
struct PenCase {
    std::string name;
    double total, step;
    std::optional<double> expected;
};

const PenCase kPenCases[] = {
    {"exact_multiple_kept", 11.5, 0.5, 11.5},
    {"below_half_goes_down", 11.2, 0.5, 11.0},
    {"above_half_goes_up", 11.3, 0.5, 11.5},
    {"exact_tie_goes_down", 11.25, 0.5, 11.0},
    {"tie_stored_just_below_goes_down", 1.15, 0.1, 1.1},
    {"tie_stored_just_above_goes_down", 0.45, 0.1, 0.4},
    {"tie_of_sum_goes_down", 0.1 + 0.2 + 0.05, 0.1, 0.3},
    {"tie_quotient_just_above_goes_down", 1.05, 0.3, 0.9},
    {"larger_tie_quotient_just_above_goes_down", 13.05, 0.3, 12.9},
    {"near_tie_well_above_goes_up", 1.1500001, 0.1, 1.2},
    {"step_larger_than_total_tie", 0.5, 1, 0.0},
    {"step_larger_than_total_up", 0.6, 1, 1.0},
    {"zero_step_gives_none", 5, 0, std::nullopt},
    {"negative_step_gives_none", 5, -0.5, std::nullopt},
    {"infinite_total_gives_none", 1e308 * 10, 0.5, std::nullopt},
};

class PenDoseTest : public ::testing::TestWithParam<PenCase> {};

TEST_P(PenDoseTest, RoundsToTheStepWithTiesDown) {
    const PenCase &c = GetParam();
    const std::optional<double> dose = PenDose(c.total, c.step);
    ASSERT_EQ(dose.has_value(), c.expected.has_value());
    if (dose) {
        EXPECT_DOUBLE_EQ(*dose, *c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, PenDoseTest, ::testing::ValuesIn(kPenCases), testing::CaseName{});

// The total is compared as the window shows it, to 15 digits.
TEST(Ceiling, ComparesTheShownTotal) {
    EXPECT_FALSE(AboveMaximum(19.5, 20));
    EXPECT_FALSE(AboveMaximum(20, 20));
    EXPECT_TRUE(AboveMaximum(20.01, 20));
    EXPECT_FALSE(AboveMaximum(0.1 + 0.2, 0.3));
    EXPECT_FALSE(AboveMaximum(-1, 20));
}

// file: the [Options] section's lines; penStep and maxDose: expected, nullopt for off.
struct OptionsCase {
    std::string name, file;
    std::optional<double> penStep, maxDose;
};

const OptionsCase kOptionsCases[] = {
    {"both_set", "[Options]\nPenStep=0.5\nMaxDose=20\n", 0.5, 20},
    {"names_any_case", "[options]\npenstep=1\nMAXDOSE=12.5\n", 1, 12.5},
    {"unit_after_number", "[Options]\nPenStep=0.5 units\n", 0.5, std::nullopt},
    {"zero_is_off", "[Options]\nPenStep=0\nMaxDose=0\n", std::nullopt, std::nullopt},
    {"negative_is_off", "[Options]\nPenStep=-1\nMaxDose=-5\n", std::nullopt, std::nullopt},
    {"out_of_range_is_off", "[Options]\nMaxDose=1e999\n", std::nullopt, std::nullopt},
    {"other_section_ignored", "[Breakfast]\nPenStep=0.5\n", std::nullopt, std::nullopt},
};

class ReadOptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(ReadOptionsTest, ReadsOnlyUsableValues) {
    const OptionsCase &c = GetParam();
    const DoseOptions options = ReadDoseOptions(IniDocument(c.file));
    EXPECT_EQ(options.penStep, c.penStep);
    EXPECT_EQ(options.maxDose, c.maxDose);
}

INSTANTIATE_TEST_SUITE_P(Files, ReadOptionsTest, ::testing::ValuesIn(kOptionsCases),
                         testing::CaseName{});

struct BoxCase {
    std::string name, text;
    OptionTextKind kind;
    std::string stored;
};

const BoxCase kBoxCases[] = {
    {"blanks_are_off", "  \t", OptionTextKind::Off, ""},
    {"number_normalised", " 0.50 ", OptionTextKind::Number, "0.5"},
    {"number_with_unit", "20 units", OptionTextKind::Number, "20"},
    {"leading_point", ".5", OptionTextKind::Number, "0.5"},
    {"word_refused", "half", OptionTextKind::NoNumber, ""},
    {"zero_refused", "0", OptionTextKind::NotPositive, ""},
    {"negative_refused", "-0.5", OptionTextKind::NotPositive, ""},
    {"beyond_range_refused", "1e999", OptionTextKind::OutOfRange, ""},
};

class OptionTextTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(OptionTextTest, SortsTheBoxText) {
    const BoxCase &c = GetParam();
    const OptionText read = ReadOptionText(c.text);
    EXPECT_EQ(read.kind, c.kind);
    EXPECT_EQ(read.stored, c.stored);
}

INSTANTIATE_TEST_SUITE_P(Boxes, OptionTextTest, ::testing::ValuesIn(kBoxCases),
                         testing::CaseName{});

TEST(DoseOptionLines, ShowNumbersAsTheWindowDoes) {
    EXPECT_EQ(PenDoseLine(11.5), "Pen dose: 11.5");
    EXPECT_EQ(PenDoseLine(6), "Pen dose: 6");
    EXPECT_EQ(AboveMaximumLine(20),
              "Above your maximum of 20 units \xE2\x80\x94 check the numbers");
}

// periods: the P_ entries in order; kept: what the list holds afterwards.
struct ReservedCase {
    std::string name, periods, kept;
};

const ReservedCase kReservedCases[] = {
    {"no_reserved_name", "P=Breakfast|Lunch", "P=Breakfast|Lunch"},
    {"reserved_in_middle", "P=Breakfast|Options|Supper", "P=Breakfast|Supper"},
    {"reserved_any_case_and_blanks", "P= OPTIONS |Lunch", "P=Lunch"},
    {"only_reserved", "P=options", ""},
    {"longer_name_kept", "P=Options2|My Options", "P=Options2|My Options"},
};

class ReservedPeriodTest : public ::testing::TestWithParam<ReservedCase> {};

TEST_P(ReservedPeriodTest, DropsOnlyTheOptionsSection) {
    DoseSettings settings = testing::TablesFrom(GetParam().periods);
    DropReservedPeriods(settings);
    EXPECT_EQ(testing::TablesText(settings), GetParam().kept);
    // Nothing is left behind the new count for a later walk to find.
    EXPECT_EQ(settings.PeriodList[static_cast<std::size_t>(settings.Counts.PeriodCount) + 1], "");
}

INSTANTIATE_TEST_SUITE_P(Lists, ReservedPeriodTest, ::testing::ValuesIn(kReservedCases),
                         testing::CaseName{});

} // namespace
} // namespace norvalis
