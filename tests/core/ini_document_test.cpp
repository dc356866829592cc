#include "core/ini_document.h"
#include "tests/core/named_cases.h"

#include <gtest/gtest.h>
#include <string>

namespace norvalis {
namespace {

using namespace testing;
using testing::operator<<; // a using-directive is not enough for the test lists

const std::string kBom = "\xEF\xBB\xBF";
const std::string kUtf8 = "Fr\303\274hst\303\274ck";
const std::string kLong(254, 'x');

struct ReadCase {
    std::string name, bytes, expected, section = "A", key = "k";
};

const ReadCase kReadCases[] = {
    {"names_ignore_ascii_case", "[period]\np_1=Lunch\n", "Lunch", "PERIOD", "P_1"},
    {"blanks_around_names_and_value", "  [ Tea time ]  \n\t k \t=  a b \n", "a b", "Tea time"},
    {"asked_names_trimmed", "[A]\nk=1\n", "1", " A ", " k\t"},
    {"crlf_line_endings", "[A]\r\nk=1\r\n", "1"},
    {"byte_order_mark", kBom + "[A]\nk=1\n", "1"},
    {"no_final_newline", "[A]\nk=1", "1"},
    {"double_quotes_removed", "[A]\nk=\"Lunch\"\n", "Lunch"},
    {"single_quotes_removed", "[A]\nk='Lunch'\n", "Lunch"},
    {"quotes_keep_inner_blanks", "[A]\nk=\" x \"\n", " x "},
    {"mismatched_quotes_kept", "[A]\nk=\"Lunch'\n", "\"Lunch'"},
    {"lone_quote_kept", "[A]\nk=\"\n", "\""},
    {"bare_key_is_empty", "[A]\nk\nk=2\n", ""},
    {"equals_inside_value", "[A]\nk=a=b\n", "a=b"},
    {"value_cut_to_254_bytes", "[A]\nk=" + kLong + "cut\n", kLong},
    {"quotes_removed_before_cut", "[A]\nk=\"" + kLong + "\"\n", kLong},
    {"first_duplicate_key_wins", "[A]\nk=1\nk=2\n", "1"},
    {"first_duplicate_section_wins", "[A]\nk=1\n[B]\n[a]\nk=3\n", "1"},
    {"later_duplicate_section_not_read", "[A]\nj=1\n[a]\nk=4\n", ""},
    {"lines_before_first_section_belong_to_none", "k=1\n[A]\n", ""},
    {"key_of_next_section_not_found", "[A]\n[B]\nk=1\n", ""},
    {"section_name_up_to_last_bracket", "[a]b]\nk=1\n", "1", "a]b"},
    {"text_after_bracket_ignored", "[A] old\nk=1\n", "1"},
    {"unclosed_header_not_a_section", "[A\nk=2\n", ""},
    {"utf8_names_pass_through", "[" + kUtf8 + "]\nk=10\n", "10", kUtf8},
    {"case_folding_is_ascii_only", "[\303\234BER]\nk=1\n", "", "\303\274ber"},
    {"empty_key_never_found", "[A]\n=1\n", "", "A", ""},
};

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, FindsValue) {
    const ReadCase &c = GetParam();
    EXPECT_EQ(IniDocument(c.bytes).Value(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Files, IniReadTest, ::testing::ValuesIn(kReadCases), CaseName());

const std::string kKept = "[A]\nk=0\n";

// after: the file once value is written; a file left as it was means the write is refused.
struct WriteCase {
    std::string name, before, after, section = "A", key = "k", value = "2";
};

const WriteCase kWriteCases[] = {
    {"replace_keeps_key_line_and_crlf", "[A]\r\n  K = 1 \r\n", "[A]\r\n  K=2\r\n", "a"},
    {"replace_first_duplicate_only", "[A]\nk=1\nk=9\n", "[A]\nk=2\nk=9\n"},
    {"replace_on_last_line_without_newline", "[A]\nk=1", "[A]\nk=2"},
    {"new_key_in_first_duplicate_section", "[A]\nx=1\n\n[A]\nk=1\n", "[A]\nx=1\nk=2\n\n[A]\nk=1\n"},
    {"new_key_after_last_entry_before_blanks", "[A]\nx=1\n\n\n[B]\n", "[A]\nx=1\nk=2\n\n\n[B]\n"},
    {"new_key_in_empty_section", "[A]\n[B]\n", "[A]\nk=2\n[B]\n"},
    {"new_key_without_final_newline", "[A]\nx=1", "[A]\nx=1\nk=2"},
    {"new_key_uses_crlf", "[A]\r\nx=1\r\n", "[A]\r\nx=1\r\nk=2\r\n"},
    {"new_section_after_one_blank_line", "[B]\nk=1\n", "[B]\nk=1\n\n[A]\nk=2\n"},
    {"new_section_after_existing_blank_line", "[B]\nk=1\n\n", "[B]\nk=1\n\n[A]\nk=2\n"},
    {"new_section_without_final_newline", "[B]\nk=1", "[B]\nk=1\n\n[A]\nk=2\n"},
    {"new_section_uses_crlf", "[B]\r\nk=1\r\n", "[B]\r\nk=1\r\n\r\n[A]\r\nk=2\r\n"},
    {"new_section_in_empty_file", "", "[A]\nk=2\n"},
    {"new_section_after_byte_order_mark", kBom, kBom + "[A]\nk=2\n"},
    {"new_section_trimmed_names", "", "[A]\nk=2\n", " A ", " k "},
    {"refused_line_feed_in_value", kKept, kKept, "A", "k", "1\n[B]"},
    {"refused_carriage_return_in_key", kKept, kKept, "A", "k\rj"},
    {"refused_nul_in_section", kKept, kKept, std::string("A\0B", 3)},
    {"refused_equals_in_key", kKept, kKept, "A", "k=j"},
    {"refused_key_starting_with_bracket", kKept, kKept, "A", "[k"},
    {"refused_blank_key", kKept, kKept, "A", "  "},
    {"refused_empty_section", kKept, kKept, ""},
};

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, ChangesOnlyWhatItMust) {
    const WriteCase &c = GetParam();
    IniDocument document(c.before);
    EXPECT_EQ(document.SetValue(c.section, c.key, c.value), c.after != c.before);
    EXPECT_EQ(document.Bytes(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Files, IniWriteTest, ::testing::ValuesIn(kWriteCases), CaseName());

} // namespace
} // namespace norvalis
