#include "core/leading_number.h"
#include "core/number_text.h"
#include "tests/core/named_cases.h"

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale>
#include <optional>
#include <random>
#include <string>

namespace norvalis {
namespace {

using namespace testing;
using testing::operator<<; // a using-directive is not enough for the test lists

// Runs check under "C" and under a comma-decimal locale (CI generates it): the full stop stays
// the decimal point in both. It ends in "C" again, as every other test expects.
template <class Check> void InEachLocale(Check check) {
    for (const char *locale : {"C", "de_DE.UTF-8", "C"}) {
        if (std::setlocale(LC_ALL, locale) == nullptr) {
            GTEST_SKIP() << locale << " is not installed";
        }
        std::locale::global(std::locale(locale));
        SCOPED_TRACE(locale);
        check();
    }
}

// normalised: NormalisedNumberText(text), the number as every box shows it; value: nullopt
// when the number is beyond the double range; hasNumber: whether the 0 (or any value) read
// comes from a number at the start rather than from the want of one.
struct NumberCase {
    std::string name, text, normalised;
    std::optional<double> value;
    bool hasNumber = true;
};

const NumberCase kNumberCases[] = {
    {"digits_then_letters", "190abc", "190", 190.0},
    {"unit_after_blank", "7.5 mmol", "7.5", 7.5},
    {"comma_ends_number", "1,5", "1", 1.0},
    {"blank_inside_number_skipped", "1 2", "12", 12.0},
    {"letters_only", "abc", "0", 0.0, false},
    {"empty", "", "0", 0.0, false},
    {"sign_alone", "-", "0", 0.0, false},
    {"point_alone", ".", "0", 0.0, false},
    {"sign_point_digit", "+.5", "0.5", 0.5},
    {"blank_after_point", ". 5", "0.5", 0.5},
    {"hex_mark_without_digits", "&H", "0", 0.0, false},
    {"hex_mark_then_letter", "&Hx1", "0", 0.0, false},
    {"sign_before_hex_mark", "-&H1", "0", 0.0, false},
    {"octal_mark_then_eight", "&O8", "0", 0.0, false},
    {"sign_then_blank", "- 7", "-7", -7.0},
    {"d_exponent", "1d3", "1000", 1000.0},
    {"leading_blank_tab_line_feed", " \t\n42", "42", 42.0},
    {"carriage_return_not_skipped", "\r5", "0", 0.0, false},
    {"hex_lower_case", "&h1f", "31", 31.0},
    {"hex_sixteen_bits_stays_positive", "&HFFFF", "65535", 65535.0},
    {"octal_stops_at_eight", "&o178", "15", 15.0},
    {"octal_64_bits", "&O1777777777777777777777", "1.84467440737096E+19", 18446744073709551615.0},
    {"unknown_ampersand_prefix", "&X1", "0", 0.0, false},
    {"negative_zero_is_plain_zero", "-0", "0", 0.0},
    {"spaced_negative_zero_is_plain_zero", "- 0", "0", 0.0},
    // Rounded toward zero: the nearest 15 digits would read back as beyond the range.
    {"largest_double", "1.7976931348623157e308", "1.79769313486231E+308", 1.7976931348623157e308},
    {"largest_negative_double", "-1.7976931348623157e308", "-1.79769313486231E+308",
     -1.7976931348623157e308},
    {"beyond_range_kept_as_typed", " 1e999\t", "1e999", std::nullopt},
    {"huge_exponent_digits", "1e99999999999999999999", "1e99999999999999999999", std::nullopt},
    {"many_digits_beyond_range", std::string(400, '9'), std::string(400, '9'), std::nullopt},
    {"hex_beyond_range", "&H" + std::string(300, 'F'), "&H" + std::string(300, 'F'), std::nullopt},
    {"underflow_huge_negative_exponent", "5e-99999999999999999999", "0", 0.0},
    {"zero_with_huge_exponent", "0e99999", "0", 0.0},
    {"long_zero_run_after_point", "0." + std::string(400, '0') + "1e401", "1", 1.0},
};

class NumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberTest, ReadsAndShowsTheLeadingNumber) {
    InEachLocale([this] {
        const std::optional<double> value = LeadingNumber(GetParam().text);
        ASSERT_EQ(value.has_value(), GetParam().value.has_value());
        if (value) {
            EXPECT_EQ(*value, *GetParam().value);
            EXPECT_FALSE(std::signbit(*value) && *value == 0.0) << "-0 divides to -infinity";
        }
        EXPECT_EQ(NormalisedNumberText(GetParam().text), GetParam().normalised);
        EXPECT_EQ(StartsWithNumber(GetParam().text), GetParam().hasNumber);
    });
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberTest, ::testing::ValuesIn(kNumberCases), CaseName());

// The reader's and writer's fast paths checked against the C library on many values.
TEST(NumberTextReference, MatchesPrintf) {
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 20000; ++i) {
        const double power = std::pow(10.0, i % 61 - 30);
        for (double value : {std::bit_cast<double>(random()), (random() % 4'000'000'000) / power,
                             power, std::nextafter(power, 0.0), std::nextafter(power, 1e300)}) {
            char printed[64];
            std::snprintf(printed, sizeof printed, "%.15G", value);
            const std::string expected = !std::isfinite(value) ? "" : value == 0 ? "0" : printed;
            const std::string text = NumberText(value);
            // Every number written reads back as a number.
            ASSERT_TRUE(!std::isfinite(value) || LeadingNumber(text).has_value()) << text;
            if (std::fabs(value) <= 1.79769313486231e308) {
                ASSERT_EQ(text, expected) << std::hexfloat << value;
            }
        }
    }
}

TEST(LeadingNumberReference, MatchesStrtod) {
    std::mt19937_64 random(99);
    const std::string pieces[] = {"-", "+", ".", "e", "E-", "0", "7", "308", "12345678901234567"};
    for (int i = 0; i < 50000; ++i) {
        std::string text;
        for (auto n = random() % 9; n > 0; --n) {
            text += pieces[random() % std::size(pieces)];
        }
        const double expected = std::strtod(text.c_str(), nullptr);
        const std::optional<double> value = LeadingNumber(text + ",5");
        ASSERT_EQ(value.has_value(), !std::isinf(expected)) << text;
        if (value) {
            ASSERT_EQ(*value, expected) << text;
        }
    }
}

} // namespace
} // namespace norvalis
