#include "json_text.h"
#include "tests/core/named_cases.h"

#include <gtest/gtest.h>
#include <string>

namespace norvalis::cli {
namespace {

using norvalis::testing::operator<<; // names the cases in the test lists

struct EscapeCase {
    const char *name;
    std::string text;
    std::string json;
};

class JsonStringTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(JsonStringTest, Escapes) {
    EXPECT_EQ(JsonString(GetParam().text), GetParam().json);
}

// Valid UTF-8 passes through; a byte outside it becomes \ufffd so the output always parses.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, JsonStringTest, ::testing::Values(
    EscapeCase{"quote_and_backslash", "Tea \"a\\b\"", "\"Tea \\\"a\\\\b\\\"\""},
    EscapeCase{"control_characters", std::string("\0\t\n\r\x1f", 5), "\"\\u0000\\u0009\\u000a\\u000d\\u001f\""},
    EscapeCase{"utf8_two_three_four_bytes", "\xC3\xBC \xE2\x82\xAC \xF0\x9F\x8D\x9E", "\"\xC3\xBC \xE2\x82\xAC \xF0\x9F\x8D\x9E\""},
    EscapeCase{"latin1_byte", "Caf\xE9", "\"Caf\\ufffd\""},
    EscapeCase{"truncated_sequence", "\xE2\x82", "\"\\ufffd\\ufffd\""},
    EscapeCase{"overlong_form", "\xC0\xAF", "\"\\ufffd\\ufffd\""},
    EscapeCase{"surrogate", "\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},
    EscapeCase{"beyond_unicode", "\xF4\x90\x80\x80", "\"\\ufffd\\ufffd\\ufffd\\ufffd\""}),
    norvalis::testing::CaseName());
// clang-format on

} // namespace
} // namespace norvalis::cli
