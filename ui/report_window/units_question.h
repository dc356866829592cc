#pragma once

#include "core/glucose_options.h"

#include <optional>

class QString;
class QWidget;

// The units the report reads readings in: those the settings file names, or, while it names
// none, the answer to a question that is then stored in the file. Nullopt when the person
// gave no answer.
std::optional<norvalis::GlucoseUnits> reportUnits(QWidget *parent, const QString &settingsPath);
