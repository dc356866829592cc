#include "core/ini_document.h"
#include "tests/core/named_cases.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvalis {
namespace {

using namespace testing;
using testing::operator<<; // a using-directive is not enough for the test lists

const std::string kBom = "\xEF\xBB\xBF";
const std::string kUtf8 = "Fr\303\274hst\303\274ck";
const std::string kLong(254, 'x');
// Breakfast in German, as the Windows version writes it (Windows-1252) and in UTF-8.
const std::string kCp1252Name = "Fr\xFChst\xFC" + std::string("ck");
const std::string kCp1252Upper = "FR\xDCHST\xDC" + std::string("CK");
const std::string kUtf8Upper = "FR\303\234HST\303\234CK";
const std::string kEAcute = "\303\251";

struct ReadCase {
    std::string name, bytes, expected, section = "A", key = "k";
};

// clang-format off
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
    {"later_duplicate_section_not_read", "[A]\nj=1\n[a]\nk=4\n", ""},
    {"lines_before_first_section_belong_to_none", "k=1\n[A]\n", ""},
    {"key_of_next_section_not_found", "[A]\n[B]\nk=1\n", ""},
    {"section_name_up_to_last_bracket", "[a]b]\nk=1\n", "1", "a]b"},
    {"text_after_bracket_ignored", "[A] old\nk=1\n", "1"},
    {"unclosed_header_not_a_section", "[A\nk=2\n", ""},
    {"utf8_names_pass_through", "[" + kUtf8 + "]\nk=10\n", "10", kUtf8},
    {"latin_letters_fold", "[\303\234BER]\nk=1\n", "1", "\303\274ber"},
    {"cp1252_section_and_value", "[" + kCp1252Upper + "]\nk=" + kCp1252Name + "\n", kUtf8, kUtf8},
    {"cp1252_key_folds", "[A]\n" + kCp1252Upper + "=1\n\xFF\n", "1", "A", kUtf8},
    {"cp1252_s_caron_folds", "[\x8A]\nk=\x80\n", "\342\202\254", "\305\241"},
    {"cp1252_undefined_bytes_kept", "[A]\nk=\x81\x9D\n", "\302\201\302\235"},
    {"invalid_utf8_read_as_cp1252", "[A]\nk=\xC3\n", "\303\203"},
    {"bom_file_with_utf8_value", kBom + "[A]\nk=" + kEAcute + "\n", kEAcute},
    {"utf8_cut_not_inside_character", "[A]\nk=" + std::string(253, 'x') + kEAcute + "\n", std::string(253, 'x')},
    {"cp1252_cut_at_254_bytes", "[A]\nk=" + std::string(253, 'x') + "\xE9\xE9\n", std::string(253, 'x') + kEAcute},
    {"empty_key_never_found", "[A]\n=1\n", "", "A", ""},
    {"longer_names_are_other_keys", "[A]\nkk=1\nk x=2\nk\xE9=3\n\f K\v=4\n", "4"},
    {"key_at_end_of_file_without_value", "[A]\nj=1\nk", ""},
};
// clang-format on

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

// clang-format off
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
    {"new_section_after_unended_blank_line", " \t", " \t\n[A]\nk=2\n"},
    {"new_section_after_byte_order_mark", kBom, kBom + "[A]\nk=2\n"},
    {"new_section_trimmed_names", "", "[A]\nk=2\n", " A ", " k "},
    {"refused_line_feed_in_value", kKept, kKept, "A", "k", "1\n[B]"},
    {"refused_carriage_return_in_key", kKept, kKept, "A", "k\rj"},
    {"refused_nul_in_section", kKept, kKept, std::string("A\0B", 3)},
    {"refused_equals_in_key", kKept, kKept, "A", "k=j"},
    {"refused_key_starting_with_bracket", kKept, kKept, "A", "[k"},
    {"refused_blank_key", kKept, kKept, "A", "  "},
    {"refused_empty_section", kKept, kKept, ""},
    {"cp1252_value_written_in_cp1252", "[A]\nk=\xE9\n", "[A]\nk=" + kCp1252Name + "\n", "A", "k", kUtf8},
    {"cp1252_section_found_by_utf8_name", "[" + kCp1252Upper + "]\r\nk=\xE9\r\n", "[" + kCp1252Upper + "]\r\nk=\x80\r\n", kUtf8, "K", "\342\202\254"},
    {"cp1252_new_section_in_cp1252", "[B]\nk=\xE9\n", "[B]\nk=\xE9\n\n[" + kCp1252Name + "]\nk=2\n", kUtf8},
    {"utf8_file_stays_utf8", kBom + "[A]\nk=1\n", kBom + "[A]\nk=\305\201\n", "A", "k", "\305\201"},
    {"refused_l_stroke_in_cp1252", "[A]\nk=\xE9\n", "[A]\nk=\xE9\n", "A", "k", "\305\201"},
    {"refused_l_stroke_key_in_cp1252", "[A]\nk=\xE9\n", "[A]\nk=\xE9\n", "A", "\305\201"},
    {"refused_invalid_utf8_value", kKept, kKept, "A", "k", "Caf\xE9"},
};
// clang-format on

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, ChangesOnlyWhatItMust) {
    const WriteCase &c = GetParam();
    IniDocument document(c.before);
    const IniDocument::EditResult result = document.SetValue(c.section, c.key, c.value);
    EXPECT_EQ(result.ok, c.after != c.before);
    EXPECT_EQ(result.error.empty(), result.ok);
    EXPECT_EQ(document.Bytes(), c.after);
    EXPECT_EQ(document.Edited(), c.after != c.before);
}

INSTANTIATE_TEST_SUITE_P(Files, IniWriteTest, ::testing::ValuesIn(kWriteCases), CaseName());

// after equal to before: the rename is refused.
struct RenameCase {
    std::string name, before, from, to, after;
};

// clang-format off
const RenameCase kRenameCases[] = {
    {"keeps_indent_blanks_and_crlf", "  [ Lunch ] \r\nCD_1=1\r\n; note\r\n", "lunch", "Midday", "  [ Midday ] \r\nCD_1=1\r\n; note\r\n"},
    {"first_duplicate_only", "[A]\nk=1\n[a]\nk=2\n", "A", "B", "[B]\nk=1\n[a]\nk=2\n"},
    {"letter_case_only", "[lunch]\nk=1\n", "Lunch", "Lunch", "[Lunch]\nk=1\n"},
    {"to_trimmed", "[A]\n", "A", " B\t", "[B]\n"},
    {"text_after_bracket_kept", "[A] old\nk=1", "A", "Longer", "[Longer] old\nk=1"},
    {"cp1252_written_in_cp1252", "[A]\nk=\xE9\n", "a", kUtf8, "[" + kCp1252Name + "]\nk=\xE9\n"},
    {"cp1252_found_by_utf8_name", "[" + kCp1252Upper + "]\n", kUtf8Upper, "B", "[B]\n"},
    {"refused_existing_target", "[A]\n[b]\n", "A", "B", "[A]\n[b]\n"},
    {"refused_missing_section", "[A]\n", "C", "D", "[A]\n"},
    {"refused_closing_bracket", "[A]\n", "A", "B]", "[A]\n"},
    {"refused_line_break", "[A]\n", "A", "B\nC", "[A]\n"},
    {"refused_empty", "[A]\n", "A", "  ", "[A]\n"},
    {"refused_l_stroke_in_cp1252", "[A]\nk=\xE9\n", "A", "\305\201", "[A]\nk=\xE9\n"},
};
// clang-format on

class IniRenameTest : public ::testing::TestWithParam<RenameCase> {};

TEST_P(IniRenameTest, RenamesHeaderInPlace) {
    const RenameCase &c = GetParam();
    IniDocument document(c.before);
    EXPECT_EQ(document.RenameSection(c.from, c.to), c.after != c.before);
    EXPECT_EQ(document.Bytes(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Files, IniRenameTest, ::testing::ValuesIn(kRenameCases), CaseName());

// State: edits in one section move every later section. Expected: each read still finds its
// own line, and the bytes are exactly those of the edits.
TEST(IniEdits, LaterSectionsFollowEveryEdit) {
    IniDocument document("[A]\nk=1\n[B]\nk=2\n[C]\nk=3\n");
    ASSERT_TRUE(document.SetValue("A", "k", "100").ok);
    ASSERT_TRUE(document.SetValue("B", "j", "x").ok);
    ASSERT_TRUE(document.RenameSection("A", "Alpha"));
    ASSERT_TRUE(document.RemoveKey("B", "k"));
    ASSERT_TRUE(document.SetValue("C", "k", "30").ok);
    EXPECT_EQ(document.Value("alpha", "k"), "100");
    EXPECT_EQ(document.Value("A", "k"), "");
    EXPECT_EQ(document.Value("B", "j"), "x");
    EXPECT_EQ(document.Value("C", "k"), "30");
    EXPECT_EQ(document.Bytes(), "[Alpha]\nk=100\n[B]\nj=x\n[C]\nk=30\n");
}

// Sections as "name@line: key=value@line ...", one per line, names and values as UTF-8.
std::string SectionsText(const IniDocument &document) {
    std::string text;
    for (const IniDocument::Section &section : document.Sections()) {
        text += section.name + "@" + std::to_string(section.lineNumber) + ":";
        for (const IniDocument::Entry &entry : section.entries) {
            text += " " + entry.key + "=" + entry.value + "@" + std::to_string(entry.lineNumber);
        }
        text += "\n";
    }
    return text;
}

// Lines before the first section count; a bare key is an entry with an empty value.
TEST(IniSections, ListsEverySectionWithLineNumbers) {
    const IniDocument document("; comment\r\n\r\n[" + kCp1252Upper + "]\r\nP_1=" + kCp1252Name +
                               "\r\n\r\nbare\r\n[a]\r\n[A]\r\n\xE9=2");
    EXPECT_EQ(SectionsText(document),
              kUtf8Upper + "@3: P_1=" + kUtf8 + "@4 bare=@6\na@7:\nA@8: " + kEAcute + "=2@9\n");
}

// State: the last line of the file is a header without a line ending. Expected: the key
// added under it is on the next line, and a second key follows it.
TEST(IniSections, KeyAddedUnderLastHeaderIsOnItsOwnLine) {
    IniDocument document("[A]\nk=1\n[B]");
    ASSERT_TRUE(document.SetValue("B", "j", "2").ok);
    ASSERT_TRUE(document.SetValue("B", "i", "3").ok);
    EXPECT_EQ(document.Bytes(), "[A]\nk=1\n[B]\nj=2\ni=3");
    EXPECT_EQ(SectionsText(document), "A@1: k=1@2\nB@3: j=2@4 i=3@5\n");
}

} // namespace
} // namespace norvalis
