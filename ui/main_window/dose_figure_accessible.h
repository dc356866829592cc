#pragma once

#include <QString>

class QLabel;

namespace mainwindow {

// What a screen reader says for a dose figure: its caption, then its value or "blank"
// ("Total, 10.5"), so the figure is never read without what it is, nor a stale value.
QString spokenDoseFigure(const QString &caption, const QString &value);

// The whole caption of a label, also when the label shows it cut short.
QString fullCaption(const QLabel *caption);

// Makes figure read by assistive technology as a value described by caption: Name is the
// spoken text, Value the figure, Description the caption; caption labels it (a labelled-by
// relation).
void makeDoseFigure(QLabel *figure, QLabel *caption);

// Sets a dose figure's text and, when it changed, tells assistive technology.
void setDoseFigure(QLabel *figure, const QString &value);

} // namespace mainwindow
