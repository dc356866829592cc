#pragma once

#include <QStringList>
#include <optional>

// The program's own options, answered before any window system is needed: --help and
// --version print and end; an option that neither the program nor the toolkit knows (-style,
// -platform, ...) is refused with the usage.
namespace commandline {

// The exit status when the program must end without opening its window, after printing
// what it prints; nullopt to go on and start. arguments: argv as given, program name first.
std::optional<int> handle(const QStringList &arguments);

} // namespace commandline
