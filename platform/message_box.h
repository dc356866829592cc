#pragma once

#include <QMessageBox>
#include <QString>
#include <vector>

class QWidget;

namespace platform {

// The program's plain notice: no icon, one OK button, the application title. The box's object
// name is "messageBox" so tests can find and close it.
void messageBox(QWidget *parent, const QString &text);

// A modal question titled with the application title (object name "messageBox"). Each button
// may carry its own caption; returns the button chosen. The last one given is the careful
// answer: Enter and Escape take it.
struct Answer {
    QMessageBox::StandardButton button;
    QString caption; // empty: the button's standard caption
};
QMessageBox::StandardButton ask(QWidget *parent, const QString &text,
                                const std::vector<Answer> &answers);

// What to do about a settings file that someone else wrote since a window read it.
enum class ChangedFileChoice { Reload, StoreAnyway, Cancel };

// Asks, naming what was about to be stored (for example "the dosages of \"Lunch\"") and the
// file. Cancel is the careful answer.
ChangedFileChoice askAboutChangedFile(QWidget *parent, const QString &what, const QString &path);

} // namespace platform
