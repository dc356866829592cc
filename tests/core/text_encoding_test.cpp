#include "core/ini_name.h"
#include "core/text_encoding.h"
#include "tests/core/named_cases.h"

#include <gtest/gtest.h>
#include <string>

namespace norvalis {
namespace {

using namespace testing;
using testing::operator<<; // a using-directive is not enough for the test lists

struct Utf8Case {
    std::string name, bytes;
    bool valid;
};

const Utf8Case kUtf8Cases[] = {
    {"ascii", "[A]\nk=1\n", true},
    {"empty", "", true},
    {"two_byte_letters", "Gr\xC3\xBC\xC3\x9F", true},
    {"three_byte_euro", "\xE2\x82\xAC", true},
    {"four_byte_highest", "\xF4\x8F\xBF\xBF", true},
    {"byte_order_mark", "\xEF\xBB\xBF[A]", true},
    {"windows_1252_letter", "Gr\xFC\xDF", false},
    {"overlong_nul", "\xC0\x80", false},
    {"overlong_three_bytes", "\xE0\x80\xAF", false},
    {"surrogate", "\xED\xA0\x80", false},
    {"above_unicode", "\xF4\x90\x80\x80", false},
    {"cut_at_end", "abc\xE2\x82", false},
    {"lone_continuation", "abcdefgh\x80", false},
    {"invalid_after_long_ascii_run", "abcdefghijklmnop\xFF", false},
};

class Utf8ValidityTest : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ValidityTest, DecidesEncoding) {
    const Utf8Case &c = GetParam();
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid);
    EXPECT_EQ(DetectEncoding(c.bytes), c.valid ? Encoding::Utf8 : Encoding::Windows1252);
}

INSTANTIATE_TEST_SUITE_P(Texts, Utf8ValidityTest, ::testing::ValuesIn(kUtf8Cases), CaseName());

// Bytes 0x80-0x9F as the published Windows-1252 mapping gives them. The five bytes the mapping
// leaves undefined are kept as the control character of the same number, so they come back.
struct HighByte {
    unsigned char byte;
    const char *utf8;
};
// clang-format off
constexpr HighByte kPublishedHighBytes[] = {
    {0x80, "\u20AC"}, {0x81, "\u0081"}, {0x82, "\u201A"}, {0x83, "\u0192"}, // euro, -, low quote, f hook
    {0x84, "\u201E"}, {0x85, "\u2026"}, {0x86, "\u2020"}, {0x87, "\u2021"}, // low double quote, ellipsis, daggers
    {0x88, "\u02C6"}, {0x89, "\u2030"}, {0x8A, "\u0160"}, {0x8B, "\u2039"}, // circumflex, per mille, S caron, angle quote
    {0x8C, "\u0152"}, {0x8D, "\u008D"}, {0x8E, "\u017D"}, {0x8F, "\u008F"}, // OE, -, Z caron, -
    {0x90, "\u0090"}, {0x91, "\u2018"}, {0x92, "\u2019"}, {0x93, "\u201C"}, // -, single and double quotes
    {0x94, "\u201D"}, {0x95, "\u2022"}, {0x96, "\u2013"}, {0x97, "\u2014"}, // bullet, en dash, em dash
    {0x98, "\u02DC"}, {0x99, "\u2122"}, {0x9A, "\u0161"}, {0x9B, "\u203A"}, // tilde, trade mark, s caron, angle quote
    {0x9C, "\u0153"}, {0x9D, "\u009D"}, {0x9E, "\u017E"}, {0x9F, "\u0178"}, // oe, -, z caron, Y diaeresis
};
// clang-format on

// Every byte reads as one character and writes back as the same byte; the high bytes read as
// published, and 0xA0 and 0xFC as the Latin-1 characters of the same number.
TEST(Cp1252, EveryByteRoundTrips) {
    ASSERT_EQ(std::size(kPublishedHighBytes), 32u);
    for (const HighByte &high : kPublishedHighBytes) {
        EXPECT_EQ(ToUtf8(std::string(1, static_cast<char>(high.byte)), Encoding::Windows1252),
                  high.utf8)
            << +high.byte;
    }
    EXPECT_EQ(ToUtf8("\xA0\xFC", Encoding::Windows1252), "\xC2\xA0\xC3\xBC");
    for (int byte = 1; byte < 256; ++byte) {
        const std::string original(1, static_cast<char>(byte));
        const std::string utf8 = ToUtf8(original, Encoding::Windows1252);
        EXPECT_TRUE(IsValidUtf8(utf8)) << byte;
        const EncodedText back = FromUtf8(utf8, Encoding::Windows1252);
        EXPECT_FALSE(back.problem.has_value()) << byte;
        EXPECT_EQ(back.bytes, original) << byte;
    }
}

struct RefusalCase {
    std::string name, utf8;
    Encoding encoding;
    std::string message; // empty: stored
};

const RefusalCase kRefusalCases[] = {
    {"l_stroke_in_windows_1252",
     "\xC5\x81\xC3\xB3"
     "d\xC5\xBA",
     Encoding::Windows1252,
     "\"\xC5\x81\" (U+0141) cannot be stored in this settings file, which is in the "
     "Windows-1252 encoding."},
    {"emoji_in_windows_1252", "a\xF0\x9F\x8D\x8E", Encoding::Windows1252, "(U+1F34E)"},
    {"l_stroke_in_utf8", "\xC5\x81", Encoding::Utf8, ""},
    {"invalid_utf8_into_utf8", "Caf\xE9", Encoding::Utf8, "not valid UTF-8"},
    {"invalid_utf8_into_windows_1252", "Caf\xE9", Encoding::Windows1252, "not valid UTF-8"},
};

class EncodeRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(EncodeRefusalTest, NamesTheCharacter) {
    const RefusalCase &c = GetParam();
    const EncodedText encoded = FromUtf8(c.utf8, c.encoding);
    ASSERT_EQ(encoded.problem.has_value(), !c.message.empty());
    if (encoded.problem) {
        EXPECT_NE(encoded.problem->find(c.message), std::string::npos) << *encoded.problem;
        EXPECT_TRUE(encoded.bytes.empty()) << "a refused text must not come back half-converted";
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, EncodeRefusalTest, ::testing::ValuesIn(kRefusalCases), CaseName());

struct NameCase {
    std::string name, a, b;
    bool same;
};

const NameCase kNameCases[] = {
    {"ascii_case", "Lunch", "LUNCH", true},
    {"umlauts", "Gr\xC3\xBC\xC3\x9F", "GR\xC3\x9C\xC3\x9F", true},
    {"a_grave", "\xC3\x80", "\xC3\xA0", true},
    {"thorn", "\xC3\x9E", "\xC3\xBE", true},
    {"times_not_division", "\xC3\x97", "\xC3\xB7", false},
    {"sharp_s_alone", "\xC3\x9F", "SS", false},
    {"s_caron", "\xC5\xA0", "\xC5\xA1", true},
    {"oe_ligature", "\xC5\x92", "\xC5\x93", true},
    {"z_caron", "\xC5\xBD", "\xC5\xBE", true},
    {"y_diaeresis", "\xC5\xB8", "\xC3\xBF", true},
    {"l_stroke_outside_range", "\xC5\x81", "\xC5\x82", false},
    {"prefix_differs", "Lunch", "Lunch2", false},
    {"blanks_count", "Lunch ", "Lunch", false},
};

class SameIniNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SameIniNameTest, ComparesBothWays) {
    const NameCase &c = GetParam();
    EXPECT_EQ(SameIniName(c.a, c.b), c.same);
    EXPECT_EQ(SameIniName(c.b, c.a), c.same);
}

INSTANTIATE_TEST_SUITE_P(Names, SameIniNameTest, ::testing::ValuesIn(kNameCases), CaseName());

} // namespace
} // namespace norvalis
