#pragma once

#include <QString>

class QWidget;

namespace platform {

// Style values as the program uses them: the sum of a button set and an icon.
inline constexpr int kOkOnly = 0;
inline constexpr int kInformation = 64;

// A modal message box with one OK button; an empty title shows the application title.
// The box's object name is "messageBox" so tests can find and close it.
void messageBox(QWidget *parent, const QString &text, int style = kOkOnly,
                const QString &title = QString());

} // namespace platform
