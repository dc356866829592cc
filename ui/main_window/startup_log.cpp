#include "ui/main_window/startup_log.h"

Q_LOGGING_CATEGORY(lcStartup, "norvalis.startup", QtWarningMsg)
