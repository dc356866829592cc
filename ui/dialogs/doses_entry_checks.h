#pragma once

#include "ui/dialogs/doses_box_texts.h"

#include <optional>
#include <string_view>
#include <vector>

// What the dialog must refuse or ask about before it stores the boxes, so that no entry is
// stored as something the person did not type.
namespace doses_checks {

enum class Page { BloodSugar, Weighting, Carbohydrate };

// A box that cannot be stored as it stands.
struct Refusal {
    enum class Why { NoNumber, NotAboveZero };
    Page page;
    int box; // index in its group: INPUT_BS / INPUT_CW 1..24, INPUT_CD 1
    Why why;
};

// Filled rows that come after the first empty Lower Limit of a page and so would not be stored.
struct DroppedRows {
    Page page;
    int gapBox;            // the empty Lower Limit box that ends the table
    std::vector<int> rows; // 1-based, rising
};

// True when the text starts with a number the program can read, blanks left aside: a sign,
// digits with at most one full stop, or an &H / &O whole number.
bool startsWithNumber(std::string_view text);

// The first box, in page, row and column order, that would store a number the person did not
// type: a Lower Limit or Dose with no number at its start in a row that is stored, or a
// grams-per-unit value without a number or not above 0.
std::optional<Refusal> firstRefusal(const doses_boxes::BoxTexts &boxes);

// Per table page, the rows holding something at or after the first empty Lower Limit.
std::vector<DroppedRows> droppedRows(const doses_boxes::BoxTexts &boxes);

} // namespace doses_checks
