#include "core/leading_number.h"
#include "tests/core/locale_guard.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>

namespace norvalis {
namespace {

struct ReadCase {
    const char *name;
    std::string text;
    std::optional<double> expected; // nullopt: beyond the double range
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const ReadCase &c, std::ostream *os) {
    *os << c.name;
}

const ReadCase kReadCases[] = {
    // Examples every user-facing box relies on.
    {"digits_then_letters", "190abc", 190.0},
    {"unit_after_blank", "7.5 mmol", 7.5},
    {"comma_ends_number", "1,5", 1.0},
    {"blank_inside_number_skipped", "1 2", 12.0},
    {"exponent", "1e3", 1000.0},
    {"letters_only", "abc", 0.0},
    {"empty", "", 0.0},
    // Signs and points.
    {"negative", "-3", -3.0},
    {"explicit_plus", "+4.5", 4.5},
    {"point_first", ".5", 0.5},
    {"trailing_point", "5.", 5.0},
    {"negative_point_first", "-.25", -0.25},
    {"second_point_ends_number", "1.2.3", 1.2},
    {"two_signs", "--5", 0.0},
    {"plus_minus", "+-5", 0.0},
    {"lone_point", ".", 0.0},
    {"lone_minus", "-", 0.0},
    {"sign_then_blank", "- 7", -7.0},
    {"third_comma_field_ignored", "3,5,7", 3.0},
    {"letters_inside", "12abc3", 12.0},
    // Exponents: E or D, either case, only with digits after.
    {"exponent_without_digits", "1e", 1.0},
    {"exponent_sign_without_digits", "1e+", 1.0},
    {"negative_exponent", "1E-2", 0.01},
    {"d_exponent", "1d3", 1000.0},
    {"upper_d_negative_exponent", "2D-1", 0.2},
    {"exponent_without_mantissa", "e5", 0.0},
    {"zero_with_huge_exponent", "0e99999", 0.0},
    {"blank_inside_exponent", "1 e 2", 100.0},
    // Only blank, tab and line feed are skipped.
    {"leading_blank_tab_line_feed", " \t\n42", 42.0},
    {"blanks_everywhere", "4 2 . 5", 42.5},
    {"carriage_return_not_skipped", "\r5", 0.0},
    {"non_breaking_space_not_skipped",
     "\xC2\xA0"
     "5",
     0.0},
    // &H and &O prefixes.
    {"hex_upper", "&H1F", 31.0},
    {"hex_lower", "&h1f", 31.0},
    {"hex_sixteen_bits_stays_positive", "&HFFFF", 65535.0},
    {"hex_with_blanks", "& H 1F", 31.0},
    {"hex_without_digits", "&H", 0.0},
    {"hex_stops_at_point", "&H10.8", 16.0},
    {"octal", "&O17", 15.0},
    {"octal_lower", "&o777", 511.0},
    {"octal_stops_at_eight", "&O178", 15.0},
    {"octal_invalid_digit_only", "&O8", 0.0},
    {"octal_sixty_four_bits", "&O1777777777777777777777", 18446744073709551615.0},
    {"unknown_ampersand_prefix", "&X1", 0.0},
    {"sign_before_hex", "-&H1", 0.0},
    // The edges of the double range.
    {"largest_double", "1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"beyond_range", "1e999", std::nullopt},
    {"beyond_range_negative", "-1e999", std::nullopt},
    {"huge_exponent_digits", "1e99999999999999999999", std::nullopt},
    {"just_beyond_range", "1.8e308", std::nullopt},
    {"many_digits_beyond_range", std::string(400, '9'), std::nullopt},
    {"hex_beyond_range", "&H" + std::string(300, 'F'), std::nullopt},
    {"underflow_reads_zero", "1e-999", 0.0},
    {"underflow_huge_negative_exponent", "5e-99999999999999999999", 0.0},
    {"subnormal_kept", "1e-310", 1e-310},
    {"long_fraction", "0." + std::string(400, '0') + "1e401", 1.0},
    {"long_zero_run_then_digit", "0.1" + std::string(300, '0') + "1", 0.1},
};

class LeadingNumberTest : public ::testing::TestWithParam<std::tuple<std::string, ReadCase>> {
protected:
    void SetUp() override {
        const std::string &locale = std::get<0>(GetParam());
        if (locale != "C" && !locale_.Use(locale)) {
            GTEST_SKIP() << locale << " is not installed";
        }
    }
    testing::LocaleGuard locale_;
};

TEST_P(LeadingNumberTest, ReadsTheLeadingNumber) {
    const ReadCase &c = std::get<1>(GetParam());
    const std::optional<double> value = LeadingNumber(c.text);
    ASSERT_EQ(value.has_value(), c.expected.has_value());
    if (value) {
        EXPECT_EQ(*value, *c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LeadingNumberTest,
    ::testing::Combine(::testing::Values(std::string("C"),
                                         std::string(testing::kCommaDecimalLocale)),
                       ::testing::ValuesIn(kReadCases)),
    [](const auto &info) {
        const std::string locale = std::get<0>(info.param) == "C" ? "C" : "comma_decimal";
        return locale + "_" + std::get<1>(info.param).name;
    });

TEST(LeadingNumber, NegativeZeroReadsAsPlainZero) {
    // A later division by this must not give minus infinity.
    const std::optional<double> value = LeadingNumber("-0");
    ASSERT_TRUE(value.has_value());
    EXPECT_FALSE(std::signbit(*value));
}

} // namespace
} // namespace norvalis
