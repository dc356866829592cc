#pragma once

#include "ui/widget_table/widget_row.h"

#include <QHash>
#include <QString>
#include <QWidget>
#include <span>

namespace widget_table {

using WidgetsByName = QHash<QString, QWidget *>;

struct BuiltWidgets {
    WidgetsByName byName;
    // The first widget of the focus chain, for the window to focus on opening; null when no
    // widget takes the focus.
    QWidget *firstTabStop = nullptr;

    // The widget of that object name as T; null when there is none or it is not a T.
    template <typename T = QWidget> T *get(const QString &objectName) const {
        return qobject_cast<T *>(byName.value(objectName));
    }
};

// Indexed widgets are named "<name>_<index>" ("Label2_1", "INPUT_BS_13") and also carry their
// index in the dynamic property "index"; the others carry their design name unchanged.
QString objectNameOf(const WidgetRow &row);

// Creates the rows' widgets on root in table order, so later rows lie above earlier ones,
// each in its container, at its twips place, in its font, alignment and colour; hides the
// hidden ones, and chains the focus of those that take it by rising tab index. Widgets that
// cannot take the focus, or have no tab index, never get it. Gives every labelled widget its
// label's caption as accessible name (see updateAccessibleNames).
BuiltWidgets buildWidgets(std::span<const WidgetRow> rows, QWidget *root);

// Gives every widget that has a labelledBy row the current caption of that label as its
// accessible name, and the label its whole text as tool tip while its place cuts it off; run
// again whenever such a caption changes.
void updateAccessibleNames(std::span<const WidgetRow> rows, const WidgetsByName &widgets);

} // namespace widget_table
