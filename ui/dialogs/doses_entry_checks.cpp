#include "ui/dialogs/doses_entry_checks.h"

#include "core/leading_number.h"

#include <cmath>
#include <string>

namespace doses_checks {

namespace {

using doses_boxes::isBlank;
using doses_boxes::kRows;
using TableBoxes = std::array<std::string, doses_boxes::kTableBoxes + 1>;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The first row whose Lower Limit is empty, or kRows + 1 when every row has one.
int firstGap(const TableBoxes &boxes) {
    int row = 1;
    while (row <= kRows && !isBlank(boxes[row]))
        ++row;
    return row;
}

std::optional<int> unreadableBox(const TableBoxes &boxes) {
    for (int r = 1; r < firstGap(boxes); ++r) {
        if (!startsWithNumber(boxes[r]))
            return r;
        const std::string &dose = boxes[r + kRows];
        if (!isBlank(dose) && !startsWithNumber(dose))
            return r + kRows;
    }
    return std::nullopt;
}

std::optional<Refusal> carbRefusal(const doses_boxes::BoxTexts &boxes) {
    const std::string &value = boxes.carb[boxes.carbSlot];
    if (isBlank(value))
        return std::nullopt;
    if (!startsWithNumber(value))
        return Refusal{Page::Carbohydrate, 1, Refusal::Why::NoNumber};
    // 0 or less per unit leaves the carbohydrate dose blank; beyond the number range too.
    const std::optional<double> grams = norvalis::LeadingNumber(value);
    if (!grams || !std::isfinite(*grams) || *grams <= 0)
        return Refusal{Page::Carbohydrate, 1, Refusal::Why::NotAboveZero};
    return std::nullopt;
}

} // namespace

bool startsWithNumber(std::string_view text) {
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            compact.push_back(c);
    std::size_t i = 0;
    if (compact.size() >= 3 && compact[0] == '&') {
        const char base = compact[1];
        if (base == 'H' || base == 'h')
            return isHexDigit(compact[2]);
        if (base == 'O' || base == 'o')
            return compact[2] >= '0' && compact[2] <= '7';
    }
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-'))
        ++i;
    if (i < compact.size() && compact[i] == '.')
        ++i;
    return i < compact.size() && isDigit(compact[i]);
}

std::optional<Refusal> firstRefusal(const doses_boxes::BoxTexts &boxes) {
    if (const auto box = unreadableBox(boxes.correction))
        return Refusal{Page::BloodSugar, *box, Refusal::Why::NoNumber};
    if (const auto box = unreadableBox(boxes.weighting))
        return Refusal{Page::Weighting, *box, Refusal::Why::NoNumber};
    return carbRefusal(boxes);
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
