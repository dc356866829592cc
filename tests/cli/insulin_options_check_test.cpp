// check on the [Options] keys for active insulin and the low warning: what the program ignores
// is named with its line; what it uses is not reported.

#include "insulin_options_check.h"
#include "tests/core/named_cases.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvalis::cli {
namespace {

using norvalis::testing::operator<<;

struct OptionsCheckCase {
    std::string name;
    std::string options;           // the lines after "[Options]" on line 3
    std::vector<std::string> keys; // the keys reported, in order
    std::vector<int> lines;
};

class InsulinOptionsCheckTest : public ::testing::TestWithParam<OptionsCheckCase> {};

TEST_P(InsulinOptionsCheckTest, ReportsWhatIsIgnored) {
    const std::vector<Finding> findings =
        CheckInsulinOptions(IniDocument("[Period]\nP_1=A\n[Options]\n" + GetParam().options));
    std::vector<std::string> keys;
    std::vector<int> lines;
    for (const Finding &finding : findings) {
        keys.push_back(finding.key);
        lines.push_back(finding.line);
        EXPECT_EQ(finding.section, "Options");
        EXPECT_FALSE(finding.consequence.empty());
    }
    EXPECT_EQ(keys, GetParam().keys);
    EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, InsulinOptionsCheckTest,
    ::testing::Values(
        OptionsCheckCase{
            "all_usable", "InsulinCurve=ultra-rapid\nInsulinHours=5.5\nLowBelow=3.9\n", {}, {}},
        OptionsCheckCase{"empty_values_mean_defaults", "InsulinHours=\nLowBelow=\n", {}, {}},
        OptionsCheckCase{"unknown_curve", "InsulinCurve=fiasp\n", {"InsulinCurve"}, {4}},
        OptionsCheckCase{
            "hours_out_of_range", "PenStep=1\nInsulinHours=8.5\n", {"InsulinHours"}, {5}},
        OptionsCheckCase{"hours_no_number", "insulinhours=long\n", {"insulinhours"}, {4}},
        OptionsCheckCase{"low_not_above_zero", "LowBelow=0\n", {"LowBelow"}, {4}},
        OptionsCheckCase{
            "first_line_of_a_repeated_key_counts", "InsulinHours=7\nInsulinHours=99\n", {}, {}},
        OptionsCheckCase{"all_three",
                         "LowBelow=x\nInsulinCurve=slow\nInsulinHours=4\n",
                         {"InsulinCurve", "InsulinHours", "LowBelow"},
                         {5, 6, 4}}),
    norvalis::testing::CaseName());

} // namespace
} // namespace norvalis::cli
