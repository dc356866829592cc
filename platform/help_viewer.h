#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace platform {

// The user manual's file name; the build puts it beside the program and so does the install
// (the Debian package in share/norvalis, see dataDirectory()).
inline constexpr const char *kManualFileName = "Norvalis-manual.html";

// Where the manual is: beside the running program.
QString manualPath();

// Opens the manual in the desktop's browser. Returns false with a message that gives the
// manual's path when the file is missing or nothing could open it.
bool showHelpContents(const QString &manual, QString *error);

// Replaces the desktop's URL opener (tests record what would be opened); an empty function
// puts QDesktopServices back.
void setUrlOpenerForTesting(std::function<bool(const QUrl &)> opener);

} // namespace platform
