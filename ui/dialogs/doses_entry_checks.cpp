#include "ui/dialogs/doses_entry_checks.h"

#include "core/leading_number.h"
#include "ui/number_input/typed_number.h"

#include <QString>
#include <cmath>
#include <string>

namespace doses_checks {

namespace {

using doses_boxes::isBlank;
using doses_boxes::kRows;
using TableBoxes = std::array<std::string, doses_boxes::kTableBoxes + 1>;

// The first row whose Lower Limit is empty, or kRows + 1 when every row has one.
int firstGap(const TableBoxes &boxes) {
    int row = 1;
    while (row <= kRows && !isBlank(boxes[row]))
        ++row;
    return row;
}

std::optional<Refusal::Why> boxProblem(const std::string &box) {
    if (number_input::misreadingOf(QString::fromStdString(box)) != number_input::Misreading::None)
        return Refusal::Why::Misread;
    if (!norvalis::StartsWithNumber(box))
        return Refusal::Why::NoNumber;
    return std::nullopt;
}

std::optional<Refusal> unreadableBox(Page page, const TableBoxes &boxes) {
    for (int r = 1; r < firstGap(boxes); ++r) {
        if (const auto why = boxProblem(boxes[r]))
            return Refusal{page, r, *why};
        const std::string &dose = boxes[r + kRows];
        if (isBlank(dose))
            return Refusal{page, r + kRows, Refusal::Why::NoDose};
        if (const auto why = boxProblem(dose))
            return Refusal{page, r + kRows, *why};
    }
    return std::nullopt;
}

std::optional<Refusal> carbRefusal(const doses_boxes::BoxTexts &boxes) {
    const std::string &value = boxes.carb[boxes.carbSlot];
    if (isBlank(value))
        return std::nullopt;
    if (const auto why = boxProblem(value))
        return Refusal{Page::Carbohydrate, 1, *why};
    // 0 or less per unit leaves the carbohydrate dose blank; beyond the number range too.
    const std::optional<double> grams = norvalis::LeadingNumber(value);
    if (!grams || !std::isfinite(*grams) || *grams <= 0)
        return Refusal{Page::Carbohydrate, 1, Refusal::Why::NotAboveZero};
    return std::nullopt;
}

} // namespace

std::optional<Refusal> firstRefusal(const doses_boxes::BoxTexts &boxes) {
    if (auto refusal = unreadableBox(Page::BloodSugar, boxes.correction))
        return refusal;
    if (auto refusal = unreadableBox(Page::Weighting, boxes.weighting))
        return refusal;
    return carbRefusal(boxes);
}

std::vector<FallingLevels> fallingLevels(const doses_boxes::BoxTexts &boxes) {
    std::vector<FallingLevels> falling;
    const auto check = [&falling](Page page, const TableBoxes &table) {
        FallingLevels found{page, {}};
        std::optional<double> highest;
        for (int r = 1; r < firstGap(table); ++r) {
            const std::optional<double> level = norvalis::LeadingNumber(table[r]);
            if (!level)
                continue; // beyond the number range: the calculation leaves the dose blank
            if (highest && !(*level > *highest))
                found.rows.push_back(r);
            else
                highest = level;
        }
        if (!found.rows.empty())
            falling.push_back(found);
    };
    check(Page::BloodSugar, boxes.correction);
    check(Page::Weighting, boxes.weighting);
    return falling;
}

std::vector<DroppedRows> droppedRows(const doses_boxes::BoxTexts &boxes) {
    std::vector<DroppedRows> dropped;
    const auto check = [&dropped](Page page, const TableBoxes &table) {
        const int gap = firstGap(table);
        DroppedRows found{page, gap, {}};
        for (int r = gap; r <= kRows; ++r)
            if (!isBlank(table[r]) || !isBlank(table[r + kRows]))
                found.rows.push_back(r);
        if (!found.rows.empty())
            dropped.push_back(found);
    };
    check(Page::BloodSugar, boxes.correction);
    check(Page::Weighting, boxes.weighting);
    return dropped;
}

} // namespace doses_checks
