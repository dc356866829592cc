#pragma once

#include <QLoggingCategory>

// "norvalis.startup": where the settings file was looked for and what was read from it.
// Off by default; QT_LOGGING_RULES="norvalis.*=true" turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcStartup)
