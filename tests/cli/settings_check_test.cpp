#include "settings_check.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace norvalis::cli {
namespace {

struct CheckCase {
    const char *name;
    std::string file;
    std::vector<std::string> findings; // "section, key: problem" prefixes, in order
};

void PrintTo(const CheckCase &c, std::ostream *os) {
    *os << c.name;
}

class CheckSettingsTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckSettingsTest, ReportsWhatTheProgramWouldTripOver) {
    const std::vector<Finding> findings = CheckSettings(IniDocument(GetParam().file));
    ASSERT_EQ(findings.size(), GetParam().findings.size());
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const std::string line = FindingLine(findings[i]);
        EXPECT_TRUE(line.starts_with(GetParam().findings[i])) << line;
        EXPECT_NE(line.find("; "), std::string::npos) << "no consequence in: " << line;
    }
}

// Names match whatever their case; keys that are not table keys are left alone.
const std::string kClean = "[Period]\nP_1=Breakfast\nP_2=lunch\n[Breakfast]\nCD_1=10\nBS_1=140,1\n"
                           "BS_2=180,2\nCW_1=60,1\nNote=kept by hand\n[Lunch]\nCD_1=12\n";

// A period without a section and a key after a gap: see the process test's "check_findings".
// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, CheckSettingsTest, ::testing::Values(
    CheckCase{"clean_file", kClean, {}},
    CheckCase{"unlisted_section_not_checked", "[Period]\n[B]\nBS_1=150\n", {}},
    CheckCase{"period_listed_twice", "[Period]\nP_1=Lunch\nP_2=LUNCH\n[Lunch]\n", {"Period, P_2: period \"LUNCH\" is listed again (first as P_1)"}},
    CheckCase{"period_after_gap", "[Period]\nP_1=A\nP_3=B\n[A]\n", {"Period, P_3: comes after P_2"}},
    CheckCase{"entry_without_comma", "[Period]\nP_1=A\n[A]\nBS_1=150\n", {"A, BS_1: entry \"150\" has no comma"}},
    CheckCase{"levels_not_rising", "[Period]\nP_1=A\n[A]\nCW_1=100,2\nCW_2=60,1\nCW_3=100,3\nCW_4=120,4\n",
              {"A, CW_2: level 60 is not above level 100 of CW_1", "A, CW_3: level 100 is not above level 100 of CW_1"}},
    CheckCase{"key_above_twelve", "[Period]\nP_1=A\n[A]\nCD_13=10\n", {"A, CD_13: the index is above 12"}},
    CheckCase{"key_with_leading_zero", "[Period]\nP_1=A\n[A]\nCD_1=10\nCD_02=12\n", {"A, CD_02: not a key the program reads"}},
    CheckCase{"repeated_key", "[Period]\nP_1=A\n[A]\nCD_1=10\ncd_1=12\n", {"A, cd_1: the key appears again"}},
    CheckCase{"grams_per_unit_zero", "[Period]\nP_1=A\n[A]\nCD_1=0\n", {"A, CD_1: grams per unit \"0\" reads as 0"}},
    CheckCase{"unreadable_numbers", "[Period]\nP_1=A\n[A]\nCD_1=1e999\nBS_1=1,1e999\nCW_1=1e999,1\nCW_2=5,1\n",
              {"A, CD_1: grams per unit \"1e999\" is beyond", "A, BS_1: dose \"1e999\" is beyond", "A, CW_1: level \"1e999\" is beyond"}},
    CheckCase{"repeated_section", "[Period]\nP_1=A\n[A]\nCD_1=1\n[a]\n", {"a, [a]: the section appears again on line 5 (first on line 3)"}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace norvalis::cli
