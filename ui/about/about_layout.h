#pragma once

#include "ui/widget_table/widget_row.h"

#include <array>
#include <string_view>

// The about box as designed: every widget with its name, kind, text and place in twips within
// the client area. Later rows lie above earlier ones.
namespace about_layout {

using namespace widget_table::table_words;

inline constexpr const char *kCaption = "About Norvalis";
inline constexpr int kClientWidth = 5865;
// Taller than designed by the row that names the settings file in use.
inline constexpr int kClientHeight = 3240;

inline constexpr widget_table::Colour System = widget_table::kStyleColour;
inline constexpr widget_table::Colour Black = widget_table::rgb(0, 0, 0);
inline constexpr widget_table::Colour White = widget_table::rgb(255, 255, 255);
inline constexpr widget_table::Colour Grey = widget_table::rgb(128, 128, 128);
inline constexpr widget_table::Colour IconBackground = widget_table::rgb(192, 192, 192);

inline constexpr std::string_view kDisclaimer =
    "Warning: the doses come only from the tables you enter and are no substitute for medical "
    "advice.";
inline constexpr std::string_view kDescription =
    "Intended for calculation of Insulin doses with user defined variables and periods "
    "throughout the day.";

// Labels never take the focus, whatever their tab index. A line's height is its thickness:
// the grey line over the white one gives an etched separator.
// clang-format off
inline constexpr std::array<widget_table::WidgetRow, 9> kWidgets = {{
//   name               index     kind        container    text                 left  top   width height tab         font        align    colour          wraps    visible labelled by
    {"cmdOK",           kNoIndex, PushButton, kClientArea, "OK",                4245, 1800, 1467, 345,   0,          WindowFont, Centre,  System,         OneLine, Shown,  {}},
    {"picIcon",         kNoIndex, Picture,    kClientArea, "",                   240,  240,  540, 540,   1,          WindowFont, TopLeft, IconBackground, OneLine, Shown,  {}},
    {"lblDisclaimer",   kNoIndex, Label,      kClientArea, kDisclaimer,          240, 1800, 3870, 825,   2,          WindowFont, TopLeft, Black,          Wraps,   Shown,  {}},
    {"lblVersion",      kNoIndex, Label,      kClientArea, "Version",           1050,  780, 4092, 225,   3,          WindowFont, TopLeft, System,         OneLine, Shown,  {}},
    {"lblTitle",        kNoIndex, Label,      kClientArea, "Application Title", 1050,  240, 4092, 480,   4,          WindowFont, TopLeft, Black,          OneLine, Shown,  {}},
    {"lblDescription",  kNoIndex, Label,      kClientArea, kDescription,        1050, 1125, 4095, 450,   5,          WindowFont, TopLeft, Black,          Wraps,   Shown,  {}},
    {"Line1",           0,        Line,       kClientArea, "",                   240, 1680, 5417,  30,   kNoTabStop, WindowFont, Left,    White,          OneLine, Shown,  {}},
    {"Line1",           1,        Line,       kClientArea, "",                   225, 1680, 5432,  15,   kNoTabStop, WindowFont, Left,    Grey,           OneLine, Shown,  {}},
    {"lblSettingsFile", kNoIndex, Label,      kClientArea, "Settings file",      240, 2700, 5417, 450,   6,          WindowFont, TopLeft, Black,          Wraps,   Shown,  {}},
}};
// clang-format on
static_assert(widget_table::isWellFormed(kWidgets));

} // namespace about_layout
