#include "ui/dialogs/period_list_edit.h"

#include "core/ini_name.h"
#include "core/settings_file.h"

#include <algorithm>

namespace periods {

namespace {
QString boxText(const QStringList &texts, int index) {
    return texts.value(index).trimmed();
}

QString boxLabel(int index) {
    return QStringLiteral("Period %1").arg(index + 1);
}
} // namespace

bool sameName(const QString &a, const QString &b) {
    return norvalis::SameIniName(a.toStdString(), b.toStdString());
}

std::variant<Plan, Refusal> planPeriods(const QStringList &before, const QStringList &boxes,
                                        norvalis::Encoding encoding) {
    Plan plan;
    QList<int> from; // the box each stored name comes from
    for (int i = 0; i < kBoxes; ++i) {
        const QString name = boxText(boxes, i);
        if (name.isEmpty())
            continue;
        if (const auto problem = norvalis::PeriodNameProblem(name.toStdString(), encoding))
            return Refusal{i + 1,
                           boxLabel(i) + QStringLiteral(": ") + QString::fromStdString(*problem)};
        for (qsizetype n = 0; n < plan.names.size(); ++n) {
            if (sameName(plan.names[n], name))
                return Refusal{i + 1, QStringLiteral("%1 and %2 both name \"%3\"; each period "
                                                     "needs its own name (letter case does not "
                                                     "count).")
                                          .arg(boxLabel(from[n]), boxLabel(i), name)};
        }
        plan.names << name;
        from << i;
    }

    const bool hadPeriods = std::any_of(before.begin(), before.end(), [](const QString &name) {
        return !name.trimmed().isEmpty();
    });
    if (plan.names.isEmpty() && hadPeriods)
        return Refusal{1, QStringLiteral("Period 1 to Period 12 are all empty. Keep at least one "
                                         "period: the doses are worked out for a period.")};

    for (int i = 0; i < kBoxes; ++i) {
        const QString was = boxText(before, i);
        const QString now = boxText(boxes, i);
        // A change of letter case names the same section.
        if (was.isEmpty() || now.isEmpty() || sameName(was, now))
            continue;
        const bool stillListed =
            std::any_of(plan.names.begin(), plan.names.end(),
                        [&](const QString &name) { return sameName(name, was); });
        // A file may list one name twice; its section moves once.
        const bool moved =
            std::any_of(plan.renames.begin(), plan.renames.end(),
                        [&](const Rename &rename) { return sameName(rename.from, was); });
        if (!stillListed && !moved)
            plan.renames.append({was, now});
    }
    return plan;
}

} // namespace periods
