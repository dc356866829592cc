#pragma once

#include <QString>

class QWidget;

namespace platform {

// Opens the contents page of a help file. Returns false with a reason when it cannot, such as
// when there is no help viewer for the file.
bool showHelpContents(QWidget *owner, const QString &helpFile, QString *error);

} // namespace platform
