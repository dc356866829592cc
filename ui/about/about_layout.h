#pragma once

#include <QRgb>
#include <array>
#include <optional>

// The about box as designed: every widget with its name, kind, text and place in twips within
// the client area. Later rows are stacked above earlier ones.
namespace about_layout {

enum class Kind { PushButton, Picture, Label, Line };

struct WidgetRow {
    const char *name;
    Kind kind;
    const char *text;
    // A line runs from (left, top) to (left + width, top) and is penWidth pixels thick.
    int left, top, width, height;
    // Focus order; -1 for widgets that never take the focus.
    int tabIndex;
    // Label text, line colour or picture background; none keeps the style's colour.
    std::optional<QRgb> colour;
    int penWidth;
    bool wraps;
};

inline constexpr const char *kCaption = "About Norvalis";
inline constexpr int kClientWidth = 5865;
inline constexpr int kClientHeight = 2790;

inline constexpr QRgb kBlack = qRgb(0, 0, 0);
inline constexpr QRgb kWhite = qRgb(255, 255, 255);
inline constexpr QRgb kGrey = qRgb(128, 128, 128);
inline constexpr QRgb kIconBackground = qRgb(192, 192, 192);

// clang-format off
inline constexpr std::array kWidgets{
    //        name              kind              text                                      left  top   width height tab colour            pen wraps
    WidgetRow{"cmdOK",          Kind::PushButton, "OK",                                     4245, 1800, 1467, 345,  0,  std::nullopt,      0, false},
    WidgetRow{"picIcon",        Kind::Picture,    "",                                       240,  240,  540,  540,  1,  kIconBackground,   0, false},
    WidgetRow{"lblDisclaimer",  Kind::Label,
              "Warning: the doses come only from the tables you enter and are no substitute "
              "for medical advice.",                                                        240,  1800, 3870, 825,  -1, kBlack,            0, true},
    WidgetRow{"lblVersion",     Kind::Label,      "Version",                                1050, 780,  4092, 225,  -1, std::nullopt,      0, false},
    WidgetRow{"lblTitle",       Kind::Label,      "Application Title",                      1050, 240,  4092, 480,  -1, kBlack,            0, false},
    WidgetRow{"lblDescription", Kind::Label,
              "Intended for calculation of Insulin doses with user defined variables and "
              "periods throughout the day.",                                                1050, 1125, 4095, 450,  -1, kBlack,            0, true},
    // The grey line over the white one gives an etched separator.
    WidgetRow{"Line1_0",        Kind::Line,       "",                                       240,  1680, 5417, 0,    -1, kWhite,            2, false},
    WidgetRow{"Line1_1",        Kind::Line,       "",                                       225,  1680, 5432, 0,    -1, kGrey,             1, false},
};
// clang-format on

} // namespace about_layout
