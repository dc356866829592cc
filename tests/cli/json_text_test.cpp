#include "json_text.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace norvalis::cli {
namespace {

struct EscapeCase {
    const char *name;
    std::string text;
    std::string json;
};

void PrintTo(const EscapeCase &c, std::ostream *os) {
    *os << c.name;
}

class JsonStringTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(JsonStringTest, Escapes) {
    EXPECT_EQ(JsonString(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonStringTest,
    ::testing::Values(EscapeCase{"plain", "Breakfast", "\"Breakfast\""},
                      EscapeCase{"empty", "", "\"\""},
                      EscapeCase{"quote", "Tea \"time\"", "\"Tea \\\"time\\\"\""},
                      EscapeCase{"backslash", "a\\b", "\"a\\\\b\""},
                      EscapeCase{"slash_unchanged", "a/b", "\"a/b\""},
                      EscapeCase{"control_characters", std::string("\t\n\r\x01\x1f", 5),
                                 "\"\\u0009\\u000a\\u000d\\u0001\\u001f\""},
                      EscapeCase{"nul_byte", std::string("a\0b", 3), "\"a\\u0000b\""},
                      EscapeCase{"delete_passes", "\x7f", "\"\x7f\""},
                      EscapeCase{"two_byte_utf8",
                                 "Fr\xC3\xBChst\xC3\xBC"
                                 "ck",
                                 "\"Fr\xC3\xBChst\xC3\xBC"
                                 "ck\""},
                      EscapeCase{"three_byte_utf8", "\xE2\x82\xAC", "\"\xE2\x82\xAC\""},
                      EscapeCase{"four_byte_utf8", "\xF0\x9F\x8D\x9E", "\"\xF0\x9F\x8D\x9E\""},
                      EscapeCase{"latin1_byte_replaced", "Caf\xE9", "\"Caf\\ufffd\""},
                      EscapeCase{"truncated_sequence_replaced", "\xE2\x82", "\"\\ufffd\\ufffd\""},
                      EscapeCase{"overlong_replaced", "\xC0\xAF", "\"\\ufffd\\ufffd\""},
                      EscapeCase{"surrogate_replaced", "\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},
                      EscapeCase{"beyond_unicode_replaced", "\xF4\x90\x80\x80",
                                 "\"\\ufffd\\ufffd\\ufffd\\ufffd\""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JsonStringArray, JoinsWithCommas) {
    EXPECT_EQ(JsonStringArray({}), "[]");
    EXPECT_EQ(JsonStringArray({"140,1", "a\"b"}), "[\"140,1\",\"a\\\"b\"]");
}

} // namespace
} // namespace norvalis::cli
