#pragma once

#include <QString>

class QFontMetrics;
class QLabel;

namespace mainwindow {

// Text that fits width: the whole text when it fits, otherwise as many whole words as fit
// followed by an ellipsis. A first word too long on its own is cut inside it.
QString elideAtWord(const QString &text, const QFontMetrics &metrics, int width);

// Shows a caption rewritten at run time in its label. When it does not fit, the label shows
// it cut at a word and keeps the whole text as its tooltip and accessible name.
void showCaption(QLabel *label, const QString &text);

} // namespace mainwindow
