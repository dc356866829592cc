#pragma once

#include <QStringList>
#include <optional>

// The program's own options. --help and --version are answered before any window system is
// needed; an option the program does not know is refused with its usage.
namespace commandline {

// The exit status when the program must end without opening its window, after printing
// what it prints; nullopt to go on and start. arguments: argv as given, program name first.
std::optional<int> handleBeforeStart(const QStringList &arguments);

// The same for the arguments the toolkit left after taking its own (-style, -platform, ...).
std::optional<int> handleAfterToolkit(const QStringList &arguments);

} // namespace commandline
