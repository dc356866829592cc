#include "logbook/entry_kind.h"

#include <array>

namespace logbook {

namespace {
struct KindWords {
    EntryKind kind;
    const char *name;    // stored
    const char *caption; // shown
};
constexpr std::array<KindWords, 3> kNames = {{
    {EntryKind::Rapid, "rapid", "Rapid"},
    {EntryKind::Long, "long", "Long-acting"},
    {EntryKind::Reading, "reading", "Reading only"},
}};
} // namespace

QString kindName(EntryKind kind) {
    for (const KindWords &words : kNames) {
        if (words.kind == kind)
            return QLatin1String(words.name);
    }
    return QStringLiteral("rapid");
}

QString kindCaption(EntryKind kind) {
    for (const KindWords &words : kNames) {
        if (words.kind == kind)
            return QLatin1String(words.caption);
    }
    return {};
}

std::optional<EntryKind> kindFromName(QStringView name) {
    for (const KindWords &words : kNames) {
        if (name == QLatin1String(words.name))
            return words.kind;
    }
    return std::nullopt;
}

} // namespace logbook
