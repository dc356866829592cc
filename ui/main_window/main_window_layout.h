#pragma once

#include "ui/widget_table/widget_row.h"

#include <array>
#include <string_view>

// The main window as designed: every widget in creation order, and the menu bar. The window is
// built from these tables and the layout test walks the same tables.
namespace mainwindow {

using namespace widget_table::table_words;

inline constexpr widget_table::Colour System = widget_table::kStyleColour;
inline constexpr widget_table::Colour Olive = widget_table::rgb(128, 128, 0);
inline constexpr widget_table::Colour Highlight = widget_table::kHighlightColour;
inline constexpr widget_table::Colour DarkRed = widget_table::rgb(192, 0, 0);

// clang-format off
inline constexpr std::array<widget_table::WidgetRow, 19> kMainWindowWidgets = {{
//   name           index     kind          container    text                                   left   top    width  height tab font     align   colour     wraps    visible labelled by
    {"Exit",        kNoIndex, PushButton,   kClientArea, "EXIT",                                 120, 4920, 3375,  375, 16, Regular, Centre, System,    OneLine, Shown,  {}},
    {"Frame1",      kNoIndex, GroupFrame,   kClientArea, "Input Data",                           120,  600, 3375, 2175,  0, Bold,    Left,   Olive,     OneLine, Shown,  {}},
    {"Carb",        kNoIndex, TextBox,      "Frame1",    "0",                                   1440, 1320, 1455,  285,  5, Regular, Left,   System,    OneLine, Shown,  "Label2_1"},
    {"Mealtime",    kNoIndex, DropDownList, "Frame1",    "",                                    1440,  360, 1695,  315,  4, Bold,    Left,   System,    OneLine, Shown,  "Label1_0"},
    {"Blood_Sugar", kNoIndex, TextBox,      "Frame1",    "0",                                   1440,  840, 1455,  285,  2, Regular, Left,   System,    OneLine, Shown,  "Label2_0"},
    {"Lab_cd3",     kNoIndex, Label,        "Frame1",    "Insulin Units per grms Carbohydrate",  120, 1800, 3015,  285, 17, Regular, Centre, DarkRed,   OneLine, Shown,  {}},
    {"Label2",      1,        Label,        "Frame1",    "Carbohydrate",                         120, 1320, 1215,  285,  6, Bold,    Right,  System,    OneLine, Shown,  {}},
    {"Label2",      0,        Label,        "Frame1",    "Blood Sugar",                          120,  840, 1215,  285,  3, Bold,    Right,  System,    OneLine, Shown,  {}},
    {"Label1",      0,        Label,        "Frame1",    "Mealtime",                             360,  360,  975,  285,  1, Bold,    Right,  System,    OneLine, Shown,  {}},
    {"Frame2",      kNoIndex, GroupFrame,   kClientArea, "Corrections",                          120, 2880, 3375, 1935,  7, Bold,    Left,   Highlight, OneLine, Shown,  {}},
    {"Lab_tot2",    kNoIndex, Label,        "Frame2",    "0.00",                                2400, 1440,  795,  255, 15, Bold,    Right,  System,    OneLine, Shown,  "Lab_tot1"},
    {"Lab_cw2",     kNoIndex, Label,        "Frame2",    "0.00",                                2400, 1080,  795,  255, 14, Regular, Right,  System,    OneLine, Shown,  "Lab_cw1"},
    {"Lab_tot1",    kNoIndex, Label,        "Frame2",    "Total",                               1800, 1440,  615,  255, 13, Bold,    Left,   System,    OneLine, Shown,  {}},
    {"Lab_cd2",     kNoIndex, Label,        "Frame2",    "0.00",                                2400,  720,  795,  255, 12, Regular, Right,  System,    OneLine, Shown,  "Lab_cd1"},
    {"Lab_bs2",     kNoIndex, Label,        "Frame2",    "0.00",                                2400,  360,  795,  255, 11, Regular, Right,  System,    OneLine, Shown,  "Lab_bs1_0"},
    {"Lab_cw1",     kNoIndex, Label,        "Frame2",    "Weighting if over ? grams",            120, 1080, 2535,  255, 10, Regular, Left,   System,    OneLine, Shown,  {}},
    {"Lab_cd1",     kNoIndex, Label,        "Frame2",    "Dose for carbohydrate",                120,  720, 2655,  255,  9, Regular, Left,   System,    OneLine, Shown,  {}},
    {"Lab_bs1",     0,        Label,        "Frame2",    "Blood sugar correction dose",          120,  360, 2655,  255,  8, Regular, Left,   System,    OneLine, Shown,  {}},
    // Shown only while a box holds a number followed by a decimal comma.
    {"Comma_Hint",  kNoIndex, Label,        "Frame1",    "",                                     120, 1605, 3135,  195, 18, Regular, Centre, DarkRed,   OneLine, Hidden, {}},
}};
// clang-format on
static_assert(widget_table::isWellFormed(kMainWindowWidgets));

// The client area as designed, in twips; the menu bar sits above it.
inline constexpr int kClientWidth = 3600;
inline constexpr int kClientHeight = 5415;

inline constexpr std::string_view kWindowCaption = "Norvalis";

enum class MenuCommand {
    None,
    Periods,
    Dosages,
    Options,
    RecordDose,
    ShowLog,
    Report,
    Contents,
    About
};

struct MenuSpec {
    std::string_view name; // object name of the QAction (and of the QMenu for a menu title)
    int index;             // index within its menu group, or kNoIndex
    std::string_view caption;
    std::string_view menu; // the menu title it sits under; empty for a menu title
    bool enabled;
    MenuCommand command;
};

// In menu-bar order: each title followed by its items.
inline constexpr std::array<MenuSpec, 11> kMainMenu = {{
    {"Configuation", 1, "&Configuation", {}, true, MenuCommand::None},
    {"pconfig", 2, "&Periods", "Configuation", true, MenuCommand::Periods},
    {"dconfig", kNoIndex, "&Dosages", "Configuation", true, MenuCommand::Dosages},
    {"options", kNoIndex, "&Options…", "Configuation", true, MenuCommand::Options},
    {"log", kNoIndex, "&Log", {}, true, MenuCommand::None},
    {"recorddose", kNoIndex, "&Record dose…", "log", true, MenuCommand::RecordDose},
    {"showlog", kNoIndex, "&Show log…", "log", true, MenuCommand::ShowLog},
    {"report", kNoIndex, "Re&port…", "log", true, MenuCommand::Report},
    {"help", kNoIndex, "&Help", {}, true, MenuCommand::None},
    {"contents", kNoIndex, "&Contents", "help", true, MenuCommand::Contents},
    {"about", kNoIndex, "&About", "help", true, MenuCommand::About},
}};

} // namespace mainwindow
