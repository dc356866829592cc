#pragma once

#include "core/text_encoding.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>
#include <variant>

// What OK in the periods dialog will store, worked out from the boxes as they opened and as
// they are now, or why it must not be stored.
namespace periods {

inline constexpr int kBoxes = 12;

// A section whose period was renamed: its tables go with the new name.
struct Rename {
    QString from;
    QString to;
    friend bool operator==(const Rename &, const Rename &) = default;
};

struct Plan {
    QStringList names; // trimmed, empty boxes left out, in box order
    QList<Rename> renames;
};

struct Refusal {
    int box; // 1..12
    QString message;
};

// Period names compare as section names do: without regard to letter case.
bool sameName(const QString &a, const QString &b);

// before: the names the boxes opened with; boxes: their texts now (kBoxes each, missing
// entries count as empty); encoding: the settings file's, which must hold every name. A box
// that held X and now holds Y, when no box holds X any more, renames section X to Y.
std::variant<Plan, Refusal> planPeriods(const QStringList &before, const QStringList &boxes,
                                        norvalis::Encoding encoding);

} // namespace periods
