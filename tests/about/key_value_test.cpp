// GetKeyValue over the registry store: what the caller's text holds after each kind of value.

#include "ui/about/about_box.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

namespace registry = platform::registry;

constexpr const char *kKey = "Software\\Norvalis\\Settings";

struct KeyValueCase {
    const char *name;
    std::function<void()> fillStore;
    registry::KeyHandle root;
    const char *keyName;
    const char *valueName;
    const char *textOnEntry;
    bool expectedResult;
    const char *expectedText;
};

void PrintTo(const KeyValueCase &c, std::ostream *os) {
    *os << c.name;
}

std::vector<std::uint8_t> bytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

void storeText(std::string_view text) {
    registry::store::writeText(registry::kCurrentUser, kKey, "Path", text);
}

void storeNumber(std::uint32_t number) {
    registry::store::writeNumber32(registry::kCurrentUser, kKey, "Count", number);
}

class GetKeyValueTest : public ::testing::TestWithParam<KeyValueCase> {
protected:
    void SetUp() override { registry::store::clear(); }
    void TearDown() override { registry::store::clear(); }
};

TEST_P(GetKeyValueTest, SetsTheCallersTextAndResult) {
    const KeyValueCase &c = GetParam();
    c.fillStore();
    QString keyVal = QString::fromUtf8(c.textOnEntry);

    const bool result = AboutBox::GetKeyValue(c.root, QString::fromUtf8(c.keyName),
                                              QString::fromUtf8(c.valueName), keyVal);

    EXPECT_EQ(result, c.expectedResult);
    EXPECT_EQ(keyVal.toStdString(), c.expectedText);
    // Every path through the function closes the key it opened.
    EXPECT_EQ(registry::store::openHandleCount(), 0u);
}

const std::string kLongestText(1023, 'x');
const std::string kTooLongText(1024, 'y');

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    ::testing::Values(
        KeyValueCase{"missing_key_empties_the_text", [] {}, registry::kCurrentUser, kKey, "Path",
                     "stale", false, ""},
        KeyValueCase{"missing_value_in_an_existing_key_empties_the_text", [] { storeText("x"); },
                     registry::kCurrentUser, kKey, "Other", "stale", false, ""},
        KeyValueCase{"unknown_root_handle_fails", [] { storeText("x"); }, 0x1234u, kKey, "Path",
                     "stale", false, ""},
        KeyValueCase{"text_value_replaces_the_entry_text",
                     [] { storeText("C:\\Program Files\\Norvalis"); }, registry::kCurrentUser, kKey,
                     "Path", "stale", true, "C:\\Program Files\\Norvalis"},
        KeyValueCase{"text_is_cut_at_its_first_zero_character",
                     [] { storeText(std::string_view("abc\0def", 7)); }, registry::kCurrentUser,
                     kKey, "Path", "", true, "abc"},
        KeyValueCase{"text_starting_with_zero_reads_empty",
                     [] { storeText(std::string_view("\0abc", 4)); }, registry::kCurrentUser, kKey,
                     "Path", "stale", true, ""},
        KeyValueCase{"text_stored_without_terminating_zero",
                     [] {
                         registry::store::writeValue(registry::kCurrentUser, kKey, "Path",
                                                     registry::kTypeText, bytes("xyz"));
                     },
                     registry::kCurrentUser, kKey, "Path", "", true, "xyz"},
        KeyValueCase{"text_filling_the_whole_buffer", [] { storeText(kLongestText); },
                     registry::kCurrentUser, kKey, "Path", "", true, kLongestText.c_str()},
        KeyValueCase{"text_longer_than_the_buffer_fails", [] { storeText(kTooLongText); },
                     registry::kCurrentUser, kKey, "Path", "stale", false, ""},
        KeyValueCase{"utf8_text_keeps_its_characters", [] { storeText("Zürich"); },
                     registry::kCurrentUser, kKey, "Path", "", true, "Zürich"},
        KeyValueCase{"key_and_value_names_ignore_case", [] { storeText("found"); },
                     registry::kCurrentUser, "SOFTWARE\\norvalis\\settings", "path", "", true,
                     "found"},
        KeyValueCase{"number_zero", [] { storeNumber(0); }, registry::kCurrentUser, kKey, "Count",
                     "", true, "&h0"},
        KeyValueCase{"number_with_a_zero_high_byte", [] { storeNumber(0x10); },
                     registry::kCurrentUser, kKey, "Count", "", true, "&h10"},
        KeyValueCase{"number_whose_low_byte_is_zero", [] { storeNumber(0x1000); },
                     registry::kCurrentUser, kKey, "Count", "", true, "&h1000"},
        KeyValueCase{"number_using_all_32_bits", [] { storeNumber(0xDEADBEEF); },
                     registry::kCurrentUser, kKey, "Count", "", true, "&hDEADBEEF"},
        KeyValueCase{"number_with_small_bytes_keeps_their_zero_digits",
                     [] { storeNumber(0x0A0B0C0D); }, registry::kCurrentUser, kKey, "Count", "",
                     true, "&hA0B0C0D"},
        KeyValueCase{"number_drops_the_entry_text", [] { storeNumber(0xFF); },
                     registry::kCurrentUser, kKey, "Count", "junk", true, "&hFF"},
        KeyValueCase{"binary_value_leaves_the_entry_text",
                     [] {
                         registry::store::writeValue(registry::kCurrentUser, kKey, "Blob",
                                                     registry::kTypeBinary, bytes("\x01\x02"));
                     },
                     registry::kCurrentUser, kKey, "Blob", "keep me", true, "keep me"},
        KeyValueCase{"expandable_text_leaves_the_entry_text",
                     [] {
                         registry::store::writeValue(registry::kCurrentUser, kKey, "Home", 2,
                                                     bytes("%HOME%"));
                     },
                     registry::kCurrentUser, kKey, "Home", "keep me", true, "keep me"}),
    [](const ::testing::TestParamInfo<KeyValueCase> &info) {
        return std::string(info.param.name);
    });

} // namespace
