#include "core/leading_number.h"
#include "core/number_text.h"
#include "tests/core/locale_guard.h"

#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>
#include <tuple>

namespace norvalis {
namespace {

struct WriteCase {
    const char *name;
    double value;
    std::string expected;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const WriteCase &c, std::ostream *os) {
    *os << c.name;
}

const WriteCase kWriteCases[] = {
    {"whole", 5.0, "5"},
    {"half", 0.5, "0.5"},
    {"two_decimals", 12.25, "12.25"},
    {"negative", -3.0, "-3"},
    {"rounded_dose", 4.17, "4.17"},
    {"one_third", 1.0 / 3.0, "0.333333333333333"},
    {"two_thirds_rounds_up", 2.0 / 3.0, "0.666666666666667"},
    {"sum_with_binary_error", 0.1 + 0.2, "0.3"},
    {"whole_keeps_its_zeros", 100.0, "100"},
    {"zero", 0.0, "0"},
    {"negative_zero", -0.0, "0"},
    {"largest_fixed", 999999999999999.0, "999999999999999"},
    {"exponent_from_1e15", 1e15, "1E+15"},
    {"exponent_rounded_mantissa", 1234567890123456.0, "1.23456789012346E+15"},
    {"three_digit_exponent", 1e100, "1E+100"},
    {"smallest_fixed", 0.0001, "0.0001"},
    {"small_fixed", 0.00012345, "0.00012345"},
    {"exponent_below_ten_thousandth", 1.5e-5, "1.5E-05"},
    {"negative_small", -1.5e-7, "-1.5E-07"},
    {"infinity", std::numeric_limits<double>::infinity(), ""},
    {"not_a_number", std::numeric_limits<double>::quiet_NaN(), ""},
};

class NumberTextTest : public ::testing::TestWithParam<std::tuple<std::string, WriteCase>> {
protected:
    void SetUp() override {
        const std::string &locale = std::get<0>(GetParam());
        if (locale != "C" && !locale_.Use(locale)) {
            GTEST_SKIP() << locale << " is not installed";
        }
    }
    testing::LocaleGuard locale_;
};

TEST_P(NumberTextTest, WritesTheNumber) {
    const WriteCase &c = std::get<1>(GetParam());
    EXPECT_EQ(NumberText(c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, NumberTextTest,
    ::testing::Combine(::testing::Values(std::string("C"),
                                         std::string(testing::kCommaDecimalLocale)),
                       ::testing::ValuesIn(kWriteCases)),
    [](const auto &info) {
        const std::string locale = std::get<0>(info.param) == "C" ? "C" : "comma_decimal";
        return locale + "_" + std::get<1>(info.param).name;
    });

TEST(NumberText, ValueNeverSetIsEmpty) {
    EXPECT_EQ(NumberText(std::optional<double>()), "");
}

struct NormaliseCase {
    const char *name;
    std::string text;
    std::string expected;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const NormaliseCase &c, std::ostream *os) {
    *os << c.name;
}

class NormalisedNumberTextTest : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(NormalisedNumberTextTest, Normalises) {
    EXPECT_EQ(NormalisedNumberText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NormalisedNumberTextTest,
    ::testing::Values(NormaliseCase{"leading_zero", "05", "5"},
                      NormaliseCase{"trailing_zero", "1.50", "1.5"},
                      NormaliseCase{"letters_after", "12abc", "12"},
                      NormaliseCase{"letters_only", "abc", "0"}, NormaliseCase{"empty", "", "0"},
                      NormaliseCase{"comma_decimal_typed", "2,5", "2"},
                      NormaliseCase{"exponent", "1.5e-5", "1.5E-05"},
                      NormaliseCase{"unreadable_kept", "1e999", "1e999"},
                      NormaliseCase{"unreadable_kept_trimmed", " 1e999\t", "1e999"}),
    [](const auto &info) { return std::string(info.param.name); });

// Writing a number and reading it back gives the number rounded to 15 digits, so a stored
// table entry keeps its value through a save and a load.
TEST(NumberText, ReadsBackThroughLeadingNumber) {
    for (double value : {0.1, 12.25, -3.5, 1e15, 1.5e-5, 123456.789, 4.17}) {
        const std::optional<double> back = LeadingNumber(NumberText(value));
        ASSERT_TRUE(back.has_value()) << value;
        EXPECT_EQ(*back, value) << NumberText(value);
    }
}

} // namespace
} // namespace norvalis
