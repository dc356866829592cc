#pragma once

#include <array>

// The periods dialog as designed: every widget with its name, kind, text, place in twips
// within the client area, and focus order.
namespace period_dialog_layout {

enum class Kind { PushButton, TextBox };

struct WidgetRow {
    const char *name;
    Kind kind;
    const char *text;
    int left, top, width, height;
    int tabIndex;
};

inline constexpr const char *kCaption = "Configure Periods";
inline constexpr int kClientWidth = 3855;
inline constexpr int kClientHeight = 7590;
// The client area's place, from the screen's top-left corner.
inline constexpr int kClientLeft = 2760;
inline constexpr int kClientTop = 3750;

// clang-format off
inline constexpr std::array kWidgets{
    //        name               kind              text      left  top   width height tab
    WidgetRow{"OKButton",        Kind::PushButton, "OK",     600,  4920, 1215, 375,   0},
    WidgetRow{"CancelButton",    Kind::PushButton, "Cancel", 2040, 4920, 1215, 375,   1},
    WidgetRow{"INPUT_PERIOD_1",  Kind::TextBox,    "period", 720,  360,  1735, 285,   2},
    WidgetRow{"INPUT_PERIOD_2",  Kind::TextBox,    "period", 720,  720,  1735, 285,   3},
    WidgetRow{"INPUT_PERIOD_3",  Kind::TextBox,    "period", 720,  1080, 1735, 285,   4},
    WidgetRow{"INPUT_PERIOD_4",  Kind::TextBox,    "period", 720,  1440, 1735, 285,   5},
    WidgetRow{"INPUT_PERIOD_5",  Kind::TextBox,    "period", 720,  1800, 1735, 285,   6},
    WidgetRow{"INPUT_PERIOD_6",  Kind::TextBox,    "period", 720,  2160, 1735, 285,   7},
    WidgetRow{"INPUT_PERIOD_7",  Kind::TextBox,    "period", 720,  2520, 1735, 285,   8},
    WidgetRow{"INPUT_PERIOD_8",  Kind::TextBox,    "period", 720,  2880, 1735, 285,   9},
    WidgetRow{"INPUT_PERIOD_9",  Kind::TextBox,    "period", 720,  3240, 1735, 285,   10},
    WidgetRow{"INPUT_PERIOD_10", Kind::TextBox,    "period", 720,  3600, 1735, 285,   11},
    WidgetRow{"INPUT_PERIOD_11", Kind::TextBox,    "period", 720,  3960, 1735, 285,   12},
    WidgetRow{"INPUT_PERIOD_12", Kind::TextBox,    "period", 720,  4320, 1735, 285,   13},
};
// clang-format on

} // namespace period_dialog_layout
