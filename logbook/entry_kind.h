#pragma once

#include "logbook/log_entry.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace logbook {

// The word a kind is stored and exported as: "rapid", "long" or "reading". The logbook file,
// the CSV and the command line all use these words, so they must never change.
QString kindName(EntryKind kind);

// The kind as a table or a report shows it: "Rapid", "Long-acting" or "Reading only".
QString kindCaption(EntryKind kind);

// The kind a stored or typed word names; nullopt for any other word (case matters).
std::optional<EntryKind> kindFromName(QStringView name);

// Whether entries of this kind record insulin taken (a reading records none).
inline bool kindTakesInsulin(EntryKind kind) {
    return kind != EntryKind::Reading;
}

} // namespace logbook
