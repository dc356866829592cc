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
    enum class Why {
        NoNumber,     // no number at its start: it would be stored as 0
        NoDose,       // an empty Dose beside a Lower Limit: it would be stored as 0
        Misread,      // a decimal comma or digits the program does not read
        NotAboveZero, // grams per unit that leave the carbohydrate dose blank
    };
    Page page;
    int box; // index in its group: INPUT_BS / INPUT_CW 1..24, INPUT_CD 1
    Why why;
};

// Rows whose Lower Limit is not above the one of the row before: the walk down the table
// stops at the first level that is not below the reading, so later rows apply only above the
// highest level before them.
struct FallingLevels {
    Page page;
    std::vector<int> rows; // 1-based, rising: each row whose level does not rise
};
std::vector<FallingLevels> fallingLevels(const doses_boxes::BoxTexts &boxes);

// Filled rows that come after the first empty Lower Limit of a page and so would not be stored.
struct DroppedRows {
    Page page;
    int gapBox;            // the empty Lower Limit box that ends the table
    std::vector<int> rows; // 1-based, rising
};

// The first box, in page, row and column order, that would store a number the person did not
// type: in a row that is stored, a Lower Limit or Dose with no number at its start, an empty
// Dose, or either with a decimal comma or digits other than 0-9; a grams-per-unit value with
// any of these, or not above 0.
std::optional<Refusal> firstRefusal(const doses_boxes::BoxTexts &boxes);

// Per table page, the rows holding something at or after the first empty Lower Limit.
std::vector<DroppedRows> droppedRows(const doses_boxes::BoxTexts &boxes);

} // namespace doses_checks
