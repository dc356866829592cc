#pragma once

#include <QRgb>
#include <span>
#include <string_view>

// One row of a window's layout table: what to create, where, and how it looks. Every window
// keeps its widgets in a constexpr array of these rows, in creation order; the builder
// (widget_builder.h) makes the widgets from it and the window's layout test walks the same rows.
namespace widget_table {

enum class Kind {
    GroupFrame,   // framed box titled with the text
    Label,        // the text, never read as markup
    TextBox,      // single-line box holding the text
    DropDownList, // list the user can only pick from; the text is ignored
    PushButton,   // never a default button unless its window makes it one
    Picture,      // sunken panel for an image the window sets; the colour fills it
    Line,         // rule: width is its length, height its thickness, the colour fills it
    TabBar,       // row of tabs; the text lists their captions separated by '|'
    TabPane,      // raised panel a row of tabs opens into; comes before the tabs in the table
    Stack,        // pages one at a time: rows placed in it become its pages in table order, each
                  // at the stack's top left and no larger than its own place
};

// Horizontal alignment of a label's or a box's text, centred vertically; the Top forms keep
// the text at the top of its place.
enum class Align { Left, Right, Centre, TopLeft, TopRight, TopCentre };

enum class FontRole {
    Regular,    // the design face
    Bold,       // the design face, weight 700
    WindowFont, // the font of the area the table is built on, even inside a bold frame
};

// The colour of a frame's title or of a label's or box's text; the fill of a picture or a line.
struct Colour {
    enum class Source : unsigned char { Style, Highlight, Rgb };
    Source source = Source::Style;
    QRgb rgb = 0;
    friend constexpr bool operator==(const Colour &, const Colour &) = default;
};

inline constexpr Colour kStyleColour{};                              // the style's own colour
inline constexpr Colour kHighlightColour{Colour::Source::Highlight}; // the system highlight
constexpr Colour rgb(int red, int green, int blue) {
    return {Colour::Source::Rgb, qRgb(red, green, blue)};
}

enum Wrapping : bool { OneLine = false, Wraps = true };
enum Visibility : bool { Hidden = false, Shown = true };

inline constexpr int kNoIndex = -1;   // not a member of an indexed widget group
inline constexpr int kNoTabStop = -1; // never takes the focus
// Container of the widgets placed straight on the area the table is built on.
inline constexpr std::string_view kClientArea = {};

struct WidgetRow {
    std::string_view name; // the design name; members of an indexed group share it
    int index;             // index within its group, or kNoIndex
    Kind kind;
    std::string_view container; // object name of an earlier row, or kClientArea
    std::string_view text;
    int left, top, width, height; // twips, within the container
    // Focus order among the widgets that can take the focus; others ignore it.
    int tabIndex;
    FontRole font;
    Align align;
    Colour colour;
    Wrapping wraps; // labels only: long text breaks at word ends
    Visibility visible;
    // Object name of the label whose caption tells a screen reader what this widget holds.
    std::string_view labelledBy;
};

namespace detail {
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether objectName is the object name the builder gives the row.
constexpr bool names(std::string_view objectName, const WidgetRow &row) {
    if (row.index == kNoIndex)
        return objectName == row.name;
    if (!objectName.starts_with(row.name) || objectName.size() < row.name.size() + 2 ||
        objectName[row.name.size()] != '_')
        return false;
    int index = 0;
    for (const char c : objectName.substr(row.name.size() + 1)) {
        if (!isDigit(c))
            return false;
        index = index * 10 + (c - '0');
    }
    return index == row.index;
}

constexpr bool sameObjectName(const WidgetRow &a, const WidgetRow &b) {
    if (a.index == kNoIndex)
        return names(a.name, b);
    if (b.index == kNoIndex)
        return names(b.name, a);
    return a.name == b.name && a.index == b.index;
}

constexpr bool namedBefore(std::span<const WidgetRow> rows, std::size_t end,
                           std::string_view objectName) {
    for (std::size_t i = 0; i < end; ++i) {
        if (names(objectName, rows[i]))
            return true;
    }
    return false;
}
} // namespace detail

// Checked at compile time by every window: each widget has its own name, each container comes
// before what it holds, and each labelledBy names a label of the same table.
constexpr bool isWellFormed(std::span<const WidgetRow> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const WidgetRow &row = rows[i];
        for (std::size_t j = 0; j < i; ++j) {
            if (detail::sameObjectName(rows[j], row))
                return false;
        }
        if (!row.container.empty() && !detail::namedBefore(rows, i, row.container))
            return false;
        if (!row.labelledBy.empty()) {
            bool found = false;
            for (const WidgetRow &label : rows)
                found =
                    found || (label.kind == Kind::Label && detail::names(row.labelledBy, label));
            if (!found)
                return false;
        }
    }
    return true;
}

// The words a window's layout table is written in: `using namespace widget_table::table_words;`
// in the namespace that holds the table.
namespace table_words {
using enum Kind;
using enum Align;
using enum FontRole;
using enum Wrapping;
using enum Visibility;
using widget_table::kClientArea;
using widget_table::kNoIndex;
using widget_table::kNoTabStop;
} // namespace table_words

} // namespace widget_table
