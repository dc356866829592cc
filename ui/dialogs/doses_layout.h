#pragma once

#include "ui/widget_table/widget_row.h"

#include <array>
#include <string_view>

// The stored layout of the "Configure Dosages" dialog, in twips. The dialog is built from this
// table by the shared widget builder and the layout test walks it. Later rows lie above earlier
// ones: the tab pane lies under the tabs, the pages over the pane.
namespace doses_layout {

using namespace widget_table::table_words;
using widget_table::Colour;
using widget_table::WidgetRow;

inline constexpr int kDialogWidth = 3700;
inline constexpr int kDialogHeight = 6600;
inline constexpr int kClientLeft = 2760;
inline constexpr int kClientTop = 3750;
inline constexpr int kRows = 12;

// The tabs stand in a strip of 120, 600, 3255 x 4965; the pane under them opens into the
// selected tab, one pixel over the tabs' bottom edge.
inline constexpr int kTabsHeight = 360;
inline constexpr int kPaneTop = 600 + kTabsHeight - 15;

inline constexpr Colour System = widget_table::kStyleColour;
inline constexpr Colour kBloodSugarBox = widget_table::rgb(192, 64, 0);
inline constexpr Colour kBloodSugarLabel = widget_table::rgb(192, 0, 0);
inline constexpr Colour kWeighting = widget_table::rgb(0, 0, 192);
inline constexpr Colour kCarbBox = widget_table::rgb(0, 128, 0);
inline constexpr Colour kCarbLabel = widget_table::rgb(0, 192, 0);

namespace detail {

inline constexpr int kDialogWidgets = 11;
inline constexpr int kTablePageWidgets = 4 + kRows * 3;
inline constexpr int kCarbPageWidgets = 2 + kRows;
inline constexpr int kWidgetCount = kDialogWidgets + 2 * kTablePageWidgets + kCarbPageWidgets;

// Pages 0 and 1 share one layout; only names, indexes, texts and colours differ.
struct TablePage {
    std::string_view page;
    int headingIndex;
    std::string_view heading;
    int levelCaptionIndex;
    int lowerLimitCaptionIndex;
    int doseCaptionIndex;
    std::string_view boxName;
    int firstTabIndex; // of box 24; box 1 comes last
    Colour labelColour;
    Colour boxColour;
};

// clang-format off
//                                         page               heading                             Level limit Dose boxes       tab  labels            boxes
inline constexpr TablePage kBloodSugarPage{"frameDosages_0", 20, "Blood Sugar Correction Dosages",  7,    0,    2,  "INPUT_BS",  1, kBloodSugarLabel, kBloodSugarBox};
inline constexpr TablePage kWeightingPage{ "frameDosages_1", 47, "Carbohydrate Weighting Dosages.", 33,   1,    4,  "INPUT_CW", 25, kWeighting,       kWeighting};
// clang-format on

inline constexpr std::array<std::string_view, kRows + 1> kRowNumbers = {
    "", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};

constexpr int rowTop(int row) {
    return 585 + 300 * row;
}

template <std::size_t N>
constexpr void addTablePage(std::array<WidgetRow, N> &w, int &n, const TablePage &p) {
    const std::string_view pg = p.page;
    const int level = p.levelCaptionIndex;
    const Colour lbl = p.labelColour;
    const Colour box = p.boxColour;
    // clang-format off
    w[n++] = {"Label1", p.headingIndex,           Label, pg, p.heading,     240, 120, 2655, 375, kNoTabStop, Bold,       TopCentre, lbl, Wraps, Shown, {}};
    w[n++] = {"Label1", level,                    Label, pg, "Level",       120, 585,  615, 285, kNoTabStop, WindowFont, TopLeft,   lbl, Wraps, Shown, {}};
    w[n++] = {"Label1", p.lowerLimitCaptionIndex, Label, pg, "Lower Limit", 840, 585,  855, 255, kNoTabStop, WindowFont, TopLeft,   lbl, Wraps, Shown, {}};
    w[n++] = {"Label1", p.doseCaptionIndex,       Label, pg, "Dose",       2040, 585,  855, 255, kNoTabStop, WindowFont, TopLeft,   lbl, Wraps, Shown, {}};
    for (int r = 1; r <= kRows; ++r) {
        const int firstTab = p.firstTabIndex;
        w[n++] = {"Label1",  level + r, Label,   pg, kRowNumbers[r],  360, rowTop(r), 255, 285, kNoTabStop,        WindowFont, TopCentre, lbl, Wraps,   Shown, {}};
        w[n++] = {p.boxName, r,         TextBox, pg, "",              840, rowTop(r), 855, 285, firstTab + 24 - r, Bold,       Right,     box, OneLine, Shown, {}};
        w[n++] = {p.boxName, r + 12,    TextBox, pg, "",             2025, rowTop(r), 855, 285, firstTab + 12 - r, Bold,       Right,     box, OneLine, Shown, {}};
    }
    // clang-format on
}

constexpr std::array<WidgetRow, kWidgetCount> buildLayout() {
    std::array<WidgetRow, kWidgetCount> w{};
    int n = 0;
    constexpr std::string_view stack = "frameDosagesStack";
    // clang-format off
    //         name                 index     kind          container    text                                 left  top        width height                tab         font        align     colour  wraps    visible labelled by
    w[n++] = {"Label1",             46,       Label,        kClientArea, "Period",                            240,  240,       975,  285,                  kNoTabStop, Bold,       TopRight, System, Wraps,   Shown,  {}};
    w[n++] = {"Mealtime",           kNoIndex, DropDownList, kClientArea, "",                                  1560, 240,       1695, 315,                  53,         Bold,       Left,     System, OneLine, Shown,  "Label1_46"};
    w[n++] = {"tbsOptionsPane",     kNoIndex, TabPane,      kClientArea, "",                                  120,  kPaneTop,  3255, 600 + 4965 - kPaneTop, kNoTabStop, Regular,    Left,     System, OneLine, Shown,  {}};
    w[n++] = {"tbsOptions",         kNoIndex, TabBar,       kClientArea, "Blood Sugar|Weighting|Carbohydrate", 120,  600,       3255, kTabsHeight,          0,          Regular,    Left,     System, OneLine, Shown,  {}};
    w[n++] = {stack,                kNoIndex, Stack,        kClientArea, "",                                  240,  960,       3015, 4575,                 kNoTabStop, Bold,       Left,     System, OneLine, Shown,  {}};
    w[n++] = {"frameDosages",       0,        GroupFrame,   stack,       "",                                  0,    0,         3015, 4575,                 kNoTabStop, Bold,       Left,     System, OneLine, Shown,  {}};
    w[n++] = {"frameDosages",       1,        GroupFrame,   stack,       "",                                  0,    0,         3015, 4575,                 kNoTabStop, Bold,       Left,     System, OneLine, Shown,  {}};
    w[n++] = {"frameDosages",       2,        GroupFrame,   stack,       "",                                  0,    0,         3015, 1335,                 kNoTabStop, Bold,       Left,     System, OneLine, Shown,  {}};
    w[n++] = {"cmdApply",           kNoIndex, PushButton,   kClientArea, "&Apply",                            240,  5640,      1095, 375,                  52,         Bold,       Left,     System, OneLine, Shown,  {}};
    w[n++] = {"cmdOK",              kNoIndex, PushButton,   kClientArea, "OK",                                1320, 5640,      1095, 375,                  50,         Bold,       Left,     System, OneLine, Shown,  {}};
    w[n++] = {"cmdCancel",          kNoIndex, PushButton,   kClientArea, "Cancel",                            2400, 5640,      1095, 375,                  51,         Bold,       Left,     System, OneLine, Shown,  {}};
    // clang-format on
    addTablePage(w, n, kBloodSugarPage);
    addTablePage(w, n, kWeightingPage);
    constexpr std::string_view carb = "frameDosages_2";
    // clang-format off
    w[n++] = {"Label1",   3, Label,   carb, "Grams of Carbohydrate per Unit of Insulin.", 240, 120, 2655, 495, kNoTabStop, Bold,       TopCentre, kCarbLabel, Wraps,   Shown, {}};
    w[n++] = {"Label1",   6, Label,   carb, "Dose",                                       840, 600,  855, 255, kNoTabStop, WindowFont, TopCentre, kCarbLabel, Wraps,   Shown, {}};
    w[n++] = {"INPUT_CD", 1, TextBox, carb, "",                                           840, 885,  855, 285, 49,         Bold,       Right,     kCarbBox,   OneLine, Shown, {}};
    // Entries other than the one the doses use ride along unseen, so OK stores them again.
    for (int r = 2; r <= kRows; ++r)
        w[n++] = {"INPUT_CD", r, TextBox, carb, "", 840, rowTop(r), 855, 285, kNoTabStop, Bold, Right, kCarbBox, OneLine, Hidden, {}};
    // clang-format on
    return w;
}

} // namespace detail

inline constexpr std::array<WidgetRow, detail::kWidgetCount> kLayout = detail::buildLayout();
static_assert(widget_table::isWellFormed(kLayout));

} // namespace doses_layout
