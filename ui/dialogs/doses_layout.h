#pragma once

#include <array>
#include <optional>

// The stored layout of the "Configure Dosages" dialog, in twips. The dialog is built from this
// table and the layout test walks it.
namespace doses_layout {

enum class Kind { Label, PeriodSelector, TabStrip, Page, Box, Button };
enum class Align { Left, Right, Centre };
// Bold and Regular are the design face; DialogFont is whatever the dialog itself uses.
enum class FontRole { Bold, Regular, DialogFont };

struct Rgb {
    int red;
    int green;
    int blue;
};

inline constexpr int kOnDialog = -1; // container: the dialog's client area, not a page
inline constexpr int kNoIndex = -1;  // widget that is not a member of an indexed group
inline constexpr int kNoFocus = -1;  // widget outside the focus order

struct LayoutRow {
    const char *name;
    int index;
    Kind kind;
    int page; // kOnDialog or the index of frameDosages holding it
    const char *text;
    int left, top, width, height;
    int tabIndex;
    FontRole font;
    Align align;
    std::optional<Rgb> colour; // nullopt: the system colour
    bool visible;
};

inline constexpr int kDialogWidth = 3700;
inline constexpr int kDialogHeight = 6600;
inline constexpr int kClientLeft = 2760;
inline constexpr int kClientTop = 3750;
inline constexpr int kPageInViewLeft = 240;
inline constexpr int kPageOutOfViewLeft = -20000;
inline constexpr int kCarbPageHeight = 1335;
inline constexpr int kRows = 12;

inline constexpr std::array<const char *, 3> kTabCaptions = {"Blood Sugar", "Weighting",
                                                             "Carbohydrate"};

inline constexpr Rgb kBloodSugarBox{192, 64, 0};
inline constexpr Rgb kBloodSugarLabel{192, 0, 0};
inline constexpr Rgb kWeighting{0, 0, 192};
inline constexpr Rgb kCarbBox{0, 128, 0};
inline constexpr Rgb kCarbLabel{0, 192, 0};

namespace detail {

inline constexpr int kDialogWidgets = 9;
inline constexpr int kTablePageWidgets = 4 + kRows * 3;
inline constexpr int kCarbPageWidgets = 2 + kRows;
inline constexpr int kWidgetCount = kDialogWidgets + 2 * kTablePageWidgets + kCarbPageWidgets;

// Pages 0 and 1 share one layout; only names, indexes, texts and colours differ.
struct TablePage {
    int page;
    int headingIndex;
    const char *heading;
    int levelCaptionIndex;
    int lowerLimitCaptionIndex;
    int doseCaptionIndex;
    const char *boxName;
    int firstTabIndex; // of box 24; box 1 comes last
    Rgb labelColour;
    Rgb boxColour;
};

// clang-format off
//                                         page heading                             Level limit Dose boxes       tab  labels            boxes
inline constexpr TablePage kBloodSugarPage{0,  20, "Blood Sugar Correction Dosages",  7,    0,    2,  "INPUT_BS",  1, kBloodSugarLabel, kBloodSugarBox};
inline constexpr TablePage kWeightingPage{ 1,  47, "Carbohydrate Weighting Dosages.", 33,   1,    4,  "INPUT_CW", 25, kWeighting,       kWeighting};
// clang-format on

inline constexpr std::array<const char *, kRows + 1> kRowNumbers = {
    "", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};

constexpr int rowTop(int row) {
    return 585 + 300 * row;
}

template <std::size_t N>
constexpr void addTablePage(std::array<LayoutRow, N> &w, int &n, const TablePage &p) {
    using enum Kind;
    using enum FontRole;
    using enum Align;
    const int pg = p.page;
    const int level = p.levelCaptionIndex;
    const auto lbl = p.labelColour;
    const auto box = p.boxColour;
    // clang-format off
    w[n++] = {"Label1", p.headingIndex,           Label, pg, p.heading,     240, 120, 2655, 375, kNoFocus, Bold,       Centre, lbl, true};
    w[n++] = {"Label1", level,                    Label, pg, "Level",       120, 585,  615, 285, kNoFocus, DialogFont, Left,   lbl, true};
    w[n++] = {"Label1", p.lowerLimitCaptionIndex, Label, pg, "Lower Limit", 840, 585,  855, 255, kNoFocus, DialogFont, Left,   lbl, true};
    w[n++] = {"Label1", p.doseCaptionIndex,       Label, pg, "Dose",       2040, 585,  855, 255, kNoFocus, DialogFont, Left,   lbl, true};
    for (int r = 1; r <= kRows; ++r) {
        const int firstTab = p.firstTabIndex;
        w[n++] = {"Label1",  level + r, Label, pg, kRowNumbers[r],  360, rowTop(r), 255, 285, kNoFocus,             DialogFont, Centre, lbl, true};
        w[n++] = {p.boxName, r,         Box,   pg, "",              840, rowTop(r), 855, 285, firstTab + 24 - r,    Bold,       Right,  box, true};
        w[n++] = {p.boxName, r + 12,    Box,   pg, "",             2025, rowTop(r), 855, 285, firstTab + 12 - r,    Bold,       Right,  box, true};
    }
    // clang-format on
}

constexpr std::array<LayoutRow, kWidgetCount> buildLayout() {
    using enum Kind;
    using enum FontRole;
    using enum Align;
    std::array<LayoutRow, kWidgetCount> w{};
    int n = 0;
    const auto sys = std::nullopt;
    // clang-format off
    //         name            index     kind            page       text       left   top  width height  tab       font     align  colour visible
    w[n++] = {"Label1",       46,       Label,          kOnDialog, "Period",   240,  240,  975,  285,  kNoFocus, Bold,    Right, sys,   true};
    w[n++] = {"Mealtime",     kNoIndex, PeriodSelector, kOnDialog, "",        1560,  240, 1695,  315,  53,       Bold,    Left,  sys,   true};
    w[n++] = {"tbsOptions",   kNoIndex, TabStrip,       kOnDialog, "",         120,  600, 3255, 4965,  0,        Regular, Left,  sys,   true};
    w[n++] = {"frameDosages", 0,        Page,           kOnDialog, "",         240,  960, 3015, 4575,  kNoFocus, Bold,    Left,  sys,   true};
    w[n++] = {"frameDosages", 1,        Page,           kOnDialog, "",        3720,  960, 3015, 4575,  kNoFocus, Bold,    Left,  sys,   true};
    w[n++] = {"frameDosages", 2,        Page,           kOnDialog, "",        6960,  960, 3015, 4575,  kNoFocus, Bold,    Left,  sys,   true};
    w[n++] = {"cmdApply",     kNoIndex, Button,         kOnDialog, "&Apply",   240, 5640, 1095,  375,  52,       Bold,    Left,  sys,   true};
    w[n++] = {"cmdOK",        kNoIndex, Button,         kOnDialog, "OK",      1320, 5640, 1095,  375,  50,       Bold,    Left,  sys,   true};
    w[n++] = {"cmdCancel",    kNoIndex, Button,         kOnDialog, "Cancel",  2400, 5640, 1095,  375,  51,       Bold,    Left,  sys,   true};
    // clang-format on
    addTablePage(w, n, kBloodSugarPage);
    addTablePage(w, n, kWeightingPage);
    // clang-format off
    w[n++] = {"Label1",   3, Label, 2, "Grams of Carbohydrate per Unit of Insulin.", 240, 120, 2655, 495, kNoFocus, Bold, Centre, kCarbLabel, true};
    w[n++] = {"Label1",   6, Label, 2, "Dose",                                       840, 600,  855, 255, kNoFocus, DialogFont, Centre, kCarbLabel, true};
    w[n++] = {"INPUT_CD", 1, Box,   2, "",                                           840, 885,  855, 285, 49,       Bold, Right,  kCarbBox,   true};
    // Entries 2..12 of the carbohydrate table ride along unseen, so OK stores them again.
    for (int r = 2; r <= kRows; ++r)
        w[n++] = {"INPUT_CD", r, Box, 2, "", 840, rowTop(r), 855, 285, kNoFocus, Bold, Right, kCarbBox, false};
    // clang-format on
    return w;
}

} // namespace detail

inline constexpr std::array<LayoutRow, detail::kWidgetCount> kLayout = detail::buildLayout();

} // namespace doses_layout
