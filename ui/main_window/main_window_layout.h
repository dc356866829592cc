#pragma once

#include <array>
#include <string_view>

// The main window as designed: every widget in creation order, and the menu bar. The builder
// creates the window from these tables and the layout test walks the same tables.
namespace mainwindow {

enum class WidgetKind { GroupFrame, Label, TextBox, DropDownList, PushButton };

// Horizontal text alignment; labels are also centred vertically.
enum class TextAlign { Left, Right, Centre };

enum class CaptionColour {
    System,    // the style's own text colour
    Olive,     // RGB(128, 128, 0)
    Highlight, // the system highlight colour
    DarkRed,   // RGB(192, 0, 0)
};

inline constexpr int kNoIndex = -1;
inline constexpr int kNoTabStop = -1;
// Container of the widgets placed straight on the window's client area.
inline constexpr std::string_view kClientArea = {};

struct WidgetSpec {
    std::string_view name; // the design name; indexed widgets share it
    int index;             // index within its widget group, or kNoIndex
    WidgetKind kind;
    std::string_view container; // object name of the group frame, or kClientArea
    std::string_view text;
    int left, top, width, height; // twips, relative to the container
    int tabIndex;
    CaptionColour colour;
    bool bold;
    TextAlign align;
    // Object name of the label whose caption tells a screen reader what this widget holds.
    std::string_view labelledBy;
};

using enum WidgetKind;
using enum TextAlign;
using enum CaptionColour;

// clang-format off
inline constexpr std::array<WidgetSpec, 18> kMainWindowWidgets = {{
//   name           index     kind          container      text                                   left   top    width  height tab colour     bold   align   labelled by
    {"Exit",        kNoIndex, PushButton,   kClientArea,   "EXIT",                                 120, 4920, 3375,  375, 16, System,    false, Centre, {}},
    {"Frame1",      kNoIndex, GroupFrame,   kClientArea,   "Input Data",                           120,  600, 3375, 2175,  0, Olive,     true,  Left,   {}},
    {"Carb",        kNoIndex, TextBox,      "Frame1",      "0",                                   1440, 1320, 1455,  285,  5, System,    false, Left,   "Label2_1"},
    {"Mealtime",    kNoIndex, DropDownList, "Frame1",      "",                                    1440,  360, 1695,  315,  4, System,    true,  Left,   "Label1_0"},
    {"Blood_Sugar", kNoIndex, TextBox,      "Frame1",      "0",                                   1440,  840, 1455,  285,  2, System,    false, Left,   "Label2_0"},
    {"Lab_cd3",     kNoIndex, Label,        "Frame1",      "Insulin Units per grms Carbohydrate",  120, 1800, 3015,  285, 17, DarkRed,   false, Centre, {}},
    {"Label2",      1,        Label,        "Frame1",      "Carbohydrate",                         120, 1320, 1215,  285,  6, System,    true,  Right,  {}},
    {"Label2",      0,        Label,        "Frame1",      "Blood Sugar",                          120,  840, 1215,  285,  3, System,    true,  Right,  {}},
    {"Label1",      0,        Label,        "Frame1",      "Mealtime",                             360,  360,  975,  285,  1, System,    true,  Right,  {}},
    {"Frame2",      kNoIndex, GroupFrame,   kClientArea,   "Corrections",                          120, 2880, 3375, 1935,  7, Highlight, true,  Left,   {}},
    {"Lab_tot2",    kNoIndex, Label,        "Frame2",      "0.00",                                2400, 1440,  795,  255, 15, System,    true,  Right,  "Lab_tot1"},
    {"Lab_cw2",     kNoIndex, Label,        "Frame2",      "0.00",                                2400, 1080,  795,  255, 14, System,    false, Right,  "Lab_cw1"},
    {"Lab_tot1",    kNoIndex, Label,        "Frame2",      "Total",                               1800, 1440,  615,  255, 13, System,    true,  Left,   {}},
    {"Lab_cd2",     kNoIndex, Label,        "Frame2",      "0.00",                                2400,  720,  795,  255, 12, System,    false, Right,  "Lab_cd1"},
    {"Lab_bs2",     kNoIndex, Label,        "Frame2",      "0.00",                                2400,  360,  795,  255, 11, System,    false, Right,  "Lab_bs1_0"},
    {"Lab_cw1",     kNoIndex, Label,        "Frame2",      "Weighting if over ? grams",            120, 1080, 2535,  255, 10, System,    false, Left,   {}},
    {"Lab_cd1",     kNoIndex, Label,        "Frame2",      "Dose for carbohydrate",                120,  720, 2655,  255,  9, System,    false, Left,   {}},
    {"Lab_bs1",     0,        Label,        "Frame2",      "Blood sugar correction dose",          120,  360, 2655,  255,  8, System,    false, Left,   {}},
}};
// clang-format on

// The client area as designed, in twips; the menu bar sits above it.
inline constexpr int kClientWidth = 3600;
inline constexpr int kClientHeight = 5415;

inline constexpr std::string_view kWindowCaption = "Norvalis";

enum class MenuCommand { None, Periods, Dosages, Options, RecordDose, ShowLog, Contents, About };

struct MenuSpec {
    std::string_view name; // object name of the QAction (and of the QMenu for a menu title)
    int index;             // index within its menu group, or kNoIndex
    std::string_view caption;
    std::string_view menu; // the menu title it sits under; empty for a menu title
    bool enabled;
    MenuCommand command;
};

// In menu-bar order: each title followed by its items.
inline constexpr std::array<MenuSpec, 10> kMainMenu = {{
    {"Configuation", 1, "&Configuation", {}, true, MenuCommand::None},
    {"pconfig", 2, "&Periods", "Configuation", false, MenuCommand::Periods},
    {"dconfig", kNoIndex, "&Dosages", "Configuation", true, MenuCommand::Dosages},
    {"options", kNoIndex, "&Options…", "Configuation", true, MenuCommand::Options},
    {"log", kNoIndex, "&Log", {}, true, MenuCommand::None},
    {"recorddose", kNoIndex, "&Record dose…", "log", true, MenuCommand::RecordDose},
    {"showlog", kNoIndex, "&Show log…", "log", true, MenuCommand::ShowLog},
    {"help", kNoIndex, "&Help", {}, true, MenuCommand::None},
    {"contents", kNoIndex, "&Contents", "help", false, MenuCommand::Contents},
    {"about", kNoIndex, "&About", "help", true, MenuCommand::About},
}};

} // namespace mainwindow
