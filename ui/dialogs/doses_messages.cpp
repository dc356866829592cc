#include "ui/dialogs/doses_messages.h"

#include "ui/number_input/typed_number.h"

#include <QStringList>

namespace doses_messages {

using doses_checks::Page;

QString pageName(Page page) {
    switch (page) {
    case Page::BloodSugar:
        return QStringLiteral("Blood Sugar");
    case Page::Weighting:
        return QStringLiteral("Weighting");
    case Page::Carbohydrate:
        break;
    }
    return QStringLiteral("Carbohydrate");
}

QString boxPlace(Page page, int box) {
    if (page == Page::Carbohydrate)
        return QStringLiteral("Carbohydrate, grams per unit");
    const int rows = doses_boxes::kRows;
    const bool dose = box > rows;
    return QStringLiteral("%1, row %2, %3")
        .arg(pageName(page))
        .arg(dose ? box - rows : box)
        .arg(dose ? QStringLiteral("Dose") : QStringLiteral("Lower Limit"));
}

QString refused(const doses_checks::Refusal &refusal, const QString &typed) {
    const QString place = boxPlace(refusal.page, refusal.box);
    using Why = doses_checks::Refusal::Why;
    if (refusal.why == Why::Misread)
        return number_input::refusalOf(place, typed) + QStringLiteral("\n\nNothing was saved.");
    if (refusal.why == Why::NoDose) {
        return QStringLiteral("%1 is empty.\n\nNothing was saved. Type the dose for this row (0 "
                              "for none), or empty its Lower Limit to end the table there.")
            .arg(place);
    }
    if (refusal.why == Why::NotAboveZero) {
        return QStringLiteral("%1: \"%2\" would leave the carbohydrate dose blank.\n\nNothing "
                              "was saved. Type the grams of carbohydrate one unit of insulin "
                              "covers, a number above 0.")
            .arg(place, typed);
    }
    return QStringLiteral("%1: \"%2\" is not a number.\n\nNothing was saved. Type a number, "
                          "or empty the box.")
        .arg(place, typed);
}

namespace {
// "Row 5", "Rows 4–5", "Rows 4, 7 and 9–12".
QString rowList(const std::vector<int> &rows) {
    QStringList runs;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t end = i;
        while (end + 1 < rows.size() && rows[end + 1] == rows[end] + 1)
            ++end;
        runs << (end == i ? QString::number(rows[i])
                          : QStringLiteral("%1\u2013%2").arg(rows[i]).arg(rows[end]));
        i = end + 1;
    }
    const QString last = runs.takeLast();
    const QString joined = runs.isEmpty() ? last : runs.join(QStringLiteral(", ")) + " and " + last;
    return (rows.size() == 1 ? QStringLiteral("Row ") : QStringLiteral("Rows ")) + joined;
}
} // namespace

QString droppedRows(const std::vector<doses_checks::DroppedRows> &dropped) {
    QStringList lines;
    for (const doses_checks::DroppedRows &page : dropped) {
        lines << QStringLiteral("%1 of %2 %3 after an empty Lower Limit and will be removed.")
                     .arg(rowList(page.rows), pageName(page.page),
                          page.rows.size() == 1 ? QStringLiteral("comes") : QStringLiteral("come"));
    }
    return lines.join('\n');
}

QString fallingLevels(const std::vector<doses_checks::FallingLevels> &falling) {
    QStringList lines;
    for (const doses_checks::FallingLevels &page : falling) {
        const bool one = page.rows.size() == 1;
        lines << QStringLiteral("%1 of %2 %3 a Lower Limit that is not above the ones before %4, "
                                "so %5 only above the highest of those.")
                     .arg(rowList(page.rows), pageName(page.page),
                          one ? QStringLiteral("has") : QStringLiteral("have"),
                          one ? QStringLiteral("it") : QStringLiteral("them"),
                          one ? QStringLiteral("it applies") : QStringLiteral("they apply"));
    }
    return lines.join('\n') + QStringLiteral("\n\nStore the tables anyway?");
}

QString fileGone(const QString &path) {
    return QStringLiteral("Norvalis.ini no longer exists at %1. Create it with your period list "
                          "and these tables?")
        .arg(path);
}

QString unsavedEdits(const QString &shownPeriod, const QString &chosenPeriod) {
    return QStringLiteral("The tables of \"%1\" have changes that are not saved.\n\nSave them "
                          "before showing \"%2\"?")
        .arg(shownPeriod, chosenPeriod);
}

QString saveFailed(const QString &period, const QString &path, const QString &reason) {
    return QStringLiteral("The dosages of \"%1\" were not saved.\n\nSettings file: %2\nReason: %3"
                          "\n\nYour entries are still in the dialog: press OK or Apply again "
                          "once the cause is fixed, or Cancel to drop them.")
        .arg(period, path, reason);
}

QString loadFailed(const QString &period, const QString &path, const QString &reason) {
    return QStringLiteral("The dosages of \"%1\" could not be read, so the boxes show empty "
                          "tables.\n\nSettings file: %2\nReason: %3")
        .arg(period, path, reason);
}

QString noPeriods(const QString &path) {
    return QStringLiteral("Nothing was saved: there is no period to store these dosages under."
                          "\n\nList the periods first in the settings file, in the section "
                          "\"Period\" with the keys P_1, P_2, ... (one period name each):\n%1")
        .arg(path);
}

} // namespace doses_messages
