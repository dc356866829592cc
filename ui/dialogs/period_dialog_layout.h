#pragma once

#include "ui/widget_table/widget_row.h"

#include <array>

// The periods dialog as designed: every widget with its name, kind, text, place in twips
// within the client area, and focus order.
namespace period_dialog_layout {

using namespace widget_table::table_words;

inline constexpr const char *kCaption = "Configure Periods";
inline constexpr int kClientWidth = 3855;
inline constexpr int kClientHeight = 7590;
// The client area's place, from the screen's top-left corner.
inline constexpr int kClientLeft = 2760;
inline constexpr int kClientTop = 3750;

inline constexpr widget_table::Colour System = widget_table::kStyleColour;

// clang-format off
inline constexpr std::array<widget_table::WidgetRow, 14> kWidgets = {{
//   name            index     kind        container    text      left  top   width height tab font        align   colour  wraps    visible labelled by
    {"OKButton",     kNoIndex, PushButton, kClientArea, "OK",     600,  4920, 1215, 375,   0, WindowFont, Centre, System, OneLine, Shown,  {}},
    {"CancelButton", kNoIndex, PushButton, kClientArea, "Cancel", 2040, 4920, 1215, 375,   1, WindowFont, Centre, System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 1,        TextBox,    kClientArea, "period", 720,   360, 1735, 285,   2, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 2,        TextBox,    kClientArea, "period", 720,   720, 1735, 285,   3, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 3,        TextBox,    kClientArea, "period", 720,  1080, 1735, 285,   4, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 4,        TextBox,    kClientArea, "period", 720,  1440, 1735, 285,   5, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 5,        TextBox,    kClientArea, "period", 720,  1800, 1735, 285,   6, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 6,        TextBox,    kClientArea, "period", 720,  2160, 1735, 285,   7, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 7,        TextBox,    kClientArea, "period", 720,  2520, 1735, 285,   8, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 8,        TextBox,    kClientArea, "period", 720,  2880, 1735, 285,   9, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 9,        TextBox,    kClientArea, "period", 720,  3240, 1735, 285,  10, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 10,       TextBox,    kClientArea, "period", 720,  3600, 1735, 285,  11, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 11,       TextBox,    kClientArea, "period", 720,  3960, 1735, 285,  12, WindowFont, Left,   System, OneLine, Shown,  {}},
    {"INPUT_PERIOD", 12,       TextBox,    kClientArea, "period", 720,  4320, 1735, 285,  13, WindowFont, Left,   System, OneLine, Shown,  {}},
}};
// clang-format on
static_assert(widget_table::isWellFormed(kWidgets));

} // namespace period_dialog_layout
