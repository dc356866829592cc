// The [Options] keys for active insulin and the low warning, as a hand-edited file has them.

#include "core/insulin_options.h"
#include "tests/core/named_cases.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace norvalis {
namespace {

using testing::operator<<;

struct ReadCase {
    std::string name;
    std::string options; // the lines of [Options]
    InsulinCurve curve;
    double hours;
    std::optional<double> lowBelow;
};

const ReadCase kReadCases[] = {
    {"nothing_set_gives_defaults", "", InsulinCurve::Rapid, 6, std::nullopt},
    {"curve_case_and_blanks_ignored", "insulincurve =  Ultra-Rapid \n", InsulinCurve::UltraRapid, 6,
     std::nullopt},
    {"unknown_curve_is_rapid", "InsulinCurve=fiasp\n", InsulinCurve::Rapid, 6, std::nullopt},
    {"decimal_hours", "InsulinHours=5.5\n", InsulinCurve::Rapid, 5.5, std::nullopt},
    {"shortest_hours", "InsulinHours=5\n", InsulinCurve::Rapid, 5, std::nullopt},
    {"longest_hours", "InsulinHours=8\n", InsulinCurve::Rapid, 8, std::nullopt},
    {"hours_below_range_ignored", "InsulinHours=4.99\n", InsulinCurve::Rapid, 6, std::nullopt},
    {"hours_above_range_ignored", "InsulinHours=8.01\n", InsulinCurve::Rapid, 6, std::nullopt},
    {"hours_no_number_ignored", "InsulinHours=six\n", InsulinCurve::Rapid, 6, std::nullopt},
    {"hours_beyond_range_ignored", "InsulinHours=1e999\n", InsulinCurve::Rapid, 6, std::nullopt},
    {"low_in_mmol", "LowBelow=3.9\n", InsulinCurve::Rapid, 6, 3.9},
    {"low_of_zero_is_off", "LowBelow=0\n", InsulinCurve::Rapid, 6, std::nullopt},
    {"low_no_number_is_off", "LowBelow=low\n", InsulinCurve::Rapid, 6, std::nullopt},
};

class InsulinOptionsReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(InsulinOptionsReadTest, ReadsTheKeys) {
    const ReadCase &c = GetParam();
    const InsulinOptions read =
        ReadInsulinOptions(IniDocument("[Period]\nP_1=Breakfast\n[Options]\n" + c.options));
    EXPECT_EQ(read.curve, c.curve);
    EXPECT_DOUBLE_EQ(read.hours, c.hours);
    EXPECT_EQ(read.lowBelow, c.lowBelow);
}

INSTANTIATE_TEST_SUITE_P(Files, InsulinOptionsReadTest, ::testing::ValuesIn(kReadCases),
                         testing::CaseName{});

struct HoursCase {
    std::string name;
    std::string text;
    OptionTextKind kind;
    std::string stored;
};

const HoursCase kHoursCases[] = {
    {"empty_means_the_default", "  ", OptionTextKind::Off, ""},
    {"whole_hours", "7", OptionTextKind::Number, "7"},
    {"decimal_hours_normalised", "6.50", OptionTextKind::Number, "6.5"},
    {"too_short", "4", OptionTextKind::OutOfRange, ""},
    {"too_long", "9", OptionTextKind::OutOfRange, ""},
    {"negative", "-6", OptionTextKind::OutOfRange, ""},
    {"no_number", "h", OptionTextKind::NoNumber, ""},
};

class InsulinHoursTextTest : public ::testing::TestWithParam<HoursCase> {};

TEST_P(InsulinHoursTextTest, WhatTheBoxMeans) {
    const OptionText read = ReadInsulinHoursText(GetParam().text);
    EXPECT_EQ(read.kind, GetParam().kind);
    EXPECT_EQ(read.stored, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Texts, InsulinHoursTextTest, ::testing::ValuesIn(kHoursCases),
                         testing::CaseName{});

struct LowCase {
    std::string name;
    double reading, lowBelow;
    bool low;
};

const LowCase kLowCases[] = {
    {"just_below_is_low", 69.9, 70, true},      {"at_the_limit_is_not", 70, 70, false},
    {"smallest_reading_is_low", 0.1, 70, true}, {"no_reading_is_not", 0, 70, false},
    {"negative_is_not", -5, 70, false},         {"mmol_just_below", 3.8, 3.9, true},
};

class LowReadingTest : public ::testing::TestWithParam<LowCase> {};

TEST_P(LowReadingTest, Edges) {
    EXPECT_EQ(IsLowReading(GetParam().reading, GetParam().lowBelow), GetParam().low);
}

INSTANTIATE_TEST_SUITE_P(Readings, LowReadingTest, ::testing::ValuesIn(kLowCases),
                         testing::CaseName{});

TEST(LowReadingLine, NamesTheLimitAsTyped) {
    EXPECT_EQ(LowReadingLine(3.9), "Below your low limit of 3.9 \xE2\x80\x94 treat the low first");
}

} // namespace
} // namespace norvalis
