#pragma once

#include <QString>
#include <QStringList>

namespace mainwindow {

// The number a box's text is read as when a comma follows its digits directly ("7,5" is
// read as 7); an empty text when the text has no such shape.
QString commaReading(QStringView text);

// The number a box's text is read as when it holds digits the program does not read
// ("１２" and "١٢" are read as 0); an empty text when it holds none.
QString foreignDigitsReading(QStringView text);

// The note under the inputs for the boxes' texts that are read otherwise than they look (a
// decimal comma, digits other than 0-9), in box order; empty when there are none.
QString misreadingHint(const QStringList &texts);

// The note for decimal-comma readings alone, in box order; empty when there are none.
QString commaHint(const QStringList &readings);

// What the main window says in place of the ratio line while no period is listed.
QString noPeriodsHint(const QString &settingsFilePath);

} // namespace mainwindow
