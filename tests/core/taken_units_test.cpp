// What a typed "taken" amount is recorded as, and which amounts are refused.

#include "core/taken_units.h"
#include "tests/core/named_cases.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace norvalis {
namespace {

using testing::operator<<;

struct TakenCase {
    std::string name;
    std::string text;
    std::optional<double> units;
    std::string problem;
};

const TakenCase kTakenCases[] = {
    {"whole_units", "6", 6.0, ""},
    {"decimal_with_unit_word", "6.5 units", 6.5, ""},
    {"zero_is_a_dose_of_nothing", "0", 0.0, ""},
    {"negative_zero_is_zero", "-0", 0.0, ""},
    {"the_most_allowed", "1000000", 1e6, ""},
    {"empty", "", std::nullopt, "is empty"},
    {"blanks_only", " \t", std::nullopt, "is empty"},
    {"no_number", "six", std::nullopt, "does not start with a number"},
    {"comma_decimal_reads_whole_part", "6,5", 6.0, ""},
    {"negative", "-1", std::nullopt, "is below 0"},
    {"above_the_most", "1000000.5", std::nullopt, "is above 1000000 units"},
    {"beyond_the_number_range", "1e999", std::nullopt, "is too large a number"},
};

class TakenUnitsTest : public ::testing::TestWithParam<TakenCase> {};

TEST_P(TakenUnitsTest, ReadsOrRefuses) {
    const TakenUnits read = ReadTakenUnits(GetParam().text);
    EXPECT_EQ(read.units, GetParam().units);
    EXPECT_EQ(read.problem, GetParam().problem);
    if (read.units) {
        EXPECT_FALSE(std::signbit(*read.units));
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, TakenUnitsTest, ::testing::ValuesIn(kTakenCases),
                         testing::CaseName{});

} // namespace
} // namespace norvalis
