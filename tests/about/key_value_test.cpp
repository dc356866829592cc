// GetKeyValue over the registry store, and the registry fault that GetKeyValue cannot see.

#include "ui/about/about_box.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace {

namespace registry = platform::registry;
using namespace std::string_literals;

constexpr const char *kKey = "Software\\Norvalis";
const std::string kLongest(1023, 'x'); // with its terminating zero it fills the whole buffer

// The value "Path" under kKey holds bytes of type (numbers least significant byte first);
// GetKeyValue then reads keyName's valueName into a text that held "stale".
struct KeyValueCase {
    const char *name;
    std::uint32_t type;
    std::string bytes;
    const char *keyName, *valueName;
    bool found;
    std::string text;
    friend void PrintTo(const KeyValueCase &c, std::ostream *os) { *os << c.name; }
};

class GetKeyValueTest : public ::testing::TestWithParam<KeyValueCase> {};

TEST_P(GetKeyValueTest, SetsTheCallersTextAndResult) {
    const KeyValueCase &c = GetParam();
    registry::store::writeValue(registry::kCurrentUser, kKey, "Path", c.type,
                                {c.bytes.begin(), c.bytes.end()});
    QString text = QStringLiteral("stale");
    EXPECT_EQ(AboutBox::GetKeyValue(registry::kCurrentUser, c.keyName, c.valueName, text), c.found);
    EXPECT_EQ(text.toStdString(), c.text);
    // Every path through the function closes the key it opened.
    EXPECT_EQ(registry::store::openHandleCount(), 0u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueTest, ::testing::Values(
    KeyValueCase{"missing_key_empties_the_text",         registry::kTypeText,     "x\0"s,              "Software\\Other",    "Path",  false, ""},
    KeyValueCase{"missing_value_empties_the_text",       registry::kTypeText,     "x\0"s,              kKey,                 "Other", false, ""},
    KeyValueCase{"names_ignore_case",                    registry::kTypeText,     "C:\\Norvalis\0"s,   "SOFTWARE\\norvalis", "path",  true,  "C:\\Norvalis"},
    KeyValueCase{"text_is_cut_at_its_first_zero",        registry::kTypeText,     "abc\0def\0"s,       kKey,                 "Path",  true,  "abc"},
    KeyValueCase{"text_stored_without_terminating_zero", registry::kTypeText,     "xyz"s,              kKey,                 "Path",  true,  "xyz"},
    KeyValueCase{"text_filling_the_whole_buffer",        registry::kTypeText,     kLongest + '\0',     kKey,                 "Path",  true,  kLongest},
    KeyValueCase{"text_longer_than_the_buffer_fails",    registry::kTypeText,     kLongest + "y\0"s,   kKey,                 "Path",  false, ""},
    KeyValueCase{"utf8_text_keeps_its_characters",       registry::kTypeText,     "Zürich\0"s,         kKey,                 "Path",  true,  "Zürich"},
    KeyValueCase{"number_whose_low_byte_is_zero",        registry::kTypeNumber32, "\0\x10\0\0"s,       kKey,                 "Path",  true,  "&h1000"},
    KeyValueCase{"number_using_all_32_bits",             registry::kTypeNumber32, "\xEF\xBE\xAD\xDE"s, kKey,                 "Path",  true,  "&hDEADBEEF"},
    KeyValueCase{"number_keeps_the_zero_digits_inside",  registry::kTypeNumber32, "\x0D\x0C\x0B\x0A"s, kKey,                 "Path",  true,  "&hA0B0C0D"},
    KeyValueCase{"binary_value_leaves_the_callers_text", registry::kTypeBinary,   "\x01\x02"s,         kKey,                 "Path",  true,  "stale"}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// GetKeyValue reads into a fixed buffer: a longer value must neither overflow it nor pass as
// read.
TEST(Registry, TooSmallABufferGetsTheSizeNeededAndNothingCopied) {
    registry::store::writeText(registry::kCurrentUser, "", "Name", "Norvalis");
    std::array<std::uint8_t, 16> data{};
    std::uint32_t size = 4;
    EXPECT_EQ(
        registry::queryValue(registry::kCurrentUser, "Name", nullptr, nullptr, data.data(), &size),
        registry::kMoreData);
    EXPECT_EQ(size, 9u); // "Norvalis" and its terminating zero
    EXPECT_EQ(data, decltype(data){});
}

} // namespace
