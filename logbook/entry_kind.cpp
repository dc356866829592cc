#include "logbook/entry_kind.h"

#include <array>
#include <utility>

namespace logbook {

namespace {
constexpr std::array<std::pair<EntryKind, const char *>, 3> kNames = {{
    {EntryKind::Rapid, "rapid"},
    {EntryKind::Long, "long"},
    {EntryKind::Reading, "reading"},
}};
} // namespace

QString kindName(EntryKind kind) {
    for (const auto &[candidate, name] : kNames) {
        if (candidate == kind)
            return QLatin1String(name);
    }
    return QStringLiteral("rapid");
}

std::optional<EntryKind> kindFromName(QStringView name) {
    for (const auto &[kind, candidate] : kNames) {
        if (name == QLatin1String(candidate))
            return kind;
    }
    return std::nullopt;
}

} // namespace logbook
