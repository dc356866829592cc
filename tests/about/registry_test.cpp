// The registry calls' error numbers that GetKeyValue relies on to tell failure from success.

#include "platform/registry.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

namespace registry = platform::registry;
using registry::KeyHandle;
using registry::Status;

constexpr const char *kKey = "Software\\Norvalis";

KeyHandle openNorvalisKey(std::uint32_t access = registry::kAllAccess) {
    KeyHandle key = 0;
    EXPECT_EQ(registry::openKey(registry::kCurrentUser, kKey, 0, access, &key), registry::kSuccess);
    return key;
}

Status queryName(KeyHandle key) {
    std::array<std::uint8_t, 16> data{};
    std::uint32_t size = data.size();
    return registry::queryValue(key, "Name", nullptr, nullptr, data.data(), &size);
}

struct CallCase {
    const char *name;
    std::function<Status()> call;
    Status expected;
};

void PrintTo(const CallCase &c, std::ostream *os) {
    *os << c.name;
}

class RegistryCallTest : public ::testing::TestWithParam<CallCase> {
protected:
    void SetUp() override {
        registry::store::clear();
        registry::store::writeText(registry::kCurrentUser, kKey, "Name", "Norvalis");
    }
    void TearDown() override { registry::store::clear(); }
};

TEST_P(RegistryCallTest, GivesTheWin32ErrorNumber) {
    EXPECT_EQ(GetParam().call(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, RegistryCallTest,
    ::testing::Values(
        CallCase{"opening_a_missing_key_gives_no_handle",
                 [] {
                     KeyHandle key = 7;
                     const Status status =
                         registry::openKey(registry::kCurrentUser, "Software\\Missing", 0,
                                           registry::kAllAccess, &key);
                     return key == 0 ? status : -1;
                 },
                 registry::kFileNotFound},
        CallCase{"reading_into_too_small_a_buffer_reports_the_size_needed",
                 [] {
                     std::array<std::uint8_t, 4> data{};
                     std::uint32_t size = data.size();
                     const Status status = registry::queryValue(openNorvalisKey(), "Name", nullptr,
                                                                nullptr, data.data(), &size);
                     // "Norvalis" and its terminating zero; nothing copied.
                     return size == 9 && data == std::array<std::uint8_t, 4>{} ? status : -1;
                 },
                 registry::kMoreData},
        CallCase{"reading_a_key_opened_without_query_access",
                 [] { return queryName(openNorvalisKey(0x0002)); }, registry::kAccessDenied},
        CallCase{"reading_a_closed_key",
                 [] {
                     const KeyHandle key = openNorvalisKey();
                     registry::closeKey(key);
                     return queryName(key);
                 },
                 registry::kInvalidHandle},
        CallCase{"reading_a_key_removed_while_open",
                 [] {
                     const KeyHandle key = openNorvalisKey();
                     registry::store::removeKey(registry::kCurrentUser, "Software");
                     return queryName(key);
                 },
                 registry::kKeyDeleted},
        CallCase{"closing_a_key_twice",
                 [] {
                     const KeyHandle key = openNorvalisKey();
                     registry::closeKey(key);
                     return registry::closeKey(key);
                 },
                 registry::kInvalidHandle}),
    [](const ::testing::TestParamInfo<CallCase> &info) { return std::string(info.param.name); });

} // namespace
