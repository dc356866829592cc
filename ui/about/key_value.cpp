#include "ui/about/about_box.h"

#include <QByteArray>
#include <algorithm>
#include <array>
#include <string_view>

namespace {

namespace registry = platform::registry;

// Read control plus every right on the key's values and subkeys.
constexpr std::uint32_t kKeyAccess = 0x2003F;

std::string_view view(const QByteArray &bytes) {
    return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The whole 32-bit value, least significant byte first as the registry stores it. Zero bytes
// are part of the number, not the end of a text.
std::uint32_t number32(const std::array<std::uint8_t, 1024> &buffer, std::uint32_t size) {
    std::uint32_t number = 0;
    for (std::uint32_t i = 0; i < std::min<std::uint32_t>(size, 4); ++i)
        number |= static_cast<std::uint32_t>(buffer[i]) << (8 * i);
    return number;
}

} // namespace

bool AboutBox::GetKeyValue(registry::KeyHandle KeyRoot, const QString &KeyName,
                           const QString &SubKeyRef, QString &KeyVal) {
    registry::KeyHandle key = 0;
    if (registry::openKey(KeyRoot, view(KeyName.toLocal8Bit()), 0, kKeyAccess, &key) !=
        registry::kSuccess) {
        KeyVal.clear();
        return false;
    }

    std::array<std::uint8_t, 1024> buffer{};
    std::uint32_t size = buffer.size();
    std::uint32_t type = 0;
    if (registry::queryValue(key, view(SubKeyRef.toLocal8Bit()), nullptr, &type, buffer.data(),
                             &size) != registry::kSuccess) {
        KeyVal.clear();
        registry::closeKey(key);
        return false;
    }

    const auto textEnd = std::find(buffer.begin(), buffer.end(), std::uint8_t{0});
    const QByteArray text(reinterpret_cast<const char *>(buffer.data()),
                          static_cast<qsizetype>(textEnd - buffer.begin()));
    if (type == registry::kTypeText)
        KeyVal = QString::fromLocal8Bit(text);
    else if (type == registry::kTypeNumber32)
        KeyVal = QStringLiteral("&h") + QString::number(number32(buffer, size), 16).toUpper();

    registry::closeKey(key);
    return true;
}
