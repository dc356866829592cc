#include "core/dose_settings.h"
#include "core/leading_number.h"
#include "core/table_entry.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace norvalis {
namespace {

struct SplitCase {
    const char *name;
    std::string entry;
    std::string level;
    std::string dose;
    double levelValue;
    double doseValue;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const SplitCase &c, std::ostream *os) {
    *os << c.name;
}

class SplitEntryTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitEntryTest, SplitsAtFirstComma) {
    const SplitCase &c = GetParam();
    const EntryParts parts = SplitEntry(c.entry);
    EXPECT_EQ(parts.level, c.level);
    EXPECT_EQ(parts.dose, c.dose);
    EXPECT_EQ(LeadingNumber(parts.level), c.levelValue);
    EXPECT_EQ(LeadingNumber(parts.dose), c.doseValue);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SplitEntryTest,
    ::testing::Values(SplitCase{"plain", "150,2", "150", "2", 150, 2},
                      SplitCase{"blank_after_comma", "120, 1.5", "120", " 1.5", 120, 1.5},
                      SplitCase{"dose_holds_comma", "150,2,7", "150", "2,7", 150, 2},
                      SplitCase{"level_not_a_number", "abc,2", "abc", "2", 0, 2},
                      SplitCase{"no_comma_is_level_with_dose_zero", "150", "150", "", 150, 0},
                      SplitCase{"empty_dose", "150,", "150", "", 150, 0},
                      SplitCase{"empty_level", ",3", "", "3", 0, 3}),
    [](const auto &info) { return std::string(info.param.name); });

TextTable TableWith(std::initializer_list<std::pair<int, const char *>> slots) {
    TextTable table;
    for (const auto &[index, text] : slots) {
        table[static_cast<std::size_t>(index)] = text;
    }
    return table;
}

struct CountCase {
    const char *name;
    TextTable table;
    int expected;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const CountCase &c, std::ostream *os) {
    *os << c.name;
}

class LeadingEntryCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(LeadingEntryCountTest, CountsLeadingNonEmptySlots) {
    EXPECT_EQ(LeadingEntryCount(GetParam().table), GetParam().expected);
}

TextTable FullTable() {
    TextTable table;
    for (int i = 1; i <= kTableSlots; ++i) {
        table[static_cast<std::size_t>(i)] = std::to_string(i);
    }
    return table;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, LeadingEntryCountTest,
    ::testing::Values(CountCase{"empty", TextTable{}, 0}, CountCase{"all_twelve", FullTable(), 12},
                      CountCase{"gap_at_three", TableWith({{1, "a"}, {2, "b"}, {4, "d"}}), 2},
                      CountCase{"slot_zero_never_counts", TableWith({{0, "x"}}), 0},
                      CountCase{"first_slot_empty", TableWith({{2, "b"}, {3, "c"}}), 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DoseSettings, StartsEmpty) {
    const DoseSettings settings;
    EXPECT_EQ(settings.Counts.PeriodCount, 0);
    EXPECT_EQ(settings.Counts.CarbDoseCount, 0);
    EXPECT_EQ(settings.Counts.CorrectionCount, 0);
    EXPECT_EQ(settings.Counts.WeightingCount, 0);
    for (const TextTable *table : {&settings.CorrectionTable, &settings.CarbDoseTable,
                                   &settings.WeightingTable, &settings.PeriodList}) {
        for (const std::string &slot : *table) {
            EXPECT_TRUE(slot.empty());
        }
    }
}

TEST(DoseSettings, SharedInstanceIsOneObject) {
    EXPECT_EQ(&SharedDoseSettings(), &SharedDoseSettings());
}

} // namespace
} // namespace norvalis
