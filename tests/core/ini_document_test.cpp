#include "core/ini_document.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace norvalis {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

struct ReadCase {
    const char *name;
    std::string bytes;
    std::string section;
    std::string key;
    std::string expected;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const ReadCase &c, std::ostream *os) {
    *os << c.name;
}

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, FindsValue) {
    const ReadCase &c = GetParam();
    EXPECT_EQ(IniDocument(c.bytes).Value(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniReadTest,
    ::testing::Values(
        ReadCase{"plain", "[Period]\nP_1=Breakfast\n", "Period", "P_1", "Breakfast"},
        ReadCase{"names_ignore_ascii_case", "[period]\np_1=Lunch\n", "PERIOD", "P_1", "Lunch"},
        ReadCase{"blanks_around_names_and_value", "  [ Period ]  \n\t P_1 \t=  Tea time \n",
                 "Period", "P_1", "Tea time"},
        ReadCase{"asked_names_trimmed", "[A]\nk=1\n", " A ", " k\t", "1"},
        ReadCase{"crlf_line_endings", "[Period]\r\nP_1=Lunch\r\n", "Period", "P_1", "Lunch"},
        ReadCase{"byte_order_mark", kBom + "[Period]\nP_1=A\n", "Period", "P_1", "A"},
        ReadCase{"no_final_newline", "[A]\nk=1", "A", "k", "1"},
        ReadCase{"double_quotes_removed", "[A]\nk=\"Lunch\"\n", "A", "k", "Lunch"},
        ReadCase{"single_quotes_removed", "[A]\nk='Lunch'\n", "A", "k", "Lunch"},
        ReadCase{"quotes_keep_inner_blanks", "[A]\nk=\" x \"\n", "A", "k", " x "},
        ReadCase{"mismatched_quotes_kept", "[A]\nk=\"Lunch'\n", "A", "k", "\"Lunch'"},
        ReadCase{"lone_quote_kept", "[A]\nk=\"\n", "A", "k", "\""},
        ReadCase{"inner_quotes_kept", "[A]\nk=a\"b\"\n", "A", "k", "a\"b\""},
        ReadCase{"bare_key_is_empty", "[A]\nk\nj=2\n", "A", "k", ""},
        ReadCase{"equals_inside_value", "[A]\nk=a=b\n", "A", "k", "a=b"},
        ReadCase{"blank_inside_key", "[A]\nmy key = v\n", "A", "my key", "v"},
        ReadCase{"value_cut_to_254_bytes", "[A]\nk=" + std::string(300, 'x') + "\n", "A", "k",
                 std::string(254, 'x')},
        ReadCase{"value_of_254_bytes_whole", "[A]\nk=" + std::string(254, 'y') + "\n", "A", "k",
                 std::string(254, 'y')},
        ReadCase{"quotes_removed_before_cut", "[A]\nk=\"" + std::string(254, 'z') + "\"\n", "A",
                 "k", std::string(254, 'z')},
        ReadCase{"first_duplicate_key_wins", "[A]\nk=1\nk=2\n", "A", "k", "1"},
        ReadCase{"first_duplicate_section_wins", "[A]\nk=1\n[B]\n[a]\nk=3\n", "A", "k", "1"},
        ReadCase{"later_duplicate_section_not_read", "[A]\nk=1\n[a]\nj=4\n", "A", "j", ""},
        ReadCase{"lines_before_first_section_belong_to_none", "k=1\n[A]\n", "A", "k", ""},
        ReadCase{"key_of_next_section_not_found", "[A]\n[B]\nk=1\n", "A", "k", ""},
        ReadCase{"missing_section", "[A]\nk=1\n", "B", "k", ""},
        ReadCase{"missing_key", "[A]\nk=1\n", "A", "j", ""},
        ReadCase{"empty_file", "", "A", "k", ""},
        ReadCase{"section_name_up_to_last_bracket", "[a]b]\nk=1\n", "a]b", "k", "1"},
        ReadCase{"text_after_bracket_ignored", "[A] old\nk=1\n", "A", "k", "1"},
        ReadCase{"unclosed_header_starts_no_section", "[A]\nk=1\n[B\nk=2\n", "A", "k", "1"},
        ReadCase{"unclosed_header_not_a_section", "[B\nk=2\n", "B", "k", ""},
        ReadCase{"utf8_names_pass_through",
                 "[Fr\xC3\xBChst\xC3\xBC"
                 "ck]\nCD_1=10\n",
                 "Fr\xC3\xBChst\xC3\xBC"
                 "ck",
                 "CD_1", "10"},
        ReadCase{"case_folding_is_ascii_only",
                 "[\xC3\x9C"
                 "BER]\nk=1\n",
                 "\xC3\xBC"
                 "ber",
                 "k", ""},
        ReadCase{"ascii_letters_fold_beside_utf8",
                 "[\xC3\x9C"
                 "BER]\nk=1\n",
                 "\xC3\x9C"
                 "ber",
                 "k", "1"},
        ReadCase{"empty_key_never_found", "[A]\n=1\n", "A", "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

struct WriteCase {
    const char *name;
    std::string before;
    std::string section;
    std::string key;
    std::string value;
    std::string after;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const WriteCase &c, std::ostream *os) {
    *os << c.name;
}

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, ChangesOnlyWhatItMust) {
    const WriteCase &c = GetParam();
    IniDocument document(c.before);
    ASSERT_TRUE(document.SetValue(c.section, c.key, c.value));
    EXPECT_EQ(document.Bytes(), c.after);
    EXPECT_EQ(document.Value(c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniWriteTest,
    ::testing::Values(
        WriteCase{"replace_keeps_key_spelling_and_crlf", "[Period]\r\np_1 = Old\r\nP_2=B\r\n",
                  "PERIOD", "P_1", "New", "[Period]\r\np_1=New\r\nP_2=B\r\n"},
        WriteCase{"replace_keeps_indentation", "[A]\n  k=1\nj=2\n", "A", "k", "2",
                  "[A]\n  k=2\nj=2\n"},
        WriteCase{"replace_bare_key", "[A]\nk\n", "A", "k", "2", "[A]\nk=2\n"},
        WriteCase{"replace_first_duplicate_only", "[A]\nk=1\nk=9\n", "A", "k", "2",
                  "[A]\nk=2\nk=9\n"},
        WriteCase{"replace_drops_trailing_blanks_keeps_crlf", "[A]\r\nk=1  \r\n", "A", "k", "2",
                  "[A]\r\nk=2\r\n"},
        WriteCase{"replace_on_last_line_without_newline", "[A]\nk=1", "A", "k", "22", "[A]\nk=22"},
        WriteCase{"replace_keeps_byte_order_mark", kBom + "[A]\nk=1\n", "A", "k", "2",
                  kBom + "[A]\nk=2\n"},
        WriteCase{"replace_keeps_other_lines", "; note\n[A]\n# keep me\nk=1\n\n[B]\nk=1\n", "A",
                  "k", "2", "; note\n[A]\n# keep me\nk=2\n\n[B]\nk=1\n"},
        WriteCase{"new_key_in_first_duplicate_section", "[A]\nx=1\n\n[A]\nk=1\n", "a", "k", "2",
                  "[A]\nx=1\nk=2\n\n[A]\nk=1\n"},
        WriteCase{"new_key_after_last_entry_before_blanks", "[A]\nk=1\n\n\n[B]\nj=1\n", "A", "m",
                  "5", "[A]\nk=1\nm=5\n\n\n[B]\nj=1\n"},
        WriteCase{"new_key_in_empty_section", "[A]\n[B]\n", "A", "k", "1", "[A]\nk=1\n[B]\n"},
        WriteCase{"new_key_without_final_newline", "[A]\nk=1", "A", "m", "2", "[A]\nk=1\nm=2"},
        WriteCase{"new_key_uses_crlf", "[A]\r\nk=1\r\n", "A", "m", "2", "[A]\r\nk=1\r\nm=2\r\n"},
        WriteCase{"new_key_not_before_first_section", "k=1\n[A]\n", "A", "k", "2",
                  "k=1\n[A]\nk=2\n"},
        WriteCase{"new_section_after_one_blank_line", "[A]\nk=1\n", "B", "j", "2",
                  "[A]\nk=1\n\n[B]\nj=2\n"},
        WriteCase{"new_section_after_existing_blank_line", "[A]\nk=1\n\n", "B", "j", "2",
                  "[A]\nk=1\n\n[B]\nj=2\n"},
        WriteCase{"new_section_without_final_newline", "[A]\nk=1", "B", "j", "2",
                  "[A]\nk=1\n\n[B]\nj=2\n"},
        WriteCase{"new_section_uses_crlf", "[A]\r\nk=1\r\n", "B", "j", "2",
                  "[A]\r\nk=1\r\n\r\n[B]\r\nj=2\r\n"},
        WriteCase{"new_section_in_empty_file", "", "B", "j", "2", "[B]\nj=2\n"},
        WriteCase{"new_section_after_byte_order_mark", kBom, "B", "j", "2", kBom + "[B]\nj=2\n"},
        WriteCase{"new_section_trimmed_name", "", " B ", " j ", "2", "[B]\nj=2\n"},
        WriteCase{"new_section_utf8_name", "",
                  "Fr\xC3\xBChst\xC3\xBC"
                  "ck",
                  "CD_1", "10",
                  "[Fr\xC3\xBChst\xC3\xBC"
                  "ck]\nCD_1=10\n"},
        WriteCase{"section_name_with_bracket_round_trips", "", "Lunch]", "k", "1",
                  "[Lunch]]\nk=1\n"},
        WriteCase{"empty_value", "[A]\nk=1\n", "A", "k", "", "[A]\nk=\n"}),
    [](const auto &info) { return std::string(info.param.name); });

struct RefusedCase {
    const char *name;
    std::string section;
    std::string key;
    std::string value;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const RefusedCase &c, std::ostream *os) {
    *os << c.name;
}

class IniRefusedWriteTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(IniRefusedWriteTest, ChangesNothing) {
    const RefusedCase &c = GetParam();
    const std::string before = "[A]\nk=1\n";
    IniDocument document(before);
    EXPECT_FALSE(document.SetValue(c.section, c.key, c.value));
    EXPECT_EQ(document.Bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(Names, IniRefusedWriteTest,
                         ::testing::Values(RefusedCase{"line_feed_in_value", "A", "k", "1\n[B]"},
                                           RefusedCase{"carriage_return_in_value", "A", "k",
                                                       "1\r2"},
                                           RefusedCase{"nul_in_value", "A", "k",
                                                       std::string("1\0"
                                                                   "2",
                                                                   3)},
                                           RefusedCase{"line_feed_in_key", "A", "k\nj", "1"},
                                           RefusedCase{"line_feed_in_section", "A\nB", "k", "1"},
                                           RefusedCase{"equals_in_key", "A", "k=j", "1"},
                                           RefusedCase{"key_starting_with_bracket", "A", "[k", "1"},
                                           RefusedCase{"empty_key", "A", "", "1"},
                                           RefusedCase{"blank_key", "A", "  ", "1"},
                                           RefusedCase{"empty_section", "", "k", "1"}),
                         [](const auto &info) { return std::string(info.param.name); });

struct RemoveCase {
    const char *name;
    std::string before;
    std::string section;
    std::string key;
    bool removed;
    std::string after;
};

// Test names come from the case names; print those instead of raw bytes.
void PrintTo(const RemoveCase &c, std::ostream *os) {
    *os << c.name;
}

class IniRemoveTest : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(IniRemoveTest, RemovesEveryLineOfTheKeyInTheFoundSection) {
    const RemoveCase &c = GetParam();
    IniDocument document(c.before);
    EXPECT_EQ(document.RemoveKey(c.section, c.key), c.removed);
    EXPECT_EQ(document.Bytes(), c.after);
    EXPECT_EQ(document.Value(c.section, c.key), "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniRemoveTest,
    ::testing::Values(RemoveCase{"all_duplicates_in_section", "[A]\nk=1\nj=2\nK=3\n[B]\nk=4\n", "a",
                                 "k", true, "[A]\nj=2\n[B]\nk=4\n"},
                      RemoveCase{"crlf_kept_elsewhere", "[A]\r\nk=1\r\nj=2\r\n", "A", "k", true,
                                 "[A]\r\nj=2\r\n"},
                      RemoveCase{"last_line_without_newline", "[A]\nj=2\nk=1", "A", "k", true,
                                 "[A]\nj=2\n"},
                      RemoveCase{"missing_key", "[A]\nj=2\n", "A", "k", false, "[A]\nj=2\n"},
                      RemoveCase{"missing_section", "[B]\nk=2\n", "A", "k", false, "[B]\nk=2\n"},
                      RemoveCase{"only_first_duplicate_section", "[A]\nk=1\n[A]\nk=2\n", "A", "k",
                                 true, "[A]\n[A]\nk=2\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(IniDocument, ListsSectionsInFileOrderWithDuplicates) {
    const IniDocument document("k=0\n[A]\nk=\"1\"\n\n[B]\n[a]\nj\n");
    const std::vector<IniDocument::Section> sections = document.Sections();
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].name, "A");
    EXPECT_EQ(sections[0].lineNumber, 2);
    ASSERT_EQ(sections[0].entries.size(), 1u);
    EXPECT_EQ(sections[0].entries[0].key, "k");
    EXPECT_EQ(sections[0].entries[0].value, "1");
    EXPECT_EQ(sections[0].entries[0].lineNumber, 3);
    EXPECT_TRUE(sections[1].entries.empty());
    EXPECT_EQ(sections[2].name, "a");
    ASSERT_EQ(sections[2].entries.size(), 1u);
    EXPECT_EQ(sections[2].entries[0].lineNumber, 7);
    EXPECT_TRUE(document.HasSection("b"));
    EXPECT_FALSE(document.HasSection("C"));
}

} // namespace
} // namespace norvalis
