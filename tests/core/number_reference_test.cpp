// Checks the number reader and writer against the C library's own conversions (in the "C"
// locale) on many generated values, so the fast paths cannot drift from the general rules.
#include "core/leading_number.h"
#include "core/number_text.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace norvalis {
namespace {

constexpr int kSamples = 20000;

std::string PrintfText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    for (char &c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return text == "-0" ? "0" : text;
}

TEST(NumberTextReference, MatchesPrintfOnRandomBitPatterns) {
    std::mt19937_64 random(20240601);
    int compared = 0;
    while (compared < kSamples) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) {
            continue;
        }
        ASSERT_EQ(NumberText(value), PrintfText(value)) << std::hexfloat << value;
        ++compared;
    }
}

TEST(NumberTextReference, MatchesPrintfOnDoseLikeValues) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> mantissa(-2'000'000'000, 2'000'000'000);
    std::uniform_int_distribution<int> scale(0, 20);
    for (int i = 0; i < kSamples; ++i) {
        const double value = static_cast<double>(mantissa(random)) / std::pow(10.0, scale(random));
        ASSERT_EQ(NumberText(value), PrintfText(value)) << std::hexfloat << value;
    }
}

TEST(NumberTextReference, MatchesPrintfAroundPowersOfTen) {
    for (int exponent = -30; exponent <= 30; ++exponent) {
        const double power = std::pow(10.0, exponent);
        for (double value : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300),
                             -power, power * 1.5, power * 9.999999999999999}) {
            ASSERT_EQ(NumberText(value), PrintfText(value)) << std::hexfloat << value;
        }
    }
}

std::string Digits(std::mt19937_64 &random, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) {
        digits += static_cast<char>('0' + random() % 10);
    }
    return digits;
}

TEST(LeadingNumberReference, MatchesStrtodOnGeneratedDecimals) {
    std::mt19937_64 random(99);
    for (int i = 0; i < kSamples; ++i) {
        std::string text;
        if (random() % 3 == 0) {
            text += random() % 2 ? '-' : '+';
        }
        text += Digits(random, static_cast<int>(random() % 20));
        if (random() % 2) {
            text += '.';
            text += Digits(random, static_cast<int>(random() % 20));
        }
        if (random() % 4 == 0) {
            text += random() % 2 ? 'e' : 'E';
            text += random() % 2 ? "-" : "";
            text += std::to_string(random() % 400);
        }
        const std::string tail = random() % 2 ? ",5" : "x";
        const double expected = std::strtod(text.c_str(), nullptr);
        const std::optional<double> value = LeadingNumber(text + tail);
        if (std::isinf(expected)) {
            EXPECT_FALSE(value.has_value()) << text;
        } else {
            ASSERT_TRUE(value.has_value()) << text;
            ASSERT_EQ(*value, expected) << text;
        }
    }
}

} // namespace
} // namespace norvalis
